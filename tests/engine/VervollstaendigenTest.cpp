// Completing requests: what is booked and valued, the locking passes against
// real second programs, two programs at once, and runs killed midway.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <random>

#include "suite/ArtBestTypEigenschaften.h"
#include "support/framework/KWDPause.h"
#include "support/framework/TQLX_PEP_Progress_SetPos.h"
#include "support/services/TCommonLock.h"
#include "support/services/TParameter.h"
#include "tests/engine/BuchungsTestFirma.h"

namespace {

class TVervollstaendigenTest : public TBuchungsTest {
 protected:
  bool Vervollstaendigen(std::vector<TQLX_clMeldung>& AMeldungen) {
    TQLX_InvAnfMani Mani;
    return Mani.InventurAnforderungVervollstaendigen(Anforderungen(), AMeldungen);
  }
  int Kind(int APauseMs = 20) {
    return TKindprozess::Starten({ENGINE_VERVOLLSTAENDIGEN_KIND, std::to_string(APauseMs)}).Ende();
  }
};

// Keeps the positions the booking phase shows.
class TMerkProgress : public TKWDTerminalProgress {
 public:
  explicit TMerkProgress(std::vector<std::pair<int, int>>& APos) : TKWDTerminalProgress(false), FPos(APos) {}
  void SetPos(int APos) override {
    TKWDTerminalProgress::SetPos(APos);
    if (Caption() == "Sollbestand einbuchen") FPos.emplace_back(APos, Max());
  }

