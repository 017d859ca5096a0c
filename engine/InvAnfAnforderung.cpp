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

void TQLX_InvAnfMani::AnforderungenPruefen(const TInventurListe& AInventuren, std::vector<int32_t> APositionen,
                                           std::vector<bool>& AWeg) {
  // In key order, so programs locking the same requests never wait on each
  // other in a cycle.
  std::sort(APositionen.begin(), APositionen.end(), [&](int32_t A, int32_t B) {
    return InvAnfIntern::SchluesselVor(AInventuren.GetItem_Ptr(A)->InvAnf, AInventuren.GetItem_Ptr(B)->InvAnf);
  });
  APositionen.erase(std::unique(APositionen.begin(), APositionen.end()), APositionen.end());
  const char Angefordert = CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung::iazAngefordert);
  for (int32_t Q : APositionen) {
    if (AWeg[static_cast<size_t>(Q)]) continue;
    const TInventurDetails& D = *AInventuren.GetItem_Ptr(Q);
    IAFile_CiNoC();
    Tiafile& IA = Bereit(FIAFile, "Die Anforderungsdatei");
    SchluesselSetzen(IA, D.InvAnf);
    IA.SetUsedField({&IA.WiJahr, &IA.KZZaehlung});
    IA.SetSperrendLesen(true);
    if (IA.Get_equal() && IA.WiJahr.GetWert() == D.WiJahr && IA.KZZaehlung.GetWert() == Angefordert) continue;
    AWeg[static_cast<size_t>(Q)] = true;
    KWDLogSchreiben("TQLX_InvAnfMani.SollBestandBuchen",
                    "Inventur vom " + FormatDatum(D.InvAnf.Zaehldatum) + ", Warengruppe \"" + D.InvAnf.WG +
                        "\", Filiale " + std::to_string(D.InvAnf.FilNr) +
                        " ist gelöscht oder nicht mehr angefordert: es wird nichts mehr für sie gebucht.");
  }
}
