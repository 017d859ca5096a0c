// What booking a batch reads: booked pairs, counted stock and branch-sale
// marks of all its articles, each kind in one statement (a chunk of at most
// KJeAbfrage look-ups). On PostgreSQL every statement is a round trip, so a
// batch of 20 costs three reads instead of up to sixty.
#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "engine/InvAnfIntern.h"
#include "engine/TQLX_InvAnfMani.h"
#include "suite/TSimplePriceReader.h"
#include "support/types/TKWD_ArtBestTyp.h"

namespace {
// SQLite allows 500 terms in one compound select.
constexpr size_t KJeAbfrage = 100;

// One statement of ACount indexed look-ups AArm joined by UNION ALL, run in
// chunks over AAnzahl items: ABinden binds item I from parameter P on and
// returns the next parameter, AZeile takes one result row.
template <class B, class Z>
void InStuecken(TSuiteAbfragen& AAbfragen, const std::string& AArm, size_t AAnzahl, B ABinden, Z AZeile) {
  for (size_t Start = 0; Start < AAnzahl; Start += KJeAbfrage) {
    const size_t Anzahl = std::min(KJeAbfrage, AAnzahl - Start);
    std::string Sql;
    for (size_t I = 0; I < Anzahl; ++I) Sql += (I ? " UNION ALL " : "") + AArm;
    TDbStatement& S = AAbfragen.GetGanz(Sql);
    TAbfrageEnde Ende(S);
    int P = 1;
    for (size_t I = 0; I < Anzahl; ++I) P = ABinden(S, P, Start + I);
    while (S.Step()) AZeile(S);
  }
}

std::string GroessenSpalten() {
  std::string S;
  for (int I = 1; I <= RF_GROESSEN; ++I) S += ", gr" + std::to_string(I);
  return S;
}
}  // namespace

TQLX_InvAnfMani::TBatchVorrat TQLX_InvAnfMani::BatchVorratLesen(const TInventurListe& AInventuren,
                                                               const std::vector<TProduktID_Indizee>& AEintraege) {
  if (!FSummenSql) FSummenSql = std::make_unique<TSuiteAbfragen>();
  TSuiteAbfragen& Sql = *FSummenSql;
  TBatchVorrat V;

  // Every (article, request) pair once, and every (article, branch) pair once.
  std::vector<std::pair<TInt32Trio, int32_t>> Paare;
  std::vector<TArtikelFiliale> Filialpaare;
  for (const TProduktID_Indizee& E : AEintraege)
    for (int32_t Q : E.Ind) {
      Paare.emplace_back(E.PId, Q);
      Filialpaare.emplace_back(E.PId, AInventuren.GetItem_Ptr(Q)->InvAnf.FilNr);
    }
  std::sort(Paare.begin(), Paare.end());
  Paare.erase(std::unique(Paare.begin(), Paare.end()), Paare.end());
  std::sort(Filialpaare.begin(), Filialpaare.end());
  Filialpaare.erase(std::unique(Filialpaare.begin(), Filialpaare.end()), Filialpaare.end());

  // Pairs another program booked since the selection. The position is
  // returned as a parameter, since the stock-take record does not name its request.
  InStuecken(
      Sql,
      "SELECT prodid1, prodid2, prodid3, CAST(? AS INTEGER) FROM inventur WHERE prodid1 = ? AND prodid2 = ? "
      "AND prodid3 = ? AND wijahr = ? AND zaehldatum = ? AND filnr = ?",
      Paare.size(),
      [&](TDbStatement& S, int P, size_t I) {
        const TInventurDetails& A = *AInventuren.GetItem_Ptr(Paare[I].second);
        S.BindInt(P, Paare[I].second);
        BindProdId(S, P + 1, Paare[I].first);
        S.BindDouble(P + 4, A.WiJahr);
        S.BindDouble(P + 5, A.InvAnf.Zaehldatum);
        S.BindInt(P + 6, A.InvAnf.FilNr);
        return P + 7;
      },
      [&](TDbStatement& S) { V.Gebucht.insert({ColumnProdId(S, 0), static_cast<int32_t>(S.ColumnInt(3))}); });

  // Counted stock: figures and stock type decide, as in the selection.
  static const std::string KBestand = "SELECT prodid1, prodid2, prodid3, filnr, bestandstyp, bestand_a, bestand_b, "
                                      "bestand_c" + GroessenSpalten() +
                                      " FROM bestand WHERE prodid1 = ? AND prodid2 = ? AND prodid3 = ? AND filnr = ?";
  InStuecken(
      Sql, KBestand, Filialpaare.size(),
      [&](TDbStatement& S, int P, size_t I) {
        BindProdId(S, P, Filialpaare[I].first);
        S.BindInt(P + 3, Filialpaare[I].second);
        return P + 4;
      },
      [&](TDbStatement& S) {
        const std::string Typ = S.ColumnText(4);
        TBestandsSatz Satz;
        Satz.Bestandstyp = Typ.empty() ? ' ' : Typ[0];
        if (!InvAnfIntern::BestandZaehlt(static_cast<int32_t>(S.ColumnInt(5)), static_cast<int32_t>(S.ColumnInt(6)),
                                         static_cast<int32_t>(S.ColumnInt(7))) ||
            !InvAnfIntern::BestandsTypGezaehlt(Ord(Char_2_ArtBestTyp(Satz.Bestandstyp))))
          return;
        for (int G = 0; G < RF_GROESSEN; ++G) Satz.Menge[static_cast<size_t>(G)] = static_cast<int32_t>(S.ColumnInt(8 + G));
        V.Bestand[{ColumnProdId(S, 0), static_cast<int32_t>(S.ColumnInt(3))}].push_back(Satz);
      });
  // In stock-type order, as a read by key gives them.
  for (auto& [Paar, Saetze] : V.Bestand)
    std::stable_sort(Saetze.begin(), Saetze.end(), [](const TBestandsSatz& A, const TBestandsSatz& B) {
      return static_cast<unsigned char>(A.Bestandstyp) < static_cast<unsigned char>(B.Bestandstyp);
    });

  // Branch-sale marks, only where no counted stock decides.
  std::vector<TArtikelFiliale> OhneBestand;
  for (const TArtikelFiliale& P : Filialpaare)
    if (!V.Bestand.count(P)) OhneBestand.push_back(P);
  InStuecken(
      Sql,
      "SELECT prodid1, prodid2, prodid3, filnr FROM filialverkauf WHERE prodid1 = ? AND prodid2 = ? AND prodid3 = ? "
      "AND filnr = ? AND satzart = 'F' AND bewegungsart = '23'",
      OhneBestand.size(),
      [&](TDbStatement& S, int P, size_t I) {
        BindProdId(S, P, OhneBestand[I].first);
        S.BindInt(P + 3, OhneBestand[I].second);
        return P + 4;
      },
      [&](TDbStatement& S) { V.Verkauf.insert({ColumnProdId(S, 0), static_cast<int32_t>(S.ColumnInt(3))}); });
  return V;
}

void TQLX_InvAnfMani::PreiseVorladen(const std::vector<TProduktID_Indizee>& AEintraege) {
  SPReader_CiN();
  std::vector<TInt32Trio> PIds;
  for (const TProduktID_Indizee& E : AEintraege) PIds.push_back(E.PId);
  InvAnfIntern::Bereit(FSPReader, "Der Preisleser").Vorladen(PIds);
}
