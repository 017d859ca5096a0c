// The fiscal-year start dialog: which years it offers and preselects, OK
// without a choice, focus after a choice, and the way to the main window
// and back.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "support/services/TParameter.h"
#include "tests/app/AppTestUmgebung.h"
#include "tests/widgets/WidgetTestHilfe.h"

namespace {

class TFrmIAStartTest : public TAppTest {
 protected:
  QComboBox* Jahre() { return Kind<QComboBox>(Start(), "CmbBoxWiJahr"); }
  QPushButton* Ok() { return Kind<QPushButton>(Start(), "BtnOk"); }

  // Shows the dialog; the lines of the combo box and the selected line.
  std::vector<std::string> Zeigen(int& AAuswahl) {
    Start().show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&Start()));
    std::vector<std::string> Zeilen;
    for (int I = 0; I < Jahre()->count(); ++I) Zeilen.push_back(Jahre()->itemText(I).toStdString());
    AAuswahl = Jahre()->currentIndex();
    return Zeilen;
  }
};

using Texte = std::vector<std::string>;

}  // namespace

TEST_P(TFrmIAStartTest, WithoutKnownYearsThePreviousYearIsOfferedInTheFirstTwoMonthsOnly) {
  Heute(2025, 2, 15);
  int Auswahl = -1;
  EXPECT_EQ(Zeigen(Auswahl), (Texte{"01.01.2024 - 31.12.2024", "01.01.2025 - 31.12.2025"}));
  EXPECT_EQ(Auswahl, 1);
  EXPECT_EQ(Start().WirtsJahre(), (std::vector<TDate>{D(2024, 1, 1), D(2025, 1, 1)}));
}

TEST_P(TFrmIAStartTest, InTheThirdMonthOnlyTheCurrentYearIsOffered) {
  Heute(2025, 3, 1);
  int Auswahl = -1;
  EXPECT_EQ(Zeigen(Auswahl), (Texte{"01.01.2025 - 31.12.2025"}));
  EXPECT_EQ(Auswahl, 0);
}

TEST_P(TFrmIAStartTest, AYearStartingInJulyRunsIntoTheNextCalendarYear) {
  KWDParameter().SetIntegerValueByName("STARTMON", 7);
  Heute(2025, 3, 10);
  int Auswahl = -1;
  EXPECT_EQ(Zeigen(Auswahl), (Texte{"01.07.2024 - 30.06.2025"}));
  EXPECT_EQ(Auswahl, 0);
  // The caption names the client, the panel keeps its margin of 4.
  EXPECT_TRUE(Start().windowTitle().startsWith("Inventuren - ")) << Start().windowTitle().toStdString();
  EXPECT_EQ(Kind<QFrame>(Start(), "pnlBG")->geometry(), Start().rect().adjusted(4, 4, -4, -4));
}

TEST_P(TFrmIAStartTest, KnownYearsAreCompletedUpToTodayAndOkWithoutAChoiceShows1004) {
  // Known from the requests: the year starting 01.04.2023 only.
  Firma().Anforderung(D(2023, 6, 30), "1", 1, D(2023, 4, 1), 'B');
  Heute(2025, 4, 1);
  int Auswahl = -1;
  // 01.04.2025 is today, not before it: no year of its own yet, and none contains today.
  EXPECT_EQ(Zeigen(Auswahl), (Texte{"01.04.2023 - 31.03.2024", "01.04.2024 - 31.03.2025"}));
  EXPECT_EQ(Auswahl, -1);

  QTest::mouseClick(Ok(), Qt::LeftButton);
  EXPECT_EQ(Gezeigt(), (Texte{"INVANF 1004"}));
  EXPECT_EQ((*FMeldungen)->Gezeigt().front().Owner, static_cast<void*>(&Start()));
  EXPECT_FALSE(Haupt().isVisible());
  EXPECT_TRUE(Start().isVisible());
}

TEST_P(TFrmIAStartTest, AChoiceMovesTheFocusToOk) {
  Heute(2025, 2, 15);
  int Auswahl = -1;
  Zeigen(Auswahl);
  QApplication::setActiveWindow(&Start());
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Start()));
  Jahre()->setFocus();
  ASSERT_TRUE(Jahre()->hasFocus());
  QTest::keyClick(Jahre(), Qt::Key_Up);
  EXPECT_EQ(Jahre()->currentIndex(), 0);
  EXPECT_TRUE(Ok()->hasFocus());
  EXPECT_EQ(Ok()->toolTip(), "Weiter mit Inventurenübersicht (Enter)");
  EXPECT_EQ(Jahre()->toolTip(), "Auswahl des Wirtschftsjahres");
}

