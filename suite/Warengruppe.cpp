#include "suite/Warengruppe.h"

std::string WGNormalisiert(std::string_view AWG) {
  const auto Anfang = AWG.find_first_not_of(' ');
  if (Anfang == std::string_view::npos) return {};
  const auto Ende = AWG.find_last_not_of(' ');
  return std::string(AWG.substr(Anfang, Ende - Anfang + 1));
}

bool WGEnthaelt(std::string_view AWG, std::string_view AArtikelWG) {
  const std::string Gruppe = WGNormalisiert(AWG);
  return WGNormalisiert(AArtikelWG).starts_with(Gruppe);
}

bool WGUeberlappt(std::string_view AWG1, std::string_view AWG2) {
  return WGEnthaelt(AWG1, AWG2) || WGEnthaelt(AWG2, AWG1);
}
