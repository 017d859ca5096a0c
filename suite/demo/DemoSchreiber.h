#pragma once
// Writes the demo company into the tables of the record files and of the
// suite, through prepared INSERT statements that are made once and reused for
// every row (on PostgreSQL they are pipelined inside the transaction).
#include <memory>
#include <string>
#include <vector>

#include "suite/demo/DemoInventur.h"

class TDbConnection;
class TDbStatement;

// One prepared INSERT; values are bound in column order, Zeile() sends the row.
class TDemoEinfueger {
 public:
  TDemoEinfueger(TDbConnection& AConnection, const std::string& ATabelle, const std::vector<std::string>& ASpalten);
  ~TDemoEinfueger();
  TDemoEinfueger& Int(int64_t AWert);
  TDemoEinfueger& Dbl(double AWert);
  TDemoEinfueger& Text(std::string_view AWert);
  TDemoEinfueger& ProdId(const TInt32Trio& APId) { return Int(APId.I1).Int(APId.I2).Int(APId.I3); }
  void Zeile();
  int64_t Zeilen() const { return FZeilen; }

 private:
  std::unique_ptr<TDbStatement> FStatement;
  int FSpalten = 0;
  int FIndex = 0;
  int64_t FZeilen = 0;
};

class TDemoSchreiber {
 public:
  explicit TDemoSchreiber(TDbConnection& AConnection);
  ~TDemoSchreiber();

  void Stammdaten(const TDemoPlan& APlan);
  void Artikel(const TDemoArtikel& AArt, const std::vector<TDemoInventurZeile>& AInventur,
               const std::vector<TDemoAnforderung>& AAnforderungen);
  void Anforderungen(const std::vector<TDemoAnforderung>& AAnforderungen);

  struct TZaehler {
    int64_t Artikel = 0, Bestaende = 0, Filialverkaeufe = 0, Preise = 0, ArtNummern = 0, Inventurzeilen = 0,
            Anforderungen = 0;
  };
  TZaehler Zaehler() const;

 private:
  TDbConnection& FConnection;
  TDemoEinfueger FArtikel, FArtikelWG, FPreis, FKennzahl, FArtNr, FBestand, FVerkauf, FInventur;
  int64_t FAnforderungen = 0;
};
