// The main window's request commands on a fixture company, read back from the
// database: completing (question 1017, state 6 goes to deletion), deleting
// (1014, 1007, 1013), the rights and work-bracket order, creating single
// requests, question 1010, a read-only company, the window while a
// completion works against an article a real second program holds, and
// after each command the status line and the rows it made or changed.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <map>
#include <set>
#include <thread>

#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDPause.h"
#include "support/framework/KWDWork.h"
#include "support/services/UserRechte.h"
#include "widgets/KWDWidgets.h"
#include "tests/app/AppTestUmgebung.h"
#include "tests/widgets/WidgetTestHilfe.h"
#include "tests/tools/KindProzess.h"
#include "dialogs/TgesperrteArtikelfrm.h"
#include "widgets/TQLX_DatumsEingabe.h"

namespace {

using Texte = std::vector<std::string>;
using namespace std::chrono_literals;

class TFrmIAMainBefehleTest : public TAppTest {
 protected:
  void SetUp() override {
    TAppTest::SetUp();
    // Short pauses between lock passes that still let the window's events run.
    KWDPauseSet([this](int AMs) {
      EXPECT_EQ(AMs, 2000);
      ++FPausen;
      KWDQtPause(30);
    });
  }
  void TearDown() override {
    KWDPauseSet(nullptr);
    TAppTest::TearDown();
  }

  // As a user presses it: after the window's pending events have run, in
  // the window in front (the offscreen platform has no window manager that
  // gives the focus back once a dialog closed).
  void Taste(int ATaste, Qt::KeyboardModifiers AMod = Qt::NoModifier) {
    QApplication::processEvents();
    if (!QApplication::activeModalWidget() && QApplication::activeWindow() != &Haupt())
      QApplication::setActiveWindow(&Haupt());
    QTest::keyClick(Liste(), static_cast<Qt::Key>(ATaste), AMod);
  }
  int Markierte() {
    int N = 0;
    for (TVRNode Z = Liste()->GetFirst(); Z; Z = Liste()->GetNext(Z))
      N += Liste()->GetCheckState(Z) == TVRCheckState::Checked ? 1 : 0;
    return N;
  }
  // The row of the request of group AWG in branch AFil.
  TVRNode ZeileVon(const std::string& AWG, int AFil) {
    for (TVRNode Z = Liste()->GetFirst(); Z; Z = Liste()->GetNext(Z))
      if (Liste()->GetText(Z, colWG) == AWG && Liste()->GetInteger(Z, colFiliale) == AFil) return Z;
    ADD_FAILURE() << "keine Zeile " << AWG << "@" << AFil;
    return nullptr;
  }

  // Branches 1 and 2; group "1" with articles 1 and 2, group "2" with
  // article 3; every article with 3 pieces in both branches at 2.00 each.
  void Artikelfirma() {
    Firma().Filiale(1, "Eins").Filiale(2, "Zwei").Warengruppe("1", "Eins").Warengruppe("2", "Zwei");
    for (int I = 1; I <= 3; ++I) {
      Firma().Artikel(P(I), I < 3 ? "1" : "2").ArtNr(P(I), D(2020, 1, 1), "A" + std::to_string(I));
      Firma().Preis('E', P(I), 0, 0, D(2020, 1, 1), 2.0);
      Firma().Bestand(P(I), 1).Bestand(P(I), 2);
    }
  }

