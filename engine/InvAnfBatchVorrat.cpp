// What booking a batch reads: booked pairs, counted stock and branch-sale
// marks of all its articles, each kind in one statement (TStueckAbfrage). On
// PostgreSQL the booked pairs, the stock and the prices sent before travel in
// one round trip, the branch-sale marks (where no stock decides) in a second,
// instead of up to sixty round trips per batch.
#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "engine/InvAnfIntern.h"
#include "engine/TQLX_InvAnfMani.h"
#include "suite/TSimplePriceReader.h"
#include "support/types/TKWD_ArtBestTyp.h"

namespace {
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
  V.Eigenschaften = Get_ArtBestTyp_Eigenschaften();

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

  // Pairs another program booked since the selection. The position comes
  // back as a parameter: a stock-take record does not name its request.
  TStueckAbfrage GebuchtAbfrage, BestandAbfrage, VerkaufAbfrage;
  GebuchtAbfrage.Senden(Sql,
                        "SELECT prodid1, prodid2, prodid3, CAST(? AS INTEGER) FROM inventur WHERE prodid1 = ? "
                        "AND prodid2 = ? AND prodid3 = ? AND wijahr = ? AND zaehldatum = ? AND filnr = ?",
                        Paare.size(), [&](TDbStatement& S, int P, size_t I) {
                          const TInventurDetails& A = *AInventuren.GetItem_Ptr(Paare[I].second);
                          S.BindInt(P, Paare[I].second);
                          BindProdId(S, P + 1, Paare[I].first);
                          S.BindDouble(P + 4, A.WiJahr);
                          S.BindDouble(P + 5, A.InvAnf.Zaehldatum);
                          S.BindInt(P + 6, A.InvAnf.FilNr);
                          return P + 7;
                        });

  // Counted stock: figures and stock type decide, as in the selection.
  static const std::string KBestand =
      "SELECT prodid1, prodid2, prodid3, filnr, bestandstyp, bestand_a, bestand_b, bestand_c" + GroessenSpalten() +
      " FROM bestand WHERE prodid1 = ? AND prodid2 = ? AND prodid3 = ? AND filnr = ?";
  BestandAbfrage.Senden(Sql, KBestand, Filialpaare.size(), [&](TDbStatement& S, int P, size_t I) {
    BindProdId(S, P, Filialpaare[I].first);
    S.BindInt(P + 3, Filialpaare[I].second);
    return P + 4;
  });
  GebuchtAbfrage.Lesen([&](TDbStatement& S) {
    V.Gebucht.insert({ColumnProdId(S, 0), static_cast<int32_t>(S.ColumnInt(3))});
  });
  BestandAbfrage.Lesen([&](TDbStatement& S) {
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
  VerkaufAbfrage.Senden(Sql,
                        "SELECT prodid1, prodid2, prodid3, filnr FROM filialverkauf WHERE prodid1 = ? "
                        "AND prodid2 = ? AND prodid3 = ? AND filnr = ? AND satzart = 'F' AND bewegungsart = '23'",
                        OhneBestand.size(), [&](TDbStatement& S, int P, size_t I) {
                          BindProdId(S, P, OhneBestand[I].first);
                          S.BindInt(P + 3, OhneBestand[I].second);
                          return P + 4;
                        });
  VerkaufAbfrage.Lesen([&](TDbStatement& S) {
    V.Verkauf.insert({ColumnProdId(S, 0), static_cast<int32_t>(S.ColumnInt(3))});
  });
  return V;
}

void TQLX_InvAnfMani::PreiseVorladen(const std::vector<TProduktID_Indizee>& AEintraege) {
  SPReader_CiN();
  std::vector<TInt32Trio> PIds;
  for (const TProduktID_Indizee& E : AEintraege) PIds.push_back(E.PId);
  InvAnfIntern::Bereit(FSPReader, "Der Preisleser").Vorladen(PIds, 'E');  // the booking values purchase prices only
}
