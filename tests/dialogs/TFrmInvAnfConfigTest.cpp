// The stock-take parameters dialog on a real parameter store: what a showing
// reads, what a save writes and in which cases, the confirmation dialog, the
// rights and the open stock-take, and bad maximum input.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolTip>

#include "dialogs/TFrmIAConfNachfrage.h"
#include "dialogs/TFrmInvAnfConfig.h"
#include "suite/ArtBestTypEigenschaften.h"
#include "widgets/TKWDTitelPanel.h"
#include "support/services/TParameter.h"
#include "support/services/UserRechte.h"
#include "tests/dialogs/DialogTestUmgebung.h"
#include "tests/widgets/WidgetTestHilfe.h"

namespace {

class TFrmInvAnfConfigTest : public TDialogTest {
 protected:
  TParameter& P() { return KWDParameter(); }
  static QTabWidget* Seiten(TFrmInvAnfConfig* AForm) { return Kind<QTabWidget>(AForm, "pgcEinstellungen"); }
  static QButtonGroup* Methoden(TFrmInvAnfConfig* AForm) { return Kind<QButtonGroup>(AForm, "rgBerechnungItems"); }
  static QLineEdit* Maximum(TFrmInvAnfConfig* AForm) { return Kind<QLineEdit>(AForm, "edtMaximaleAbwertung"); }

  // Shows AForm modally, runs AAktion with it, and returns exec's result;
  // AAktion leaves the form open or closes it.
  int Zeigen(TFrmInvAnfConfig& AForm, const std::function<void(TFrmInvAnfConfig*)>& AAktion) {
    bool Gelaufen = false;
    auto Uhr = BeimModalFenster<TFrmInvAnfConfig>([&](TFrmInvAnfConfig* F) {
      AAktion(F);
      Gelaufen = true;
      if (F->isVisible()) F->SetModalResult(KWD_MR_CANCEL);
    });
    const int Ergebnis = AForm.exec();
    EXPECT_TRUE(Gelaufen);
    return Ergebnis;
  }
  // Presses "Buchen" and tells whether the form closed with OK.
  static bool Buchen(TFrmInvAnfConfig* AForm) {
    QApplication::setActiveWindow(AForm);
    EXPECT_TRUE(QTest::qWaitForWindowActive(AForm));
    QSignalSpy Geklickt(Kind<QPushButton>(AForm, "BtnOk"), &QPushButton::clicked);
    QTest::keyClick(AForm, Qt::Key_F5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Geklickt.count() == 1; }, 3000)) << "F5 clicks Buchen";
    return !AForm->isVisible() && AForm->ModalResult() == KWD_MR_OK;
  }
  std::vector<std::string> BestandsParameter() {
    std::vector<std::string> Werte;
    for (const char* Name : {"INVAVIS", "INVAUSWA", "INVREKLA", "INVRETOU", "INVRESER", "INVBFWEC"})
      Werte.push_back(std::string(Name) + "=" + (P().GetBooleanValueByName(Name) ? "1" : "0"));
    return Werte;
  }
};

