// invanf-cli print-ial and print-list as a user or a script runs them, on a
// demo company: the PDF, its pages, refused input, no count list left behind.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
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
      {{"print-ial", "--year", KJahr, "--date", "2026-03-01", "--wg", "4", "--branch", "4", "--je-inventur",
        Pdf("fehlt")},
       "Den Ordner \u201E" + Pdf("fehlt") + "\u201C gibt es nicht"},
      {{"print-ial", "--year", KJahr, "--date", "2026-03-01", "--wg", "4", "--branch", "4", "--je-inventur",
        FHome.string(), "--pdf", Pdf("x.pdf")},
       "bitte ohne --pdf"},
      {{"print-ial", "--year", KJahr, "--date", "2026-03-01", "--wg", "4", "--branch", "4", "--mit-xlsx", "--pdf",
        Pdf("x.pdf")},
       "--mit-xlsx gilt nur mit --je-inventur"},
  };
  for (const TFall& F : Faelle) {
    const auto Erg = Cli(F.Argumente);
    EXPECT_EQ(Erg.Exit, 2) << Erg.Err;
    EXPECT_NE(Erg.Err.find(F.Text), std::string::npos) << Erg.Err;
  }
  EXPECT_FALSE(fs::exists(Pdf("x.pdf")));
}

// Head office sends each branch its own list: one PDF (and XLSX) per
// request, named by date, group and branch, each holding its own request.
TEST_P(DruckCli, CountListsFiledPerRequestIntoAFolder) {
  fs::create_directories(Pdf("Filialen"));
  const auto Erg = Cli({"print-ial", "--year", KJahr, "--date", "2026-03-01", "--wg", "4", "--branch", "4", "--date",
                        "2026-03-01", "--wg", "5", "--branch", "5", "--je-inventur", Pdf("Filialen"), "--mit-xlsx",
                        "--json"});
  ASSERT_EQ(Erg.Exit, 0) << Erg.Err;
  const auto J = nlohmann::json::parse(Erg.Aus);
  ASSERT_EQ(J["dateien"].size(), 2u);
  for (int I = 0; I < 2; ++I) {
    const std::string Name = "Zaehlliste_2026-03-01_WG" + std::to_string(4 + I) + "_Filiale" + std::to_string(4 + I);
    SCOPED_TRACE(Name);
    EXPECT_EQ(J["dateien"][I]["pdf"], Pdf("Filialen") + "/" + Name + ".pdf");
    EXPECT_EQ(J["dateien"][I]["xlsx"], Pdf("Filialen") + "/" + Name + ".xlsx");
    EXPECT_TRUE(fs::file_size(Pdf("Filialen") + "/" + Name + ".xlsx") > 0);
    const QStringList Seiten = PdfDateiText(J["dateien"][I]["pdf"].get<std::string>());
    ASSERT_EQ(Seiten.size(), J["dateien"][I]["seiten"].get<int>());
    EXPECT_TRUE(Seiten[0].contains(QStringLiteral("Filiale %1 ").arg(4 + I))) << Seiten[0].toStdString();
    EXPECT_FALSE(Seiten.join(QString()).contains(QStringLiteral("Filiale %1 ").arg(5 - I)));
  }
  EXPECT_FALSE(Zaehllisten()) << "no count-list file stays behind";
}

