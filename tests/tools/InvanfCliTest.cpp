// invanf-cli as a user or a script runs it, on a demo company: the request
// round trip, a held article, and refused input.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "support/types/KWDDatum.h"
#include "tests/fixtures/TestDb.h"
#include "tests/support/framework/TestUmgebung.h"
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
  // The request of date, group and branch in the list of the year, or null.
  nlohmann::json Gesucht(const std::string& ATag, const std::string& AWG, int AFiliale) {
    for (const auto& A : Json({"list", "--year", KJahr}))
      if (A["zaehldatum"] == ATag && A["wg"] == AWG && A["filiale"] == AFiliale) return A;
    return nullptr;
  }
  // Refused input: exit 2 and one German line naming what was wrong.
  void ErwarteAbgelehnt(const std::vector<std::string>& AArgumente, const std::string& AText) {
    const auto Erg = Cli(AArgumente);
    const std::string Aufruf = ::testing::PrintToString(AArgumente);
    EXPECT_EQ(Erg.Exit, 2) << Aufruf << ": " << Erg.Err;
    EXPECT_EQ(Erg.Err.rfind("invanf-cli: ", 0), 0u) << Aufruf << ": " << Erg.Err;
    EXPECT_NE(Erg.Err.find(AText), std::string::npos) << Aufruf << ": " << Erg.Err;
    EXPECT_EQ(Erg.Aus.find("Erledigt"), std::string::npos) << Aufruf;
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
  TTestLog FLog;  // the suite log of the programs
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
  };
  for (const TFall& F : Faelle) {
    const auto Erg = Cli(F.Argumente);
    EXPECT_EQ(Erg.Exit, 2) << F.Argumente[3] << ": " << Erg.Err;
    EXPECT_EQ(Erg.Err.rfind("invanf-cli: ", 0), 0u) << Erg.Err;
    EXPECT_NE(Erg.Err.find(F.Text), std::string::npos) << Erg.Err;
  }
  EXPECT_TRUE(Anforderung(2).is_null()) << "nothing was created";
}

// No command invents a fiscal year: a year the program does not offer, or
// a date the calendar cannot hold, is refused input and changes nothing.
TEST_P(InvanfCli, InventedYearsAndImpossibleDatesAreRefusedAndChangeNothing) {
  const auto Jahre = Json({"years"});
  for (const char* Jahr : {"2026-06-01", "2026-01-02", "2023-01-01", "2027-01-01", "0001-01-01", "9999-01-01",
                           "1899-12-30", "2026-02-31", "31.02.2026", "2026-1", "heute"}) {
    ErwarteAbgelehnt({"create", "--year", Jahr, "--date", KTag, "--branch", "2", "--yes"}, "Wirtschaftsjahr");
    ErwarteAbgelehnt({"list", "--year", Jahr}, "Wirtschaftsjahr");
    ErwarteAbgelehnt({"count", "--year", Jahr, "--date", KTag, "--branch", "2"}, "Wirtschaftsjahr");
    ErwarteAbgelehnt({"complete", "--year", Jahr, "--all-requested"}, "Wirtschaftsjahr");
    ErwarteAbgelehnt({"delete", "--year", Jahr, "--date", KTag, "--branch", "2", "--yes"}, "Wirtschaftsjahr");
  }
  for (const char* Datum : {"9999-01-01", "9999-12-31", "0001-01-01", "2026-02-31", "2026-04-31", "00.04.2026"})
    ErwarteAbgelehnt({"create", "--year", KJahr, "--date", Datum, "--branch", "2", "--yes"}, "kein gültiges Datum");
  EXPECT_EQ(Json({"years"}), Jahre) << "a refused year must not be offered afterwards";
  EXPECT_TRUE(Anforderung(2).is_null());
}

