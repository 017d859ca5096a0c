#include "support/types/IABenennung.h"

std::string IAWarengruppeText(const std::string& AWG) {
  return AWG.empty() || AWG == "*" ? std::string("alle Warengruppen") : "Warengruppe " + AWG;
}

std::string IAAnforderungText(TDate AZaehldatum, const std::string& AWG, int AFilNr) {
  return FormatDatum(AZaehldatum) + ", " + IAWarengruppeText(AWG) + ", Filiale " + std::to_string(AFilNr);
}
