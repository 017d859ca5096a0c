// The product-group search on a real company: the tree, the search by number
// and by text, the choice handed back, and cancelling.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include "widgets/TKWDForm.h"
#include "widgets/TWGNSuchDialog.h"
#include "tests/fixtures/SuiteTestUmgebung.h"
#include "tests/widgets/WidgetTestHilfe.h"
#include "tests/support/framework/TestUmgebung.h"

namespace {

class TWGNSuchDialogTest : public TSuiteTest {
 protected:
  void SetUp() override {
    TSuiteTest::SetUp();
    Firma()
        .Warengruppe("1", "Damen")
        .Warengruppe("12", "Damenoberbekleidung")
        .Warengruppe("121", "Blusen")
        .Warengruppe("13", "Damenwäsche")
        .Warengruppe("2", "Herren")
        .Warengruppe("21", "Herrenhosen")
        .Warengruppe("9", "Übergrößen")
        .Warengruppe("5", "Fremdsystem", "LIEFERANT");
  }
  // Runs ASchritte in the open search and returns Execute's result.
  bool Suchen(TWGNSuchDialog& ASuche, std::function<void(TKWDForm*, QTreeView*)> ASchritte) {
    auto Uhr = BeimModalFenster<TKWDForm>([&](TKWDForm* AForm) {
      ASchritte(AForm, Kind<QTreeView>(AForm, "tvWarengruppen"));
      if (AForm->isVisible()) AForm->done(KWD_MR_CANCEL);
    });
    return ASuche.Execute(nullptr);
  }
  static QStringList Sichtbar(QTreeView* ABaum, const QModelIndex& AParent = {}) {
    QStringList Nummern;
    for (int I = 0; I < ABaum->model()->rowCount(AParent); ++I) {
      const QModelIndex Zeile = ABaum->model()->index(I, 0, AParent);
      Nummern << Zeile.data().toString();
      Nummern << Sichtbar(ABaum, Zeile);
    }
    return Nummern;
  }
  TTempOrdner FOrdner;
  TUmgebungsWert FXdg{"XDG_CONFIG_HOME", FOrdner.Pfad().string()};
};

TEST_P(TWGNSuchDialogTest, SearchByNumberOrTextAndPick) {
  TWGNSuchDialog Suche;
  EXPECT_TRUE(Suchen(Suche, [](TKWDForm* AForm, QTreeView* ABaum) {
    EXPECT_EQ(Sichtbar(ABaum), QStringList({"1", "12", "121", "13", "2", "21", "9"})) << "own system, as a tree";
    EXPECT_EQ(ABaum->model()->rowCount(), 3) << "three top groups";
    EXPECT_FALSE(Kind<QPushButton>(AForm, "BtnOk")->isEnabled()) << "nothing chosen yet";

    QTest::keyClicks(Kind<QLineEdit>(AForm, "edtBezeichnung"), "GRÖß");
    EXPECT_EQ(Sichtbar(ABaum), QStringList({"9"})) << "case-insensitive with umlauts";
    Kind<QLineEdit>(AForm, "edtBezeichnung")->setText("bluse");
    EXPECT_EQ(Sichtbar(ABaum), QStringList({"1", "12", "121"})) << "a match with the groups above it";
    EXPECT_EQ(ABaum->currentIndex().data().toString(), QString("121")) << "the first match is chosen";
    Kind<QLineEdit>(AForm, "edtBezeichnung")->clear();
    QTest::keyClicks(Kind<QLineEdit>(AForm, "edtNummer"), "2");
    EXPECT_EQ(Sichtbar(ABaum), QStringList({"2", "21"}));
    Kind<QLineEdit>(AForm, "edtNummer")->setText("7");
    EXPECT_EQ(Kind<QLabel>(AForm, "lblAnzahl")->text(), QString("Keine Warengruppe gefunden."));
    EXPECT_FALSE(Kind<QPushButton>(AForm, "BtnOk")->isEnabled());
    Kind<QLineEdit>(AForm, "edtNummer")->setText("2");
    Kind<QPushButton>(AForm, "BtnOk")->click();
  }));
  EXPECT_EQ(Suche.GetWGN(), "2");

  // The group of the entry is shown chosen; cancelling keeps the last choice.
  Suche.SetWGN("121");
  EXPECT_FALSE(Suchen(Suche, [](TKWDForm* AForm, QTreeView* ABaum) {
    EXPECT_EQ(ABaum->currentIndex().data().toString(), QString("121"));
    AForm->reject();
  }));
  EXPECT_EQ(Suche.GetWGN(), "121");

  Suche.WGSystem = "LIEFERANT";
  EXPECT_TRUE(Suchen(Suche, [](TKWDForm*, QTreeView* ABaum) {
    EXPECT_EQ(Sichtbar(ABaum), QStringList({"5"}));
    emit ABaum->doubleClicked(ABaum->model()->index(0, 0));
  }));
  EXPECT_EQ(Suche.GetWGN(), "5");
}

WWS_SUITE_BACKENDS(TWGNSuchDialogTest);

}  // namespace
