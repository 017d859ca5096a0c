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
