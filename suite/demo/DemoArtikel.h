#pragma once
// One demo article with everything that hangs on it: master data, prices,
// article-number history, figures, stock per branch and stock type, branch
// sales. Generated from the seed and the article's index alone.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "suite/demo/DemoPlan.h"

inline constexpr int DEMO_GROESSEN = 40;

struct TDemoBestand {
  int16_t FilNr = 0;
  int BestTyp = 1;  // stock type 0 .. 23
  int A = 0, B = 0, C = 0;  // stock figures: the record counts when A <= B or C != 0
  std::array<int32_t, DEMO_GROESSEN> Menge{};  // per size index 1 .. 40 at [i - 1]

  bool Zaehlt() const { return A <= B || C != 0; }
  // Stock types that are counted and booked: 1 to 16 and 18.
  bool TypGezaehlt() const { return (BestTyp >= 1 && BestTyp <= 16) || BestTyp == 18; }
};

struct TDemoFilialverkauf {
  int16_t FilNr = 0;
  char Satzart = 'F';
  std::string Bewegungsart;
  TDate Datum = 0;
  int32_t Menge = 0;
};

// A price row: company price (FilNr 0) or branch price, article price
// (GrInd 0) or size price, valid from a date.
struct TDemoPreis {
  bool Einkauf = true;  // purchase price, else selling price
  int16_t FilNr = 0;
  int GrInd = 0;
  TDate GueltigAb = 0;
  int64_t Cent = 0;
};

struct TDemoArtNr {
  TDate Eingabedatum = 0;
  std::string ArtNr;
};

struct TDemoArtikel {
  int64_t Index = 0;
  TInt32Trio PId;
  const TDemoWarengruppe* WG = nullptr;
  const TDemoLieferant* Lieferant = nullptr;
  std::string Text1, Text2, Text3;
  int Pruefschaerfe = 2;  // 0 .. 3
  int GrVon = 1, GrBis = 1;
  int PreisGrInd = 1;
  bool HatKennzahlen = true;
  int Kennzahl1 = 0, Kennzahl2 = 1;
  std::vector<TDemoArtNr> ArtNummern;
  std::vector<TDemoPreis> Preise;
  std::vector<TDemoBestand> Bestaende;
  std::vector<TDemoFilialverkauf> Verkaeufe;

  // The purchase price in cents that applies in branch AFilNr on ADatum for
  // size AGrInd: branch price before company price, size price before article
  // price, the latest valid-from date not after ADatum.
  int64_t EKCent(int16_t AFilNr, TDate ADatum, int AGrInd) const;
  // Present in the branch: a counting stock record of a counted type, or a
  // branch-sales record of kind 'F' and movement type "23".
  bool Vorhanden(int16_t AFilNr) const;
};

// The product id of article AIndex (0-based): ids run in blocks of 1000 so
// that all three parts of the id matter for the order.
TInt32Trio DemoProduktId(int64_t AIndex);

TDemoArtikel DemoArtikelErzeugen(const TDemoPlan& APlan, int64_t AIndex);
