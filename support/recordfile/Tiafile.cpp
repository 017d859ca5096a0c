#include "support/recordfile/Tiafile.h"

#include "support/db/KWDDatenbank.h"

Tiafile::Tiafile(int AOpenMode, int AKanal) : Tiafile(KWDDatenbank(), AOpenMode, AKanal) {}

Tiafile::Tiafile(TDbConnection& AConnection, int AOpenMode, int AKanal)
    : TQLX_DBFile(AConnection, RFTabelle_Inventuranforderung(), AOpenMode, AKanal) {}

TiaSatz Tiafile::GetSatz() const {
  return {Zaehldatum.GetWert(), WG.GetWert(),    FilNr.GetWert(),      Abschlussdatum.GetWert(),
          WiJahr.GetWert(),     EKSoll.GetWert(), EKIst.GetWert(),     KZZaehlung.GetWert(),
          Anlagedatum.GetWert(), Anlagezeit.GetWert()};
}

void Tiafile::SchreibenVorbereiten(TWrDoOn AModus) {
  if (AModus != wrdonInsert) return;
  EKSoll.SetWert(0);
  EKIst.SetWert(0);
}
