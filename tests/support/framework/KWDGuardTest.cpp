#include "support/framework/KWDGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/db/EDbError.h"
#include "support/framework/TKWDInfo.h"
#include "support/framework/TKWDSkriptPresenter.h"
#include "tests/support/framework/TestUmgebung.h"

namespace {
struct TGuardTest : ::testing::Test {
  TTestLog Log;
  TKWDSkriptPresenterScope Presenter;
  void SetUp() override { KWDInfo().FehlerTerminate("alle"); }
  void TearDown() override { KWDInfo().FehlerTerminate("alle"); }
};

bool Buchen(bool AWerfen) {
  return KWDGuard("TKasse.Buchen", [&] {
    if (AWerfen) throw std::runtime_error("Platte voll");
    return true;
  }, false);
}
}  // namespace

TEST_F(TGuardTest, StdExceptionIsRegisteredUnderTheNameAndGivesTheFailureValue) {
  EXPECT_TRUE(Buchen(false));
  EXPECT_TRUE(KWDInfo().Anstehend().empty());

  EXPECT_FALSE(Buchen(true));
  const auto Fehler = KWDInfo().Anstehend();
  ASSERT_EQ(Fehler.size(), 1u);
  EXPECT_EQ(Fehler[0].Name, "TKasse.Buchen");
  EXPECT_EQ(Fehler[0].Text, "Platte voll");
  EXPECT_TRUE(Fehler[0].Gemeldet);
  // Reported to the user, and one log line naming method and message.
  ASSERT_EQ(Presenter->Gezeigt().size(), 1u);
  EXPECT_NE(Presenter->Gezeigt()[0].Text.find("Platte voll"), std::string::npos);
  const std::string Inhalt = Log.Inhalt();
  EXPECT_NE(Inhalt.find("\tTKasse.Buchen\tPlatte voll\n"), std::string::npos) << Inhalt;
}

TEST_F(TGuardTest, ValueBodyKeepsItsResultAndVoidBodyReportsSuccess) {
  EXPECT_EQ(KWDGuard("T.Zahl", [] { return 42; }, -1), 42);
  EXPECT_EQ(KWDGuard("T.Zahl", []() -> int { throw std::logic_error("x"); }, -1), -1);
  int Gefuellt = 0;
  // A function that fills a result keeps what it built before the failure.
  EXPECT_FALSE(KWDGuard("T.Fuellen", [&] {
    Gefuellt = 2;
    throw std::out_of_range("Index");
  }));
  EXPECT_EQ(Gefuellt, 2);
  EXPECT_TRUE(KWDGuard("T.Leer", [] {}));
}

TEST_F(TGuardTest, NonStdExceptionPassesThroughUnregistered) {
  EXPECT_THROW(KWDGuard("T.Int", []() -> bool { throw 17; }, false), int);
  EXPECT_THROW(KWDGuard("T.Int", [] { throw 17; }), int);
  EXPECT_TRUE(KWDInfo().Anstehend().empty());
}

TEST_F(TGuardTest, QuietGuardRegistersWithoutShowing) {
  EXPECT_FALSE(KWDGuardStill("TForm.FormDestroy", [] { throw std::runtime_error("Freigabe"); }));
  ASSERT_EQ(KWDInfo().Anstehend().size(), 1u);
  EXPECT_FALSE(KWDInfo().Anstehend()[0].Gemeldet);
  EXPECT_TRUE(Presenter->Gezeigt().empty());
}

TEST_F(TGuardTest, DestroyRunsEveryStepAfterAFailureAndEndsWithTerminate) {
  int Gelaufen = 0;
  KWDZerstoeren("TForm.FormDestroy", {
                                         [&] { ++Gelaufen; throw std::runtime_error("erster"); },
                                         [&] { ++Gelaufen; throw 5; },
                                         [&] { ++Gelaufen; },
                                     });
  EXPECT_EQ(Gelaufen, 3);
  EXPECT_TRUE(Presenter->Gezeigt().empty());
  // Terminated: nothing of the form's errors surfaces at a later checkpoint.
  EXPECT_NO_THROW(KWDInfo().FehlerRaise("invanf", 0));
  EXPECT_NE(Log.Inhalt().find("erster"), std::string::npos);
}

// A failure of the database passes a guard inside another one (the command
// ends at its outermost guard); where no exception may pass - Qt's event
// delivery, a quiet release step - the guard there registers it.
TEST_F(TGuardTest, AFailedDatabasePassesInnerGuardsButNoBoundary) {
  const EDbError Weg("server closed the connection", 0, "08006");
  const TKWDGuardEbene Befehl;
  EXPECT_THROW(KWDGuard("TArtikel.Lesen", [&] { throw Weg; }), EDbError);
  EXPECT_FALSE(KWDGuardStill("TForm.Ende", [&] { KWDGuard("TDatei.Zu", [&] { throw Weg; }); }));
  const TKWDGuardGrenze Ereignis;
  EXPECT_FALSE(KWDGuard("TForm.Klick", [&] { KWDGuard("TArtikel.Lesen", [&] { throw Weg; }); }));
  const auto Fehler = KWDInfo().Anstehend();
  ASSERT_EQ(Fehler.size(), 2u);
  EXPECT_EQ(Fehler[0].Name + " " + Fehler[1].Name, "TForm.Ende TForm.Klick");
}
