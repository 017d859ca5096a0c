#pragma once
// PostgreSQL backend of TDbConnection (libpq); reached through TDbConnection::Open.
#include <memory>
#include <string>

#include "support/db/TDbConnection.h"

std::unique_ptr<TDbConnection> TDbPostgresOeffnen(const std::string& AUri);
