#include "engine/InvAnfLesen.h"

#include <algorithm>
#include <tuple>

#include "engine/InvAnfIntern.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

std::vector<TiaSatz> IAAnforderungenDesJahres(TDate AWiJahr) {
  Tiafile IA(RF_OPEN_NORMAL, -1);
  IA.WiJahr.SetFilterMinMax(AWiJahr);
  IA.SelectKey(Tiafile::KEY_ANFORDERUNG);
  std::vector<TiaSatz> Saetze;
  for (bool G = IA.Get_first(); G; G = IA.Get_next()) Saetze.push_back(IA.GetSatz());
  std::stable_sort(Saetze.begin(), Saetze.end(), [](const TiaSatz& A, const TiaSatz& B) {
    return std::tie(A.Zaehldatum, A.FilNr) < std::tie(B.Zaehldatum, B.FilNr);
  });
  return Saetze;
}

bool IAImWiJahr(TDateTime AGespeichert, int32_t AWiJahr) { return YearOf(AGespeichert) == AWiJahr; }

std::optional<TiaSatz> IAAnforderungLesen(TDate AZaehldatum, const std::string& AWG, int AFilNr) {
  Tiafile IA(RF_OPEN_NORMAL, -1);
  InvAnfIntern::SchluesselSetzen(IA, IAAnforderungSchluessel(0, AZaehldatum, AWG, AFilNr));
  if (!IA.Get_equal()) return std::nullopt;
  return IA.GetSatz();
}

std::optional<TiaSatz> IAAnforderungLesen(const TVglInvAnf_Inv& AAnf) {
  Tiafile IA(RF_OPEN_NORMAL, -1);
  return IAAnforderungLesen(IA, AAnf);
}

std::optional<TiaSatz> IAAnforderungLesen(Tiafile& AIA, const TVglInvAnf_Inv& AAnf) {
  AIA.ResetForReuse();
  InvAnfIntern::SchluesselSetzen(AIA, AAnf);
  if (!AIA.Get_equal() || !IAImWiJahr(AIA.WiJahr.GetWert(), AAnf.WiJahr)) return std::nullopt;
  return AIA.GetSatz();
}

TVglInvAnf_Inv IAAnforderungSchluessel(const TiaSatz& ASatz) {
  TVglInvAnf_Inv A = IAAnforderungSchluessel(ASatz.WiJahr, ASatz.Zaehldatum, ASatz.WG, ASatz.FilNr);
  A.KZZaehlung = static_cast<uint8_t>(Char_2_IA_KZZaehlung(ASatz.KZZaehlung));
  return A;
}

TVglInvAnf_Inv IAAnforderungSchluessel(TDate AWiJahr, TDate AZaehldatum, const std::string& AWG, int AFilNr) {
  TVglInvAnf_Inv A;
  A.FilNr = static_cast<int16_t>(AFilNr);
  A.WG = AWG;
  A.WiJahr = YearOf(AWiJahr);
  A.Zaehldatum = AZaehldatum;
  return A;
}
