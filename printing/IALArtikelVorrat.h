#pragma once
// What the count-list selection needs of an article, read ahead for a block
// of stock-take records: article master data, the per-article figures, the
// product group and the article-number history, each kind for the whole
// block in one statement, instead of four reads per record.
// The rules applied to the rows are the same as for a single read.
#include <string>
#include <vector>

#include "suite/SuiteAbfrage.h"
#include "support/types/KWDDatum.h"
#include "support/types/TInt32Trio.h"

struct TIALArtikel {
  TIntPair LiefGP;
  std::string Text1, Text2, Text3;
  char Pruefschaerfe = '\0';
  int32_t PreisGrInd = 0;
  bool HatKennzahlen = false;  // a record of the per-article figures file
  int32_t Kennzahl1 = 0;
  int32_t Kennzahl2 = 0;
};

// GetQArtNr's rule for one more history entry: a non-empty number dated
// after 0 replaces the kept one when its date is later, or on the same date
// when it comes first in key order (bytewise smaller); rows read in key
// order thus keep the first of equal dates.
void QArtNrPruefen(TDate ADatum, const std::string& AArtNr, TDate& ABestDatum, std::string& ABest);

class TIALArtikelVorrat {
 public:
  // Reads the data of APIds (duplicates allowed), replacing what was read before.
  void Lesen(const std::vector<TInt32Trio>& APIds);
  // The article record; nullptr when the article file has none.
  const TIALArtikel* Artikel(const TInt32Trio& APId) const;
  // The article's product group in the own system (Get_MaxWGN4ProdId): both
  // texts get its key; false (both empty) when it has none.
  bool Warengruppe(const TInt32Trio& APId, std::string& AWGNr, std::string& AWG) const;
  // GetQArtNr's answer for an article of the block; false when APId was not read.
  bool QArtNr(const TInt32Trio& APId, std::string& AArtNr) const;

 private:
  struct TEintrag {
    bool HatArtikel = false;
    TIALArtikel Artikel;
    bool HatWG = false;
    std::string WG;
    TDate ArtNrDatum = 0;
    std::string ArtNr;
  };
  // The entry of APId; nullptr when it was not read.
  const TEintrag* Eintrag(const TInt32Trio& APId) const;

  TSuiteAbfragen FSql;
  std::vector<TInt32Trio> FPIds;     // sorted, unique
  std::vector<TEintrag> FEintraege;  // per FPIds entry
};
