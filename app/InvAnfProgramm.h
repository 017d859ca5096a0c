#pragma once
// The program block of invanf: registration with the framework, title,
// company, rights, the forms in their order, the message loop.
//
// main() creates the QApplication and installs the suite's Qt seams
// (KWDWidgetsInstallieren), then calls InvAnfProgramm(). Tests call the
// steps one by one.
#include <string>
#include <vector>

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

// The whole program after the QApplication exists; returns the exit code
// (1 when the company cannot be opened).
int InvAnfProgramm();
