// invanf-cli print-ial and print-list as a user or a script runs them, on a
// demo company: the PDF, its pages, refused input, no count list left behind.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "tests/fixtures/TestDb.h"
#include "tests/printing/DruckTestUmgebung.h"
#include "tests/tools/KindProzess.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* KJahr = "2026-01-01";

class DruckCli : public ::testing::TestWithParam<TDbBackend> {
 protected:
  void SetUp() override {
    FHome = fs::temp_directory_path() / ("wws-druck-cli-" + std::to_string(::getpid()));
    fs::remove_all(FHome);
    fs::create_directories(FHome);
    ::setenv("WWS_HOME", (FHome / "wws").c_str(), 1);
    ::setenv("WWS_TODAY", "2026-03-15", 1);
    ::setenv("WWS_MANDANT", "Demo Nord", 1);
    FFirma = std::make_unique<TTestDb>(GetParam());
    const auto Erg = KindAusfuehren(WWS_ADMIN_PFAD, {"demo", "--db", FFirma->Ort(), "--force", "--articles", "200",
                                                     "--stichtag", "2026-03-15"});
    ASSERT_EQ(Erg.Exit, 0) << Erg.Err;
  }
  void TearDown() override {
    ::unsetenv("WWS_HOME");
    ::unsetenv("WWS_TODAY");
    ::unsetenv("WWS_MANDANT");
    FFirma.reset();
    fs::remove_all(FHome);
  }
  TKindErgebnis Cli(std::vector<std::string> AArgumente) {
    AArgumente.insert(AArgumente.end(), {"--db", FFirma->Ort()});
    return KindAusfuehren(INVANF_CLI_PFAD, AArgumente);
  }
  std::string Pdf(const char* AName) const { return (FHome / AName).string(); }
  bool Zaehllisten() const {
    for (const auto& E : fs::directory_iterator(FHome / "wws"))
      if (E.path().filename().string().rfind("IALfile.", 0) == 0) return true;
    return false;
  }

  fs::path FHome;
  std::unique_ptr<TTestDb> FFirma;
};

TEST_P(DruckCli, CountListOfACompletedRequestAndTheOverview) {
  const std::vector<std::string> Anf{"--year", KJahr, "--date", "2026-03-01", "--wg", "2", "--branch", "2"};
  auto Mit = [&](std::vector<std::string> AVorne, std::vector<std::string> AHinten) {
    AVorne.insert(AVorne.end(), Anf.begin(), Anf.end());
    AVorne.insert(AVorne.end(), AHinten.begin(), AHinten.end());
    return AVorne;
  };
  ASSERT_EQ(Cli(Mit({"complete"}, {})).Exit, 0);

  const auto Erg = Cli(Mit({"print-ial"}, {"--layout", "Kompakt", "--zero", "--pdf", Pdf("ial.pdf"), "--json"}));
  ASSERT_EQ(Erg.Exit, 0) << Erg.Err;
  const auto J = nlohmann::json::parse(Erg.Aus);
  EXPECT_EQ(J["pdf"], Pdf("ial.pdf"));
  EXPECT_GT(J["zeilen"].get<int>(), 0);
  const QStringList Seiten = PdfDateiText(Pdf("ial.pdf"));
  ASSERT_EQ(Seiten.size(), J["seiten"].get<int>());
  EXPECT_TRUE(Seiten[0].contains(QStringLiteral("Demo Nord")));
  EXPECT_TRUE(Seiten[0].contains(QStringLiteral("Zähldatum 01.03.2026")));
  EXPECT_TRUE(Seiten[0].contains(QStringLiteral("Kompakte Zählliste")));
  EXPECT_FALSE(Zaehllisten()) << "no count-list file stays behind";

  const auto Liste = Cli({"print-list", "--year", KJahr, "--pdf", Pdf("liste.pdf")});
  ASSERT_EQ(Liste.Exit, 0) << Liste.Err;
  EXPECT_NE(Liste.Aus.find("Liste der Inventuren: "), std::string::npos) << Liste.Aus;
  EXPECT_TRUE(PdfDateiText(Pdf("liste.pdf")).join('\n').contains(QStringLiteral("Gesamtsumme")));
}

