#include "support/tabelle/KWDTabelle.h"

#include <algorithm>

int TKWDTabelle::Spalte(const std::string& ATitel) const {
  for (size_t I = 0; I < Spalten.size(); ++I)
    if (Spalten[I].Titel == ATitel) return static_cast<int>(I);
  return -1;
}

bool KWDTabelleFormelAnfang(const std::string& AText) {
  return !AText.empty() && std::string_view("=+-@\t\r").find(AText.front()) != std::string_view::npos;
}

TKWDTabellenErgebnis KWDTabelleSchreiben(const TKWDTabelle& ATabelle, const std::string& APfad,
                                         TKWDTabellenFormat AFormat) {
  return AFormat == TKWDTabellenFormat::Xlsx ? KWDTabelleXlsx(ATabelle, APfad) : KWDTabelleCsv(ATabelle, APfad);
}

size_t TKWDTabelle::ZeilenDurchlaufen(const TZeilenZiel& AZiel) const {
  if (!ZeilenGeben) {
    for (const auto& Zeile : Zeilen) AZiel(Zeile);
    return Zeilen.size();
  }
  size_t Anzahl = 0;
  ZeilenGeben([&](const std::vector<TZelle>& AZeile) {
    ++Anzahl;
    AZiel(AZeile);
  });
  return Anzahl;
}

size_t TKWDTabelle::Anzahl() const {
  if (!ZeilenGeben) return Zeilen.size();
  if (ZeilenZaehlen) return ZeilenZaehlen();
  size_t N = 0;
  ZeilenGeben([&](const std::vector<TZelle>&) { ++N; });
  return N;
}