TEST_P(TFrmInvAnfConfigTest, ShowingReadsTheStoreAndTheFormKeepsItsPage) {
  P().SetBooleanValueByName("INVAUSWA", true);
  P().SetBooleanValueByName("INVRESER", true);
  P().SetCharValueByName("INVABWBE", 'S');
  P().SetIntegerValueByName("INVABWMA", 3333);
  TFrmInvAnfConfig Form;
  EXPECT_EQ(Form.windowTitle(), QString("Inventuren - Modehaus Test"));
  EXPECT_EQ(Form.FormKey(), "OstrelFrmInvAnfConfig");
  EXPECT_EQ(Kind<QLabel>(Form, "LblTitel")->text(), QString("Inventuren - Einstellungen ändern"));
  EXPECT_EQ(Seiten(&Form)->tabText(0), QString("Bestände"));
  EXPECT_EQ(Seiten(&Form)->tabText(1), QString("Abschläge"));
  EXPECT_EQ(Kind<QPushButton>(Form, "BtnEnde")->text(), QString("Abbrechen - Esc"));
  EXPECT_EQ(Kind<QPushButton>(Form, "BtnOk")->text(), QString("Buchen"));
  EXPECT_EQ(Kind<QPushButton>(Form, "BtnOk")->shortcut(), QKeySequence(Qt::Key_F5));
  EXPECT_EQ(Kind<QGroupBox>(Form, "rgBerechnung")->title(), QString("Berechnung"));

  Zeigen(Form, [](TFrmInvAnfConfig* F) {
    EXPECT_EQ(Seiten(F)->currentWidget(), Kind(F, "tsBestand")) << "the first showing opens on the stock kinds";
    EXPECT_FALSE(Kind<QCheckBox>(F, "chbAvis")->isChecked());
    EXPECT_TRUE(Kind<QCheckBox>(F, "chbAuswahl")->isChecked());
    EXPECT_FALSE(Kind<QCheckBox>(F, "chbReklama")->isChecked());
    EXPECT_FALSE(Kind<QCheckBox>(F, "chbRetoure")->isChecked());
    EXPECT_TRUE(Kind<QCheckBox>(F, "chbReserv")->isChecked());
    EXPECT_FALSE(Kind<QCheckBox>(F, "chbAusserHaus2Zaehlbestand_Zaehlen")->isChecked());
    EXPECT_EQ(Kind<QCheckBox>(F, "chbAuswahl")->text(), QString("Mitnahmebestand"));
    EXPECT_EQ(Kind<QCheckBox>(F, "chbAusserHaus2Zaehlbestand_Zaehlen")->text().simplified(),
              QString("Soll als gezählt angesehener Bestand beim Wechsel in zu zählenden Bestand, direkt als gezählt "
                      "angesehen werden?"));
    const auto Knoepfe = Methoden(F)->buttons();
    ASSERT_EQ(Knoepfe.size(), 3);
    EXPECT_EQ(F->GewaehlteMethode(), 2);
    EXPECT_EQ(Kind<QLabel>(F, "lblRechnung")->text(), QString("Die Abschläge werden summiert, somit erhält man:"));
    EXPECT_EQ(Kind<QLabel>(F, "lblFormel")->text(), QString("10% + 20% + 30% = 60%"));
    EXPECT_EQ(Maximum(F)->text(), QString("33,33"));
    Methoden(F)->button(3)->click();
    EXPECT_EQ(Kind<QLabel>(F, "lblFormel")->text(), QString("100% - (100%-30%)*(100%-20%)*(100%-10%) = 49,6%"));
    Kind<QCheckBox>(F, "chbAvis")->setChecked(true);  // not saved: the next showing reads the store again
    Seiten(F)->setCurrentWidget(Kind(F, "tsAbschlaege"));
  });
  Zeigen(Form, [](TFrmInvAnfConfig* F) {
    EXPECT_EQ(Seiten(F)->currentWidget(), Kind(F, "tsAbschlaege")) << "the page of the last showing";
    EXPECT_FALSE(Kind<QCheckBox>(F, "chbAvis")->isChecked());
    EXPECT_EQ(F->GewaehlteMethode(), 2);
    EXPECT_EQ(Methoden(F)->buttons().size(), 3) << "filled anew, not added to";
  });
}

TEST_P(TFrmInvAnfConfigTest, StoredCharacterOfNoMethodSelectsTheFirst) {
  P().SetCharValueByName("INVABWBE", 'X');
  TFrmInvAnfConfig Form;
  Zeigen(Form, [](TFrmInvAnfConfig* F) {
    EXPECT_EQ(F->GewaehlteMethode(), 1);
    EXPECT_TRUE(Methoden(F)->button(1)->isChecked());
    EXPECT_EQ(Kind<QLabel>(F, "lblRechnung")->text(), QString("Der höchste Abschlag gilt, das ergibt:"));
    EXPECT_EQ(Kind<QLabel>(F, "lblFormel")->text(), QString("max{10%, 20%, 30%} = 30%"));
    EXPECT_TRUE(Buchen(F));
  });
  EXPECT_EQ(P().GetCharValueByName("INVABWBE"), 'H') << "saved as the first method's character";
}

TEST_P(TFrmInvAnfConfigTest, MaximumIsCutToHundredAndStoredInHundredths) {
  TFrmInvAnfConfig Form;
  struct TFall {
    const char* Eingabe;
    int Gespeichert;
    const char* Gezeigt;
  };
  for (const TFall& Fall : {TFall{"150", 10000, "100"}, TFall{"33,33", 3333, "33,33"}, TFall{"0,07", 7, "0,07"},
                            TFall{"12.5", 1250, "12,5"}, TFall{"999,99", 10000, "100"}}) {
    EXPECT_EQ(Zeigen(Form,
                     [&](TFrmInvAnfConfig* F) {
                       Maximum(F)->setText(Fall.Eingabe);
                       EXPECT_TRUE(Buchen(F)) << Fall.Eingabe;
                     }),
              KWD_MR_OK);
    EXPECT_EQ(P().GetIntegerValueByName("INVABWMA"), Fall.Gespeichert) << Fall.Eingabe;
    Zeigen(Form, [&](TFrmInvAnfConfig* F) { EXPECT_EQ(Maximum(F)->text(), QString(Fall.Gezeigt)); });
  }
}

