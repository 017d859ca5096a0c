#pragma once
// Stock-take file: booked target stock per article, branch, counting date and
// stock type, with the quantity per size.
#include "support/recordfile/TGroessenFelder.h"
#include "support/recordfile/TQLX_DBFile.h"

class Tivfile : public TQLX_DBFile, public TGroessenFelder {
 public:
  static constexpr int16_t KEY_DATUM_FILIALE = 0;  // fiscal year, counting date, branch, product id, stock type
  static constexpr int16_t KEY_PRODUKT = 1;        // product id, fiscal year, counting date, branch, stock type
  static constexpr int16_t KEY_ZAEHLLISTE = 2;     // fiscal year, counting date, branch, stock type, product id

  Tivfile(int AOpenMode, int AKanal);
  explicit Tivfile(TDbConnection& AConnection, int AOpenMode = RF_OPEN_NORMAL, int AKanal = -1);

  TDateTimeFeld WiJahr{*this, "wijahr"};
  TDateTimeFeld Zaehldatum{*this, "zaehldatum"};
  TIntegerFeld FilNr{*this, "filnr"};
  TInt32TrioFeld ProduktId{*this, "prodid"};
  TCharFeld Bestandstyp{*this, "bestandstyp"};
  TCharFeld SatzKZ{*this, "satzkz"};
  TIntegerFeld Sollmenge{*this, "sollmenge"};
  TIntegerFeld GrVon{*this, "grvon"};
  TIntegerFeld GrBis{*this, "grbis"};

  TDatumDatenKeyFeld Key_WiJahr{*this, KEY_DATUM_FILIALE, WiJahr};
  TDatumDatenKeyFeld Key_Zaehldatum{*this, KEY_DATUM_FILIALE, Zaehldatum};
  TIntegerDatenKeyFeld Key_FilNr{*this, KEY_DATUM_FILIALE, FilNr};
  TInt32TrioDatenKeyFeld Key_ProduktId{*this, KEY_DATUM_FILIALE, ProduktId};
  TCharDatenKeyFeld Key_Bestandstyp{*this, KEY_DATUM_FILIALE, Bestandstyp};
  TInt32TrioDatenKeyFeld KeyProdukt_ProduktId{*this, KEY_PRODUKT, ProduktId};

 protected:
  // Every new record carries its target quantity (sum of the sizes) and the
  // range of sizes holding a quantity (1..1 when none does), so that a record
  // written without prepare write never keeps an earlier record's totals.
  void SatzErgaenzen(TWrDoOn AModus) override;
};