TEST_P(TFrmIAStartTest, OkShowsTheMainWindowForTheChosenYearAndZurueckComesBackForAnother) {
  Firma().Anforderung(D(2024, 11, 20), "3", 2, D(2024, 1, 1), 'E');
  Firma().Anforderung(D(2025, 5, 6), "4", 7, D(2025, 1, 1), 'A');
  Firma().Anforderung(D(2025, 5, 6), "", 3, D(2025, 1, 1), 'G');
  Heute(2025, 2, 15);
  Haupt();  // created at start-up, as the program does
  int Auswahl = -1;
  ASSERT_EQ(Zeigen(Auswahl), (Texte{"01.01.2024 - 31.12.2024", "01.01.2025 - 31.12.2025"}));
  ASSERT_EQ(Auswahl, 1);
  QApplication::setActiveWindow(&Start());
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Start()));

  // 2025 holds a requested request: closing asks 1018, answered Yes.
  (*FMeldungen)->Antworten({KWD_MR_YES});
  std::vector<std::vector<std::string>> Gesehen;
  QString Kopf;
  bool Modal = false;
  bool Zurueck = false;
  {
    auto Uhr = BeimModalFenster<TFrmIAMain>([&](TFrmIAMain* H) {
      Modal = H->isModal();
      Kopf = Kind<QLabel>(H, "pnlHeaderBG")->text();
      Gesehen = Zeilen();
      QApplication::setActiveWindow(H);
      QTest::keyClick(H, Qt::Key_Escape);
      Zurueck = !H->isVisible();
    });
    QTest::keyClick(&Start(), Qt::Key_Return);  // Enter is OK
    ASSERT_TRUE(QTest::qWaitFor([&] { return Zurueck; }, 10000));
  }
  EXPECT_TRUE(Modal);
  EXPECT_EQ(Kopf, "Inventuren für das Wirtschaftsjahr: 01.01.2025 - 31.12.2025");
  ASSERT_EQ(Gesehen.size(), 2u);
  EXPECT_EQ(Gesehen[0][colWG], "*");  // branch 3 before branch 7
  EXPECT_EQ(Gesehen[1][colWG], "4");
  EXPECT_EQ(Gezeigt(), (Texte{"INVANF 1018"}));
  EXPECT_FALSE(Haupt().isVisible());
  EXPECT_TRUE(Start().isVisible());
  EXPECT_EQ(Jahre()->currentIndex(), 1) << "the dialog keeps its choice";

  // Back in the start dialog: the other year, through the button.
  Jahre()->setCurrentIndex(0);
  Zurueck = false;
  {
    auto Uhr = BeimModalFenster<TFrmIAMain>([&](TFrmIAMain* H) {
      Kopf = Kind<QLabel>(H, "pnlHeaderBG")->text();
      Gesehen = Zeilen();
      QTest::mouseClick(Kind<QPushButton>(H, "btnEnde"), Qt::LeftButton);
      Zurueck = !H->isVisible();
    });
    QTest::mouseClick(Ok(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Zurueck; }, 10000));
  }
  EXPECT_EQ(Kopf, "Inventuren für das Wirtschaftsjahr: 01.01.2024 - 31.12.2024");
  ASSERT_EQ(Gesehen.size(), 1u);
  EXPECT_EQ(Gesehen[0][colZaehldatum], "20.11.2024");
  EXPECT_EQ(Gesehen[0][colStatus], "eröffnet");
  EXPECT_EQ(Gezeigt().size(), 1u) << "no requested request in 2024: no question";
  EXPECT_FALSE(Haupt().isVisible());

  // "Beenden" closes the dialog: the program's end.
  QTest::mouseClick(Kind<QPushButton>(Start(), "BtnEnde"), Qt::LeftButton);
  EXPECT_FALSE(Start().isVisible());
  EXPECT_EQ(Start().result(), KWD_MR_CANCEL);
}

WWS_SUITE_BACKENDS(TFrmIAStartTest);
