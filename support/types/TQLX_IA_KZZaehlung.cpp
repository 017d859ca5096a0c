#include "support/types/TQLX_IA_KZZaehlung.h"

#include <array>

namespace {
constexpr std::array<char, KQLX_IA_KZZAEHLUNG_ANZAHL> KZeichen = {' ', 'A', 'E', 'Z', 'G', 'B', 'L'};
constexpr std::array<const char*, KQLX_IA_KZZAEHLUNG_ANZAHL> KTexte = {
    "ohne Status", "angefordert", "eröffnet", "in Zählung", "gezählt", "gebucht", "Löschung angefordert"};
}  // namespace

TQLX_IA_KZZaehlung Char_2_IA_KZZaehlung(char AZeichen) {
  for (int I = 1; I < KQLX_IA_KZZAEHLUNG_ANZAHL; ++I)
    if (KZeichen[I] == AZeichen) return static_cast<TQLX_IA_KZZaehlung>(I);
  return TQLX_IA_KZZaehlung::iazOhne;
}

char CQLX_IA_KZZaehlung_2_Char(int AOrdinal) {
  return AOrdinal >= 0 && AOrdinal < KQLX_IA_KZZAEHLUNG_ANZAHL ? KZeichen[AOrdinal] : ' ';
}

char CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung AStatus) {
  return CQLX_IA_KZZaehlung_2_Char(static_cast<int>(AStatus));
}

const char* CQLX_IA_KZZaehlung_2_String(int AOrdinal) {
  return AOrdinal >= 0 && AOrdinal < KQLX_IA_KZZAEHLUNG_ANZAHL ? KTexte[AOrdinal] : "unbekannt";
}

const char* CQLX_IA_KZZaehlung_2_String(TQLX_IA_KZZaehlung AStatus) {
  return CQLX_IA_KZZaehlung_2_String(static_cast<int>(AStatus));
}
