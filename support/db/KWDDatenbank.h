#pragma once
// The company database of this process: opened on first use from the suite
// setting WWS_DB (a SQLite path or a postgresql:// URI); every record file and
// service of the process works on this one connection.
#include <cstdint>
#include <memory>

#include "support/db/TDbConnection.h"

// Throws ECompanyDbError when WWS_DB is unset or the company cannot be opened
// (TDbConnection::OpenFirma: a database without the company mark is refused
// untouched; one the user may only read opens read-only).
TDbConnection& KWDDatenbank();
// Replaces the process's connection (tools and tests); nullptr closes it so
// the next KWDDatenbank() opens WWS_DB again.
void KWDDatenbank_Set(std::unique_ptr<TDbConnection> AConnection);
bool KWDDatenbank_Offen();
// Counts the connections KWDDatenbank() has handed out: a different number
// means statements prepared on an earlier connection must not be used.
uint64_t KWDDatenbank_Generation();

// Each layer keeps its tables as one schema part with a version of its own
// (table schema_version: part, version). AMigrations[i] lifts the part from
// version i to i + 1, so a new company runs them all. A stored version newer
// than AMigrations.size() throws ECompanyDbError (the program is too old).
// A part already at the known version is only read, never written. Inside
// a transaction of the caller it works in that transaction (a company built
// as a whole); otherwise in one of its own.
#include <string>
#include <vector>
void SchemaPartEnsure(TDbConnection& AConnection, const std::string& APart,
                      const std::vector<std::vector<std::string>>& AMigrations);
// Inside a transaction: waits until no other program changes a company's
// schema, and keeps them waiting until the transaction ends (PostgreSQL; on
// SQLite the write transaction itself does that, and this does nothing).
void SchemaSperren(TDbConnection& AConnection);
// The company mark: the table schema_version names the part "recordfiles"
// (the record files, which make a company). Only reads.
bool DbIstFirma(TDbConnection& AConnection);
// No table, view or sequence of any application in any schema: a place a
// new company may be built without touching anyone's data. Only reads.
bool DbOhneTabellen(TDbConnection& AConnection);
// The stored version of a part; 0 when the part, or the version table, is not there.
int64_t SchemaPartVersion(TDbConnection& AConnection, const std::string& APart);
// A migration that rebuilds table ATabelle as "CREATE TABLE (ADefinition)
// AZusatz" (e.g. WITHOUT ROWID), keeping every row of the columns ASpalten.
// Its indexes go with the old table; the caller recreates those it keeps.
std::vector<std::string> SchemaTabelleNeuAnlegen(const std::string& ATabelle, const std::string& ADefinition,
                                                 const std::string& AZusatz, const std::string& ASpalten);
