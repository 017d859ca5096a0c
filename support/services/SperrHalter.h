#pragma once
// The holder of an article lock as a lock row names it, and the test whether
// that holder still runs. Shared by the common lock and the lock administration.
#include <cstdint>
#include <optional>
#include <string>

#include "support/types/KWDDatum.h"
#include "support/types/TInt32Trio.h"

class TDbConnection;

struct TSperrHalter {
  std::string TerminalNr;
  std::string Terminal;  // host name
  std::string Programm;
  std::string Benutzer;
  int64_t ProzessId = 0;
  int64_t ProzessStart = 0;  // see KWDProzessStart
  int64_t Sitzung = 0;       // PostgreSQL backend pid of the holder's lock connection; 0 on SQLite
  int64_t SitzungStart = 0;  // that backend's start, microseconds since 1970
  bool GleicherProzess(const TSperrHalter& A) const {
    return Terminal == A.Terminal && ProzessId == A.ProzessId && ProzessStart == A.ProzessStart;
  }
};

struct TSperrZeile {
  TInt32Trio ProduktId;
  TSperrHalter Halter;
  TDateTime GesperrtSeit = 0;
};

// Who this process is, on connection AConnection (which records the session on PostgreSQL).
TSperrHalter SperrHalterDieserProzess(TDbConnection& AConnection, const std::string& AProgramm);

// The lock row of one product id, if any.
std::optional<TSperrZeile> SperrZeileLesen(TDbConnection& AConnection, const TInt32Trio& AProduktId);

// True while the holder runs. A holder on PostgreSQL lives as long as its
// server session (seen in pg_stat_activity, also from other machines); on
// SQLite, a process on this machine is checked by pid and start time, and a
// holder on another machine is taken as alive (it cannot be checked from here).
bool SperrHalterLebt(TDbConnection& AConnection, const TSperrHalter& AHalter);

// Deletes the row of AZeile only while it still names the same holder, so a
// row a live program took meanwhile stays. True when a row was deleted.
bool SperrZeileEntfernen(TDbConnection& AConnection, const TSperrZeile& AZeile);

// The SELECT column list matching SperrZeileAusStatement.
inline constexpr const char* CSperrSpalten =
    "prodid1, prodid2, prodid3, terminalnr, terminal, programm, benutzer, prozessid, prozessstart, "
    "sitzung, sitzungstart, gesperrtseit";
class TDbStatement;
TSperrZeile SperrZeileAusStatement(const TDbStatement& AStmt);
