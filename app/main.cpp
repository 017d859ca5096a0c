// invanf: the stock-take requests of the company (WWS_DB) at the desktop.
#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "app/InvAnfFotos.h"
#include "app/InvAnfProgramm.h"
#include "widgets/KWDWidgets.h"

namespace {

// Qt aborts without a display; a user gets a sentence instead.
bool AnzeigeVorhanden() {
  for (const char* Name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    if (const char* Wert = std::getenv(Name); Wert && *Wert) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (!AnzeigeVorhanden()) {
    std::cerr << "invanf: Es ist keine grafische Anzeige vorhanden (DISPLAY ist nicht gesetzt); "
                 "invanf-cli zeigt die Inventuranforderungen in der Konsole.\n";
    return 1;
  }
  QApplication App(argc, argv);
  QApplication::setApplicationName(QStringLiteral("invanf"));
  KWDWidgetsInstallieren();
  InvAnfFotosInstallieren();
  return InvAnfProgramm();
}
