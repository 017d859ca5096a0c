#pragma once
// PostgreSQL backend of TDbConnection (libpq); reached through TDbConnection::Open.
#include <memory>
#include <string>

#include "support/db/TDbConnection.h"

// AFirma: as TDbConnection::OpenFirma (company mark checked, read-only sessions kept read-only).
std::unique_ptr<TDbConnection> TDbPostgresOeffnen(const std::string& AUri, bool AFirma);
