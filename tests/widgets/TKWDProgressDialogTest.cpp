// The progress window as the engine and the count-list printing drive it.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <thread>

#include "widgets/KWDWidgets.h"
#include "widgets/TKWDProgressDialog.h"
#include "support/framework/KWDPause.h"
#include "support/framework/TKWDInfo.h"
#include "tests/widgets/WidgetTestHilfe.h"

TEST(TKWDProgressDialogTest, TheFactoryMakesTheWindowAndItShowsWhatItIsGiven) {
  auto P = TQLX_PEP_Progress_SetPos::Create(nullptr);
  auto* Dialog = dynamic_cast<TKWDProgressDialog*>(P.get());
  ASSERT_NE(Dialog, nullptr) << "KWDWidgetsInstallieren put the Qt window behind Create";

  P->SetCaption("Daten werden aufbereitet ...");
  P->AddCounter("ArtikelNr", "Artikelnummer: ");
  P->ProgressShow(false);
  EXPECT_TRUE(Dialog->isVisible());
  EXPECT_FALSE(Dialog->isModal());
  EXPECT_EQ(Kind<QLabel>(Dialog, "lblCaption")->text(), QString("Daten werden aufbereitet ..."));
  EXPECT_EQ(Kind<QLabel>(Dialog, "lblZaehlerCaption_ArtikelNr")->text(), QString("Artikelnummer:"));

  P->SetCaption("Bestimme Artikelliste");
  P->SetDetail("Bestände");
  P->SetStyle(TProgressBarStyle::pbstMarquee);
  P->SetCounter("ArtikelNr", "4711-0815");
  Dialog->Zeichnen();
  EXPECT_EQ(Kind<QLabel>(Dialog, "lblCaption")->text(), QString("Bestimme Artikelliste"));
  EXPECT_EQ(Kind<QLabel>(Dialog, "lblDetail")->text(), QString("Bestände"));
  EXPECT_EQ(Kind<QLabel>(Dialog, "lblZaehler_ArtikelNr")->text(), QString("4711-0815"));
  EXPECT_EQ(P->Counter("ArtikelNr"), "4711-0815");
  auto* Balken = Kind<QProgressBar>(Dialog, "pbFortschritt");
  EXPECT_EQ(Balken->maximum(), 0) << "marquee: Qt's busy bar";
  const int Vorher = P->Pos();
  P->StepIt();
  EXPECT_EQ(P->Pos(), Vorher + 1) << "StepIt moves the marquee on";

  P->SetStyle(TProgressBarStyle::pbstNormal);
  P->SetMax(10);
  P->SetPos(4);
  Dialog->Zeichnen();
  EXPECT_EQ(Balken->maximum(), 10);
  EXPECT_EQ(Balken->value(), 4);

  Dialog->close();
  EXPECT_TRUE(Dialog->isVisible()) << "the user cannot close it while the work runs";
  P->ProgressHide();
  EXPECT_FALSE(Dialog->isVisible());
  EXPECT_FALSE(P->Sichtbar());

  P->ProgressShow(true);
  EXPECT_EQ(Dialog->windowModality(), Qt::ApplicationModal);
  P->ProgressHide();
}

TEST(TKWDProgressDialogTest, ManyCallsRepaintRarelyAndTheLastValueStillShows) {
  TKWDProgressDialog P;
  P.SetMax(200000);
  P.ProgressShow(false);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&P));
  auto* Balken = Kind<QProgressBar>(P, "pbFortschritt");
  TMalZaehler Maler;
  Balken->installEventFilter(&Maler);

  QElapsedTimer Uhr;
  Uhr.start();
  for (int I = 1; I <= 200000; ++I) {
    P.SetPos(I);
    if (I % 1000 == 0) KWDInfoProcessMessages(300);
  }
  const qint64 Dauer = Uhr.elapsed();
  EXPECT_LE(Maler.Anzahl, Dauer / TKWDProgressDialog::KAbstandMs + 3) << Dauer << " ms";
  EXPECT_EQ(P.Pos(), 200000);
  QTRY_COMPARE(Balken->value(), 200000);  // shown by the follow-up timer
  P.ProgressHide();
}

TEST(TKWDProgressDialogTest, ProcessMessagesRunsPendingEventsWithoutWaiting) {
  bool Gelaufen = false;
  QTimer::singleShot(0, [&] { Gelaufen = true; });
  KWDInfoProcessMessages(0);
  EXPECT_TRUE(Gelaufen);

  // Nothing pending: the call comes back long before its time is up.
  QElapsedTimer Uhr;
  Uhr.start();
  KWDInfoProcessMessages(0);
  KWDQtProcessMessages(333);
  EXPECT_LT(Uhr.elapsed(), 300);
}

TEST(TKWDProgressDialogTest, ThePauseBetweenLockPassesKeepsTheEventsRunningAndLastsItsTime) {
  // The engine's pause goes through the seam the widgets install.
  int Takte = 0;
  QTimer Takt;
  QObject::connect(&Takt, &QTimer::timeout, [&] { ++Takte; });
  Takt.start(10);
  QElapsedTimer Uhr;
  Uhr.start();
  KWDPause(200);
  const qint64 Dauer = Uhr.elapsed();
  EXPECT_GE(Dauer, 195);
  EXPECT_LT(Dauer, 1000);
  EXPECT_GE(Takte, 5) << "the window's timer fired during the pause";

  // Off the window thread it only sleeps.
  std::thread Anderer([] {
    QElapsedTimer U;
    U.start();
    KWDQtPause(50);
    EXPECT_GE(U.elapsed(), 45);
  });
  Anderer.join();
}
