#pragma once
// SQLite backend of TDbConnection; reached through TDbConnection::Open.
#include <memory>
#include <string>

#include "support/db/TDbConnection.h"

enum class TDbSqliteArt {
  Beliebig,  // an existing database file, read and written
  Anlegen,   // as Beliebig; a missing (or empty) file becomes a new database
  Firma,     // a company (TDbConnection::OpenFirma): checked before any write, read-only when not writable
  // A private working file of this process (an existing, possibly empty
  // file): nothing else reads it while it is written and a crash loses
  // nothing worth keeping, so its rollback journal stays in memory, nothing
  // is synced and no WAL or checkpoint thread is set up.
  Privat,
};

std::unique_ptr<TDbConnection> TDbSqliteOeffnen(const std::string& APfad, TDbSqliteArt AArt);
