#pragma once
// A fixture company for the desktop program's forms: a fixed clock, scripted
// answers to every message, stored form places in a folder of their own, the
// run type 1, and the start dialog and main window created as the program
// creates them.
#include <QApplication>
#include <QColor>
#include <memory>
#include <string>
#include <vector>

#include "app/TFrmIAMain.h"
#include "app/TFrmIAStart.h"
#include "dialogs/TFrmIANeu.h"
#include "support/framework/TKWDSkriptPresenter.h"
#include "tests/fixtures/SuiteTestUmgebung.h"
#include "tests/support/framework/TestUmgebung.h"
#include "tests/widgets/WidgetTestHilfe.h"

class TAppTest : public TSuiteTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Today is that day (noon).
  static void Heute(int AJahr, int AMonat, int ATag);

  // The forms, created on first use in the program's order (the new-request
  // dialog after the main window, with the company's branches as they are then).
  TFrmIAStart& Start();
  TFrmIAMain& Haupt();
  // Shows the main window (not modally) for the fiscal year AWiJahr and
  // makes it the active window.
  TFrmIAMain& HauptZeigen(TDate AWiJahr);

  // A request with its target and actual purchase values.
  void Anforderung(TDate AZaehldat, const std::string& AWG, int AFilNr, TDate AWiJahr, char AZustand, double ASoll,
                   double AIst);

  // The main window's request list, its row AIndex, and its rows as column texts by index.
  TVTKWDVRList* Liste() { return Kind<TVTKWDVRList>(Haupt(), "vrInvList"); }
  TVRNode Zeile(int AIndex) { return Liste()->VRList()->Node(AIndex); }
  std::vector<std::vector<std::string>> Zeilen();
  // The messages shown so far as "GRUPPE nr".
  std::vector<std::string> Gezeigt() const;

  std::unique_ptr<TKWDSkriptPresenterScope> FMeldungen;

 private:
  TTempOrdner FOrdner;
  std::unique_ptr<TUmgebungsWert> FXdg;
  std::unique_ptr<TFrmIAStart> FStart;
  std::unique_ptr<TFrmIAMain> FHaupt;
  std::unique_ptr<TFrmIANeu> FNeu;
};
