// The checks of a new request and the fiscal years offered for choice.
#include <gtest/gtest.h>

#include <memory>

#include "engine/TIANeuPruefung.h"
#include "engine/TIAWiJahre.h"
#include "suite/TFilialTabelle.h"
#include "support/framework/KWDUhr.h"
#include "tests/engine/EngineTestFirma.h"

namespace {

TDate D(int J, int M, int T) { return EncodeDate(J, M, T); }

TEST(TIANeuPruefungTest, ProductGroupEntry) {
  for (const char* Gut : {"", "5", "A", "*", "12", "12       ", "-3", "$1F", "0x10", "123456789", "\u00C4", "\u20AC "})
    EXPECT_TRUE(TIANeuPruefung::WGPruefen(Gut)) << '"' << Gut << '"';
  // Control characters (also where one character alone would pass), texts
  // longer than the entry field, and bytes that are no UTF-8 are refused.
  for (const char* Schlecht : {"12*", " 12", "1 2", "AB", "1.5", "99999999999", "-$", "0x", "\t", "1\t", "12\n",
                               "\x7f", "\x1b", "0000000012", "\xC4", "1\xFF",
                               // one sign only, and a digit right after sign or prefix
                               "--5", "+-5", "-+5", "$-1", "0x-5", "$+1", "+$"})
    EXPECT_FALSE(TIANeuPruefung::WGPruefen(Schlecht)) << '"' << Schlecht << '"';
  EXPECT_EQ(TIANeuPruefung::WGOhneEndBlanks("12   "), "12");
  EXPECT_EQ(TIANeuPruefung::WGOhneEndBlanks("   "), "");
  EXPECT_EQ(TIANeuPruefung::WGOhneEndBlanks(" 1 2 "), " 1 2");
}

TEST(TIANeuPruefungTest, EntryBecomesGroupsPerBranch) {
  EXPECT_EQ(TIANeuPruefung::Warengruppen("*"),
            (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
  EXPECT_EQ(TIANeuPruefung::Warengruppen("12*").back(), "129");
  EXPECT_EQ(TIANeuPruefung::Warengruppen("   "), std::vector<std::string>{""});
  EXPECT_EQ(TIANeuPruefung::Warengruppen("12 "), std::vector<std::string>{"12 "});
  // Blanks after the star are dropped as everywhere else: "* " is the star.
  EXPECT_EQ(TIANeuPruefung::Warengruppen("* "), TIANeuPruefung::Warengruppen("*"));
  EXPECT_EQ(TIANeuPruefung::Warengruppen("1*  ").front(), "10");
}

TEST(TIANeuPruefungTest, CountingDateAgainstTodayYearAndLastDay) {
  const TDate WiJahr = D(2026, 1, 1);
  const TDate Letzter = TIANeuPruefung::WiJahrLastDay(WiJahr);
  EXPECT_EQ(Letzter, D(2027, 2, 28));
  EXPECT_EQ(TIANeuPruefung::WiJahrLastDay(D(2024, 12, 31)), D(2026, 2, 27));  // 31.02. becomes 28.02.
  EXPECT_EQ(TIANeuPruefung::DatumPruefen(D(2026, 5, 1), WiJahr, Letzter, D(2026, 5, 1)), 0);     // today
  EXPECT_EQ(TIANeuPruefung::DatumPruefen(D(2026, 4, 30), WiJahr, Letzter, D(2026, 5, 1)), 1002);
  EXPECT_EQ(TIANeuPruefung::DatumPruefen(D(2025, 12, 1), WiJahr, Letzter, D(2025, 11, 1)), 1001);
  EXPECT_EQ(TIANeuPruefung::DatumPruefen(D(2027, 3, 5), WiJahr, Letzter, D(2026, 12, 15)), 1010);
  EXPECT_EQ(TIANeuPruefung::DatumPruefen(D(2027, 2, 20), WiJahr, Letzter, D(2026, 12, 15)), 0);
  // The last day has passed: the main window asked before, the date is accepted.
  EXPECT_EQ(TIANeuPruefung::DatumPruefen(D(2027, 3, 10), WiJahr, Letzter, D(2027, 3, 10)), 0);
}

TEST(TIAWiJahreTest, OfferedYearsAndPreselection) {
  auto Texte = [](const std::vector<TIAWiJahr>& AJahre) {
    std::vector<std::string> T;
    for (const auto& J : AJahre) T.push_back(J.Text + (J.EnthaeltHeute ? " *" : ""));
    return T;
  };
  EXPECT_EQ(Texte(IAWiJahreAngebot({}, 1, D(2025, 2, 15))),
            (std::vector<std::string>{"01.01.2024 - 31.12.2024", "01.01.2025 - 31.12.2025 *"}));
  EXPECT_EQ(Texte(IAWiJahreAngebot({}, 1, D(2025, 3, 1))), std::vector<std::string>{"01.01.2025 - 31.12.2025 *"});
  EXPECT_EQ(Texte(IAWiJahreAngebot({}, 7, D(2025, 3, 10))), std::vector<std::string>{"01.07.2024 - 30.06.2025 *"});
  EXPECT_EQ(Texte(IAWiJahreAngebot({D(2022, 4, 1), D(2023, 4, 1)}, 1, D(2025, 4, 1))),
            (std::vector<std::string>{"01.04.2022 - 31.03.2023", "01.04.2023 - 31.03.2024", "01.04.2024 - 31.03.2025"}));
}

// Answers questions as told and records every message number.
class TProtokollPresenter : public TKWDMeldungPresenter {
 public:
  explicit TProtokollPresenter(int AAntwort) : FAntwort(AAntwort) {}
  int Zeigen(const TKWDMeldung& AMeldung) override {
    Nummern.push_back(AMeldung.Nr);
    return AMeldung.Art == KWD_MB_JANEIN ? FAntwort : KWD_MR_OK;
  }
  std::vector<int> Nummern;

 private:
  int FAntwort;
};

class TIANeuTestDataTest : public TEngineTest {
 protected:
  void SetUp() override {
    TEngineTest::SetUp();
    Firma().Filiale(1, "Hamburg").Filiale(2, "Bremen").Filiale(90, "Lager", true).Filiale(91, "Lager Süd", true);
    FAlt = KWDUhrSet([] { return EncodeDate(2026, 3, 2) + 0.5; });
  }
  void TearDown() override {
    KWDUhrSet(FAlt);
    KWDMeldungPresenterSet(nullptr);
    TEngineTest::TearDown();
  }
  // The message numbers the check showed, and its result.
  std::pair<bool, std::vector<int>> Pruefen(std::vector<std::string> AZeilen, const std::string& AWG = "",
                                            int AAntwort = KWD_MR_NO, TDate ADatum = EncodeDate(2026, 3, 2)) {
    auto Presenter = std::make_shared<TProtokollPresenter>(AAntwort);
    KWDMeldungPresenterSet(Presenter);
    TIANeuEingabe E;
    E.Datum = ADatum;
    E.WG = AWG;
    E.FilialZeilen = std::move(AZeilen);
    E.WiJahr = EncodeDate(2026, 1, 1);
    E.WiJahrLastDay = TIANeuPruefung::WiJahrLastDay(E.WiJahr);
    TFilialTabelle Tabelle;
    TIANeuFokus Fokus;
    const bool Ok = TIANeuPruefung::TestData(E, Tabelle.Filialen(), nullptr, Fokus);
    return {Ok, Presenter->Nummern};
  }
  TKWDUhr FAlt;
};

TEST_P(TIANeuTestDataTest, BranchKindsAndMessages) {
  EXPECT_EQ(Pruefen({"1", "2"}), std::make_pair(true, std::vector<int>{}));
  EXPECT_EQ(Pruefen({}), std::make_pair(false, std::vector<int>{1011}));
  EXPECT_EQ(Pruefen({"1", "90"}), std::make_pair(false, std::vector<int>{1015}));
  EXPECT_EQ(Pruefen({"0"}), std::make_pair(false, std::vector<int>{1015}));
  EXPECT_EQ(Pruefen({"77"}), std::make_pair(false, std::vector<int>{1015}));  // no such branch
  EXPECT_EQ(Pruefen({"90", "91"}), std::make_pair(false, std::vector<int>{1016}));
  EXPECT_EQ(Pruefen({"90", "91"}, "", KWD_MR_YES), std::make_pair(true, std::vector<int>{1016}));
  // Never wrapped into 16 bits: 65537 is no branch, not branch 1.
  EXPECT_EQ(Pruefen({"65537"}), std::make_pair(false, std::vector<int>{1015}));
  EXPECT_EQ(Pruefen({"-65535"}), std::make_pair(false, std::vector<int>{1015}));
}

TEST_P(TIANeuTestDataTest, DateAndGroupChecksComeInOrder) {
  EXPECT_EQ(Pruefen({"1"}, "1 2", KWD_MR_NO, EncodeDate(2026, 3, 1)), std::make_pair(false, std::vector<int>{1002}));
  EXPECT_EQ(Pruefen({}, "1 2"), std::make_pair(false, std::vector<int>{1011}));
  EXPECT_EQ(Pruefen({"1"}, "1 2"), std::make_pair(false, std::vector<int>{1012}));
  EXPECT_EQ(Pruefen({"1"}, "12*"), std::make_pair(false, std::vector<int>{1012}));
  EXPECT_EQ(Pruefen({"1"}, "*"), std::make_pair(true, std::vector<int>{}));
  EXPECT_EQ(Pruefen({"1"}, "", KWD_MR_NO, EncodeDate(2027, 3, 1)), std::make_pair(false, std::vector<int>{1010}));
  EXPECT_EQ(Pruefen({"1"}, "", KWD_MR_YES, EncodeDate(2027, 3, 1)), std::make_pair(true, std::vector<int>{1010}));
}

WWS_SUITE_BACKENDS(TIANeuTestDataTest);

}  // namespace
