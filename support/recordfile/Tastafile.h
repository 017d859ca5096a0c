#pragma once
// Article-number history file: the article numbers an article had, by entry date.
#include "support/recordfile/TQLX_DBFile.h"

class Tastafile : public TQLX_DBFile {
 public:
  static constexpr int16_t KEY_PRODUKT = 0;  // product id, entry date, article number

  Tastafile(int AOpenMode, int AKanal);
  explicit Tastafile(TDbConnection& AConnection, int AOpenMode = RF_OPEN_NORMAL, int AKanal = -1);

  TInt32TrioFeld ProduktId{*this, "prodid"};
  TDateTimeFeld Eingabedatum{*this, "eingabedatum"};
  TStringFeld ArtNr{*this, "artnr"};

  TInt32TrioDatenKeyFeld Key_ProduktId{*this, KEY_PRODUKT, ProduktId};
  TDatumDatenKeyFeld Key_Eingabedatum{*this, KEY_PRODUKT, Eingabedatum};
};
