#pragma once
// A company's SQLite file handled as a file, for building and replacing it
// (suite/SuiteDatenbankDatei.h): opened read and write as it lies, without
// the checks and settings of a company connection (TDbConnection), which
// would put it into WAL mode. SQLite reads the file only at the first step,
// so an object made before the file is replaced still holds the old one.
#include <string>

#include "support/db/EDbError.h"

struct sqlite3;

class TSqliteFirmaDatei {
 public:
  // AWarteMs: how long a step waits for another program's lock.
  TSqliteFirmaDatei(const std::string& APfad, int AWarteMs);
  // Rolls back what this object began, then closes the file.
  ~TSqliteFirmaDatei();
  TSqliteFirmaDatei(const TSqliteFirmaDatei&) = delete;
  TSqliteFirmaDatei& operator=(const TSqliteFirmaDatei&) = delete;

  bool Offen() const;
  // The journal mode after asking for DELETE: "delete" when the log is
  // folded into the file and gone; empty when that failed.
  std::string JournalOhneLog();
  // Runs the caller's fixed statements (never data); false when they failed.
  bool Ausfuehren(const char* ASql);

  // The last failure, to ask what it means.
  EDbError Fehler() const;
  // The last failure in a few German words for a sentence: the system's
  // text for a full disk or a failing disk, "keine SQLite-Datenbank oder
  // beschädigt", else SQLite's number.
  std::string Grund() const;

 private:
  int Code() const;

  sqlite3* FDb = nullptr;
  int FRc = 0;
};
