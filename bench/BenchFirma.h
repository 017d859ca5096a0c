#pragma once
// The company the benchmarks measure on: one branch carrying the full
// assortment of AArtikel articles, the demo company's day 01.10.2025.
#include <cstdio>

#include "suite/demo/DemoFirma.h"
#include "support/db/TDbConnection.h"
#include "support/types/KWDDatum.h"

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
