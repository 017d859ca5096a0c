#include "suite/SuiteDatenbank.h"

#include "support/db/KWDDatenbank.h"
#include "support/recordfile/RecordFileSchema.h"
#include "support/services/Meldungstexte.h"
#include "support/services/ServicesSchema.h"

TDbConnection& SuiteDatenbankOeffnen() {
  TDbConnection& Verbindung = KWDDatenbank();
  RecordFileSchemaEnsure(Verbindung);
  ServicesSchemaEnsure(Verbindung);
  SuiteSchemaEnsure(Verbindung);
  // Company-specific message texts take precedence over the built-in ones.
  MeldungstexteAusDatenbank();
  return Verbindung;
}
