#pragma once
// Per-article figures file: two integers per article.
#include "support/recordfile/TQLX_DBFile.h"

class Trenrfile : public TQLX_DBFile {
 public:
  static constexpr int16_t KEY_PRODUKT = 0;  // product id

  Trenrfile(int AOpenMode, int AKanal);
  explicit Trenrfile(TDbConnection& AConnection, int AOpenMode = RF_OPEN_NORMAL, int AKanal = -1);

  TInt32TrioFeld ProduktId{*this, "prodid"};
  TIntegerFeld Kennzahl1{*this, "kennzahl1"};
  TIntegerFeld Kennzahl2{*this, "kennzahl2"};

  TInt32TrioDatenKeyFeld Key_ProduktId{*this, KEY_PRODUKT, ProduktId};
};
