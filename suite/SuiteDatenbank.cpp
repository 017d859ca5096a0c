#include "suite/SuiteDatenbank.h"

#include "support/db/KWDDatenbank.h"
#include "support/recordfile/RecordFileSchema.h"
#include "support/services/Meldungstexte.h"
#include "support/services/ServicesSchema.h"

namespace {

// Creates or upgrades every part; a part that is up to date is only read.
void TeileSichern(TDbConnection& AVerbindung) {
  RecordFileSchemaEnsure(AVerbindung);
  ServicesSchemaEnsure(AVerbindung);
  SuiteSchemaEnsure(AVerbindung);
}

}  // namespace

TDbConnection& SuiteDatenbankOeffnen() {
  TDbConnection& Verbindung = KWDDatenbank();
  // The record files are what makes a company; a part the suite added later
  // (or a creation cut short) is completed like an upgrade.
  if (SchemaPartVersion(Verbindung, "recordfiles") == 0)
    throw ECompanyDbError("Die Datenbank " + Verbindung.Ort() +
                          " ist keine Firmendatenbank der Warenwirtschaft; sie wird nicht verändert.");
  try {
    TeileSichern(Verbindung);
  } catch (const EDbError&) {
    if (!Verbindung.NurLesen()) throw;
    throw ECompanyDbError("Die Firmendatenbank " + Verbindung.Ort() +
                          " muss für diese Programmversion aktualisiert werden, darf aber nur gelesen werden.");
  }
  // Company-specific message texts take precedence over the built-in ones.
  MeldungstexteAusDatenbank();
  return Verbindung;
}

TDbConnection& SuiteDatenbankAnlegen() {
  TDbConnection& Verbindung = KWDDatenbank();
  TeileSichern(Verbindung);
  MeldungstexteAusDatenbank();
  return Verbindung;
}

namespace {

struct TDatenArt {
  const char* Tabelle;
  const char* Abfrage;
  const char* Name;
};

// The company's business data; parameters, rights, message texts and the
// stock types are settings a new company has as well.
const TDatenArt CDatenArten[] = {
    {"artikel", "SELECT 1 FROM artikel LIMIT 1", "Artikel"},
    {"filiale", "SELECT 1 FROM filiale LIMIT 1", "Filialen"},
    {"warengruppe", "SELECT 1 FROM warengruppe LIMIT 1", "Warengruppen"},
    {"artikel_wg", "SELECT 1 FROM artikel_wg LIMIT 1", "Warengruppen der Artikel"},
    {"artikelpreis", "SELECT 1 FROM artikelpreis LIMIT 1", "Preise"},
    {"lieferant", "SELECT 1 FROM lieferant LIMIT 1", "Lieferanten"},
    {"bestand", "SELECT 1 FROM bestand LIMIT 1", "Bestände"},
    {"filialverkauf", "SELECT 1 FROM filialverkauf LIMIT 1", "Filialverkäufe"},
    {"artikelkennzahl", "SELECT 1 FROM artikelkennzahl LIMIT 1", "Artikelkennzahlen"},
    {"artnr_historie", "SELECT 1 FROM artnr_historie LIMIT 1", "Artikelnummern"},
    {"inventur", "SELECT 1 FROM inventur LIMIT 1", "Inventursätze"},
    {"inventuranforderung", "SELECT 1 FROM inventuranforderung LIMIT 1", "Inventuranforderungen"},
};

bool TabelleDa(TDbConnection& AConnection, const char* ATabelle) {
  auto Frage = AConnection.Prepare(
      AConnection.Backend() == TDbBackend::SQLite
          ? "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = ?"
          : "SELECT count(*) FROM information_schema.tables WHERE table_schema = current_schema() AND table_name = ?");
  Frage->BindText(1, ATabelle);
  return Frage->Step() && Frage->ColumnInt(0) > 0;
}

}  // namespace

std::vector<std::string> SuiteDatenbankDaten(TDbConnection& AConnection) {
  std::vector<std::string> Daten;
  for (const TDatenArt& Art : CDatenArten)
    // A half company of an older program may lack a table; asking it would
    // end the caller's transaction.
    if (TabelleDa(AConnection, Art.Tabelle) && AConnection.Prepare(Art.Abfrage)->Step()) Daten.emplace_back(Art.Name);
  return Daten;
}

void SuiteDatenbankLeeren(TDbConnection& AConnection) {
  AConnection.ExecScript("SET LOCAL lock_timeout = '3s'");
  AConnection.ExecScript(
      "DROP TABLE IF EXISTS inventuranforderung, inventur, bestand, filialverkauf, artikel, artikelkennzahl, "
      "artnr_historie, parameter, benutzerrecht, meldungstext, artikelsperre, warengruppe, artikel_wg, artikelpreis, "
      "filiale, lieferant, artbesttyp");
  AConnection.ExecScript("SET LOCAL lock_timeout TO DEFAULT");
  AConnection.ExecScript("DELETE FROM schema_version WHERE part IN ('recordfiles', 'services', 'suite')");
}
