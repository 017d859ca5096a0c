// The form base: stored places across runs, closing refused while working or
// by the close query, modal results; caption, keys and the suite combo box.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <filesystem>

#include "widgets/KWDTasten.h"
#include "widgets/TKWDForm.h"
#include "widgets/TKWDStdComboBox.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/framework/KWDWork.h"
#include "tests/support/framework/TestUmgebung.h"
#include "tests/widgets/WidgetTestHilfe.h"

namespace {

class TTestForm : public TKWDForm {
 public:
  explicit TTestForm(const std::string& AKey, TKWDFormPosStoreMode AMode = fpsmPositionUndGroesse) {
    setObjectName("FrmTest");
    SetFormPosStoreMode(AMode);
    KWDFormInit(AKey, true);
    Seiten = new QTabWidget(this);
    Seiten->setObjectName("pgcSeiten");
    Seiten->addTab(new QLabel("eins"), "Eins");
    Seiten->addTab(new QLabel("zwei"), "Zwei");
    ZustandMerken(Seiten);
    auto* L = new QVBoxLayout(this);
    L->addWidget(Seiten);
  }
  bool DarfSchliessen = true;
  int Gefragt = 0;
  QTabWidget* Seiten;

 protected:
  bool FormCloseQuery() override {
    ++Gefragt;
    return DarfSchliessen;
  }
};

class TKWDFormTest : public ::testing::Test {
 protected:
  TTempOrdner FOrdner;
  TUmgebungsWert FXdg{"XDG_CONFIG_HOME", FOrdner.Pfad().string()};
};

}  // namespace

TEST_F(TKWDFormTest, PlaceSizeAndPageComeBackAtTheNextStart) {
  {
    TTestForm Form("OstrelFrmTest");
    Form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form));
    Form.move(110, 120);
    Form.resize(520, 340);
    Form.Seiten->setCurrentIndex(1);
    Form.SetModalResult(KWD_MR_OK);
    EXPECT_FALSE(Form.isVisible());
  }
  ASSERT_TRUE(std::filesystem::exists(FOrdner.Pfad() / "wws" / "forms.ini")) << KWDFormsFile();
  QSettings Gespeichert(QString::fromStdString(KWDFormsFile()), QSettings::IniFormat);
  EXPECT_EQ(Gespeichert.value("OstrelFrmTest/Groesse").toSize(), QSize(520, 340));

  TTestForm Wieder("OstrelFrmTest");
  Wieder.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Wieder));
  EXPECT_EQ(Wieder.pos(), QPoint(110, 120));
  EXPECT_EQ(Wieder.size(), QSize(520, 340));
  EXPECT_EQ(Wieder.Seiten->currentIndex(), 1);

  // Another key keeps its own place; the position-only mode keeps the size.
  TTestForm Andere("OstrelFrmAndere", fpsmPosition);
  Andere.show();
  Andere.move(200, 50);
  Andere.resize(600, 400);
  Andere.hide();
  TTestForm AndereWieder("OstrelFrmAndere", fpsmPosition);
  AndereWieder.show();
  EXPECT_EQ(AndereWieder.pos(), QPoint(200, 50));
  EXPECT_NE(AndereWieder.size(), QSize(600, 400));
}

TEST_F(TKWDFormTest, APlaceOffEveryScreenIsNotUsed) {
  {
    QSettings S(QString::fromStdString(KWDFormsFile()), QSettings::IniFormat);
    S.setValue("OstrelFrmWeg/Position", QPoint(9000, 9000));
    S.setValue("OstrelFrmWeg/Groesse", QSize(300, 200));
    S.setValue("OstrelFrmWeg/Seite/pgcSeiten", 7);  // a page the form no longer has
  }
  TTestForm Form("OstrelFrmWeg");
  Form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form));
  EXPECT_LT(Form.pos().x(), 2000);
  EXPECT_EQ(Form.Seiten->currentIndex(), 0);
}

