// wws-admin init and demo never destroy a company they cannot replace: a
// full disk, a failed write, a kill, another program, a server that cuts
// the connection midway.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <filesystem>
#include <fstream>
#include <thread>

#include "support/db/SqliteFirmaDatei.h"
#include "tests/fixtures/TestDb.h"
#include "tests/support/framework/TestUmgebung.h"
#include "tests/tools/KindProzess.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

TKindErgebnis Admin(const std::vector<std::string>& AArgumente) { return KindAusfuehren(WWS_ADMIN_PFAD, AArgumente); }

std::vector<std::string> Demo(const std::string& AOrt, int AArtikel, bool AErsetzen) {
  std::vector<std::string> A{"demo", "--db", AOrt, "--articles", std::to_string(AArtikel), "--stichtag", "2026-03-15"};
  if (AErsetzen) A.push_back("--force");
  return A;
}

// The first column of the first row.
std::string Wert(TDbConnection& ADb, const char* ASql) {
  auto S = ADb.Prepare(ASql);
  return S->Step() ? S->ColumnText(0) : "";
}

// What a company holds that a replacement could lose: its requests (those
// written to the log by the tests by name), its articles, and whether
// SQLite finds the file sound.
std::string Stand(TDbConnection& ADb) {
  std::string Text = "Anforderungen " + Wert(ADb, "SELECT count(*) FROM inventuranforderung") + ", Log";
  auto Log = ADb.Prepare("SELECT wg FROM inventuranforderung WHERE wg LIKE 'LOG%' ORDER BY wg");
  while (Log->Step()) Text += " " + Log->ColumnText(0);
  Text += ", Artikel " + Wert(ADb, "SELECT count(*) FROM artikel");
  if (ADb.Backend() == TDbBackend::SQLite) Text += " " + Wert(ADb, "PRAGMA integrity_check");
  return Text;
}

// The new company's files beside the old one: their bytes, and 1 for each.
uintmax_t Neues(const fs::path& AOrdner) {
  uintmax_t Groesse = 0;
  std::error_code Weg;  // a file the build just renamed counts 0 (its size reads as -1)
  for (const auto& E : fs::directory_iterator(AOrdner))
    if (E.path().filename().string().starts_with(".firma.db.neu-")) Groesse += fs::file_size(E.path(), Weg) + 1;
  return Groesse;
}

// Exit code 1 and one German line saying AText.
void ErwarteFehler(const TKindErgebnis& AErg, const std::string& AText) {
  EXPECT_EQ(AErg.Exit, 1) << AErg.Err;
  EXPECT_EQ(AErg.Err.find('\n'), AErg.Err.size() - 1) << AErg.Err;
  EXPECT_NE(AErg.Err.find(AText), std::string::npos) << AErg.Err;
}

class WwsAdminFirmaSqlite : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directory(FOrdner); }
  // An old company of 300 articles (25 requests).
  void AlteFirma() { ASSERT_EQ(Admin(Demo(Firma(), 300, true)).Exit, 0); }
  // One more request that another program committed just before it was
  // killed: it stands only in the log beside the file, not in the file.
  void LogEintrag() {
    const std::string Wg = "LOG" + std::to_string(FEintraege++);
    FLog += " " + Wg;
    const pid_t Kind = fork();
    if (Kind == 0) {
      auto Db = TDbConnection::Open(Firma());
      auto S = Db->Prepare("INSERT INTO inventuranforderung (zaehldatum, wg, filnr, wijahr, kz_zaehlung) "
                           "SELECT zaehldatum, ?, filnr, wijahr, kz_zaehlung FROM inventuranforderung LIMIT 1");
      S->BindText(1, Wg);
      S->Execute();  // a failure throws: the child aborts
      _exit(0);
    }
    int Status = 0;
    waitpid(Kind, &Status, 0);
    ASSERT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0 && fs::exists(Firma() + "-wal"));
  }
  void ErwarteAlteFirma(const std::string& AFall) {
    EXPECT_EQ(Stand(*TDbConnection::Open(Firma())),
              "Anforderungen " + std::to_string(25 + FEintraege) + ", Log" + FLog + ", Artikel 300 ok")
        << AFall;
  }
  std::string Firma() const { return (FOrdner / "firma.db").string(); }

  TTempOrdner FTemp;
  TUmgebungsWert FLogDatei{"WWS_LOG", (FTemp.Pfad() / "wws.log").string()};
  fs::path FOrdner = FTemp.Pfad() / "ort";
  int FEintraege = 0;
  std::string FLog;  // " LOG0 LOG1 ...": the requests written to the log so far
};

}  // namespace