TEST_P(TFrmInvAnfConfigTest, OpenStockTakeSavesTheMarkdownsOnlyAndKeepsTheDialog) {
  TFrmInvAnfConfig Form;
  Form.SetInventurOffen(true);
  const auto Vorher = BestandsParameter();
  Zeigen(Form, [&](TFrmInvAnfConfig* F) {
    Kind<QCheckBox>(F, "chbAvis")->setChecked(true);
    Kind<QCheckBox>(F, "chbAusserHaus2Zaehlbestand_Zaehlen")->setChecked(true);
    Methoden(F)->button(3)->click();
    Maximum(F)->setText("40");
    EXPECT_FALSE(Buchen(F));
    EXPECT_TRUE(F->isVisible()) << "the dialog stays open";
  });
  ASSERT_EQ(FAntworten->Gezeigt().size(), 1u) << "no confirmation dialog either";
  const TKWDMeldung M = FAntworten->Gezeigt()[0];
  EXPECT_EQ(M.Gruppe, "STANDARD");
  EXPECT_EQ(M.Nr, 997);
  EXPECT_EQ(M.Art, KWD_MB_HINWEIS);
  EXPECT_EQ(M.Owner, nullptr);
  EXPECT_EQ(M.Argumente, std::vector<std::string>{
                             "In Ihrem Unternehmen ist gerade eine Inventur offen.\r\nSie können die Einstellungen der "
                             "Bestände nur ändern, wenn keine Inventuren offen sind.\r\nÄnderungen an den Abschlägen "
                             "wurden übernommen."});
  EXPECT_EQ(P().GetCharValueByName("INVABWBE"), 'M');
  EXPECT_EQ(P().GetIntegerValueByName("INVABWMA"), 4000);
  EXPECT_EQ(BestandsParameter(), Vorher);
}

TEST_P(TFrmInvAnfConfigTest, ConfirmationOnlyWhenTheChangeFlagIsSwitchedOn) {
  TFrmInvAnfConfig Form;
  int Nachfragen = 0;
  auto Beantworten = [&] {
    return BeimModalFenster<TFrmIAConfNachfrage>([&](TFrmIAConfNachfrage* N) {
      ++Nachfragen;
      EXPECT_EQ(N->windowTitle(), QString("Inventuren - Modehaus Test"));
      EXPECT_EQ(N->FormKey(), "OstrelFrmIAConfNachfrage");
      EXPECT_EQ(Kind<QLabel>(N, "LblTitel")->text(), QString("Was ist zu zählen?"));
      EXPECT_EQ(Kind<QLabel>(N, "lblBeachten")->text(), QString("Bitte beachten Sie:"));
      EXPECT_EQ(Kind<QLabel>(N, "lblMitteilen")->text(), QString("Bitte teilen Sie dies Ihren Inventurteams mit."));
      EXPECT_EQ(KWDParameter().GetBooleanValueByName("INVBFWEC"), false) << "written after the notice";
      Aktivieren(N);
      QTest::keyClick(N, Qt::Key_Return);
      Schliessen(N);
    });
  };

  // Stored false, now ticked: the notice, then the save.
  {
    auto Uhr = Beantworten();
    Zeigen(Form, [](TFrmInvAnfConfig* F) {
      Kind<QCheckBox>(F, "chbAusserHaus2Zaehlbestand_Zaehlen")->setChecked(true);
      EXPECT_TRUE(Buchen(F));
    });
  }
  EXPECT_EQ(Nachfragen, 1);
  EXPECT_TRUE(P().GetBooleanValueByName("INVBFWEC"));

  // Stored true and still ticked: saved without a notice.
  {
    auto Uhr = Beantworten();
    Zeigen(Form, [](TFrmInvAnfConfig* F) {
      Kind<QCheckBox>(F, "chbReklama")->setChecked(true);
      EXPECT_TRUE(Buchen(F));
    });
  }
  EXPECT_EQ(Nachfragen, 1);
  EXPECT_TRUE(P().GetBooleanValueByName("INVREKLA"));

  // Stored true, now unticked: no notice, saved as false.
  {
    auto Uhr = Beantworten();
    Zeigen(Form, [](TFrmInvAnfConfig* F) {
      Kind<QCheckBox>(F, "chbAusserHaus2Zaehlbestand_Zaehlen")->setChecked(false);
      EXPECT_TRUE(Buchen(F));
    });
  }
  EXPECT_EQ(Nachfragen, 1);
  EXPECT_FALSE(P().GetBooleanValueByName("INVBFWEC"));
}

