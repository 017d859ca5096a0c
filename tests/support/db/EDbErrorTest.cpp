// What a database failure means, asked of real failures on every available
// backend: the questions callers decide by, and the German sentence in front.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <thread>
#include <chrono>

#include "tests/fixtures/TestDb.h"

namespace {

struct TFall {
  const char* Name;
  bool NurSqlite = false, NurPostgres = false;
  // Makes the failure happen on AConn (its table satz holds row 1); ADb
  // opens further connections to the same database.
  std::function<void(TDbConnection& AConn, TTestDb& ADb)> Ausloesen;
  bool Eindeutig = false, Ausfall = false, Verklemmung = false, NurLesen = false, Voll = false;
  const char* Satz = "";  // how the message begins; empty: no sentence, the technical text alone
};

void Ausfuehren(TDbConnection& AConn, const char* ASql, int64_t AWert = 1) {
  auto S = AConn.Prepare(ASql);
  S->BindInt(1, AWert);
  S->Execute();
}

const TFall KFaelle[] = {
    {.Name = "unique key",
     .Ausloesen = [](TDbConnection& C, TTestDb&) { Ausfuehren(C, "INSERT INTO satz (nr) VALUES (?)"); },
     .Eindeutig = true},
    {.Name = "a statement's own mistake",
     .Ausloesen = [](TDbConnection& C, TTestDb&) { Ausfuehren(C, "INSERT INTO satz (nr) VALUES (CAST(? AS TEXT) || 'x')"); }},
    {.Name = "read-only",
     .Ausloesen =
         [](TDbConnection& C, TTestDb& D) {
           C.ExecScript(D.Backend() == TDbBackend::SQLite ? "PRAGMA query_only = 1"
                                                          : "SET default_transaction_read_only = on");
           Ausfuehren(C, "INSERT INTO satz (nr) VALUES (?)", 2);
         },
     .Ausfall = true,
     .NurLesen = true,
     .Satz = "Die Firmendatenbank darf nicht geschrieben werden."},
    {.Name = "transaction rolled back before",
     .Ausloesen =
         [](TDbConnection& C, TTestDb&) {
           TDbTransaction T(C);
           try {
             Ausfuehren(C, "INSERT INTO satz (nr) VALUES (?)");
           } catch (const EDbError&) {
           }
           Ausfuehren(C, "INSERT INTO satz (nr) VALUES (?)", 2);
         },
     .Ausfall = true,
     .Satz = "Nach einem früheren Fehler wurde der ganze Schritt zurückgenommen"},
    {.Name = "disk full",
     .NurSqlite = true,  // SQLite counts a database at its page limit as full, as it does a full disk
     .Ausloesen =
         [](TDbConnection& C, TTestDb&) {
           C.ExecScript("PRAGMA max_page_count = 3");
           auto S = C.Prepare("INSERT INTO satz (nr, text) VALUES (?, ?)");
           for (int N = 2; N < 1000; ++N) {
             S->BindInt(1, N);
             S->BindText(2, std::string(1000, 'x'));
             S->Execute();
           }
         },
     .Ausfall = true,
     .Voll = true,
     .Satz = "Der Datenträger der Firmendatenbank ist voll."},
    {.Name = "deadlock",
     .NurPostgres = true,
     .Ausloesen =
         [](TDbConnection& C, TTestDb& D) {
           // Each transaction holds one row and waits for the other's; the
           // server rolls one of them back. Ours waits last, so theirs detects it
           // first unless its wait is the longer: it is told to wait longer.
           auto Andere = D.Open();
           Andere->ExecScript("SET deadlock_timeout = '10s'");
           Ausfuehren(*Andere, "INSERT INTO satz (nr) VALUES (?)", 2);
           TDbTransaction T(C);
           TDbTransaction TA(*Andere);
           Ausfuehren(C, "UPDATE satz SET text = 'a' WHERE nr = ?", 1);
           Ausfuehren(*Andere, "UPDATE satz SET text = 'b' WHERE nr = ?", 2);
           std::thread Warten([&] {
             try {
               Ausfuehren(*Andere, "UPDATE satz SET text = 'b' WHERE nr = ?", 1);
             } catch (const EDbError&) {
             }
           });
           std::this_thread::sleep_for(std::chrono::milliseconds(200));  // theirs waits first
           try {
             Ausfuehren(C, "UPDATE satz SET text = 'a' WHERE nr = ?", 2);
           } catch (...) {
             Warten.join();
             throw;
           }
           Warten.join();
         },
     .Verklemmung = true,
     .Satz = "Ein anderes Programm hat gleichzeitig dieselben Daten bearbeitet"},
    {.Name = "connection lost",
     .NurPostgres = true,
     .Ausloesen =
         [](TDbConnection& C, TTestDb& D) {
           auto Pid = C.Prepare("SELECT pg_backend_pid()");
           Pid->Step();
           const int64_t Nummer = Pid->ColumnInt(0);
           Pid->Reset();
           Ausfuehren(*D.Open(), "SELECT pg_terminate_backend(CAST(? AS INTEGER))", Nummer);
           Ausfuehren(C, "INSERT INTO satz (nr) VALUES (?)", 2);
         },
     .Ausfall = true,
     .Satz = "Die Verbindung zum Datenbankserver ist abgebrochen"},
};

class EDbErrorTest : public ::testing::TestWithParam<TDbBackend> {};

TEST_P(EDbErrorTest, RealFailuresAnswerTheQuestionsAndLeadWithTheirSentence) {
  for (const TFall& F : KFaelle) {
    if ((F.NurSqlite && GetParam() != TDbBackend::SQLite) || (F.NurPostgres && GetParam() != TDbBackend::PostgreSQL))
      continue;
    SCOPED_TRACE(F.Name);
    TTestDb Db(GetParam());
    auto Conn = Db.Open();
    Conn->ExecScript("CREATE TABLE satz (nr INTEGER PRIMARY KEY, text TEXT)");
    Ausfuehren(*Conn, "INSERT INTO satz (nr) VALUES (?)");
    std::optional<EDbError> Fehler;
    try {
      F.Ausloesen(*Conn, Db);
    } catch (const EDbError& E) {
      Fehler = E;
    }
    ASSERT_TRUE(Fehler) << "no failure";
    EXPECT_EQ(Fehler->IsUniqueViolation(), F.Eindeutig) << Fehler->what();
    EXPECT_EQ(Fehler->IsDatabaseFailure(), F.Ausfall) << Fehler->what();
    EXPECT_EQ(Fehler->IsDeadlock(), F.Verklemmung) << Fehler->what();
    EXPECT_EQ(Fehler->IsReadOnly(), F.NurLesen) << Fehler->what();
    EXPECT_EQ(Fehler->IsDiskFull(), F.Voll) << Fehler->what();
    const std::string Text = Fehler->what();
    if (*F.Satz) {
      EXPECT_EQ(Text.rfind(F.Satz, 0), 0u) << Text;
      EXPECT_EQ(Text.find(Fehler->Technisch()), std::string::npos) << "the technical text stays out of the sentence";
    } else
      EXPECT_TRUE(Fehler->Ursache().empty()) << Text;
    // Where it happened goes into the technical part; sentence and answers stay.
    const EDbError Mehr(*Fehler, "Satzdatei satz: ");
    EXPECT_EQ(Mehr.IsDatabaseFailure(), F.Ausfall);
    EXPECT_EQ(std::string(Mehr.what()).rfind(*F.Satz ? F.Satz : "Satzdatei satz: ", 0), 0u) << Mehr.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, EDbErrorTest, ::testing::ValuesIn(TTestDb::Available()), TTestDbName);

}  // namespace
