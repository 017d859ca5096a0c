#include "support/recordfile/TQLX_DBLesestrecke.h"

#include <exception>
#include <string>

#include "support/db/TDbConnection.h"
#include "support/framework/KWDLog.h"

TQLX_DBLesestrecke::TQLX_DBLesestrecke(TDbConnection& AConnection) : FConn(AConnection) {
  if (FConn.Backend() != TDbBackend::SQLite || FConn.InTransaction()) return;
  FConn.ExecScript("BEGIN DEFERRED");
  FOffen = true;
}

TQLX_DBLesestrecke::~TQLX_DBLesestrecke() {
  if (!FOffen) return;
  try {
    FConn.ExecScript("COMMIT");
  } catch (const std::exception& E) {
    // A read transaction left open would refuse the next Begin: roll it back.
    KWDLogSchreiben("TQLX_DBLesestrecke.Ende", E);
    try {
      FConn.ExecScript("ROLLBACK");
    } catch (...) {
    }
  }
}
