#include "printing/IALArtikelVorrat.h"

#include <algorithm>

#include "suite/Warengruppe.h"

void QArtNrPruefen(TDate ADatum, const std::string& AArtNr, TDate& ABestDatum, std::string& ABest) {
  if (AArtNr.empty() || ADatum <= 0) return;
  if (ADatum > ABestDatum || (ADatum == ABestDatum && AArtNr < ABest)) {
    ABestDatum = ADatum;
    ABest = AArtNr;
  }
}

void TIALArtikelVorrat::Lesen(const std::vector<TInt32Trio>& APIds) {
  FEintraege.clear();
  std::vector<TInt32Trio> PIds = APIds;
  std::sort(PIds.begin(), PIds.end());
  PIds.erase(std::unique(PIds.begin(), PIds.end()), PIds.end());
  std::map<TInt32Trio, TEintrag> Neu;
  for (const TInt32Trio& P : PIds) Neu[P];

  auto ProdId = [&](TDbStatement& S, int P, size_t I) {
    BindProdId(S, P, PIds[I]);
    return P + 3;
  };
  // All four are sent before the first is read: one round trip on PostgreSQL.
  TStueckAbfrage Artikel, Kennzahlen, Gruppen, Nummern;
  Artikel.Senden(FSql,
                 "SELECT prodid1, prodid2, prodid3, lief_gp1, lief_gp2, text1, text2, text3, pruefschaerfe, preis_grind "
                 "FROM artikel WHERE prodid1 = ? AND prodid2 = ? AND prodid3 = ?",
                 PIds.size(), ProdId);
  Kennzahlen.Senden(FSql,
                    "SELECT prodid1, prodid2, prodid3, kennzahl1, kennzahl2 FROM artikelkennzahl "
                    "WHERE prodid1 = ? AND prodid2 = ? AND prodid3 = ?",
                    PIds.size(), ProdId);
  Gruppen.Senden(FSql,
                 "SELECT prodid1, prodid2, prodid3, wgn FROM artikel_wg "
                 "WHERE wgsystem = ? AND prodid1 = ? AND prodid2 = ? AND prodid3 = ?",
                 PIds.size(), [&](TDbStatement& S, int P, size_t I) {
                   S.BindText(P, CWGSystem_Eigen);
                   BindProdId(S, P + 1, PIds[I]);
                   return P + 4;
                 });
  Nummern.Senden(FSql,
                 "SELECT prodid1, prodid2, prodid3, eingabedatum, artnr FROM artnr_historie "
                 "WHERE prodid1 = ? AND prodid2 = ? AND prodid3 = ?",
                 PIds.size(), ProdId);
  Artikel.Lesen([&](TDbStatement& S) {
    TEintrag& E = Neu[ColumnProdId(S, 0)];
    E.HatArtikel = true;
    E.Artikel.LiefGP = {static_cast<int32_t>(S.ColumnInt(3)), static_cast<int32_t>(S.ColumnInt(4))};
    E.Artikel.Text1 = S.ColumnText(5);
    E.Artikel.Text2 = S.ColumnText(6);
    E.Artikel.Text3 = S.ColumnText(7);
    const std::string Pruef = S.ColumnText(8);
    E.Artikel.Pruefschaerfe = Pruef.empty() ? '\0' : Pruef[0];
    E.Artikel.PreisGrInd = static_cast<int32_t>(S.ColumnInt(9));
  });
  Kennzahlen.Lesen([&](TDbStatement& S) {
    TEintrag& E = Neu[ColumnProdId(S, 0)];
    E.Artikel.HatKennzahlen = true;
    E.Artikel.Kennzahl1 = static_cast<int32_t>(S.ColumnInt(3));
    E.Artikel.Kennzahl2 = static_cast<int32_t>(S.ColumnInt(4));
  });
  Gruppen.Lesen([&](TDbStatement& S) {
    TEintrag& E = Neu[ColumnProdId(S, 0)];
    E.HatWG = true;
    E.WG = S.ColumnText(3);
  });
  Nummern.Lesen([&](TDbStatement& S) {
    TEintrag& E = Neu[ColumnProdId(S, 0)];
    QArtNrPruefen(S.ColumnDouble(3), S.ColumnText(4), E.ArtNrDatum, E.ArtNr);
  });
  FEintraege = std::move(Neu);
}

const TIALArtikel* TIALArtikelVorrat::Artikel(const TInt32Trio& APId) const {
  const auto It = FEintraege.find(APId);
  return It != FEintraege.end() && It->second.HatArtikel ? &It->second.Artikel : nullptr;
}

bool TIALArtikelVorrat::Warengruppe(const TInt32Trio& APId, std::string& AWGNr, std::string& AWG) const {
  const auto It = FEintraege.find(APId);
  if (It == FEintraege.end() || !It->second.HatWG) {
    AWGNr.clear();
    AWG.clear();
    return false;
  }
  AWGNr = It->second.WG;
  AWG = It->second.WG;
  return true;
}

bool TIALArtikelVorrat::QArtNr(const TInt32Trio& APId, std::string& AArtNr) const {
  const auto It = FEintraege.find(APId);
  if (It == FEintraege.end()) return false;
  AArtNr = It->second.ArtNr;
  return true;
}
