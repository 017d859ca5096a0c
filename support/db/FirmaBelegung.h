#pragma once
// Which programs have a company open on a PostgreSQL server. SQLite knows it
// from the company file itself; on a server every program that opens the
// company shows itself there: its connection carries the program, its
// process and its machine as application_name and holds the company's key
// (a session advisory lock) shared until it ends. Building the company anew
// takes the key alone, so it neither empties a company programs work in nor
// lets one open it half-way.
#include <cstdint>
#include <string>
#include <vector>

class TDbConnection;

// A program that has the company open.
struct TFirmaNutzer {
  std::string Programm;
  std::string Rechner;  // empty when the server does not say
  int64_t ProzessId = 0;  // 0 when unknown
};

// Shows AVerbindung as this program's connection to its company (see above).
// Throws ECompanyDbError while the company is being built anew.
void FirmaBelegen(TDbConnection& AVerbindung);

// For a build of the company on AVerbindung: takes the key alone and returns
// the programs that keep it from that; empty when taken, or when only
// connections of this very process hold it (a program replacing the company
// it works in itself). Nothing to do on SQLite.
std::vector<TFirmaNutzer> FirmaFuerNeubauSperren(TDbConnection& AVerbindung);

// After the build: AVerbindung holds the key shared, as every program's.
void FirmaNeubauFreigeben(TDbConnection& AVerbindung);

// "2 Programmen (invanf-cli auf kasse1, Prozess 4711; invanf auf kasse2, Prozess 815)".
std::string FirmaNutzerText(const std::vector<TFirmaNutzer>& ANutzer);
