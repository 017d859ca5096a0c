// Completing and deleting one request of a large branch (engine: batches of
// 20 under the common lock) against set-based statements that write and
// delete the same stock-take records, and against the floor of the batches
// (BuchungUntergrenze.h: the same records in the same batches of 20, each
// with its lock step and commit, by plain statements), side by side on one
// demo company. The floor must leave the same database as the engine; the
// line "Untergrenze wie die Engine" says whether it did.
//
//   bench_engine_buchung ARTIKEL [DB [RUNDEN]]     e.g. 118000
//
// The branch carries the full assortment: about 85 % of the articles are
// counted (check strictness 2 or more), with about 1.5 stock records each, so
// 118,000 articles give a request of about 100,000 articles and 150,000 records.
//
// On PostgreSQL two more lines show what the batches cost at the least,
// whatever the client does: one round trip per batch (the lock step's answer
// decides what the batch removes, so the removal cannot leave before it),
// and the server's own work for the deletion's statements of every batch
// (block 11, lock-row read, removal, commit), run by a procedure inside the
// server, so without any round trip.
//
// Each variant runs in a process of its own, so its peak memory is its own.
// DB: a SQLite path or postgresql:// URI of an EMPTY database to fill; without
// it (or "") a temporary SQLite company is built. RUNDEN: repeat every
// variant so often and keep its shortest time.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/TQLX_InvAnfMani.h"
#include "suite/SuiteDatenbank.h"
#include "bench/BenchErgebnis.h"
#include "bench/BenchFirma.h"
#include "bench/BenchKind.h"
#include "bench/engine/BuchungUntergrenze.h"
#include "support/db/KWDDatenbank.h"

namespace {

using namespace BenchAnf;

std::string Groessen(const char* APraefix) {
  std::string S;
  for (int I = 1; I <= 40; ++I) S += std::string(", ") + APraefix + "gr" + std::to_string(I);
  return S;
}

// The same records as the booking writes for the request (stock records of
// counted types in its branch, articles of check strictness 2 or more).
std::string MengenSql() {
  std::string Summe = "b.gr1";
  for (int I = 2; I <= 40; ++I) Summe += " + b.gr" + std::to_string(I);
  return "INSERT INTO inventur (wijahr, zaehldatum, filnr, prodid1, prodid2, prodid3, bestandstyp, satzkz, "
         "sollmenge, grvon, grbis" + Groessen("") + ") "
         "SELECT r.wijahr, r.zaehldatum, r.filnr, b.prodid1, b.prodid2, b.prodid3, b.bestandstyp, ' ', " + Summe +
         ", 1, 40" + Groessen("b.") +
         " FROM inventuranforderung r JOIN bestand b ON b.filnr = r.filnr "
         "JOIN artikel a ON a.prodid1 = b.prodid1 AND a.prodid2 = b.prodid2 AND a.prodid3 = b.prodid3 "
         "AND a.pruefschaerfe IN ('2','3','4','5','6','7','8','9') "
         "WHERE r.zaehldatum = ? AND r.filnr = ? AND r.wg = '' "
         "AND b.bestandstyp IN ('1','2','3','4','5','6','7','8','9','A','B','C','D','E','F','G','I') "
         "AND (b.bestand_a <= b.bestand_b OR b.bestand_c <> 0)";
}

long Zaehlen(const char* ASql) {
  auto S = KWDDatenbank().Prepare(ASql);
  S->BindDouble(1, KTag);
  S->BindInt(2, KFiliale);
  return S->Step() ? static_cast<long>(S->ColumnInt(0)) : -1;
}
long Artikel() {
  return Zaehlen(
      "SELECT count(*) FROM (SELECT DISTINCT prodid1, prodid2, prodid3 FROM inventur "
      "WHERE zaehldatum = ? AND filnr = ?) a");
}

constexpr long KStapel = 20;

// The deletion's batches inside the server: the request's articles in
// product-id order, 20 per transaction, with the engine's statements (the
// removal in the shape the deletion service sends).
std::string StapelProzedur() {
  std::string Werte;
  for (long I = 0; I < KStapel; ++I) {
    const std::string N = std::to_string(I);
    Werte += (I ? ", " : "") + ("(P1[Von + " + N + "], P2[Von + " + N + "], P3[Von + " + N + "])");
  }
  return R"(
CREATE OR REPLACE PROCEDURE bench_stapel_loeschen(ATag DOUBLE PRECISION, AFiliale INTEGER,
  AWiVon DOUBLE PRECISION, AWiBis DOUBLE PRECISION) LANGUAGE plpgsql AS $$
DECLARE
  P1 INTEGER[]; P2 INTEGER[]; P3 INTEGER[]; Von INTEGER;
BEGIN
  SELECT array_agg(a.prodid1 ORDER BY a.prodid1, a.prodid2, a.prodid3),
         array_agg(a.prodid2 ORDER BY a.prodid1, a.prodid2, a.prodid3),
         array_agg(a.prodid3 ORDER BY a.prodid1, a.prodid2, a.prodid3) INTO P1, P2, P3
    FROM (SELECT DISTINCT prodid1, prodid2, prodid3 FROM inventur WHERE wijahr >= AWiVon AND wijahr < AWiBis
          AND zaehldatum >= ATag AND zaehldatum < ATag + 1 AND filnr = AFiliale) a;
  Von := 1;
  WHILE Von <= coalesce(array_length(P1, 1), 0) LOOP
    PERFORM pg_advisory_xact_lock(1, 11);
    PERFORM 1 FROM artikelsperre l JOIN unnest(P1[Von:Von + 19], P2[Von:Von + 19], P3[Von:Von + 19])
      AS k (p1, p2, p3) ON l.prodid1 = k.p1 AND l.prodid2 = k.p2 AND l.prodid3 = k.p3;
    DELETE FROM inventur WHERE ctid = ANY (ARRAY(SELECT s.ctid FROM (VALUES )" + Werte + R"() AS k (p1, p2, p3)
      CROSS JOIN LATERAL (SELECT ctid FROM inventur WHERE prodid1 = k.p1 AND prodid2 = k.p2 AND prodid3 = k.p3
        AND wijahr >= AWiVon AND wijahr < AWiBis AND zaehldatum >= ATag AND zaehldatum < ATag + 1
        AND filnr = AFiliale OFFSET 0) s));
    COMMIT;
    Von := Von + 20;
  END LOOP;
END $$)";
}

