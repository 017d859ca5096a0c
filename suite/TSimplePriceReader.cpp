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
    const auto It = std::lower_bound(FVorratPIds.begin(), FVorratPIds.end(), APId);
    if (It != FVorratPIds.end() && *It == APId) {
      const size_t I = static_cast<size_t>(It - FVorratPIds.begin());
      FZeilen.assign(FVorratZeilen.begin() + static_cast<std::ptrdiff_t>(FVorratAnfang[I]),
                     FVorratZeilen.begin() + static_cast<std::ptrdiff_t>(FVorratAnfang[I + 1]));
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
  FVorratPIds.clear();
  FVorratAnfang.clear();
  FVorratZeilen.clear();
  FVorratArtikel.clear();
  FVorratArt = ANurArt;
  KWDGuard("TSimplePriceReader.Vorladen", [&] {
    // Sent now, read at the next SetProdId: on PostgreSQL the read can share
    // a round trip with whatever the caller reads in between.
    const std::string Art(1, ANurArt);
    auto Binden = [&](TDbStatement& S, int P, size_t I) {
      BindProdId(S, P, APIds[I]);
      if (!ANurArt) return P + 3;
      S.BindText(P + 3, Art);
      return P + 4;
    };
    // The keys as a list of values joined to the prices: one statement per
    // 500 keys. PostgreSQL plans a plain join of many keys as a hash join
    // over the whole price table; a lateral subquery behind OFFSET 0 (never
    // pulled up) is searched by its index once per key instead.
    const bool Postgres = FSql.Verbindung().Backend() == TDbBackend::PostgreSQL;
    if (Postgres && !APIds.empty()) {
      ArtikelListeSenden(APIds, ANurArt);
      return;
    }
    constexpr std::string_view Kopf =
        "SELECT k.column1, k.column2, k.column3, p.preisart, p.filnr, p.grind, p.gueltig_ab, p.preis FROM (VALUES ";
    constexpr std::string_view Key = "(CAST(? AS INTEGER), CAST(? AS INTEGER), CAST(? AS INTEGER))";
    constexpr std::string_view KeyMitArt =
        "(CAST(? AS INTEGER), CAST(? AS INTEGER), CAST(? AS INTEGER), CAST(? AS TEXT))";
    constexpr std::string_view Fuss =
        ") AS k JOIN artikelpreis p ON p.prodid1 = k.column1 AND p.prodid2 = k.column2 AND p.prodid3 = k.column3";
    constexpr std::string_view FussMitArt =
        ") AS k JOIN artikelpreis p ON p.prodid1 = k.column1 AND p.prodid2 = k.column2 AND p.prodid3 = k.column3 "
        "AND p.preisart = k.column4";
    constexpr std::string_view FussPostgres =
        ") AS k JOIN LATERAL (SELECT * FROM artikelpreis WHERE prodid1 = k.column1 AND prodid2 = k.column2 "
        "AND prodid3 = k.column3 OFFSET 0) p ON TRUE";
    constexpr std::string_view FussPostgresMitArt =
        ") AS k JOIN LATERAL (SELECT * FROM artikelpreis WHERE prodid1 = k.column1 AND prodid2 = k.column2 "
        "AND prodid3 = k.column3 AND preisart = k.column4 OFFSET 0) p ON TRUE";
    const std::string_view Ende =
        Postgres ? (ANurArt ? FussPostgresMitArt : FussPostgres) : (ANurArt ? FussMitArt : Fuss);
    FVorratAbfrage.SendenListe(FSql, Kopf, ANurArt ? KeyMitArt : Key, Ende, APIds.size(), Binden);
    FAbfragen += static_cast<int>((APIds.size() + TStueckAbfrage::KJeListe - 1) / TStueckAbfrage::KJeListe);
    FVorratArtikel = APIds;
  });
}

void TSimplePriceReader::ArtikelListeSenden(const std::vector<TInt32Trio>& APIds, char ANurArt) {
  // PostgreSQL: the articles as three arrays (up to 500 per statement, as
  // the list of values), one statement of one shape whatever their number,
  // where a list of values makes the server build every row's expressions
  // at each call. The look-up behind OFFSET 0 stays a search by the index
  // per article.
  constexpr std::string_view Kopf =
      "SELECT k.p1, k.p2, k.p3, p.preisart, p.filnr, p.grind, p.gueltig_ab, p.preis FROM unnest(CAST(? AS INTEGER[]), "
      "CAST(? AS INTEGER[]), CAST(? AS INTEGER[])) AS k (p1, p2, p3) CROSS JOIN LATERAL (SELECT * FROM artikelpreis "
      "WHERE prodid1 = k.p1 AND prodid2 = k.p2 AND prodid3 = k.p3";
  const std::string Sql = std::string(Kopf) + (ANurArt ? " AND preisart = ? OFFSET 0) AS p" : " OFFSET 0) AS p");
  FVorratAbfrage.SendenAlsListen(FSql, Sql, APIds.size(), [&](TDbStatement& S, size_t AStart, size_t AAnzahl) {
    const auto Von = APIds.begin() + static_cast<std::ptrdiff_t>(AStart);
    BindProdIdListen(S, 1, std::vector<TInt32Trio>(Von, Von + static_cast<std::ptrdiff_t>(AAnzahl)));
    if (ANurArt) S.BindText(4, std::string(1, ANurArt));
  });
  FAbfragen += static_cast<int>((APIds.size() + TStueckAbfrage::KJeListe - 1) / TStueckAbfrage::KJeListe);
  FVorratArtikel = APIds;
}

void TSimplePriceReader::VorratEinlesen() {
  if (!FVorratAbfrage.Offen()) return;
  // Every article asked for is known, also one without prices.
  std::vector<TInt32Trio> PIds = std::move(FVorratArtikel);
  FVorratArtikel.clear();
  std::sort(PIds.begin(), PIds.end());
  PIds.erase(std::unique(PIds.begin(), PIds.end()), PIds.end());
  // Rows with their article's position, then grouped by it; filled aside:
  // after a failed read no article may have half its rows.
  std::vector<std::pair<size_t, TPreisZeile>> Zeilen;
  FVorratAbfrage.Lesen([&](TDbStatement& S) {
    const TInt32Trio PId = ColumnProdId(S, 0);
    const auto It = std::lower_bound(PIds.begin(), PIds.end(), PId);
    if (It == PIds.end() || *It != PId) return;
    Zeilen.emplace_back(static_cast<size_t>(It - PIds.begin()), ZeileLesen(S, 3));
  });
  std::stable_sort(Zeilen.begin(), Zeilen.end(), [](const auto& A, const auto& B) { return A.first < B.first; });
  std::vector<size_t> Anfang(PIds.size() + 1, 0);
  for (const auto& Z : Zeilen) ++Anfang[Z.first + 1];
  for (size_t I = 1; I < Anfang.size(); ++I) Anfang[I] += Anfang[I - 1];
  std::vector<TPreisZeile> Flach;
  Flach.reserve(Zeilen.size());
  for (const auto& Z : Zeilen) Flach.push_back(Z.second);
  FVorratPIds = std::move(PIds);
  FVorratAnfang = std::move(Anfang);
  FVorratZeilen = std::move(Flach);
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
