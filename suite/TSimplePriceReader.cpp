#include "suite/TSimplePriceReader.h"

#include <optional>

#include "support/framework/KWDGuard.h"

void TSimplePriceReader::SetProdId(const TInt32Trio& APId) {
  FZeilen.clear();
  KWDGuard("TSimplePriceReader.SetProdId", [&] {
    auto& S = FSql.Get(
        "SELECT preisart, filnr, grind, gueltig_ab, preis FROM artikelpreis "
        "WHERE prodid1 = ? AND prodid2 = ? AND prodid3 = ?");
    TAbfrageEnde Ende(S);
    BindProdId(S, 1, APId);
    ++FAbfragen;
    while (S.Step()) {
      const std::string Art = S.ColumnText(0);
      FZeilen.push_back({Art.empty() ? ' ' : Art[0], static_cast<int>(S.ColumnInt(1)), static_cast<int>(S.ColumnInt(2)),
                         S.ColumnDouble(3), S.ColumnDouble(4)});
    }
  });
}

void TSimplePriceReader::SetDatum(TDateTime ADatum) { FDatum = ADatum; }

void TSimplePriceReader::SetSelekted(const TQLX_Preis_Sys_Mand_Fil& ASelektion) { FSelektion = ASelektion; }

double TSimplePriceReader::Preis(char AArt, int8_t AGrInd) {
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
