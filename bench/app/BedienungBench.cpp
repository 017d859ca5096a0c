// The main window while it completes one large request (offscreen, SQLite):
//
//   bench_bedienung [ARTIKEL] [RUNDEN] [DB]   default 118000 articles, 2 rounds
//
// DB: a SQLite file to build the company in and keep (a later run with the
// same file reuses it and skips the building); without it a temporary one.
//
// One branch carries the full assortment, so 118,000 articles give a request
// of about 100,000 articles. Each round completes the request twice, each in
// a process of its own: once by the engine alone (no window, no events), once
// by the main window's "Vervollständigen" (F2) with the progress window and a
// timer of 10 ms standing for the user, which of them first changing from
// round to round. After each the request is put back (records deleted, state
// and sums reset by set-based statements).
//
// Reported per window run: the longest gap between two firings of the timer
// while the command works (with the progress phase before and after it),
// the number of gaps above 100 ms, the progress window's repaints, and the
// completion time against the engine alone in the same round.
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/TFrmIAMain.h"
#include "engine/TQLX_InvAnfMani.h"
#include "suite/SuiteDatenbank.h"
#include "bench/BenchFirma.h"
#include "widgets/KWDWidgets.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDUhr.h"
#include "support/framework/KWDWork.h"
#include "support/framework/TKWDSkriptPresenter.h"
#include "tests/widgets/WidgetTestHilfe.h"

