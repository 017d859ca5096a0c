// How completion and deletion grow with the request: one branch's all-groups
// request on companies of several sizes (the branch carries the full
// assortment), the time per stock-take record and the peak memory per size.
// The time per record should stay flat and the memory bounded however large
// the request is.
//
//   bench_skalierung [ARTIKEL ...]     default 25000 50000 100000 200000
//
// Each size is a temporary SQLite company; completion and deletion each run
// in a process of their own, so their peak memory is their own.
//
// The CPU time per record (the process's, its checkpoint thread included)
// is printed as well: on a shared machine the wall-clock time of a long run
// also holds the time other programs had the cores, which grows with the run.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchFirma.h"
#include "bench/BenchKind.h"
#include "engine/TQLX_InvAnfMani.h"
#include "suite/SuiteDatenbank.h"
#include "support/db/KWDDatenbank.h"

namespace {

using namespace BenchAnf;

// User and system time of this process so far, every thread, in seconds.
double CpuSekunden() {
  rusage R{};
  getrusage(RUSAGE_SELF, &R);
  return static_cast<double>(R.ru_utime.tv_sec + R.ru_stime.tv_sec) +
         static_cast<double>(R.ru_utime.tv_usec + R.ru_stime.tv_usec) / 1e6;
}

// Child: completes or deletes the request of the company at AOrt and prints
// "seconds records-touched peak-KiB cpu-seconds".
int Variante(const std::string& AArt, const std::string& AOrt) {
  setenv("WWS_DB", AOrt.c_str(), 1);
  SuiteDatenbankOeffnen();
  const long Vorher = Saetze();
  std::vector<TQLX_clMeldung> Meldungen;
  const auto Start = std::chrono::steady_clock::now();
  const double CpuStart = CpuSekunden();
  bool Fertig = false;
  {
    TQLX_InvAnfMani Mani;
    Fertig = AArt == "vervollst" ? Mani.InventurAnforderungVervollstaendigen({Anforderung()}, Meldungen)
                                 : Mani.InventurenLoeschen({Anforderung()}, Meldungen);
  }
  const double Sekunden = BenchSekundenSeit(Start);
  const double Cpu = CpuSekunden() - CpuStart;
  if (!Fertig) return 1;
  const long Nachher = Saetze();
  std::printf("%.3f %ld %ld %.3f\n", Sekunden, AArt == "vervollst" ? Nachher - Vorher : Vorher - Nachher,
              BenchSpitzeKiB(), Cpu);
  return 0;
}

struct TMessung {
  double Sekunden = 0;
  long Saetze = 0, KiB = 0;
  double Cpu = 0;
  double UsJeSatz() const { return Saetze > 0 ? Sekunden * 1e6 / Saetze : 0.0; }
  double CpuUsJeSatz() const { return Saetze > 0 ? Cpu * 1e6 / Saetze : 0.0; }
};

TMessung Kind(const char* ASelbst, const std::string& AArt, const std::string& AOrt) {
  const std::vector<double> Z = BenchKind(ASelbst, AArt + " " + AOrt);
  if (Z.size() != 4) return {};
  return {Z[0], static_cast<long>(Z[1]), static_cast<long>(Z[2]), Z[3]};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--variante") return Variante(argv[2], argv[3]);
  std::vector<long> Groessen;
  for (int I = 1; I < argc; ++I) Groessen.push_back(std::max(1L, std::atol(argv[I])));
  if (Groessen.empty()) Groessen = {25000, 50000, 100000, 200000};

  std::printf("%9s %9s %12s %9s %11s %10s %9s %11s\n", "Artikel", "Saetze", "Vervollst s", "us/Satz", "Spitze MiB",
              "Loeschen s", "us/Satz", "Spitze MiB");
  std::vector<TMessung> Vervollst, Loeschen;
  int Ergebnis = 0;
  for (const long Artikel : Groessen) {
    const std::string Ort = std::filesystem::temp_directory_path() /
                            ("bench-skalierung-" + std::to_string(getpid()) + "-" + std::to_string(Artikel) + ".db");
    KWDDatenbank_Set(TDbConnection::Open(Ort, true));
    setenv("WWS_DB", Ort.c_str(), 1);
    BenchFirmaErzeugen(SuiteDatenbankAnlegen(), Artikel);
    {
      TQLX_InvAnfMani Mani;
      Mani.InventurAnlegen(KTag, KWiJahr, "", KFiliale);
    }
    KWDDatenbank_Set(nullptr);
    const TMessung V = Kind(argv[0], "vervollst", Ort);
    const TMessung L = Kind(argv[0], "loeschen", Ort);
    if (V.Saetze == 0 || L.Saetze != V.Saetze) {
      std::fprintf(stderr, "%ld Artikel: Vervollständigen oder Löschen ist gescheitert.\n", Artikel);
      Ergebnis = 1;
    }
    std::printf("%9ld %9ld %12.3f %9.1f %11.1f %10.3f %9.1f %11.1f\n", Artikel, V.Saetze, V.Sekunden, V.UsJeSatz(),
                V.KiB / 1024.0, L.Sekunden, L.UsJeSatz(), L.KiB / 1024.0);
    std::fflush(stdout);
    Vervollst.push_back(V);
    Loeschen.push_back(L);
    BenchFirmaEntfernen(Ort);
  }
  if (Groessen.size() > 1 && Vervollst.front().UsJeSatz() > 0 && Loeschen.front().UsJeSatz() > 0)
    std::printf("us je Satz bei %ld Artikeln gegen %ld: Vervollstaendigen %.2f x, Loeschen %.2f x\n", Groessen.back(),
                Groessen.front(), Vervollst.back().UsJeSatz() / Vervollst.front().UsJeSatz(),
                Loeschen.back().UsJeSatz() / Loeschen.front().UsJeSatz());
  std::printf("%9s %21s %21s\n", "Artikel", "Vervollst CPU us/Satz", "Loeschen CPU us/Satz");
  for (size_t I = 0; I < Groessen.size(); ++I)
    std::printf("%9ld %21.1f %21.1f\n", Groessen[I], Vervollst[I].CpuUsJeSatz(), Loeschen[I].CpuUsJeSatz());
  if (Groessen.size() > 1 && Vervollst.front().CpuUsJeSatz() > 0 && Loeschen.front().CpuUsJeSatz() > 0)
    std::printf("CPU-Zeit je Satz bei %ld Artikeln gegen %ld: Vervollstaendigen %.2f x, Loeschen %.2f x\n",
                Groessen.back(), Groessen.front(), Vervollst.back().CpuUsJeSatz() / Vervollst.front().CpuUsJeSatz(),
                Loeschen.back().CpuUsJeSatz() / Loeschen.front().CpuUsJeSatz());
  return Ergebnis;
}
