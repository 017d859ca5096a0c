#pragma once
// PostgreSQL backend of TDbConnection (libpq); reached through TDbConnection::Open.
#include <memory>
#include <string>

#include "support/db/TDbConnection.h"

// AFirma: as TDbConnection::OpenFirma (company mark checked, read-only sessions kept read-only).
std::unique_ptr<TDbConnection> TDbPostgresOeffnen(const std::string& AUri, bool AFirma);

// The server as a user reads it: "host:port" for a network server; a local
// one reached through a socket as "lokal (Socket, Port 5432)", its folder
// named only when it is not the default (AHost empty).
std::string PgServerAnzeige(const std::string& AHost, const std::string& APort);
