// Several programs write the same company database at the same time: every
// row arrives, none fails on a busy database.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "tests/fixtures/TestDb.h"

namespace {

pid_t Starten(const std::string& AOrt, const std::string& AProgramm, int AAnzahl) {
  const pid_t Pid = fork();
  if (Pid == 0) {
    const std::string Anzahl = std::to_string(AAnzahl);
    execl(WWS_DB_SCHREIBER, WWS_DB_SCHREIBER, AOrt.c_str(), AProgramm.c_str(), Anzahl.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  return Pid;
}

class TDbMehrprogrammTest : public ::testing::TestWithParam<TDbBackend> {};

TEST_P(TDbMehrprogrammTest, ConcurrentWritersLoseNothing) {
  TTestDb Db(GetParam());
  auto Conn = Db.Open();
  Conn->ExecScript("CREATE TABLE buchung (programm TEXT, nr INTEGER, PRIMARY KEY (programm, nr))");
  constexpr int CAnzahl = 1000;
  const pid_t Erster = Starten(Db.Ort(), "kasse", CAnzahl);
  const pid_t Zweiter = Starten(Db.Ort(), "lager", CAnzahl);
  // Two more writers inside this process, each with a connection of its own.
  auto Schreiber = [&](const std::string& AProgramm) {
    auto Eigene = Db.Open();
    auto Einfuegen = Eigene->Prepare("INSERT INTO buchung (programm, nr) VALUES (?, ?)");
    for (int Nr = 0; Nr < CAnzahl; ++Nr) {
      TDbTransaction Transaktion(*Eigene);
      Einfuegen->BindText(1, AProgramm);
      Einfuegen->BindInt(2, Nr);
      Einfuegen->Run();
      Transaktion.Commit();
    }
  };
  std::thread Faden([&] { EXPECT_NO_THROW(Schreiber("inventur")); });
  EXPECT_NO_THROW(Schreiber("umbuchung"));
  Faden.join();
  for (pid_t Pid : {Erster, Zweiter}) {
    int Status = -1;
    ASSERT_EQ(waitpid(Pid, &Status, 0), Pid);
    EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0) << "writer process failed";
  }
  auto Zaehlen = Conn->Prepare("SELECT programm, count(*) FROM buchung GROUP BY programm ORDER BY programm");
  std::vector<std::pair<std::string, int64_t>> Ergebnis;
  while (Zaehlen->Step()) Ergebnis.emplace_back(Zaehlen->ColumnText(0), Zaehlen->ColumnInt(1));
  const std::vector<std::pair<std::string, int64_t>> Erwartet{
      {"inventur", CAnzahl}, {"kasse", CAnzahl}, {"lager", CAnzahl}, {"umbuchung", CAnzahl}};
  EXPECT_EQ(Ergebnis, Erwartet);
}

INSTANTIATE_TEST_SUITE_P(Backends, TDbMehrprogrammTest, ::testing::ValuesIn(TTestDb::Available()), TTestDbName);

}  // namespace
