#pragma once
// Article file: article master data.
#include "support/recordfile/TQLX_DBFile.h"

class TAAFile : public TQLX_DBFile {
 public:
  static constexpr int16_t KEY_PRODUKT = 0;    // product id
  static constexpr int16_t KEY_LIEFERANT = 1;  // supplier partner key

  TAAFile(int AOpenMode, int AKanal);
  explicit TAAFile(TDbConnection& AConnection, int AOpenMode = RF_OPEN_NORMAL, int AKanal = -1);

  TInt32TrioFeld ProduktId{*this, "prodid"};
  TIntPairFeld LiefGP{*this, "lief_gp"};
  TStringFeld Text1{*this, "text1"};
  TStringFeld Text2{*this, "text2"};
  TStringFeld Text3{*this, "text3"};
  TCharFeld Pruefschaerfe{*this, "pruefschaerfe"};
  TIntegerFeld PreisGrInd{*this, "preis_grind"};

  TInt32TrioDatenKeyFeld Key_ProduktId{*this, KEY_PRODUKT, ProduktId};
};
