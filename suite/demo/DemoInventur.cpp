#include "suite/demo/DemoInventur.h"

#include <algorithm>

#include "suite/demo/DemoZufall.h"

namespace {

bool Gebucht(const TDemoAnforderung& AAnf, const TDemoArtikel& AArt) {
  switch (AAnf.Buchung) {
    case TDemoBuchung::Vollstaendig:
      return true;
    case TDemoBuchung::Teilweise:
      return AArt.Index % 3 == 0;  // an interrupted completion: a third is booked
    default:
      return false;
  }
}

}  // namespace

std::vector<TDemoInventurZeile> DemoInventurBuchen(const TDemoArtikel& AArt,
                                                   std::vector<TDemoAnforderung>& AAnforderungen,
                                                   const TDemoStatus& AStatus,
                                                   const std::function<bool(int)>& AIstWert, uint64_t ASeed) {
  std::vector<TDemoInventurZeile> zeilen;
  if (AArt.Pruefschaerfe < 2) return zeilen;
  for (size_t a = 0; a < AAnforderungen.size(); ++a) {
    TDemoAnforderung& anf = AAnforderungen[a];
    if (!Gebucht(anf, AArt) || !DemoWGUmfasst(anf.WG, AArt.WG->Nr) || !AArt.Vorhanden(anf.FilNr)) continue;
    // Counted requests carry what the teams counted as their actual value;
    // the earlier fiscal years also had other stock than today.
    const bool gezaehlt = anf.Status == AStatus.Gezaehlt || anf.Status == AStatus.Abgeschlossen;
    const bool frueher = anf.Vorjahr;
    TDemoZufall zufall(ASeed, "inventur", static_cast<uint64_t>(AArt.Index) * 64 + a);
    const size_t vorher = zeilen.size();
    for (const auto& b : AArt.Bestaende) {
      if (b.FilNr != anf.FilNr || !b.Zaehlt() || !b.TypGezaehlt()) continue;
      TDemoInventurZeile z;
      z.Anforderung = a;
      z.BestTyp = b.BestTyp;
      int64_t wert = 0;
      for (int g = AArt.GrVon; g <= AArt.GrBis; ++g) {
        int32_t m = b.Menge[static_cast<size_t>(g - 1)];
        if (frueher && m > 0) m = std::max<int32_t>(0, m + static_cast<int32_t>(zufall.Zahl(-1, 1)));
        z.Menge[static_cast<size_t>(g - 1)] = m;
        z.Sollmenge += m;
        if (m != 0) wert += m * AArt.EKCent(anf.FilNr, anf.Zaehldatum, g);
      }
      anf.EKSollCent += wert;
      if (gezaehlt)
        anf.EKIstCent += wert * zufall.Zahl(94, 101) / 100;  // counted, with the usual shrinkage
      else if (AIstWert(b.BestTyp))
        anf.EKIstCent += wert;
      zeilen.push_back(z);
    }
    // Present only through branch sales: one record without quantities.
    if (zeilen.size() == vorher) {
      TDemoInventurZeile z;
      z.Anforderung = a;
      z.BestTyp = 1;
      zeilen.push_back(z);
    }
  }
  return zeilen;
}
