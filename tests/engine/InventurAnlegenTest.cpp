// Creating requests: the record as written, refusals, and programs creating
// the same or overlapping requests at the same moment.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/framework/KWDUhr.h"
#include "support/recordfile/Tiafile.h"
#include "tests/engine/EngineTestFirma.h"
#include "tests/engine/Kindprozess.h"

namespace {

class TAnlegenTest : public TEngineTest {
 protected:
  void SetUp() override {
    TEngineTest::SetUp();
    // Today for this process and the programs it starts: with no known year
    // and STARTMON 1 the program offers the fiscal year 2025 alone.
    ::setenv("WWS_TODAY", "2025-06-02", 1);
    for (int Fil : {1, 2, 3, 4, 7}) Firma().Filiale(Fil, "Filiale " + std::to_string(Fil));
  }
  void TearDown() override {
    KWDUhrSet(nullptr);
    ::unsetenv("WWS_TODAY");
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

TEST_P(TAnlegenTest, TrailingBlanksAreNoPartOfTheStoredGroup) {
  TQLX_InvAnfMani Mani;
  ASSERT_TRUE(Mani.InventurAnlegen(D(2025, 6, 30), WiJahr, "1 ", 1));
  ASSERT_TRUE(Mani.InventurAnlegen(D(2025, 6, 30), WiJahr, "   ", 2));
  const auto S = Gespeichert(D(2025, 6, 30));  // in key order: group "" before "1"
  ASSERT_EQ(S.size(), 2u);
  EXPECT_EQ(S[1].WG, "1") << "the group is found by the key it is looked up with";
  EXPECT_EQ(S[0].WG, "") << "blanks alone are all groups";
  EXPECT_FALSE(Mani.InventurAnlegen(D(2025, 6, 30), WiJahr, "1", 1));
}

// Branch numbers beyond the 16-bit key, branches the company lacks, fiscal
// years the program does not offer and groups with control characters: a
// plain refusal that writes nothing (and registers no error), never a
// request stored under a wrapped branch or an invented year.
TEST_P(TAnlegenTest, RefusesWhatCannotBeStoredFaithfully) {
  TQLX_InvAnfMani Mani;
  const TDate Tag = D(2025, 6, 30);
  for (int Filiale : {65537, -65535, 65536, 32768, -32769, 0, 99, 5})
    EXPECT_FALSE(Mani.InventurAnlegen(Tag, WiJahr, "1", Filiale)) << Filiale;
  for (TDate Jahr : {D(2025, 6, 1), D(2024, 1, 1), D(2026, 1, 1), D(1, 1, 1), D(2025, 1, 1) + 0.5})
    EXPECT_FALSE(Mani.InventurAnlegen(Tag, Jahr, "1", 1)) << FormatDatum(Jahr);
  for (const char* WG : {"1\t", "\n", "1\x7f", "\x1b[31m"}) EXPECT_FALSE(Mani.InventurAnlegen(Tag, WiJahr, WG, 1));
  EXPECT_TRUE(Gespeichert(Tag).empty());
  EXPECT_EQ(FehlerAbholen(), std::vector<std::string>{});

  // Nothing was taken under a wrapped number: branch 1 (65537) is still free.
  EXPECT_TRUE(Mani.InventurAnlegen(Tag, WiJahr, "1", 1));
}

TEST_P(TAnlegenTest, ABranchAnotherProgramAddsCountsAtOnce) {
  TQLX_InvAnfMani Mani;
  EXPECT_FALSE(Mani.InventurAnlegen(D(2025, 6, 30), WiJahr, "", 8));
  Firma().Filiale(8, "Neu");
  EXPECT_TRUE(Mani.InventurAnlegen(D(2025, 6, 30), WiJahr, "", 8));
}

// Two programs start at the same moment, each creating one request for the
// same day and branch. Returns their exit codes, sorted (0 created, 3 refused).
std::vector<int> Wettlauf(const std::filesystem::path& AOrdner, int ARunde, TDate ATag, TDate AWiJahr,
                          const std::string& AWG1, const std::string& AWG2, int AFiliale) {
  const auto Start = AOrdner / ("start" + std::to_string(ARunde));
  std::vector<TKindprozess> Kinder;
  for (const std::string& WG : {AWG1, AWG2})
    Kinder.push_back(TKindprozess::Starten(
        {ENGINE_ANLEGEN_KIND, Start.string(), std::to_string(ATag), std::to_string(AWiJahr), WG,
         std::to_string(AFiliale)},
        true));
  for (TKindprozess& K : Kinder) EXPECT_TRUE(K.AufZeileWarten("BEREIT"));
  std::ofstream(Start).put('x');
  std::vector<int> Codes;
  for (TKindprozess& K : Kinder) Codes.push_back(K.Ende());
  std::sort(Codes.begin(), Codes.end());
  return Codes;
}

class TAnlegenWettlauf : public TAnlegenTest {
 protected:
  void SetUp() override {
    TAnlegenTest::SetUp();
    FOrdner = std::filesystem::temp_directory_path() / ("wws-anlegen-" + std::to_string(getpid()));
    std::filesystem::create_directories(FOrdner);
  }
  void TearDown() override {
    std::filesystem::remove_all(FOrdner);
    TAnlegenTest::TearDown();
  }
  std::filesystem::path FOrdner;
};

TEST_P(TAnlegenWettlauf, TwoProgramsCreatingTheSameRequestAtOnceLeaveExactlyOne) {
  for (int Runde = 0; Runde < 6; ++Runde) {
    const TDate Tag = D(2025, 8, 1) + Runde;
    EXPECT_EQ(Wettlauf(FOrdner, Runde, Tag, WiJahr, "12", "12", 7), (std::vector<int>{0, 3})) << "Runde " << Runde;
    EXPECT_EQ(Gespeichert(Tag).size(), 1u) << "Runde " << Runde;
  }
}

// "1" covers "12": checking for an overlap and inserting are one step, so of
// two programs creating them at once exactly one succeeds, every time.
TEST_P(TAnlegenWettlauf, OverlappingGroupsCreatedAtOnceLeaveExactlyOne) {
  const std::vector<std::pair<std::string, std::string>> Paare{{"1", "12"}, {"", "3"}, {"45", "4"}};
  for (int Runde = 0; Runde < 24; ++Runde) {
    const TDate Tag = D(2025, 9, 1) + Runde;
    const auto& [WG1, WG2] = Paare[static_cast<size_t>(Runde) % Paare.size()];
    EXPECT_EQ(Wettlauf(FOrdner, Runde, Tag, WiJahr, WG1, WG2, 1 + Runde % 4), (std::vector<int>{0, 3}))
        << "Runde " << Runde << ": \"" << WG1 << "\" und \"" << WG2 << "\"";
    EXPECT_EQ(Gespeichert(Tag).size(), 1u) << "Runde " << Runde;
  }
}

WWS_SUITE_BACKENDS(TAnlegenTest);
WWS_SUITE_BACKENDS(TAnlegenWettlauf);

}  // namespace
