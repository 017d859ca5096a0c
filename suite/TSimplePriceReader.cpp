#include "suite/TSimplePriceReader.h"

#include <algorithm>
#include <optional>
#include <string>

#include "support/framework/KWDGuard.h"

TSimplePriceReader::TPreisZeile TSimplePriceReader::ZeileLesen(const TDbStatement& AStatement, int ACol) {
  const std::string Art = AStatement.ColumnText(ACol);
  return {Art.empty() ? ' ' : Art[0], static_cast<int>(AStatement.ColumnInt(ACol + 1)),
          static_cast<int>(AStatement.ColumnInt(ACol + 2)), AStatement.ColumnDouble(ACol + 3),
          AStatement.ColumnDouble(ACol + 4)};
}

void TSimplePriceReader::SetProdId(const TInt32Trio& APId) {
  FPId = APId;
  FZeilen.clear();
  FZeilenArt = 0;
  KWDGuard("TSimplePriceReader.SetProdId", [&] {
    VorratEinlesen();
    if (auto It = FVorrat.find(APId); It != FVorrat.end()) {
      FZeilen = It->second;
      FZeilenArt = FVorratArt;
      return;
    }
    ZeilenLesen();
  });
}

void TSimplePriceReader::ZeilenLesen() {
  FZeilen.clear();
  FZeilenArt = 0;
  auto& S = FSql.GetGanz(
      "SELECT preisart, filnr, grind, gueltig_ab, preis FROM artikelpreis "
      "WHERE prodid1 = ? AND prodid2 = ? AND prodid3 = ?");
  TAbfrageEnde Ende(S);
  BindProdId(S, 1, FPId);
  ++FAbfragen;
  while (S.Step()) FZeilen.push_back(ZeileLesen(S, 0));
}

void TSimplePriceReader::Vorladen(const std::vector<TInt32Trio>& APIds, char ANurArt) {
  FVorrat.clear();
  FVorratArtikel.clear();
  FVorratArt = ANurArt;
  KWDGuard("TSimplePriceReader.Vorladen", [&] {
    // Sent now, read at the next SetProdId: on PostgreSQL the read can share
    // a round trip with whatever the caller reads in between.
    const std::string Arm = std::string(
                                "SELECT prodid1, prodid2, prodid3, preisart, filnr, grind, gueltig_ab, preis "
                                "FROM artikelpreis WHERE prodid1 = ? AND prodid2 = ? AND prodid3 = ?") +
                            (ANurArt ? " AND preisart = ?" : "");
    FVorratAbfrage.Senden(FSql, Arm, APIds.size(), [&](TDbStatement& S, int P, size_t I) {
      BindProdId(S, P, APIds[I]);
      if (!ANurArt) return P + 3;
      S.BindText(P + 3, std::string(1, ANurArt));
      return P + 4;
    });
    FAbfragen += static_cast<int>((APIds.size() + TStueckAbfrage::KJeAbfrage - 1) / TStueckAbfrage::KJeAbfrage);
    FVorratArtikel = APIds;
  });
}

void TSimplePriceReader::VorratEinlesen() {
  if (!FVorratAbfrage.Offen()) return;
  // Filled aside: after a failed read no article may have half its rows.
  std::map<TInt32Trio, std::vector<TPreisZeile>> Vorrat;
  for (const TInt32Trio& PId : FVorratArtikel) Vorrat[PId];  // an article without prices is known too
  FVorratArtikel.clear();
  FVorratAbfrage.Lesen([&](TDbStatement& S) { Vorrat[ColumnProdId(S, 0)].push_back(ZeileLesen(S, 3)); });
  FVorrat = std::move(Vorrat);
}

void TSimplePriceReader::SetDatum(TDateTime ADatum) { FDatum = ADatum; }

void TSimplePriceReader::SetSelekted(const TQLX_Preis_Sys_Mand_Fil& ASelektion) { FSelektion = ASelektion; }

double TSimplePriceReader::Preis(char AArt, int8_t AGrInd) {
  if (FZeilenArt && FZeilenArt != AArt) ZeilenLesen();  // the other kind was not read ahead
  const int GrInd = AGrInd < 0 ? 0 : AGrInd + 1;
  // a price valid from some day applies for the whole of that day
  const TDate Stichtag = DateOf(FDatum) + 1;
  auto Gueltig = [&](int AFilNr, int AStufeGrInd) -> std::optional<double> {
    const TPreisZeile* Beste = nullptr;
    for (const auto& Z : FZeilen)
      if (Z.Art == AArt && Z.FilNr == AFilNr && Z.GrInd == AStufeGrInd && Z.GueltigAb < Stichtag &&
          (!Beste || Z.GueltigAb > Beste->GueltigAb))
        Beste = &Z;
    if (!Beste) return std::nullopt;
    return Beste->Preis;
  };
  const int FilNr = FSelektion.Fil;
  if (FilNr != 0) {
    if (GrInd != 0)
      if (auto P = Gueltig(FilNr, GrInd)) return *P;
    if (auto P = Gueltig(FilNr, 0)) return *P;
  }
  if (GrInd != 0)
    if (auto P = Gueltig(0, GrInd)) return *P;
  return Gueltig(0, 0).value_or(0.0);
}

double TSimplePriceReader::GEK_4_Art_Dat_Fil_GrInd(int8_t AGrInd, std::string_view) {
  return KWDGuard("TSimplePriceReader.GEK_4_Art_Dat_Fil_GrInd", [&] { return Preis('E', AGrInd); }, 0.0);
}

double TSimplePriceReader::SVK_4_Art_Dat_Fil_GrInd(int8_t AGrInd, std::string_view) {
  return KWDGuard("TSimplePriceReader.SVK_4_Art_Dat_Fil_GrInd", [&] { return Preis('V', AGrInd); }, 0.0);
}
