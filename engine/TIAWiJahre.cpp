#include "engine/TIAWiJahre.h"

#include "suite/TInvMani.h"
#include "support/framework/KWDGuard.h"
#include "support/services/TParameter.h"

void IAWiJahreFuellen(std::vector<TDate>& AWiJahre, int AStartMonat, TDate AHeute) {
  const TDatumTeile Heute = DecodeDate(AHeute);
  if (!AWiJahre.empty()) {
    const TDatumTeile L = DecodeDate(AWiJahre.back());
    for (int J = L.Jahr + 1;; ++J) {
      TDate Kandidat = 0;
      // 29.02. in a year without it has no successor date: stop there.
      if (!TryEncodeDate(J, L.Monat, L.Tag, Kandidat) || Kandidat >= AHeute) break;
      AWiJahre.push_back(Kandidat);
    }
    return;
  }
  const int S = Heute.Monat >= AStartMonat ? Heute.Jahr : Heute.Jahr - 1;
  if ((Heute.Jahr * 12 + Heute.Monat) - (S * 12 + AStartMonat) < 2) AWiJahre.push_back(EncodeDate(S - 1, AStartMonat, 1));
  AWiJahre.push_back(EncodeDate(S, AStartMonat, 1));
}

TIAWiJahr IAWiJahrBeschreiben(TDate ABeginn, TDate AHeute) {
  TIAWiJahr W;
  W.Beginn = ABeginn;
  // One year on, minus a day (IncYear keeps a start on 29.02. from failing).
  W.Ende = IncYear(ABeginn, 1) - 1;
  W.Text = FormatDatum(W.Beginn) + " - " + FormatDatum(W.Ende);
  W.EnthaeltHeute = W.Beginn <= AHeute && W.Ende >= AHeute;
  return W;
}

std::vector<TIAWiJahr> IAWiJahreAngebot(const std::vector<TDate>& ABekannt, int AStartMonat, TDate AHeute) {
  std::vector<TDate> Jahre = ABekannt;
  IAWiJahreFuellen(Jahre, AStartMonat, AHeute);
  std::vector<TIAWiJahr> Angebot;
  for (TDate J : Jahre) Angebot.push_back(IAWiJahrBeschreiben(J, AHeute));
  return Angebot;
}

std::vector<TIAWiJahr> IAWiJahreDerFirma(TDate AHeute) {
  std::vector<TIAWiJahr> Angebot;
  KWDGuard("IAWiJahreDerFirma", [&] {
    TInvMani InvMani;
    const std::vector<TDate> Bekannt = InvMani.Inv_get_WiJahrArray();
    Angebot = IAWiJahreAngebot(Bekannt, KWDParameter().GetIntegerValueByName("STARTMON"), AHeute);
  });
  return Angebot;
}

bool IAWiJahrAngeboten(TDate AWiJahr, TDate AHeute) {
  for (const TIAWiJahr& J : IAWiJahreDerFirma(AHeute))
    if (J.Beginn == AWiJahr) return true;
  return false;
}
