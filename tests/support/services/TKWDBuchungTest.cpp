#include <csignal>
#include <stdexcept>

#include "Kindprozess.h"
#include "ServicesTestUmgebung.h"
#include "support/db/KWDDatenbank.h"
#include "support/services/TKWDBuchung.h"

class TKWDBuchungTest : public TServicesTest {
 protected:
  void SetUp() override {
    TServicesTest::SetUp();
    KWDDatenbank().ExecScript("CREATE TABLE probe (x INTEGER NOT NULL)");
  }
  void TearDown() override {
    KWDBuchung().BuchungAbbrechen();
    TServicesTest::TearDown();
  }
  void Schreiben(int AWert) {
    auto Stmt = KWDDatenbank().Prepare("INSERT INTO probe (x) VALUES (?)");
    Stmt->BindInt(1, AWert);
    Stmt->Run();
  }
  // Counted on a connection of its own: what other programs see.
  int64_t Anzahl() {
    auto Db = FDb->Open();
    auto Stmt = Db->Prepare("SELECT COUNT(*) FROM probe");
    Stmt->Step();
    return Stmt->ColumnInt(0);
  }
};
WWS_SERVICES_BACKENDS(TKWDBuchungTest);

TEST_P(TKWDBuchungTest, EndeBehaeltDieSchreibvorgaenge) {
  int Nummer = 0;
  KWDBuchung().BuchungBeginn(CKWD_Buchung_Bestand, "Test.Buchen", Nummer, 0);
  EXPECT_TRUE(KWDBuchung().Offen());
  for (int I = 0; I < 20; ++I) Schreiben(I);
  KWDBuchung().BuchungFlush();
  EXPECT_EQ(Anzahl(), 0) << "not visible before the end";
  KWDBuchung().BuchungEnde("Test.Buchen");
  EXPECT_FALSE(KWDBuchung().Offen());
  EXPECT_EQ(Anzahl(), 20);
}

TEST_P(TKWDBuchungTest, FehlerInDerKlammerLaesstNichtsZurueck) {
  try {
    TBuchungsKlammer Klammer("Test.Fehler");
    Schreiben(1);
    Schreiben(2);
    throw std::runtime_error("Abbruch mitten in der Buchung");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(KWDBuchung().Offen());
  EXPECT_EQ(Anzahl(), 0);

  {
    TBuchungsKlammer Klammer("Test.Gut");
    Schreiben(3);
    Klammer.Ende();
  }
  EXPECT_EQ(Anzahl(), 1);
}

TEST_P(TKWDBuchungTest, NeuerBeginnVerwirftEineLiegengebliebeneBuchung) {
  int Nummer = 0;
  KWDBuchung().BuchungBeginn(CKWD_Buchung_Bestand, "Test.Verlassen", Nummer, 0);
  Schreiben(1);  // its operation failed before the end and left the bracket open
  KWDBuchung().BuchungBeginn(CKWD_Buchung_Bestand, "Test.Weiter", Nummer, 0);
  Schreiben(2);
  KWDBuchung().BuchungEnde("Test.Weiter");
  auto Stmt = KWDDatenbank().Prepare("SELECT x FROM probe");
  ASSERT_TRUE(Stmt->Step());
  EXPECT_EQ(Stmt->ColumnInt(0), 2);
  EXPECT_FALSE(Stmt->Step());
}

TEST_P(TKWDBuchungTest, EndeOhneBeginnIstEinFehler) {
  EXPECT_THROW(KWDBuchung().BuchungEnde("Test.Ende"), std::logic_error);
  EXPECT_THROW(KWDBuchung().BuchungFlush(), std::logic_error);
}

TEST_P(TKWDBuchungTest, AbgestuerzterProzessHinterlaesstKeineHalbeBuchung) {
  TKindprozess Kind({ServicesHelper(), "buchung", "20"});
  ASSERT_EQ(Kind.ZeileLesen(), "BEREIT");
  Kind.Toeten(SIGKILL);
  EXPECT_EQ(Kind.Warten(), 128 + SIGKILL);
  EXPECT_EQ(Anzahl(), 0);
  // The company stays writable for everyone else.
  TBuchungsKlammer Klammer("Test.Danach");
  Schreiben(7);
  Klammer.Ende();
  EXPECT_EQ(Anzahl(), 1);
}

TEST_P(TKWDBuchungTest, AbgewiesenerSchreibvorgangScheitertSpaetestensAmEnde) {
  KWDDatenbank().ExecScript("CREATE UNIQUE INDEX probe_x ON probe (x)");
  int Nummer = 0;
  KWDBuchung().BuchungBeginn(CKWD_Buchung_Bestand, "Test.Doppelt", Nummer, 0);
  bool Gescheitert = false;
  try {
    Schreiben(1);
    Schreiben(2);
    Schreiben(1);  // refused: SQLite at once, PostgreSQL when its answer arrives
    Schreiben(3);
    KWDBuchung().BuchungFlush();
    KWDBuchung().BuchungEnde("Test.Doppelt");
  } catch (const EDbError&) {
    Gescheitert = true;
    KWDBuchung().BuchungAbbrechen();
  }
  EXPECT_TRUE(Gescheitert);
  EXPECT_FALSE(KWDBuchung().Offen());
  EXPECT_EQ(Anzahl(), 0) << "nothing of the bracket stays";
  TBuchungsKlammer Klammer("Test.Danach");
  Schreiben(1);
  Klammer.Ende();
  EXPECT_EQ(Anzahl(), 1);
}

TEST_P(TKWDBuchungTest, GesammelteArbeitLaeuftBeimFlushOderAmEndeUndFaelltMitDemAbbruch) {
  std::vector<std::string> Gelaufen;
  {
    TBuchungsKlammer Klammer("Test.Sammeln");
    KWDBuchung().BeimAbschicken([&] {
      Gelaufen.push_back("erste");
      Schreiben(1);
    });
    KWDBuchung().BeimAbschicken([&] { Gelaufen.push_back("zweite"); });
    EXPECT_TRUE(Gelaufen.empty());
    Klammer.Flush();
    EXPECT_EQ(Gelaufen, (std::vector<std::string>{"erste", "zweite"}));
    KWDBuchung().BeimAbschicken([&] {
      Gelaufen.push_back("vor dem Ende");
      Schreiben(2);
    });
    Klammer.Ende();
  }
  EXPECT_EQ(Gelaufen.size(), 3u);
  EXPECT_EQ(Anzahl(), 2);

  {
    TBuchungsKlammer Klammer("Test.Abbruch");
    KWDBuchung().BeimAbschicken([&] { Gelaufen.push_back("nie"); });
  }
  {
    TBuchungsKlammer Klammer("Test.Danach");
    Klammer.Ende();
  }
  EXPECT_EQ(Gelaufen.size(), 3u) << "a rolled back bracket's work never runs";
  EXPECT_THROW(KWDBuchung().BeimAbschicken([] {}), std::logic_error);
}
