// invanf-cli as a user or a script runs it, on a demo company: the request
// round trip, a held article, and refused input.
#include <gtest/gtest.h>
#include <signal.h>

#include <nlohmann/json.hpp>

#include "tests/fixtures/TestDb.h"
#include "tests/tools/KindProzess.h"

namespace {

using namespace std::chrono_literals;

constexpr const char* KJahr = "2026-01-01";
constexpr const char* KTag = "2026-04-01";

class InvanfCli : public ::testing::TestWithParam<TDbBackend> {
 protected:
  void SetUp() override {
    ::setenv("WWS_TODAY", "2026-03-15", 1);
    FFirma = std::make_unique<TTestDb>(GetParam());
    const auto Erg =
        KindAusfuehren(WWS_ADMIN_PFAD, {"demo", "--db", Ort(), "--force", "--articles", "200", "--stichtag", "2026-03-15"});
    ASSERT_EQ(Erg.Exit, 0) << Erg.Err;
  }
  void TearDown() override { ::unsetenv("WWS_TODAY"); }

  std::string Ort() const { return FFirma->Ort(); }
  TKindErgebnis Cli(std::vector<std::string> AArgumente) {
    AArgumente.insert(AArgumente.end(), {"--db", Ort()});
    return KindAusfuehren(INVANF_CLI_PFAD, AArgumente);
  }
  nlohmann::json Json(const std::vector<std::string>& AArgumente, int AExit = 0) {
    auto A = AArgumente;
    A.push_back("--json");
    const auto Erg = Cli(A);
    EXPECT_EQ(Erg.Exit, AExit) << Erg.Err;
    return nlohmann::json::parse(Erg.Aus, nullptr, false);
  }
  // The request of branch AFiliale on KTag in the list of the year, or null.
  nlohmann::json Anforderung(int AFiliale) {
    for (const auto& A : Json({"list", "--year", KJahr}))
      if (A["zaehldatum"] == KTag && A["filiale"] == AFiliale) return A;
    return nullptr;
  }
  // An article number of branch AFiliale's stock, as the history holds it.
  std::string ArtikelDerFiliale(int AFiliale) {
    auto Db = FFirma->Open();
    auto S = Db->Prepare(
        "SELECT a.artnr FROM artnr_historie a JOIN bestand b ON a.prodid1 = b.prodid1 AND a.prodid2 = b.prodid2 "
        "AND a.prodid3 = b.prodid3 JOIN artikel r ON r.prodid1 = b.prodid1 AND r.prodid2 = b.prodid2 "
        "AND r.prodid3 = b.prodid3 WHERE b.filnr = ? AND b.bestandstyp = '1' AND b.bestand_a <= b.bestand_b "
        "AND r.pruefschaerfe IN ('2', '3') AND a.artnr <> '' ORDER BY a.artnr");
    S->BindInt(1, AFiliale);
    return S->Step() ? S->ColumnText(0) : "";
  }

