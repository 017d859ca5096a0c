// The new-request dialog on a real company: what it hands back, what showing
// keeps and empties, the checks in their order with their messages, and bad
// input named and kept.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QListWidget>
#include <QPushButton>
#include <QToolTip>

#include "dialogs/TFrmIANeu.h"
#include "dialogs/TFrmInvAnfConfig.h"
#include "widgets/TKWDGlyphButton.h"
#include "widgets/TKWDTitelPanel.h"
#include "widgets/TQLX_DatumsEingabe.h"
#include "tests/dialogs/DialogTestUmgebung.h"
#include "tests/widgets/WidgetTestHilfe.h"

namespace {

class TFrmIANeuTest : public TDialogTest {
 protected:
  void SetUp() override {
    TDialogTest::SetUp();
    Firma().Filiale(1, "Filiale Nord").Filiale(2, "Filiale Süd").Filiale(6, "Zentrallager", true);
  }

  std::unique_ptr<TFrmIANeu> NeueForm() {
    auto Form = std::make_unique<TFrmIANeu>();
    Form->SetWiJahr(D(2026, 1, 1));
    Form->SetWiJahrLastDay(D(2027, 2, 28));
    return Form;
  }

  // The form's fields.
  static QListWidget* Filialen(TFrmIANeu& AForm) { return Kind<QListWidget>(AForm, "chbFilialen"); }
  static QLineEdit* WGFeld(TFrmIANeu& AForm) { return Kind<QLineEdit>(AForm, "edtWg"); }
  static TQLX_DatumsEingabe* DatumFeld(TFrmIANeu& AForm) { return Kind<TQLX_DatumsEingabe>(AForm, "btnZaehldatum"); }

  // Ticks exactly the lines with the texts ANummern.
  static void Haken(TFrmIANeu& AForm, const QStringList& ANummern) {
    for (int I = 0; I < Filialen(AForm)->count(); ++I) {
      QListWidgetItem* Zeile = Filialen(AForm)->item(I);
      Zeile->setCheckState(ANummern.contains(Zeile->text()) ? Qt::Checked : Qt::Unchecked);
    }
  }

  static void Eingeben(TFrmIANeu& AForm, const QString& ADatum, const QString& AWG, const QStringList& AFilialen) {
    DatumFeld(AForm)->Edit()->setText(ADatum);
    WGFeld(AForm)->setText(AWG);
    Haken(AForm, AFilialen);
  }

