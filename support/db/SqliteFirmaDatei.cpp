#include "support/db/SqliteFirmaDatei.h"

#include <sqlite3.h>

#include <cerrno>

#include "support/framework/KWDSystemFehler.h"

TSqliteFirmaDatei::TSqliteFirmaDatei(const std::string& APfad, int AWarteMs) {
  FRc = sqlite3_open_v2(APfad.c_str(), &FDb, SQLITE_OPEN_READWRITE, nullptr);
  if (FDb) {
    sqlite3_extended_result_codes(FDb, 1);
    sqlite3_busy_timeout(FDb, AWarteMs);
  }
}

TSqliteFirmaDatei::~TSqliteFirmaDatei() {
  if (!FDb) return;
  sqlite3_exec(FDb, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close_v2(FDb);
}

bool TSqliteFirmaDatei::Offen() const { return FRc == SQLITE_OK; }

std::string TSqliteFirmaDatei::JournalOhneLog() {
  std::string Modus;
  sqlite3_stmt* S = nullptr;
  if (sqlite3_prepare_v2(FDb, "PRAGMA journal_mode=DELETE", -1, &S, nullptr) == SQLITE_OK &&
      sqlite3_step(S) == SQLITE_ROW)
    Modus = reinterpret_cast<const char*>(sqlite3_column_text(S, 0));
  sqlite3_finalize(S);
  return Modus;
}

bool TSqliteFirmaDatei::Ausfuehren(const char* ASql) {
  return sqlite3_exec(FDb, ASql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

int TSqliteFirmaDatei::Code() const { return FDb ? sqlite3_extended_errcode(FDb) : FRc; }

EDbError TSqliteFirmaDatei::Fehler() const {
  return EDbError(FDb ? sqlite3_errmsg(FDb) : sqlite3_errstr(FRc), Code());
}

std::string TSqliteFirmaDatei::Grund() const {
  const int Code = this->Code();
  switch (Code & 0xff) {
    case SQLITE_FULL: return KWDSystemFehlerText(ENOSPC);
    case SQLITE_IOERR: return KWDSystemFehlerText(EIO);
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT: return "keine SQLite-Datenbank oder beschädigt";
    default: return "SQLite-Fehler " + std::to_string(Code);
  }
}
