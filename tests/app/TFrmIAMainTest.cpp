// The main window's request list: filling from the request file, row colours
// as painted, marking keys inside the work bracket, the marked requests as
// request keys, the run-type rule and the close question.
#include <gtest/gtest.h>

#include <QStyle>

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QToolTip>
#include <QHelpEvent>

#include "widgets/TKWDVersionsDialog.h"
#include "support/framework/KWDWork.h"
#include "tests/app/AppTestUmgebung.h"
#include "tests/widgets/WidgetTestHilfe.h"

namespace {

using Texte = std::vector<std::string>;

class TFrmIAMainTest : public TAppTest {
 protected:
  std::vector<bool> Markiert() {
    std::vector<bool> M;
    for (TVRNode N = Liste()->GetFirst(); N; N = Liste()->GetNext(N))
      M.push_back(Liste()->GetCheckState(N) == TVRCheckState::Checked);
    return M;
  }
  QPushButton* Knopf(const char* AName) { return Kind<QPushButton>(Haupt(), AName); }
  QAction* Aktion(const char* AName) { return Kind<QAction>(Haupt(), AName); }
  void Taste(int ATaste, Qt::KeyboardModifiers AMod = Qt::NoModifier) {
    QTest::keyClick(Liste(), static_cast<Qt::Key>(ATaste), AMod);
  }
  // Requests of fiscal year 2025 in branches 1 to 7, one per counting state.
  void FuenfZustaende() {
    const TDate J = D(2025, 1, 1);
    Anforderung(D(2025, 3, 1), "1", 1, J, 'A', 0, 0);
    Anforderung(D(2025, 3, 1), "2", 2, J, 'E', 500, 0);
    Anforderung(D(2025, 3, 1), "3", 3, J, 'Z', 400, 0);
    Anforderung(D(2025, 3, 1), "4", 4, J, 'G', 300, 280);
    Anforderung(D(2025, 3, 1), "5", 5, J, 'B', 200, 190);
    Anforderung(D(2025, 3, 1), "6", 6, J, ' ', 0, 0);
    Anforderung(D(2025, 3, 1), "7", 7, J, 'L', 100, 0);
  }
};

}  // namespace

TEST_P(TFrmIAMainTest, AYearWithoutRequestsShowsAnEmptyListUnderItsHeader) {
  Anforderung(D(2024, 6, 1), "1", 1, D(2024, 1, 1), 'A', 0, 0);  // another year
  HauptZeigen(D(2025, 1, 1));
  EXPECT_EQ(Kind<QLabel>(Haupt(), "pnlHeaderBG")->text(),
            "Inventuren für das Wirtschaftsjahr: 01.01.2025 - 31.12.2025");
  EXPECT_EQ(Liste()->RowCount(), 0);
  EXPECT_TRUE(Haupt().windowTitle().startsWith("Inventuren - "));
  // The ten columns, two of them hidden.
  ASSERT_EQ(Liste()->VRList()->ColumnCount(), 10);
  Texte Kopf;
  for (int S = 0; S < 10; ++S) Kopf.push_back(Liste()->VRList()->Column(S).Caption);
  EXPECT_EQ(Kopf, (Texte{"", "Zähldatum", "Zähldatum_Value", "WG", "Filiale", "Soll-EK", "Ist-EK", "Differenz",
                         "Status", "Status_KZ"}));
  EXPECT_TRUE(Liste()->isColumnHidden(colZaehldatumWert));
  EXPECT_TRUE(Liste()->isColumnHidden(colStatusKZ));
  EXPECT_FALSE(Liste()->isColumnHidden(colDifferenz));
  EXPECT_EQ(Liste()->VRList()->Column(colSollEK).FormatStr, "%12.2n");
}