// A branch number is never wrapped into the 16-bit key: 65537 is not branch
// 1, and a branch the company lacks is named, whatever the command.
TEST_P(InvanfCli, BranchNumbersAreNeverWrappedAndMustExist) {
  Json({"create", "--year", KJahr, "--date", KTag, "--branch", "1", "--yes"});
  for (const char* Filiale : {"65537", "-65535", "65536", "32768", "-32769", "4294967297", "0", "99", "-1",
                              "99999999999999999999999", "-99999999999999999999999", "0x1", "1e3", "1.0", "+1",
                              "1a", "", "  "}) {
    const std::string Name = Filiale;
    ErwarteAbgelehnt({"create", "--year", KJahr, "--date", "2026-04-02", "--branch", Name, "--yes"}, Name);
    ErwarteAbgelehnt({"count", "--year", KJahr, "--date", KTag, "--branch", Name}, Name);
    ErwarteAbgelehnt({"complete", "--year", KJahr, "--date", KTag, "--branch", Name}, Name);
    ErwarteAbgelehnt({"delete", "--year", KJahr, "--date", KTag, "--branch", Name, "--yes"}, Name);
  }
  // A branch named twice (also as " 3" and "03") is one branch: created once, nothing refused.
  const auto Zweimal = Cli({"create", "--year", KJahr, "--date", "2026-04-03", "--branch", "3, 3,03,2", "--yes"});
  EXPECT_EQ(Zweimal.Exit, 0) << Zweimal.Err;
  EXPECT_NE(Zweimal.Aus.find("2 Inventuranforderung(en) angelegt, 0 abgelehnt."), std::string::npos) << Zweimal.Aus;
  // One bad branch among good ones: nothing is created at all.
  ErwarteAbgelehnt({"create", "--year", KJahr, "--date", "2026-04-02", "--branch", "3,65539", "--yes"}, "65539");
  EXPECT_TRUE(Gesucht("2026-04-02", "", 3).is_null());
  const auto A = Anforderung(1);
  ASSERT_FALSE(A.is_null()) << "branch 1's request survived every wrapped number";
  EXPECT_EQ(A["status_kz"], "A");
}

// The plain list keeps its columns when a group holds umlauts (printf's
// widths count bytes) and under the header "Zähldatum".
TEST_P(InvanfCli, ListColumnsStayAlignedWithUmlauts) {
  for (const char* WG : {"ä", "Ü", "1"})
    Json({"create", "--year", KJahr, "--date", KTag, "--branch", "2", "--wg", WG, "--yes"});
  const auto Erg = Cli({"list", "--year", KJahr});
  ASSERT_EQ(Erg.Exit, 0) << Erg.Err;
  std::istringstream Zeilen(Erg.Aus);
  std::string Zeile;
  int Gesehen = 0;
  while (std::getline(Zeilen, Zeile)) {
    if (Zeile.find("Status") == std::string::npos && Zeile.find("angefordert") == std::string::npos) continue;
    ++Gesehen;
    // The 30th character as the terminal shows it ends the branch column
    // (date 10, 2, group 9, 2, branch 7): "Filiale"'s "e" or the branch's last digit.
    int Zeichen = 0;
    char Dreissigstes = 0;
    for (const unsigned char Z : Zeile)
      if ((Z & 0xC0) != 0x80 && ++Zeichen == 30) Dreissigstes = static_cast<char>(Z);
    EXPECT_TRUE(Dreissigstes == 'e' || (Dreissigstes >= '0' && Dreissigstes <= '9'))
        << "the columns moved: [" << Zeile << "]";
  }
  EXPECT_GE(Gesehen, 4) << Erg.Aus;
}

// The lock files beside a SQLite company lie in a folder other users share:
// a link planted under a lock file's name is refused, and nothing is created
// where it points.
TEST_P(InvanfCli, ALinkPlantedAsALockFileIsRefusedAndItsTargetNotCreated) {
  if (GetParam() != TDbBackend::SQLite) GTEST_SKIP() << "lock files exist beside SQLite companies only";
  Json({"create", "--year", KJahr, "--date", KTag, "--branch", "2", "--yes"});
  const std::string Ziel = Ort() + ".angelegt-durch-link";
  for (int Block = 0; Block < 32; ++Block)
    std::filesystem::create_symlink(Ziel, Ort() + ".block" + std::to_string(Block));
  const auto Erg = Cli({"complete", "--year", KJahr, "--date", KTag, "--branch", "2"});
  EXPECT_NE(Erg.Exit, 0);
  EXPECT_NE(Erg.Err.find("dort steht eine symbolische Verknüpfung"), std::string::npos) << Erg.Err;
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(Ziel))) << "a file was created through the link";
  EXPECT_EQ(Anforderung(2)["status_kz"], "A") << "nothing was booked";
  for (int Block = 0; Block < 32; ++Block) std::filesystem::remove(Ort() + ".block" + std::to_string(Block));
}