// Child: runs one variant, prints "seconds records articles peak-KiB result"
// (BenchErgebnis of the request; 0 when the floor left articles).
int Variante(const std::string& AArt) {
  SuiteDatenbankOeffnen();
  const long Stapel = AArt == "umlauf" ? (Artikel() + KStapel - 1) / KStapel : 0;
  if (AArt == "server") KWDDatenbank().ExecScript(StapelProzedur());
  const auto Start = std::chrono::steady_clock::now();
  std::vector<TQLX_clMeldung> Meldungen;
  bool Fertig = true;
  if (AArt == "umlauf") {
    auto S = KWDDatenbank().PrepareGanz("SELECT 1");
    for (long I = 0; I < Stapel; ++I) {
      S->Step();
      S->Reset();
    }
  } else if (AArt == "server") {
    auto S = KWDDatenbank().Prepare("CALL bench_stapel_loeschen(?, ?, ?, ?)");
    S->BindDouble(1, KTag);
    S->BindInt(2, KFiliale);
    S->BindDouble(3, KWiJahr);
    S->BindDouble(4, EncodeDate(YearOf(KWiJahr) + 1, 1, 1));
    S->Execute();
  } else if (AArt == "untergrenze") {
    Fertig = UntergrenzeVervollstaendigen(Anforderung()).Offen == 0;
  } else if (AArt == "untergrenzeloeschen") {
    Fertig = UntergrenzeLoeschen(Anforderung()).Offen == 0;
  } else if (AArt == "vervollst") {
    TQLX_InvAnfMani Mani;
    Fertig = Mani.InventurAnforderungVervollstaendigen({Anforderung()}, Meldungen);
  } else if (AArt == "loeschen") {
    TQLX_InvAnfMani Mani;
    Fertig = Mani.InventurenLoeschen({Anforderung()}, Meldungen);
  } else if (AArt == "menge") {
    TDbTransaction T(KWDDatenbank());
    auto S = KWDDatenbank().Prepare(MengenSql());
    S->BindDouble(1, KTag);
    S->BindInt(2, KFiliale);
    S->Execute();
    T.Commit();
  } else {
    TDbTransaction T(KWDDatenbank());
    auto S = KWDDatenbank().Prepare("DELETE FROM inventur WHERE zaehldatum = ? AND filnr = ?");
    S->BindDouble(1, KTag);
    S->BindInt(2, KFiliale);
    S->Execute();
    T.Commit();
  }
  const double Sekunden = BenchSekundenSeit(Start);
  if (AArt == "server") KWDDatenbank().ExecScript("DROP PROCEDURE bench_stapel_loeschen");
  const long KiB = BenchSpitzeKiB();
  // Only the engine and its floor are compared; the others need no reading of every record.
  const bool Vergleichen = AArt == "vervollst" || AArt == "loeschen" || AArt.rfind("untergrenze", 0) == 0;
  std::printf("%.3f %ld %ld %ld %.0f\n", Sekunden, Saetze(), Artikel(), KiB,
              Vergleichen && Fertig ? BenchErgebnis(Anforderung()) : 0.0);
  return 0;
}

struct TMessung {
  double Sekunden = 0;
  long Saetze = 0, Artikel = 0, KiB = 0;
  double Ergebnis = -1;
};

TMessung Kind(const char* ASelbst, const std::string& AArt) {
  const std::vector<double> Z = BenchKind(ASelbst, AArt);
  if (Z.size() != 5) return {};
  return {Z[0], static_cast<long>(Z[1]), static_cast<long>(Z[2]), static_cast<long>(Z[3]), Z[4]};
}

