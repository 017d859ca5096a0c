// Creating requests: the record as written, refusals, and two programs
// creating the same request at the same moment.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "support/framework/KWDUhr.h"
#include "support/recordfile/Tiafile.h"
#include "tests/engine/EngineTestFirma.h"

extern char** environ;

namespace {

class TAnlegenTest : public TEngineTest {
 protected:
  void TearDown() override {
    KWDUhrSet(nullptr);
    TEngineTest::TearDown();
  }
  // The stored requests of one counting date.
  std::vector<TiaSatz> Gespeichert(TDate AZaehldat) {
    Tiafile IA(*FDirekt);
    IA.SelectKey(Tiafile::KEY_ANFORDERUNG);
    IA.Key_Zaehldatum.SetKeyWertAndFilter(AZaehldat);
    std::vector<TiaSatz> S;
    for (bool G = IA.Get_ge(); G; G = IA.Get_next()) S.push_back(IA.GetSatz());
    return S;
  }
  const TDate WiJahr = D(2025, 1, 1);
};

TEST_P(TAnlegenTest, WritesARequestedRecordWithNoBookedValues) {
  KWDUhrSet([] { return EncodeDate(2025, 6, 2) + EncodeTime(0, 5, 30); });
  TQLX_InvAnfMani Mani;
  ASSERT_TRUE(Mani.InventurAnlegen(D(2025, 6, 30), WiJahr, "", 3));
  KWDUhrSet([] { return EncodeDate(2025, 6, 2) + EncodeTime(14, 5, 0); });
  ASSERT_TRUE(Mani.InventurAnlegen(D(2025, 6, 30), WiJahr, "105", 4));

  const auto S = Gespeichert(D(2025, 6, 30));
  ASSERT_EQ(S.size(), 2u);
  EXPECT_EQ(S[0].WG, "");
  EXPECT_EQ(S[0].FilNr, 3);
  EXPECT_EQ(S[0].WiJahr, WiJahr);
  EXPECT_EQ(S[0].Abschlussdatum, KWD_KEIN_DATUM);
  EXPECT_EQ(FormatDatum(S[0].Abschlussdatum), "02.12.1973");
  EXPECT_EQ(S[0].KZZaehlung, 'A');
  EXPECT_EQ(S[0].Anlagedatum, D(2025, 6, 2));
  EXPECT_EQ(S[0].Anlagezeit, 5);
  EXPECT_EQ(S[0].EKSoll, 0.0);
  EXPECT_EQ(S[0].EKIst, 0.0);
  EXPECT_EQ(S[1].WG, "105");
  EXPECT_EQ(S[1].Anlagezeit, 1405);
}

TEST_P(TAnlegenTest, TakenCombinationIsRefusedAndWritesNothing) {
  TQLX_InvAnfMani Mani;
  ASSERT_TRUE(Mani.InventurAnlegen(D(2025, 6, 30), WiJahr, "10", 1));
  EXPECT_FALSE(Mani.InventurAnlegen(D(2025, 6, 30), WiJahr, "10", 1));
  EXPECT_FALSE(Mani.InventurAnlegen(D(2025, 6, 30), WiJahr, "105", 1));  // inside the taken group
  EXPECT_TRUE(Mani.InventurAnlegen(D(2025, 6, 30), WiJahr, "10", 2));    // other branch
  EXPECT_TRUE(Mani.InventurAnlegen(D(2025, 7, 1), WiJahr, "10", 1));     // other day
  EXPECT_EQ(Gespeichert(D(2025, 6, 30)).size(), 2u);
}

pid_t Starten(const std::vector<std::string>& AArgs) {
  std::vector<char*> Argv;
  for (const auto& A : AArgs) Argv.push_back(const_cast<char*>(A.c_str()));
  Argv.push_back(nullptr);
  pid_t Pid = -1;
  if (posix_spawn(&Pid, Argv[0], nullptr, nullptr, Argv.data(), environ) != 0) return -1;
  return Pid;
}

int Ende(pid_t APid) {
  int Status = 0;
  waitpid(APid, &Status, 0);
  return WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status);
}

TEST_P(TAnlegenTest, TwoProgramsCreatingTheSameRequestAtOnceLeaveExactlyOne) {
  const auto Ordner = std::filesystem::temp_directory_path() / ("wws-anlegen-" + std::to_string(getpid()));
  std::filesystem::create_directories(Ordner);
  for (int Runde = 0; Runde < 6; ++Runde) {
    const TDate Tag = D(2025, 8, 1) + Runde;
    const auto Start = Ordner / ("start" + std::to_string(Runde));
    std::vector<pid_t> Kinder;
    for (int K = 0; K < 2; ++K)
      Kinder.push_back(Starten({ENGINE_ANLEGEN_KIND, Start.string(), std::to_string(Tag), std::to_string(WiJahr),
                                "12", "7"}));
    ASSERT_GT(Kinder[0], 0);
    ASSERT_GT(Kinder[1], 0);
    usleep(400000);  // both have opened the company and wait at the start line
    std::ofstream(Start).put('x');
    std::vector<int> Codes{Ende(Kinder[0]), Ende(Kinder[1])};
    std::sort(Codes.begin(), Codes.end());
    EXPECT_EQ(Codes, (std::vector<int>{0, 3})) << "Runde " << Runde;
    EXPECT_EQ(Gespeichert(Tag).size(), 1u) << "Runde " << Runde;
  }
  std::filesystem::remove_all(Ordner);
}

WWS_SUITE_BACKENDS(TAnlegenTest);

}  // namespace
