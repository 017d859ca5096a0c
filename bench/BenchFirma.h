#pragma once
// The company the benchmarks measure on: one branch carrying the full
// assortment of AArtikel articles, the demo company's day 01.10.2025.
#include <cstdio>
#include <filesystem>
#include <string>

#include "suite/demo/DemoFirma.h"
#include "support/db/KWDDatenbank.h"
#include "support/db/TDbConnection.h"
#include "support/types/KWDDatum.h"
#include "support/types/TVglInvAnf_Inv.h"

inline void BenchFirmaErzeugen(TDbConnection& ADb, long AArtikel) {
  TDemoOptionen Opt;
  Opt.Artikel = AArtikel;
  Opt.Filialen = 1;
  Opt.Vollsortiment = true;
  Opt.Stichtag = EncodeDate(2025, 10, 1);
  std::fprintf(stderr, "Demofirma mit %ld Artikeln in einer Filiale wird angelegt ...\n", AArtikel);
  DemoFirmaErzeugen(ADb, Opt);
  // A company in use has planner statistics; a bulk load has none yet, and
  // the server's background analysis would land in the middle of a measurement.
  if (ADb.Backend() == TDbBackend::PostgreSQL) ADb.ExecScript("ANALYZE");
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