// The company's folder on a tmpfs of 3 MB, where this user may mount one.
TEST_F(WwsAdminFirmaSqlite, AFullDiskLeavesTheOldCompanyWithItsLogWhole) {
  if (::mount("tmpfs", FOrdner.c_str(), "tmpfs", 0, "size=3m") != 0) GTEST_SKIP() << "no tmpfs may be mounted here";
  const std::unique_ptr<const char, int (*)(const char*)> Aushaengen(FOrdner.c_str(), ::umount);
  AlteFirma();
  LogEintrag();
  const auto Demo4000 = Admin(Demo(Firma(), 4000, true));
  // init finds the disk filled up, so that not even an empty company fits.
  LogEintrag();
  std::ofstream Fueller(FOrdner / "fueller");
  for (const std::string Block(4096, 'x'); Fueller << Block && Fueller.flush();) {
  }
  const auto Init = Admin({"init", "--db", Firma(), "--force"});
  for (const auto& Erg : {Demo4000, Init}) {
    ErwarteFehler(Erg, "Datenträger");
    EXPECT_NE(Erg.Err.find("unverändert"), std::string::npos) << Erg.Err;
  }
  ErwarteAlteFirma("volle Platte");
  EXPECT_EQ(Neues(FOrdner), 0u);
}

// A write that fails (the file-size limit, SIGXFSZ ignored), a kill at
// several moments of the build, another program working in the company:
// the old company stays whole with its log; afterwards a replacement works
// and neither the old log nor a left-over file meets the new company.
TEST_F(WwsAdminFirmaSqlite, FaultsAtAnyMomentLeaveTheOldCompanyWhole) {
  AlteFirma();
  LogEintrag();
  std::vector<std::string> Begrenzt{"-c", "trap '' XFSZ; ulimit -f 1200; exec \"$0\" \"$@\"", WWS_ADMIN_PFAD};
  for (const auto& A : Demo(Firma(), 4000, true)) Begrenzt.push_back(A);
  const auto Schreibfehler = KindAusfuehren("/bin/sh", Begrenzt);
  ErwarteFehler(Schreibfehler, "unverändert");
  ErwarteAlteFirma("Schreibfehler");
  EXPECT_EQ(Neues(FOrdner), 0u);

  // Killed at once, when its file appears, and in the middle of its build.
  for (const uintmax_t Geschrieben : {uintmax_t{0}, uintmax_t{1}, uintmax_t{2'000'000}}) {
    LogEintrag();
    TKindProzess Kind(WWS_ADMIN_PFAD, Demo(Firma(), 8000, true));
    for (int Ms = 0; Neues(FOrdner) < Geschrieben && Ms < 10000; ++Ms) std::this_thread::sleep_for(1ms);
    Kind.Signal(SIGKILL);
    const auto Ende = Kind.Warten(10s);
    ASSERT_TRUE(Ende);
    EXPECT_EQ(Ende->Exit, 128 + SIGKILL) << "killed while it worked";
    ErwarteAlteFirma("Abbruch nach " + std::to_string(Geschrieben) + " Bytes");
  }

  {
    TKindProzess Halter(WWS_ADMIN_PFAD, {"locks", "hold", "1.1.1", "--seconds", "2", "--db", Firma()});
    ASSERT_TRUE(Halter.Zeile(10s));
    const auto Belegt = Admin(Demo(Firma(), 300, true));
    ErwarteFehler(Belegt, "in einem anderen Programm geöffnet");
    ASSERT_TRUE(Halter.Warten(10s));
    ErwarteAlteFirma("belegt");
  }

  LogEintrag();
  const auto Erg = Admin(Demo(Firma(), 500, true));
  ASSERT_EQ(Erg.Exit, 0) << Erg.Err;
  EXPECT_EQ(Neues(FOrdner), 0u) << "files of killed builds are removed by the next one";
  EXPECT_EQ(Stand(*TDbConnection::Open(Firma())), "Anforderungen 25, Log, Artikel 500 ok");
}

