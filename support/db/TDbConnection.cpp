#include "support/db/TDbConnection.h"

#include <sqlite3.h>

#include "support/db/TDbPostgres.h"
#include "support/db/TDbSqlite.h"

bool EDbError::IsUniqueViolation() const {
  return Code == SQLITE_CONSTRAINT_UNIQUE || Code == SQLITE_CONSTRAINT_PRIMARYKEY || Zustand == "23505";
}

std::unique_ptr<TDbConnection> TDbConnection::Open(const std::string& AOrt, bool ACreate) {
  if (AOrt.rfind("postgresql://", 0) == 0 || AOrt.rfind("postgres://", 0) == 0) return TDbPostgresOeffnen(AOrt);
  return TDbSqliteOeffnen(AOrt, ACreate);
}