  // "WG@branch" -> stored counting state, of every request.
  std::map<std::string, char> Zustaende() {
    std::map<std::string, char> Z;
    auto Q = FDirekt->Prepare("SELECT wg, filnr, kz_zaehlung FROM inventuranforderung");
    while (Q->Step()) Z[Q->ColumnText(0) + "@" + std::to_string(Q->ColumnInt(1))] = Q->ColumnText(2).at(0);
    return Z;
  }
  // Stock-take records per branch and article: "branch/article".
  std::set<std::string> Saetze() {
    std::set<std::string> S;
    auto Q = FDirekt->Prepare("SELECT filnr, prodid1 FROM inventur");
    while (Q->Step()) S.insert(std::to_string(Q->ColumnInt(0)) + "/" + std::to_string(Q->ColumnInt(1)));
    return S;
  }
  // Fills the new-request dialog once it is open and presses "Buchen" (or
  // "Abbrechen"); keep the timer until the dialog was there.
  [[nodiscard]] std::unique_ptr<QTimer> NeuanlageDialog(const QString& ADatum, const QString& AWG,
                                                        const QStringList& AFilialen, bool ABuchen = true) {
    return BeimModalFenster<TFrmIANeu>([=, this](TFrmIANeu* F) {
      ++FDialoge;
      Kind<TQLX_DatumsEingabe>(F, "btnZaehldatum")->Edit()->setText(ADatum);
      Kind<QLineEdit>(F, "edtWg")->setText(AWG);
      auto* Filialen = Kind<QListWidget>(F, "chbFilialen");
      for (int I = 0; I < Filialen->count(); ++I) {
        QListWidgetItem* Zeile = Filialen->item(I);
        Zeile->setCheckState(AFilialen.contains(Zeile->text()) ? Qt::Checked : Qt::Unchecked);
      }
      Kind<QPushButton>(F, ABuchen ? "BtnOk" : "BtnCancel")->click();
    });
  }
  int FDialoge = 0;

  Texte Argumente(std::size_t AIndex) const { return (*FMeldungen)->Gezeigt().at(AIndex).Argumente; }
  int Standard(std::size_t AIndex) const { return (*FMeldungen)->Gezeigt().at(AIndex).Standard; }
  std::string Status() { return Kind<QStatusBar>(Haupt(), "sbStatus")->currentMessage().toStdString(); }
  bool Gewaehlt(TVRNode AZeile) { return AZeile && Liste()->GetFirstSelected() == AZeile; }

  int FPausen = 0;
};

}  // namespace

TEST_P(TFrmIAMainBefehleTest, ARequestWhoseDayIsOverAsksWithBothCountsAndNoLeavesItOutWhileTheOthersComplete) {
  Artikelfirma();
  const TDate J = D(2025, 1, 1);
  Anforderung(D(2025, 2, 14), "1", 1, J, 'A', 0, 0);  // yesterday
  Anforderung(D(2025, 2, 15), "2", 1, J, 'A', 0, 0);  // today: its day is not over
  Firma().Inventursatz(J, D(2025, 2, 14), 1, P(2), '1');  // one article booked already
  HauptZeigen(J);
  Taste(Qt::Key_A, Qt::ControlModifier);
  Taste(Qt::Key_F2);
  ASSERT_EQ(Gezeigt(), (Texte{"INVANF 1017"}));
  EXPECT_EQ(Argumente(0), (Texte{"1", "2", "14.02.2025", "Warengruppe 1", "1"}))
      << "articles with target stock first, all articles second, then which request";
  EXPECT_EQ(Standard(0), KWD_MR_NO) << "Enter leaves it out";
  EXPECT_EQ((*FMeldungen)->Gezeigt()[0].Owner, nullptr);
  EXPECT_EQ(Status(), "1 Inventur vervollständigt, 1 ausgelassen (Zähltag vorbei)");
  EXPECT_TRUE(Gewaehlt(ZeileVon("2", 1)));
  EXPECT_EQ(Zustaende(), (std::map<std::string, char>{{"1@1", 'A'}, {"2@1", 'E'}}));
  EXPECT_EQ(Saetze(), (std::set<std::string>{"1/2", "1/3"}));
  EXPECT_EQ(Markierte(), 0) << "the list was refilled";
  EXPECT_EQ(Liste()->GetText(ZeileVon("2", 1), colStatusKZ), "E");
  EXPECT_FALSE(Working(nullptr));

  // Only that request, answered No: nothing is completed, the list still refills.
  Liste()->SetSelected(ZeileVon("1", 1));
  Taste(Qt::Key_F2);
  EXPECT_EQ(Gezeigt().size(), 2u);
  EXPECT_EQ(Zustaende().at("1@1"), 'A');
  EXPECT_EQ(Saetze().size(), 2u);
  EXPECT_EQ(Markierte(), 0);

  // Yes: it is completed with the articles still missing.
  (*FMeldungen)->Antworten({KWD_MR_YES});
  Liste()->SetSelected(ZeileVon("1", 1));
  Taste(Qt::Key_F2);
  EXPECT_EQ(Gezeigt().size(), 3u);
  EXPECT_EQ(Zustaende().at("1@1"), 'E');
  EXPECT_EQ(Saetze(), (std::set<std::string>{"1/1", "1/2", "1/3"}));
}

