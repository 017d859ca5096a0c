#include "support/db/TDbPostgres.h"

std::unique_ptr<TDbConnection> TDbPostgresOeffnen(const std::string&) {
  throw ECompanyDbError("Die PostgreSQL-Anbindung ist in diesem Programmstand noch nicht verfügbar.");
}
