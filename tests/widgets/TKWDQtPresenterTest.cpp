// Numbered messages as real message boxes: buttons, answers, owner, texts
// from the catalogue; the rights refusal on a real company; WWS_ANTWORT.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "widgets/TKWDForm.h"
#include "support/framework/TKWDInfo.h"
#include "support/services/UserRechte.h"
#include "tests/fixtures/SuiteTestUmgebung.h"
#include "tests/support/framework/TestUmgebung.h"
#include "tests/widgets/WidgetTestHilfe.h"

namespace {

struct TGesehen {
  QString Titel, Text, Details;
  QStringList Knoepfe;
  QString Standard;
  QWidget* Eltern = nullptr;
  QMessageBox::Icon Bild = QMessageBox::NoIcon;
};

// Answers the next message box with the button AAntwort (empty: Esc; one
// letter: that key, as the accelerators answer) and records what it showed.
[[nodiscard]] std::unique_ptr<QTimer> Antworten(TGesehen& AGesehen, const QString& AAntwort) {
  return BeimModalFenster<QMessageBox>([&AGesehen, AAntwort](QMessageBox* ABox) {
    AGesehen.Titel = ABox->windowTitle();
    AGesehen.Text = ABox->text();
    AGesehen.Details = ABox->detailedText();
    for (QAbstractButton* K : ABox->buttons()) AGesehen.Knoepfe << K->text();
    AGesehen.Standard = ABox->defaultButton() ? ABox->defaultButton()->text() : QString();
    AGesehen.Eltern = ABox->parentWidget();
    AGesehen.Bild = ABox->icon();
    if (AAntwort.isEmpty())
      QTest::keyClick(ABox, Qt::Key_Escape);
    else if (AAntwort.size() == 1)
      QTest::keyClick(ABox, AAntwort.at(0).toLatin1());
    else
      Knopf(ABox, AAntwort)->click();
  });
}

class TQtPresenterTest : public ::testing::Test {
 protected:
  void SetUp() override { ::unsetenv("WWS_ANTWORT"); }
  TTestLog FLog;
};

}  // namespace

TEST_F(TQtPresenterTest, QuestionsAnswerSixForJaAndSevenForNein) {
  TKWDForm Owner;
  Owner.show();
  TGesehen G;
  auto W1 = Antworten(G, "Ja");
  EXPECT_EQ(KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1019, {}, &Owner), KWD_MR_YES);
  EXPECT_EQ(G.Knoepfe, QStringList({"&Ja", "&Nein"}));
  EXPECT_EQ(G.Standard, QString("&Ja"));
  EXPECT_EQ(G.Eltern, &Owner) << "the owner window is the parent";
  EXPECT_EQ(G.Titel, QString("Inventuranforderungen"));
  EXPECT_EQ(G.Bild, QMessageBox::Question);

  auto W2 = Antworten(G, "Nein");
  EXPECT_EQ(KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1013), KWD_MR_NO);
  // A question that deletes defaults to "Nein"; the letters answer without Alt.
  for (const auto& [Taste, Antwort] :
       {std::pair{"\r", KWD_MR_NO}, std::pair{"j", KWD_MR_YES}, std::pair{"n", KWD_MR_NO}}) {
    auto W = Antworten(G, QString::fromLatin1(Taste));
    EXPECT_EQ(KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1007, {"12", "3", "20.03.2026", "Warengruppe 12"}, &Owner,
                                    KWD_MR_NO),
              Antwort)
        << Taste;
    EXPECT_EQ(G.Standard, QString("&Nein"));
  }
  EXPECT_EQ(G.Text, QString("Möchten Sie die Inventur vom 20.03.2026 für Warengruppe 12 in Filiale 3 mit ihrem "
                            "gebuchten Sollbestand wirklich löschen?"));
  auto W3 = Antworten(G, "");
  EXPECT_EQ(KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1019), KWD_MR_NO) << "Esc is No";
}

