#pragma once
// SQLite backend of TDbConnection; reached through TDbConnection::Open.
#include <memory>
#include <string>

#include "support/db/TDbConnection.h"

std::unique_ptr<TDbConnection> TDbSqliteOeffnen(const std::string& APfad, bool ACreate);
