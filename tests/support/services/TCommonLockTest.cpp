#include <unistd.h>

#include <chrono>
#include <csignal>
#include <future>
#include <memory>
#include <thread>

#include "Kindprozess.h"
#include "ServicesTestUmgebung.h"
#include "support/db/KWDDatenbank.h"
#include "support/services/Prozessidentitaet.h"
#include "support/services/SperrVerwaltung.h"
#include "support/services/TCommonLock.h"
#include "support/services/TKWDBuchung.h"

namespace {

const TInt32Trio CArtikel = TInt32Trio::Construct(4711, 2, 3);
const TInt32Trio CAnderer = TInt32Trio::Construct(4711, 2, 4);

std::vector<std::string> Argumente(const std::string& ABefehl, const TInt32Trio& AP, const std::string& ALetztes) {
  return {ServicesHelper(), ABefehl, std::to_string(AP.I1), std::to_string(AP.I2), std::to_string(AP.I3), ALetztes};
}

// Waits until the lock is free for ASperre; a dead holder's server session
// may take a moment to vanish on PostgreSQL.
bool SperreErreicht(TCommonLock& ASperre, const TInt32Trio& AP) {
  for (int Versuch = 0; Versuch < 100; ++Versuch) {
    if (ASperre.LockProdId(AP, false)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

}  // namespace

class TCommonLockTest : public TServicesTest {
 protected:
  void TearDown() override {
    unsetenv("WWS_TERMINALNR");
    TServicesTest::TearDown();
  }
};
WWS_SERVICES_BACKENDS(TCommonLockTest);

TEST_P(TCommonLockTest, ZweiterProzessErfaehrtWerDenArtikelHaelt) {
  setenv("WWS_TERMINALNR", "07", 1);
  TKindprozess Halter(Argumente("sperre", CArtikel, "Filialkasse"));
  ASSERT_EQ(Halter.ZeileLesen(), "BEREIT");
  unsetenv("WWS_TERMINALNR");

  TCommonLock Sperre(FDb->Ort());
  TQLX_clMeldung Meldung;
  EXPECT_FALSE(Sperre.LockProdId(CArtikel, Meldung, false));
  EXPECT_EQ(Meldung.ProzessId, Halter.Pid());
  EXPECT_EQ(Meldung.Programm, "Filialkasse");
  EXPECT_EQ(Meldung.TerminalNr, "07");
  EXPECT_EQ(Meldung.Terminal, KWDRechnername());
  EXPECT_EQ(Meldung.Benutzer, KWDBenutzer());
  EXPECT_EQ(Meldung.ProduktId, CArtikel);
  EXPECT_GT(Meldung.GesperrtSeit, KWD_KEIN_DATUM);
  EXPECT_TRUE(Meldung.Artikel.empty());
  EXPECT_TRUE(FPresenter->Gezeigt.empty());

  EXPECT_TRUE(Sperre.LockProdId(CAnderer, false));
  EXPECT_FALSE(Sperre.UnlockProdId(CArtikel, false)) << "someone else's lock is not ours to release";

  // The holder ends normally without unlocking: its end releases the lock.
  Halter.ZeileSchreiben("ENDE");
  EXPECT_EQ(Halter.Warten(), 0);
  EXPECT_TRUE(Sperre.LockProdId(CArtikel, false));
  EXPECT_EQ(SperrenListe(KWDDatenbank()).size(), 2u);
  Sperre.AllesFreigeben();
  EXPECT_TRUE(SperrenListe(KWDDatenbank()).empty());
}

TEST_P(TCommonLockTest, ZweiterProzessWirdAbgewiesenSolangeWirHalten) {
  TCommonLock Sperre(FDb->Ort());
  Sperre.SetProgramm("invanf");
  ASSERT_TRUE(Sperre.LockProdId(CArtikel, false));
  TKindprozess Kind(Argumente("sperre", CArtikel, "Kasse"));
  EXPECT_EQ(Kind.ZeileLesen(), "BELEGT " + std::to_string(getpid()));
  EXPECT_EQ(Kind.Warten(), 3);
  EXPECT_TRUE(Sperre.UnlockProdId(CArtikel, false));
  EXPECT_TRUE(SperrenListe(KWDDatenbank()).empty());
}

TEST_P(TCommonLockTest, GetoeteterHalterBlockiertNichtUndWirdEntfernt) {
  TKindprozess Halter(Argumente("halten", CArtikel, "600"));
  ASSERT_EQ(Halter.ZeileLesen(), "BEREIT");
  TCommonLock Sperre(FDb->Ort());
  ASSERT_FALSE(Sperre.LockProdId(CArtikel, false));

  Halter.Toeten(SIGKILL);
  EXPECT_EQ(Halter.Warten(), 128 + SIGKILL);
  ASSERT_TRUE(SperreErreicht(Sperre, CArtikel));
  auto Liste = SperrenListe(KWDDatenbank());
  ASSERT_EQ(Liste.size(), 1u);
  EXPECT_EQ(Liste[0].Zeile.Halter.ProzessId, getpid()) << "the dead holder's row was replaced by ours";
  EXPECT_TRUE(Liste[0].Lebt);
}

TEST_P(TCommonLockTest, WiederverwendetePidGiltNichtAlsHalter) {
  // A row naming this very pid but another start time: a holder long gone
  // whose pid the system handed to us.
  TSperrZeile Alt{CArtikel, {"1", KWDRechnername(), "alt", "x", getpid(), KWDProzessStart(getpid()) - 1, 0, 0}, 45000.0};
  TSperrZeile Fremd{CAnderer, {"1", "anderer-rechner", "fern", "y", 1, 1, 0, 0}, 45000.0};
  auto Stmt = KWDDatenbank().Prepare(
      "INSERT INTO artikelsperre (prodid1, prodid2, prodid3, terminalnr, terminal, programm, benutzer, prozessid, "
      "prozessstart, sitzung, sitzungstart, gesperrtseit) VALUES (?, ?, ?, '1', ?, 'p', 'b', ?, ?, 0, 0, 45000)");
  for (const TSperrZeile& Z : {Alt, Fremd}) {
    Stmt->Reset();
    Stmt->BindInt(1, Z.ProduktId.I1);
    Stmt->BindInt(2, Z.ProduktId.I2);
    Stmt->BindInt(3, Z.ProduktId.I3);
    Stmt->BindText(4, Z.Halter.Terminal);
    Stmt->BindInt(5, Z.Halter.ProzessId);
    Stmt->BindInt(6, Z.Halter.ProzessStart);
    Stmt->Execute();
  }
  auto Liste = SperrenListe(KWDDatenbank());
  ASSERT_EQ(Liste.size(), 2u);
  EXPECT_FALSE(Liste[0].Lebt);
  EXPECT_TRUE(Liste[1].Lebt) << "a holder on another machine cannot be checked and counts as alive";

  EXPECT_EQ(SperrenToteFreigeben(KWDDatenbank()), 1);
  EXPECT_EQ(SperrenListe(KWDDatenbank()).size(), 1u);
  EXPECT_EQ(SperrenHalterFreigeben(KWDDatenbank(), 1, "anderer-rechner"), 1);
  EXPECT_TRUE(SperrenListe(KWDDatenbank()).empty());
}

TEST_P(TCommonLockTest, Block11SerialisiertZweiProzesse) {
  TKindprozess Kind({ServicesHelper(), "block"});
  ASSERT_EQ(Kind.ZeileLesen(), "BEREIT");

  TCommonLock Sperre(FDb->Ort());
  auto Genommen = std::async(std::launch::async, [&] { Sperre.DummyBlock(CQLX_Lock_Inventur); });
  EXPECT_EQ(Genommen.wait_for(std::chrono::milliseconds(500)), std::future_status::timeout)
      << "the block was granted while the other process held it";

  Kind.ZeileSchreiben("FREI");
  ASSERT_EQ(Genommen.wait_for(std::chrono::seconds(30)), std::future_status::ready);
  Genommen.get();
  EXPECT_EQ(Kind.Warten(), 0);

  // Now we hold it: the next program waits for us in turn.
  TKindprozess Zweites({ServicesHelper(), "block"});
  EXPECT_EQ(Zweites.ZeileLesen(1), "");
  Sperre.DummyUnBlock(CQLX_Lock_Inventur);
  EXPECT_EQ(Zweites.ZeileLesen(), "BEREIT");
  Zweites.ZeileSchreiben("FREI");
  EXPECT_EQ(Zweites.Warten(), 0);
}

TEST_P(TCommonLockTest, SperreUeberstehtZurueckgerollteBuchung) {
  TCommonLock Sperre(FDb->Ort());
  ASSERT_TRUE(Sperre.LockProdId(CArtikel, false));
  {
    TBuchungsKlammer Klammer("Test.Fehler");
    if (GetParam() == TDbBackend::SQLite) {
      // The lock connection must not wait for our own open write transaction.
      EXPECT_THROW(Sperre.LockProdId(CAnderer, false), EDbError);
    }
  }  // left without Ende: rolled back
  auto Liste = SperrenListe(*FDb->Open());
  ASSERT_EQ(Liste.size(), 1u);
  EXPECT_EQ(Liste[0].Zeile.ProduktId, CArtikel);
}

TEST_P(TCommonLockTest, ZerstoerteSperreGibtAllesFrei) {
  {
    TCommonLock Sperre(FDb->Ort());
    ASSERT_TRUE(Sperre.LockProdId(CArtikel, false));
    ASSERT_TRUE(Sperre.LockProdId(CAnderer, false));
    EXPECT_TRUE(Sperre.LockProdId(CArtikel, false)) << "locking again what we hold succeeds";
    EXPECT_EQ(SperrenListe(KWDDatenbank()).size(), 2u);
  }
  EXPECT_TRUE(SperrenListe(KWDDatenbank()).empty());
}

TEST_P(TCommonLockTest, BatchSperrtFreieArtikelUndLaesstFremdeAus) {
  const TInt32Trio Dritter = TInt32Trio::Construct(4711, 2, 5);
  TKindprozess Halter(Argumente("halten", CAnderer, "600"));
  ASSERT_EQ(Halter.ZeileLesen(), "BEREIT");

  TCommonLock Sperre(FDb->Ort());
  ASSERT_TRUE(Sperre.LockProdId(Dritter, false));
  // Order of the answer follows the request, whatever order the rows are written in.
  const std::vector<bool> Ergebnis = Sperre.LockProdIds({Dritter, CAnderer, CArtikel});
  EXPECT_EQ(Ergebnis, (std::vector<bool>{true, false, true}));
  EXPECT_TRUE(Sperre.Haelt(CArtikel));
  EXPECT_FALSE(Sperre.Haelt(CAnderer));
  EXPECT_EQ(SperrenListe(KWDDatenbank()).size(), 3u);

  // A second program is refused the batch's article while we hold it.
  TKindprozess Kind(Argumente("sperre", CArtikel, "Kasse"));
  EXPECT_EQ(Kind.ZeileLesen(), "BELEGT " + std::to_string(getpid()));
  EXPECT_EQ(Kind.Warten(), 3);

  // Unlocking the batch leaves the other program's row alone.
  Sperre.UnlockProdIds({Dritter, CAnderer, CArtikel});
  EXPECT_FALSE(Sperre.Haelt(CArtikel));
  EXPECT_FALSE(Sperre.Haelt(Dritter));
  auto Liste = SperrenListe(KWDDatenbank());
  ASSERT_EQ(Liste.size(), 1u);
  EXPECT_EQ(Liste[0].Zeile.ProduktId, CAnderer);
  EXPECT_EQ(Liste[0].Zeile.Halter.ProzessId, Halter.Pid());
  Halter.Toeten(SIGKILL);
  Halter.Warten();
}

TEST_P(TCommonLockTest, BatchSperreInOffenerBuchungScheitertOhneZeilen) {
  if (GetParam() != TDbBackend::SQLite) GTEST_SKIP() << "only SQLite refuses lock writes during a booking";
  TCommonLock Sperre(FDb->Ort());
  ASSERT_TRUE(Sperre.LockProdId(CAnderer, false));
  {
    TBuchungsKlammer Klammer("Test.Fehler");
    EXPECT_THROW(Sperre.LockProdIds({CArtikel}), EDbError);
    EXPECT_THROW(Sperre.UnlockProdIds({CAnderer}), EDbError);
  }
  EXPECT_FALSE(Sperre.Haelt(CArtikel));
  EXPECT_TRUE(Sperre.Haelt(CAnderer)) << "a refused unlock keeps the lock known";
  Sperre.UnlockProdIds({CAnderer});
  EXPECT_TRUE(SperrenListe(*FDb->Open()).empty());
}

TEST_P(TCommonLockTest, SperrenDerFirmaSindSofortSichtbarAuchWaehrendEinesLesens) {
  TCommonLock Sperre;  // follows the process's company connection
  enum { Ruhig, MittenImLesen, InLesestrecke } Faelle[] = {Ruhig, MittenImLesen, InLesestrecke};
  for (auto Fall : Faelle) {
    if (Fall == InLesestrecke && GetParam() != TDbBackend::SQLite) continue;
    if (Fall == InLesestrecke) KWDDatenbank().ExecScript("BEGIN DEFERRED");
    auto Lesen = KWDDatenbank().Prepare("SELECT part FROM schema_version UNION ALL SELECT part FROM schema_version");
    if (Fall != Ruhig) {
      ASSERT_TRUE(Lesen->Step());
    }
    ASSERT_EQ(Sperre.LockProdIds({CArtikel, CAnderer}), (std::vector<bool>{true, true}));
    // Committed at once: another program is refused, not kept waiting.
    TKindprozess Kind(Argumente("sperre", CAnderer, "Kasse"));
    EXPECT_EQ(Kind.ZeileLesen(), "BELEGT " + std::to_string(getpid())) << Fall;
    EXPECT_EQ(Kind.Warten(), 3);
    Sperre.UnlockProdIds({CArtikel, CAnderer});
    EXPECT_TRUE(SperrenListe(*FDb->Open()).empty()) << Fall;
    Lesen->Reset();
    if (Fall == InLesestrecke) KWDDatenbank().ExecScript("COMMIT");
  }
}

TEST_P(TCommonLockTest, SperrenInDerBuchungHaeltDieSchreibsperreBisZumEnde) {
  // SQLite: the booking's write lock; PostgreSQL: block 11 held by the booking's transaction.
  TKindprozess Halter(Argumente("halten", CAnderer, "600"));
  ASSERT_EQ(Halter.ZeileLesen(), "BEREIT");
  TCommonLock Sperre;  // follows the process's company connection
  ASSERT_TRUE(Sperre.SperrtInBuchung());
  auto Zeilen = [&] { return SperrenListe(*FDb->Open()).size(); };

  std::unique_ptr<TKindprozess> Kind;
  {
    TBuchungsKlammer Klammer("Test.Buchung");
    TCommonLock::TInBuchung InBuchung(Sperre);
    EXPECT_EQ(Sperre.LockProdIds({CArtikel, CAnderer}), (std::vector<bool>{true, false}))
        << "another program's row is respected inside the booking";
    EXPECT_TRUE(Sperre.Haelt(CArtikel));
    EXPECT_EQ(Zeilen(), 1u) << "the free article is held by the booking, not by a row";

    // Another program asking for the article waits for the booking's end.
    Kind = std::make_unique<TKindprozess>(Argumente("sperre", CArtikel, "Kasse"));
    EXPECT_EQ(Kind->ZeileLesen(2), "");
    Sperre.UnlockProdIds({CArtikel});
    EXPECT_FALSE(Sperre.Haelt(CArtikel));
    Klammer.Ende();
  }
  EXPECT_EQ(Kind->ZeileLesen(), "BEREIT") << "free once the booking committed";
  EXPECT_EQ(Zeilen(), 2u);
  Kind->ZeileSchreiben("ENDE");
  EXPECT_EQ(Kind->Warten(), 0);

  // A booking rolled back ends its holds as well.
  {
    TBuchungsKlammer Klammer("Test.Abbruch");
    TCommonLock::TInBuchung InBuchung(Sperre);
    EXPECT_EQ(Sperre.LockProdIds({CArtikel}), (std::vector<bool>{true}));
  }
  EXPECT_FALSE(Sperre.Haelt(CArtikel));
  EXPECT_EQ(Zeilen(), 1u);
  Halter.Toeten(SIGKILL);
  Halter.Warten();
}

TEST_P(TCommonLockTest, BlockFuerSperrenWartetSpaetestensBeimSperren) {
  TKindprozess Kind({ServicesHelper(), "block"});
  ASSERT_EQ(Kind.ZeileLesen(), "BEREIT");

  // The lock step under the block must not run while the other process holds
  // it, whether the block itself waits (SQLite) or the next lock statement does.
  TCommonLock Sperre(FDb->Ort());
  auto Gesperrt = std::async(std::launch::async, [&] {
    Sperre.DummyBlockFuerSperren(CQLX_Lock_Inventur);
    const std::vector<bool> Ergebnis = Sperre.LockProdIds({CArtikel});
    Sperre.DummyUnBlock(CQLX_Lock_Inventur);
    return Ergebnis;
  });
  EXPECT_EQ(Gesperrt.wait_for(std::chrono::milliseconds(500)), std::future_status::timeout)
      << "the lock step ran while the other process held the block";
  EXPECT_TRUE(SperrenListe(*FDb->Open()).empty());

  Kind.ZeileSchreiben("FREI");
  ASSERT_EQ(Gesperrt.wait_for(std::chrono::seconds(30)), std::future_status::ready);
  EXPECT_EQ(Gesperrt.get(), (std::vector<bool>{true}));
  EXPECT_EQ(Kind.Warten(), 0);
  Sperre.UnlockProdIds({CArtikel});
  EXPECT_TRUE(SperrenListe(*FDb->Open()).empty());
}
