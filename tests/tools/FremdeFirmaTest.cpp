// The tools meet files that are no company, and companies the user may only
// read: a foreign file is refused and left byte for byte as it was; a
// read-only company can be looked at, and writing commands say why not.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "tests/fixtures/TestDb.h"
#include "tests/tools/KindProzess.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* KJahr = "2026-01-01";
constexpr const char* KSetpriv = "/usr/bin/setpriv";

std::string Inhalt(const fs::path& APfad) {
  std::ifstream Datei(APfad, std::ios::binary);
  std::stringstream S;
  S << Datei.rdbuf();
  return S.str();
}

std::set<std::string> Dateien(const fs::path& AOrdner) {
  std::set<std::string> Namen;
  for (const auto& E : fs::directory_iterator(AOrdner)) Namen.insert(E.path().filename().string());
  return Namen;
}

class TOrdner {
 public:
  TOrdner() {
    char Vorlage[] = "/tmp/wws-fremd-XXXXXX";
    FPfad = mkdtemp(Vorlage);
  }
  ~TOrdner() {
    std::error_code F;
    fs::remove_all(FPfad, F);
  }
  fs::path Datei(const std::string& AName) const { return FPfad / AName; }
  const fs::path& Pfad() const { return FPfad; }

 private:
  fs::path FPfad;
};

// Every command of both tools that opens the company, reading or writing.
std::vector<std::pair<std::string, std::vector<std::string>>> AlleBefehle(const std::string& AOrt) {
  const std::vector<std::string> Db{"--db", AOrt};
  auto Mit = [&Db](std::vector<std::string> A) {
    A.insert(A.end(), Db.begin(), Db.end());
    return A;
  };
  return {
      {INVANF_CLI_PFAD, Mit({"years"})},
      {INVANF_CLI_PFAD, Mit({"list", "--year", KJahr})},
      {INVANF_CLI_PFAD, Mit({"create", "--year", KJahr, "--date", "2026-04-01", "--branch", "1", "--yes"})},
      {INVANF_CLI_PFAD, Mit({"count", "--year", KJahr, "--date", "2026-04-01", "--branch", "1"})},
      {INVANF_CLI_PFAD, Mit({"complete", "--year", KJahr, "--all-requested"})},
      {INVANF_CLI_PFAD, Mit({"delete", "--year", KJahr, "--date", "2026-04-01", "--branch", "1", "--yes"})},
      {WWS_ADMIN_PFAD, Mit({"param", "list"})},
      {WWS_ADMIN_PFAD, Mit({"param", "set", "INVABWMA", "5"})},
      {WWS_ADMIN_PFAD, Mit({"rights", "grant", "anna", "112"})},
      {WWS_ADMIN_PFAD, Mit({"locks", "list"})},
      {WWS_ADMIN_PFAD, Mit({"locks", "hold", "1.2.3", "--seconds", "0"})},
      {WWS_ADMIN_PFAD, Mit({"locks", "release", "--dead"})},
      {WWS_ADMIN_PFAD, Mit({"messages"})},
  };
}

void ErwarteAbgewiesen(const TKindErgebnis& AErg, const std::string& AText, const std::string& AAufruf) {
  EXPECT_EQ(AErg.Exit, 1) << AAufruf << ": " << AErg.Err;
  EXPECT_NE(AErg.Err.find(AText), std::string::npos) << AAufruf << ": " << AErg.Err;
  EXPECT_EQ(AErg.Err.find('\n'), AErg.Err.size() - 1) << AAufruf << ": one line: " << AErg.Err;
}

TEST(FremdeDatei, NoProgramWritesIntoAFileThatIsNoCompany) {
  TOrdner Ordner;
  // SQLite files of another application, in both journal modes; one of them
  // even has a table named like the company's version table.
  const auto Anlegen = [&](const std::string& AName, const std::string& ASql) {
    auto Db = TDbConnection::Open(Ordner.Datei(AName).string(), true);
    Db->ExecScript(ASql);
  };
  Anlegen("kunden-delete.db",
          "PRAGMA journal_mode=DELETE; CREATE TABLE kunden (nr INTEGER PRIMARY KEY, name TEXT);"
          "INSERT INTO kunden VALUES (1, 'Anna'), (2, 'Bernd')");
  Anlegen("kunden-wal.db", "CREATE TABLE kunden (nr INTEGER PRIMARY KEY, name TEXT); INSERT INTO kunden VALUES (1, 'Anna')");
  Anlegen("version.db", "PRAGMA journal_mode=DELETE; CREATE TABLE schema_version (part TEXT, version INTEGER);"
                        "INSERT INTO schema_version VALUES ('lager', 3)");
  std::ofstream(Ordner.Datei("leer.db"));
  std::ofstream(Ordner.Datei("text.db")) << "Dies ist keine Datenbank, sondern ein Brief.\n";

  const std::map<std::string, std::string> Erwartet{{"kunden-delete.db", "keine Firmendatenbank"},
                                                    {"kunden-wal.db", "keine Firmendatenbank"},
                                                    {"version.db", "keine Firmendatenbank"},
                                                    {"leer.db", "ist leer"},
                                                    {"text.db", "keine Firmendatenbank"}};
  const std::set<std::string> Vorher = Dateien(Ordner.Pfad());
  for (const auto& [Name, Text] : Erwartet) {
    const fs::path Datei = Ordner.Datei(Name);
    const std::string Bytes = Inhalt(Datei);
    for (const auto& [Programm, Argumente] : AlleBefehle(Datei.string())) {
      const std::string Aufruf = fs::path(Programm).filename().string() + " " + Argumente[0] + " " + Name;
      ErwarteAbgewiesen(KindAusfuehren(Programm, Argumente), Text, Aufruf);
      ASSERT_TRUE(Inhalt(Datei) == Bytes) << Aufruf << " changed the file";
      EXPECT_EQ(Dateien(Ordner.Pfad()), Vorher) << Aufruf << " left files behind";
    }
  }
}

