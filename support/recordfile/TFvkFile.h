#pragma once
// Branch-sales file: movements per article and branch.
#include "support/recordfile/TQLX_DBFile.h"

class TFvkFile : public TQLX_DBFile {
 public:
  static constexpr int16_t KEY_PRODUKT = 0;  // product id, branch, record kind, movement type
  static constexpr int16_t KEY_SATZ = 1;     // record number
  static constexpr int16_t KEY_FILIALE = 2;  // branch, record kind, movement type

  TFvkFile(int AOpenMode, int AKanal);
  explicit TFvkFile(TDbConnection& AConnection, int AOpenMode = RF_OPEN_NORMAL, int AKanal = -1);

  TIntegerFeld LfdNr{*this, "lfdnr"};
  TInt32TrioFeld ProduktId{*this, "prodid"};
  TIntegerFeld FilNr{*this, "filnr"};
  TCharFeld Satzart{*this, "satzart"};
  TStringFeld Bewegungsart{*this, "bewegungsart"};
  TDateTimeFeld Datum{*this, "datum"};
  TIntegerFeld Menge{*this, "menge"};

  TInt32TrioDatenKeyFeld Key_ProduktId{*this, KEY_PRODUKT, ProduktId};
  TIntegerDatenKeyFeld Key_FilNr{*this, KEY_PRODUKT, FilNr};
};