  std::unique_ptr<TTestDb> FFirma;
};

TEST_P(InvanfCli, RequestIsCreatedCountedCompletedAndDeleted) {
  const auto Jahre = Json({"years"});
  ASSERT_EQ(Jahre.size(), 3u) << Jahre.dump();
  EXPECT_EQ(Jahre.back()["beginn"], KJahr);
  EXPECT_EQ(Jahre.back()["vorausgewaehlt"], true);

  Json({"create", "--year", KJahr, "--date", KTag, "--branch", "2", "--yes"});
  auto A = Anforderung(2);
  ASSERT_FALSE(A.is_null());
  EXPECT_EQ(A["wg"], "");
  EXPECT_EQ(A["status"], "angefordert");
  const auto Zahl = Json({"count", "--year", KJahr, "--date", KTag, "--branch", "2"});
  EXPECT_GT(Zahl["total"].get<int>(), 0);
  EXPECT_EQ(Zahl["da"], 0);

  const auto Fertig = Json({"complete", "--year", KJahr, "--date", KTag, "--branch", "2"});
  EXPECT_EQ(Fertig["ok"], true);
  EXPECT_TRUE(Fertig["meldungen"].empty());
  A = Anforderung(2);
  EXPECT_EQ(A["status_kz"], "E") << A.dump();
  EXPECT_GT(A["soll_ek"].get<double>(), 0.0);

  const auto Weg = Json({"delete", "--year", KJahr, "--date", KTag, "--branch", "2", "--yes"});
  EXPECT_EQ(Weg["ok"], true);
  EXPECT_TRUE(Anforderung(2).is_null());
}

TEST_P(InvanfCli, HeldArticleEndsWithExitThreeAndNamesItsHolder) {
  const std::string ArtNr = ArtikelDerFiliale(2);
  ASSERT_FALSE(ArtNr.empty());
  Json({"create", "--year", KJahr, "--date", KTag, "--branch", "2", "--yes"});
  TKindProzess Halter(WWS_ADMIN_PFAD, {"locks", "hold", ArtNr, "--seconds", "120", "--program", "KASSE", "--db", Ort()});
  const auto Bereit = Halter.Zeile(60s);
  ASSERT_TRUE(Bereit.has_value());

  // Five passes with their pauses, then one message for the held article.
  const auto Erg = Json({"complete", "--year", KJahr, "--date", KTag, "--branch", "2"}, 3);
  EXPECT_EQ(Erg["ok"], false);
  ASSERT_EQ(Erg["meldungen"].size(), 1u) << Erg.dump();
  const auto& M = Erg["meldungen"][0];
  EXPECT_EQ(M["artikel"], ArtNr);
  EXPECT_EQ(M["programm"], "KASSE");
  EXPECT_EQ(M["prozess_id"], Halter.Pid());
  EXPECT_EQ(Anforderung(2)["status_kz"], "A") << "a request with an unbooked article stays requested";

  // Without --json the same as a table; released, the next run completes it.
  Halter.Signal(SIGTERM);
  ASSERT_TRUE(Halter.Warten(30s).has_value());
  const auto Nochmal = Cli({"complete", "--year", KJahr, "--date", KTag, "--branch", "2"});
  EXPECT_EQ(Nochmal.Exit, 0) << Nochmal.Err;
  EXPECT_EQ(Anforderung(2)["status_kz"], "E");
}

TEST_P(InvanfCli, RefusedInputExitsWithTwoAndOneGermanMessage) {
  struct TFall {
    std::vector<std::string> Argumente;
    std::string Text;
  };
  const std::vector<TFall> Faelle = {
      {{"create", "--year", KJahr, "--date", "2026-02-01", "--branch", "2"}, "Vergangenheit"},
      {{"create", "--year", KJahr, "--date", "2026-13-01", "--branch", "2"}, "kein gültiges Datum"},
      {{"create", "--year", KJahr, "--date", KTag}, "fehlerhaft"},
      {{"complete", "--year", KJahr, "--date", KTag, "--branch", "2"}, "gibt es nicht"},
      {{"delete", "--year", KJahr, "--date", KTag, "--branch", "2", "--wg", "2"}, "gibt es nicht"},
  };
  for (const TFall& F : Faelle) {
    const auto Erg = Cli(F.Argumente);
    EXPECT_EQ(Erg.Exit, 2) << F.Argumente[3] << ": " << Erg.Err;
    EXPECT_EQ(Erg.Err.rfind("invanf-cli: ", 0), 0u) << Erg.Err;
    EXPECT_NE(Erg.Err.find(F.Text), std::string::npos) << Erg.Err;
  }
  EXPECT_TRUE(Anforderung(2).is_null()) << "nothing was created";
}

INSTANTIATE_TEST_SUITE_P(Datenbanken, InvanfCli, ::testing::ValuesIn(TTestDb::Available()), TTestDbName);

}  // namespace
