// The date entry: German dates in their short forms, empty and invalid told
// apart, the calendar and the day buttons; and the refusing validators.
#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "widgets/TKWDValidatoren.h"
#include "widgets/TQLX_DatumsEingabe.h"
#include "support/framework/KWDUhr.h"
#include "tests/widgets/WidgetTestHilfe.h"

namespace {

class TQLX_DatumsEingabeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KWDUhrSet([] { return EncodeDate(2026, 12, 15) + 0.4; });
    Feld = new TQLX_DatumsEingabe(&Form);
    Anderes = new QLineEdit(&Form);
    auto* L = new QVBoxLayout(&Form);
    L->addWidget(Feld);
    L->addWidget(Anderes);
    Form.show();
    QApplication::setActiveWindow(&Form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
  }
  void TearDown() override { KWDUhrSet({}); }

  QWidget Form;
  TQLX_DatumsEingabe* Feld;
  QLineEdit* Anderes;
};

TEST_F(TQLX_DatumsEingabeTest, ReadsGermanDatesAndTheirShortForms) {
  EXPECT_EQ(Feld->Zustand(), TQLX_DatumsZustand::Leer);
  EXPECT_EQ(Feld->Date_Get(), 0);
  struct TFall {
    const char* Text;
    TDate Datum;
  };
  for (const TFall& F : {TFall{"24.12.2026", EncodeDate(2026, 12, 24)}, TFall{"1.2.26", EncodeDate(2026, 2, 1)},
                         TFall{"010226", EncodeDate(2026, 2, 1)}, TFall{"29022028", EncodeDate(2028, 2, 29)},
                         TFall{"01.01.1900", EncodeDate(1900, 1, 1)}}) {
    Feld->Edit()->setText(F.Text);
    EXPECT_EQ(Feld->Zustand(), TQLX_DatumsZustand::Gueltig) << F.Text;
    EXPECT_EQ(Feld->Date_Get(), F.Datum) << F.Text;
  }
  for (const char* Text : {"12.03.", "12.3", "31.02.2026", "29.02.2026", "0.1.2026", "1.13.2026", "1.1.202", "1..2026"}) {
    Feld->Edit()->setText(Text);
    EXPECT_EQ(Feld->Zustand(), TQLX_DatumsZustand::Ungueltig) << Text;
    EXPECT_EQ(Feld->Date_Get(), 0) << Text;
  }

  // Left with a complete date, the field shows it in full.
  Feld->setFocus();
  Feld->Edit()->setText("1.2.26");
  Anderes->setFocus();
  EXPECT_EQ(Feld->Text(), QString("01.02.2026"));
  Feld->Date_Set(EncodeDate(2027, 3, 5) + 0.75);
  EXPECT_EQ(Feld->Text(), QString("05.03.2027"));
  EXPECT_EQ(Feld->Date_Get(), EncodeDate(2027, 3, 5)) << "whole days";
  Feld->Date_Set(0);
  EXPECT_EQ(Feld->Zustand(), TQLX_DatumsZustand::Leer);
}

TEST_F(TQLX_DatumsEingabeTest, OnlyDigitsAndPointsCanBeTyped) {
  Feld->setFocus();
  QTest::keyClicks(Feld->Edit(), "1a2-/.");
  EXPECT_EQ(Feld->Text(), QString("12."));
  QTRY_COMPARE(QToolTip::text(), QString("Bitte das Datum als TT.MM.JJJJ eingeben, z. B. 24.12.2026."));
  QTest::keyClicks(Feld->Edit(), "03.2026.");
  EXPECT_EQ(Feld->Text(), QString("12.03.2026")) << "no third point, nothing beyond ten characters";
}

TEST_F(TQLX_DatumsEingabeTest, CalendarAndDayButtonsSetTheDate) {
  QSignalSpy Geaendert(Feld, &TQLX_DatumsEingabe::DatumGeaendert);
  EXPECT_TRUE(Feld->BtnPrevNextVisible());
  auto* Weiter = Kind<QToolButton>(Feld, "btnNext");
  auto* Zurueck = Kind<QToolButton>(Feld, "btnPrev");
  Weiter->click();
  EXPECT_EQ(Feld->Date_Get(), EncodeDate(2026, 12, 16)) << "from today when empty";
  Zurueck->click();
  Zurueck->click();
  EXPECT_EQ(Feld->Date_Get(), EncodeDate(2026, 12, 14));
  Feld->SetBtnPrevNextVisible(false);
  EXPECT_FALSE(Weiter->isVisible());
  EXPECT_FALSE(Zurueck->isVisible());

  Feld->Edit()->setText("03.01.2027");
  Feld->setFocus();
  QTest::keyClick(Feld->Edit(), Qt::Key_Down, Qt::AltModifier);
  QCalendarWidget* Kalender = Feld->OffenerKalender();
  ASSERT_NE(Kalender, nullptr);
  EXPECT_EQ(Kalender->selectedDate(), QDate(2027, 1, 3)) << "opens on the entered date";
  EXPECT_EQ(Kalender->firstDayOfWeek(), Qt::Monday);
  Kalender->setSelectedDate(QDate(2027, 1, 20));
  emit Kalender->activated(QDate(2027, 1, 20));
  EXPECT_EQ(Feld->OffenerKalender(), nullptr) << "closes on a choice";
  EXPECT_EQ(Feld->Text(), QString("20.01.2027"));
  EXPECT_GE(Geaendert.count(), 4);

  Kind<QToolButton>(Feld, "btnKalender")->click();
  ASSERT_NE(Feld->OffenerKalender(), nullptr);
  QTest::keyClick(Feld->OffenerKalender(), Qt::Key_Escape);
  EXPECT_EQ(Feld->OffenerKalender(), nullptr);
  EXPECT_EQ(Feld->Text(), QString("20.01.2027")) << "Esc leaves the date as it was";
}

TEST(TKWDDezimalValidatorTest, TakesGermanDecimalsWithinTheirDigits) {
  TKWDDezimalValidator V(3, 2);
  auto Zustand = [&](QString AText) {
    int Pos = 0;
    return V.validate(AText, Pos);
  };
  for (const char* Text : {"0", "100", "999,99", "33,33", "12.5", ",5", "5,"})
    EXPECT_EQ(Zustand(Text), QValidator::Acceptable) << Text;
  for (const char* Text : {"", ","}) EXPECT_EQ(Zustand(Text), QValidator::Intermediate) << Text;
  for (const char* Text : {"1000", "33,333", "1,2,3", "-5", "5a", " 5", "1e3"})
    EXPECT_EQ(Zustand(Text), QValidator::Invalid) << Text;
  EXPECT_EQ(V.Wert("33,33"), 33.33);
  EXPECT_EQ(V.Wert(",5"), 0.5);
  EXPECT_EQ(V.Wert("12.5"), 12.5);
  EXPECT_FALSE(V.Wert(",").has_value());
  EXPECT_FALSE(V.Wert("1000").has_value());
  EXPECT_EQ(TKWDDezimalValidator::Text(100, 2), QString("100"));
  EXPECT_EQ(TKWDDezimalValidator::Text(33.33, 2), QString("33,33"));
  EXPECT_EQ(TKWDDezimalValidator::Text(12.5, 2), QString("12,5"));
  EXPECT_EQ(TKWDDezimalValidator::Text(0.004, 2), QString("0"));
}

}  // namespace
