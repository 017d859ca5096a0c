#pragma once
// The program block of invanf: registration with the framework, title,
// company, rights, the forms in their order, the message loop.
//
// main() reads the command line, creates the QApplication and installs the
// suite's Qt seams (KWDWidgetsInstallieren), then calls InvAnfProgramm().
// Tests call the steps one by one.
#include <string>
#include <vector>

#include "app/InvAnfOptionen.h"

struct TInvAnfStart {
  bool FirmaOffen = false;        // false: the company could not be opened (told), nothing else ran
  bool EndeAngefordert = false;   // the user may not run the module: the loop ends at once
  std::vector<std::string> Formulare;  // classes of the forms created, in order
};

// The classes of the forms in the order the start-up creates them.
std::vector<std::string> InvAnfFormularKlassen();

// Registers the module, sets the title, opens the company, checks the
// right and creates the forms. An exception stops the creation of further
// forms and is shown (ShowException); the forms made so far stay.
TInvAnfStart InvAnfStarten();

// The message loop with the start dialog as main form; returns the exit code:
// 0 after the start dialog closed, 2 when the end was requested at start-up
// (no window was shown), 1 when there is no start dialog to show.
int InvAnfAusfuehren(const TInvAnfStart& AStart);

// Frees the forms, the last created first.
void InvAnfFormulareFreigeben();

// The start dialog's "Firma...": the message loop ends, the forms go, and
// the program asks for the company ("Firma wählen") before it starts anew.
void InvAnfFirmaNeuWaehlen();

// The whole program after the QApplication exists; returns the exit code.
// The company comes from --db, WWS_DB or the settings file; where none is
// set or it cannot be opened (and with --firma) the company dialog asks,
// cancelled it ends the program (0). Headless (WWS_ANTWORT set) nothing is
// asked: the company that cannot be opened is named and the exit code is 1.
int InvAnfProgramm(const TInvAnfOptionen& AOptionen = {});
