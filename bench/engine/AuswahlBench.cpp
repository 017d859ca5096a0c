// ProduktIDs_ToDoListeLaden (both stock checks) against one set-based SQL
// query that computes the same article-request pairs, side by side on one
// demo company.
//
//   bench_engine_auswahl ARTIKEL [DB]     e.g. 100000, 1000000
//
// Each variant runs in a process of its own, so its peak memory is its own.
// DB: an existing demo company (SQLite path or postgresql:// URI) to reuse;
// a SQLite path that does not exist yet gets the company built and kept for
// later runs; without DB a temporary SQLite company is built first.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchFirma.h"
#include "bench/BenchKind.h"
#include "bench/engine/BenchPaareSql.h"
#include "engine/TInvAnfAuswahl.h"
#include "engine/TQLX_InvAnfMani.h"
#include "suite/SuiteDatenbank.h"
#include "suite/TFilialTabelle.h"
#include "suite/demo/DemoFirma.h"
#include "support/db/KWDDatenbank.h"

namespace {

// Requests of the benchmark: on their own counting date, so the demo's
// requests never mix in.
const TDate KWiJahr = EncodeDate(2025, 1, 1);
const TDate KTagEine = EncodeDate(2025, 11, 3);
const TDate KTagAlle = EncodeDate(2025, 11, 4);

std::vector<TVglInvAnf_Inv> Anforderungen(bool AAlleFilialen) {
  std::vector<TVglInvAnf_Inv> A;
  TFilialTabelle Tabelle;
  for (const TFiliale& F : Tabelle.Filialen()) {
    TVglInvAnf_Inv R;
    R.FilNr = F.FilNr;
    R.WiJahr = YearOf(KWiJahr);
    R.Zaehldatum = AAlleFilialen ? KTagAlle : KTagEine;
    R.KZZaehlung = 1;
    A.push_back(R);
    if (!AAlleFilialen) break;
  }
  return A;
}

// The same pairs in one statement.
const std::string KMengenSql = std::string("SELECT count(*)") + KBenchPaareSql;

// Child: runs one variant, prints "seconds pairs peak-KiB".
int Variante(const std::string& AArt, bool AAlle) {
  SuiteDatenbankOeffnen();
  const auto Anf = Anforderungen(AAlle);
  const auto Start = std::chrono::steady_clock::now();
  long Paare = 0;
  if (AArt == "sql") {
    auto S = KWDDatenbank().Prepare(KMengenSql);
    S->BindDouble(1, AAlle ? KTagAlle : KTagEine);
    if (S->Step()) Paare = static_cast<long>(S->ColumnInt(0));
  } else {
    setenv("WWS_DB_KIND", AArt == "schluessel" ? "1" : "2", 1);
    TInvAnfObjekte Objekte;
    TInvAnfAuswahl Auswahl(TInvAnfAuswahl::Bedarf(Objekte));
    TInventurListe I;
    TWarengruppenListe W;
    TFilialListe F;
    auto ToDo = TInvAnfAuswahl::ToDoListeErzeugen();
    Auswahl.UnvollstaendigeInventurenLaden(Anf, &I, &W, &F);
    Auswahl.ProduktIDs_ToDoListeLaden(I, W, F, *ToDo);
    for (const auto& E : *ToDo) Paare += static_cast<long>(E.Ind.size());
  }
  std::printf("%.3f %ld %ld\n", BenchSekundenSeit(Start), Paare, BenchSpitzeKiB());
  return 0;
}

struct TMessung {
  double Sekunden = 0;
  long Paare = 0, KiB = 0;
};

TMessung Kind(const char* ASelbst, const std::string& AArt, bool AAlle) {
  const std::vector<double> Z = BenchKind(ASelbst, AArt + (AAlle ? " alle" : " eine"));
  if (Z.size() != 3) return {};
  return {Z[0], static_cast<long>(Z[1]), static_cast<long>(Z[2])};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--variante") return Variante(argv[2], std::string(argv[3]) == "alle");
  if (argc < 2) {
    std::fprintf(stderr, "Aufruf: %s ARTIKEL [DB]\n", argv[0]);
    return 2;
  }
  const long Artikel = std::atol(argv[1]);
  std::string Ort = argc > 2 ? argv[2] : "";
  const bool Temporaer = Ort.empty();
  if (Temporaer) Ort = std::filesystem::temp_directory_path() / ("bench-auswahl-" + std::to_string(getpid()) + ".db");
  if (Temporaer || (Ort.find("://") == std::string::npos && !std::filesystem::exists(Ort))) {
    KWDDatenbank_Set(TDbConnection::Open(Ort, true));
    setenv("WWS_DB", Ort.c_str(), 1);
    TDbConnection& Db = SuiteDatenbankAnlegen();
    TDemoOptionen Opt;
    Opt.Artikel = Artikel;
    Opt.Filialen = 12;
    Opt.Stichtag = EncodeDate(2025, 10, 1);
    std::fprintf(stderr, "Demofirma mit %ld Artikeln wird angelegt ...\n", Artikel);
    DemoFirmaErzeugen(Db, Opt);
  } else {
    setenv("WWS_DB", Ort.c_str(), 1);
    SuiteDatenbankOeffnen();
  }
  {
    TQLX_InvAnfMani Mani;
    const auto Alle = Anforderungen(true);
    Mani.InventurAnlegen(KTagEine, KWiJahr, "", Alle.front().FilNr);
    for (const auto& A : Alle) Mani.InventurAnlegen(KTagAlle, KWiJahr, "", A.FilNr);
  }
  KWDDatenbank_Set(nullptr);

  std::printf("%ld Artikel, %s\n", Artikel, Ort.c_str());
  std::printf("%-16s %-10s %9s %9s %10s %9s\n", "Anforderungen", "Variante", "Sekunden", "Paare", "Spitze KiB",
              "x Menge");
  for (bool AlleFil : {false, true}) {
    const TMessung Menge = Kind(argv[0], "sql", AlleFil);
    for (const char* Art : {"sql", "schluessel", "masse"}) {
      const TMessung M = std::string(Art) == "sql" ? Menge : Kind(argv[0], Art, AlleFil);
      std::printf("%-16s %-10s %9.3f %9ld %10ld %9.2f%s\n", AlleFil ? "alle Filialen" : "eine Filiale", Art,
                  M.Sekunden, M.Paare, M.KiB, Menge.Sekunden > 0 ? M.Sekunden / Menge.Sekunden : 0.0,
                  M.Paare != Menge.Paare ? "  (Paare weichen ab!)" : "");
    }
  }
  if (Temporaer) BenchFirmaEntfernen(Ort);
  return 0;
}