// Another program deletes the request while it is completed (here: a trigger
// does it at the first booked record). The completion books nothing more for
// it and must not end with "Erledigt.".
TEST_P(InvanfCli, ARequestDeletedWhileItIsCompletedIsNotReportedDone) {
  Json({"create", "--year", KJahr, "--date", KTag, "--branch", "2", "--yes"});
  Json({"create", "--year", KJahr, "--date", KTag, "--branch", "3", "--yes"});
  const std::string Loeschen = "DELETE FROM inventuranforderung WHERE zaehldatum = NEW.zaehldatum AND filnr = 2";
  if (GetParam() == TDbBackend::SQLite)
    FFirma->Open()->ExecScript("CREATE TRIGGER weg AFTER INSERT ON inventur WHEN NEW.filnr = 2 BEGIN " + Loeschen +
                               "; END");
  else
    FFirma->Open()->ExecScript("CREATE FUNCTION weg() RETURNS trigger AS $$ BEGIN IF NEW.filnr = 2 THEN " + Loeschen +
                               "; END IF; RETURN NEW; END $$ LANGUAGE plpgsql; CREATE TRIGGER weg AFTER INSERT ON "
                               "inventur FOR EACH ROW EXECUTE FUNCTION weg()");
  const auto Erg = Cli({"complete", "--year", KJahr, "--date", KTag, "--branch", "2", "--date", KTag, "--branch", "3"});
  EXPECT_EQ(Erg.Exit, 1) << Erg.Aus << Erg.Err;
  EXPECT_EQ(Erg.Aus.find("Erledigt."), std::string::npos) << Erg.Aus;
  EXPECT_NE(Erg.Err.find("Filiale 2 hat ein anderes Programm während des Vervollständigens gelöscht"), std::string::npos)
      << Erg.Err;
  EXPECT_EQ(Erg.Err.find("Filiale 3"), std::string::npos) << "the other request was completed: " << Erg.Err;
  EXPECT_TRUE(Anforderung(2).is_null());
  EXPECT_EQ(Anforderung(3)["status_kz"], "E");
}

// Another program of the suite stored a group in Latin-1 (one byte 0xE4 for
// "ä"): the JSON list of the year still comes, the byte as U+FFFD, instead
// of an exception that ended the whole output.
TEST_P(InvanfCli, JsonListSurvivesAGroupThatIsNoUtf8) {
  if (GetParam() != TDbBackend::SQLite) GTEST_SKIP() << "PostgreSQL stores only valid UTF-8";
  Json({"create", "--year", KJahr, "--date", KTag, "--branch", "2", "--wg", "1", "--yes"});
  auto Db = FFirma->Open();
  auto S = Db->Prepare("UPDATE inventuranforderung SET wg = ? WHERE wg = '1'");
  S->BindText(1, std::string("\xE4"));
  S->Step();
  S.reset();
  Db.reset();
  const auto Liste = Json({"list", "--year", KJahr});
  ASSERT_TRUE(Liste.is_array()) << Liste.dump();
  EXPECT_FALSE(Gesucht(KTag, "\uFFFD", 2).is_null()) << Liste.dump();
}

// A request is the one of its fiscal year: named under another year it does
// not exist, and nothing happens to it.
TEST_P(InvanfCli, ARequestOfAnotherYearIsNotFound) {
  Json({"create", "--year", KJahr, "--date", KTag, "--branch", "2", "--wg", "1", "--yes"});
  for (const char* Befehl : {"count", "complete"})
    ErwarteAbgelehnt({Befehl, "--year", "2025-01-01", "--date", KTag, "--branch", "2", "--wg", "1", "--yes"},
                     "gibt es nicht");
  const auto A = Gesucht(KTag, "1", 2);
  ASSERT_FALSE(A.is_null());
  EXPECT_EQ(A["status_kz"], "A");
  EXPECT_EQ(A["soll_ek"], 0.0);
}

