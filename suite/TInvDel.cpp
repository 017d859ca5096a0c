#include "suite/TInvDel.h"

#include <algorithm>
#include <map>
#include <span>

#include "suite/Warengruppe.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDLog.h"
#include "support/services/TKWDBuchung.h"
#include "support/types/IABenennung.h"
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
  std::vector<TInt32Trio> Liste;
  if (WGNormalisiert(AWG).empty()) {
    // The request for all groups holds every record of its day and branch:
    // three numbers per record, read in one go (a cursor would fetch a large
    // request in many round trips).
    auto& S = FSql.GetGanz(
        "SELECT prodid1, prodid2, prodid3 FROM inventur "
        "WHERE wijahr >= ? AND wijahr < ? AND zaehldatum >= ? AND zaehldatum < ? AND filnr = ?");
    TAbfrageEnde Ende(S);
    BindWiJahr(S, 1, AWiJahrErsterTag);
    BindTag(S, 3, AZaehldat);
    S.BindInt(5, AFiliale);
    while (S.Step()) Liste.push_back(ColumnProdId(S, 0));
  } else {
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
    auto& S = FSql.Get(
        "SELECT i.prodid1, i.prodid2, i.prodid3, w.wgn FROM inventur i "
        "LEFT JOIN artikel_wg w ON w.wgsystem = ? AND w.prodid1 = i.prodid1 AND w.prodid2 = i.prodid2 "
        "AND w.prodid3 = i.prodid3 "
        "WHERE i.wijahr >= ? AND i.wijahr < ? AND i.zaehldatum >= ? AND i.zaehldatum < ? AND i.filnr = ?");
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
      if (Deckt(AWG) || std::none_of(Andere.begin(), Andere.end(), Deckt)) Liste.push_back(ColumnProdId(S, 0));
    }
  }
  // One per article (a record per stock type), in product-id order.
  std::sort(Liste.begin(), Liste.end());
  Liste.erase(std::unique(Liste.begin(), Liste.end()), Liste.end());
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
    const std::vector<TInt32Trio> Liste = Artikel(AWiJahrErsterTag, AZaehldat, AWG, AFiliale);
    AProdIds.AddRange(std::span<const TInt32Trio>(Liste));
  });
}

bool TInvDel::DelInvProdID(TDate AWiJahrErsterTag, TDate AZaehldat, const std::string& AWG, int16_t AFiliale,
                           const TInt32Trio& APId, bool AProtokoll) {
  return KWDGuard(
      "TInvDel.DelInvProdID",
      [&] {
        TKWDBuchung& Buchung = KWDBuchung();
        if (!Buchung.Offen()) {
          TAnstehend Einzeln{AWiJahrErsterTag, AZaehldat, AWG, AFiliale, AProtokoll, {APId}};
          Entfernen(Einzeln);
          return true;
        }
        TAnstehend& A = *FAnstehend;
        // What a bracket rolled back collected went with it.
        if (A.Buchung != Buchung.Nummer()) A = TAnstehend{};
        const bool Gleich = A.ErsterTag == AWiJahrErsterTag && A.Zaehldat == AZaehldat && A.WG == AWG &&
                            A.Filiale == AFiliale && A.Protokoll == AProtokoll;
        if (!A.PIds.empty() && !Gleich) Entfernen(A);
        if (A.Buchung != Buchung.Nummer()) {
          std::weak_ptr<TAnstehend> Weak = FAnstehend;
          Buchung.BeimAbschicken([this, Weak] {
            if (auto Offen = Weak.lock()) Entfernen(*Offen);
          });
          A.Buchung = Buchung.Nummer();
        }
        A.ErsterTag = AWiJahrErsterTag;
        A.Zaehldat = AZaehldat;
        A.WG = AWG;
        A.Filiale = AFiliale;
        A.Protokoll = AProtokoll;
        A.PIds.push_back(APId);
        return true;
      },
      false);
}

