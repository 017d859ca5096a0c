#pragma once
// A new company, built whole or not at all, for every program that makes
// one (wws-admin init and demo, the demo company of the company dialog).
#include <functional>
#include <string>

#include "suite/SuiteDatenbankDatei.h"

class TDbConnection;

// The company is open in other programs and is not replaced; what() names
// how many and which (program, machine, process).
class EFirmaBelegt : public EFirmaAbgelehnt {
 public:
  using EFirmaAbgelehnt::EFirmaAbgelehnt;
};

enum class TFirmaNeu {
  Angelegt,   // a new company where there was none
  Ersetzt,    // a company (or file) that was there is replaced
  Vorhanden,  // PostgreSQL: a company without data was there and is kept, filled by AFuellen
};

// Makes AOrt (a SQLite path or a postgresql:// URI) a company: every schema
// part, then AFuellen on it as the process's company connection. On return
// AOrt is open as the process's company (KWDDatenbank(), WWS_DB set to AOrt
// for services and child programs).
//
// SQLite: built in a file beside AOrt that takes AOrt's place when complete
// (SqliteDateiNeuAnlegen); a file at AOrt is replaced only with AErsetzen.
// PostgreSQL: one transaction, so a build cut off leaves the database as it
// was; a company other programs have open is refused (EFirmaBelegt), and no
// program opens it while it is built (FirmaBelegung.h). A database holding tables of another application is refused; a
// company holding data (SuiteDatenbankDaten) is refused without AErsetzen
// and emptied in the same transaction with it.
//
// Throws EFirmaAbgelehnt (the place cannot take the company; one German
// sentence, nothing changed), ECompanyDbError, EDbError, or what AFuellen
// throws; in every case AOrt stays as it was.
TFirmaNeu SuiteDatenbankNeu(const std::string& AOrt, bool AErsetzen,
                            const std::function<void(TDbConnection&)>& AFuellen);
