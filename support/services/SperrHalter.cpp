#include "support/services/SperrHalter.h"

#include <unistd.h>

#include "support/db/DbProdId.h"
#include "support/db/TDbConnection.h"
#include "support/services/Prozessidentitaet.h"

namespace {

// Backend start in whole microseconds: a number compares exactly, whatever
// the session's time zone or date style.
constexpr const char* CSitzungStart = "CAST(EXTRACT(EPOCH FROM backend_start) * 1000000 AS BIGINT)";

}  // namespace

TSperrHalter SperrHalterDieserProzess(TDbConnection& AConnection, const std::string& AProgramm) {
  TSperrHalter H;
  H.TerminalNr = KWDTerminalNr();
  H.Terminal = KWDRechnername();
  H.Programm = AProgramm;
  H.Benutzer = KWDBenutzer();
  H.ProzessId = getpid();
  H.ProzessStart = KWDProzessStart(H.ProzessId);
  if (AConnection.Backend() == TDbBackend::PostgreSQL) {
    auto Stmt = AConnection.Prepare(std::string("SELECT pid, ") + CSitzungStart +
                                    " FROM pg_stat_activity WHERE pid = pg_backend_pid()");
    if (Stmt->Step()) {
      H.Sitzung = Stmt->ColumnInt(0);
      H.SitzungStart = Stmt->ColumnInt(1);
    }
  }
  return H;
}

TSperrZeile SperrZeileAusStatement(const TDbStatement& AStmt) {
  TSperrZeile Z;
  Z.ProduktId = ColumnProdId(AStmt, 0);
  Z.Halter.TerminalNr = AStmt.ColumnText(3);
  Z.Halter.Terminal = AStmt.ColumnText(4);
  Z.Halter.Programm = AStmt.ColumnText(5);
  Z.Halter.Benutzer = AStmt.ColumnText(6);
  Z.Halter.ProzessId = AStmt.ColumnInt(7);
  Z.Halter.ProzessStart = AStmt.ColumnInt(8);
  Z.Halter.Sitzung = AStmt.ColumnInt(9);
  Z.Halter.SitzungStart = AStmt.ColumnInt(10);
  Z.GesperrtSeit = AStmt.ColumnDouble(11);
  return Z;
}

std::optional<TSperrZeile> SperrZeileLesen(TDbConnection& AConnection, const TInt32Trio& AProduktId) {
  auto Stmt = AConnection.Prepare(std::string("SELECT ") + CSperrSpalten +
                                  " FROM artikelsperre WHERE prodid1 = ? AND prodid2 = ? AND prodid3 = ?");
  BindProdId(*Stmt, 1, AProduktId);
  if (!Stmt->Step()) return std::nullopt;
  return SperrZeileAusStatement(*Stmt);
}

bool SperrHalterLebt(TDbConnection& AConnection, const TSperrHalter& AHalter) {
  if (AHalter.Sitzung != 0 && AConnection.Backend() == TDbBackend::PostgreSQL) {
    auto Stmt = AConnection.Prepare(std::string("SELECT ") + CSitzungStart +
                                    " FROM pg_stat_activity WHERE pid = ?");
    Stmt->BindInt(1, AHalter.Sitzung);
    if (!Stmt->Step()) return false;
    // Without the right to see another role's sessions the start reads NULL:
    // the session exists, so the holder counts as alive.
    if (Stmt->ColumnIsNull(0)) return true;
    return Stmt->ColumnInt(0) == AHalter.SitzungStart;
  }
  if (AHalter.Terminal != KWDRechnername()) return true;
  return KWDProzessLebt(AHalter.ProzessId, AHalter.ProzessStart);
}

bool SperrZeileEntfernen(TDbConnection& AConnection, const TSperrZeile& AZeile) {
  auto Stmt = AConnection.Prepare(
      "DELETE FROM artikelsperre WHERE prodid1 = ? AND prodid2 = ? AND prodid3 = ? "
      "AND terminal = ? AND prozessid = ? AND prozessstart = ? AND sitzung = ?");
  BindProdId(*Stmt, 1, AZeile.ProduktId);
  Stmt->BindText(4, AZeile.Halter.Terminal);
  Stmt->BindInt(5, AZeile.Halter.ProzessId);
  Stmt->BindInt(6, AZeile.Halter.ProzessStart);
  Stmt->BindInt(7, AZeile.Halter.Sitzung);
  return Stmt->Execute() > 0;
}
