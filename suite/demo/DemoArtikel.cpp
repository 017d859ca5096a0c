#include "suite/demo/DemoArtikel.h"

#include <algorithm>
#include <cstdio>

#include "suite/demo/DemoKatalog.h"
#include "suite/demo/DemoZufall.h"

TInt32Trio DemoProduktId(int64_t AIndex) {
  return TInt32Trio::Construct(static_cast<int32_t>(1 + AIndex / 500000),
                               static_cast<int32_t>(AIndex % 500000 / 1000 + 1),
                               static_cast<int32_t>(AIndex % 1000 + 1));
}

int64_t TDemoArtikel::EKCent(int16_t AFilNr, TDate ADatum, int AGrInd) const {
  // Levels in order of precedence; within a level the latest valid price wins.
  const std::pair<int16_t, int> stufen[] = {{AFilNr, AGrInd}, {AFilNr, 0}, {0, AGrInd}, {0, 0}};
  for (const auto& [fil, gr] : stufen) {
    const TDemoPreis* best = nullptr;
    for (const auto& p : Preise)
      if (p.Einkauf && p.FilNr == fil && p.GrInd == gr && p.GueltigAb <= ADatum &&
          (best == nullptr || p.GueltigAb > best->GueltigAb))
        best = &p;
    if (best != nullptr) return best->Cent;
  }
  return 0;
}

bool TDemoArtikel::Vorhanden(int16_t AFilNr) const {
  for (const auto& b : Bestaende)
    if (b.FilNr == AFilNr && b.Zaehlt() && b.TypGezaehlt()) return true;
  for (const auto& v : Verkaeufe)
    if (v.FilNr == AFilNr && v.Satzart == 'F' && v.Bewegungsart == "23") return true;
  return false;
}