namespace {

using Uhr = std::chrono::steady_clock;
using namespace BenchAnf;

double Ms(Uhr::duration AD) { return std::chrono::duration<double, std::milli>(AD).count(); }

// The request as it was before its completion.
void Zuruecksetzen() {
  TDbTransaction T(KWDDatenbank());
  auto D = KWDDatenbank().Prepare("DELETE FROM inventur WHERE zaehldatum = ? AND filnr = ?");
  D->BindDouble(1, KTag);
  D->BindInt(2, KFiliale);
  D->Execute();
  auto A = KWDDatenbank().Prepare(
      "UPDATE inventuranforderung SET kz_zaehlung = 'A', ek_soll = 0, ek_ist = 0 WHERE zaehldatum = ? AND filnr = ?");
  A->BindDouble(1, KTag);
  A->BindInt(2, KFiliale);
  A->Execute();
  T.Commit();
}

QString Phase() {
  for (QWidget* W : QApplication::topLevelWidgets())
    if (W->objectName() == QLatin1String("prgdKWD") && W->isVisible()) {
      const QString Detail = Kind<QLabel>(W, "lblDetail")->text();
      const QString Caption = Kind<QLabel>(W, "lblCaption")->text();
      const auto* Balken = Kind<QProgressBar>(W, "pbFortschritt");
      const QString Stand = Balken->maximum() > 0 ? QStringLiteral(" %1/%2").arg(Balken->value()).arg(Balken->maximum())
                                                  : QString();
      return (Detail.isEmpty() ? Caption : Caption + QStringLiteral(" / ") + Detail) + Stand;
    }
  return QStringLiteral("(kein Fortschritt)");
}

// Child: the engine alone. Prints "seconds records".
int Engine() {
  SuiteDatenbankOeffnen();
  const auto Start = Uhr::now();
  TQLX_InvAnfMani Mani;
  std::vector<TQLX_clMeldung> Meldungen;
  Mani.InventurAnforderungVervollstaendigen({Anforderung()}, Meldungen);
  const double Sekunden = Ms(Uhr::now() - Start) / 1000;  // before the records are counted
  std::printf("%.3f %ld\n", Sekunden, Saetze());
  return 0;
}

// Child: the main window. Prints "seconds records longest-gap-ms gaps>100 repaints firings" and the phases.
int Fenster(int argc, char** argv) {
  QApplication App(argc, argv);
  KWDWidgetsInstallieren();
  SuiteDatenbankOeffnen();
  KWDUhrSet([] { return KTag + 0.5; });  // the counting day: no question before completing
  TKWDSkriptPresenterScope Antworten(KWD_MR_YES);
  TFrmIAMain Haupt;
  Haupt.SetWiJahr(KWiJahr);
  Haupt.resize(1100, 640);
  Haupt.show();
  QApplication::processEvents();
  auto* Liste = Kind<TVTKWDVRList>(Haupt, "vrInvList");
  TVRNode Zeile = nullptr;
  for (TVRNode Z = Liste->GetFirst(); Z; Z = Liste->GetNext(Z))
    if (Liste->GetInteger(Z, colFiliale) == KFiliale && Liste->GetDateTime(Z, colZaehldatumWert) == KTag) Zeile = Z;
  if (!Zeile) {
    std::fprintf(stderr, "Die Anforderung steht nicht in der Liste.\n");
    return 1;
  }
  Liste->SetSelected(Zeile);

  TMalZaehler Malungen;
  for (QWidget* W : QApplication::topLevelWidgets())
    if (W->objectName() == QLatin1String("prgdKWD")) W->installEventFilter(&Malungen);

  // The user: a timer of 10 ms; the gap between two firings is how long
  // the window could not answer.
  Uhr::time_point Letzte{};
  QString LetztePhase;
  double Groesste = 0;
  QString Vorher, Nachher;
  int Ueber100 = 0, Feuer = 0;
  QTimer Takt;
  Takt.setTimerType(Qt::PreciseTimer);
  Takt.setInterval(10);
  QObject::connect(&Takt, &QTimer::timeout, [&] {
    const auto Jetzt = Uhr::now();
    const QString P = Phase();
    if (Working(&Haupt)) {
      ++Feuer;
      if (Letzte != Uhr::time_point{}) {
        const double Luecke = Ms(Jetzt - Letzte);
        if (Luecke > 100) {
          ++Ueber100;
          std::fprintf(stderr, "Luecke %.1f ms: \"%s\" -> \"%s\"\n", Luecke, qPrintable(LetztePhase), qPrintable(P));
        }
        if (Luecke > Groesste) {
          Groesste = Luecke;
          Vorher = LetztePhase;
          Nachher = P;
        }
      }
      Letzte = Jetzt;
      LetztePhase = P;
    }
  });
  Takt.start();
  QApplication::processEvents();
  const auto Start = Uhr::now();
  Kind<QAction>(Haupt, "Vervollstaendigen")->trigger();
  const double Sekunden = Ms(Uhr::now() - Start) / 1000;
  Takt.stop();
  std::printf("%.3f %ld %.1f %d %d %d\n%s\n%s\n", Sekunden, Saetze(), Groesste, Ueber100, Malungen.Anzahl, Feuer,
              qPrintable(Vorher), qPrintable(Nachher));
  return 0;
}

struct TLauf {
  double Sekunden = 0;
  long Saetze = 0;
  double Luecke = 0;
  int Ueber100 = 0, Malungen = 0, Feuer = 0;
  std::string Vorher, Nachher;
};

TLauf Kind(const char* ASelbst, const char* AArt) {
  const std::string Datei =
      (std::filesystem::temp_directory_path() / ("bench-bedienung-" + std::to_string(getpid()))).string();
  const std::string Befehl = std::string(ASelbst) + " --variante " + AArt + " > " + Datei;
  TLauf L;
  if (std::system(Befehl.c_str()) == 0)
    if (FILE* F = std::fopen(Datei.c_str(), "r")) {
      if (std::string(AArt) == "engine") {
        if (std::fscanf(F, "%lf %ld", &L.Sekunden, &L.Saetze) != 2) L = {};
      } else if (std::fscanf(F, "%lf %ld %lf %d %d %d ", &L.Sekunden, &L.Saetze, &L.Luecke, &L.Ueber100,
                             &L.Malungen, &L.Feuer) == 6) {
        char Zeile[256];
        if (std::fgets(Zeile, sizeof Zeile, F)) L.Vorher = std::string(Zeile, std::strcspn(Zeile, "\n"));
        if (std::fgets(Zeile, sizeof Zeile, F)) L.Nachher = std::string(Zeile, std::strcspn(Zeile, "\n"));
      } else {
        L = {};
      }
      std::fclose(F);
    }
  std::filesystem::remove(Datei);
  return L;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "--variante") {
    if (std::string(argv[2]) == "engine") return Engine();
    return Fenster(argc, argv);
  }
  const long Artikel = argc > 1 ? std::atol(argv[1]) : 118000;
  const int Runden = argc > 2 ? std::max(1, std::atoi(argv[2])) : 2;
  const bool Behalten = argc > 3;
  const std::string Ort =
      Behalten ? std::string(argv[3])
               : (std::filesystem::temp_directory_path() / ("bench-bedienung-" + std::to_string(getpid()) + ".db"))
                     .string();
  const bool Vorhanden = Behalten && std::filesystem::exists(Ort);
  setenv("WWS_DB", Ort.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("WWS_MANDANT", "Bench", 1);
  const std::string Formulare =
      (std::filesystem::temp_directory_path() / ("bench-bedienung-" + std::to_string(getpid()))).string();
  setenv("XDG_CONFIG_HOME", Formulare.c_str(), 1);
  if (Vorhanden) {
    SuiteDatenbankOeffnen();
    Zuruecksetzen();
  } else {
    KWDDatenbank_Set(TDbConnection::Open(Ort, true));
    BenchFirmaErzeugen(SuiteDatenbankAnlegen(), Artikel);
    TQLX_InvAnfMani Mani;
    Mani.InventurAnlegen(KTag, KWiJahr, "", KFiliale);
  }

  std::printf("%ld Artikel, SQLite, %d Runden (je Runde die Engine allein und das Hauptfenster, abwechselnd zuerst)\n", Artikel, Runden);
  std::printf("%-6s %10s %10s %8s %10s %9s %9s %8s\n", "Runde", "Engine s", "Fenster s", "x Engine", "Luecke ms",
              ">100 ms", "Malungen", "Saetze");
  double Schlechteste = 0;
  std::vector<double> Verhaeltnis;
  for (int R = 1; R <= Runden; ++R) {
    // Which one runs first changes from round to round: neither profits from
    // what the other left (caches, the log of the reset).
    TLauf E, F;
    for (const bool EngineZuerst : {R % 2 == 1, R % 2 == 0}) {
      if (EngineZuerst)
        E = Kind(argv[0], "engine");
      else
        F = Kind(argv[0], "fenster");
      Zuruecksetzen();
    }
    const double X = E.Sekunden > 0 ? F.Sekunden / E.Sekunden : 0;
    Verhaeltnis.push_back(X);
    std::printf("%-6d %10.2f %10.2f %8.3f %10.1f %9d %9d %8ld\n", R, E.Sekunden, F.Sekunden, X, F.Luecke, F.Ueber100,
                F.Malungen, F.Saetze);
    std::printf("       laengste Luecke zwischen \"%s\" und \"%s\"; Zeitgeber %d mal\n", F.Vorher.c_str(),
                F.Nachher.c_str(), F.Feuer);
    if (E.Saetze != F.Saetze) std::printf("       ACHTUNG: Engine %ld Saetze, Fenster %ld\n", E.Saetze, F.Saetze);
    Schlechteste = std::max(Schlechteste, F.Luecke);
  }
  std::sort(Verhaeltnis.begin(), Verhaeltnis.end());
  std::printf(
      "Ziel: keine Luecke ueber 100 ms (groesste %.1f ms); Fenster hoechstens 1,10 x Engine (Median %.3f x, bestes %.3f "
      "x)\n",
      Schlechteste, Verhaeltnis[Verhaeltnis.size() / 2], Verhaeltnis.front());
  KWDDatenbank_Set(nullptr);
  if (!Behalten) BenchFirmaEntfernen(Ort);
  std::filesystem::remove_all(Formulare);
  return 0;
}