// Run from cron or sudo (no XDG_RUNTIME_DIR), Qt's English notes stay off
// stderr: a successful print writes nothing there.
TEST_P(DruckCli, QtsOwnNotesStayOffStderr) {
  const char* Vorher = std::getenv("XDG_RUNTIME_DIR");
  const std::string Gemerkt = Vorher ? Vorher : "";
  ::unsetenv("XDG_RUNTIME_DIR");
  ::setenv("WWS_LOG", (FHome / "wws.log").c_str(), 1);
  const auto Erg = Cli({"print-list", "--year", KJahr, "--pdf", Pdf("liste.pdf")});
  ::unsetenv("WWS_LOG");
  if (Vorher) ::setenv("XDG_RUNTIME_DIR", Gemerkt.c_str(), 1);
  EXPECT_EQ(Erg.Exit, 0) << Erg.Err;
  EXPECT_EQ(Erg.Err, "");
  EXPECT_TRUE(fs::exists(Pdf("liste.pdf")));
}

TEST_P(DruckCli, RefusedInputExitsWithTwoAndWritesNoPdf) {
  struct TFall {
    std::vector<std::string> Argumente;
    std::string Text;
  };
  const std::vector<TFall> Faelle = {
      {{"print-ial", "--year", KJahr, "--date", "2026-03-01", "--wg", "2", "--branch", "2", "--layout", "Gibtsnicht",
        "--pdf", Pdf("x.pdf")},
       "Ein Zähllisten-Layout \u201EGibtsnicht\u201C gibt es nicht"},
      {{"print-ial", "--year", KJahr, "--date", "2026-03-02", "--branch", "2", "--pdf", Pdf("x.pdf")}, "gibt es nicht"},
      {{"print-ial", "--year", KJahr, "--date", "2026-03-01", "--wg", "2", "--branch", "2", "--pdf",
        Pdf("fehlt/x.pdf")},
       "gibt es nicht"},
      {{"print-list", "--year", "2026-02-30", "--pdf", Pdf("x.pdf")}, "kein gültiges Datum"},
  };
  for (const TFall& F : Faelle) {
    const auto Erg = Cli(F.Argumente);
    EXPECT_EQ(Erg.Exit, 2) << Erg.Err;
    EXPECT_NE(Erg.Err.find(F.Text), std::string::npos) << Erg.Err;
  }
  EXPECT_FALSE(fs::exists(Pdf("x.pdf")));
}

// A PDF target that cannot take the file is refused before any work, in German,
// and leaves the place as it was.
TEST_P(DruckCli, PdfTargetThatCannotBeAFileIsRefusedInput) {
  fs::create_directories(Pdf("ordner"));
  ASSERT_EQ(::mkfifo(Pdf("fifo.pdf").c_str(), 0600), 0);
  const std::vector<std::pair<std::string, std::string>> Faelle = {
      {Pdf("ordner"), "ist ein Ordner"},
      {Pdf("ordner") + "/", "ist ein Ordner"},
      {Pdf("fifo.pdf"), "keine gewöhnliche Datei"},
  };
  for (const auto& [Ziel, Text] : Faelle) {
    for (const char* Befehl : {"print-ial", "print-list"}) {
      std::vector<std::string> Args{Befehl, "--year", KJahr, "--pdf", Ziel};
      if (std::string(Befehl) == "print-ial")
        Args.insert(Args.end(), {"--date", "2026-03-01", "--wg", "2", "--branch", "2"});
      const auto Erg = Cli(Args);
      EXPECT_EQ(Erg.Exit, 2) << Befehl << " " << Ziel << ": " << Erg.Err;
      EXPECT_NE(Erg.Err.find(Text), std::string::npos) << Erg.Err;
    }
  }
  EXPECT_TRUE(fs::is_empty(Pdf("ordner")));
  EXPECT_TRUE(fs::is_fifo(Pdf("fifo.pdf")));

  // A folder the user may not write to, also when the file in it is writable
  // (the PDF is made beside it and renamed). Root may write anywhere.
  if (::geteuid() == 0) return;
  const std::string Alt = Pdf("ordner") + "/alt.pdf";
  { std::ofstream(Alt) << "alt"; }
  fs::permissions(Pdf("ordner"), fs::perms::owner_read | fs::perms::owner_exec);
  for (const std::string& Ziel : {Alt, Pdf("ordner") + "/neu.pdf"}) {
    const auto Erg = Cli({"print-list", "--year", KJahr, "--pdf", Ziel});
    EXPECT_EQ(Erg.Exit, 2) << Ziel << ": " << Erg.Err;
    EXPECT_NE(Erg.Err.find("dürfen Sie nicht schreiben"), std::string::npos) << Erg.Err;
  }
  fs::permissions(Pdf("ordner"), fs::perms::owner_all);
}

INSTANTIATE_TEST_SUITE_P(Datenbanken, DruckCli, ::testing::ValuesIn(TTestDb::Available()), TTestDbName);

}  // namespace