TEST_P(TFrmIAMainTest, RowsSortByDateThenBranchEachDateOnItsFirstRowAndAHeaderClickKeepsTheOrder) {
  const TDate J = D(2025, 1, 1);
  Anforderung(D(2025, 3, 1), "1", 5, J, 'A', 0, 0);
  Anforderung(D(2025, 3, 1), "2", 3, J, 'A', 0, 0);
  Anforderung(D(2025, 3, 1), "0", 3, J, 'A', 0, 0);
  Anforderung(D(2025, 2, 20), "9", 8, J, 'A', 0, 0);
  Anforderung(D(2025, 4, 2), "1", 1, J, 'A', 0, 0);
  HauptZeigen(J);
  std::vector<Texte> Z = Zeilen();
  ASSERT_EQ(Z.size(), 5u);
  auto Spalte = [&](int S) {
    Texte T;
    for (const Texte& Zeile : Z) T.push_back(Zeile[static_cast<std::size_t>(S)]);
    return T;
  };
  EXPECT_EQ(Spalte(colFiliale), (Texte{"8", "3", "3", "5", "1"}));
  EXPECT_EQ(Spalte(colWG), (Texte{"9", "0", "2", "1", "1"}));
  // Group "1" of branch 5 comes first from the file, but branch 3 stands
  // first on 01.03.: the date belongs on its row, not on branch 5's.
  EXPECT_EQ(Spalte(colZaehldatum), (Texte{"20.02.2025", "01.03.2025", "", "", "02.04.2025"}));
  EXPECT_EQ(Liste()->GetDateTime(Zeile(1), colZaehldatumWert), D(2025, 3, 1));

  // Clicks on the headers (the date column sorted as text would put the
  // rows without a date first) leave the list as it was.
  for (int S : {colZaehldatum, colWG, colFiliale, colSollEK, colStatus}) {
    QTest::mouseClick(Liste()->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(Liste()->horizontalHeader()->sectionViewportPosition(S) + 5, 5));
    EXPECT_EQ(Zeilen(), Z) << "header " << S;
  }

  // A second showing builds the same list again.
  Haupt().hide();
  HauptZeigen(J);
  EXPECT_EQ(Zeilen(), Z);
}

TEST_P(TFrmIAMainTest, TheDifferenceIsActualMinusTargetButNoneWithoutActualValueOrBelowHalfACent) {
  const TDate J = D(2025, 1, 1);
  Anforderung(D(2025, 3, 1), "1", 1, J, 'G', 100.0, 0.0);
  Anforderung(D(2025, 3, 1), "1", 2, J, 'G', 100.0, 100.004);
  Anforderung(D(2025, 3, 1), "1", 3, J, 'G', 100.0, 90.0);
  Anforderung(D(2025, 3, 1), "1", 4, J, 'G', 1234567.891, 1234000.5);
  HauptZeigen(J);
  std::vector<Texte> Z = Zeilen();
  ASSERT_EQ(Z.size(), 4u);
  EXPECT_EQ(Z[0][colDifferenz], "0,00");
  EXPECT_EQ(Z[1][colDifferenz], "0,00");
  EXPECT_EQ(Z[1][colIstEK], "100,00");
  EXPECT_EQ(Z[2][colDifferenz], "-10,00");
  EXPECT_EQ(Z[3][colSollEK], "1.234.567,89");
  EXPECT_EQ(Z[3][colDifferenz], "-567,39");
  EXPECT_EQ(Z[3][colStatus], "gezählt");
  EXPECT_EQ(Z[3][colStatusKZ], "G");
  // Amounts stand on the right.
  const QModelIndex Betrag = Liste()->VRList()->index(0, colSollEK);
  EXPECT_TRUE(Betrag.data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
}

TEST_P(TFrmIAMainTest, ARequestForAllGroupsShowsAStarAndGivesAnEmptyGroupWhenSelected) {
  Anforderung(D(2025, 3, 1), "", 4, D(2025, 1, 1), 'A', 0, 0);
  HauptZeigen(D(2025, 1, 1));
  ASSERT_EQ(Liste()->RowCount(), 1);
  EXPECT_EQ(Zeilen()[0][colWG], "*");
  Liste()->SetSelected(Zeile(0));
  const std::vector<TVglInvAnf_Inv> Auswahl = Haupt().GetSelectedInfAnv();
  ASSERT_EQ(Auswahl.size(), 1u);
  EXPECT_EQ(Auswahl[0].WG, "");
  EXPECT_EQ(Auswahl[0].FilNr, 4);
  EXPECT_EQ(Auswahl[0].WiJahr, 2025);
  EXPECT_EQ(Auswahl[0].Zaehldatum, D(2025, 3, 1));
  EXPECT_EQ(Auswahl[0].KZZaehlung, 1);
}

// A group may be nine characters long; the list shows all of them, not
// "123456…" (the item view cuts what does not fit between its margins).
TEST_P(TFrmIAMainTest, TheLongestGroupsFitTheirColumn) {
  Anforderung(D(2025, 3, 1), "123456789", 4, D(2025, 1, 1), 'A', 0, 0);
  Anforderung(D(2025, 3, 1), "-99999999", 5, D(2025, 1, 1), 'A', 0, 0);
  HauptZeigen(D(2025, 1, 1));
  ASSERT_EQ(Liste()->RowCount(), 2);
  const int Rand = 2 * (Liste()->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, Liste()) + 1);
  for (int I = 0; I < 2; ++I) {
    const QString Text = QString::fromStdString(Zeilen()[I][colWG]);
    EXPECT_LE(Liste()->fontMetrics().horizontalAdvance(Text) + Rand, Liste()->columnWidth(colWG)) << Text.toStdString();
  }
}

