// The main window's request list on a demo company:
//
//   bench_liste [ANZAHL [ARTIKEL]]   (default 10000 requests in one fiscal
//                                     year, a demo company of 20000 articles)
//
// 1. Filling the list (Fuelle_VRListAusIAFile: read, rows, sort, check boxes)
//    against reading the same request rows through the record-file layer,
//    side by side in one process, offscreen; medians of several rounds.
// 2. From the program's start to the first painted start dialog and main
//    window: the real start-up (company, rights, forms) in a process of its
//    own, OK on the preselected fiscal year, until the list has painted.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/InvAnfProgramm.h"
#include "app/TFrmIAMain.h"
#include "app/TFrmIAStart.h"
#include "suite/demo/DemoFirmaAnlegen.h"
#include "widgets/KWDWidgets.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/recordfile/Tiafile.h"
#include "support/services/TParameter.h"
#include "tests/widgets/WidgetTestHilfe.h"

extern char** environ;

namespace {

using Uhr = std::chrono::steady_clock;
const TDate KWiJahr = EncodeDate(2026, 1, 1);  // the benchmark's own fiscal year
constexpr const char* KStichtag = "2025-11-14";
constexpr int KRunden = 15;

double Ms(Uhr::duration AD) { return std::chrono::duration<double, std::milli>(AD).count(); }

double Median(std::vector<double> AWerte) {
  std::sort(AWerte.begin(), AWerte.end());
  return AWerte[AWerte.size() / 2];
}

// The best round: on a shared machine the least disturbed one.
double Bestes(const std::vector<double>& AWerte) { return *std::min_element(AWerte.begin(), AWerte.end()); }

// ANZAHL requests of the fiscal year 2026: 50 branches x 10 product groups
// per counting date, every counting state, targets and actual values.
void AnforderungenSchreiben(int AAnzahl) {
  const char Zustaende[] = {'A', 'E', 'Z', 'G', 'B', 'L', ' '};
  Tiafile IA(RF_OPEN_NORMAL, -1);
  TDbTransaction T(KWDDatenbank());
  for (int I = 0; I < AAnzahl; ++I) {
    IA.ClearRecord();
    IA.Zaehldatum.SetWert(EncodeDate(2026, 1, 5) + 7.0 * (I / 500));
    IA.WG.SetWert(std::to_string(I / 50 % 10));
    IA.FilNr.SetWert(1 + I % 50);
    IA.WiJahr.SetWert(KWiJahr);
    IA.PrepareWrite(wrdonInsert);
    IA.EKSoll.SetWert(1000.0 + I % 977 * 13.37);
    IA.EKIst.SetWert(I % 3 == 0 ? 0.0 : 990.0 + I % 977 * 13.1);
    IA.KZZaehlung.SetWert(Zustaende[I % 7]);
    IA.Abschlussdatum.SetWert(KWD_KEIN_DATUM);
    IA.WriteRecord(wrdonInsert);
  }
  T.Commit();
}

size_t RohLesen(Tiafile& AIA, std::vector<TiaSatz>& ASaetze) {
  ASaetze.clear();
  AIA.ResetForReuse();
  AIA.WiJahr.SetFilterMinMax(KWiJahr);
  AIA.SelectKey(Tiafile::KEY_ANFORDERUNG);
  for (bool G = AIA.Get_first(); G; G = AIA.Get_next()) ASaetze.push_back(AIA.GetSatz());
  return ASaetze.size();
}

int ListeMessen(int argc, char** argv, int AAnzahl) {
  QApplication App(argc, argv);
  KWDWidgetsInstallieren();
  TFrmIAMain Haupt;
  Haupt.SetWiJahr(KWiJahr);
  Haupt.resize(1100, 640);
  // The first filling builds every row; later ones reuse the rows' storage.
  const auto Erste = Uhr::now();
  Haupt.Fuelle_VRListAusIAFile();
  const double ErsteMs = Ms(Uhr::now() - Erste);
  Haupt.show();  // fills again, on show
  QApplication::processEvents();
  auto* Sicht = Kind<TVTKWDVRList>(Haupt, "vrInvList");
  if (Sicht->RowCount() != AAnzahl) {
    std::fprintf(stderr, "Die Liste hat %d Zeilen statt %d.\n", Sicht->RowCount(), AAnzahl);
    return 1;
  }
  Tiafile IA(RF_OPEN_NORMAL, -1);
  std::vector<TiaSatz> Saetze;
  Saetze.reserve(static_cast<size_t>(AAnzahl));
  RohLesen(IA, Saetze);
  std::vector<double> Liste, Roh, Zeichnen;
  for (int R = 0; R < KRunden; ++R) {
    auto T0 = Uhr::now();
    RohLesen(IA, Saetze);
    Roh.push_back(Ms(Uhr::now() - T0));
    T0 = Uhr::now();
    Haupt.Fuelle_VRListAusIAFile();
    Liste.push_back(Ms(Uhr::now() - T0));
    T0 = Uhr::now();
    Sicht->viewport()->repaint();
    Zeichnen.push_back(Ms(Uhr::now() - T0));
  }
  std::printf("Liste füllen, %d Anforderungen, %d Runden abwechselnd    Median     bestes\n", AAnzahl, KRunden);
  std::printf("  Rohes Lesen über Tiafile:                       %8.1f ms %8.1f ms\n", Median(Roh), Bestes(Roh));
  std::printf("  Fuelle_VRListAusIAFile (mit Sortieren):         %8.1f ms %8.1f ms\n", Median(Liste), Bestes(Liste));
  std::printf("  Verhältnis Liste / rohes Lesen:                 %8.2f x  %7.2f x\n", Median(Liste) / Median(Roh),
              Bestes(Liste) / Bestes(Roh));
  std::printf("  danach eine Seite zeichnen:                     %8.1f ms %8.1f ms\n", Median(Zeichnen),
              Bestes(Zeichnen));
  std::printf("  erste Füllung des Fensters (einmal):            %8.1f ms\n", ErsteMs);
  return 0;
}

// In the child: start as the program does, OK on the preselected year, end
// once the main window's list has painted. Prints the milliseconds since
// main() at each first paint.
class TErsteMalung : public QObject {
 public:
  TErsteMalung(Uhr::time_point AStart, const char* AName, std::function<void()> ADanach)
      : FStart(AStart), FName(AName), FDanach(std::move(ADanach)) {}
  bool eventFilter(QObject*, QEvent* AEvent) override {
    if (AEvent->type() == QEvent::Paint && !FFertig) {
      FFertig = true;
      std::printf("%s %.1f\n", FName, Ms(Uhr::now() - FStart));
      std::fflush(stdout);
      QTimer::singleShot(0, FDanach);
    }
    return false;
  }

