// Transactions: all or nothing, on every available backend.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fixtures/TestDb.h"

namespace {

class TDbTransaktionTest : public ::testing::TestWithParam<TDbBackend> {
 protected:
  void SetUp() override {
    FDb = std::make_unique<TTestDb>(GetParam());
    FConn = FDb->Open();
    FConn->ExecScript("CREATE TABLE satz (nr INTEGER PRIMARY KEY, text TEXT)");
    FSchreiben = FConn->Prepare("INSERT INTO satz (nr, text) VALUES (?, ?)");
  }
  void Schreiben(int ANr) {
    FSchreiben->BindInt(1, ANr);
    FSchreiben->BindText(2, "satz " + std::to_string(ANr));
    FSchreiben->Run();
  }
  // Counted through a second connection: only what is committed counts.
  int64_t Gespeichert() {
    auto Andere = FDb->Open();
    auto Zaehlen = Andere->Prepare("SELECT count(*) FROM satz");
    return Zaehlen->Step() ? Zaehlen->ColumnInt(0) : -1;
  }
  std::unique_ptr<TTestDb> FDb;
  std::unique_ptr<TDbConnection> FConn;
  std::unique_ptr<TDbStatement> FSchreiben;
};

TEST_P(TDbTransaktionTest, UncommittedWorkIsRolledBack) {
  {
    TDbTransaction Transaktion(*FConn);
    for (int N = 0; N < 50; ++N) Schreiben(N);
  }  // no Commit: the destructor rolls back
  EXPECT_FALSE(FConn->InTransaction());
  EXPECT_EQ(Gespeichert(), 0);

  FConn->Begin();
  Schreiben(1);
  FConn->Rollback();
  EXPECT_EQ(Gespeichert(), 0);
  FConn->Rollback();  // a second rollback is harmless

  {
    TDbTransaction Transaktion(*FConn);
    Schreiben(1);
    Schreiben(2);
    Transaktion.Commit();
  }
  EXPECT_EQ(Gespeichert(), 2);
}

TEST_P(TDbTransaktionTest, ReadInsideTransactionSeesEarlierWrites) {
  TDbTransaction Transaktion(*FConn);
  for (int N = 0; N < 120; ++N) Schreiben(N);
  auto Lesen = FConn->Prepare("SELECT count(*), max(text) FROM satz");
  ASSERT_TRUE(Lesen->Step());
  EXPECT_EQ(Lesen->ColumnInt(0), 120);
  EXPECT_EQ(Lesen->ColumnText(1), "satz 99");
  EXPECT_EQ(Gespeichert(), 0) << "nothing is visible outside before Commit";
  Transaktion.Commit();
  EXPECT_EQ(Gespeichert(), 120);
}

TEST_P(TDbTransaktionTest, FailingWriteSurfacesAndLeavesNothing) {
  Schreiben(5);
  try {
    TDbTransaction Transaktion(*FConn);
    for (int N = 0; N < 10; ++N) Schreiben(N);  // 5 exists: a queued write fails
    FConn->Flush();
    Transaktion.Commit();
    FAIL() << "duplicate key went unnoticed";
  } catch (const EDbError& E) {
    EXPECT_TRUE(E.IsUniqueViolation()) << E.what();
  }
  EXPECT_FALSE(FConn->InTransaction());
  EXPECT_EQ(Gespeichert(), 1);
  // The connection works normally afterwards.
  Schreiben(6);
  EXPECT_EQ(Gespeichert(), 2);
}

// Both backends behave alike: after a failed statement the transaction is
// gone, and nothing more is written in it (not even by accident in autocommit).
TEST_P(TDbTransaktionTest, FailedWriteAbortsTheWholeTransaction) {
  Schreiben(3);
  FConn->Begin();
  Schreiben(1);
  EXPECT_THROW(
      {
        Schreiben(3);
        FConn->Flush();
      },
      EDbError);
  EXPECT_TRUE(FConn->InTransaction()) << "the caller's bracket is still open";
  EXPECT_THROW(Schreiben(2), EDbError);
  EXPECT_THROW(FConn->Commit(), EDbError);
  EXPECT_FALSE(FConn->InTransaction());
  EXPECT_EQ(Gespeichert(), 1);
}

// PostgreSQL holds a transaction's inserts back to send them as one
// statement: whatever runs between them must still see them, and run after
// them, in the order given.
TEST_P(TDbTransaktionTest, HeldBackInsertsKeepTheirPlaceAmongOtherWork) {
  auto Aendern = FConn->Prepare("UPDATE satz SET text = ? WHERE nr <= ?");
  auto Zweites = FConn->Prepare("INSERT INTO satz (text, nr) VALUES (?, ?)");
  {
    TDbTransaction Transaktion(*FConn);
    for (int N = 1; N <= 3; ++N) Schreiben(N);
    Aendern->BindText(1, "geaendert");
    Aendern->BindInt(2, 2);
    Aendern->Run();
    Zweites->BindText(1, "zweites");
    Zweites->BindInt(2, 4);
    Zweites->Run();
    Schreiben(5);
    {
      // Rows of a statement that is gone before the commit arrive all the same.
      auto Kurz = FConn->Prepare("INSERT INTO satz (nr, text) VALUES (?, ?)");
      Kurz->BindInt(1, 6);
      Kurz->BindText(2, "kurz");
      Kurz->Run();
    }
    Transaktion.Commit();
  }
  auto Lesen = FConn->Prepare("SELECT nr, text FROM satz ORDER BY nr");
  std::vector<std::string> Zeilen;
  while (Lesen->Step()) Zeilen.push_back(std::to_string(Lesen->ColumnInt(0)) + " " + Lesen->ColumnText(1));
  EXPECT_EQ(Zeilen, (std::vector<std::string>{"1 geaendert", "2 geaendert", "3 satz 3", "4 zweites", "5 satz 5",
                                              "6 kurz"}));
}

// An insert whose rows were skipped because an earlier statement of the same
// transaction failed works again in the next transaction.
TEST_P(TDbTransaktionTest, InsertsAfterAFailedTransactionWorkAgain) {
  Schreiben(1);
  Schreiben(2);
  auto Scheitern = FConn->Prepare("UPDATE satz SET nr = ? WHERE nr = ?");
  for (int Versuch = 0; Versuch < 2; ++Versuch) {
    FConn->Begin();
    Scheitern->BindInt(1, 2);  // taken
    Scheitern->BindInt(2, 1);
    EXPECT_THROW(
        {
          Scheitern->Run();
          for (int N = 10; N < 13; ++N) Schreiben(N);
          FConn->Flush();
        },
        EDbError);
    FConn->Rollback();
  }
  {
    TDbTransaction Transaktion(*FConn);
    for (int N = 10; N < 13; ++N) Schreiben(N);
    Transaktion.Commit();
  }
  EXPECT_EQ(Gespeichert(), 5);
}

TEST_P(TDbTransaktionTest, BeginInsideTransactionIsRefused) {
  TDbTransaction Transaktion(*FConn);
  EXPECT_THROW(FConn->Begin(), EDbError);
  EXPECT_TRUE(FConn->InTransaction());
}

TEST_P(TDbTransaktionTest, QueuedWritesReportTheirRowCountsAndWholeReadsSeeThem) {
  for (int N = 0; N < 10; ++N) Schreiben(N);
  auto Aendern = FConn->Prepare("UPDATE satz SET text = ? WHERE nr < ?");
  auto Lesen = FConn->PrepareGanz("SELECT nr, text FROM satz WHERE nr >= ? ORDER BY nr");
  std::vector<int64_t> Gezaehlt;
  {
    TDbTransaction Transaktion(*FConn);
    for (int Grenze : {3, 0, 7}) {
      Aendern->BindText(1, "neu " + std::to_string(Grenze));
      Aendern->BindInt(2, Grenze);
      Aendern->Run([&](int64_t AGeaendert) { Gezaehlt.push_back(AGeaendert); });
    }
    // A read whole sees the queued writes, and reading it twice gives the same.
    for (int Runde = 0; Runde < 2; ++Runde) {
      Lesen->Reset();
      Lesen->BindInt(1, 5);
      std::vector<std::string> Texte;
      while (Lesen->Step()) Texte.push_back(Lesen->ColumnText(1));
      EXPECT_EQ(Texte, (std::vector<std::string>{"neu 7", "neu 7", "satz 7", "satz 8", "satz 9"}));
    }
    FConn->Flush();
    EXPECT_EQ(Gezaehlt, (std::vector<int64_t>{3, 0, 7}));
    Transaktion.Commit();
  }
  // Outside a transaction the count comes at once.
  Aendern->Run([&](int64_t AGeaendert) { Gezaehlt.push_back(AGeaendert); });
  EXPECT_EQ(Gezaehlt.back(), 7);
  EXPECT_EQ(Gespeichert(), 10);
}

// A full disk is a sentence the user can act on, and the transaction is gone
// whole. (SQLite reports a database at its page limit as full, as it does a
// full disk.)
TEST(TDbSqliteFehlerTest, AFullDatabaseSaysSoInGermanAndKeepsWhatWasCommitted) {
  TTestDb Db(TDbBackend::SQLite);
  auto Conn = Db.Open();
  Conn->ExecScript("CREATE TABLE satz (nr INTEGER PRIMARY KEY, text TEXT)");
  auto Schreiben = Conn->Prepare("INSERT INTO satz (nr, text) VALUES (?, ?)");
  Schreiben->BindInt(1, 0);
  Schreiben->BindText(2, "vorher");
  Schreiben->Execute();
  Conn->ExecScript("PRAGMA max_page_count = 8");
  try {
    TDbTransaction Transaktion(*Conn);
    for (int N = 1; N < 10000; ++N) {
      Schreiben->BindInt(1, N);
      Schreiben->BindText(2, std::string(500, 'x'));
      Schreiben->Run();
    }
    Transaktion.Commit();
    FAIL() << "the page limit went unnoticed";
  } catch (const EDbError& E) {
    EXPECT_EQ(std::string(E.what()).rfind("Der Datenträger der Firmendatenbank ist voll.", 0), 0u) << E.what();
  }
  auto Zaehlen = Conn->Prepare("SELECT count(*) FROM satz");
  ASSERT_TRUE(Zaehlen->Step());
  EXPECT_EQ(Zaehlen->ColumnInt(0), 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, TDbTransaktionTest, ::testing::ValuesIn(TTestDb::Available()), TTestDbName);

}  // namespace
