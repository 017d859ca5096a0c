#include "support/recordfile/Tivfile.h"

#include "support/db/KWDDatenbank.h"

Tivfile::Tivfile(int AOpenMode, int AKanal) : Tivfile(KWDDatenbank(), AOpenMode, AKanal) {}

Tivfile::Tivfile(TDbConnection& AConnection, int AOpenMode, int AKanal)
    : TQLX_DBFile(AConnection, RFTabelle_Inventur(), AOpenMode, AKanal), TGroessenFelder(static_cast<TQLX_DBFile&>(*this)) {}

void Tivfile::SatzErgaenzen(TWrDoOn AModus) {
  if (AModus != wrdonInsert) return;
  int64_t Summe = 0;
  int Von = 0, Bis = 0;
  for (int i = GRIndexMin(); i <= GRIndexMax(); ++i) {
    const int32_t Menge = GetGR_MESU(i);
    Summe += Menge;
    if (Menge != 0) {
      if (Von == 0) Von = i;
      Bis = i;
    }
  }
  Sollmenge.SetWert(static_cast<int32_t>(Summe));
  GrVon.SetWert(Von == 0 ? GRIndexMin() : Von);
  GrBis.SetWert(Von == 0 ? GRIndexMin() : Bis);
}
