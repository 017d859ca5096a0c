#include "support/db/TDbConnection.h"

#include "support/db/TDbPostgres.h"
#include "support/db/TDbSqlite.h"

namespace {
bool IstServer(const std::string& AOrt) {
  return AOrt.rfind("postgresql://", 0) == 0 || AOrt.rfind("postgres://", 0) == 0;
}
}  // namespace

std::unique_ptr<TDbConnection> TDbConnection::Open(const std::string& AOrt, bool ACreate) {
  if (IstServer(AOrt)) return TDbPostgresOeffnen(AOrt, false);
  return TDbSqliteOeffnen(AOrt, ACreate ? TDbSqliteArt::Anlegen : TDbSqliteArt::Beliebig);
}

std::unique_ptr<TDbConnection> TDbConnection::OpenFirma(const std::string& AOrt) {
  if (IstServer(AOrt)) return TDbPostgresOeffnen(AOrt, true);
  return TDbSqliteOeffnen(AOrt, TDbSqliteArt::Firma);
}