TEST_F(TKWDFormTest, NoClosingWhileItsCommandWorksOrTheCloseQuerySaysNo) {
  TTestForm Form("OstrelFrmTest");
  auto Warten = BeimModalFenster<TTestForm>([&](TTestForm* AForm) {
    ASSERT_TRUE(WorkStartTry(AForm, "TTestForm.Arbeit", 5));
    QTest::keyClick(AForm, Qt::Key_Escape);
    AForm->close();
    EXPECT_TRUE(AForm->isVisible()) << "the work bracket keeps the window";
    EXPECT_EQ(AForm->Gefragt, 0);
    WorkDone(AForm);

    AForm->DarfSchliessen = false;
    QTest::keyClick(AForm, Qt::Key_Escape);
    EXPECT_TRUE(AForm->isVisible()) << "the close query said no";
    AForm->DarfSchliessen = true;
    QTest::keyClick(AForm, Qt::Key_Escape);
  });
  EXPECT_EQ(Form.exec(), KWD_MR_CANCEL);
  EXPECT_EQ(Form.ModalResult(), KWD_MR_CANCEL);
  EXPECT_EQ(Form.Gefragt, 2);

  // Another owner's bracket does not hold this form.
  int Anderer = 0;
  ASSERT_TRUE(WorkStartTry(&Anderer, "Anderer.Arbeit", 5));
  auto Zweites = BeimModalFenster<TTestForm>([](TTestForm* AForm) { AForm->SetModalResult(KWD_MR_OK); });
  EXPECT_EQ(Form.exec(), KWD_MR_OK);
  WorkDone(&Anderer);
}

TEST_F(TKWDFormTest, CaptionNamesTheClient) {
  TUmgebungsWert Mandant("WWS_MANDANT", "Modehaus Nord");
  EXPECT_EQ(KWDCaption("Inventuren"), QString("Inventuren - Modehaus Nord"));
}

TEST_F(TKWDFormTest, KeysClickTheirButtonsAndShowInTheHints) {
  EXPECT_EQ(KWDTastenText(QKeySequence(Qt::SHIFT | Qt::Key_F5)), QString("Umschalt+F5"));
  EXPECT_EQ(KWDTastenText(QKeySequence(Qt::CTRL | Qt::Key_A)), QString("Strg+A"));
  EXPECT_EQ(KWDTastenText(QKeySequence(Qt::Key_Insert)), QString("Einfg"));

  TKWDForm Form;
  auto* Neu = new QPushButton("Neuanlage", &Form);
  auto* Ok = new QPushButton("OK", &Form);
  auto* Menue = new QAction("Löschen", &Form);
  auto* Loeschen = new QPushButton("Löschen", &Form);
  Form.addAction(Menue);
  auto* L = new QVBoxLayout(&Form);
  L->addWidget(Neu);
  L->addWidget(Ok);
  L->addWidget(Loeschen);
  KWDTasteBinden(Neu, QKeySequence(Qt::Key_F3), "Neuanlage einer Inventuranforderung");
  KWDTasteBinden(Ok, QKeySequence(Qt::Key_Return), "Weiter mit Inventurenübersicht");
  KWDTasteBinden(Menue, QKeySequence(Qt::SHIFT | Qt::Key_F5), "Entfernen der selektierten Inventur");
  KWDAktionVerbinden(Loeschen, Menue);
  EXPECT_EQ(Neu->toolTip(), QString("Neuanlage einer Inventuranforderung (F3)"));
  EXPECT_EQ(Ok->toolTip(), QString("Weiter mit Inventurenübersicht (Enter)"));
  EXPECT_EQ(Loeschen->toolTip(), QString("Entfernen der selektierten Inventur (Umschalt+F5)"));

  QSignalSpy NeuGeklickt(Neu, &QPushButton::clicked);
  QSignalSpy MenueAusgeloest(Menue, &QAction::triggered);
  Form.show();
  QApplication::setActiveWindow(&Form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
  QTest::keyClick(&Form, Qt::Key_F3);
  QTest::keyClick(&Form, Qt::Key_F5, Qt::ShiftModifier);
  QTRY_COMPARE(NeuGeklickt.count(), 1);  // a key press animates the click first
  EXPECT_EQ(MenueAusgeloest.count(), 1);
  Loeschen->click();
  EXPECT_EQ(MenueAusgeloest.count(), 2) << "the button runs the menu's action";
  Menue->setEnabled(false);
  EXPECT_FALSE(Loeschen->isEnabled()) << "and follows its enabled state";
}

TEST_F(TKWDFormTest, SuiteComboBoxStartsWithoutChoiceAndOpensOnTyping) {
  TKWDForm Form;
  auto* Box = new TKWDStdComboBox(&Form);
  auto* L = new QVBoxLayout(&Form);
  L->addWidget(Box);
  QSignalSpy Gewechselt(Box, &QComboBox::currentIndexChanged);
  Box->addItems({"01.01.2024 - 31.12.2024", "01.01.2025 - 31.12.2025"});
  EXPECT_EQ(Box->currentIndex(), -1);
  EXPECT_EQ(Gewechselt.count(), 0) << "filling chose nothing";
  EXPECT_FALSE(Box->isEditable());
  Form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form));
  Box->setFocus();
  QTest::keyClick(Box, Qt::Key_0);
  QTRY_VERIFY(Box->view()->isVisible());
  EXPECT_EQ(Box->currentIndex(), -1) << "typing opened the list without picking an entry";
  Box->hidePopup();
}
