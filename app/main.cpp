// invanf: the stock-take requests of the company (WWS_DB) at the desktop.
#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "app/InvAnfFotos.h"
#include "app/InvAnfOptionen.h"
#include "app/InvAnfProgramm.h"
#include "widgets/KWDWidgets.h"
#include "widgets/TKWDApplication.h"

namespace {

// Qt aborts without a display; a user gets a sentence instead.
bool AnzeigeVorhanden() {
  for (const char* Name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    if (const char* Wert = std::getenv(Name); Wert && *Wert) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // Read before the window system is touched: help and refusals need no display.
  const TInvAnfOptionen Optionen = InvAnfOptionenLesen(argc, argv);
  if (!Optionen.Fehler.empty()) {
    std::cerr << Optionen.Fehler << "\n";
    return 2;
  }
  if (Optionen.Hilfe) {
    std::cout << InvAnfHilfe();
    return 0;
  }
  if (Optionen.Version) {
    std::cout << InvAnfVersion();
    return 0;
  }
  if (!AnzeigeVorhanden()) {
    std::cerr << "invanf: Es ist keine grafische Anzeige vorhanden (DISPLAY ist nicht gesetzt); "
                 "invanf-cli zeigt die Inventuranforderungen in der Konsole.\n";
    return 1;
  }
  TKWDApplication App(argc, argv);
  QApplication::setApplicationName(QStringLiteral("invanf"));
  // The desktop entry gives the windows their name and icon in task bars.
  QGuiApplication::setDesktopFileName(QStringLiteral("invanf"));
  KWDWidgetsInstallieren();
  InvAnfFotosInstallieren();
  return InvAnfProgramm(Optionen);
}