TEST_P(TFrmIAMainBefehleTest, CompletingAMarkedRowInStateSixDeletesItWithItsRecordsWithoutAsking) {
  Artikelfirma();
  const TDate J = D(2025, 1, 1);
  Anforderung(D(2025, 3, 1), "1", 1, J, 'A', 0, 0);
  Anforderung(D(2025, 3, 1), "2", 2, J, 'L', 2, 0);
  Anforderung(D(2025, 3, 2), "2", 2, J, 'L', 2, 0);
  Firma().Inventursatz(J, D(2025, 3, 1), 2, P(3), '1').Inventursatz(J, D(2025, 3, 2), 2, P(3), '1');
  HauptZeigen(J);
  ASSERT_EQ(Liste()->RowCount(), 3);
  Taste(Qt::Key_F7);
  Taste(Qt::Key_F2);
  EXPECT_TRUE(Gezeigt().empty());
  EXPECT_EQ(Status(), "1 Inventur vervollständigt, 2 gelöscht (Löschung angefordert)");
  EXPECT_EQ(Zustaende(), (std::map<std::string, char>{{"1@1", 'E'}}));
  EXPECT_EQ(Saetze(), (std::set<std::string>{"1/1", "1/2"}));
  EXPECT_EQ(Liste()->RowCount(), 1);
}

TEST_P(TFrmIAMainBefehleTest, DeletingAsksForOneSelectedRowByGroupAndBranchForSeveralAtOnceAndNeedsARow) {
  Artikelfirma();
  const TDate J = D(2025, 1, 1);
  Anforderung(D(2025, 3, 1), "1", 1, J, 'E', 6, 0);
  Anforderung(D(2025, 3, 1), "2", 2, J, 'A', 0, 0);
  Anforderung(D(2025, 3, 5), "", 1, J, 'A', 0, 0);
  Firma().Inventursatz(J, D(2025, 3, 1), 1, P(1), '1').Inventursatz(J, D(2025, 3, 1), 1, P(2), '1');
  HauptZeigen(J);

  // Nothing marked, nothing selected.
  Taste(Qt::Key_F5, Qt::ShiftModifier);
  ASSERT_EQ(Gezeigt(), (Texte{"INVANF 1014"}));
  EXPECT_EQ((*FMeldungen)->Gezeigt()[0].Owner, static_cast<void*>(&Haupt()));

  // One selected row: asked by group and branch; No keeps it.
  Liste()->SetSelected(ZeileVon("1", 1));
  Taste(Qt::Key_F5, Qt::ShiftModifier);
  ASSERT_EQ(Gezeigt(), (Texte{"INVANF 1014", "INVANF 1007"}));
  EXPECT_EQ(Argumente(1), (Texte{"1", "1", "01.03.2025", "Warengruppe 1"})) << "the date names the request";
  EXPECT_EQ((*FMeldungen)->Gezeigt()[1].Art, KWD_MB_JANEIN);
  EXPECT_EQ(Standard(1), KWD_MR_NO) << "Enter never deletes";
  EXPECT_EQ(Status(), "Keine Inventur gelöscht");
  EXPECT_EQ(Zustaende().size(), 3u);
  EXPECT_EQ(Saetze().size(), 2u);

  // Yes deletes it with its stock-take records.
  (*FMeldungen)->Antworten({KWD_MR_YES});
  Liste()->SetSelected(ZeileVon("1", 1));
  Taste(Qt::Key_F5, Qt::ShiftModifier);
  EXPECT_EQ(Gezeigt().back(), "INVANF 1007");
  EXPECT_EQ(Zustaende(), (std::map<std::string, char>{{"2@2", 'A'}, {"@1", 'A'}}));
  EXPECT_TRUE(Saetze().empty());
  EXPECT_EQ(Liste()->RowCount(), 2);
  EXPECT_EQ(Status(), "1 Inventur gelöscht (01.03.2025, Warengruppe 1, Filiale 1)");

  // Two marked: one question for all of them.
  (*FMeldungen)->Antworten({KWD_MR_YES});
  Taste(Qt::Key_F7);
  Taste(Qt::Key_F5, Qt::ShiftModifier);
  EXPECT_EQ(Gezeigt().back(), "INVANF 1013");
  EXPECT_EQ(Argumente(3), (Texte{"2"}));
  EXPECT_EQ(Standard(3), KWD_MR_NO);
  EXPECT_EQ(Status(), "2 Inventuren gelöscht");
  EXPECT_TRUE(Zustaende().empty());
  EXPECT_EQ(Liste()->RowCount(), 0);
  EXPECT_FALSE(Working(nullptr));
}