// A program that had opened the old file just before it was replaced, and
// reads only afterwards, finds no database there rather than a company
// whose changes nobody would ever see again.
TEST_F(WwsAdminFirmaSqlite, AProgramLeftOnTheReplacedFileReadsNoCompany) {
  AlteFirma();
  int Rohr[2];
  ASSERT_EQ(pipe(Rohr), 0);
  const pid_t Kind = fork();
  if (Kind == 0) {
    TSqliteFirmaDatei Db(Firma(), 0);
    char Zeichen = 0;
    [[maybe_unused]] const ssize_t N = read(Rohr[0], &Zeichen, 1);
    _exit(!Db.Ausfuehren("SELECT count(*) FROM artikel") && Db.Fehler().IsDamaged() ? 0 : 1);
  }
  ASSERT_EQ(Admin(Demo(Firma(), 500, true)).Exit, 0);
  ASSERT_EQ(write(Rohr[1], "x", 1), 1);
  int Status = 0;
  waitpid(Kind, &Status, 0);
  EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0);
  EXPECT_EQ(Stand(*TDbConnection::Open(Firma())), "Anforderungen 25, Log, Artikel 500 ok");
}

// A company kept under a link is replaced where the link leads, and the
// link stays; a place that can hold no company is refused (exit 2).
TEST_F(WwsAdminFirmaSqlite, ALinkedCompanyIsReplacedWhereTheLinkLeads) {
  AlteFirma();
  const std::string Verweis = (FOrdner / "verweis.db").string();
  fs::create_symlink(Firma(), Verweis);
  ASSERT_EQ(Admin(Demo(Verweis, 500, true)).Exit, 0);
  EXPECT_TRUE(fs::is_symlink(Verweis));
  EXPECT_EQ(Stand(*TDbConnection::Open(Firma())), "Anforderungen 25, Log, Artikel 500 ok");
  for (const std::string& Ort : {std::string("/dev/stdout"), FOrdner.string()}) {
    const auto Erg = Admin({"init", "--db", Ort, "--force"});
    EXPECT_EQ(Erg.Exit, 2) << Erg.Err;
    EXPECT_NE(Erg.Err.find("kann nicht geschrieben werden"), std::string::npos) << Erg.Err;
  }
  EXPECT_TRUE(fs::is_symlink("/dev/stdout"));
}

