#pragma once
// Administration of the common lock (wws-admin locks list/hold/release).
#include <functional>
#include <string>
#include <vector>

#include "support/services/SperrHalter.h"
#include "support/types/TQLX_clMeldung.h"

class TDbConnection;

struct TSperrEintrag {
  TSperrZeile Zeile;
  bool Lebt = false;  // SperrHalterLebt at the time of listing
};

// Every lock row of the company, ordered by product id.
std::vector<TSperrEintrag> SperrenListe(TDbConnection& AConnection);
// Removes the rows of holders that have ended; returns how many.
int SperrenToteFreigeben(TDbConnection& AConnection);
// Removes every row of the process AProzessId (on terminal ATerminal, or on
// any terminal when empty), alive or not; returns how many.
int SperrenHalterFreigeben(TDbConnection& AConnection, int64_t AProzessId, const std::string& ATerminal = {});

// Holds AProdId for ASekunden as program AProgramm would, on the company of
// KWDDatenbank(): takes block 11 and the lock, calls ABereit once it is held,
// sleeps, and releases. False (AMeldung names the holder) when another
// program holds the article.
bool SperreHalten(const TInt32Trio& AProdId, int ASekunden, const std::string& AProgramm, TQLX_clMeldung& AMeldung,
                  const std::function<void()>& ABereit = {});