TEST_P(TFrmInvAnfConfigTest, WithoutTheRightsNothingIsSaved) {
  TUmgebungsWert Benutzer("WWS_USER", "aushilfe");
  RechtSetzen("aushilfe", wpfInventur, false);
  TFrmInvAnfConfig Form;
  const auto Vorher = BestandsParameter();
  Zeigen(Form, [](TFrmInvAnfConfig* F) {
    Kind<QCheckBox>(F, "chbAvis")->setChecked(true);
    Methoden(F)->button(2)->click();
    Maximum(F)->setText("50");
    EXPECT_FALSE(Buchen(F));
    EXPECT_TRUE(F->isVisible());
  });
  ASSERT_EQ(FAntworten->Gezeigt().size(), 1u);
  EXPECT_NE(FAntworten->Gezeigt()[0].Text.find("aushilfe"), std::string::npos) << FAntworten->Gezeigt()[0].Text;
  EXPECT_EQ(BestandsParameter(), Vorher);
  EXPECT_FALSE(P().Gespeichert("INVABWBE").has_value());
  EXPECT_FALSE(P().Gespeichert("INVABWMA").has_value());
}

TEST_P(TFrmInvAnfConfigTest, SavedStockKindIsWhatTheNextCompletionCountsAsCounted) {
  // Read once as the engine does when it books: approval stock is to be counted.
  ASSERT_FALSE(Get_ArtBestTyp_Eigenschaften()[3].IstWert);
  TFrmInvAnfConfig Form;
  Zeigen(Form, [](TFrmInvAnfConfig* F) {
    Kind<QCheckBox>(F, "chbAuswahl")->setChecked(true);
    EXPECT_TRUE(Buchen(F));
  });
  EXPECT_TRUE(P().GetBooleanValueByName("INVAUSWA"));
  EXPECT_TRUE(Get_ArtBestTyp_Eigenschaften()[3].IstWert) << "the cached stock-type properties were refreshed";
  EXPECT_FALSE(Get_ArtBestTyp_Eigenschaften()[2].IstWert);
}

TEST_P(TFrmInvAnfConfigTest, BadMaximumIsRefusedWithAReasonAndNothingIsWritten) {
  TFrmInvAnfConfig Form;
  Zeigen(Form, [&](TFrmInvAnfConfig* F) {
    Seiten(F)->setCurrentWidget(Kind(F, "tsAbschlaege"));
    QApplication::setActiveWindow(F);
    Maximum(F)->setFocus();
    Maximum(F)->selectAll();
    QTest::keyClicks(Maximum(F), "3x");
    EXPECT_EQ(Maximum(F)->text(), QString("3"));
    QTRY_COMPARE(QToolTip::text(), QString("Hier sind nur Ziffern und ein Komma möglich, z. B. 33,33."));
    QTest::keyClicks(Maximum(F), "3,333");
    EXPECT_EQ(Maximum(F)->text(), QString("33,33"));
    QTRY_COMPARE(QToolTip::text(), QString("Höchstens 2 Stellen nach dem Komma."));
    QTest::keyClicks(Maximum(F), "1");
    EXPECT_EQ(Maximum(F)->text(), QString("33,33"));

    Maximum(F)->setText(",");
    Kind<QCheckBox>(F, "chbAvis")->setChecked(true);
    Seiten(F)->setCurrentWidget(Kind(F, "tsBestand"));
    EXPECT_FALSE(Buchen(F));
    EXPECT_EQ(Seiten(F)->currentWidget(), Kind(F, "tsAbschlaege")) << "shows where the fault is";
    EXPECT_EQ(Maximum(F)->text(), QString(","));
  });
  ASSERT_EQ(FAntworten->Gezeigt().size(), 1u);
  EXPECT_NE(FAntworten->Gezeigt()[0].Text.find("„,“ ist keine gültige Zahl"), std::string::npos);
  EXPECT_FALSE(P().Gespeichert("INVABWMA").has_value());
  EXPECT_FALSE(P().Gespeichert("INVAVIS").has_value());
}

WWS_SUITE_BACKENDS(TFrmInvAnfConfigTest);

}  // namespace