TEST_P(TFrmIAMainBefehleTest, PrintingACountListWithoutARequestSaysSoBeforeAnyDialog) {
  Artikelfirma();
  Anforderung(D(2025, 3, 1), "1", 1, D(2025, 1, 1), 'E', 0, 0);
  HauptZeigen(D(2025, 1, 1));
  int Dialoge = 0;
  auto Uhr = BeimModalFenster<QDialog>([&](QDialog* F) {
    ++Dialoge;
    F->reject();
  });
  Taste(Qt::Key_F10, Qt::ShiftModifier);
  QTest::qWait(30);
  EXPECT_EQ(Gezeigt(), (Texte{"INVANF 1003"}));
  EXPECT_EQ((*FMeldungen)->Gezeigt()[0].Owner, static_cast<void*>(&Haupt()));
  EXPECT_EQ(Dialoge, 0);
  EXPECT_FALSE(Working(nullptr));
}

TEST_P(TFrmIAMainBefehleTest, DeletingOpensTheWorkBracketBeforeTheRightsCheckCreatingChecksRightsFirst) {
  Artikelfirma();
  Anforderung(D(2025, 3, 1), "1", 1, D(2025, 1, 1), 'A', 0, 0);
  RechtSetzen("*", wpfInventuranforderungAendern, false);
  HauptZeigen(D(2025, 1, 1));
  Liste()->SetSelected(Zeile(0));

  // Another command works: deleting does nothing at all, creating still
  // checks the rights and refuses.
  int Fremd = 0;
  ASSERT_TRUE(WorkStartTry(&Fremd, "Test.Befehl", 5));
  Taste(Qt::Key_F5, Qt::ShiftModifier);
  EXPECT_TRUE(Gezeigt().empty());
  Taste(Qt::Key_F3);
  ASSERT_EQ(Gezeigt(), (Texte{"STANDARD 997"}));
  EXPECT_NE(Argumente(0).at(0).find("121"), std::string::npos) << Argumente(0).at(0);
  WorkDone(&Fremd);

  // Without the right nothing is deleted.
  Taste(Qt::Key_F5, Qt::ShiftModifier);
  EXPECT_EQ(Gezeigt(), (Texte{"STANDARD 997", "STANDARD 997"}));
  EXPECT_EQ(Zustaende().size(), 1u);
  EXPECT_FALSE(Working(nullptr));
}

