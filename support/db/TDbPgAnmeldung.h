#pragma once
// Connecting to a PostgreSQL server, and when that fails, why, in one German
// sentence. Internal to the PostgreSQL backend (TDbPostgres.cpp).
//
// The cause is never read from libpq's or the server's words: both follow a
// locale (the program's, the server's lc_messages). It comes from libpq's
// status calls, the server's SQLSTATE, and where no server answered, from
// the resolver's and the socket's own error numbers on a second look.
#include <libpq-fe.h>

#include <string>

// Connects as PQconnectdb does, within the URI's connect_timeout. Returns
// the connection (CONNECTION_OK), or throws ECompanyDbError with the cause
// as the sentence and libpq's text as the technical part.
PGconn* PgAnmelden(const std::string& AUri);

// The server of AConn as a user reads it (PgServerAnzeige); AUri tells
// whether a host was given at all.
std::string PgServerVon(PGconn* AConn, const std::string& AUri);
