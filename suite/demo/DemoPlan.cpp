#include "suite/demo/DemoPlan.h"

#include <algorithm>

#include "suite/demo/DemoKatalog.h"
#include "suite/demo/DemoZufall.h"

namespace {

std::vector<TDemoFiliale> FilialenErstellen(const TDemoOptionen& AOptionen) {
  std::vector<TDemoFiliale> filialen;
  TDemoZufall zufall(AOptionen.Seed, "filialen", 0);
  size_t lager = 0;
  for (int nr = 1; nr <= AOptionen.Filialen; ++nr) {
    TDemoFiliale f;
    f.Nr = static_cast<int16_t>(nr);
    // Every sixth branch is a warehouse-like branch.
    f.LV_Benutzen = nr % 6 == 0;
    if (f.LV_Benutzen) {
      f.Name = "Zentrallager " + std::string(DemoKatalog::Lagerorte[lager++ % DemoKatalog::Lagerorte.size()]);
    } else {
      const size_t ort = static_cast<size_t>(nr - 1) % DemoKatalog::Orte.size();
      f.Name = "Filiale " + std::string(DemoKatalog::Orte[ort]);
      if (static_cast<size_t>(nr - 1) >= DemoKatalog::Orte.size()) f.Name += " " + std::to_string(nr);
      if (zufall.Prozent(25)) f.Name += " Innenstadt";
    }
    filialen.push_back(f);
  }
  return filialen;
}

void WarengruppenErstellen(TDemoPlan& APlan) {
  TDemoZufall zufall(APlan.Optionen.Seed, "warengruppen", 0);
  auto neu = [&](std::string ANr, std::string AText, int AEbene) {
    APlan.Warengruppen.push_back({std::move(ANr), std::move(AText), AEbene, true});
    return APlan.Warengruppen.size() - 1;
  };
  for (size_t h = 0; h < DemoKatalog::Hauptgruppen.size(); ++h) {
    const auto& haupt = DemoKatalog::Hauptgruppen[h];
    const std::string nr1 = std::to_string(h + 1);
    APlan.Warengruppen[neu(nr1, std::string(haupt.Text), 1)].Blatt = false;
    const int unter = static_cast<int>(zufall.Zahl(3, 6));
    for (int u = 0; u < unter; ++u) {
      const std::string nr2 = nr1 + std::to_string(u + 1);
      const std::string text2(haupt.Untergruppen[static_cast<size_t>(u)]);
      const size_t i2 = neu(nr2, text2, 2);
      // The first main group always holds one four-level branch and one
      // two-level leaf, so every depth is there whatever the seed.
      const bool tief = (h == 0 && u == 0) || (!(h == 0 && u == 1) && zufall.Prozent(55));
      if (!tief) continue;
      APlan.Warengruppen[i2].Blatt = false;
      const int linien = static_cast<int>(zufall.Zahl(2, 4));
      for (int l = 0; l < linien; ++l) {
        const std::string nr3 = nr2 + std::to_string(l + 1);
        const std::string text3 = text2 + " " + std::string(DemoKatalog::Linien[static_cast<size_t>(u + l) % 6]);
        const size_t i3 = neu(nr3, text3, 3);
        if (!((h == 0 && u == 0 && l == 0) || zufall.Prozent(35))) continue;
        APlan.Warengruppen[i3].Blatt = false;
        const int saisons = static_cast<int>(zufall.Zahl(2, 3));
        for (int s = 0; s < saisons; ++s)
          neu(nr3 + std::to_string(s + 1), text3 + " " + std::string(DemoKatalog::Saisons[static_cast<size_t>(s)]), 4);
      }
    }
  }
  for (size_t i = 0; i < APlan.Warengruppen.size(); ++i)
    if (APlan.Warengruppen[i].Blatt) APlan.Blaetter.push_back(i);
}

void LieferantenErstellen(TDemoPlan& APlan) {
  TDemoZufall zufall(APlan.Optionen.Seed, "lieferanten", 0);
  const int64_t anzahl = std::clamp<int64_t>(APlan.Optionen.Artikel / 400, 20, 2500);
  for (int64_t i = 0; i < anzahl; ++i) {
    TDemoLieferant l;
    l.Gep = TIntPair{1, static_cast<int32_t>(70001 + i)};
    l.Ort = std::string(zufall.Eines(DemoKatalog::Orte));
    l.Name = std::string(zufall.Eines(DemoKatalog::Firmenwoerter)) + " " + l.Ort + " " +
             std::string(zufall.Eines(DemoKatalog::Rechtsformen));
    APlan.Lieferanten.push_back(std::move(l));
  }
}

// Requests: two closed earlier fiscal years, and the current year with every
// counting state. On one counting date and branch the product groups never
// overlap, as the suite's request service demands.
void AnforderungenErstellen(TDemoPlan& APlan, const TDemoStatus& AStatus) {
  TDemoZufall zufall(APlan.Optionen.Seed, "anforderungen", 0);
  std::vector<int16_t> laeden;
  for (const auto& f : APlan.Filialen)
    if (!f.LV_Benutzen) laeden.push_back(f.Nr);
  if (laeden.empty()) laeden.push_back(APlan.Filialen.front().Nr);
  auto anlegen = [&](int16_t AFil, std::string AWG, TDate AWiJahr, TDate AZaehl, int AStatusOrd, TDemoBuchung ABuchung) {
    TDemoAnforderung a;
    a.FilNr = AFil;
    a.WG = std::move(AWG);
    a.WiJahr = AWiJahr;
    a.Zaehldatum = AZaehl;
    a.Status = AStatusOrd;
    a.Buchung = ABuchung;
    a.ErstellDatum = AZaehl - static_cast<double>(zufall.Zahl(10, 40));
    a.ErstellZeit = static_cast<int>(zufall.Zahl(7, 18) * 100 + zufall.Zahl(0, 59));
    APlan.Anforderungen.push_back(std::move(a));
    return &APlan.Anforderungen.back();
  };

  const int jahr = YearOf(APlan.WiJahrAktuell);
  const char* gruppenFrueher[2][2] = {{"1", "2"}, {"3", "11"}};
  for (int v = 0; v < 2; ++v) {
    const int j = jahr - 2 + v;
    for (size_t l = 0; l < std::min<size_t>(4, laeden.size()); ++l)
      for (const char* wg : gruppenFrueher[v]) {
        auto* a = anlegen(laeden[l], wg, EncodeDate(j, 1, 1), EncodeDate(j, 12, 30), AStatus.Abgeschlossen,
                          TDemoBuchung::Vollstaendig);
        a->Abschlussdatum = EncodeDate(j + 1, 1, 10);
        a->Vorjahr = true;
      }
  }

  const TDate stichtag = APlan.Optionen.Stichtag;
  const TDate vergangen = std::max(APlan.WiJahrAktuell, stichtag - 14);
  const TDate kuenftig = stichtag + 21;
  size_t i = 0;
  auto naechste = [&](TDate AZaehl, int AStatusOrd, TDemoBuchung ABuchung) {
    // Main groups are "1" .. "9".
    const std::string wg = std::to_string(i % DemoKatalog::Hauptgruppen.size() + 1);
    anlegen(laeden[i % laeden.size()], wg, APlan.WiJahrAktuell, AZaehl, AStatusOrd, ABuchung);
    ++i;
  };
  for (int s : AStatus.Alle) {
    if (s == AStatus.Angefordert) {
      naechste(vergangen, s, TDemoBuchung::Keine);
      naechste(kuenftig, s, TDemoBuchung::Teilweise);
    } else if (s == 0) {
      naechste(kuenftig, s, TDemoBuchung::Keine);
    } else {
      naechste(vergangen, s, TDemoBuchung::Vollstaendig);
      if (s == AStatus.Abgeschlossen) APlan.Anforderungen.back().Abschlussdatum = stichtag - 1;
    }
  }
  // A request for all product groups on a day of its own.
  anlegen(laeden.front(), "", APlan.WiJahrAktuell, kuenftig + 7, AStatus.Angefordert, TDemoBuchung::Keine);
}

}  // namespace

TDemoPlan DemoPlanErstellen(const TDemoOptionen& AOptionen, const TDemoStatus& AStatus) {
  TDemoPlan plan;
  plan.Optionen = AOptionen;
  const TDatumTeile heute = DecodeDate(AOptionen.Stichtag);
  const int beginn = heute.Monat >= plan.StartMonat ? heute.Jahr : heute.Jahr - 1;
  plan.WiJahrAktuell = EncodeDate(beginn, plan.StartMonat, 1);
  plan.Filialen = FilialenErstellen(AOptionen);
  WarengruppenErstellen(plan);
  LieferantenErstellen(plan);
  AnforderungenErstellen(plan, AStatus);
  return plan;
}