TEST_P(TFrmIAMainBefehleTest, ANewRequestIsWrittenRequestedAndEveryRefusalShows1005) {
  Artikelfirma();
  Anforderung(D(2025, 3, 1), "7", 2, D(2025, 1, 1), 'A', 0, 0);
  HauptZeigen(D(2025, 1, 1));
  TVglInvAnf_Inv Anf;
  // Blanks at the end are no part of the group: the key says so, too.
  ASSERT_TRUE(Haupt().EineNeueInventur("12  ", 1, D(2025, 3, 1), Anf));
  EXPECT_EQ(Anf.WG, "12");
  EXPECT_EQ(Anf.FilNr, 1);
  EXPECT_EQ(Anf.WiJahr, 2025);
  EXPECT_EQ(Anf.Zaehldatum, D(2025, 3, 1));
  EXPECT_EQ(Anf.KZZaehlung, 1);
  EXPECT_TRUE(Gezeigt().empty());

  // Taken, overlapping, a branch the company lacks, one beyond the key,
  // a group with a control character: refused with 1005 each, key cleared.
  EXPECT_FALSE(Haupt().EineNeueInventur("7", 2, D(2025, 3, 1), Anf));
  EXPECT_EQ(Anf, TVglInvAnf_Inv{});
  EXPECT_FALSE(Haupt().EineNeueInventur("", 1, D(2025, 3, 1), Anf));
  EXPECT_FALSE(Haupt().EineNeueInventur("3", 9, D(2025, 3, 1), Anf));
  EXPECT_FALSE(Haupt().EineNeueInventur("3", 65537, D(2025, 3, 1), Anf));
  EXPECT_FALSE(Haupt().EineNeueInventur("3\t", 1, D(2025, 3, 1), Anf));
  // A star is no group: stored, the list would show it as a request for all
  // groups that no command finds again.
  EXPECT_FALSE(Haupt().EineNeueInventur("*", 1, D(2025, 3, 2), Anf));
  EXPECT_FALSE(Haupt().EineNeueInventur("* ", 1, D(2025, 3, 2), Anf));
  EXPECT_FALSE(Haupt().EineNeueInventur("1*", 1, D(2025, 3, 2), Anf));
  EXPECT_EQ(Gezeigt(), Texte(8, "INVANF 1005"));
  EXPECT_EQ((*FMeldungen)->Gezeigt()[0].Owner, static_cast<void*>(&Haupt()));
  EXPECT_EQ(Zustaende(), (std::map<std::string, char>{{"12@1", 'A'}, {"7@2", 'A'}}));
}

TEST_P(TFrmIAMainBefehleTest, AStarForTwoBranchesCreatesTheGroupsZeroToNineInEachATakenOneIsRefusedOnce) {
  Artikelfirma();
  HauptZeigen(D(2025, 1, 1));
  // "* " passes the dialog's check as one character: it is the star as well.
  for (const char* Stern : {"*", "* "}) {
    SCOPED_TRACE(Stern);
    FDirekt->ExecScript("DELETE FROM inventuranforderung");
    Anforderung(D(2025, 3, 1), "3", 2, D(2025, 1, 1), 'E', 0, 0);
    FMeldungen.reset();
    FMeldungen = std::make_unique<TKWDSkriptPresenterScope>(KWD_MR_NO);
    auto Dialog = NeuanlageDialog("01.03.2025", Stern, {"1", "2"});
    Taste(Qt::Key_F3);
    // One refusal, then the question whether to complete them at once: No.
    ASSERT_EQ(Gezeigt(), (Texte{"INVANF 1005", "INVANF 1019"}));
    EXPECT_EQ(Argumente(0), (Texte{"Warengruppe 3", "2", "01.03.2025"})) << "the refusal names the request";
    EXPECT_EQ((*FMeldungen)->Gezeigt()[1].Owner, nullptr);
    EXPECT_EQ(Status(), "19 Inventuren angelegt, 1 übersprungen (Warengruppe 3, Filiale 2: gibt es bereits)");
    EXPECT_TRUE(Gewaehlt(ZeileVon("0", 1))) << "the first of the new rows";
    std::map<std::string, char> Erwartet{{"3@2", 'E'}};
    for (int F = 1; F <= 2; ++F)
      for (int G = 0; G <= 9; ++G)
        if (!(F == 2 && G == 3)) Erwartet[std::to_string(G) + "@" + std::to_string(F)] = 'A';
    EXPECT_EQ(Zustaende(), Erwartet);
    EXPECT_TRUE(Saetze().empty());
    EXPECT_EQ(Liste()->RowCount(), 20) << "the list was refilled";
    EXPECT_EQ(Liste()->GetText(ZeileVon("9", 2), colStatusKZ), "A");
    EXPECT_FALSE(Working(nullptr));
  }
  EXPECT_EQ(FDialoge, 2);
}

