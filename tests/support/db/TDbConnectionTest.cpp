// Values in and out of the database, on every available backend.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <cmath>
#include <limits>

#include "tests/fixtures/TestDb.h"

namespace {

class TDbConnectionTest : public ::testing::TestWithParam<TDbBackend> {
 protected:
  void SetUp() override {
    FDb = std::make_unique<TTestDb>(GetParam());
    FConn = FDb->Open();
    FConn->ExecScript(
        "CREATE TABLE werte (id INTEGER PRIMARY KEY, i BIGINT, d DOUBLE PRECISION, s TEXT COLLATE \"C\")");
  }
  void Einfuegen(int64_t AId, std::string_view AText) {
    auto Stmt = FConn->Prepare("INSERT INTO werte (id, s) VALUES (?, ?)");
    Stmt->BindInt(1, AId);
    Stmt->BindText(2, AText);
    EXPECT_EQ(Stmt->Execute(), 1);
  }
  std::unique_ptr<TTestDb> FDb;
  std::unique_ptr<TDbConnection> FConn;
};

std::vector<std::string> FeindlicheTexte() {
  return {"",
          "O'Brien\"; DROP TABLE werte; --",
          std::string("a\0b\0", 4),
          std::string(1, '\0'),
          "\x01\x02\x01",
          std::string(10240, 'x') + "ende",
          "Größe Äpfel Straße €",
          "? $1 ?? :name",
          "\\x00 \\\\ backslash"};
}

TEST_P(TDbConnectionTest, EveryTypeRoundTripsUnchanged) {
  auto Schreiben = FConn->Prepare("INSERT INTO werte (id, i, d, s) VALUES (?, ?, ?, ?)");
  const std::vector<int64_t> Ganz{0, -1, std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::min()};
  const std::vector<double> Komma{0.1, 1.0 / 3.0, 27000.0, -1e300, 5e-324, 45291.99999999999};
  const auto Texte = FeindlicheTexte();
  for (size_t N = 0; N < Texte.size(); ++N) {
    Schreiben->BindInt(1, static_cast<int64_t>(N));
    Schreiben->BindInt(2, Ganz[N % Ganz.size()]);
    Schreiben->BindDouble(3, Komma[N % Komma.size()]);
    Schreiben->BindText(4, Texte[N]);
    Schreiben->Execute();
  }
  Schreiben->BindInt(1, 100);
  Schreiben->BindNull(2);
  Schreiben->BindNull(3);
  Schreiben->BindNull(4);
  Schreiben->Execute();

  auto Lesen = FConn->Prepare("SELECT id, i, d, s FROM werte ORDER BY id");
  size_t N = 0;
  for (; Lesen->Step() && N < Texte.size(); ++N) {
    ASSERT_EQ(Lesen->ColumnCount(), 4);
    EXPECT_EQ(Lesen->ColumnInt(0), static_cast<int64_t>(N));
    EXPECT_EQ(Lesen->ColumnInt(1), Ganz[N % Ganz.size()]);
    EXPECT_EQ(Lesen->ColumnDouble(2), Komma[N % Komma.size()]) << "row " << N;
    EXPECT_EQ(Lesen->ColumnText(3), Texte[N]) << "row " << N;
    EXPECT_FALSE(Lesen->ColumnIsNull(3));
  }
  EXPECT_EQ(N, Texte.size());
  EXPECT_EQ(Lesen->ColumnInt(0), 100);
  for (int Spalte = 1; Spalte < 4; ++Spalte) EXPECT_TRUE(Lesen->ColumnIsNull(Spalte));
  EXPECT_EQ(Lesen->ColumnText(3), "");
  EXPECT_FALSE(Lesen->Step());
  EXPECT_FALSE(Lesen->Step()) << "a finished query stays finished until Reset";
}

TEST_P(TDbConnectionTest, TextsMatchAndSortBytewise) {
  std::vector<std::string> Texte{"b", "a", "B", std::string(1, '\0'), "\x01", "ä", "z", std::string("a\0", 2), "",
                                 "a\x01", "~", "\x7f"};
  for (size_t N = 0; N < Texte.size(); ++N) Einfuegen(static_cast<int64_t>(N), Texte[N]);
  std::sort(Texte.begin(), Texte.end());
  auto Lesen = FConn->Prepare("SELECT s FROM werte ORDER BY s");
  std::vector<std::string> Gelesen;
  while (Lesen->Step()) Gelesen.push_back(Lesen->ColumnText(0));
  EXPECT_EQ(Gelesen, Texte);

  // A key value with a NUL finds its own row only, and range reads agree.
  auto Gleich = FConn->Prepare("SELECT count(*) FROM werte WHERE s = ?");
  Gleich->BindText(1, std::string("a\0", 2));
  ASSERT_TRUE(Gleich->Step());
  EXPECT_EQ(Gleich->ColumnInt(0), 1);
  auto Ab = FConn->Prepare("SELECT count(*) FROM werte WHERE s >= ?");
  Ab->BindText(1, "a");
  ASSERT_TRUE(Ab->Step());
  EXPECT_EQ(Ab->ColumnInt(0), std::count_if(Texte.begin(), Texte.end(), [](const auto& S) { return S >= "a"; }));
}

TEST_P(TDbConnectionTest, PlaceholdersInsideQuotedTextStayText) {
  auto Stmt = FConn->Prepare("SELECT '?', ?, 'it''s ?', \"s\" FROM werte WHERE id = ?");
  Einfuegen(7, "wert");
  Stmt->BindText(1, "eins");
  Stmt->BindInt(2, 7);
  ASSERT_TRUE(Stmt->Step());
  EXPECT_EQ(Stmt->ColumnText(0), "?");
  EXPECT_EQ(Stmt->ColumnText(1), "eins");
  EXPECT_EQ(Stmt->ColumnText(2), "it's ?");
  EXPECT_EQ(Stmt->ColumnText(3), "wert");
}

TEST_P(TDbConnectionTest, StatementRunsAgainWithNewValues) {
  auto Schreiben = FConn->Prepare("INSERT INTO werte (id, i) VALUES (?, ?)");
  for (int N = 0; N < 5; ++N) {
    Schreiben->BindInt(1, N);
    Schreiben->BindInt(2, N * 10);
    Schreiben->Execute();
  }
  auto Lesen = FConn->Prepare("SELECT i FROM werte WHERE id = ?");
  for (int N : {3, 1, 4}) {
    Lesen->BindInt(1, N);  // binding again without Reset restarts the query
    ASSERT_TRUE(Lesen->Step());
    EXPECT_EQ(Lesen->ColumnInt(0), N * 10);
  }
  auto Aendern = FConn->Prepare("UPDATE werte SET i = i + 1 WHERE id >= ?");
  Aendern->BindInt(1, 2);
  EXPECT_EQ(Aendern->Execute(), 3);
  EXPECT_EQ(Aendern->Execute(), 3);
}

TEST_P(TDbConnectionTest, DuplicateKeyIsReportedAsUniqueViolation) {
  Einfuegen(1, "erst");
  auto Stmt = FConn->Prepare("INSERT INTO werte (id, s) VALUES (?, ?)");
  Stmt->BindInt(1, 1);
  Stmt->BindText(2, "doppelt");
  try {
    Stmt->Execute();
    FAIL() << "duplicate key accepted";
  } catch (const EDbError& E) {
    EXPECT_TRUE(E.IsUniqueViolation()) << E.what();
  }
  FConn->ExecScript("CREATE TABLE pflicht (x INTEGER NOT NULL)");
  auto Falsch = FConn->Prepare("INSERT INTO pflicht (x) VALUES (?)");
  Falsch->BindNull(1);
  try {
    Falsch->Execute();
    FAIL() << "NULL accepted in a NOT NULL column";
  } catch (const EDbError& E) {
    EXPECT_FALSE(E.IsUniqueViolation()) << E.what();
  }
  EXPECT_THROW(FConn->Prepare("SELEKT kaputt"), EDbError);
}

// A long scan keeps going while other statements of the same connection read
// and write, outside and inside a transaction.
TEST_P(TDbConnectionTest, LargeResultStreamsWhileOtherStatementsRun) {
  constexpr int CZeilen = 100000;
  {
    TDbTransaction Transaktion(*FConn);
    auto Schreiben = FConn->Prepare("INSERT INTO werte (id, i) VALUES (?, ?)");
    for (int N = 0; N < CZeilen; ++N) {
      Schreiben->BindInt(1, N);
      Schreiben->BindInt(2, N % 7);
      Schreiben->Run();
    }
    Transaktion.Commit();
  }
  auto Zaehlen = FConn->Prepare("SELECT count(*) FROM werte");
  ASSERT_TRUE(Zaehlen->Step());
  ASSERT_EQ(Zaehlen->ColumnInt(0), CZeilen);
  Zaehlen->Reset();

  for (bool InTransaktion : {false, true}) {
    if (InTransaktion) FConn->Begin();
    auto Scan = FConn->Prepare("SELECT id, i FROM werte ORDER BY id");
    auto Nachschlagen = FConn->Prepare("SELECT i FROM werte WHERE id = ?");
    auto Merken = FConn->Prepare("UPDATE werte SET d = ? WHERE id = ?");
    int64_t Erwartet = 0;
    while (Scan->Step()) {
      ASSERT_EQ(Scan->ColumnInt(0), Erwartet);
      if (Erwartet % 997 == 0) {
        Nachschlagen->BindInt(1, CZeilen - 1 - Erwartet);
        ASSERT_TRUE(Nachschlagen->Step());
        EXPECT_EQ(Nachschlagen->ColumnInt(0), (CZeilen - 1 - Erwartet) % 7);
        Merken->BindDouble(1, 1.5);
        Merken->BindInt(2, Erwartet);
        Merken->Run();
      }
      ++Erwartet;
    }
    EXPECT_EQ(Erwartet, CZeilen);
    if (InTransaktion) FConn->Commit();
  }
  auto Summe = FConn->Prepare("SELECT count(*) FROM werte WHERE d = 1.5");
  ASSERT_TRUE(Summe->Step());
  EXPECT_EQ(Summe->ColumnInt(0), (CZeilen + 996) / 997);
}

// Rows are fetched as they are read: even an endless query delivers its first
// rows, beside other reads, and stops cleanly when abandoned.
TEST_P(TDbConnectionTest, EndlessQueryIsReadPieceByPiece) {
  Einfuegen(1, "eins");
  auto Endlos = FConn->Prepare("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) SELECT x FROM n");
  auto Nachschlagen = FConn->Prepare("SELECT s FROM werte WHERE id = ?");
  for (bool InTransaktion : {false, true}) {
    if (InTransaktion) FConn->Begin();
    for (int64_t Erwartet = 1; Erwartet <= 2500; ++Erwartet) {
      ASSERT_TRUE(Endlos->Step());
      ASSERT_EQ(Endlos->ColumnInt(0), Erwartet);
      if (Erwartet % 1000 == 0) {
        Nachschlagen->BindInt(1, 1);
        ASSERT_TRUE(Nachschlagen->Step());
        EXPECT_EQ(Nachschlagen->ColumnText(0), "eins");
        Nachschlagen->Reset();
      }
    }
    Endlos->Reset();
    if (InTransaktion) FConn->Commit();
    Einfuegen(InTransaktion ? 3 : 2, "danach");
  }
  auto Zaehlen = FConn->Prepare("SELECT count(*) FROM werte");
  ASSERT_TRUE(Zaehlen->Step());
  EXPECT_EQ(Zaehlen->ColumnInt(0), 3);
}

// A finished read leaves no open transaction behind on the server, where it
// would hold locks while the program waits for its user.
TEST_P(TDbConnectionTest, FinishedReadLeavesNoIdleTransaction) {
  if (GetParam() != TDbBackend::PostgreSQL) GTEST_SKIP() << "a server-side question";
  auto Pid = FConn->Prepare("SELECT pg_backend_pid()");
  ASSERT_TRUE(Pid->Step());
  const int64_t Nummer = Pid->ColumnInt(0);
  Pid->Reset();
  auto Beobachter = FDb->Open();
  auto Zustand = Beobachter->Prepare("SELECT state FROM pg_stat_activity WHERE pid = ?");
  std::string Gesehen;
  // The closing COMMIT travels without waiting for its answer: allow it a moment.
  for (int Versuch = 0; Versuch < 100 && Gesehen != "idle"; ++Versuch) {
    if (Versuch) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Zustand->BindInt(1, Nummer);
    ASSERT_TRUE(Zustand->Step());
    Gesehen = Zustand->ColumnText(0);
    Zustand->Reset();
  }
  EXPECT_EQ(Gesehen, "idle");
}

TEST_P(TDbConnectionTest, QueriesSentAheadAreReadInAnyOrderAndResetCleanly) {
  for (int Id = 1; Id <= 5; ++Id) Einfuegen(Id, "t" + std::to_string(Id));
  auto Klein = FConn->PrepareGanz("SELECT s FROM werte WHERE id <= ? ORDER BY id");
  auto Gross = FConn->PrepareGanz("SELECT count(*) FROM werte WHERE id > ?");
  auto Falsch = FConn->PrepareGanz("SELECT 1 / (id - id) FROM werte WHERE id = ?");
  auto Lesen = [](TDbStatement& AS) {
    std::vector<std::string> Zeilen;
    while (AS.Step()) Zeilen.push_back(AS.ColumnText(0));
    AS.Reset();
    return Zeilen;
  };
  for (int Runde = 0; Runde < 2; ++Runde) {
    Klein->BindInt(1, 2);
    Gross->BindInt(1, 2);
    Klein->Vorausschicken();
    Gross->Vorausschicken();
    EXPECT_EQ(Lesen(*Gross), (std::vector<std::string>{std::to_string(3 + Runde)}));
    Einfuegen(10 + Runde, "spaet");  // the other answer is still waiting meanwhile
    EXPECT_EQ(Lesen(*Klein), (std::vector<std::string>{"t1", "t2"}));
  }
  // One sent ahead and never read: its reset takes the answer in.
  Klein->Vorausschicken();
  Klein->Reset();
  EXPECT_EQ(Lesen(*Gross), (std::vector<std::string>{"5"}));
  // A failing query sent ahead fails where it is read, and the connection goes on.
  if (GetParam() == TDbBackend::PostgreSQL) {
    Falsch->BindInt(1, 1);
    Falsch->Vorausschicken();
    EXPECT_THROW(Lesen(*Falsch), EDbError);
    Falsch->Reset();
    EXPECT_EQ(Lesen(*Klein), (std::vector<std::string>{"t1", "t2"}));
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, TDbConnectionTest, ::testing::ValuesIn(TTestDb::Available()), TTestDbName);

}  // namespace
