#pragma once
// The company the benchmarks measure on: by default one branch carrying the
// full assortment of AArtikel articles, the demo company's day 01.10.2025.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "suite/SuiteDatenbank.h"
#include "suite/demo/DemoFirma.h"
#include "support/db/KWDDatenbank.h"
#include "support/db/TDbConnection.h"
#include "support/types/KWDDatum.h"
#include "support/types/TVglInvAnf_Inv.h"

// The demo company of AOptionen on the demo company's day 01.10.2025.
inline void BenchDemoErzeugen(TDbConnection& ADb, TDemoOptionen AOptionen) {
  AOptionen.Stichtag = EncodeDate(2025, 10, 1);
  std::fprintf(stderr, "Demofirma mit %ld Artikeln in %d Filiale(n) wird angelegt ...\n",
               static_cast<long>(AOptionen.Artikel), AOptionen.Filialen);
  DemoFirmaErzeugen(ADb, AOptionen);
  // A company in use has planner statistics; a bulk load has none yet, and
  // the server's background analysis would land in the middle of a measurement.
  if (ADb.Backend() == TDbBackend::PostgreSQL) ADb.ExecScript("ANALYZE");
}

inline void BenchFirmaErzeugen(TDbConnection& ADb, long AArtikel) {
  TDemoOptionen Opt;
  Opt.Artikel = AArtikel;
  Opt.Filialen = 1;
  Opt.Vollsortiment = true;
  BenchDemoErzeugen(ADb, Opt);
}

// Opens the (empty) company at AOrt as this process's company, ready to be
// filled; an empty AOrt becomes a temporary SQLite file named after APraefix.
inline TDbConnection& BenchFirmaOeffnen(std::string& AOrt, const char* APraefix) {
  if (AOrt.empty())
    AOrt = std::filesystem::temp_directory_path() / (std::string(APraefix) + std::to_string(getpid()) + ".db");
  KWDDatenbank_Set(TDbConnection::Open(AOrt, true));
  setenv("WWS_DB", AOrt.c_str(), 1);
  return SuiteDatenbankAnlegen();
}

// Removes a temporary SQLite company with the files beside it (log, shared
// memory, the common lock's block file).
inline void BenchFirmaEntfernen(const std::string& AOrt) {
  std::error_code F;
  for (const char* Rest : {"", "-wal", "-shm", ".block11"}) std::filesystem::remove(AOrt + Rest, F);
}

// The request the engine benchmarks complete and delete: all groups of the
// branch, on a counting day of its own.
namespace BenchAnf {
inline const TDate KWiJahr = EncodeDate(2025, 1, 1);
inline const TDate KTag = EncodeDate(2025, 11, 3);
inline constexpr int KFiliale = 1;

inline TVglInvAnf_Inv Anforderung() {
  TVglInvAnf_Inv R;
  R.FilNr = KFiliale;
  R.WiJahr = YearOf(KWiJahr);
  R.Zaehldatum = KTag;
  R.KZZaehlung = 1;
  return R;
}

// Its stock-take records in the company of this process.
inline long Saetze() {
  auto S = KWDDatenbank().Prepare("SELECT count(*) FROM inventur WHERE zaehldatum = ? AND filnr = ?");
  S->BindDouble(1, KTag);
  S->BindInt(2, KFiliale);
  return S->Step() ? static_cast<long>(S->ColumnInt(0)) : -1;
}
}  // namespace BenchAnf
