#include "support/services/ServicesSchema.h"

#include "support/db/KWDDatenbank.h"

namespace {

// Version 1. Values are stored as text so one table serves every value type.
const std::vector<std::string> CVersion1 = {
    "CREATE TABLE parameter (name TEXT PRIMARY KEY, wert TEXT NOT NULL)",

    // A user's own row wins over the "*" row; right 0 stands for every right.
    // erlaubt 0 refuses explicitly, so one user can be excluded from a "*" grant.
    "CREATE TABLE benutzerrecht (benutzer TEXT NOT NULL, recht INTEGER NOT NULL, "
    "erlaubt INTEGER NOT NULL, PRIMARY KEY (benutzer, recht))",
    "INSERT INTO benutzerrecht (benutzer, recht, erlaubt) VALUES ('*', 0, 1)",

    "CREATE TABLE meldungstext (gruppe TEXT NOT NULL, nr INTEGER NOT NULL, "
    "text TEXT NOT NULL, PRIMARY KEY (gruppe, nr))",

    // One row per locked product id, naming its holder. prozessstart tells a
    // reused pid from the holder (SQLite, one machine); sitzung/sitzungstart
    // are the holder's server session on PostgreSQL (0 on SQLite).
    "CREATE TABLE artikelsperre (prodid1 INTEGER NOT NULL, prodid2 INTEGER NOT NULL, "
    "prodid3 INTEGER NOT NULL, terminalnr TEXT NOT NULL, terminal TEXT NOT NULL, "
    "programm TEXT NOT NULL, benutzer TEXT NOT NULL, prozessid BIGINT NOT NULL, "
    "prozessstart BIGINT NOT NULL, sitzung BIGINT NOT NULL, sitzungstart BIGINT NOT NULL, "
    "gesperrtseit DOUBLE PRECISION NOT NULL, PRIMARY KEY (prodid1, prodid2, prodid3))",
    "CREATE INDEX artikelsperre_halter ON artikelsperre (terminal, prozessid)",
};

}  // namespace

void ServicesSchemaEnsure(TDbConnection& AConnection) {
  SchemaPartEnsure(AConnection, "services", {CVersion1});
}