TEST_P(TFrmIAMainTest, InsertMarksSuccessiveRowsAndUnmarksAMarkedOneCtrlAF7AndF8MarkAllAndInvert) {
  for (int F = 1; F <= 5; ++F) Anforderung(D(2025, 3, 1), "1", F, D(2025, 1, 1), 'E', 10, 0);
  HauptZeigen(D(2025, 1, 1));
  ASSERT_EQ(Liste()->RowCount(), 5);
  Liste()->setFocus();
  Liste()->SetSelected(Zeile(0));
  for (int I = 0; I < 3; ++I) Taste(Qt::Key_Insert);
  EXPECT_EQ(Markiert(), (std::vector<bool>{true, true, true, false, false}));
  EXPECT_EQ(Liste()->GetFirstSelected(), Zeile(3));
  Liste()->SetSelected(Zeile(1));
  Taste(Qt::Key_Insert);
  EXPECT_EQ(Markiert(), (std::vector<bool>{true, false, true, false, false}));

  Taste(Qt::Key_F8);
  EXPECT_EQ(Markiert(), (std::vector<bool>{false, true, false, true, true}));
  Taste(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Markiert(), std::vector<bool>(5, true));
  Taste(Qt::Key_F8);
  EXPECT_EQ(Markiert(), std::vector<bool>(5, false));
  Taste(Qt::Key_F7);
  EXPECT_EQ(Markiert(), std::vector<bool>(5, true));
  QTest::mouseClick(Knopf("btnAlleUms"), Qt::LeftButton);
  EXPECT_EQ(Markiert(), std::vector<bool>(5, false));
  EXPECT_FALSE(Working(nullptr)) << "every marking closes its work bracket";

  // While another command works, marking is refused.
  int Fremd = 0;
  ASSERT_TRUE(WorkStartTry(&Fremd, "Test.Befehl", 5));
  Liste()->SetSelected(Zeile(0));
  Taste(Qt::Key_Insert);
  Taste(Qt::Key_F7);
  WorkDone(&Fremd);
  EXPECT_EQ(Markiert(), std::vector<bool>(5, false));
  EXPECT_EQ(Liste()->GetFirstSelected(), Zeile(0));
}

TEST_P(TFrmIAMainTest, TheSelectedRowStandsInWhenNoneIsMarkedAndNothingComesWithoutSelection) {
  const TDate J = D(2025, 1, 1);
  Anforderung(D(2025, 3, 1), "1", 1, J, 'A', 0, 0);
  Anforderung(D(2025, 3, 1), "2", 2, J, 'L', 0, 0);
  Anforderung(D(2025, 3, 1), "3", 3, J, 'E', 0, 0);
  HauptZeigen(J);
  ASSERT_EQ(Liste()->RowCount(), 3);

  // Neither marked nor selected.
  EXPECT_EQ(Haupt().CheckSelectedNode(), nullptr);
  EXPECT_TRUE(Haupt().GetSelectedInfAnv().empty());

  // Selected, none marked: that row is marked and comes alone.
  Liste()->SetSelected(Zeile(1));
  std::vector<TVglInvAnf_Inv> A = Haupt().GetSelectedInfAnv();
  ASSERT_EQ(A.size(), 1u);
  EXPECT_EQ(A[0].FilNr, 2);
  EXPECT_EQ(A[0].KZZaehlung, 6);
  EXPECT_EQ(Markiert(), (std::vector<bool>{false, true, false}));

  // Marked rows come top to bottom; the selection then does not count.
  Liste()->SetCheckState(Zeile(2), TVRCheckState::Checked);
  Liste()->SetSelected(Zeile(0));
  A = Haupt().GetSelectedInfAnv();
  ASSERT_EQ(A.size(), 2u);
  EXPECT_EQ(A[0].FilNr, 2);
  EXPECT_EQ(A[1].FilNr, 3);
  EXPECT_EQ(A[1].WG, "3");
  EXPECT_EQ(A[1].KZZaehlung, 2);
  EXPECT_EQ(Haupt().CheckSelectedNode(), Zeile(0));
  EXPECT_EQ(Markiert(), (std::vector<bool>{true, true, true}));
}

