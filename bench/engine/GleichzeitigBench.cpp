// Several programs at once, as the users of one company work: K programs
// (K = 1, 2, 4, 8; real processes) each complete, then delete, one branch's
// all-groups request, started together, against one program doing the same
// K requests one after another. The programs start each phase together (all
// complete, then all delete); the time of a phase runs from the first
// program's start to the last one's end.
//
//   bench_gleichzeitig [ARTIKEL [FILIALEN [RUNDEN [DB]]]]     default 40000 8 1
//
// Prints per K the time of each phase at once and one after another, their
// ratio, the articles another program kept locked that a program had to pass
// again (what was left after each locking pass that pauses), and whether the
// result - each request after completion and after deletion - equals the
// one of the program working alone.
//
// DB: a SQLite path or postgresql:// URI of an EMPTY database to fill;
// without it (or "") a temporary SQLite company is built.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchErgebnis.h"
#include "bench/BenchFirma.h"
#include "bench/BenchKind.h"
#include "engine/TQLX_InvAnfMani.h"
#include "suite/SuiteDatenbank.h"
#include "suite/demo/DemoFirma.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDPause.h"
#include "support/framework/TQLX_PEP_Progress_SetPos.h"

namespace {

using namespace BenchAnf;

TVglInvAnf_Inv AnforderungDer(int AFiliale) {
  TVglInvAnf_Inv A = Anforderung();
  A.FilNr = static_cast<int16_t>(AFiliale);
  return A;
}

// Seconds of the system's monotonic clock, the same in every process.
double Jetzt() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

long Zahl(const char* ASql, int AFiliale) {
  auto S = KWDDatenbank().Prepare(ASql);
  S->BindDouble(1, KTag);
  S->BindInt(2, AFiliale);
  return S->Step() ? static_cast<long>(S->ColumnInt(0)) : -1;
}
long ArtikelDerInventur(int AFiliale) {
  return Zahl("SELECT count(*) FROM (SELECT DISTINCT prodid1, prodid2, prodid3 FROM inventur "
              "WHERE zaehldatum = ? AND filnr = ?) a",
              AFiliale);
}

// One program: completes, then deletes, the requests of the branches in
// AFilialen ("1,2"), each phase when the parent says so (a byte on stdin);
// reports "bereit", then per phase "start end passed-again left-locked".
int Programm(const std::string& AFilialen) {
  SuiteDatenbankOeffnen();
  std::vector<int> Filialen;
  for (size_t P = 0; P < AFilialen.size();) {
    Filialen.push_back(std::atoi(AFilialen.c_str() + P));
    P = AFilialen.find(',', P);
    P = P == std::string::npos ? AFilialen.size() : P + 1;
  }
  // What a pass left when it pauses: the articles still to do, passed again.
  TQLX_PEP_Progress_SetPos* Fortschritt = nullptr;
  KWDProgressFabrikSet([&Fortschritt](void*) {
    auto P = std::make_unique<TKWDTerminalProgress>(false);
    Fortschritt = P.get();
    return P;
  });
  long Erneut = 0;
  std::function<long()> Offen;
  KWDPauseSet([&](int AMs) {
    if (Offen) Erneut += Offen();
    std::this_thread::sleep_for(std::chrono::milliseconds(AMs));
  });
  TQLX_InvAnfMani Mani;
  std::printf("bereit\n");
  std::fflush(stdout);
  for (const bool Vervollst : {true, false}) {
    char Los = 0;
    if (read(0, &Los, 1) != 1) return 1;
    Erneut = 0;
    long Gesperrt = 0;
    const double Start = Jetzt();
    for (const int F : Filialen) {
      std::vector<TQLX_clMeldung> Meldungen;
      if (Vervollst) {
        // completion's bar: position = articles done, maximum = articles to do
        Offen = [&] { return Fortschritt ? static_cast<long>(Fortschritt->Max() - Fortschritt->Pos()) : 0L; };
        Mani.InventurAnforderungVervollstaendigen({AnforderungDer(F)}, Meldungen);
      } else {
        Offen = [F] { return ArtikelDerInventur(F); };
        Mani.InventurenLoeschen({AnforderungDer(F)}, Meldungen);
      }
      Gesperrt += static_cast<long>(Meldungen.size());
    }
    std::printf("%.6f %.6f %ld %ld\n", Start, Jetzt(), Erneut, Gesperrt);
    std::fflush(stdout);
  }
  return 0;
}

struct TProgramm {
  pid_t Pid = -1;
  int An = -1;  // its stdin
  FILE* Von = nullptr;  // its stdout
};

TProgramm Starten(const char* ASelbst, const std::string& AFilialen) {
  int Hin[2], Her[2];
  if (pipe2(Hin, O_CLOEXEC) != 0 || pipe2(Her, O_CLOEXEC) != 0) return {};
  const pid_t Pid = fork();
  if (Pid == 0) {
    dup2(Hin[0], 0);
    dup2(Her[1], 1);
    execl(ASelbst, ASelbst, "--programm", AFilialen.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(Hin[0]);
  close(Her[1]);
  return {Pid, Hin[1], fdopen(Her[0], "r")};
}

struct TPhase {
  double Sekunden = 0;
  long Erneut = 0, Gesperrt = 0;
  bool Gut = true;
};

// Starts the phase in every program at once and waits for their reports.
TPhase Phase(std::vector<TProgramm>& AProgramme) {
  for (TProgramm& P : AProgramme)
    if (write(P.An, "1", 1) != 1) return {0, 0, 0, false};
  TPhase R;
  double Anfang = 0, Ende = 0;
  for (TProgramm& P : AProgramme) {
    double S = 0, E = 0;
    long Erneut = 0, Gesperrt = 0;
    if (std::fscanf(P.Von, "%lf %lf %ld %ld", &S, &E, &Erneut, &Gesperrt) != 4) R.Gut = false;
    Anfang = Anfang == 0 || S < Anfang ? S : Anfang;
    Ende = E > Ende ? E : Ende;
    R.Erneut += Erneut;
    R.Gesperrt += Gesperrt;
  }
  R.Sekunden = Ende - Anfang;
  return R;
}

struct TLauf {
  TPhase Vervollst, Loeschen;
  long Saetze = 0;
  std::map<int, std::pair<double, double>> Ergebnis;  // per branch: after completion, after deletion
  bool Gut = true;
};

// The K requests, by one program (AEinzeln) or by one program each.
TLauf Lauf(const char* ASelbst, int AK, bool AEinzeln) {
  {
    TQLX_InvAnfMani Mani;
    for (int F = 1; F <= AK; ++F) Mani.InventurAnlegen(KTag, KWiJahr, "", F);
  }
  // Every run starts from the same tables: what earlier deletions left dead goes first.
  if (KWDDatenbank().Backend() == TDbBackend::PostgreSQL) KWDDatenbank().ExecScript("VACUUM ANALYZE");
  std::vector<TProgramm> Programme;
  std::string Alle;
  for (int F = 1; F <= AK; ++F) {
    if (F > 1) Alle += ',';
    Alle += std::to_string(F);
    if (!AEinzeln) Programme.push_back(Starten(ASelbst, std::to_string(F)));
  }
  if (AEinzeln) Programme.push_back(Starten(ASelbst, Alle));
  TLauf R;
  char Zeile[64];
  for (TProgramm& P : Programme)
    if (!P.Von || !std::fgets(Zeile, sizeof Zeile, P.Von) || std::string(Zeile) != "bereit\n") R.Gut = false;
  if (R.Gut) {
    R.Vervollst = Phase(Programme);
    for (int F = 1; F <= AK; ++F) {
      R.Ergebnis[F].first = BenchErgebnis(AnforderungDer(F));
      R.Saetze += Zahl("SELECT count(*) FROM inventur WHERE zaehldatum = ? AND filnr = ?", F);
    }
    R.Loeschen = Phase(Programme);
    for (int F = 1; F <= AK; ++F) R.Ergebnis[F].second = BenchErgebnis(AnforderungDer(F));
  }
  for (TProgramm& P : Programme) {
    if (P.An >= 0) close(P.An);
    if (P.Von) std::fclose(P.Von);
    int Status = 0;
    if (P.Pid <= 0 || waitpid(P.Pid, &Status, 0) != P.Pid || !WIFEXITED(Status) || WEXITSTATUS(Status) != 0)
      R.Gut = false;
  }
  R.Gut = R.Gut && R.Vervollst.Gut && R.Loeschen.Gut && R.Vervollst.Gesperrt == 0 && R.Loeschen.Gesperrt == 0;
  return R;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--programm") return Programm(argv[2]);
  const long Artikel = argc > 1 ? std::atol(argv[1]) : 40000;
  const int Filialen = argc > 2 ? std::max(1, std::atoi(argv[2])) : 8;
  const int Runden = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1;
  std::string Ort = argc > 4 ? argv[4] : "";
  const bool Neu = Ort.empty();
  TDemoOptionen Opt;
  Opt.Artikel = Artikel;
  Opt.Filialen = Filialen;
  BenchDemoErzeugen(BenchFirmaOeffnen(Ort, "bench-gleichzeitig-"), Opt);

  std::printf("%ld Artikel, %d Filialen, %s, %s\n", Artikel, Filialen, Ort.c_str(), BenchLast().c_str());
  std::printf("%3s %8s | %-28s | %-28s | %9s %7s  %s\n", "K", "Saetze", "Vervollstaendigen, Sekunden",
              "Loeschen, Sekunden", "zusammen", "erneut", "Ergebnis");
  std::printf("%3s %8s | %9s %9s %8s | %9s %9s %8s | %9s\n", "", "", "einzeln", "zugleich", "x", "einzeln",
              "zugleich", "x", "x");
  int Rc = 0;
  for (const int K : {1, 2, 4, 8}) {
    if (K > Filialen) break;
    for (int Runde = 0; Runde < Runden; ++Runde) {
      const TLauf E = Lauf(argv[0], K, true);
      const TLauf Z = Lauf(argv[0], K, false);
      const bool Gleich = E.Gut && Z.Gut && E.Ergebnis == Z.Ergebnis && E.Saetze == Z.Saetze;
      if (!Gleich) Rc = 1;
      auto X = [](double A, double B) { return B > 0 ? A / B : 0.0; };
      std::printf("%3d %8ld | %9.3f %9.3f %8.2f | %9.3f %9.3f %8.2f | %9.2f %7ld  %s\n", K, E.Saetze,
                  E.Vervollst.Sekunden, Z.Vervollst.Sekunden, X(Z.Vervollst.Sekunden, E.Vervollst.Sekunden),
                  E.Loeschen.Sekunden, Z.Loeschen.Sekunden, X(Z.Loeschen.Sekunden, E.Loeschen.Sekunden),
                  X(Z.Vervollst.Sekunden + Z.Loeschen.Sekunden, E.Vervollst.Sekunden + E.Loeschen.Sekunden),
                  Z.Vervollst.Erneut + Z.Loeschen.Erneut, Gleich ? "gleich" : "UNGLEICH");
      std::fflush(stdout);
    }
  }
  std::printf("%s\n", BenchLast().c_str());
  KWDDatenbank_Set(nullptr);
  if (Neu) BenchFirmaEntfernen(Ort);
  return Rc;
}
