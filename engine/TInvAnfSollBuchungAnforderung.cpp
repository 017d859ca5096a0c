// Inside a batch's booking: whether the batch's requests still stand as they
// were loaded, read with a lock held until the booking ends.
#include <algorithm>

#include "engine/InvAnfIntern.h"
#include "engine/InvAnfLesen.h"
#include "engine/InvAnfNamen.h"
#include "engine/TInvAnfSollBuchung.h"
#include "support/framework/KWDLog.h"
#include "support/recordfile/Tiafile.h"
#include "support/types/IABenennung.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

std::vector<int32_t> TInvAnfSollBuchung::AnforderungenSenden(const TInventurListe& AInventuren,
                                                          std::vector<int32_t> APositionen,
                                                          const std::vector<bool>& AWeg) {
  std::erase_if(APositionen, [&](int32_t Q) { return AWeg[static_cast<size_t>(Q)]; });
  // In key order, so programs locking the same requests never wait on each
  // other in a cycle.
  InvAnfIntern::InSchluesselFolge(AInventuren, APositionen);
  APositionen.erase(std::unique(APositionen.begin(), APositionen.end()), APositionen.end());
  Tiafile& IA = FBedarf.IA.Neu();
  IA.SetUsedField({&IA.WiJahr, &IA.KZZaehlung});
  IA.SetSperrendLesen(true);
  IA.KeyListeLeeren();
  for (int32_t Q : APositionen) {
    InvAnfIntern::SchluesselSetzen(IA, AInventuren.GetItem_Ptr(Q)->InvAnf);
    IA.KeyListeAnfuegen();
  }
  IA.KeyListeSenden();
  return APositionen;
}

void TInvAnfSollBuchung::AnforderungenLesen(const TInventurListe& AInventuren, const std::vector<int32_t>& AGesendet,
                                         std::vector<bool>& AWeg) {
  Tiafile& IA = FBedarf.IA.Datei();  // as AnforderungenSenden left it
  const char Angefordert = CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung::iazAngefordert);
  std::vector<bool> Steht(AGesendet.size(), false);
  for (bool G = IA.Get_first_KeyListe(); G; G = IA.Get_next()) {
    const size_t I = static_cast<size_t>(IA.KeyListePosition());
    const TInventurDetails& D = *AInventuren.GetItem_Ptr(AGesendet[I]);
    Steht[I] = IAImWiJahr(IA.WiJahr.GetWert(), D.InvAnf.WiJahr) && IA.KZZaehlung.GetWert() == Angefordert;
  }
  for (size_t I = 0; I < AGesendet.size(); ++I) {
    if (Steht[I]) continue;
    AWeg[static_cast<size_t>(AGesendet[I])] = true;
    const TVglInvAnf_Inv& A = AInventuren.GetItem_Ptr(AGesendet[I])->InvAnf;
    KWDLogSchreiben(KInvAnfSollBestandBuchen,
                    IALogAnforderung(A.Zaehldatum, A.WG, A.FilNr) +
                        " ist gelöscht oder nicht mehr angefordert: es wird nichts mehr für sie gebucht.");
  }
}
