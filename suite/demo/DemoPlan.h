#pragma once
// The small, company-wide part of the demo company, held in memory while the
// articles stream past: branches, the product-group tree, suppliers and the
// stock-take requests (whose values grow as their articles are booked).
#include <cstdint>
#include <string>
#include <vector>

#include "support/types/KWDDatum.h"
#include "support/types/TInt32Trio.h"

struct TDemoOptionen {
  uint64_t Seed = 1;
  int64_t Artikel = 20000;
  int Filialen = 12;
  TDate Stichtag = 0;  // "today" of the demo company; the fiscal years hang on it
  // Every article stocked in every branch, half of them under a second
  // counted stock type: a full assortment, as the booking benchmarks need.
  bool Vollsortiment = false;
};

struct TDemoFiliale {
  int16_t Nr = 0;
  std::string Name;
  bool LV_Benutzen = false;  // warehouse-like branch, booked through stock management
};

struct TDemoWarengruppe {
  std::string Nr;  // a sub-group's number begins with its parent's number
  std::string Text;
  int Ebene = 1;   // 1 .. 4
  bool Blatt = true;
};

struct TDemoLieferant {
  TIntPair Gep;  // partner key
  std::string Name;
  std::string Ort;
};

// How much of a request's target stock the demo has booked already.
enum class TDemoBuchung { Keine, Teilweise, Vollstaendig };

struct TDemoAnforderung {
  int16_t FilNr = 0;
  std::string WG;  // empty: all product groups
  TDate WiJahr = 0;  // first day of the fiscal year
  TDate Zaehldatum = 0;
  TDate Abschlussdatum = KWD_KEIN_DATUM;
  int Status = 1;  // ordinal of the counting state
  TDate ErstellDatum = 0;
  int ErstellZeit = 0;  // hhmm
  TDemoBuchung Buchung = TDemoBuchung::Keine;
  bool Vorjahr = false;  // an earlier fiscal year: its stock differed from today's
  // Sums in cents, added up exactly while articles are booked.
  int64_t EKSollCent = 0;
  int64_t EKIstCent = 0;
};

struct TDemoPlan {
  TDemoOptionen Optionen;
  int StartMonat = 1;  // the fiscal year begins in January
  TDate WiJahrAktuell = 0;
  std::vector<TDemoFiliale> Filialen;
  std::vector<TDemoWarengruppe> Warengruppen;  // in key order
  std::vector<size_t> Blaetter;                // indices of the groups articles hang in
  std::vector<TDemoLieferant> Lieferanten;
  std::vector<TDemoAnforderung> Anforderungen;
};

// Ordinals of the counting states the demo uses: every one of AAlle gets at
// least one request; AAbgeschlossen is the state of the earlier fiscal years.
struct TDemoStatus {
  std::vector<int> Alle;
  int Angefordert = 1;
  int Eroeffnet = 2;
  int Gezaehlt = 4;
  int Abgeschlossen = 5;
};

// Builds everything but the articles.
TDemoPlan DemoPlanErstellen(const TDemoOptionen& AOptionen, const TDemoStatus& AStatus);

// True when the article of group AArtikelWG belongs to a request for ARequestWG.
inline bool DemoWGUmfasst(const std::string& AAnforderungWG, const std::string& AArtikelWG) {
  return AArtikelWG.compare(0, AAnforderungWG.size(), AAnforderungWG) == 0;
}