// PostgreSQL: a demo whose connection is terminated midway leaves nothing
// (one transaction); a company with data is refused unless forced, and
// forced it is emptied for real, equal to a new one.
TEST(WwsAdminFirmaPostgres, AnInterruptedBuildLeavesNothingAndForceReallyEmpties) {
  if (std::getenv("WWS_TEST_PG") == nullptr) GTEST_SKIP() << "WWS_TEST_PG not set";
  TTestDb Firma(TDbBackend::PostgreSQL);
  auto Aufsicht = Firma.Open();
  const char* const Groesse = "SELECT pg_database_size(current_database())";
  const int64_t Leer = std::stoll(Wert(*Aufsicht, Groesse));
  TKindProzess Kind(WWS_ADMIN_PFAD, Demo(Firma.Ort(), 4000, false));
  // Midway: several MB written, the build still running.
  bool Mitten = false;
  for (int I = 0; I < 600 && !Mitten; ++I, std::this_thread::sleep_for(20ms))
    Mitten = std::stoll(Wert(*Aufsicht, Groesse)) > Leer + 3'000'000;
  ASSERT_TRUE(Mitten);
  ASSERT_NE(Wert(*Aufsicht, "SELECT count(pg_terminate_backend(pid)) FROM pg_stat_activity WHERE datname = "
                            "current_database() AND pid <> pg_backend_pid()"),
            "0")
      << "the build had ended before it was cut off";
  const auto Abgebrochen = Kind.Warten(20s);
  ASSERT_TRUE(Abgebrochen);
  ErwarteFehler(*Abgebrochen, "Die Firma wurde nicht angelegt");
  EXPECT_EQ(Wert(*Aufsicht, "SELECT count(*) FROM information_schema.tables WHERE table_schema = current_schema()"),
            "0")
      << "no half company";
  EXPECT_EQ(Admin({"param", "list", "--db", Firma.Ort()}).Exit, 1) << "nothing opens as a company";

  ASSERT_EQ(Admin(Demo(Firma.Ort(), 300, false)).Exit, 0);
  const std::string MitDaten = Stand(*Firma.Open());
  for (const auto& Aufruf : {std::vector<std::string>{"init", "--db", Firma.Ort()}, Demo(Firma.Ort(), 300, false)}) {
    const auto Erg = Admin(Aufruf);
    ErwarteFehler(Erg, "enthält bereits Daten (Artikel, Filialen, Warengruppen ...)");
    EXPECT_EQ(Stand(*Firma.Open()), MitDaten);
  }
  {
    // A program in the middle of reading it, or a view another application
    // built on it, keeps it from being emptied.
    auto Leser = Firma.Open();
    TDbTransaction Lesend(*Leser);
    Stand(*Leser);
    ErwarteFehler(Admin({"init", "--db", Firma.Ort(), "--force"}), "von einem anderen Programm benutzt");
  }
  Aufsicht->ExecScript("CREATE VIEW fremde_sicht AS SELECT count(*) AS n FROM artikel");
  ErwarteFehler(Admin({"init", "--db", Firma.Ort(), "--force"}), "Objekte einer anderen Anwendung");
  Aufsicht->ExecScript("DROP VIEW fremde_sicht");
  EXPECT_EQ(Stand(*Firma.Open()), MitDaten);

  // Forced, it is a new company: the same tables and rows as one made anew.
  TTestDb Vergleich(TDbBackend::PostgreSQL);
  ASSERT_EQ(Admin({"init", "--db", Vergleich.Ort()}).Exit, 0);
  const auto Erzwungen = Admin({"init", "--db", Firma.Ort(), "--force"});
  ASSERT_EQ(Erzwungen.Exit, 0) << Erzwungen.Err;
  EXPECT_NE(Erzwungen.Aus.find("ersetzt"), std::string::npos) << Erzwungen.Aus;
  auto Inhalt = [](TDbConnection& ADb) {
    std::string Text;
    auto Tabelle = ADb.Prepare(
        "SELECT table_name, (xpath('/row/n/text()', query_to_xml(format('SELECT count(*) AS n FROM %I', "
        "table_name), false, true, '')))[1]::text FROM information_schema.tables WHERE table_schema = "
        "current_schema() ORDER BY 1");
    while (Tabelle->Step()) Text += Tabelle->ColumnText(0) + " " + Tabelle->ColumnText(1) + "\n";
    return Text;
  };
  auto Neu = Vergleich.Open();
  EXPECT_EQ(Inhalt(*Aufsicht), Inhalt(*Neu));
  EXPECT_NE(Inhalt(*Neu).find("artbesttyp 24"), std::string::npos) << Inhalt(*Neu);

  const auto Nochmal = Admin({"init", "--db", Firma.Ort()});
  EXPECT_EQ(Nochmal.Exit, 0);
  EXPECT_NE(Nochmal.Aus.find("nichts geändert"), std::string::npos) << Nochmal.Aus;
}

// A program that has the company open on the server keeps init and demo from
// replacing it: they name it and refuse (exit 2), and the company stays.
TEST(WwsAdminFirmaPostgres, AProgramThatHasTheCompanyOpenKeepsItFromBeingReplaced) {
  if (std::getenv("WWS_TEST_PG") == nullptr) GTEST_SKIP() << "WWS_TEST_PG not set";
  TTestDb Firma(TDbBackend::PostgreSQL);
  ASSERT_EQ(Admin(Demo(Firma.Ort(), 100, false)).Exit, 0);
  const std::string Vorher = Stand(*Firma.Open());
  {  // a program that opened the company and holds an article
    TKindProzess Kasse(WWS_ADMIN_PFAD, {"locks", "hold", Wert(*Firma.Open(), "SELECT max(artnr) FROM artnr_historie"),
                                        "--seconds", "60", "--db", Firma.Ort()});
    ASSERT_TRUE(Kasse.Zeile(30s));
    char Rechner[256] = {};
    gethostname(Rechner, sizeof Rechner - 1);
    const std::string Name = "ist in einem Programm (wws-admin auf " + std::string(Rechner) + ", Prozess " +
                             std::to_string(Kasse.Pid()) + ") geöffnet";
    for (const auto& Aufruf :
         {std::vector<std::string>{"init", "--db", Firma.Ort(), "--force"}, Demo(Firma.Ort(), 100, true)}) {
      const auto Erg = Admin(Aufruf);
      EXPECT_EQ(Erg.Exit, 2) << Erg.Err;
      EXPECT_NE(Erg.Err.find(Name), std::string::npos) << Erg.Err;
    }
    EXPECT_EQ(Stand(*Firma.Open()), Vorher);
  }
}
