#pragma once
// The dialogs' tests: real forms on a fresh company (every backend), a fixed
// clock, the form places in a folder of their own and scripted answers.
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "support/framework/KWDUhr.h"
#include "support/framework/TKWDSkriptPresenter.h"
#include "tests/fixtures/SuiteTestUmgebung.h"
#include "tests/support/framework/TestUmgebung.h"

class TDialogTest : public TSuiteTest {
 protected:
  void SetUp() override {
    TSuiteTest::SetUp();
    KWDUhrSet([this] { return FJetzt; });
  }
  void TearDown() override {
    KWDUhrSet({});
    TSuiteTest::TearDown();
  }
  // Fixes today (at 10:00).
  void Heute(TDate ADatum) { FJetzt = ADatum + 10.0 / 24; }

  // Numbers (group and number) of the messages shown so far.
  std::vector<std::string> Gezeigt() const {
    std::vector<std::string> Nummern;
    for (const TKWDMeldung& M : FAntworten->Gezeigt()) Nummern.push_back(M.Gruppe + " " + std::to_string(M.Nr));
    return Nummern;
  }
  // Makes AForm the active window, so keys and focus reach it as a user's would.
  static void Aktivieren(QWidget* AForm) {
    AForm->show();
    QApplication::setActiveWindow(AForm);
    EXPECT_TRUE(QTest::qWaitForWindowActive(AForm));
  }
  // After the keys that should have closed a modal form (a key animates its
  // button's click first): a form still open is a failure, and is closed so
  // the test ends instead of waiting forever.
  static void Schliessen(QDialog* AForm) {
    if (QTest::qWaitFor([AForm] { return !AForm->isVisible(); }, 3000)) return;
    ADD_FAILURE() << AForm->objectName().toStdString() << " blieb offen";
    AForm->done(KWD_MR_CANCEL);
  }

  TDateTime FJetzt = EncodeDate(2026, 12, 15) + 10.0 / 24;
  TTempOrdner FFormOrdner;
  TUmgebungsWert FXdg{"XDG_CONFIG_HOME", FFormOrdner.Pfad().string()};
  TUmgebungsWert FMandant{"WWS_MANDANT", "Modehaus Test"};
  TKWDSkriptPresenterScope FAntworten{KWD_MR_NO};
};
