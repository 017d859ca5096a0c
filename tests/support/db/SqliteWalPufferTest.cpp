// Company connections write a commit's WAL frames in one call: what they
// commit must reach every other reader whole - large transactions as well as
// small ones - and a writer killed in the middle leaves only whole commits.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/fixtures/TestDb.h"

namespace {

// A connection through SQLite's own VFS, as another program would open the file.
class TFremdeVerbindung {
 public:
  explicit TFremdeVerbindung(const std::string& APfad) {
    EXPECT_EQ(sqlite3_open_v2(APfad.c_str(), &FDb, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    sqlite3_busy_timeout(FDb, 15000);
  }
  ~TFremdeVerbindung() { sqlite3_close(FDb); }
  TFremdeVerbindung(const TFremdeVerbindung&) = delete;
  TFremdeVerbindung& operator=(const TFremdeVerbindung&) = delete;

  // The first row's columns of ASql as text, "|"-joined; "FEHLER ..." on failure.
  std::string Zeile(const char* ASql) {
    sqlite3_stmt* S = nullptr;
    if (sqlite3_prepare_v2(FDb, ASql, -1, &S, nullptr) != SQLITE_OK) return std::string("FEHLER ") + sqlite3_errmsg(FDb);
    std::string Ergebnis;
    const int Rc = sqlite3_step(S);
    if (Rc == SQLITE_ROW) {
      for (int I = 0; I < sqlite3_column_count(S); ++I) {
        const unsigned char* T = sqlite3_column_text(S, I);
        Ergebnis += (I ? "|" : "") + std::string(T ? reinterpret_cast<const char*>(T) : "");
      }
    } else if (Rc != SQLITE_DONE) {
      Ergebnis = std::string("FEHLER ") + sqlite3_errmsg(FDb);
    }
    sqlite3_finalize(S);
    return Ergebnis;
  }

 private:
  sqlite3* FDb = nullptr;
};

void TabelleAnlegen(TDbConnection& ADb) {
  ADb.ExecScript("CREATE TABLE satz (nr INTEGER PRIMARY KEY, gruppe INTEGER NOT NULL, daten BLOB NOT NULL)");
}

// AAnzahl rows of group AGruppe with ABytes bytes each, in one transaction.
void Schreiben(TDbConnection& ADb, int AGruppe, int AAnzahl, int ABytes) {
  TDbTransaction T(ADb);
  auto S = ADb.Prepare("INSERT INTO satz (gruppe, daten) VALUES (?, zeroblob(?))");
  for (int I = 0; I < AAnzahl; ++I) {
    S->BindInt(1, AGruppe);
    S->BindInt(2, ABytes);
    S->Run();
  }
  T.Commit();
}

}  // namespace

TEST(SqliteWalPufferTest, GrosseUndKleineCommitsKommenGanzBeiAnderenAn) {
  TTestDb Db(TDbBackend::SQLite);
  auto Conn = Db.Open();
  TabelleAnlegen(*Conn);
  // Beyond one write call (128 KiB) and beyond the collected piece (1 MiB).
  Schreiben(*Conn, 1, 800, 3000);
  for (int G = 2; G <= 200; ++G) Schreiben(*Conn, G, 3, 100);

  TFremdeVerbindung Fremd(Db.Ort());
  EXPECT_EQ(Fremd.Zeile("SELECT count(*), count(DISTINCT gruppe), sum(length(daten)) FROM satz"),
            std::to_string(800 + 199 * 3) + "|200|" + std::to_string(800 * 3000 + 199 * 3 * 100));
  EXPECT_EQ(Fremd.Zeile("PRAGMA integrity_check"), "ok");

  // The other way round: what the other program commits, our connection reads.
  EXPECT_EQ(Fremd.Zeile("INSERT INTO satz (gruppe, daten) VALUES (999, zeroblob(5000)) RETURNING gruppe"), "999");
  auto Lesen = Conn->Prepare("SELECT count(*) FROM satz WHERE gruppe = 999");
  ASSERT_TRUE(Lesen->Step());
  EXPECT_EQ(Lesen->ColumnInt(0), 1);
}

TEST(SqliteWalPufferTest, LeserSiehtNurGanzeCommits) {
  TTestDb Db(TDbBackend::SQLite);
  auto Conn = Db.Open();
  TabelleAnlegen(*Conn);
  std::atomic<bool> Fertig{false}, Zerrissen{false};
  std::string Fehler;  // the reader's, read after join
  int Lesungen = 0;
  std::thread Leser([&] {
    TFremdeVerbindung Fremd(Db.Ort());
    while (!Fertig && !Zerrissen) {
      // Every commit adds 7 rows of one group: any other count is a torn commit.
      const std::string Z = Fremd.Zeile("SELECT count(*) % 7, count(*) - 7 * count(DISTINCT gruppe) FROM satz");
      if (Z != "0|0") {
        Fehler = Z;
        Zerrissen = true;
      }
      ++Lesungen;
    }
  });
  for (int G = 1; G <= 300 && !Zerrissen; ++G) Schreiben(*Conn, G, 7, G % 10 == 0 ? 40000 : 200);
  Fertig = true;
  Leser.join();
  EXPECT_EQ(Fehler, "");
  EXPECT_GT(Lesungen, 0);
  TFremdeVerbindung Fremd(Db.Ort());
  EXPECT_EQ(Fremd.Zeile("SELECT count(*) FROM satz"), std::to_string(300 * 7));
  EXPECT_EQ(Fremd.Zeile("PRAGMA integrity_check"), "ok");
}

TEST(SqliteWalPufferTest, GetoeteterSchreiberHinterlaesstNurGanzeCommits) {
  TTestDb Db(TDbBackend::SQLite);
  Db.Open()->ExecScript("CREATE TABLE buchung (programm TEXT, nr INTEGER, PRIMARY KEY (programm, nr))");
  for (int Versuch = 0; Versuch < 5; ++Versuch) {
    const std::string Programm = "kasse" + std::to_string(Versuch);
    const pid_t Pid = fork();
    if (Pid == 0) {
      execl(WWS_DB_SCHREIBER, WWS_DB_SCHREIBER, Db.Ort().c_str(), Programm.c_str(), "1000000",
            static_cast<char*>(nullptr));
      _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(150 + 70 * Versuch));
    kill(Pid, SIGKILL);
    int Status = 0;
    ASSERT_EQ(waitpid(Pid, &Status, 0), Pid);
    ASSERT_TRUE(WIFSIGNALED(Status)) << "the writer ended before it was killed";
  }
  // The writer commits five rows at a time.
  TFremdeVerbindung Fremd(Db.Ort());
  EXPECT_EQ(Fremd.Zeile("SELECT count(*) FROM (SELECT programm FROM buchung GROUP BY programm HAVING count(*) % 5 <> 0)"),
            "0");
  EXPECT_NE(Fremd.Zeile("SELECT count(*) FROM buchung"), "0");
  EXPECT_EQ(Fremd.Zeile("PRAGMA integrity_check"), "ok");
}

TEST(SqliteWalPufferTest, DasLogGehtImHintergrundInDieDateiZurueckUndBleibtBegrenzt) {
  TTestDb Db(TDbBackend::SQLite);
  const std::string Datei = Db.Ort();
  {
    auto Conn = Db.Open();
    TabelleAnlegen(*Conn);
    // About 80 MiB in commits of 400 KiB: past the checkpoint mark (64 MiB of log).
    for (int G = 1; G <= 200; ++G) Schreiben(*Conn, G, 100, 4000);
    // The checkpoint runs beside the writer: the rows reach the database
    // file itself while the connection stays open and idle.
    const auto Bis = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::filesystem::file_size(Datei) < 60u << 20 && std::chrono::steady_clock::now() < Bis)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_GE(std::filesystem::file_size(Datei), 60u << 20);
    // The log is written again from its start once it was copied back.
    for (int G = 201; G <= 300; ++G) Schreiben(*Conn, G, 100, 4000);
    EXPECT_LT(std::filesystem::file_size(Datei + "-wal"), 200u << 20);
    // Closing while a checkpoint may still run waits for it.
  }
  TFremdeVerbindung Fremd(Datei);
  EXPECT_EQ(Fremd.Zeile("SELECT count(*), count(DISTINCT gruppe) FROM satz"), "30000|300");
  EXPECT_EQ(Fremd.Zeile("PRAGMA integrity_check"), "ok");
}
