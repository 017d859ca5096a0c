#include "suite/TInvDel.h"

#include <algorithm>

#include "suite/Warengruppe.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDLog.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

namespace {

// The stock-take records of a fiscal year: every date of its first day's calendar year.
void BindWiJahr(TDbStatement& AS, int AIndex, TDate AWiJahrErsterTag) {
  const int Jahr = YearOf(AWiJahrErsterTag);
  AS.BindDouble(AIndex, EncodeDate(Jahr, 1, 1));
  AS.BindDouble(AIndex + 1, EncodeDate(Jahr + 1, 1, 1));
}

void BindTag(TDbStatement& AS, int AIndex, TDate ADatum) {
  AS.BindDouble(AIndex, DateOf(ADatum));
  AS.BindDouble(AIndex + 1, DateOf(ADatum) + 1);
}

std::string Anforderung(TDate AZaehldat, const std::string& AWG, int16_t AFiliale) {
  return "Inventur " + FormatDatum(AZaehldat) + ", Warengruppe \"" + AWG + "\", Filiale " + std::to_string(AFiliale);
}

}  // namespace

bool TInvDel::DelInvDelStart(TDate AWiJahrErsterTag, TDate AZaehldat, const std::string& AWG, int16_t AFiliale) {
  return KWDGuard(
      "TInvDel.DelInvDelStart",
      [&] {
        auto& S = FSql.Get(
            "UPDATE inventuranforderung SET kz_zaehlung = ? "
            "WHERE zaehldatum >= ? AND zaehldatum < ? AND wg = ? AND filnr = ? AND wijahr >= ? AND wijahr < ?");
        const char Loeschen = CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung::iazLoeschen);
        S.BindText(1, std::string_view(&Loeschen, 1));
        BindTag(S, 2, AZaehldat);
        S.BindText(4, AWG);
        S.BindInt(5, AFiliale);
        BindWiJahr(S, 6, AWiJahrErsterTag);
        return S.Execute() > 0;
      },
      false);
}

std::vector<TInt32Trio> TInvDel::Artikel(TDate AWiJahrErsterTag, TDate AZaehldat, const std::string& AWG,
                                         int16_t AFiliale) {
  // the groups of the other requests of the same fiscal year, day and branch
  std::vector<std::string> Andere;
  {
    auto& S = FSql.Get(
        "SELECT wg FROM inventuranforderung WHERE zaehldatum >= ? AND zaehldatum < ? AND filnr = ? AND wg <> ? "
        "AND wijahr >= ? AND wijahr < ?");
    TAbfrageEnde Ende(S);
    BindTag(S, 1, AZaehldat);
    S.BindInt(3, AFiliale);
    S.BindText(4, AWG);
    BindWiJahr(S, 5, AWiJahrErsterTag);
    while (S.Step()) Andere.push_back(S.ColumnText(0));
  }
  std::vector<TInt32Trio> Liste;
  auto& S = FSql.Get(
      "SELECT DISTINCT i.prodid1, i.prodid2, i.prodid3, w.wgn FROM inventur i "
      "LEFT JOIN artikel_wg w ON w.wgsystem = ? AND w.prodid1 = i.prodid1 AND w.prodid2 = i.prodid2 "
      "AND w.prodid3 = i.prodid3 "
      "WHERE i.wijahr >= ? AND i.wijahr < ? AND i.zaehldatum >= ? AND i.zaehldatum < ? AND i.filnr = ? "
      "ORDER BY i.prodid1, i.prodid2, i.prodid3");
  TAbfrageEnde Ende(S);
  S.BindText(1, CWGSystem_Eigen);
  BindWiJahr(S, 2, AWiJahrErsterTag);
  BindTag(S, 4, AZaehldat);
  S.BindInt(6, AFiliale);
  while (S.Step()) {
    const bool Zugeordnet = !S.ColumnIsNull(3);
    const std::string ArtikelWG = Zugeordnet ? S.ColumnText(3) : std::string();
    // the empty group covers every article, also one without a group
    auto Deckt = [&](const std::string& AGruppe) {
      return WGNormalisiert(AGruppe).empty() || (Zugeordnet && WGEnthaelt(AGruppe, ArtikelWG));
    };
    bool Gehoert = Deckt(AWG);
    if (!Gehoert) Gehoert = std::none_of(Andere.begin(), Andere.end(), Deckt);
    if (Gehoert) Liste.push_back(ColumnProdId(S, 0));
  }
  return Liste;
}