TEST(FremdeDatei, NoProgramWritesIntoAServerDatabaseThatIsNoCompany) {
  if (!std::getenv("WWS_TEST_PG")) GTEST_SKIP() << "WWS_TEST_PG is not set";
  TTestDb Fremd(TDbBackend::PostgreSQL);
  Fremd.Open()->ExecScript("CREATE TABLE kunden (nr INTEGER PRIMARY KEY, name TEXT); INSERT INTO kunden VALUES (1, 'Anna')");
  TTestDb Leer(TDbBackend::PostgreSQL);
  auto Tabellen = [](const TTestDb& ADb) {
    std::set<std::string> Namen;
    auto Db = ADb.Open();
    auto S = Db->Prepare("SELECT table_name FROM information_schema.tables WHERE table_schema = 'public'");
    while (S->Step()) Namen.insert(S->ColumnText(0));
    return Namen;
  };
  for (const TTestDb* Db : {&Fremd, &Leer}) {
    const auto Vorher = Tabellen(*Db);
    for (const auto& [Programm, Argumente] : AlleBefehle(Db->Ort()))
      ErwarteAbgewiesen(KindAusfuehren(Programm, Argumente), "keine Firmendatenbank", Argumente[0]);
    EXPECT_EQ(Tabellen(*Db), Vorher);
  }
  // init makes an empty database a company, but not one of another application.
  const auto Init = KindAusfuehren(WWS_ADMIN_PFAD, {"init", "--db", Fremd.Ort()});
  ErwarteAbgewiesen(Init, "anderen Anwendung", "init");
  EXPECT_EQ(Tabellen(Fremd), std::set<std::string>{"kunden"});
  EXPECT_EQ(KindAusfuehren(WWS_ADMIN_PFAD, {"init", "--db", Leer.Ort()}).Exit, 0);
  EXPECT_EQ(KindAusfuehren(INVANF_CLI_PFAD, {"years", "--db", Leer.Ort()}).Exit, 0);
}

// A demo company the tests below open as a user who may only read it.
class NurLesbareFirma : public ::testing::TestWithParam<TDbBackend> {
 protected:
  void SetUp() override {
    ::setenv("WWS_TODAY", "2026-03-15", 1);
    FFirma = std::make_unique<TTestDb>(GetParam());
    const auto Erg = KindAusfuehren(WWS_ADMIN_PFAD, {"demo", "--db", FFirma->Ort(), "--force", "--articles", "150",
                                                     "--stichtag", "2026-03-15"});
    ASSERT_EQ(Erg.Exit, 0) << Erg.Err;
    ASSERT_EQ(KindAusfuehren(INVANF_CLI_PFAD, {"create", "--year", KJahr, "--date", "2026-04-01", "--branch", "2",
                                                "--yes", "--db", FFirma->Ort()})
                  .Exit,
              0);
  }
  void TearDown() override { ::unsetenv("WWS_TODAY"); }

