#pragma once
// Numbered messages as Qt message boxes: what KWDInfo().ShowMeldung shows in
// the desktop program (KWDWidgetsInstallieren installs it).
//
// The kind is the suite's: its low four bits choose the buttons, the next
// four the picture, the answer is the suite's modal result:
//   0 notice "OK" (1); 4 question "Ja" (6) / "Nein" (7);
//   35 the close question "Ja" (6) / "Nein" (7) / "Abbrechen" (2);
//   1 "OK" / "Abbrechen", 2 "Beenden" (3) / "Wiederholen" (4) / "Ignorieren" (5),
//   3 "Ja" / "Nein" / "Abbrechen", 5 "Wiederholen" / "Abbrechen".
// The first button is the default unless the message names another
// (TKWDMeldung::Standard), Esc gives the cancelling one ("Nein" where there
// is no "Abbrechen"). The buttons carry accelerators ("&Ja", "&Nein"): the
// letter alone answers, as in other desktop programs. Registered errors
// (group "FEHLER") show as errors; a message's details (where a fault
// happened, its technical text) are the box's detailed text, shown on demand.
//
// Parent: the message's owner window (a QWidget*), else the active modal
// window, else the active window. Title: the application's display name.
//
// Headless: where the setting WWS_ANTWORT is present, or no QApplication
// runs, no window opens; the message goes to stderr and WWS_ANTWORT answers
// (TKWDStderrPresenter), so scripts and tests can run the program.
#include "support/framework/KWDMeldungPresenter.h"

class TKWDQtPresenter : public TKWDMeldungPresenter {
 public:
  int Zeigen(const TKWDMeldung& AMeldung) override;
};