namespace {

// The removal of AAnzahl articles in one statement. SQLite looks up each term
// of an OR by its index. PostgreSQL plans a prepared statement once for all
// values, and with unknown values it takes the day's range for a few rows: a
// join or an OR would walk the whole day for every batch. There each article
// is looked up by itself (a fenced lateral query per article), and the records
// found are deleted by their row address (in the same statement, and no one
// changes a locked article's records).
std::string EntfernenSql(bool APostgres, size_t AAnzahl) {
  static constexpr const char* KTag = "wijahr >= ? AND wijahr < ? AND zaehldatum >= ? AND zaehldatum < ? AND filnr = ?";
  std::string Sql;
  if (!APostgres) {
    for (size_t I = 0; I < AAnzahl; ++I)
      Sql += std::string(I ? " OR " : "") + "(prodid1 = ? AND prodid2 = ? AND prodid3 = ?)";
    return "DELETE FROM inventur WHERE (" + Sql + ") AND " + KTag;
  }
  for (size_t I = 0; I < AAnzahl; ++I)
    Sql += std::string(I ? ", " : "") + "(CAST(? AS INTEGER), CAST(? AS INTEGER), CAST(? AS INTEGER))";
  return "DELETE FROM inventur WHERE ctid = ANY (ARRAY(SELECT s.ctid FROM (VALUES " + Sql +
         ") AS a (p1, p2, p3) CROSS JOIN LATERAL (SELECT ctid FROM inventur WHERE prodid1 = a.p1 AND prodid2 = a.p2 "
         "AND prodid3 = a.p3 AND " + KTag + " OFFSET 0) s))";
}

}  // namespace

void TInvDel::Entfernen(TAnstehend& AAnstehend) {
  constexpr size_t KJeAnweisung = 100;
  const std::vector<TInt32Trio> PIds = std::move(AAnstehend.PIds);
  AAnstehend.PIds.clear();
  const bool Pg = FSql.Verbindung().Backend() == TDbBackend::PostgreSQL;
  static std::map<std::pair<bool, size_t>, std::string> GSql;  // built once per shape
  for (size_t Start = 0; Start < PIds.size(); Start += KJeAnweisung) {
    const size_t Anzahl = std::min(KJeAnweisung, PIds.size() - Start);
    std::string& Sql = GSql[{Pg, Anzahl}];
    if (Sql.empty()) Sql = EntfernenSql(Pg, Anzahl);
    auto& S = FSql.Get(Sql);
    std::string Artikel;
    int P = 1;
    for (size_t I = 0; I < Anzahl; ++I) {
      BindProdId(S, P, PIds[Start + I]);
      P += 3;
      if (AAnstehend.Protokoll) Artikel += (I ? ", " : "") + PIds[Start + I].ToString();
    }
    BindWiJahr(S, P, AAnstehend.ErsterTag);
    BindTag(S, P + 2, AAnstehend.Zaehldat);
    S.BindInt(P + 4, AAnstehend.Filiale);
    // Inside a booking the delete travels with the batch's other writes
    // (PostgreSQL pipeline); the log line follows once it has run.
    if (!AAnstehend.Protokoll) {
      S.Run();
      continue;
    }
    S.Run([Text = IALogAnforderung(AAnstehend.Zaehldat, AAnstehend.WG, AAnstehend.Filiale) + ": Artikel " + Artikel +
                  " aus der Inventur entfernt"](int64_t) { KWDLogSchreiben("TInvDel.DelInvProdID", Text); });
  }
}

bool TInvDel::DelInv(TDate AWiJahrErsterTag, TDate AZaehldat, const std::string& AWG, int16_t AFiliale,
                     bool AProtokoll) {
  return KWDGuard(
      "TInvDel.DelInv",
      [&] {
        if (!Artikel(AWiJahrErsterTag, AZaehldat, AWG, AFiliale).empty()) {
          KWDLogSchreiben("TInvDel.DelInv", IALogAnforderung(AZaehldat, AWG, AFiliale) +
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
        if (AProtokoll && Geloescht)
          KWDLogSchreiben("TInvDel.DelInv", IALogAnforderung(AZaehldat, AWG, AFiliale) + " gelöscht");
        return Geloescht;
      },
      false);
}
