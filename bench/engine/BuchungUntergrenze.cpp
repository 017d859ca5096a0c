// Completion and deletion of one request in batches of 20 with plain
// prepared statements: the floor the engine is measured against.
#include "bench/engine/BuchungUntergrenze.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "bench/engine/BenchPaareSql.h"
#include "suite/ArtBestTypEigenschaften.h"
#include "suite/TSimplePriceReader.h"
#include "support/db/DbProdId.h"
#include "support/db/KWDDatenbank.h"
#include "support/db/TDbAbfragen.h"
#include "support/recordfile/RecordFileSchema.h"
#include "support/types/TKWD_ArtBestTyp.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

namespace {

constexpr size_t KStapel = 20;
constexpr double KSchwelle = 0.005;  // request values change only beyond it, as in the engine
// The common lock's key of its blocks on PostgreSQL ("WWS") and block 11:
// the same block every program of the company takes.
constexpr int32_t KBlockKlasse = 0x575753;
constexpr int32_t KBlock = 11;
constexpr const char* KProdId = "(prodid1 = ? AND prodid2 = ? AND prodid3 = ?)";
constexpr const char* KAnforderung = "zaehldatum = ? AND wg = ? AND filnr = ? AND wijahr = ?";

bool Postgres(TDbAbfragen& ASql) { return ASql.Verbindung().Backend() == TDbBackend::PostgreSQL; }

std::string Groessen() {
  std::string S;
  for (int G = 1; G <= RF_GROESSEN; ++G) S += ", gr" + std::to_string(G);
  return S;
}

// Block 11 and the transaction of one batch; rolled back and released on
// every way out but Commit.
class TStapelKlammer {
 public:
  explicit TStapelKlammer(TDbAbfragen& ASql) : FDb(ASql.Verbindung()) {
    if (!Postgres(ASql)) {
      const std::string Pfad = FDb.Ort() + ".block" + std::to_string(KBlock);
      FDatei = open(Pfad.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
      if (FDatei < 0) throw std::runtime_error("Blockdatei " + Pfad + " nicht zu öffnen");
      while (flock(FDatei, LOCK_EX) != 0)
        if (errno != EINTR) throw std::runtime_error("Blockdatei " + Pfad + " nicht zu sperren");
    }
    FDb.Begin();
    if (Postgres(ASql)) {
      TDbStatement& Block = ASql.GetGanz("SELECT pg_advisory_xact_lock(CAST(? AS INTEGER), CAST(? AS INTEGER))");
      Block.BindInt(1, KBlockKlasse);
      Block.BindInt(2, KBlock);
      Block.Run();  // travels with the batch's first read
    }
  }
  ~TStapelKlammer() {
    if (FDb.InTransaction()) FDb.Rollback();
    if (FDatei >= 0) close(FDatei);  // drops the flock
  }
  TStapelKlammer(const TStapelKlammer&) = delete;
  TStapelKlammer& operator=(const TStapelKlammer&) = delete;
  void Commit() { FDb.Commit(); }

 private:
  TDbConnection& FDb;
  int FDatei = -1;
};

// A statement on the batch's articles: ATeil once per article, joined by
// ATrenner, between AKopf and AFuss. Every part holds its article's whole key
// (branch and day included), so each is one look-up by an index, as the
// record files' key lists read; a condition outside would let SQLite walk
// the whole branch. ABinden(statement, first parameter, article) binds one part.
template <class B>
TDbStatement& JeArtikel(TDbAbfragen& ASql, std::string_view AKopf, std::string_view ATeil, std::string_view ATrenner,
                        std::string_view AFuss, const std::vector<TInt32Trio>& AIds, B ABinden, bool AGanz) {
  TDbStatement& S = ASql.GetWiederholt({AKopf, ATeil, ATrenner, AFuss}, AIds.size(), AGanz);
  int P = 1;
  for (const TInt32Trio& Id : AIds) P = ABinden(S, P, Id);
  return S;
}

// A read of the batch's articles, one select per article joined by UNION
// ALL, sent now; on PostgreSQL its answer comes with the next round trip.
template <class B>
TDbStatement& LesenSenden(TDbAbfragen& ASql, std::string_view ASelect, const std::vector<TInt32Trio>& AIds, B ABinden) {
  TDbStatement& S = JeArtikel(ASql, "", ASelect, " UNION ALL ", "", AIds, ABinden, true);
  S.Vorausschicken();
  return S;
}

// A read of the batch's articles in one branch, as the engine's record files
// read a key list: on SQLite one select per article joined by UNION ALL, on
// PostgreSQL the articles as arrays joined to the table, a search by the
// index per article. ASpalten, ATabelle and ARest (conditions after article
// and branch) are code constants.
TDbStatement& FilialeLesenSenden(TDbAbfragen& ASql, const std::string& ASpalten, const std::string& ATabelle,
                                 const std::string& ARest, const std::vector<TInt32Trio>& AIds, int32_t AFilNr) {
  if (!Postgres(ASql)) {
    return LesenSenden(ASql,
                       "SELECT " + ASpalten + " FROM " + ATabelle +
                           " WHERE prodid1 = ? AND prodid2 = ? AND prodid3 = ? AND filnr = ?" + ARest,
                       AIds, [&](TDbStatement& S, int P, const TInt32Trio& Id) {
                         BindProdId(S, P, Id);
                         S.BindInt(P + 3, AFilNr);
                         return P + 4;
                       });
  }
  TDbStatement& S = ASql.GetGanz("SELECT " + ASpalten +
                                 " FROM unnest(CAST(? AS INTEGER[]), CAST(? AS INTEGER[]), CAST(? AS INTEGER[])) AS k "
                                 "(p1, p2, p3) CROSS JOIN LATERAL (SELECT * FROM " + ATabelle +
                                 " WHERE prodid1 = k.p1 AND prodid2 = k.p2 AND prodid3 = k.p3 AND filnr = ?" + ARest +
                                 " OFFSET 0) AS t");
  S.BindInt(BindProdIdListen(S, 1, AIds), AFilNr);
  S.Vorausschicken();
  return S;
}

int IdBinden(TDbStatement& AS, int AErster, const TInt32Trio& AId) {
  BindProdId(AS, AErster, AId);
  return AErster + 3;
}

// The batch's lock rows, read as the common lock reads them (the table is
// small, often empty), sent now.
TDbStatement& SperrZeilenSenden(TDbAbfragen& ASql, const std::vector<TInt32Trio>& AIds) {
  TDbStatement& S =
      JeArtikel(ASql, "SELECT prodid1, prodid2, prodid3 FROM artikelsperre WHERE ", KProdId, " OR ", "", AIds, IdBinden, true);
  S.Vorausschicken();
  return S;
}

std::set<TInt32Trio> IdsLesen(TDbStatement& AS) {
  std::set<TInt32Trio> Ids;
  while (AS.Step()) Ids.insert(ColumnProdId(AS, 0));
  AS.Reset();
  return Ids;
}

struct TAnforderung {
  TVglInvAnf_Inv Key;
  TDate WiJahr = 0;  // as stored
};

TAnforderung AnforderungLesen(TDbAbfragen& ASql, const TVglInvAnf_Inv& A) {
  TDbStatement& S = ASql.GetGanz("SELECT wijahr FROM inventuranforderung WHERE zaehldatum = ? AND wg = ? AND filnr = ?");
  S.BindDouble(1, A.Zaehldatum);
  S.BindText(2, A.WG);
  S.BindInt(3, A.FilNr);
  if (!S.Step()) throw std::runtime_error("Die Inventur gibt es nicht.");
  TAnforderung R{A, S.ColumnDouble(0)};
  S.Reset();
  return R;
}

int AnforderungBinden(TDbStatement& AS, int AErster, const TAnforderung& A) {
  AS.BindDouble(AErster, A.Key.Zaehldatum);
  AS.BindText(AErster + 1, A.Key.WG);
  AS.BindInt(AErster + 2, A.Key.FilNr);
  AS.BindDouble(AErster + 3, A.WiJahr);
  return AErster + 4;
}

// Sets the request's state; with AVon only where it is in that state.
void ZustandSetzen(TDbAbfragen& ASql, const TAnforderung& A, TQLX_IA_KZZaehlung ANach,
                   std::optional<TQLX_IA_KZZaehlung> AVon = {}) {
  const std::string Setzen = std::string("UPDATE inventuranforderung SET kz_zaehlung = ? WHERE ") + KAnforderung;
  TDbStatement& S = AVon ? ASql.Get(Setzen + " AND kz_zaehlung = ?") : ASql.Get(Setzen);
  S.BindText(1, std::string(1, CQLX_IA_KZZaehlung_2_Char(ANach)));
  const int P = AnforderungBinden(S, 2, A);
  if (AVon) S.BindText(P, std::string(1, CQLX_IA_KZZaehlung_2_Char(*AVon)));
  S.Execute();
}

// The batches walk the list from its end, as the engine walks its to-do list.
template <class F>
long InStapeln(const std::vector<TInt32Trio>& AListe, F AStapel) {
  long Stapel = 0;
  for (size_t Ende = AListe.size(); Ende > 0; ++Stapel) {
    const size_t Anfang = Ende > KStapel ? Ende - KStapel : 0;
    AStapel(std::vector<TInt32Trio>(AListe.rend() - static_cast<std::ptrdiff_t>(Ende),
                                    AListe.rend() - static_cast<std::ptrdiff_t>(Anfang)));
    Ende = Anfang;
  }
  return Stapel;
}

// A stock record counts by its figures (A <= B or C <> 0) and its type (1
// to 16 or 18), as in the article selection.
bool Gezaehlt(char ATyp, int64_t AA, int64_t AB, int64_t AC) {
  TKWD_ArtBestTyp Typ{};
  if (!TryChar_2_ArtBestTyp(ATyp, Typ)) return false;
  const int O = Ord(Typ);
  return ((O >= 1 && O <= 16) || O == 18) && (AA <= AB || AC != 0);
}

struct TBestandsSatz {
  char Typ = ' ';
  std::array<int32_t, RF_GROESSEN> Menge{};
};

}  // namespace

TBenchUntergrenze UntergrenzeVervollstaendigen(const TVglInvAnf_Inv& AAnforderung) {
  TDbAbfragen Sql(KWDDatenbank());
  const TAnforderung Anf = AnforderungLesen(Sql, AAnforderung);
  std::vector<TInt32Trio> Artikel;
  {
    TDbStatement& S =
        Sql.Get(std::string("SELECT a.prodid1, a.prodid2, a.prodid3") + KBenchPaareSql + " AND r.filnr = ? ORDER BY 1, 2, 3");
    S.BindDouble(1, Anf.Key.Zaehldatum);
    S.BindInt(2, Anf.Key.FilNr);
    while (S.Step()) Artikel.push_back(ColumnProdId(S, 0));
    S.Reset();
  }
  const TArtBestTyp_Eigenschaften Eigenschaften = Get_ArtBestTyp_Eigenschaften();
  const std::string Sp = Groessen();
  // Every stock record of the article in the branch; which count is decided
  // here (a list of types in each part would cost SQLite a table per part).
  const std::string BestandSpalten = "prodid1, prodid2, prodid3, bestandstyp, bestand_a, bestand_b, bestand_c" + Sp;
  const std::string Platz = [] {
    std::string P;
    for (int I = 0; I < 11 + RF_GROESSEN; ++I) P += I ? ", ?" : "?";
    return P;
  }();
  TDbStatement& Einfuegen = Sql.Get(
      "INSERT INTO inventur (wijahr, zaehldatum, filnr, prodid1, prodid2, prodid3, bestandstyp, satzkz, sollmenge, "
      "grvon, grbis" + Sp + ") VALUES (" + Platz + ")");
  TDbStatement& Erhoehen = Sql.Get(std::string("UPDATE inventuranforderung SET ek_soll = ek_soll + ?, ek_ist = ek_ist + ? WHERE ") +
                                   KAnforderung);
  TSimplePriceReader Preise;
  TBenchUntergrenze R;
  R.Artikel = static_cast<long>(Artikel.size());
  double Soll = 0, Ist = 0;  // growth not yet written

  auto Schreiben = [&](const TInt32Trio& AId, char ATyp, const std::array<int32_t, RF_GROESSEN>& AMenge) {
    int64_t Summe = 0;
    int Von = 0, Bis = 0;
    for (int G = 1; G <= RF_GROESSEN; ++G)
      if (const int32_t M = AMenge[static_cast<size_t>(G - 1)]; M != 0) {
        Summe += M;
        if (!Von) Von = G;
        Bis = G;
      }
    Einfuegen.BindDouble(1, Anf.WiJahr);
    Einfuegen.BindDouble(2, Anf.Key.Zaehldatum);
    Einfuegen.BindInt(3, Anf.Key.FilNr);
    BindProdId(Einfuegen, 4, AId);
    Einfuegen.BindText(7, std::string(1, ATyp));
    Einfuegen.BindText(8, " ");
    Einfuegen.BindInt(9, Summe);
    Einfuegen.BindInt(10, Von ? Von : 1);
    Einfuegen.BindInt(11, Von ? Bis : 1);
    for (int G = 1; G <= RF_GROESSEN; ++G) Einfuegen.BindInt(11 + G, AMenge[static_cast<size_t>(G - 1)]);
    Einfuegen.Run();
  };

  std::vector<TInt32Trio> Offen;
  R.Stapel = InStapeln(Artikel, [&](const std::vector<TInt32Trio>& AIds) {
    TStapelKlammer Klammer(Sql);
    TDbStatement& Belegt = SperrZeilenSenden(Sql, AIds);
    TDbStatement& Bestand = FilialeLesenSenden(Sql, BestandSpalten, "bestand", "", AIds, Anf.Key.FilNr);
    Preise.Vorladen(AIds, 'E');
    const std::set<TInt32Trio> Gesperrt = IdsLesen(Belegt);  // the round trip of every read above
    std::map<TInt32Trio, std::vector<TBestandsSatz>> Saetze;
    while (Bestand.Step()) {
      TBestandsSatz B;
      const std::string Typ = Bestand.ColumnText(3);
      B.Typ = Typ.empty() ? ' ' : Typ[0];
      if (!Gezaehlt(B.Typ, Bestand.ColumnInt(4), Bestand.ColumnInt(5), Bestand.ColumnInt(6))) continue;
      for (int G = 0; G < RF_GROESSEN; ++G) B.Menge[static_cast<size_t>(G)] = static_cast<int32_t>(Bestand.ColumnInt(7 + G));
      Saetze[ColumnProdId(Bestand, 0)].push_back(B);
    }
    Bestand.Reset();
    // Branch-sale marks only where no counted stock decides, as the engine
    // reads them: most batches need no such read.
    std::vector<TInt32Trio> OhneBestand;
    for (const TInt32Trio& Id : AIds)
      if (!Gesperrt.count(Id) && !Saetze.count(Id)) OhneBestand.push_back(Id);
    std::set<TInt32Trio> MitVerkauf;
    if (!OhneBestand.empty())
      MitVerkauf = IdsLesen(FilialeLesenSenden(Sql, "prodid1, prodid2, prodid3", "filialverkauf",
                                               " AND satzart = 'F' AND bewegungsart = '23'", OhneBestand,
                                               Anf.Key.FilNr));

    for (const TInt32Trio& Id : AIds) {
      if (Gesperrt.count(Id)) {
        Offen.push_back(Id);
        continue;
      }
      Preise.SetProdId(Id);
      Preise.SetDatum(Anf.Key.Zaehldatum);
      Preise.SetSelekted(TQLX_Preis_Sys_Mand_Fil::Construct(Anf.Key.FilNr));
      const auto It = Saetze.find(Id);
      if (It == Saetze.end()) {
        if (MitVerkauf.count(Id)) Schreiben(Id, CKWD_ArtBestTyp_BFWert[1], {});
        continue;
      }
      for (const TBestandsSatz& B : It->second) {
        double Wert = 0;
        for (size_t G = 0; G < B.Menge.size(); ++G)
          if (B.Menge[G]) Wert += B.Menge[G] * Preise.GEK_4_Art_Dat_Fil_GrInd(static_cast<int8_t>(G), "");
        Soll += Wert;
        if (Eigenschaften[Ord(Char_2_ArtBestTyp(B.Typ))].IstWert) Ist += Wert;
        Schreiben(Id, B.Typ, B.Menge);
      }
    }
    if (std::fabs(Soll) > KSchwelle || std::fabs(Ist) > KSchwelle) {
      Erhoehen.BindDouble(1, Soll);
      Erhoehen.BindDouble(2, Ist);
      AnforderungBinden(Erhoehen, 3, Anf);
      Erhoehen.Run();
      Soll = Ist = 0;
    }
    Klammer.Commit();
  });
  R.Offen = static_cast<long>(Offen.size());
  if (Offen.empty()) ZustandSetzen(Sql, Anf, TQLX_IA_KZZaehlung::iazEroeffnet, TQLX_IA_KZZaehlung::iazAngefordert);
  return R;
}

TBenchUntergrenze UntergrenzeLoeschen(const TVglInvAnf_Inv& AAnforderung) {
  TDbAbfragen Sql(KWDDatenbank());
  const bool Pg = Postgres(Sql);
  const TAnforderung Anf = AnforderungLesen(Sql, AAnforderung);
  ZustandSetzen(Sql, Anf, TQLX_IA_KZZaehlung::iazLoeschen);  // as the deletion service starts
  std::vector<TInt32Trio> Artikel;
  {
    TDbStatement& S = Sql.GetGanz(
        "SELECT DISTINCT prodid1, prodid2, prodid3 FROM inventur WHERE wijahr = ? AND zaehldatum = ? AND filnr = ? "
        "ORDER BY 1, 2, 3");
    S.BindDouble(1, Anf.WiJahr);
    S.BindDouble(2, Anf.Key.Zaehldatum);
    S.BindInt(3, Anf.Key.FilNr);
    while (S.Step()) Artikel.push_back(ColumnProdId(S, 0));
    S.Reset();
  }
  // An article with a lock row stays: the removal passes over it and names
  // the articles it removed, so the lock step costs no statement of its own.
  // PostgreSQL looks each article up by itself (a plan for unknown values
  // would walk the whole day) and deletes the records found by their row
  // address, as the deletion service does.
  constexpr const char* KFrei =
      "NOT EXISTS (SELECT 1 FROM artikelsperre l WHERE l.prodid1 = %1.prodid1 AND l.prodid2 = %1.prodid2 "
      "AND l.prodid3 = %1.prodid3)";
  auto Frei = [&](const std::string& ATabelle) {
    std::string S = KFrei;
    for (size_t P; (P = S.find("%1")) != std::string::npos;) S.replace(P, 2, ATabelle);
    return S;
  };
  const std::string Tag = "wijahr = ? AND zaehldatum = ? AND filnr = ?";
  constexpr const char* KGeloescht = " RETURNING prodid1, prodid2, prodid3";
  const std::string SqliteKopf = "DELETE FROM inventur WHERE " + Frei("inventur") + " AND (";
  const std::string SqliteTerm = "(prodid1 = ? AND prodid2 = ? AND prodid3 = ? AND " + Tag + ")";
  const std::string PgKopf = "DELETE FROM inventur WHERE ctid = ANY (ARRAY(SELECT s.ctid FROM (VALUES ";
  const std::string PgFuss = ") AS a (prodid1, prodid2, prodid3) CROSS JOIN LATERAL (SELECT ctid FROM inventur "
                             "WHERE prodid1 = a.prodid1 AND prodid2 = a.prodid2 AND prodid3 = a.prodid3 AND " +
                             Tag + " OFFSET 0) s WHERE " + Frei("a") + "))" + KGeloescht;
  auto TagBinden = [&](TDbStatement& S, int P) {
    S.BindDouble(P, Anf.WiJahr);
    S.BindDouble(P + 1, Anf.Key.Zaehldatum);
    S.BindInt(P + 2, Anf.Key.FilNr);
    return P + 3;
  };
  TBenchUntergrenze R;
  R.Artikel = static_cast<long>(Artikel.size());
  std::vector<TInt32Trio> Offen;
  R.Stapel = InStapeln(Artikel, [&](const std::vector<TInt32Trio>& AIds) {
    TStapelKlammer Klammer(Sql);
    TDbStatement* Loeschen = nullptr;
    if (Pg) {
      Loeschen = &Sql.GetWiederholt(
          {PgKopf, "(CAST(? AS INTEGER), CAST(? AS INTEGER), CAST(? AS INTEGER))", ", ", PgFuss}, AIds.size(), true);
      int P = 1;
      for (const TInt32Trio& Id : AIds) P = IdBinden(*Loeschen, P, Id);
      TagBinden(*Loeschen, P);
    } else {
      Loeschen = &JeArtikel(Sql, SqliteKopf, SqliteTerm, " OR ", std::string(")") + KGeloescht, AIds,
                            [&](TDbStatement& S, int P, const TInt32Trio& Id) { return TagBinden(S, IdBinden(S, P, Id)); },
                            true);
    }
    Loeschen->Vorausschicken();
    std::set<TInt32Trio> Geloescht;
    if (!Pg) Geloescht = IdsLesen(*Loeschen);  // SQLite runs it now, inside the transaction
    Klammer.Commit();
    if (Pg) Geloescht = IdsLesen(*Loeschen);  // answered with the commit's round trip
    for (const TInt32Trio& Id : AIds)
      if (!Geloescht.count(Id)) Offen.push_back(Id);
  });
  R.Offen = static_cast<long>(Offen.size());
  if (Offen.empty()) {
    TDbStatement& S = Sql.Get(std::string("DELETE FROM inventuranforderung WHERE ") + KAnforderung);
    AnforderungBinden(S, 1, Anf);
    S.Execute();
  }
  return R;
}
