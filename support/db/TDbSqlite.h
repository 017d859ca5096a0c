#pragma once
// SQLite backend of TDbConnection; reached through TDbConnection::Open.
#include <memory>
#include <string>

#include "support/db/TDbConnection.h"

enum class TDbSqliteArt {
  Beliebig,  // an existing database file, read and written
  Anlegen,   // as Beliebig; a missing (or empty) file becomes a new database
  Firma,     // a company (TDbConnection::OpenFirma): checked before any write, read-only when not writable
};

std::unique_ptr<TDbConnection> TDbSqliteOeffnen(const std::string& APfad, TDbSqliteArt AArt);
