#include "support/db/KWDDatenbank.h"
#include "suite/SuiteDatenbank.h"

namespace {

const char* const KArtikelpreis =
    "  prodid1 INTEGER NOT NULL,\n"
    "  prodid2 INTEGER NOT NULL,\n"
    "  prodid3 INTEGER NOT NULL,\n"
    "  preisart TEXT NOT NULL,\n"
    "  filnr INTEGER NOT NULL DEFAULT 0,\n"
    "  grind INTEGER NOT NULL DEFAULT 0,\n"
    "  gueltig_ab DOUBLE PRECISION NOT NULL,\n"
    "  preis DOUBLE PRECISION NOT NULL,\n"
    "  PRIMARY KEY (prodid1, prodid2, prodid3, preisart, filnr, grind, gueltig_ab)";

// Version 1. Later versions append migrations; this list must stay as it is.
const std::vector<std::string> CVersion1{
    "CREATE TABLE warengruppe (\n"
    "  wgsystem TEXT NOT NULL,\n"
    "  wgn TEXT NOT NULL,\n"
    "  bezeichnung TEXT NOT NULL DEFAULT '',\n"
    "  PRIMARY KEY (wgsystem, wgn)\n"
    ")",

    "CREATE TABLE artikel_wg (\n"
    "  wgsystem TEXT NOT NULL,\n"
    "  prodid1 INTEGER NOT NULL,\n"
    "  prodid2 INTEGER NOT NULL,\n"
    "  prodid3 INTEGER NOT NULL,\n"
    "  wgn TEXT NOT NULL,\n"
    "  PRIMARY KEY (wgsystem, prodid1, prodid2, prodid3)\n"
    ")",
    "CREATE INDEX artikel_wg_gruppe ON artikel_wg (wgsystem, wgn)",

    std::string("CREATE TABLE artikelpreis (\n") + KArtikelpreis + "\n)",

    "CREATE TABLE filiale (\n"
    "  filnr INTEGER PRIMARY KEY,\n"
    "  name TEXT NOT NULL DEFAULT '',\n"
    "  lv_benutzen INTEGER NOT NULL DEFAULT 0\n"
    ")",

    "CREATE TABLE lieferant (\n"
    "  gp1 INTEGER NOT NULL,\n"
    "  gp2 INTEGER NOT NULL,\n"
    "  name TEXT NOT NULL DEFAULT '',\n"
    "  kurzname TEXT NOT NULL DEFAULT '',\n"
    "  ort TEXT NOT NULL DEFAULT '',\n"
    "  PRIMARY KEY (gp1, gp2)\n"
    ")",

    "CREATE TABLE artbesttyp (\n"
    "  besttyp INTEGER PRIMARY KEY,\n"
    "  bezeichnung TEXT NOT NULL DEFAULT '',\n"
    "  parameter TEXT NOT NULL DEFAULT '',\n"
    "  istwert INTEGER NOT NULL DEFAULT 0\n"
    ")",
    // The suite's stock types. The five kinds that may be out of the house
    // follow the stock-take parameters; every other counting type must be
    // counted, and the types that are not physical stock never count.
    "INSERT INTO artbesttyp (besttyp, bezeichnung, parameter, istwert) VALUES\n"
    "  (0, 'Ohne Bestandstyp', '', 0),\n"
    "  (1, 'Verfügbarer Bestand', '', 0),\n"
    "  (2, 'Avisbestand', 'INVAVIS', 0),\n"
    "  (3, 'Auswahlbestand', 'INVAUSWA', 0),\n"
    "  (4, 'Reklamationsbestand', 'INVREKLA', 0),\n"
    "  (5, 'Retourenbestand', 'INVRETOU', 0),\n"
    "  (6, 'Reservierungsbestand', 'INVRESER', 0),\n"
    "  (7, 'Änderungsbestand', '', 0),\n"
    "  (8, 'Kommissionsbestand', '', 0),\n"
    "  (9, 'Dekorationsbestand', '', 0),\n"
    "  (10, 'Musterbestand', '', 0),\n"
    "  (11, 'Leihbestand', '', 0),\n"
    "  (12, 'Umlagerungsbestand', '', 0),\n"
    "  (13, 'Sperrbestand', '', 0),\n"
    "  (14, 'Reparaturbestand', '', 0),\n"
    "  (15, 'Konsignationsbestand', '', 0),\n"
    "  (16, 'Aktionsbestand', '', 0),\n"
    "  (17, 'Unterwegsbestand', '', 0),\n"
    "  (18, 'Schaufensterbestand', '', 0),\n"
    "  (19, 'Bestellbestand', '', 0),\n"
    "  (20, 'Auftragsbestand', '', 0),\n"
    "  (21, 'Planbestand', '', 0),\n"
    "  (22, 'Sollbestand', '', 0),\n"
    "  (23, 'Inventurdifferenz', '', 0)",
};

// Version 2, SQLite: prices in the order of their key (WITHOUT ROWID). The
// price reader reads all prices of an article at once; through a separate
// index every price row cost a second look-up in the table.
const std::vector<std::string> CVersion2Sqlite = SchemaTabelleNeuAnlegen(
    "artikelpreis", KArtikelpreis, "WITHOUT ROWID", "prodid1, prodid2, prodid3, preisart, filnr, grind, gueltig_ab, preis");

}  // namespace

void SuiteSchemaEnsure(TDbConnection& AConnection) {
  // PostgreSQL keeps its heap and primary-key index; the version only counts there.
  const bool Sqlite = AConnection.Backend() == TDbBackend::SQLite;
  SchemaPartEnsure(AConnection, "suite", {CVersion1, Sqlite ? CVersion2Sqlite : std::vector<std::string>{}});
}
