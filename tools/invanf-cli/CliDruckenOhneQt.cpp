// invanf-cli built without the Qt layers: print-ial writes the count list as
// XLSX or CSV; a PDF, the files per request and print-list need Qt and are
// refused with a sentence that says so.
#include "tools/invanf-cli/CliDrucken.h"
#include "tools/invanf-cli/CliPruefen.h"

bool TCliDrucken::PdfMoeglich() {
  return CliAbgelehnt("Dieses invanf-cli ist ohne Qt gebaut und erzeugt keine PDF-Dateien (--pdf, --je-inventur, "
                      "print-list); die Zählliste gibt es hier mit --xlsx oder --csv.");
}

int TCliDrucken::PdfDrucken(const TCliOptionen&, TDate, const TCliLayout&, const std::vector<TIADruckZeile>&,
                            const TCliTabellen&) {
  PdfMoeglich();
  return CLI_ABGELEHNT;
}

int TCliDrucken::JeInventurAblegen(const TCliOptionen&, TDate, const TCliLayout&, const std::vector<TIADruckZeile>&) {
  PdfMoeglich();
  return CLI_ABGELEHNT;
}

int TCliDrucken::ListeDrucken(const TCliOptionen&) {
  PdfMoeglich();
  return CLI_ABGELEHNT;
}