void TInvDel::ProdIDsInInventur(TDate AWiJahrErsterTag, TDate AZaehldat, const std::string& AWG, int16_t AFiliale,
                                std::vector<TInt32Trio>& AProdIds) {
  AProdIds.clear();
  KWDGuard("TInvDel.ProdIDsInInventur", [&] { AProdIds = Artikel(AWiJahrErsterTag, AZaehldat, AWG, AFiliale); });
}

void TInvDel::ProdIDsInInventur(TDate AWiJahrErsterTag, TDate AZaehldat, const std::string& AWG, int16_t AFiliale,
                                TQLX_List<TInt32Trio>& AProdIds) {
  AProdIds.Clear();
  KWDGuard("TInvDel.ProdIDsInInventur", [&] {
    for (const auto& PId : Artikel(AWiJahrErsterTag, AZaehldat, AWG, AFiliale)) AProdIds.Add(PId);
  });
}

bool TInvDel::DelInvProdID(TDate AWiJahrErsterTag, TDate AZaehldat, const std::string& AWG, int16_t AFiliale,
                           const TInt32Trio& APId, bool AProtokoll) {
  return KWDGuard(
      "TInvDel.DelInvProdID",
      [&] {
        auto& S = FSql.Get(
            "DELETE FROM inventur WHERE wijahr >= ? AND wijahr < ? AND zaehldatum >= ? AND zaehldatum < ? "
            "AND filnr = ? AND prodid1 = ? AND prodid2 = ? AND prodid3 = ?");
        BindWiJahr(S, 1, AWiJahrErsterTag);
        BindTag(S, 3, AZaehldat);
        S.BindInt(5, AFiliale);
        BindProdId(S, 6, APId);
        // Inside a booking the delete may travel with the batch's others
        // (PostgreSQL pipeline); the log line follows when its count is known.
        if (!AProtokoll) {
          S.Run();
          return true;
        }
        S.Run([Text = Anforderung(AZaehldat, AWG, AFiliale) + ": Artikel " + APId.ToString()](int64_t AGeloescht) {
          KWDLogSchreiben("TInvDel.DelInvProdID", Text + ", " + std::to_string(AGeloescht) + " Inventursätze gelöscht");
        });
        return true;
      },
      false);
}

bool TInvDel::DelInv(TDate AWiJahrErsterTag, TDate AZaehldat, const std::string& AWG, int16_t AFiliale,
                     bool AProtokoll) {
  return KWDGuard(
      "TInvDel.DelInv",
      [&] {
        if (!Artikel(AWiJahrErsterTag, AZaehldat, AWG, AFiliale).empty()) {
          KWDLogSchreiben("TInvDel.DelInv", Anforderung(AZaehldat, AWG, AFiliale) +
                                                ": nicht gelöscht, es sind noch Artikel mit Sollbestand darin");
          return false;
        }
        auto& S = FSql.Get(
            "DELETE FROM inventuranforderung WHERE zaehldatum >= ? AND zaehldatum < ? AND wg = ? AND filnr = ? "
            "AND wijahr >= ? AND wijahr < ?");
        BindTag(S, 1, AZaehldat);
        S.BindText(3, AWG);
        S.BindInt(4, AFiliale);
        BindWiJahr(S, 5, AWiJahrErsterTag);
        const bool Geloescht = S.Execute() > 0;
        if (AProtokoll && Geloescht) KWDLogSchreiben("TInvDel.DelInv", Anforderung(AZaehldat, AWG, AFiliale) + " gelöscht");
        return Geloescht;
      },
      false);
}
