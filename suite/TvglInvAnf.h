#pragma once
// The suite's request service: may a new request be made, and is any
// stock-take of the company still open.
#include <cstdint>
#include <string>

#include "suite/SuiteAbfrage.h"
#include "support/types/KWDDatum.h"

class TvglInvAnf {
 public:
  // True when no request exists for the same counting day and branch whose
  // product group overlaps AWG: one group begins with the other, and the
  // empty group covers all (blanks around a group carry no meaning). The
  // stock-take records of one counting day and branch are shared by its
  // requests, so an article must never belong to two of them.
  // False after a registered error: no request is made on doubt.
  bool Inventurnochfrei(const std::string& AWG, TDate AZaehldat, int16_t AFiliale);

  // Makes the check above and the insert that follows it one step across
  // programs: inside the caller's transaction, holds the right to create
  // requests for the counting day and branch until that transaction ends, so
  // a second program doing the same waits and then sees the first one's
  // request. SQLite needs nothing more (its transactions take the write lock
  // at their start); PostgreSQL takes a transaction-scoped advisory lock.
  void AnlegenSperren(TDate AZaehldat, int16_t AFiliale);

  // True when AFiliale is a branch of the company's branch table, asked now
  // (a branch another program has just added counts).
  bool FilialeVorhanden(int AFiliale);

  // True when some request is neither closed nor on its way out: any state
  // but "gebucht" (booked, the stock-take is finished) and "Löschung
  // angefordert" (deletion begun). Requested, opened, counting, counted and
  // unknown states count as open. True after a registered error, so the
  // stock-kind settings stay as they are on doubt.
  bool IrgendeineInventurNichtAbgeschlossen();

 private:
  TSuiteAbfragen FSql;
};