  // What a reader sees and what a writer is told, run by AStart (the program
  // and its leading arguments) on the company at AOrt.
  void LesenJaSchreibenNein(const std::vector<std::string>& AStart, const std::string& AOrt) {
    auto Lauf = [&](const std::string& AProgramm, std::vector<std::string> AArgumente) {
      AArgumente.insert(AArgumente.end(), {"--db", AOrt});
      if (AStart.empty()) return KindAusfuehren(AProgramm, AArgumente);
      std::vector<std::string> Alles(AStart.begin() + 1, AStart.end());
      Alles.push_back(AProgramm);
      Alles.insert(Alles.end(), AArgumente.begin(), AArgumente.end());
      return KindAusfuehren(AStart[0], Alles);
    };
    const auto Jahre = Lauf(INVANF_CLI_PFAD, {"years"});
    EXPECT_EQ(Jahre.Exit, 0) << Jahre.Err;
    EXPECT_NE(Jahre.Aus.find("* 01.01.2026 - 31.12.2026"), std::string::npos) << Jahre.Aus;
    const auto Liste = Lauf(INVANF_CLI_PFAD, {"list", "--year", KJahr});
    EXPECT_EQ(Liste.Exit, 0) << Liste.Err;
    EXPECT_NE(Liste.Aus.find("01.04.2026"), std::string::npos) << Liste.Aus;
    const auto Zahl = Lauf(INVANF_CLI_PFAD, {"count", "--year", KJahr, "--date", "2026-04-01", "--branch", "2"});
    EXPECT_EQ(Zahl.Exit, 0) << Zahl.Err;
    EXPECT_NE(Zahl.Aus.find("Artikel gesamt: "), std::string::npos) << Zahl.Aus;
    EXPECT_EQ(Lauf(WWS_ADMIN_PFAD, {"param", "list"}).Exit, 0);
    EXPECT_EQ(Lauf(WWS_ADMIN_PFAD, {"branches", "list"}).Exit, 0);

    const std::vector<std::vector<std::string>> Schreibend{
        {"create", "--year", KJahr, "--date", "2026-04-02", "--branch", "3", "--yes"},
        {"complete", "--year", KJahr, "--date", "2026-04-01", "--branch", "2"},
        {"complete", "--year", KJahr, "--all-requested"},
        {"delete", "--year", KJahr, "--date", "2026-04-01", "--branch", "2", "--yes"},
    };
    for (const auto& A : Schreibend) {
      const auto Erg = Lauf(INVANF_CLI_PFAD, A);
      EXPECT_EQ(Erg.Exit, 2) << A[0] << ": " << Erg.Err;
      EXPECT_NE(Erg.Err.find("nur gelesen"), std::string::npos) << A[0] << ": " << Erg.Err;
    }
    for (const auto& A : std::vector<std::vector<std::string>>{{"param", "set", "INVABWMA", "5"},
                                                              {"rights", "grant", "anna", "112"},
                                                              {"branches", "lv", "3", "ja"},
                                                              {"locks", "release", "--dead"}}) {
      const auto Erg = Lauf(WWS_ADMIN_PFAD, A);
      EXPECT_EQ(Erg.Exit, 2) << A[0] << ": " << Erg.Err;
      EXPECT_NE(Erg.Err.find("nur gelesen"), std::string::npos) << A[0] << ": " << Erg.Err;
    }
  }

  std::unique_ptr<TTestDb> FFirma;
};

// SQLite: the file is not writable for the user. The tests run as root,
// who may write any file, so the reader runs as the user nobody; once in a
// folder nobody cannot write (no WAL index can be made there), once in one
// it can.
TEST_P(NurLesbareFirma, AUserWhoMayOnlyReadLooksAndIsToldWhyNotToWrite) {
  if (GetParam() == TDbBackend::PostgreSQL) {
    // A read-only session, as a role with default_transaction_read_only has.
    const std::string Ort = FFirma->Ort();
    LesenJaSchreibenNein({}, Ort + (Ort.find('?') == std::string::npos ? "?" : "&") +
                                 "options=-c%20default_transaction_read_only%3Don");
  } else {
    if (geteuid() != 0 || access(KSetpriv, X_OK) != 0) GTEST_SKIP() << "needs root and setpriv";
    const std::vector<std::string> AlsNobody{KSetpriv, "--reuid=65534", "--regid=65534", "--clear-groups"};
    for (const mode_t OrdnerRechte : {mode_t{0755}, mode_t{0777}}) {
      TOrdner Ordner;
      const fs::path Datei = Ordner.Datei("firma.db");
      fs::copy_file(FFirma->Ort(), Datei);
      chmod(Ordner.Pfad().c_str(), OrdnerRechte);
      chmod(Datei.c_str(), 0444);
      const std::string Bytes = Inhalt(Datei);
      LesenJaSchreibenNein(AlsNobody, Datei.string());
      EXPECT_TRUE(Inhalt(Datei) == Bytes) << "the company changed; folder " << std::oct << OrdnerRechte;
    }
  }
  // The company itself is as it was, and whoever may write still can.
  const auto Liste = KindAusfuehren(INVANF_CLI_PFAD, {"list", "--year", KJahr, "--db", FFirma->Ort()});
  EXPECT_EQ(Liste.Aus.find("02.04.2026"), std::string::npos) << Liste.Aus;
  EXPECT_EQ(KindAusfuehren(INVANF_CLI_PFAD, {"delete", "--year", KJahr, "--date", "2026-04-01", "--branch", "2",
                                             "--yes", "--db", FFirma->Ort()})
                .Exit,
            0);
}

INSTANTIATE_TEST_SUITE_P(Datenbanken, NurLesbareFirma, ::testing::ValuesIn(TTestDb::Available()), TTestDbName);

}  // namespace
