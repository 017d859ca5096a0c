#pragma once
// Reads an article's purchase (EK) and selling (VK) price for a branch, a date
// and a size. SetProdId loads all price rows of the article in one query;
// every price asked afterwards comes from that cache, so valuing all sizes of
// an article costs one query. Call SetProdId again to see changed prices.
// Vorladen reads the rows of many articles in one go (sent at once, taken in
// at the next SetProdId); SetProdId of such an article then takes them from
// there until the next Vorladen.
//
// Which price applies: among the rows valid on the date (valid-from not after
// it; the latest valid-from wins), the first level that has one:
//   1. the branch's price for the size,   2. the branch's article price,
//   3. the company's price for the size,  4. the company's article price.
// No price at all gives 0.
#include <cstdint>
#include <string_view>
#include <vector>

#include "suite/SuiteAbfrage.h"
#include "support/types/KWDDatum.h"
#include "support/types/TInt32Trio.h"

// The price selection: price system, client and branch. Branch 0 selects the
// company's prices only.
struct TQLX_Preis_Sys_Mand_Fil {
  int16_t Sys = 0;
  int16_t Mand = 0;
  int16_t Fil = 0;
  static TQLX_Preis_Sys_Mand_Fil Construct(int AFilNr) { return {0, 0, static_cast<int16_t>(AFilNr)}; }
};

class TSimplePriceReader {
 public:
  void SetProdId(const TInt32Trio& APId);
  // ANurArt 'E' or 'V' reads only that kind's prices; the other kind of such
  // an article is read when it is asked for.
  void Vorladen(const std::vector<TInt32Trio>& APIds, char ANurArt = 0);
  void SetDatum(TDateTime ADatum);
  void SetSelekted(const TQLX_Preis_Sys_Mand_Fil& ASelektion);

  // AGrInd: 0-based size position (size index - 1); a negative position asks
  // for the article price. APreisliste is the suite's price-list key; the
  // company has one list, so it selects nothing here.
  double GEK_4_Art_Dat_Fil_GrInd(int8_t AGrInd, std::string_view APreisliste = {});
  double SVK_4_Art_Dat_Fil_GrInd(int8_t AGrInd, std::string_view APreisliste = {});

  // Queries run so far (for checking the cache).
  int Abfragen() const { return FAbfragen; }

 private:
  struct TPreisZeile {
    char Art;  // 'E' or 'V'
    int FilNr;
    int GrInd;
    TDate GueltigAb;
    double Preis;
  };
  double Preis(char AArt, int8_t AGrInd);
  static TPreisZeile ZeileLesen(const TDbStatement& AStatement, int ACol);
  void VorratEinlesen();
  void ArtikelListeSenden(const std::vector<TInt32Trio>& APIds, char ANurArt);
  void ZeilenLesen();

  TSuiteAbfragen FSql;
  TInt32Trio FPId;
  std::vector<TPreisZeile> FZeilen;
  char FZeilenArt = 0;  // FZeilen hold only this kind's prices; 0: all
  // The rows read ahead: FVorratZeilen[FVorratAnfang[i] .. FVorratAnfang[i + 1])
  // belong to FVorratPIds[i] (sorted, unique), so that an article's rows are
  // found by a binary search and copied without allocating.
  std::vector<TInt32Trio> FVorratPIds;
  std::vector<size_t> FVorratAnfang;
  std::vector<TPreisZeile> FVorratZeilen;
  char FVorratArt = 0;
  TStueckAbfrage FVorratAbfrage;  // sent by Vorladen, read at the next SetProdId
  std::vector<TInt32Trio> FVorratArtikel;
  TDateTime FDatum = 0;
  TQLX_Preis_Sys_Mand_Fil FSelektion;
  int FAbfragen = 0;
};