// Blanks at the end are no part of a group; control characters are refused
// with the message that says what a group must look like.
TEST_P(InvanfCli, TrailingBlanksAreDroppedAndControlCharactersRefused) {
  const auto Neu = Json({"create", "--year", KJahr, "--date", KTag, "--branch", "2", "--wg", "1 ", "--yes"});
  ASSERT_EQ(Neu.size(), 1u) << Neu.dump();
  EXPECT_EQ(Neu[0]["wg"], "1");
  EXPECT_FALSE(Gesucht(KTag, "1", 2).is_null());
  for (const char* WG : {"1", "1   "}) {
    const auto Zahl = Json({"count", "--year", KJahr, "--date", KTag, "--branch", "2", "--wg", WG});
    EXPECT_GT(Zahl["total"].get<int>(), 0) << "a group with a trailing blank covers the articles of its group";
  }
  for (const char* WG : {"1\t", "\x01", "12\n", "1\x7f"}) {
    ErwarteAbgelehnt({"create", "--year", KJahr, "--date", "2026-04-02", "--branch", "3", "--wg", WG, "--yes"},
                     "Steuerzeichen");
    ErwarteAbgelehnt({"count", "--year", KJahr, "--date", KTag, "--branch", "2", "--wg", WG}, "Steuerzeichen");
    ErwarteAbgelehnt({"delete", "--year", KJahr, "--date", KTag, "--branch", "2", "--wg", WG, "--yes"},
                     "Steuerzeichen");
  }
  // Bytes that are no UTF-8 (an overlong "/", a surrogate, beyond U+10FFFF,
  // a cut sequence) never reach the company, in either tool.
  for (const char* WG : {"\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "1\xc3"}) {
    ErwarteAbgelehnt({"create", "--year", KJahr, "--date", "2026-04-02", "--branch", "3", "--wg", WG, "--yes"},
                     "kein gültiger UTF-8-Text");
    const auto Admin = KindAusfuehren(WWS_ADMIN_PFAD, {"rights", "grant", WG, "112", "--db", Ort()});
    EXPECT_EQ(Admin.Exit, 2) << Admin.Err;
    EXPECT_NE(Admin.Err.find("kein gültiger UTF-8-Text"), std::string::npos) << Admin.Err;
  }
  EXPECT_TRUE(Gesucht("2026-04-02", "\xEF\xBF\xBD", 3).is_null());
  // 1012 says what a group must look like.
  ErwarteAbgelehnt({"create", "--year", KJahr, "--date", "2026-04-02", "--branch", "3", "--wg", "1 2", "--yes"},
                   "ganze Zahl");
  EXPECT_TRUE(Gesucht("2026-04-02", "1 2", 3).is_null());
}

TEST_P(InvanfCli, CompletingARequestThatIsNotRequestedNamesItsState) {
  Json({"create", "--year", KJahr, "--date", KTag, "--branch", "2", "--yes"});
  Json({"complete", "--year", KJahr, "--date", KTag, "--branch", "2"});
  ASSERT_EQ(Anforderung(2)["status_kz"], "E");
  ErwarteAbgelehnt({"complete", "--year", KJahr, "--date", KTag, "--branch", "2"}, "\u201Eer\u00F6ffnet\u201C");
  ErwarteAbgelehnt({"count", "--year", KJahr, "--date", KTag, "--branch", "2"}, "\u201Eer\u00F6ffnet\u201C");
}

// Deleting asks as the window asks: 1007 for one request, 1013 for several,
// on a terminal; without one only --yes confirms.
TEST_P(InvanfCli, DeleteAsksOnATerminalAndNeedsYesWithoutOne) {
  Json({"create", "--year", KJahr, "--date", KTag, "--branch", "2,3", "--wg", "5", "--yes"});
  const std::vector<std::string> Eine{"delete", "--year", KJahr, "--date", KTag, "--branch", "2", "--wg", "5",
                                      "--db", Ort()};
  ErwarteAbgelehnt({Eine.begin(), Eine.end() - 2}, "--yes");
  EXPECT_FALSE(Gesucht(KTag, "5", 2).is_null());

  const auto Nein = KindAmTerminal(INVANF_CLI_PFAD, Eine, "[j/N]", {"n"});
  EXPECT_EQ(Nein.Exit, 2) << Nein.Aus;
  EXPECT_NE(Nein.Aus.find("vom 01.04.2026 f\u00FCr Warengruppe 5 in Filiale 2 mit ihrem gebuchten Sollbestand "
                          "wirklich l\u00F6schen"),
            std::string::npos)
      << Nein.Aus;
  EXPECT_FALSE(Gesucht(KTag, "5", 2).is_null());

  const auto Ja = KindAmTerminal(INVANF_CLI_PFAD, Eine, "[j/N]", {"j"});
  EXPECT_EQ(Ja.Exit, 0) << Ja.Aus;
  EXPECT_TRUE(Gesucht(KTag, "5", 2).is_null());

  Json({"create", "--year", KJahr, "--date", KTag, "--branch", "2", "--wg", "5", "--yes"});
  const auto Beide = KindAmTerminal(INVANF_CLI_PFAD,
                                    {"delete", "--year", KJahr, "--date", KTag, "--date", KTag, "--branch", "2",
                                     "--branch", "3", "--wg", "5", "--db", Ort()},
                                    "[j/N]", {"ja"});
  EXPECT_EQ(Beide.Exit, 0) << Beide.Aus;
  EXPECT_NE(Beide.Aus.find("die 2 markierten Inventuren mit ihrem gebuchten Sollbestand wirklich l\u00F6schen"),
            std::string::npos)
      << Beide.Aus;
  EXPECT_TRUE(Gesucht(KTag, "5", 2).is_null());
  EXPECT_TRUE(Gesucht(KTag, "5", 3).is_null());
}

TEST_P(InvanfCli, JsonAmountsAreRoundedToCents) {
  Json({"create", "--year", KJahr, "--date", KTag, "--branch", "2", "--yes"});
  {
    auto Db = FFirma->Open();
    auto S = Db->Prepare("UPDATE inventuranforderung SET ek_soll = 1234.5678, ek_ist = 0.004 WHERE zaehldatum = ?");
    TDate Tag = 0;
    ASSERT_TRUE(TryParseDatum(KTag, Tag));
    S->BindDouble(1, Tag);
    ASSERT_EQ(S->Execute(), 1);
  }
  const auto Erg = Cli({"list", "--year", KJahr, "--json"});
  ASSERT_EQ(Erg.Exit, 0) << Erg.Err;
  EXPECT_NE(Erg.Aus.find("\"soll_ek\": 1234.57,"), std::string::npos) << Erg.Aus;
  static const std::regex MehrAlsCent(R"re("(soll_ek|ist_ek|differenz)": -?\d+\.\d{3,})re");
  EXPECT_FALSE(std::regex_search(Erg.Aus, MehrAlsCent)) << Erg.Aus;
  EXPECT_EQ(Anforderung(2)["ist_ek"], 0.0);
}

// The shell asks for the rights the window asks for the same work.
TEST_P(InvanfCli, ACommandNeedsTheRightsTheWindowNeedsForIt) {
  Json({"create", "--year", KJahr, "--date", KTag, "--branch", "2", "--wg", "1", "--yes"});
  const TUmgebungsWert Kassierer("WWS_USER", "kassierer");
  auto Aufruf = [](const std::string& B) -> std::vector<std::string> {
    if (B == "years") return {B};
    if (B == "list") return {B, "--year", KJahr};
    return {B, "--year", KJahr, "--date", KTag, "--branch", "2", "--wg", "1", "--yes"};
  };
  for (const auto& [Recht, Befehle] : std::vector<std::pair<std::string, std::vector<std::string>>>{
           {"120", {"years", "list", "count", "create", "complete", "delete"}}, {"121", {"create", "delete"}}}) {
    ASSERT_EQ(KindAusfuehren(WWS_ADMIN_PFAD, {"rights", "revoke", "*", Recht, "--db", Ort()}).Exit, 0);
    for (const std::string& B : Befehle) {
      const auto Erg = Cli(Aufruf(B));
      EXPECT_TRUE(Erg.Exit == 2 && Erg.Err.find("(" + Recht + ")") != std::string::npos) << Recht << B << Erg.Err;
    }
    KindAusfuehren(WWS_ADMIN_PFAD, {"rights", "remove", "*", "120", "--db", Ort()});  // 121 stays refused
  }
  EXPECT_EQ(Gesucht(KTag, "1", 2)["status_kz"], "A") << "nothing changed";
  EXPECT_EQ(Cli(Aufruf("complete")).Exit, 0) << "completing needs no more than the module";
}

// The program run while this test holds the lock ASperre; cut once it waits for it.
TKindErgebnis Abgeschnitten(TTestDb& AFirma, std::vector<std::string> AArgumente, const std::string& ASperre) {
  auto Halter = AFirma.Open();
  TDbTransaction Sperre(*Halter);
  Halter->ExecScript(ASperre);
  AArgumente.insert(AArgumente.end(), {"--db", AFirma.Ort()});
  TKindProzess Kind(INVANF_CLI_PFAD, AArgumente);
  EXPECT_TRUE(AFirma.WartendeTrennen(60s)) << "the program never waited for the lock";
  return Kind.Warten(120s).value_or(TKindErgebnis{});
}

// How often the failure is named (on stderr, in the log).
size_t Abgebrochen(const std::string& AText) {
  size_t N = 0;
  for (size_t P = 0; (P = AText.find("Verbindung zum Datenbankserver", P)) != std::string::npos; ++P) ++N;
  return N;
}

// The connection cut during the article selection (the check strictness read per
// article) ends the command with one message and one log entry; a rerun completes.
TEST_P(InvanfCli, ACutConnectionDuringTheSelectionEndsTheCommandOnce) {
  if (GetParam() != TDbBackend::PostgreSQL) GTEST_SKIP() << "a connection to cut needs the server";
  Json({"create", "--year", KJahr, "--date", KTag, "--branch", "1,2", "--wg", "1", "--yes"});
  const std::vector<std::string> Vervollst{"complete", "--year", KJahr, "--all-requested"};
  const auto Erg = Abgeschnitten(*FFirma, Vervollst, "LOCK TABLE artikel IN ACCESS EXCLUSIVE MODE");
  EXPECT_EQ(Erg.Exit, 1);
  EXPECT_EQ(Abgebrochen(Erg.Err), 1u) << Erg.Err;
  EXPECT_EQ(Abgebrochen(FLog.Inhalt()), 1u) << FLog.Inhalt();
  EXPECT_EQ(Cli(Vervollst).Exit, 0);
  EXPECT_EQ(Gesucht(KTag, "1", 2)["status_kz"], "E");
}

// A deletion the server cut off says what it deleted and what remains; the
// same command then deletes the rest and names the request already gone.
TEST_P(InvanfCli, AnInterruptedDeletionIsFinishedByTheSameCommand) {
  if (GetParam() != TDbBackend::PostgreSQL) GTEST_SKIP() << "a connection to cut needs the server";
  Json({"create", "--year", KJahr, "--date", KTag, "--branch", "1,2,3", "--wg", "7", "--yes"});
  std::vector<std::string> Loeschen{"delete", "--year", KJahr, "--wg", "7", "--yes"};
  for (const char* F : {"1", "2", "3"}) Loeschen.insert(Loeschen.end(), {"--date", KTag, "--branch", F});
  const auto Erg = Abgeschnitten(*FFirma, Loeschen, "SELECT * FROM inventuranforderung WHERE wg = '7' AND filnr = 2 FOR UPDATE");
  EXPECT_EQ(Erg.Exit, 1);
  EXPECT_EQ(Abgebrochen(Erg.Err), 1u) << Erg.Err;
  const std::string Anf = "Inventur vom 01.04.2026, Warengruppe „7“, Filiale ";
  EXPECT_NE(Erg.Aus.find("Gelöscht: " + Anf + "1\nNicht gelöscht: " + Anf + "2\nNicht gelöscht: " + Anf + "3\nDas "
                         "Löschen wurde abgebrochen"),
            std::string::npos)
      << Erg.Aus;
  const auto Nochmal = Cli(Loeschen);
  EXPECT_EQ(Nochmal.Exit, 0) << Nochmal.Err;
  EXPECT_NE(Nochmal.Aus.find("Nicht (mehr) vorhanden: " + Anf + "1\nGelöscht: " + Anf + "2\nGelöscht: " + Anf + "3\n"),
            std::string::npos)
      << Nochmal.Aus;
  for (int F : {1, 2, 3}) EXPECT_TRUE(Gesucht(KTag, "7", F).is_null());
}

INSTANTIATE_TEST_SUITE_P(Datenbanken, InvanfCli, ::testing::ValuesIn(TTestDb::Available()), TTestDbName);

}  // namespace

