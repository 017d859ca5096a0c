#include "support/framework/KWDGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

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

// A failure of the database passes the guards around one item to the
// outermost guard, once; a boundary (Qt's event delivery) or a quiet release
// step is outermost; any other failure stays with the guard that met it.
TEST_F(TGuardTest, AFailedDatabaseEndsTheWorkAtTheOutermostGuardOnly) {
  const EDbError Weg("server closed the connection", 0, "08006");
  const std::runtime_error Satz("Artikel kaputt");
  int Artikel = 0;
  auto Auswahl = [&](const std::exception& AFehler) {
    return KWDGuard("TAuswahl.Laden", [&] {
      for (int I = 0; I < 3; ++I, ++Artikel)
        KWDGuard("TArtikel.Lesen", [&]() -> int {
          if (&AFehler == &Weg) throw Weg;
          throw Satz;
        }, 0);
    });
  };
  EXPECT_FALSE(Auswahl(Weg));
  EXPECT_EQ(Artikel, 0);
  EXPECT_TRUE(Auswahl(Satz));
  EXPECT_EQ(Artikel, 3);
  {
    const TKWDGuardEbene Befehl;
    EXPECT_THROW(Auswahl(Weg), EDbError);
    const TKWDGuardGrenze Ereignis;
    EXPECT_FALSE(Auswahl(Weg));
  }
  EXPECT_FALSE(KWDGuard("TForm.Ende", [&] { KWDGuard("TDatei.Zu", [&] { throw Weg; }); }, false));
  std::vector<std::string> Namen;
  for (const auto& F : KWDInfo().Anstehend()) Namen.push_back(F.Name);
  EXPECT_EQ(Namen, std::vector<std::string>({"TAuswahl.Laden", "TArtikel.Lesen", "TArtikel.Lesen", "TArtikel.Lesen",
                                             "TAuswahl.Laden", "TForm.Ende"}));
  EXPECT_EQ(Presenter->Gezeigt().size(), 5u);
}