 private:
  std::vector<std::pair<int, int>>& FPos;
};

TEST_P(TVervollstaendigenTest, BooksEveryStockTypeValuedAndOpensTheRequests) {
  KWDParameter().SetBooleanValueByName("INVAUSWA", true);  // stock type 3 counts as counted
  ArtBestTypEigenschaften_Update();
  Aufbauen(6);
  Bestand(P(2), 1, 17);                      // never counted
  Bestand(P(4), 1, 5, 9, 1, 0);              // A > B, C = 0: does not count
  Firma().Artikel(P(7), "10");               // present only through a branch sale
  Verkauf(P(7), 1);
  Firma().Preis('E', P(7), 0, 0, D(2020, 1, 1), 5.0);

  std::vector<TQLX_clMeldung> Meldungen{TQLX_clMeldung{}};
  EXPECT_TRUE(Vervollstaendigen(Meldungen));
  EXPECT_TRUE(Meldungen.empty());
  EXPECT_EQ(FPausen, 0);
  const TStand S = Stand();
  EXPECT_EQ(S.Saetze.size(), 6u + 2u + 1u);  // one per article and type 1, type 3 for 3 and 6, P(7)'s zero record
  EXPECT_EQ(S.Saetze.at({7, 1, '1'}), 0);
  EXPECT_EQ(S.Saetze.at({3, 1, '3'}), 3);
  // "10": 1, 3 (two types), 5, 7 (zero); "20": 2, 4, 6 (two types)
  const double Soll10 = 3 * (2.01 + 2 * 2.03 + 2.05), Soll20 = 3 * (2.02 + 2.04 + 2 * 2.06);
  EXPECT_EQ(S.Anforderungen.at("10@1"), std::make_tuple(std::round(Soll10 * 100) / 100, 6.09, 'E'));
  EXPECT_EQ(S.Anforderungen.at("20@1"), std::make_tuple(std::round(Soll20 * 100) / 100, 6.18, 'E'));
  SummenPassenZuSaetzen();

  // A second completion finds nothing requested and writes nothing.
  Meldungen = {TQLX_clMeldung{}};
  EXPECT_TRUE(Vervollstaendigen(Meldungen));
  EXPECT_EQ(Meldungen.size(), 1u);  // not assigned
  EXPECT_EQ(Stand(), S);
  KWDParameter().Entfernen("INVAUSWA");
  ArtBestTypEigenschaften_Update();
}

TEST_P(TVervollstaendigenTest, FortyFiveArticlesGoInBatchesOfTwentyTwentyFive) {
  Aufbauen(45);
  std::vector<std::pair<int, int>> Positionen;
  auto Alt = KWDProgressFabrikSet([&](void*) { return std::make_unique<TMerkProgress>(Positionen); });
  std::vector<TQLX_clMeldung> Meldungen;
  EXPECT_TRUE(Vervollstaendigen(Meldungen));
  KWDProgressFabrikSet(Alt);
  EXPECT_EQ(Positionen, (std::vector<std::pair<int, int>>{{20, 45}, {40, 45}, {45, 45}}));
  EXPECT_EQ(FPausen, 0);
  EXPECT_EQ(std::get<2>(Stand().Anforderungen.at("10@1")), 'E');
  EXPECT_EQ(std::get<2>(Stand().Anforderungen.at("20@1")), 'E');
  EXPECT_EQ(Stand().Saetze.size(), 45u + 15u);
  SummenPassenZuSaetzen();
}

TEST_P(TVervollstaendigenTest, ArticleHeldThroughoutGivesOneMessageAndKeepsItsRequestRequested) {
  Aufbauen(6);
  TKindprozess Halter = Halten(P(3), 60);
  const pid_t HalterPid = Halter.Pid;
  std::vector<TQLX_clMeldung> Meldungen;
  EXPECT_FALSE(Vervollstaendigen(Meldungen));
  Halter.Signal(SIGTERM);
  Halter.Ende();

  EXPECT_EQ(FPausen, 5);
  ASSERT_EQ(Meldungen.size(), 1u);
  EXPECT_EQ(Meldungen[0].Artikel, "A1003");
  EXPECT_EQ(Meldungen[0].Programm, "Kasse");
  EXPECT_EQ(Meldungen[0].ProzessId, HalterPid);
  EXPECT_GT(Meldungen[0].GesperrtSeit, 0.0);
  const TStand S = Stand();
  EXPECT_EQ(std::get<2>(S.Anforderungen.at("10@1")), 'A');
  EXPECT_EQ(std::get<2>(S.Anforderungen.at("20@1")), 'E');
  EXPECT_EQ(S.Saetze.count({3, 1, '1'}), 0u);
  EXPECT_EQ(S.Saetze.count({1, 1, '1'}), 1u);
  SummenPassenZuSaetzen();
  EXPECT_EQ(LebendeSperren(), 0);

  // Released: the next completion books it and opens the request.
  EXPECT_TRUE(Vervollstaendigen(Meldungen));
  EXPECT_EQ(std::get<2>(Stand().Anforderungen.at("10@1")), 'E');
  SummenPassenZuSaetzen();
}

TEST_P(TVervollstaendigenTest, HoldReleasedAfterThePassIsBookedInTheNextWithoutMessage) {
  Aufbauen(6);
  TKindprozess Halter = Halten(P(4), 60);
  KWDPauseSet([&](int) {
    ++FPausen;
    Halter.Signal(SIGTERM);  // the holder lets go during the pause
    Halter.Ende();
  });
  std::vector<TQLX_clMeldung> Meldungen;
  EXPECT_TRUE(Vervollstaendigen(Meldungen));
  EXPECT_EQ(FPausen, 1);
  EXPECT_TRUE(Meldungen.empty());
  EXPECT_EQ(Stand().Saetze.count({4, 1, '1'}), 1u);
  EXPECT_EQ(std::get<2>(Stand().Anforderungen.at("20@1")), 'E');
}

TEST_P(TVervollstaendigenTest, FailingBatchLeavesNothingReleasesItsLocksAndKeepsRequestsRequested) {
  Aufbauen(30);
  // The second stock type of article 6 cannot be written: its first record
  // and the rest of its batch must go with it.
  if (GetParam() == TDbBackend::SQLite) {
    FDirekt->ExecScript(
        "CREATE TRIGGER kaputt BEFORE INSERT ON inventur WHEN NEW.prodid1 = 6 AND NEW.bestandstyp = '3' "
        "BEGIN SELECT RAISE(ABORT, 'Platte voll'); END");
  } else {
    FDirekt->ExecScript(
        "CREATE FUNCTION kaputt() RETURNS trigger AS $$ BEGIN "
        "IF NEW.prodid1 = 6 AND NEW.bestandstyp = '3' THEN RAISE EXCEPTION 'Platte voll'; END IF; "
        "RETURN NEW; END $$ LANGUAGE plpgsql; "
        "CREATE TRIGGER kaputt BEFORE INSERT ON inventur FOR EACH ROW EXECUTE FUNCTION kaputt()");
  }
  std::vector<TQLX_clMeldung> Meldungen;
  EXPECT_FALSE(Vervollstaendigen(Meldungen));
  FehlerAbholen();  // shown once more when the engine ended; the log keeps them
  std::ifstream Log(FLog);
  const std::string Protokoll((std::istreambuf_iterator<char>(Log)), std::istreambuf_iterator<char>());
  // SQLite refuses the record at once; PostgreSQL sends the batch's writes
  // together and reports the refusal when the batch is flushed.
  if (GetParam() == TDbBackend::SQLite) {
    EXPECT_NE(Protokoll.find("TQLX_InvAnfMani.IVSchreiben"), std::string::npos);
  }
  EXPECT_NE(Protokoll.find("TQLX_InvAnfMani.SollBestandBuchen"), std::string::npos);
  EXPECT_NE(Protokoll.find("Platte voll"), std::string::npos);
  // Batch one (articles 30..11) is in; the batch holding article 6 is not.
  const TStand S = Stand();
  EXPECT_EQ(S.Saetze.count({11, 1, '1'}), 1u);
  for (int I = 1; I <= 10; ++I) EXPECT_EQ(S.Saetze.count({I, 1, '1'}), 0u) << I;
  EXPECT_EQ(std::get<2>(S.Anforderungen.at("10@1")), 'A');
  EXPECT_EQ(std::get<2>(S.Anforderungen.at("20@1")), 'A');
  SummenPassenZuSaetzen();
  EXPECT_EQ(LebendeSperren(), 0);
  for (int I = 1; I <= 30; ++I) EXPECT_FALSE(CommonLock().Haelt(P(I))) << I;

  // Mended, the next run books the rest and opens both.
  FDirekt->ExecScript("DROP TRIGGER kaputt" + std::string(GetParam() == TDbBackend::SQLite ? "" : " ON inventur"));
  EXPECT_TRUE(Vervollstaendigen(Meldungen));
  EXPECT_EQ(Stand().Saetze.size(), 40u);
  SummenPassenZuSaetzen();
}

TEST_P(TVervollstaendigenTest, TwoProgramsAtOnceBookEveryPairOnceAndLoseNoValue) {
  Aufbauen(80);
  const TStand Leer = Stand();
  std::vector<TQLX_clMeldung> Meldungen;
  ASSERT_TRUE(Vervollstaendigen(Meldungen));
  const TStand Allein = Stand();

  for (int Runde = 0; Runde < 3; ++Runde) {
    FDirekt->ExecScript("DELETE FROM inventur; UPDATE inventuranforderung SET ek_soll = 0, ek_ist = 0, kz_zaehlung = 'A'");
    ASSERT_EQ(Stand(), Leer);
    TKindprozess A = TKindprozess::Starten({ENGINE_VERVOLLSTAENDIGEN_KIND, "20"});
    TKindprozess B = TKindprozess::Starten({ENGINE_VERVOLLSTAENDIGEN_KIND, "20"});
    EXPECT_EQ(A.Ende(), 0) << "Runde " << Runde;
    EXPECT_EQ(B.Ende(), 0) << "Runde " << Runde;
    EXPECT_EQ(Stand(), Allein) << "Runde " << Runde;
    EXPECT_EQ(LebendeSperren(), 0);
  }
}

TEST_P(TVervollstaendigenTest, KilledRunsFinishedByARerunEndAsAnUninterruptedRun) {
  Aufbauen(50);
  ASSERT_EQ(Kind(), 0);
  const TStand Ungestoert = Stand();
  std::mt19937 Zufall(static_cast<unsigned>(getpid()));
  // Most runs here take some 100 to 400 ms from start to end.
  std::uniform_int_distribution<int> Moment(0, GetParam() == TDbBackend::SQLite ? 250 : 400);
  for (int Versuch = 0; Versuch < 20; ++Versuch) {
    FDirekt->ExecScript("DELETE FROM inventur; UPDATE inventuranforderung SET ek_soll = 0, ek_ist = 0, kz_zaehlung = 'A'");
    TKindprozess K = TKindprozess::Starten({ENGINE_VERVOLLSTAENDIGEN_KIND, "20"});
    const int Ms = Moment(Zufall);
    usleep(static_cast<useconds_t>(Ms) * 1000);
    K.Signal(SIGKILL);
    K.Ende();
    SummenPassenZuSaetzen();  // whatever was committed is consistent
    EXPECT_EQ(Kind(), 0) << "Versuch " << Versuch << " nach " << Ms << " ms";
    EXPECT_EQ(Stand(), Ungestoert) << "Versuch " << Versuch << " nach " << Ms << " ms";
    EXPECT_EQ(LebendeSperren(), 0);
  }
}

WWS_SUITE_BACKENDS(TVervollstaendigenTest);

}  // namespace
