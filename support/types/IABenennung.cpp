#include "support/types/IABenennung.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <utility>

std::string IAWarengruppeText(const std::string& AWG) {
  return AWG.empty() || AWG == "*" ? std::string("alle Warengruppen") : "Warengruppe " + AWG;
}

std::string IAAnforderungText(TDate AZaehldatum, const std::string& AWG, int AFilNr) {
  return FormatDatum(AZaehldatum) + ", " + IAWarengruppeText(AWG) + ", Filiale " + std::to_string(AFilNr);
}

std::string IALogAnforderung(TDate AZaehldatum, const std::string& AWG, int AFilNr) {
  return "Inventur vom " + FormatDatum(AZaehldatum) + ", Warengruppe \"" + AWG + "\", Filiale " + std::to_string(AFilNr);
}

namespace {

std::string IsoDatum(TDate ADatum) {
  const TDatumTeile T = DecodeDate(ADatum);
  char Text[16];
  std::snprintf(Text, sizeof Text, "%04d-%02d-%02d", T.Jahr, T.Monat, T.Tag);
  return Text;
}

// Letters and digits stay (umlauts spelled out), "-" stays, anything else becomes "-".
std::string DateiTeil(const std::string& AText) {
  static const std::pair<const char*, const char*> KUmlaute[] = {{"ä", "ae"}, {"ö", "oe"}, {"ü", "ue"}, {"Ä", "Ae"},
                                                                 {"Ö", "Oe"}, {"Ü", "Ue"}, {"ß", "ss"}};
  std::string Teil;
  for (size_t I = 0; I < AText.size();) {
    bool Umlaut = false;
    for (const auto& [Von, Nach] : KUmlaute)
      if (AText.compare(I, std::strlen(Von), Von) == 0) {
        Teil += Nach;
        I += std::strlen(Von);
        Umlaut = true;
        break;
      }
    if (Umlaut) continue;
    const unsigned char Z = static_cast<unsigned char>(AText[I]);
    if (std::isalnum(Z)) {
      Teil += static_cast<char>(Z);
    } else if (!Teil.empty() && Teil.back() != '-') {
      Teil += '-';
    }
    // The further bytes of another non-ASCII character make no second "-".
    ++I;
  }
  while (!Teil.empty() && Teil.back() == '-') Teil.pop_back();
  return Teil;
}

}  // namespace

std::string IAZaehllisteDateiName(TDate AZaehldatum, const std::string& AWG, int AFilNr) {
  const std::string WG = DateiTeil(AWG);
  return "Zaehlliste_" + IsoDatum(AZaehldatum) + "_" + (WG.empty() ? std::string("alle-WG") : "WG" + WG) +
         "_Filiale" + std::to_string(AFilNr);
}

std::string IAZaehllistenDateiName(const std::vector<TDate>& AZaehldaten) {
  if (AZaehldaten.empty()) return "Zaehllisten";
  const auto [Erster, Letzter] = std::minmax_element(AZaehldaten.begin(), AZaehldaten.end());
  std::string Name = "Zaehllisten_" + IsoDatum(*Erster);
  if (DateOf(*Letzter) != DateOf(*Erster))
    Name += "_bis_" + IsoDatum(*Letzter);
  return Name + "_" + std::to_string(AZaehldaten.size()) + (AZaehldaten.size() == 1 ? "_Inventur" : "_Inventuren");
}

std::string IAInventurenDateiName(TDate AWiJahr) {
  const TDatumTeile T = DecodeDate(AWiJahr);
  if (T.Monat == 1 && T.Tag == 1) return "Inventuren_" + std::to_string(T.Jahr);
  return "Inventuren_" + std::to_string(T.Jahr) + "-" + std::to_string(T.Jahr + 1);
}