TEST_P(TFrmIAMainTest, RowsArePaintedWholeInTheColourOfTheirStateWithReadableText) {
  FuenfZustaende();
  HauptZeigen(D(2025, 1, 1));
  ASSERT_EQ(Liste()->RowCount(), 7);
  Haupt().resize(1000, 500);
  QApplication::processEvents();
  const QImage Bild = Liste()->viewport()->grab().toImage();
  const QColor Grund = Liste()->palette().color(QPalette::Base);
  const QColor Wechsel = Liste()->palette().color(QPalette::AlternateBase);
  // Rows without a colour of their own alternate as the list does.
  const std::vector<QColor> Erwartet = {{255, 140, 0}, {50, 205, 50}, {50, 205, 50}, {255, 165, 0},
                                        Grund,          Wechsel,       {255, 0, 0}};
  ASSERT_NE(Grund, Wechsel);
  for (int I = 0; I < 7; ++I) {
    const int Y = Liste()->rowViewportPosition(I) + Liste()->rowHeight(I) / 2;
    // Left of the check box, between it and the date, and at the right edge.
    for (int X : {1, 23, Bild.width() - 3}) {
      EXPECT_EQ(Bild.pixelColor(X, Y), Erwartet[static_cast<std::size_t>(I)])
          << "row " << I << " at x " << X << ": " << Bild.pixelColor(X, Y).name().toStdString();
    }
    // The text on a coloured row is black.
    if (I == 4 || I == 5) continue;
    int Dunkel = 0;
    for (int X = Liste()->columnViewportPosition(colStatus); X < Liste()->columnViewportPosition(colStatus) + 80; ++X)
      for (int Yt = Y - 5; Yt <= Y + 5; ++Yt)
        if (qGray(Bild.pixel(X, Yt)) < 60) ++Dunkel;
    EXPECT_GT(Dunkel, 10) << "row " << I << " has no dark text";
  }
  // Only the requested request (row 0) marks its target value as incomplete:
  // a word left in the cell, where amounts never stand, and a tool tip.
  const int Links = Liste()->columnViewportPosition(colSollEK);
  for (int I = 0; I < 7; ++I) {
    const int Y = Liste()->rowViewportPosition(I) + Liste()->rowHeight(I) / 2;
    int Dunkel = 0;
    for (int X = Links + 2; X < Links + 60; ++X)
      for (int Yt = Y - 5; Yt <= Y + 5; ++Yt)
        if (qGray(Bild.pixel(X, Yt)) < 60) ++Dunkel;
    EXPECT_EQ(Dunkel > 10, I == 0) << "row " << I << ": " << Dunkel;
    QToolTip::hideText();
    ASSERT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
    QHelpEvent Frage(QEvent::ToolTip, QPoint(Links + 20, Y), Liste()->viewport()->mapToGlobal(QPoint(Links + 20, Y)));
    QApplication::sendEvent(Liste()->viewport(), &Frage);
    EXPECT_EQ(QToolTip::isVisible() && QToolTip::text().contains("nicht vollständig gebucht"), I == 0) << "row " << I;
  }
  QToolTip::hideText();
}

TEST_P(TFrmIAMainTest, RunTypeTwoDisablesNewDeleteAndCompleteButKeepsMarkingAndPrinting) {
  TUmgebungsWert Laufart("WWS_RTYP", "2");
  FuenfZustaende();
  HauptZeigen(D(2025, 1, 1));
  for (const char* Name : {"btnNeu", "btnDelete", "btnComplete"}) EXPECT_FALSE(Knopf(Name)->isEnabled()) << Name;
  for (const char* Name : {"Neuanlage", "Loeschen"}) EXPECT_FALSE(Aktion(Name)->isEnabled()) << Name;
  for (const char* Name : {"btnDruckenIAL", "btnDruck", "btnEnde", "btnMarkieren", "btnAlleEin", "btnAlleUms"})
    EXPECT_TRUE(Knopf(Name)->isEnabled()) << Name;
  EXPECT_EQ(Haupt().WiJahrLastDay(), 0.0) << "computed for run type 1 only";
  Liste()->SetSelected(Zeile(0));
  Taste(Qt::Key_Insert);
  EXPECT_EQ(Liste()->GetCheckState(Zeile(0)), TVRCheckState::Checked);
  // No close question outside run type 1, though a request waits.
  QTest::keyClick(&Haupt(), Qt::Key_Escape);
  EXPECT_FALSE(Haupt().isVisible());
  EXPECT_TRUE(Gezeigt().empty());
}

