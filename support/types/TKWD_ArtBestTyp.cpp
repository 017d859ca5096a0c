#include "support/types/TKWD_ArtBestTyp.h"

const char CKWD_ArtBestTyp_BFWert[KKWD_ARTBESTTYP_ANZAHL] = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                              '8', '9', 'A', 'B', 'C', 'D', 'E', 'F',
                                                              'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N'};

bool TryChar_2_ArtBestTyp(char AZeichen, TKWD_ArtBestTyp& ATyp) {
  if (AZeichen >= 'a' && AZeichen <= 'z') AZeichen = static_cast<char>(AZeichen - 'a' + 'A');
  for (int I = 0; I < KKWD_ARTBESTTYP_ANZAHL; ++I)
    if (CKWD_ArtBestTyp_BFWert[I] == AZeichen) {
      ATyp = ArtBestTyp(I);
      return true;
    }
  return false;
}

TKWD_ArtBestTyp Char_2_ArtBestTyp(char AZeichen) {
  TKWD_ArtBestTyp Typ = ArtBestTyp(0);
  TryChar_2_ArtBestTyp(AZeichen, Typ);
  return Typ;
}

char ArtBestTyp_2_Char(TKWD_ArtBestTyp ATyp) {
  const int I = Ord(ATyp);
  return I >= 0 && I < KKWD_ARTBESTTYP_ANZAHL ? CKWD_ArtBestTyp_BFWert[I] : CKWD_ArtBestTyp_BFWert[0];
}
