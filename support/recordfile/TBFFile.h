#pragma once
// Stock file: stock per article, branch and stock type, per size.
#include "support/recordfile/TGroessenFelder.h"
#include "support/recordfile/TQLX_DBFile.h"

class TBFFile : public TQLX_DBFile, public TGroessenFelder {
 public:
  static constexpr int16_t KEY_PRODUKT_FILIALE = 0;  // product id, branch, stock type
  static constexpr int16_t KEY_FILIALE = 1;          // branch, product id, stock type

  TBFFile(int AOpenMode, int AKanal);
  explicit TBFFile(TDbConnection& AConnection, int AOpenMode = RF_OPEN_NORMAL, int AKanal = -1);

  TInt32TrioFeld ProduktId{*this, "prodid"};
  TIntegerFeld FilNr{*this, "filnr"};
  TCharFeld Bestandstyp{*this, "bestandstyp"};
  TIntegerFeld BestandA{*this, "bestand_a"};
  TIntegerFeld BestandB{*this, "bestand_b"};
  TIntegerFeld BestandC{*this, "bestand_c"};

  TInt32TrioDatenKeyFeld Key_ProduktId{*this, KEY_PRODUKT_FILIALE, ProduktId};
  TIntegerDatenKeyFeld Key_FilNr{*this, KEY_PRODUKT_FILIALE, FilNr};
  TCharDatenKeyFeld Key_Bestandstyp{*this, KEY_PRODUKT_FILIALE, Bestandstyp};
};