TEST_F(TQtPresenterTest, NoticeHasOneOkAndTheCloseQuestionThreeButtons) {
  TGesehen G;
  auto W4 = Antworten(G, "OK");
  EXPECT_EQ(KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "INVANF", 1004), KWD_MR_OK);
  EXPECT_EQ(G.Knoepfe, QStringList({"OK"}));
  EXPECT_EQ(G.Bild, QMessageBox::Information);
  EXPECT_EQ(G.Text, QString("Bitte wählen Sie ein Wirtschaftsjahr aus der Liste aus."));

  TGesehen S;
  auto W5 = Antworten(S, "Ja");
  EXPECT_EQ(KWDInfo().ShowMeldung(KWD_MB_SCHLIESSEN, "INVANF", 1018), KWD_MR_YES);
  // The order follows the desktop's convention; the captions are German.
  S.Knoepfe.sort();
  EXPECT_EQ(S.Knoepfe, QStringList({"&Abbrechen", "&Ja", "&Nein"}));
  EXPECT_EQ(S.Standard, QString("&Ja"));
  auto W6 = Antworten(S, "Nein");
  EXPECT_EQ(KWDInfo().ShowMeldung(KWD_MB_SCHLIESSEN, "INVANF", 1018), KWD_MR_NO);
  auto W7 = Antworten(S, "");
  EXPECT_EQ(KWDInfo().ShowMeldung(KWD_MB_SCHLIESSEN, "INVANF", 1018), KWD_MR_CANCEL) << "Esc cancels";
}

TEST_F(TQtPresenterTest, TextLinesAndRegisteredErrorsShowAsTheyShould) {
  TGesehen G;
  auto W8 = Antworten(G, "OK");
  KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "STANDARD", 997, {"Zeile 1\r\nZeile 2 <b>kein HTML</b>"});
  EXPECT_EQ(G.Text, QString("Zeile 1\nZeile 2 <b>kein HTML</b>"));

  auto W9 = Antworten(G, "OK");
  KWDInfo().RegisterException("TFrmTest.BtnOkClick", std::runtime_error("Datei fehlt"), true);
  EXPECT_EQ(G.Bild, QMessageBox::Critical);
  // The user reads the sentence; the internal name waits behind "Details anzeigen".
  EXPECT_EQ(G.Text, QString("Datei fehlt"));
  EXPECT_TRUE(G.Details.contains("TFrmTest.BtnOkClick")) << G.Details.toStdString();
  KWDInfo().FehlerTerminate("TFrmTest.BtnOkClick");
}

TEST_F(TQtPresenterTest, WwsAntwortAnswersWithoutAWindow) {
  TUmgebungsWert Antwort("WWS_ANTWORT", "ja");
  bool Fenster = false;
  auto Warten = BeimModalFenster<QMessageBox>([&](QMessageBox* ABox) {
    Fenster = true;
    ABox->reject();
  });
  EXPECT_EQ(KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1019), KWD_MR_YES);
  EXPECT_EQ(KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "INVANF", 1004), KWD_MR_OK);
  QTest::qWait(20);
  EXPECT_FALSE(Fenster);
}

// The refusal of a right, as the user sees it in the program.
class TRechteMeldungTest : public TSuiteTest {};

TEST_P(TRechteMeldungTest, RefusalNamesTheUserAndTheMissingRightInGerman) {
  ::unsetenv("WWS_ANTWORT");
  RechtSetzen("*", wpfInventuranforderungAendern, false);
  TUmgebungsWert Benutzer("WWS_USER", "kasse3");
  TGesehen G;
  auto W10 = Antworten(G, "OK");
  EXPECT_FALSE(UserRechtePruefen({wpfWarenwirtschaft, wpfInventur, wpfInventuranforderungAendern}, "", 1, false, 0));
  EXPECT_EQ(G.Knoepfe, QStringList({"OK"}));
  EXPECT_TRUE(G.Text.contains("kasse3")) << G.Text.toStdString();
  EXPECT_TRUE(G.Text.contains("Inventuranforderungen anlegen und löschen")) << G.Text.toStdString();
  EXPECT_FALSE(G.Text.contains("119")) << "only the missing right";
  EXPECT_FALSE(G.Text.contains('\r'));
}

WWS_SUITE_BACKENDS(TRechteMeldungTest);