// Every target is resolved once before any work: links are followed to the
// file they name (the link stays), a place no file can stand (a folder, a
// FIFO, a /proc or /dev entry, also behind a link) is refused in German
// with exit 2, and two targets that are one file in any spelling are refused.
TEST_P(DruckCli, TargetsAreResolvedOnceAndRefusedWhereNoFileCanStand) {
  fs::create_directories(Pdf("ordner"));
  ASSERT_EQ(::mkfifo(Pdf("fifo.pdf").c_str(), 0600), 0);
  fs::create_symlink("/proc/self/fd/1", Pdf("fd1.csv"));
  std::ofstream(Pdf("da.csv")) << "alt";
  fs::create_symlink(Pdf("da.csv"), Pdf("verweis.xlsx"));
  const std::vector<std::string> Ial{"print-ial", "--year", KJahr, "--date", "2026-03-01", "--wg", "2", "--branch", "2"};
  auto Mit = [](std::vector<std::string> A, const std::vector<std::string>& B) {
    A.insert(A.end(), B.begin(), B.end());
    return A;
  };
  const std::vector<std::string> Liste{"list", "--year", KJahr};
  struct TFall {
    std::vector<std::string> Args;
    std::string Text;  // empty: written, exit 0
  };
  std::vector<TFall> Faelle = {
      {Mit(Ial, {"--pdf", Pdf("ordner")}), "ist ein Ordner"},
      {{"print-list", "--year", KJahr, "--pdf", Pdf("ordner") + "/"}, "ist ein Ordner"},
      {Mit(Ial, {"--pdf", Pdf("fifo.pdf")}), "keine gewöhnliche Datei"},
      {Mit(Liste, {"--csv", "fd1.csv"}), "keine gewöhnliche Datei"},
      {Mit(Liste, {"--csv", "/dev/stdout"}), "keine gewöhnliche Datei"},
      {Mit(Liste, {"--csv", "y.csv", "--xlsx", "./y.csv"}), "nennen dieselbe Datei"},
      {Mit(Ial, {"--pdf", "z.pdf", "--xlsx", Pdf("z.pdf")}), "nennen dieselbe Datei"},
      {Mit(Liste, {"--xlsx", "w.xlsx", "--csv", "./w.xlsx"}), "nennen dieselbe Datei"},
      {Mit(Liste, {"--csv", "da.csv", "--xlsx", "verweis.xlsx"}), "nennen dieselbe Datei"},
      {Mit(Liste, {"--xlsx", "verweis.xlsx"}), ""},
  };
  if (GetParam() == TDbBackend::SQLite)
    for (const char* Rest : {"", "-wal"})
      Faelle.push_back({Mit(Liste, {"--csv", FFirma->Ort() + Rest}), "gehört zu einer Datenbank"});
  const fs::path Vorher = fs::current_path();
  fs::current_path(FHome);  // the relative spellings
  for (const TFall& F : Faelle) {
    const auto Erg = Cli(F.Args);
    EXPECT_EQ(Erg.Exit, F.Text.empty() ? 0 : 2) << F.Args.back() << ": " << Erg.Err;
    EXPECT_NE(Erg.Err.find(F.Text), std::string::npos) << Erg.Err;
  }
  fs::current_path(Vorher);
  EXPECT_TRUE(fs::is_empty(Pdf("ordner")));
  EXPECT_TRUE(fs::is_fifo(Pdf("fifo.pdf")));
  EXPECT_EQ(fs::read_symlink(Pdf("fd1.csv")), "/proc/self/fd/1");
  EXPECT_TRUE(fs::is_symlink("/dev/stdout"));
  for (const char* Weg : {"y.csv", "z.pdf", "w.xlsx"}) EXPECT_FALSE(fs::exists(Pdf(Weg))) << Weg;
  // Written through the link to the file it names; the link stays.
  EXPECT_TRUE(fs::is_symlink(Pdf("verweis.xlsx")));
  std::ifstream Da(Pdf("da.csv"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(Da), {}).substr(0, 2), "PK");
  EXPECT_EQ(Cli({"list", "--year", KJahr}).Exit, 0) << "the company still opens";

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

// The count list and the request list as spreadsheet files, read back by
// Python (openpyxl, csv): the blind list has no target column, the request
// list's rows are the requests "list --json" gives.
TEST_P(DruckCli, CountListAndRequestListAsSpreadsheetFiles) {
  ASSERT_EQ(Cli({"complete", "--year", KJahr, "--date", "2026-03-01", "--wg", "2", "--branch", "2"}).Exit, 0);
  auto Lesen = [](const std::string& APfad) {
    const auto Erg = KindAusfuehren("/usr/bin/python3", {WWS_TABELLE_LESEN, APfad});
    EXPECT_EQ(Erg.Exit, 0) << Erg.Err;
    return nlohmann::json::parse(Erg.Aus, nullptr, false);
  };
  const auto Ial = Cli({"print-ial", "--year", KJahr, "--date", "2026-03-01", "--wg", "2", "--branch", "2", "--layout",
                        "Blindliste", "--xlsx", Pdf("ial.xlsx"), "--csv", Pdf("ial.csv"), "--json"});
  ASSERT_EQ(Ial.Exit, 0) << Ial.Err;
  const auto J = nlohmann::json::parse(Ial.Aus);
  EXPECT_FALSE(J.contains("pdf")) << "no PDF without --pdf";
  EXPECT_EQ(J["xlsx"], Pdf("ial.xlsx"));
  const auto X = Lesen(Pdf("ial.xlsx"));
  const auto C = Lesen(Pdf("ial.csv"));
  ASSERT_GT(X["zeilen"].size(), 0u);
  EXPECT_EQ(X["zeilen"].size(), C["zeilen"].size());
  EXPECT_EQ(X["kopf"], C["kopf"]);
  const auto Kopf = C["kopf"].get<std::vector<std::string>>();
  EXPECT_EQ(std::count(Kopf.begin(), Kopf.end(), "Soll"), 0) << "a blind list has no target column";
  EXPECT_EQ(Kopf.back(), "Gezählt");
  EXPECT_FALSE(Zaehllisten());

  const auto Liste = Cli({"list", "--year", KJahr, "--xlsx", Pdf("liste.xlsx"), "--csv", Pdf("liste.csv")});
  ASSERT_EQ(Liste.Exit, 0) << Liste.Err;
  const auto Json = nlohmann::json::parse(Cli({"list", "--year", KJahr, "--json"}).Aus);
  const auto LX = Lesen(Pdf("liste.xlsx"));
  const auto LC = Lesen(Pdf("liste.csv"));
  EXPECT_EQ(LC["zeilen"].size(), Json.size());
  ASSERT_EQ(LX["zeilen"].size(), Json.size());
  // Their content is the request list's (tested where the table is made); here: every request once.
  EXPECT_EQ(LX["zeilen"][0][5].get<double>(), Json[0]["soll_ek"].get<double>());
}

// A request that is still requested (nothing or part of its target stock
// booked) is no whole count list: refused unless --yes, and then every
// page says so.
TEST_P(DruckCli, ARequestStillRequestedIsRefusedUnlessYesAndThenMarked) {
  const std::vector<std::string> Anf{"--year", KJahr, "--date", "2026-03-20", "--wg", "2", "--branch", "2"};
  ASSERT_EQ(Cli({"create", "--year", KJahr, "--date", "2026-03-20", "--wg", "2", "--branch", "2"}).Exit, 0);
  std::vector<std::string> Args{"print-ial"};
  Args.insert(Args.end(), Anf.begin(), Anf.end());
  Args.insert(Args.end(), {"--pdf", Pdf("ial.pdf")});
  const auto Nein = Cli(Args);
  EXPECT_EQ(Nein.Exit, 2);
  EXPECT_NE(Nein.Err.find("Die Inventur vom 20.03.2026, Warengruppe 2, Filiale 2 ist noch nicht vollständig angefordert"),
            std::string::npos)
      << Nein.Err;
  EXPECT_NE(Nein.Err.find("--yes"), std::string::npos) << Nein.Err;
  EXPECT_FALSE(fs::exists(Pdf("ial.pdf")));
  Args.push_back("--yes");
  const auto Ja = Cli(Args);
  ASSERT_EQ(Ja.Exit, 0) << Ja.Err;
  const QStringList Seiten = PdfDateiText(Pdf("ial.pdf"));
  ASSERT_GE(Seiten.size(), 1);
  for (const QString& Seite : Seiten)
    EXPECT_TRUE(Seite.contains(QStringLiteral("ACHTUNG: noch nicht vollständig angefordert"))) << Seite.toStdString();
  // The CSV has no title rows: its first line carries the mark.
  Args.insert(Args.end(), {"--csv", Pdf("ial.csv")});
  ASSERT_EQ(Cli(Args).Exit, 0);
  std::ifstream Csv(Pdf("ial.csv"));
  std::string Erste;
  std::getline(Csv, Erste);
  EXPECT_NE(Erste.find("ACHTUNG: noch nicht vollständig angefordert, die Liste zeigt nicht alle Artikel: Filiale 2"),
            std::string::npos)
      << Erste;
}

// A layout the count list cannot use is refused before any work, naming the
// layout and, for a bad value, its line.
TEST_P(DruckCli, LayoutsTheCountListCannotUseAreRefusedWithNameAndLine) {
  const fs::path Layouts = FHome / "wws" / "Layout";
  fs::create_directories(Layouts);
  const std::vector<std::pair<std::string, std::string>> Faelle = {
      {"Bericht=Inventurliste\n[Parameter]\n", "Das Layout \u201Eial__Test.rpt\u201C ist kein Zähllisten-Layout"},
      {"Bericht=Zaehlliste\n[Parameter]\nKompakt=J\nSchriftgroesse=abc\n", "nennt in Zeile 7 \u201ESchriftgroesse=abc\u201C"},
      {"Bericht=Zaehlliste\n[Parameter]\nSchriftgroesse=0\n", "nennt in Zeile 6 \u201ESchriftgroesse=0\u201C"},
      {"Bericht=Zaehlliste\n[Parameter]\nSchriftgroesse=1e308\n", "\u201ESchriftgroesse=1e308\u201C: die Schriftgröße"},
  };
  for (const auto& [Inhalt, Text] : Faelle) {
    { std::ofstream(Layouts / "ial__Test.rpt") << "# Test\n[Layout]\nTitel=Test\n" << Inhalt; }
    const auto Erg = Cli({"print-ial", "--year", KJahr, "--date", "2026-03-01", "--wg", "2", "--branch", "2", "--layout",
                          "Test", "--pdf", Pdf("x.pdf")});
    EXPECT_EQ(Erg.Exit, 2) << Inhalt << Erg.Err;
    EXPECT_NE(Erg.Err.find(Text), std::string::npos) << Erg.Err;
  }
  EXPECT_FALSE(fs::exists(Pdf("x.pdf")));
}

// On a full disk every target says so (Qt's own text was "Unknown error"),
// and the place is left as it was. Needs a small file system of its own.
TEST_P(DruckCli, AFullDiskIsNamedForEveryTarget) {
  const fs::path Voll = FHome / "voll";
  fs::create_directories(Voll);
  if (::geteuid() != 0 || std::system(("mount -t tmpfs -o size=256k tmpfs '" + Voll.string() + "' 2>/dev/null").c_str()) != 0)
    GTEST_SKIP() << "no small file system can be mounted here (root only)";
  struct TAushaengen {
    fs::path P;
    ~TAushaengen() { (void)std::system(("umount '" + P.string() + "'").c_str()); }
  } Aushaengen{Voll};
  (void)std::system(("dd if=/dev/zero of='" + (Voll / "fuellung").string() + "' bs=4k 2>/dev/null").c_str());
  ASSERT_EQ(Cli({"complete", "--year", KJahr, "--date", "2026-03-01", "--wg", "2", "--branch", "2"}).Exit, 0);
  const std::vector<std::vector<std::string>> Faelle = {
      {"print-list", "--year", KJahr, "--pdf", (Voll / "liste.pdf").string()},
      {"print-ial", "--year", KJahr, "--date", "2026-03-01", "--wg", "2", "--branch", "2", "--xlsx",
       (Voll / "ial.xlsx").string()},
      {"list", "--year", KJahr, "--csv", (Voll / "liste.csv").string()},
  };
  for (const auto& Args : Faelle) {
    const auto Erg = Cli(Args);
    EXPECT_EQ(Erg.Exit, 1) << Args.front();
    EXPECT_NE(Erg.Err.find("kein Platz mehr auf dem Datenträger"), std::string::npos) << Erg.Err;
  }
  std::vector<std::string> Dort;
  for (const auto& E : fs::directory_iterator(Voll)) Dort.push_back(E.path().filename().string());
  EXPECT_EQ(Dort, std::vector<std::string>{"fuellung"}) << "nothing half written stays";
  EXPECT_FALSE(Zaehllisten());

  // The spreadsheet library's own work space full: what failed in German,
  // the library's own lines only in the log, the old file as it was.
  std::ofstream(Pdf("alt.xlsx")) << "alt";
  ::setenv("TMPDIR", Voll.c_str(), 1);
  const auto Erg = Cli({"list", "--year", KJahr, "--xlsx", Pdf("alt.xlsx")});
  ::unsetenv("TMPDIR");
  EXPECT_EQ(Erg.Exit, 1);
  EXPECT_NE(Erg.Err.find("kein Platz mehr auf dem Datenträger im temporären Ordner"), std::string::npos) << Erg.Err;
  EXPECT_EQ(Erg.Err.find("[ERROR]"), std::string::npos) << Erg.Err;
  std::ifstream Alt(Pdf("alt.xlsx"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(Alt), {}), "alt");
}

INSTANTIATE_TEST_SUITE_P(Datenbanken, DruckCli, ::testing::ValuesIn(TTestDb::Available()), TTestDbName);

}  // namespace