TEST_P(TFrmIAMainTest, RunTypeOneEnablesTheCommandsAndComputesTheLastDayTwoMonthsAfterTheYear) {
  HauptZeigen(D(2024, 1, 1));
  for (const char* Name : {"btnNeu", "btnDelete", "btnComplete"}) EXPECT_TRUE(Knopf(Name)->isEnabled()) << Name;
  EXPECT_EQ(Haupt().WiJahrLastDay(), D(2025, 2, 28));
  // Captions, hints and keys of the commands; help stays disabled.
  EXPECT_EQ(Knopf("btnNeu")->toolTip(), "Neuanlage einer Inventuranforderung (F3)");
  EXPECT_EQ(Knopf("btnComplete")->text(), "Vervollständigen");
  EXPECT_EQ(Knopf("btnComplete")->toolTip(), "Vervollständigung einer Inventuranforderung (F2)");
  EXPECT_EQ(Knopf("btnDelete")->toolTip(), "Entfernen der selektierten Inventur (Umschalt+F5)");
  EXPECT_EQ(Knopf("btnDruckenIAL")->toolTip(),
            "Ausdruck einer Inventuraufnahmeliste für die selektierte Inventur (Umschalt+F10)");
  EXPECT_EQ(Knopf("btnDruck")->toolTip(), "Drucken der Liste der Inventuren (F10)");
  EXPECT_EQ(Knopf("btnEnde")->toolTip(), "Zurück zur Auswahl des Wirtschaftsjahres (Esc)");
  EXPECT_EQ(Knopf("btnAlleEin")->toolTip(), "Alle Inventuren markieren (Strg+A)");
  EXPECT_EQ(Aktion("AlleMarkieren")->shortcut(), QKeySequence(Qt::Key_F7));
  EXPECT_FALSE(Aktion("Hilfe")->isEnabled());
  EXPECT_EQ(Aktion("Hilfe")->text(), "Hilfe - F1");
  Texte Menues;
  for (QAction* M : Kind<QMenuBar>(Haupt(), "MainMenu")->actions()) {
    Texte Eintraege;
    for (QAction* E : M->menu()->actions()) Eintraege.push_back(E->isSeparator() ? "-" : E->text().toStdString());
    Menues.push_back(M->text().toStdString() + ": " + [&] {
      std::string T;
      for (const auto& E : Eintraege) T += (T.empty() ? "" : "|") + E;
      return T;
    }());
  }
  EXPECT_EQ(Menues, (Texte{"&Funktionen: Neuanlage|Löschen|-|Druck IAL|Drucken|-|Zurück",
                           "&Bearbeiten: Markieren|Alle markieren|Markierung umkehren",
                           "E&xport: Zählliste exportieren ...|Liste exportieren ...|Zähllisten je Filiale ablegen ...",
                           "&?: Hilfe - F1|-|Versionsanzeige"}));
}

TEST_P(TFrmIAMainTest, ClosingWithAWaitingRequestAsksAndTheWindowNeverClosesWhileWorking) {
  FuenfZustaende();
  HauptZeigen(D(2025, 1, 1));
  // No: the window stays.
  QTest::keyClick(&Haupt(), Qt::Key_Escape);
  EXPECT_TRUE(Haupt().isVisible());
  ASSERT_EQ(Gezeigt(), (Texte{"INVANF 1018"}));
  EXPECT_EQ((*FMeldungen)->Gezeigt()[0].Art, KWD_MB_SCHLIESSEN);
  EXPECT_EQ((*FMeldungen)->Gezeigt()[0].Standard, KWD_MR_NO) << "Enter keeps the window";

  // While a command of the window works, neither "Zurück" nor the close box closes it.
  ASSERT_TRUE(WorkStartTry(&Haupt(), "TFrmIAMain.Test", 5));
  (*FMeldungen)->Antworten({KWD_MR_YES});
  QTest::keyClick(&Haupt(), Qt::Key_Escape);
  Haupt().close();
  EXPECT_TRUE(Haupt().isVisible());
  EXPECT_EQ(Gezeigt().size(), 1u);
  WorkDone(&Haupt());

  // Yes: it closes.
  QTest::keyClick(&Haupt(), Qt::Key_Escape);
  EXPECT_FALSE(Haupt().isVisible());
  EXPECT_EQ(Gezeigt().size(), 2u);
}

TEST_P(TFrmIAMainTest, TheVersionEntryShowsTheSuitesVersionDialogForInventuren) {
  HauptZeigen(D(2025, 1, 1));
  QString Titel;
  auto Uhr = BeimModalFenster<TKWDVersionsDialog>([&](TKWDVersionsDialog* V) {
    Titel = V->windowTitle();
    Kind<QPushButton>(V, "btnOk")->click();
  });
  Aktion("Versionsanzeige")->trigger();
  EXPECT_EQ(Titel, "Inventuren - Versionsinformation");
  EXPECT_TRUE(Haupt().isVisible());
}

WWS_SUITE_BACKENDS(TFrmIAMainTest);
