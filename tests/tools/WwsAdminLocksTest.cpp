// locks hold in one process, seen by locks list in another, released at the
// end of its time or on SIGTERM.
#include <gtest/gtest.h>
#include <signal.h>

#include <nlohmann/json.hpp>

#include "tests/fixtures/TestDb.h"
#include "tests/tools/KindProzess.h"

namespace {

using namespace std::chrono_literals;

TKindErgebnis Admin(const std::vector<std::string>& AArgumente) { return KindAusfuehren(WWS_ADMIN_PFAD, AArgumente); }

class WwsAdminLocks : public ::testing::TestWithParam<TDbBackend> {
 protected:
  void SetUp() override {
    FFirma = std::make_unique<TTestDb>(GetParam());
    const auto erg = Admin({"demo", "--db", Ort(), "--force", "--articles", "50", "--stichtag", "2026-03-15"});
    ASSERT_EQ(erg.Exit, 0) << erg.Err;
    // An article number as the history holds it.
    auto db = FFirma->Open();
    auto s = db->Prepare("SELECT artnr FROM artnr_historie WHERE artnr <> '' ORDER BY prodid1, prodid2, prodid3");
    ASSERT_TRUE(s->Step());
    FArtNr = s->ColumnText(0);
  }
  std::string Ort() const { return FFirma->Ort(); }
  nlohmann::json Liste() {
    const auto erg = Admin({"locks", "list", "--json", "--db", Ort()});
    EXPECT_EQ(erg.Exit, 0) << erg.Err;
    return nlohmann::json::parse(erg.Aus);
  }

  std::unique_ptr<TTestDb> FFirma;
  std::string FArtNr;
};

TEST_P(WwsAdminLocks, HoldShowsInAnotherProcessAndEndsAfterItsSeconds) {
  TKindProzess halter(WWS_ADMIN_PFAD, {"locks", "hold", FArtNr, "--seconds", "3", "--program", "KASSE", "--db", Ort()});
  const auto bereit = halter.Zeile(60s);
  ASSERT_TRUE(bereit.has_value());
  EXPECT_EQ(bereit->rfind("GESPERRT " + FArtNr, 0), 0u) << *bereit;

  const auto liste = Liste();
  ASSERT_EQ(liste.size(), 1u) << liste.dump();
  EXPECT_EQ(liste[0]["programm"], "KASSE");
  EXPECT_EQ(liste[0]["prozessid"], halter.Pid());
  EXPECT_EQ(liste[0]["lebt"], true);

  // A second program cannot take the same article and is told who holds it.
  const auto zweiter = Admin({"locks", "hold", FArtNr, "--seconds", "1", "--db", Ort()});
  EXPECT_EQ(zweiter.Exit, 1);
  EXPECT_NE(zweiter.Err.find("KASSE"), std::string::npos) << zweiter.Err;

  const auto ende = halter.Warten(30s);
  ASSERT_TRUE(ende.has_value());
  EXPECT_EQ(ende->Exit, 0) << ende->Err;
  EXPECT_NE(ende->Aus.find("FREIGEGEBEN"), std::string::npos);
  EXPECT_TRUE(Liste().empty());
}

TEST_P(WwsAdminLocks, SigtermEndsTheHoldEarlyAndReleasesTheLock) {
  TKindProzess halter(WWS_ADMIN_PFAD, {"locks", "hold", FArtNr, "--seconds", "600", "--db", Ort()});
  ASSERT_TRUE(halter.Zeile(60s).has_value());
  ASSERT_EQ(Liste().size(), 1u);
  halter.Signal(SIGTERM);
  const auto ende = halter.Warten(20s);
  ASSERT_TRUE(ende.has_value()) << "hold did not end on SIGTERM";
  EXPECT_EQ(ende->Exit, 0) << ende->Err;
  EXPECT_TRUE(Liste().empty());
}

TEST_P(WwsAdminLocks, ReleaseDeadRemovesTheLockOfAKilledHolder) {
  TKindProzess halter(WWS_ADMIN_PFAD, {"locks", "hold", FArtNr, "--seconds", "600", "--db", Ort()});
  ASSERT_TRUE(halter.Zeile(60s).has_value());
  halter.Signal(SIGKILL);
  ASSERT_TRUE(halter.Warten(20s).has_value());
  // The row may still be there, but it names a holder that has ended.
  for (const auto& e : Liste()) EXPECT_EQ(e["lebt"], false);
  const auto frei = Admin({"locks", "release", "--dead", "--db", Ort()});
  EXPECT_EQ(frei.Exit, 0) << frei.Err;
  EXPECT_TRUE(Liste().empty());
  const auto unbekannt = Admin({"locks", "hold", "gibt-es-nicht", "--seconds", "1", "--db", Ort()});
  EXPECT_EQ(unbekannt.Exit, 1);
}

// An empty or malformed article number is refused input and locks nothing:
// an empty one would find the history's entries without a number.
TEST_P(WwsAdminLocks, EmptyOrMalformedArticleNumbersAreRefused) {
  for (const std::string& Falsch : {std::string(), std::string("   "), " " + FArtNr, FArtNr + " ", FArtNr + "\t",
                                    std::string("\x1b[2J"), std::string("1.2"), std::string("1.2.3.4"),
                                    std::string("1..3"), std::string(41, '7')}) {
    const auto erg = Admin({"locks", "hold", Falsch, "--seconds", "1", "--db", Ort()});
    EXPECT_EQ(erg.Exit, 2) << '"' << Falsch << "\": " << erg.Err;
    EXPECT_EQ(erg.Err.rfind("wws-admin: ", 0), 0u) << erg.Err;
    EXPECT_EQ(erg.Err.find("GESPERRT"), std::string::npos);
  }
  EXPECT_TRUE(Liste().empty());
  const auto gut = Admin({"locks", "hold", "1.2.3", "--seconds", "0", "--db", Ort()});
  EXPECT_EQ(gut.Exit, 0) << gut.Err << "a product id of three numbers is taken as it is";
}

INSTANTIATE_TEST_SUITE_P(Datenbanken, WwsAdminLocks, ::testing::ValuesIn(TTestDb::Available()), TTestDbName);

}  // namespace
