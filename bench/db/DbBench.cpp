// Side-by-side timings of the database backends, in one run so the figures
// compare on this shared machine: many inserts in one transaction, queued
// (Run) against one answered statement each (Execute), and a long scan
// with a key read every 100 rows.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "tests/fixtures/TestDb.h"

namespace {

double Sekunden(const std::function<void()>& AArbeit) {
  const auto Start = std::chrono::steady_clock::now();
  AArbeit();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

void Einfuegen(TDbConnection& AConn, int AVon, int AAnzahl, bool AQueued) {
  auto Stmt = AConn.Prepare("INSERT INTO bestand (nr, menge, text) VALUES (?, ?, ?)");
  TDbTransaction Transaktion(AConn);
  for (int Nr = AVon; Nr < AVon + AAnzahl; ++Nr) {
    Stmt->BindInt(1, Nr);
    Stmt->BindDouble(2, Nr * 0.5);
    Stmt->BindText(3, "Artikel " + std::to_string(Nr));
    if (AQueued)
      Stmt->Run();
    else
      Stmt->Execute();
  }
  Transaktion.Commit();
}

void Messen(TDbBackend ABackend, int AAnzahl) {
  TTestDb Db(ABackend);
  auto Conn = Db.Open();
  Conn->ExecScript("CREATE TABLE bestand (nr INTEGER PRIMARY KEY, menge DOUBLE PRECISION, text TEXT COLLATE \"C\")");
  // Alternating rounds so drift of the machine's load hits both alike.
  double Einzeln = 0, Gebuendelt = 0;
  for (int Runde = 0; Runde < 3; ++Runde) {
    const int Basis = Runde * 2 * AAnzahl;
    Einzeln += Sekunden([&] { Einfuegen(*Conn, Basis, AAnzahl, false); });
    Gebuendelt += Sekunden([&] { Einfuegen(*Conn, Basis + AAnzahl, AAnzahl, true); });
  }
  int64_t Gelesen = 0;
  const double Scan = Sekunden([&] {
    auto Alle = Conn->Prepare("SELECT nr, menge, text FROM bestand ORDER BY nr");
    auto Eins = Conn->Prepare("SELECT menge FROM bestand WHERE nr = ?");
    while (Alle->Step()) {
      if (++Gelesen % 100 == 0) {
        Eins->BindInt(1, Alle->ColumnInt(0));
        Eins->Step();
      }
    }
  });
  std::printf("%-10s %d inserts in one transaction: Execute each %.1f ms, Run (queued) %.1f ms, ratio %.1f : 1\n",
              TDbBackendName(ABackend).c_str(), AAnzahl, Einzeln / 3 * 1e3, Gebuendelt / 3 * 1e3,
              Einzeln / Gebuendelt);
  std::printf("%-10s scan of %lld rows with a key read every 100 rows: %.1f ms\n", TDbBackendName(ABackend).c_str(),
              static_cast<long long>(Gelesen), Scan * 1e3);
}

}  // namespace

int main(int argc, char** argv) {
  const int Anzahl = argc > 1 ? std::atoi(argv[1]) : 10000;
  try {
    for (const auto Backend : TTestDb::Available()) Messen(Backend, Anzahl);
  } catch (const std::exception& E) {
    std::fprintf(stderr, "%s\n", E.what());
    return 1;
  }
  return 0;
}