TEST_P(TFrmIAMainBefehleTest, NewRequestsCompletedAtOnceAndAnEntryOfBlanksAsksForAllGroups) {
  Artikelfirma();
  HauptZeigen(D(2025, 1, 1));
  (*FMeldungen)->Antworten({KWD_MR_YES});
  {
    auto Dialog = NeuanlageDialog("01.03.2025", "1", {"1"});
    Taste(Qt::Key_F3);
  }
  EXPECT_EQ(Gezeigt(), (Texte{"INVANF 1019"}));
  EXPECT_EQ(Status(), "1 Inventur angelegt und vervollständigt");
  EXPECT_EQ(Zustaende(), (std::map<std::string, char>{{"1@1", 'E'}}));
  EXPECT_EQ(Saetze(), (std::set<std::string>{"1/1", "1/2"}));
  EXPECT_EQ(Liste()->GetText(ZeileVon("1", 1), colStatusKZ), "E");

  // Blanks only: one request for all groups, in the branch given.
  {
    auto Dialog = NeuanlageDialog("02.03.2025", "   ", {"2"});
    Taste(Qt::Key_F3);
  }
  EXPECT_EQ(FDialoge, 2);
  EXPECT_EQ(Zustaende(), (std::map<std::string, char>{{"1@1", 'E'}, {"@2", 'A'}}));
  EXPECT_EQ(Liste()->GetText(ZeileVon("*", 2), colStatusKZ), "A");
}

TEST_P(TFrmIAMainBefehleTest, ACancelledNewRequestDialogCreatesNothingButRefillsTheList) {
  Artikelfirma();
  Anforderung(D(2025, 3, 1), "1", 1, D(2025, 1, 1), 'A', 0, 0);
  HauptZeigen(D(2025, 1, 1));
  Liste()->SetSelected(Zeile(0));
  Taste(Qt::Key_Insert);
  ASSERT_EQ(Markierte(), 1);
  auto Dialog = NeuanlageDialog("01.03.2025", "2", {"1"}, false);
  Taste(Qt::Key_F3);
  EXPECT_EQ(FDialoge, 1);
  EXPECT_TRUE(Gezeigt().empty());
  EXPECT_EQ(Zustaende(), (std::map<std::string, char>{{"1@1", 'A'}}));
  EXPECT_EQ(Markierte(), 0) << "refilled";
  EXPECT_FALSE(Working(nullptr));
}

TEST_P(TFrmIAMainBefehleTest, DecliningQuestion1010OpensNoDialogAndLeavesTheListAsItWas) {
  Artikelfirma();
  Anforderung(D(2025, 3, 1), "1", 1, D(2025, 1, 1), 'A', 0, 0);
  Heute(2026, 3, 1);  // the fiscal year 2025 ended more than two months ago
  HauptZeigen(D(2025, 1, 1));
  ASSERT_EQ(Haupt().WiJahrLastDay(), D(2026, 2, 28));
  Liste()->SetSelected(Zeile(0));
  Taste(Qt::Key_Insert);
  ASSERT_EQ(Markierte(), 1);
  Taste(Qt::Key_F3);
  ASSERT_EQ(Gezeigt(), (Texte{"INVANF 1010"}));
  EXPECT_EQ((*FMeldungen)->Gezeigt()[0].Owner, nullptr);
  EXPECT_EQ(Markierte(), 1) << "not refilled";
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(FDialoge, 0);
  EXPECT_FALSE(Working(nullptr));
}

TEST_P(TFrmIAMainBefehleTest, AReadOnlyCompanyRefusesTheChangingCommandsWithASentenceAndChangesNothing) {
  if (GetParam() != TDbBackend::PostgreSQL) GTEST_SKIP() << "a read-only session needs the server";
  Artikelfirma();
  Anforderung(D(2025, 3, 1), "1", 1, D(2025, 1, 1), 'A', 0, 0);
  KWDDatenbank_Set(TDbConnection::OpenFirma(FDb->Ort() + "?options=-c%20default_transaction_read_only%3Don"));
  ASSERT_TRUE(KWDDatenbank().NurLesen());
  HauptZeigen(D(2025, 1, 1));
  ASSERT_EQ(Liste()->RowCount(), 1) << "reading works";
  Liste()->SetSelected(Zeile(0));
  for (int T : {Qt::Key_F2, Qt::Key_F3}) Taste(T);
  Taste(Qt::Key_F5, Qt::ShiftModifier);
  ASSERT_EQ(Gezeigt(), Texte(3, "STANDARD 997"));
  EXPECT_NE(Argumente(0).at(0).find("nur zum Lesen"), std::string::npos) << Argumente(0).at(0);
  EXPECT_EQ(Zustaende(), (std::map<std::string, char>{{"1@1", 'A'}}));
  EXPECT_TRUE(Saetze().empty());
  EXPECT_TRUE(FehlerAbholen().empty());
}