  // TestData with fresh records of the messages; the answers given are used in order.
  bool Pruefen(TFrmIANeu& AForm, std::initializer_list<int> AAntworten = {}) {
    FAntworten->Leeren();
    FAntworten->Antworten(AAntworten);
    return AForm.TestData();
  }
};

TEST_P(TFrmIANeuTest, ControlsShowTheirCaptionsHintsAndKeys) {
  const auto Form = NeueForm();
  EXPECT_EQ(Form->windowTitle(), QString("Inventurneuanlage  - Modehaus Test"));
  EXPECT_EQ(Form->objectName(), QString("FrmIANeu"));
  EXPECT_EQ(Form->FormKey(), "OstrelFrmIANeu");
  EXPECT_EQ(Kind<QLabel>(*Form, "LblTitel")->text(), QString("Inventurneuanlage"));
  EXPECT_EQ(Kind<QLabel>(*Form, "LblZaehldatum")->text(), QString("Zähldatum:"));
  EXPECT_EQ(Kind<QLabel>(*Form, "LblWG")->text(), QString("Warengruppe:"));
  EXPECT_EQ(Kind<QLabel>(*Form, "LblFil")->text(), QString("Filiale:"));
  EXPECT_EQ(Kind<QPushButton>(*Form, "BtnCancel")->text(), QString("Abbrechen"));
  EXPECT_EQ(Kind<QPushButton>(*Form, "BtnCancel")->toolTip(),
            QString("Fenster schliessen, keine Neuanlage buchen (Esc)"));
  EXPECT_EQ(Kind<QPushButton>(*Form, "btnEinstellungen")->text(), QString("Einstellungen"));
  EXPECT_EQ(Kind<QPushButton>(*Form, "btnEinstellungen")->shortcut(), QKeySequence(Qt::Key_F4));
  EXPECT_EQ(Kind<QPushButton>(*Form, "BtnOk")->text(), QString("Buchen"));
  EXPECT_EQ(Kind<QPushButton>(*Form, "BtnOk")->shortcut(), QKeySequence(Qt::Key_F5));
  EXPECT_EQ(Kind<QPushButton>(*Form, "btnWGNSuche")->toolTip(), QString("Warengruppensuche"));
  EXPECT_EQ(Kind<QPushButton>(*Form, "btnWGNSuche")->focusPolicy(), Qt::NoFocus) << "no tab stop";
  EXPECT_FALSE(DatumFeld(*Form)->BtnPrevNextVisible());
  EXPECT_EQ(DatumFeld(*Form)->Zustand(), TQLX_DatumsZustand::Leer) << "no date preset";
  EXPECT_EQ(Form->minimumWidth(), Form->maximumWidth()) << "fixed width";
  for (const char* Name : {"LblTitel", "btnZaehldatum", "LblWG", "edtWg", "btnWGNSuche", "LblFil", "chbFilialen",
                           "BtnCancel", "btnEinstellungen", "BtnOk"})
    EXPECT_NE(Form->findChild<QWidget*>(Name), nullptr) << Name;
  EXPECT_NE(Form->findChild<QObject*>("WGNSuchDialog"), nullptr);

  QStringList Zeilen;
  for (int I = 0; I < Filialen(*Form)->count(); ++I) {
    Zeilen << Filialen(*Form)->item(I)->text();
    EXPECT_EQ(Filialen(*Form)->item(I)->checkState(), Qt::Unchecked);
  }
  EXPECT_EQ(Zeilen, QStringList({"1", "2", "6"})) << "one line per branch, its number";
}

TEST_P(TFrmIANeuTest, BookingHandsBackTheEntryAndTheNextShowingEmptiesItButKeepsTheInput) {
  const auto Form = NeueForm();
  auto Buchen = BeimModalFenster<TFrmIANeu>([&](TFrmIANeu* AForm) {
    Aktivieren(AForm);
    EXPECT_EQ(AForm->height(), TFrmIANeu::Hoehe(3));
    EXPECT_EQ(TFrmIANeu::Hoehe(3), 3 * 17 + 267);
    QTest::keyClicks(DatumFeld(*AForm)->Edit(), "15.12.2026");
    QTest::keyClicks(WGFeld(*AForm), "12  ");
    Haken(*AForm, {"1", "2"});
    QTest::keyClick(AForm, Qt::Key_F5);
    Schliessen(AForm);
  });
  ASSERT_EQ(Form->exec(), KWD_MR_OK);
  EXPECT_EQ(Gezeigt(), std::vector<std::string>{}) << "today inside the year asks nothing";
  EXPECT_EQ(Form->Datum(), D(2026, 12, 15));
  EXPECT_EQ(Form->WG(), "12  ") << "the group as typed, blanks kept";
  ASSERT_EQ(Form->FilCount(), 2);
  EXPECT_EQ(Form->Filiale(0), 1);
  EXPECT_EQ(Form->Filiale(1), 2);
  EXPECT_EQ(Form->Filiale(-1), 0);
  EXPECT_EQ(Form->Filiale(Form->FilCount()), 0);

  auto Abbrechen = BeimModalFenster<TFrmIANeu>([&](TFrmIANeu* AForm) {
    Aktivieren(AForm);
    EXPECT_EQ(AForm->FilCount(), 0);
    EXPECT_EQ(AForm->WG(), "");
    EXPECT_EQ(AForm->Datum(), 0);
    EXPECT_EQ(DatumFeld(*AForm)->Text(), QString("15.12.2026"));
    EXPECT_EQ(WGFeld(*AForm)->text(), QString("12  "));
    EXPECT_EQ(Filialen(*AForm)->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(Filialen(*AForm)->item(2)->checkState(), Qt::Unchecked);
    QTest::keyClick(AForm, Qt::Key_Escape);
    Schliessen(AForm);
  });
  EXPECT_EQ(Form->exec(), KWD_MR_CANCEL);
  EXPECT_EQ(Form->FilCount(), 0);
  EXPECT_EQ(Form->Filiale(0), 0);
}

TEST_P(TFrmIANeuTest, HeightGrowsWithTheBranchesUpToFiveHundred) {
  for (int Nr = 10; Nr < 26; ++Nr) Firma().Filiale(Nr, "Filiale " + std::to_string(Nr));
  const auto Form = NeueForm();
  ASSERT_EQ(Filialen(*Form)->count(), 19);
  Form->show();
  EXPECT_EQ(Form->height(), 500);
  Form->hide();
}

TEST_P(TFrmIANeuTest, CountingDateIsCheckedAgainstTodayTheYearAndItsLastDay) {
  const auto Form = NeueForm();
  Heute(D(2026, 12, 15));
  Eingeben(*Form, "15.12.2026", "", {"1"});
  EXPECT_TRUE(Pruefen(*Form));
  EXPECT_EQ(Gezeigt(), std::vector<std::string>{});

  Eingeben(*Form, "14.12.2026", "", {"1"});
  EXPECT_FALSE(Pruefen(*Form));
  EXPECT_EQ(Gezeigt(), std::vector<std::string>{"INVANF 1002"});
  EXPECT_EQ(FAntworten->Gezeigt().at(0).Owner, static_cast<void*>(static_cast<QWidget*>(Form.get())));

  Form->SetWiJahr(D(2027, 1, 1));
  Eingeben(*Form, "20.12.2026", "", {"1"});
  EXPECT_FALSE(Pruefen(*Form));
  EXPECT_EQ(Gezeigt(), std::vector<std::string>{"INVANF 1001"});
  Form->SetWiJahr(D(2026, 1, 1));

  // The last day (28.02.2027) is still ahead: a later date asks first.
  Eingeben(*Form, "05.03.2027", "", {"1"});
  EXPECT_FALSE(Pruefen(*Form, {KWD_MR_NO}));
  EXPECT_EQ(Gezeigt(), std::vector<std::string>{"INVANF 1010"});
  EXPECT_EQ(FAntworten->Gezeigt().at(0).Art, KWD_MB_JANEIN);
  EXPECT_EQ(Form->focusWidget(), DatumFeld(*Form)->Edit());
  EXPECT_TRUE(Pruefen(*Form, {KWD_MR_YES}));
  Eingeben(*Form, "20.02.2027", "", {"1"});
  EXPECT_TRUE(Pruefen(*Form));
  EXPECT_EQ(Gezeigt(), std::vector<std::string>{});

  // Once it has passed, the main window has asked before opening the dialog.
  Heute(D(2027, 3, 10));
  Eingeben(*Form, "10.03.2027", "", {"1"});
  EXPECT_TRUE(Pruefen(*Form));
  EXPECT_EQ(Gezeigt(), std::vector<std::string>{});
}

TEST_P(TFrmIANeuTest, BranchesMustBeTickedAndOfOneKind) {
  Firma().Filiale(0, "Zentrale");
  const auto Form = NeueForm();
  Eingeben(*Form, "15.12.2026", "", {});
  EXPECT_FALSE(Pruefen(*Form));
  EXPECT_EQ(Gezeigt(), std::vector<std::string>{"INVANF 1011"});

  Eingeben(*Form, "15.12.2026", "", {"1", "6"});
  EXPECT_FALSE(Pruefen(*Form));
  EXPECT_EQ(Gezeigt(), std::vector<std::string>{"INVANF 1015"});
  EXPECT_EQ(Form->focusWidget(), Filialen(*Form));

  Eingeben(*Form, "15.12.2026", "", {"0"});
  EXPECT_FALSE(Pruefen(*Form)) << "the line 0 counts as both kinds";
  EXPECT_EQ(Gezeigt(), std::vector<std::string>{"INVANF 1015"});

  Eingeben(*Form, "15.12.2026", "", {"6"});
  EXPECT_FALSE(Pruefen(*Form, {KWD_MR_NO}));
  EXPECT_EQ(Gezeigt(), std::vector<std::string>{"INVANF 1016"});
  EXPECT_TRUE(Pruefen(*Form, {KWD_MR_YES}));

  // The product group is checked last: a bad one after a declined question is not shown.
  Eingeben(*Form, "15.12.2026", "1 2", {"6"});
  EXPECT_FALSE(Pruefen(*Form, {KWD_MR_NO}));
  EXPECT_EQ(Gezeigt(), std::vector<std::string>{"INVANF 1016"});
}

TEST_P(TFrmIANeuTest, ProductGroupIsOneCharacterOrAWholeNumber) {
  const auto Form = NeueForm();
  for (const char* WG : {"", "5", "A", "*", "12", "12  ", "-12", "$1F", "0x1F", "999999999"}) {
    Eingeben(*Form, "15.12.2026", WG, {"1"});
    EXPECT_TRUE(Pruefen(*Form)) << WG;
    EXPECT_EQ(Gezeigt(), std::vector<std::string>{}) << WG;
  }
  for (const char* WG : {"12*", " 12", "1 2", "1A", "1\t2", "Ä1", "1.5"}) {
    Eingeben(*Form, "15.12.2026", WG, {"1"});
    EXPECT_FALSE(Pruefen(*Form)) << WG;
    EXPECT_EQ(Gezeigt(), std::vector<std::string>{"INVANF 1012"}) << WG;
    EXPECT_EQ(WGFeld(*Form)->text(), QString(WG)) << "the entry stays for correction";
  }
}

TEST_P(TFrmIANeuTest, BadInputIsNamedAndKeptAndNothingIsHandedBack) {
  const auto Form = NeueForm();
  Aktivieren(Form.get());
  QLineEdit* Datum = DatumFeld(*Form)->Edit();
  QLineEdit* WG = WGFeld(*Form);

  // Letters never reach the date; the field says why.
  Datum->setFocus();
  QTest::keyClicks(Datum, "15.1x");
  EXPECT_EQ(Datum->text(), QString("15.1"));
  QTRY_COMPARE(QToolTip::text(), QString("Bitte das Datum als TT.MM.JJJJ eingeben, z. B. 24.12.2026."));

  // A half-typed date is named as such, and stays.
  Haken(*Form, {"1"});
  FAntworten->Leeren();
  Form->BtnOkClick();
  EXPECT_EQ(Form->ModalResult(), KWD_MR_NONE);
  ASSERT_EQ(FAntworten->Gezeigt().size(), 1u);
  EXPECT_EQ(FAntworten->Gezeigt()[0].Gruppe, "STANDARD");
  EXPECT_NE(FAntworten->Gezeigt()[0].Text.find("„15.1“ ist kein gültiges Zähldatum"), std::string::npos)
      << FAntworten->Gezeigt()[0].Text;
  EXPECT_EQ(Datum->text(), QString("15.1"));
  EXPECT_EQ(Form->FilCount(), 0);

  Datum->clear();
  FAntworten->Leeren();
  Form->BtnOkClick();
  ASSERT_EQ(FAntworten->Gezeigt().size(), 1u);
  EXPECT_NE(FAntworten->Gezeigt()[0].Text.find("Bitte geben Sie das Zähldatum ein"), std::string::npos);

  // The group takes nine characters; a tenth typed or a longer paste is refused whole.
  WG->setFocus();
  QTest::keyClicks(WG, "1234567890");
  EXPECT_EQ(WG->text(), QString("123456789"));
  QTRY_COMPARE(QToolTip::text(), QString("Die Warengruppe hat höchstens 9 Zeichen."));
  WG->setText("12");
  WG->end(false);
  QApplication::clipboard()->setText("345678901");
  WG->paste();
  EXPECT_EQ(WG->text(), QString("12")) << "not cut to 123456789 behind the user's back";
  WG->insert(QString(QChar(0xD800)));  // half a surrogate pair is no character
  EXPECT_EQ(WG->text(), QString("12"));

  // Umlauts and control characters pasted: refused at "Buchen", the text stays.
  Datum->setText("15.12.2026");
  WG->clear();
  QApplication::clipboard()->setText("1\tÄ");
  WG->paste();
  const QString Eingefuegt = WG->text();
  FAntworten->Leeren();
  Form->BtnOkClick();
  EXPECT_EQ(Gezeigt(), std::vector<std::string>{"INVANF 1012"}) << Eingefuegt.toStdString();
  EXPECT_EQ(WG->text(), Eingefuegt);
  EXPECT_EQ(Form->ModalResult(), KWD_MR_NONE);
  EXPECT_EQ(Form->FilCount(), 0);
  Form->hide();
}

TEST_P(TFrmIANeuTest, SettingsButtonShowsTheConfigurationWithTheOpenStockTake) {
  auto Config = std::make_unique<TFrmInvAnfConfig>();
  ASSERT_EQ(FrmInvAnfConfig, Config.get()) << "the program's instance is the one created";
  const auto Form = NeueForm();
  EXPECT_EQ(FrmIANeu, Form.get());
  Form->SetInventurOffen(true);
  Aktivieren(Form.get());
  bool Offen = false;
  auto Uhr = BeimModalFenster<TFrmInvAnfConfig>([&](TFrmInvAnfConfig* AConfig) {
    EXPECT_EQ(AConfig, FrmInvAnfConfig) << "the program's instance";
    Offen = AConfig->InventurOffen();
    Aktivieren(AConfig);
    QTest::keyClick(AConfig, Qt::Key_Escape);
    Schliessen(AConfig);
  });
  QTest::keyClick(Form.get(), Qt::Key_F4);
  QTRY_VERIFY(Offen);
  EXPECT_FALSE(FrmInvAnfConfig->isVisible());
  Config.reset();
  EXPECT_EQ(FrmInvAnfConfig, nullptr);
  Form->hide();
}

TEST_P(TFrmIANeuTest, ProductGroupSearchFillsTheFieldOrLeavesIt) {
  Firma().Warengruppe("1", "Damen").Warengruppe("12", "Damenoberbekleidung").Warengruppe("2", "Herren");
  const auto Form = NeueForm();
  Aktivieren(Form.get());
  auto Suche = BeimModalFenster<TKWDForm>([](TKWDForm* ASuche) {
    EXPECT_EQ(ASuche->objectName(), QString("FrmWGNSuche"));
    Aktivieren(ASuche);
    QTest::keyClicks(Kind<QLineEdit>(ASuche, "edtNummer"), "12");
    QTest::keyClick(Kind<QLineEdit>(ASuche, "edtNummer"), Qt::Key_Return);
    Schliessen(ASuche);
  });
  Kind<QPushButton>(*Form, "btnWGNSuche")->click();
  EXPECT_EQ(WGFeld(*Form)->text(), QString("12"));
  EXPECT_EQ(Form->focusWidget(), Filialen(*Form));

  auto Abbruch = BeimModalFenster<TKWDForm>([](TKWDForm* ASuche) {
    Aktivieren(ASuche);
    QTest::keyClick(ASuche, Qt::Key_Escape);
    Schliessen(ASuche);
  });
  Kind<QPushButton>(*Form, "btnWGNSuche")->click();
  EXPECT_EQ(WGFeld(*Form)->text(), QString("12"));
  EXPECT_EQ(Form->focusWidget(), WGFeld(*Form));
  Form->hide();
}

WWS_SUITE_BACKENDS(TFrmIANeuTest);

}  // namespace
