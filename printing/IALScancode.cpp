#include "printing/IALScancode.h"

#include <cstdio>

namespace IADruck {

std::string GroessenCode(const std::string& AArtNr, int AGroesse) {
  char Groesse[16];
  std::snprintf(Groesse, sizeof Groesse, "%02d", AGroesse);
  return AArtNr + "/" + Groesse;
}

bool CodeTauglich(const std::string& AText) {
  if (AText.empty()) return false;
  for (size_t I = 0; I < AText.size(); ++I) {
    const auto Z = static_cast<unsigned char>(AText[I]);
    if (Z < 0x20 || Z == 0x7F) return false;
    // U+0080..U+009F in UTF-8: C2 80..C2 9F.
    if (Z == 0xC2 && I + 1 < AText.size() && static_cast<unsigned char>(AText[I + 1]) < 0xA0) return false;
  }
  return true;
}

}  // namespace IADruck