namespace {

// Help and parser errors are German and name what they do not know.
TEST(InvanfCliAufruf, HelpAndParserErrorsAreGerman) {
  const auto Hilfe = KindAusfuehren(INVANF_CLI_PFAD, {"--help"});
  EXPECT_EQ(Hilfe.Exit, 0);
  for (const char* Deutsch : {"Aufruf: invanf-cli [OPTIONEN] BEFEHL", "Optionen:", "Befehle:", "Rückgabewerte"})
    EXPECT_NE(Hilfe.Aus.find(Deutsch), std::string::npos) << Hilfe.Aus;
  const auto Anlegen = KindAusfuehren(INVANF_CLI_PFAD, {"create", "--help"});
  EXPECT_NE(Anlegen.Aus.find("--year JJJJ-MM-TT (Pflicht)"), std::string::npos) << Anlegen.Aus;
  for (const auto& Text : {Hilfe.Aus, Anlegen.Aus})
    for (const char* Englisch : {"Usage", "Options", "Subcommands", "REQUIRED", "OPTIONS", "Print this help", "TEXT"})
      EXPECT_EQ(Text.find(Englisch), std::string::npos) << Englisch << " in " << Text;

  struct TFall {
    std::vector<std::string> Argumente;
    std::string Text;
  };
  const std::vector<TFall> Faelle = {
      {{"frob"}, "Unbekannter Befehl \u201Efrob\u201C"},
      {{"create", "--frob", "1"}, "Unbekannte Option \u201E--frob\u201C"},
      {{"list", "--year", "2026-01-01", "zuviel"}, "\u201Ezuviel\u201C"},
      {{"list"}, "Die Angabe --year fehlt"},
      {{"list", "--year"}, "Zu --year fehlt der Wert"},
      {{"create", "--year", "2026-01-01", "--date", "2026-04-01", "--branch", "eins"}, "\u201Eeins\u201C f\u00FCr --branch"},
      {{}, "Es fehlt der Befehl"},
  };
  for (const TFall& F : Faelle) {
    const auto Erg = KindAusfuehren(INVANF_CLI_PFAD, F.Argumente);
    EXPECT_EQ(Erg.Exit, 2) << Erg.Err;
    EXPECT_NE(Erg.Err.find(F.Text), std::string::npos) << Erg.Err;
    EXPECT_EQ(Erg.Err.find('\n'), Erg.Err.size() - 1) << "one line: " << Erg.Err;
    for (const char* Englisch : {"argument", "required", "convert", "expected"})
      EXPECT_EQ(Erg.Err.find(Englisch), std::string::npos) << Erg.Err;
  }
}

// A company that cannot be opened is one German line for both tools;
// --verbose adds libpq's own words after it.
TEST(InvanfCliAufruf, AFailureIsOneGermanLineAndVerboseAddsTheTechnicalText) {
  const std::string Db = "postgresql://postgres@127.0.0.1:1/firma?connect_timeout=3";
  for (const auto& [Programm, Befehl] : {std::pair{INVANF_CLI_PFAD, "years"}, std::pair{WWS_ADMIN_PFAD, "messages"}})
    for (const bool Ausfuehrlich : {false, true}) {
      std::vector<std::string> Argumente{Befehl, "--db", Db};
      if (Ausfuehrlich) Argumente.push_back("--verbose");
      const auto Erg = KindAusfuehren(Programm, Argumente);
      EXPECT_EQ(Erg.Exit, 1) << Erg.Err;
      const std::string Erste = Erg.Err.substr(0, Erg.Err.find('\n'));
      EXPECT_NE(Erste.find(": Der Datenbankserver \u201E127.0.0.1:1\u201C ist nicht erreichbar: er weist die "
                           "Verbindung ab"),
                std::string::npos)
          << Erg.Err;
      EXPECT_EQ(Erg.Err.size() == Erste.size() + 1, !Ausfuehrlich) << Erg.Err;
      EXPECT_EQ(Erg.Err.find("\n  technisch: ") != std::string::npos, Ausfuehrlich) << Erg.Err;
    }
}

}  // namespace
