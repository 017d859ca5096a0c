// Which request an operation acts on: the one stored under exactly the
// fiscal year, counting date, product group and branch it was given, or none.
#include <algorithm>

#include "engine/InvAnfIntern.h"
#include "engine/TQLX_InvAnfMani.h"
#include "support/framework/KWDLog.h"
#include "support/recordfile/Tiafile.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

using InvAnfIntern::Bereit;

namespace {
// Sets the request key of AAnforderung on the request file.
void SchluesselSetzen(Tiafile& AIA, const TVglInvAnf_Inv& AAnforderung) {
  AIA.SelectKey(Tiafile::KEY_ANFORDERUNG);
  AIA.Key_Zaehldatum.SetKeyWert(AAnforderung.Zaehldatum);
  AIA.Key_WG.SetKeyWert(AAnforderung.WG);
  AIA.Key_FilNr.SetKeyWert(AAnforderung.FilNr);
}
}  // namespace

bool TQLX_InvAnfMani::AnforderungBesteht(const TVglInvAnf_Inv& AAnforderung) {
  IAFile_CiNoC();
  Tiafile& IA = Bereit(FIAFile, "Die Anforderungsdatei");
  SchluesselSetzen(IA, AAnforderung);
  return IA.Get_equal() && YearOf(IA.WiJahr.GetWert()) == AAnforderung.WiJahr;
}

std::vector<int32_t> TQLX_InvAnfMani::AnforderungenSenden(const TInventurListe& AInventuren,
                                                          std::vector<int32_t> APositionen,
                                                          const std::vector<bool>& AWeg) {
  std::erase_if(APositionen, [&](int32_t Q) { return AWeg[static_cast<size_t>(Q)]; });
  // In key order, so programs locking the same requests never wait on each
  // other in a cycle.
  InvAnfIntern::InSchluesselFolge(AInventuren, APositionen);
  APositionen.erase(std::unique(APositionen.begin(), APositionen.end()), APositionen.end());
  IAFile_CiNoC();
  Tiafile& IA = Bereit(FIAFile, "Die Anforderungsdatei");
  IA.SetUsedField({&IA.WiJahr, &IA.KZZaehlung});
  IA.SetSperrendLesen(true);
  IA.KeyListeLeeren();
  for (int32_t Q : APositionen) {
    SchluesselSetzen(IA, AInventuren.GetItem_Ptr(Q)->InvAnf);
    IA.KeyListeAnfuegen();
  }
  IA.KeyListeSenden();
  return APositionen;
}

void TQLX_InvAnfMani::AnforderungenLesen(const TInventurListe& AInventuren, const std::vector<int32_t>& AGesendet,
                                         std::vector<bool>& AWeg) {
  Tiafile& IA = Bereit(FIAFile, "Die Anforderungsdatei");
  const char Angefordert = CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung::iazAngefordert);
  std::vector<bool> Steht(AGesendet.size(), false);
  for (bool G = IA.Get_first_KeyListe(); G; G = IA.Get_next()) {
    const size_t I = static_cast<size_t>(IA.KeyListePosition());
    const TInventurDetails& D = *AInventuren.GetItem_Ptr(AGesendet[I]);
    Steht[I] = IA.WiJahr.GetWert() == D.WiJahr && IA.KZZaehlung.GetWert() == Angefordert;
  }
  for (size_t I = 0; I < AGesendet.size(); ++I) {
    if (Steht[I]) continue;
    AWeg[static_cast<size_t>(AGesendet[I])] = true;
    const TVglInvAnf_Inv& A = AInventuren.GetItem_Ptr(AGesendet[I])->InvAnf;
    KWDLogSchreiben("TQLX_InvAnfMani.SollBestandBuchen",
                    "Inventur vom " + FormatDatum(A.Zaehldatum) + ", Warengruppe \"" + A.WG + "\", Filiale " +
                        std::to_string(A.FilNr) +
                        " ist gelöscht oder nicht mehr angefordert: es wird nichts mehr für sie gebucht.");
  }
}