namespace {

void Stammdaten(TDemoArtikel& AArt, const TDemoPlan& APlan, TDemoZufall& AZufall) {
  AArt.WG = &APlan.Warengruppen[APlan.Blaetter[static_cast<size_t>(AZufall.Zahl(0, static_cast<int64_t>(APlan.Blaetter.size()) - 1))]];
  AArt.Lieferant = &APlan.Lieferanten[static_cast<size_t>(AZufall.Zahl(0, static_cast<int64_t>(APlan.Lieferanten.size()) - 1))];
  AArt.Text1 = AArt.WG->Text;
  AArt.Text2 = std::string(AZufall.Eines(DemoKatalog::Materialien)) + ", " + std::string(AZufall.Eines(DemoKatalog::Farben));
  AArt.Text3 = "Modell " + std::to_string(AZufall.Zahl(1000, 9999));
  const int p = static_cast<int>(AZufall.Zahl(0, 99));
  AArt.Pruefschaerfe = p < 5 ? 0 : p < 15 ? 1 : p < 50 ? 2 : 3;

  // Apparel size runs: mostly a few sizes, some long runs beyond 17 and 34.
  const int r = static_cast<int>(AZufall.Zahl(0, 99));
  const int laenge = static_cast<int>(r < 55 ? AZufall.Zahl(1, 6) : r < 80 ? AZufall.Zahl(7, 17)
                                      : r < 92 ? AZufall.Zahl(18, 34) : AZufall.Zahl(35, 40));
  AArt.GrVon = static_cast<int>(AZufall.Zahl(1, DEMO_GROESSEN - laenge + 1));
  AArt.GrBis = AArt.GrVon + laenge - 1;
  AArt.PreisGrInd = AArt.GrVon + (laenge - 1) / 2;

  AArt.HatKennzahlen = AZufall.Prozent(90);
  if (AArt.HatKennzahlen) {
    AArt.Kennzahl1 = static_cast<int>(AZufall.Zahl(1, 12));
    AArt.Kennzahl2 = static_cast<int>(AZufall.Zahl(1, 6));
  }
}

void ArtikelNummern(TDemoArtikel& AArt, const TDemoPlan& APlan, TDemoZufall& AZufall) {
  char nr[32];
  std::snprintf(nr, sizeof nr, "%s-%06lld", AArt.WG->Nr.c_str(), static_cast<long long>(AArt.Index + 1));
  TDate datum = APlan.WiJahrAktuell - 3 * 365 + static_cast<double>(AZufall.Zahl(0, 700));
  AArt.ArtNummern.push_back({datum, nr});
  if (AZufall.Prozent(15)) {
    const int weitere = static_cast<int>(AZufall.Zahl(1, 3));
    for (int w = 1; w <= weitere; ++w) {
      datum += static_cast<double>(AZufall.Zahl(30, 200));
      AArt.ArtNummern.push_back({datum, std::string(nr) + "/" + std::to_string(w)});
    }
  }
  // A later entry without a number: the history must skip it.
  if (AZufall.Prozent(2)) AArt.ArtNummern.push_back({datum + 10, ""});
}

int64_t Verkaufspreis(int64_t AEKCent) { return AEKCent * 22 / 1000 * 100 + 99; }

void Preise(TDemoArtikel& AArt, const TDemoPlan& APlan, TDemoZufall& AZufall) {
  const TDate basis = APlan.WiJahrAktuell - 2 * 366 - static_cast<double>(AZufall.Zahl(0, 400));
  const int64_t ek = AZufall.Zahl(299, 14999);
  auto preis = [&](int16_t AFil, int AGr, TDate AAb, int64_t AEK) {
    AArt.Preise.push_back({true, AFil, AGr, AAb, AEK});
    AArt.Preise.push_back({false, AFil, AGr, AAb, Verkaufspreis(AEK)});
  };
  preis(0, 0, basis, ek);
  const bool grosseGroessen = AArt.GrBis > 34;
  auto groessenPreise = [&](TDate AAb, int64_t AEK) {
    for (int g = std::max(35, AArt.GrVon); g <= AArt.GrBis; ++g) preis(0, g, AAb, AEK * 115 / 100);
  };
  if (grosseGroessen) groessenPreise(basis, ek);
  const int art = static_cast<int>(AZufall.Zahl(0, 99));
  if (art < 20) {
    // A price change inside the last two years.
    const TDate ab = APlan.WiJahrAktuell - 2 * 365 + static_cast<double>(AZufall.Zahl(0, 2 * 365));
    const int64_t neu = ek * AZufall.Zahl(90, 110) / 100;
    preis(0, 0, ab, neu);
    if (grosseGroessen) groessenPreise(ab, neu);
  } else if (art < 30 && !grosseGroessen) {
    // Branch prices, only where no size prices exist, so no level is in doubt.
    const size_t anzahl = static_cast<size_t>(AZufall.Zahl(1, 2));
    for (size_t i = 0; i < anzahl; ++i) {
      const auto& fil = AZufall.Eines(APlan.Filialen);
      bool schon = false;
      for (const auto& p : AArt.Preise) schon = schon || p.FilNr == fil.Nr;
      if (!schon) preis(fil.Nr, 0, basis, ek * AZufall.Zahl(85, 105) / 100);
    }
  }
}

void Mengen(TDemoBestand& ABestand, const TDemoArtikel& AArt, TDemoZufall& AZufall, int AMax) {
  for (int g = AArt.GrVon; g <= AArt.GrBis; ++g)
    ABestand.Menge[static_cast<size_t>(g - 1)] = AZufall.Prozent(35) ? 0 : static_cast<int32_t>(AZufall.Zahl(1, AMax));
}

void Bestaende(TDemoArtikel& AArt, const TDemoPlan& APlan, TDemoZufall& AZufall) {
  static constexpr int gezaehlt[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18};
  static constexpr int ungezaehlt[] = {17, 19, 20, 21, 22, 23};
  for (const auto& fil : APlan.Filialen) {
    const bool voll = APlan.Optionen.Vollsortiment;
    if (!voll && !AZufall.Prozent(fil.LV_Benutzen ? 45 : 28)) continue;
    const int max = fil.LV_Benutzen ? 20 : 6;
    TDemoBestand b;
    b.FilNr = fil.Nr;
    b.BestTyp = 1;
    // Some records are kept but do not count: figure A above figure B.
    const int f = static_cast<int>(AZufall.Zahl(0, 99));
    if (f < 5) {
      b.A = 3, b.B = 1;
    } else if (f < 7) {
      b.A = 3, b.B = 1, b.C = static_cast<int>(AZufall.Zahl(1, 5));  // counts through C
    } else {
      b.B = static_cast<int>(AZufall.Zahl(0, 4));
    }
    Mengen(b, AArt, AZufall, max);
    AArt.Bestaende.push_back(b);
    auto weitere = [&](int ATyp) {
      TDemoBestand w;
      w.FilNr = fil.Nr;
      w.BestTyp = ATyp;
      w.B = 1;
      Mengen(w, AArt, AZufall, 3);
      AArt.Bestaende.push_back(w);
    };
    if (AZufall.Prozent(voll ? 50 : 8)) weitere(AZufall.Eines(gezaehlt));
    if (AZufall.Prozent(6)) weitere(AZufall.Eines(ungezaehlt));
  }
}

void Verkaeufe(TDemoArtikel& AArt, const TDemoPlan& APlan, TDemoZufall& AZufall) {
  auto verkauf = [&](int16_t AFil, char AArtZ, const char* ABew) {
    const TDate datum = APlan.Optionen.Stichtag - static_cast<double>(AZufall.Zahl(1, 300));
    AArt.Verkaeufe.push_back({AFil, AArtZ, ABew, datum, static_cast<int32_t>(AZufall.Zahl(1, 4))});
  };
  const auto& fil = AZufall.Eines(APlan.Filialen);
  bool hatBestand = false;
  for (const auto& b : AArt.Bestaende) hatBestand = hatBestand || b.FilNr == fil.Nr;
  // Present without stock: only a marking branch-sales record.
  if (!hatBestand && AZufall.Prozent(3)) verkauf(fil.Nr, 'F', "23");
  // Movements that do not mark presence.
  if (AZufall.Prozent(10)) verkauf(fil.Nr, 'F', "01");
  if (!hatBestand && AZufall.Prozent(3)) verkauf(fil.Nr, 'R', "23");
  if (AZufall.Prozent(2)) verkauf(fil.Nr, 'F', "24");
}

}  // namespace

TDemoArtikel DemoArtikelErzeugen(const TDemoPlan& APlan, int64_t AIndex) {
  TDemoZufall zufall(APlan.Optionen.Seed, "artikel", static_cast<uint64_t>(AIndex));
  TDemoArtikel art;
  art.Index = AIndex;
  art.PId = DemoProduktId(AIndex);
  Stammdaten(art, APlan, zufall);
  ArtikelNummern(art, APlan, zufall);
  Preise(art, APlan, zufall);
  Bestaende(art, APlan, zufall);
  Verkaeufe(art, APlan, zufall);
  return art;
}
