#pragma once
// The suite's stock-take manager: what the stock-take data knows about fiscal years.
#include <vector>

#include "suite/SuiteAbfrage.h"
#include "support/types/KWDDatum.h"

class TInvMani {
 public:
  // The fiscal years (their dates as stored, whole days) found in the
  // requests and the stock-take records, each once, the latest last. Empty
  // when there are none; after a registered error, what was found so far.
  std::vector<TDate> Inv_get_WiJahrArray();

 private:
  TSuiteAbfragen FSql;
};