void Anlegen() {
  TQLX_InvAnfMani Mani;
  Mani.InventurAnlegen(KTag, KWiJahr, "", KFiliale);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--variante") return Variante(argv[2]);
  if (argc < 2) {
    std::fprintf(stderr, "Aufruf: %s ARTIKEL [DB [RUNDEN]]\n", argv[0]);
    return 2;
  }
  const long Artikel = std::atol(argv[1]);
  std::string Ort = argc > 2 ? argv[2] : "";
  const bool Neu = Ort.empty();
  TDbConnection& Db = BenchFirmaOeffnen(Ort, "bench-buchung-");
  BenchFirmaErzeugen(Db, Artikel);
  Anlegen();

  const int Runden = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1;
  std::printf("%ld Artikel, %s, %s\n", Artikel, Ort.c_str(), BenchLast().c_str());
  // Several rounds keep each variant's shortest time: on a shared machine
  // the others' load only ever adds.
  TMessung V, L, UV, UL, M, ML, Umlauf, Server;
  auto Kuerzer = [&](TMessung& AM, const char* AArt) {
    const TMessung N = Kind(argv[0], AArt);
    if (AM.Sekunden <= 0 || (N.Sekunden > 0 && N.Sekunden < AM.Sekunden)) AM = N;
    return N;
  };
  const bool Postgres = Db.Backend() == TDbBackend::PostgreSQL;
  bool GleichV = true, GleichL = true;
  for (int Runde = 0; Runde < Runden; ++Runde) {
    const double EV = Kuerzer(V, "vervollst").Ergebnis, EL = Kuerzer(L, "loeschen").Ergebnis;
    Anlegen();
    GleichV = Kuerzer(UV, "untergrenze").Ergebnis == EV && EV > 0 && GleichV;
    GleichL = Kuerzer(UL, "untergrenzeloeschen").Ergebnis == EL && EL > 0 && GleichL;
    Anlegen();
    Kuerzer(M, "menge");
    if (Postgres) {
      Kuerzer(Umlauf, "umlauf");
      Kuerzer(Server, "server");
      Kuerzer(M, "menge");
    }
    Kuerzer(ML, "mengeloeschen");
  }
  // Articles per second count the articles the request covers (booked by the completion).
  const long Gebucht = V.Artikel;
  std::printf("%ld Artikel gebucht, %ld Saetze\n", Gebucht, V.Saetze);
  std::printf("%-22s %9s %9s %10s %12s %8s %11s\n", "Variante", "Sekunden", "Saetze", "Spitze KiB", "Artikel/s",
              "x Menge", "x Untergr.");
  auto X = [](const TMessung& A, const TMessung& B) { return B.Sekunden > 0 ? A.Sekunden / B.Sekunden : 0.0; };
  auto Zeile = [&](const char* AName, const TMessung& AM, const TMessung& AMenge, long ASaetze,
                   const TMessung& AUntergrenze) {
    std::printf("%-22s %9.3f %9ld %10ld %12.0f %8.2f %11.2f\n", AName, AM.Sekunden, ASaetze, AM.KiB,
                AM.Sekunden > 0 ? Gebucht / AM.Sekunden : 0.0, X(AM, AMenge), X(AM, AUntergrenze));
  };
  Zeile("Vervollstaendigen", V, M, V.Saetze, UV);
  Zeile("  Untergrenze", UV, M, UV.Saetze, UV);
  Zeile("INSERT ... SELECT", M, M, M.Saetze, UV);
  Zeile("InventurenLoeschen", L, ML, L.Saetze, UL);
  Zeile("  Untergrenze", UL, ML, UL.Saetze, UL);
  Zeile("DELETE", ML, ML, ML.Saetze, UL);
  auto Gleich = [](bool A) { return A ? "gleich" : "ungleich"; };
  std::printf("Untergrenze wie die Engine: Vervollstaendigen %s, Loeschen %s\n", Gleich(GleichV), Gleich(GleichL));
  if (Postgres) {
    std::printf("Untergrenze der Loeschung in Stapeln zu %ld (x DELETE):\n", KStapel);
    Zeile("  1 Umlauf je Stapel", Umlauf, ML, 0, UL);
    Zeile("  Server allein", Server, ML, 0, UL);
    TMessung Zusammen;
    Zusammen.Sekunden = Umlauf.Sekunden + Server.Sekunden;
    std::printf("  %-20s %9.3f %52.2f %11.2f\n", "zusammen", Zusammen.Sekunden, X(Zusammen, ML), X(Zusammen, UL));
  }
  if (Runden > 1) std::printf("Kuerzeste Zeiten aus %d Runden, %s\n", Runden, BenchLast().c_str());
  KWDDatenbank_Set(nullptr);
  if (Neu) BenchFirmaEntfernen(Ort);
  return 0;
}
