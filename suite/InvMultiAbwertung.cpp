#include "suite/InvMultiAbwertung.h"

#include <cstddef>

const std::array<const char*, KQLX_INV_MULTIABWERTUNG_ANZAHL> CQLX_Inv_MultiAbwertung_Vorgehen2Text = {
    "Höchster Abschlag", "Summe der Abschläge", "Multiplikative Verknüpfung"};

const std::array<char, KQLX_INV_MULTIABWERTUNG_ANZAHL> CQLX_Inv_MultiAbwertung_Vorgehen2Char = {'H', 'S', 'M'};

int Inv_MultiAbwertung_Vorgehen4Char(char AZeichen) {
  if (AZeichen >= 'a' && AZeichen <= 'z') AZeichen = static_cast<char>(AZeichen - 'a' + 'A');
  for (int I = 0; I < KQLX_INV_MULTIABWERTUNG_ANZAHL; ++I)
    if (CQLX_Inv_MultiAbwertung_Vorgehen2Char[static_cast<std::size_t>(I)] == AZeichen) return I + 1;
  return 0;
}

char Inv_MultiAbwertung_Vorgehen2Char(int AVorgehen) {
  const int I = AVorgehen >= 1 && AVorgehen <= KQLX_INV_MULTIABWERTUNG_ANZAHL ? AVorgehen - 1 : 0;
  return CQLX_Inv_MultiAbwertung_Vorgehen2Char[static_cast<std::size_t>(I)];
}
