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

namespace {

// Key lists are padded to a multiple of this (repeating the last key), so a
// handful of statement shapes serves every block.
constexpr size_t KRaster = 50;

// Everything of the block's articles in one statement: the keys as a VALUES
// list joined to the four tables, one index search per key and table inside
// the database. An article has one row per history entry (one without).
constexpr std::string_view KKopf =
    "SELECT k.column1, k.column2, k.column3, a.prodid1, a.lief_gp1, a.lief_gp2, a.text1, a.text2, a.text3, "
    "a.pruefschaerfe, a.preis_grind, z.prodid1, z.kennzahl1, z.kennzahl2, w.prodid1, w.wgn, h.prodid1, "
    "h.eingabedatum, h.artnr FROM (VALUES ";
constexpr std::string_view KKey = "(CAST(? AS INTEGER), CAST(? AS INTEGER), CAST(? AS INTEGER))";
constexpr std::string_view KFuss =
    ") AS k "
    "LEFT JOIN artikel a ON a.prodid1 = k.column1 AND a.prodid2 = k.column2 AND a.prodid3 = k.column3 "
    "LEFT JOIN artikelkennzahl z ON z.prodid1 = k.column1 AND z.prodid2 = k.column2 AND z.prodid3 = k.column3 "
    "LEFT JOIN artikel_wg w ON w.wgsystem = ? AND w.prodid1 = k.column1 AND w.prodid2 = k.column2 "
    "AND w.prodid3 = k.column3 "
    "LEFT JOIN artnr_historie h ON h.prodid1 = k.column1 AND h.prodid2 = k.column2 AND h.prodid3 = k.column3";
// PostgreSQL plans the plain joins of a few hundred keys as hash joins that
// read each of the four tables whole, for every block: the whole assortment
// read again per 500 articles. A lateral subquery behind OFFSET 0 (which the
// planner does not pull up) is searched by its index once per key instead.
constexpr std::string_view KFussPostgres =
    ") AS k "
    "LEFT JOIN LATERAL (SELECT * FROM artikel WHERE prodid1 = k.column1 AND prodid2 = k.column2 "
    "AND prodid3 = k.column3 OFFSET 0) a ON TRUE "
    "LEFT JOIN LATERAL (SELECT * FROM artikelkennzahl WHERE prodid1 = k.column1 AND prodid2 = k.column2 "
    "AND prodid3 = k.column3 OFFSET 0) z ON TRUE "
    "LEFT JOIN LATERAL (SELECT * FROM artikel_wg WHERE wgsystem = ? AND prodid1 = k.column1 "
    "AND prodid2 = k.column2 AND prodid3 = k.column3 OFFSET 0) w ON TRUE "
    "LEFT JOIN LATERAL (SELECT * FROM artnr_historie WHERE prodid1 = k.column1 AND prodid2 = k.column2 "
    "AND prodid3 = k.column3 OFFSET 0) h ON TRUE";

}  // namespace

void TIALArtikelVorrat::Lesen(const std::vector<TInt32Trio>& APIds) {
  FPIds.clear();
  FEintraege.clear();
  std::vector<TInt32Trio> PIds = APIds;
  std::sort(PIds.begin(), PIds.end());
  PIds.erase(std::unique(PIds.begin(), PIds.end()), PIds.end());
  if (PIds.empty()) return;
  // Filled aside: after a failed read no article has half its data.
  std::vector<TEintrag> Neu(PIds.size());
  const size_t Anzahl = (PIds.size() + KRaster - 1) / KRaster * KRaster;
  const bool Postgres = FSql.Verbindung().Backend() == TDbBackend::PostgreSQL;
  TDbStatement& S = FSql.GetWiederholt({KKopf, KKey, ", ", Postgres ? KFussPostgres : KFuss}, Anzahl, true);
  TAbfrageEnde Ende(S);
  for (size_t I = 0; I < Anzahl; ++I) BindProdId(S, 1 + static_cast<int>(3 * I), PIds[std::min(I, PIds.size() - 1)]);
  S.BindText(static_cast<int>(3 * Anzahl) + 1, CWGSystem_Eigen);
  // A padded key comes back as often as it was repeated; its rows say the same.
  while (S.Step()) {
    const TInt32Trio PId = ColumnProdId(S, 0);
    const auto It = std::lower_bound(PIds.begin(), PIds.end(), PId);
    if (It == PIds.end() || *It != PId) continue;
    TEintrag& E = Neu[static_cast<size_t>(It - PIds.begin())];
    if (!S.ColumnIsNull(3) && !E.HatArtikel) {
      E.HatArtikel = true;
      E.Artikel.LiefGP = {static_cast<int32_t>(S.ColumnInt(4)), static_cast<int32_t>(S.ColumnInt(5))};
      E.Artikel.Text1 = S.ColumnText(6);
      E.Artikel.Text2 = S.ColumnText(7);
      E.Artikel.Text3 = S.ColumnText(8);
      const std::string Pruef = S.ColumnText(9);
      E.Artikel.Pruefschaerfe = Pruef.empty() ? '\0' : Pruef[0];
      E.Artikel.PreisGrInd = static_cast<int32_t>(S.ColumnInt(10));
    }
    if (!S.ColumnIsNull(11) && !E.Artikel.HatKennzahlen) {
      E.Artikel.HatKennzahlen = true;
      E.Artikel.Kennzahl1 = static_cast<int32_t>(S.ColumnInt(12));
      E.Artikel.Kennzahl2 = static_cast<int32_t>(S.ColumnInt(13));
    }
    if (!S.ColumnIsNull(14) && !E.HatWG) {
      E.HatWG = true;
      E.WG = S.ColumnText(15);
    }
    if (!S.ColumnIsNull(16)) QArtNrPruefen(S.ColumnDouble(17), S.ColumnText(18), E.ArtNrDatum, E.ArtNr);
  }
  FPIds = std::move(PIds);  // an article without any row is known too
  FEintraege = std::move(Neu);
}

const TIALArtikelVorrat::TEintrag* TIALArtikelVorrat::Eintrag(const TInt32Trio& APId) const {
  const auto It = std::lower_bound(FPIds.begin(), FPIds.end(), APId);
  return It != FPIds.end() && *It == APId ? &FEintraege[static_cast<size_t>(It - FPIds.begin())] : nullptr;
}

const TIALArtikel* TIALArtikelVorrat::Artikel(const TInt32Trio& APId) const {
  const TEintrag* E = Eintrag(APId);
  return E && E->HatArtikel ? &E->Artikel : nullptr;
}

bool TIALArtikelVorrat::Warengruppe(const TInt32Trio& APId, std::string& AWGNr, std::string& AWG) const {
  const TEintrag* E = Eintrag(APId);
  if (!E || !E->HatWG) {
    AWGNr.clear();
    AWG.clear();
    return false;
  }
  AWGNr = E->WG;
  AWG = E->WG;
  return true;
}

bool TIALArtikelVorrat::QArtNr(const TInt32Trio& APId, std::string& AArtNr) const {
  const TEintrag* E = Eintrag(APId);
  if (!E) return false;
  AArtNr = E->ArtNr;
  return true;
}