 private:
  Uhr::time_point FStart;
  const char* FName;
  std::function<void()> FDanach;
  bool FFertig = false;
};

int StartMessen(int argc, char** argv, Uhr::time_point AStart) {
  QApplication App(argc, argv);
  KWDWidgetsInstallieren();
  const TInvAnfStart Start = InvAnfStarten();
  if (!FrmIAStart || !FrmIAMain) return 1;
  TErsteMalung Hauptfenster(AStart, "hauptfenster", [] {
    FrmIAMain->SetModalResult(KWD_MR_CANCEL);  // WWS_ANTWORT answers a close question
    FrmIAStart->SetModalResult(KWD_MR_CANCEL);
  });
  TErsteMalung Startdialog(AStart, "startdialog", [] { Kind<QPushButton>(FrmIAStart, "BtnOk")->click(); });
  FrmIAStart->installEventFilter(&Startdialog);
  Kind<TVTKWDVRList>(FrmIAMain, "vrInvList")->viewport()->installEventFilter(&Hauptfenster);
  const int Ergebnis = InvAnfAusfuehren(Start);
  InvAnfFormulareFreigeben();
  return Ergebnis;
}

// Runs this program with "--start" and returns the times it reported.
std::vector<double> StartKind(const char* AProgramm) {
  int Rohr[2];
  if (pipe(Rohr) != 0) return {};
  posix_spawn_file_actions_t A;
  posix_spawn_file_actions_init(&A);
  posix_spawn_file_actions_adddup2(&A, Rohr[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&A, Rohr[0]);
  posix_spawn_file_actions_addopen(&A, STDERR_FILENO, "/dev/null", O_WRONLY, 0);  // the answered close question
  char Start[] = "--start";
  char* Argumente[] = {const_cast<char*>(AProgramm), Start, nullptr};
  pid_t Pid = -1;
  const int Rc = posix_spawn(&Pid, AProgramm, &A, nullptr, Argumente, environ);
  posix_spawn_file_actions_destroy(&A);
  close(Rohr[1]);
  std::vector<double> Zeiten;
  if (Rc == 0) {
    FILE* Aus = fdopen(Rohr[0], "r");
    char Name[64];
    double Wert = 0;
    while (Aus && std::fscanf(Aus, "%63s %lf", Name, &Wert) == 2) Zeiten.push_back(Wert);
    if (Aus) std::fclose(Aus);
    int Status = 0;
    waitpid(Pid, &Status, 0);
  } else {
    close(Rohr[0]);
  }
  return Zeiten;
}

}  // namespace

int main(int argc, char** argv) {
  const auto Beginn = Uhr::now();
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (argc > 1 && std::string(argv[1]) == "--start") return StartMessen(argc, argv, Beginn);

  const int Anzahl = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
  char Vorlage[] = "/tmp/wws-bench-liste-XXXXXX";
  const std::filesystem::path Ordner = ::mkdtemp(Vorlage);
  const std::string Db = (Ordner / "demo.db").string();
  ::setenv("WWS_DB", Db.c_str(), 1);
  ::setenv("WWS_LOG", (Ordner / "wws.log").c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", Ordner.c_str(), 1);
  ::setenv("WWS_TODAY", KStichtag, 1);
  ::setenv("WWS_ANTWORT", "ja", 1);
  int Ergebnis = 0;
  try {
    TDemoOptionen Optionen;
    TryParseDatum(KStichtag, Optionen.Stichtag);
    if (argc > 2) Optionen.Artikel = std::max(1, std::atoi(argv[2]));
    DemoFirmaAnlegen(Db, Optionen, false);  // and opened as this process's company
    KWDParameter().SetIntegerValueByName("STARTMON", 1);
    std::printf("Demo-Firma: %s (%lld Artikel)\n", Db.c_str(), static_cast<long long>(Optionen.Artikel));

    std::vector<double> Startdialog, Hauptfenster;
    for (int R = 0; R < 3; ++R) {
      const std::vector<double> Z = StartKind(argv[0]);
      if (Z.size() != 2) throw std::runtime_error("Der Start-Prozess hat nicht beide Zeiten gemeldet.");
      Startdialog.push_back(Z[0]);
      Hauptfenster.push_back(Z[1]);
    }
    std::printf("Start bis zum ersten Bild (Median aus 3 Starts, ab main(), offscreen)\n");
    std::printf("  Startdialog gezeichnet:        %8.1f ms\n", Median(Startdialog));
    std::printf("  Hauptfenster gezeichnet:       %8.1f ms\n", Median(Hauptfenster));

    AnforderungenSchreiben(Anzahl);
    Ergebnis = ListeMessen(argc, argv, Anzahl);
  } catch (const std::exception& E) {
    std::fprintf(stderr, "bench_liste: %s\n", E.what());
    Ergebnis = 1;
  }
  KWDDatenbank_Set(nullptr);
  std::error_code F;
  std::filesystem::remove_all(Ordner, F);
  return Ergebnis;
}