// The connection cut while the completion selects its articles (waiting for a
// locked table): one message, from the command, not one per article; nothing booked.
TEST_P(TFrmIAMainBefehleTest, ACutConnectionDuringTheSelectionShowsOneMessage) {
  if (GetParam() != TDbBackend::PostgreSQL) GTEST_SKIP() << "a connection to cut needs the server";
  Artikelfirma();
  for (int Fil : {1, 2}) Anforderung(D(2025, 3, 1), "1", Fil, D(2025, 1, 1), 'A', 0, 0);
  HauptZeigen(D(2025, 1, 1));
  Taste(Qt::Key_F7);
  TDbTransaction Sperre(*FDirekt);
  FDirekt->ExecScript("LOCK TABLE artikel IN ACCESS EXCLUSIVE MODE");
  std::thread Server([&] { EXPECT_TRUE(FDb->WartendeTrennen(30s)); });
  Taste(Qt::Key_F2);
  Server.join();
  Sperre.Commit();
  ASSERT_EQ(Gezeigt(), (Texte{"FEHLER 0"}));
  EXPECT_EQ(Argumente(0).at(0), "TFrmIAMain.btnCompleteClick");
  EXPECT_TRUE(Saetze().empty());
  FehlerAbholen();
}

TEST_P(TFrmIAMainBefehleTest, WhileACompletionWaitsForAHeldArticleTheWindowAnswersButStartsNothing) {
  Artikelfirma();
  const TDate J = D(2025, 1, 1);
  Anforderung(D(2025, 3, 1), "1", 1, J, 'A', 0, 0);
  Anforderung(D(2025, 3, 1), "2", 1, J, 'A', 0, 0);
  TKindProzess Kasse(WWS_ADMIN_PFAD, {"locks", "hold", "A1", "--seconds", "60", "--program", "Kasse"});
  const auto Zeile1 = Kasse.Zeile(20s);
  ASSERT_TRUE(Zeile1 && Zeile1->starts_with("GESPERRT")) << Zeile1.value_or("(nichts)");
  HauptZeigen(J);
  Taste(Qt::Key_F7);

  // While the engine works, a timer of the window fires; from it the user
  // presses every key that would start something and tries to close.
  int Waehrenddessen = 0;
  std::set<std::string> Phasen;  // captions of the visible progress window
  QTimer Uhr;
  Uhr.setInterval(10);
  QObject::connect(&Uhr, &QTimer::timeout, [&] {
    if (!Working(&Haupt())) return;
    for (QWidget* W : QApplication::topLevelWidgets())
      if (W->objectName() == "prgdKWD" && W->isVisible())
        Phasen.insert(Kind<QLabel>(W, "lblCaption")->text().toStdString());
    if (Waehrenddessen++ > 0) return;
    Liste()->SetSelected(Zeile(0));
    Taste(Qt::Key_Insert);
    Taste(Qt::Key_F8);
    Taste(Qt::Key_F2);
    Taste(Qt::Key_F5, Qt::ShiftModifier);
    Taste(Qt::Key_F3);
    Taste(Qt::Key_Escape);
    Haupt().close();
    Kind<QAction>(Haupt(), "Versionsanzeige")->trigger();
    EXPECT_EQ(Markierte(), 2) << "marks stay as they were";
    EXPECT_TRUE(Haupt().isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no dialog opened";
  });
  // Afterwards the articles the other program kept locked, with their holder.
  std::vector<Texte> Gesperrt;
  QString Erklaerung;
  auto Liste2 = BeimModalFenster<TgesperrteArtikelfrm>([&](TgesperrteArtikelfrm* F) {
    Erklaerung = Kind<QLabel>(F, "lblDescriptoin")->text();
    auto* L = Kind<TVTKWDVRList>(F, "vrGesperrteArtikel");
    for (TVRNode Z = L->GetFirst(); Z; Z = L->GetNext(Z))
      Gesperrt.push_back({L->GetText(Z, TgesperrteArtikelfrm::spArtikel), L->GetText(Z, TgesperrteArtikelfrm::spProgramm),
                          std::to_string(L->GetInteger(Z, TgesperrteArtikelfrm::spProzessId))});
    Kind<QPushButton>(F, "btnWeiter")->click();
  });
  Uhr.start();
  Taste(Qt::Key_F2);
  Uhr.stop();
  ASSERT_EQ(Gesperrt.size(), 1u);
  EXPECT_EQ(Gesperrt[0], (Texte{"A1", "Kasse", std::to_string(Kasse.Pid())}));
  EXPECT_TRUE(Erklaerung.startsWith("Es konnten nicht alle Inventuren vollständig angefordert werden")) << Erklaerung.toStdString();

  EXPECT_GE(Waehrenddessen, 1) << "the window's events ran during the completion";
  EXPECT_TRUE(Phasen.contains("Sollbestand einbuchen")) << "the progress window showed the booking";
  EXPECT_TRUE(Gezeigt().empty()) << "no command ran meanwhile and the window did not ask to close";
  EXPECT_TRUE(Haupt().isVisible());
  EXPECT_EQ(FPausen, 5) << "five passes, each followed by the pause";
  // The held article stays unbooked and keeps its request requested.
  EXPECT_EQ(Zustaende(), (std::map<std::string, char>{{"1@1", 'A'}, {"2@1", 'E'}}));
  EXPECT_EQ(Saetze(), (std::set<std::string>{"1/2", "1/3"}));
  Kasse.Signal(SIGTERM);
  EXPECT_TRUE(Kasse.Warten(20s).has_value());
}


TEST_P(TFrmIAMainBefehleTest, DeletingARequestWithAHeldArticleListsItUnderTheDeletionTextAndKeepsTheRequest) {
  Artikelfirma();
  const TDate J = D(2025, 1, 1);
  Anforderung(D(2025, 3, 1), "1", 1, J, 'E', 12, 0);
  Firma().Inventursatz(J, D(2025, 3, 1), 1, P(1), '1').Inventursatz(J, D(2025, 3, 1), 1, P(2), '1');
  TKindProzess Kasse(WWS_ADMIN_PFAD, {"locks", "hold", "A1", "--seconds", "60", "--program", "Kasse"});
  const auto Zeile1 = Kasse.Zeile(20s);
  ASSERT_TRUE(Zeile1 && Zeile1->starts_with("GESPERRT")) << Zeile1.value_or("(nichts)");
  HauptZeigen(J);
  Liste()->SetSelected(Zeile(0));
  (*FMeldungen)->Antworten({KWD_MR_YES});
  QString Erklaerung;
  int Zeilen = 0;
  auto Gesperrt = BeimModalFenster<TgesperrteArtikelfrm>([&](TgesperrteArtikelfrm* F) {
    Erklaerung = Kind<QLabel>(F, "lblDescriptoin")->text();
    Zeilen = Kind<TVTKWDVRList>(F, "vrGesperrteArtikel")->RowCount();
    Kind<QPushButton>(F, "btnWeiter")->click();
  });
  Taste(Qt::Key_F5, Qt::ShiftModifier);
  EXPECT_EQ(Gezeigt(), (Texte{"INVANF 1007"}));
  EXPECT_EQ(Status(), "1 Inventur nicht gelöscht (gesperrte Artikel)");
  EXPECT_EQ(Zeilen, 1);
  EXPECT_TRUE(Erklaerung.startsWith("Es konnten nicht alle Inventuren vollständig gelöscht werden")) << Erklaerung.toStdString();
  // The free article is gone; the held one and the request stay, the request
  // marked for deletion, so "Vervollständigen" deletes it once the article is free.
  EXPECT_EQ(Saetze(), (std::set<std::string>{"1/1"}));
  EXPECT_EQ(Zustaende(), (std::map<std::string, char>{{"1@1", 'L'}}));
  EXPECT_EQ(FPausen, 5);
  Kasse.Signal(SIGTERM);
  EXPECT_TRUE(Kasse.Warten(20s).has_value());
}

WWS_SUITE_BACKENDS(TFrmIAMainBefehleTest);
