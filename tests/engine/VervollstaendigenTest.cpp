// Completing requests: what is booked and valued, the locking passes against
// real second programs, two programs at once, and runs killed midway.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>

#include "suite/ArtBestTypEigenschaften.h"
#include "suite/demo/DemoFirma.h"
#include "support/framework/KWDPause.h"
#include "support/framework/TKWDInfo.h"
#include "support/framework/TQLX_PEP_Progress_SetPos.h"
#include "support/services/TCommonLock.h"
#include "support/services/TParameter.h"
#include "tests/engine/BuchungsTestFirma.h"

namespace {

class TVervollstaendigenTest : public TBuchungsTest {
 protected:
  bool Vervollstaendigen(std::vector<TQLX_clMeldung>& AMeldungen) {
    TQLX_InvAnfMani Mani;
    return Mani.InventurAnforderungVervollstaendigen(Anforderungen(), AMeldungen);
  }
  // AFehler: what the engine registered, taken before its end takes it.
  bool Vervollstaendigen(std::vector<TQLX_clMeldung>& AMeldungen, std::vector<TKWDFehler>& AFehler) {
    TQLX_InvAnfMani Mani;
    const bool Ergebnis = Mani.InventurAnforderungVervollstaendigen(Anforderungen(), AMeldungen);
    AFehler = KWDInfo().Anstehend();
    FehlerAbholen();
    return Ergebnis;
  }
  int Kind(int APauseMs = 20) {
    return TKindprozess::Starten({ENGINE_VERVOLLSTAENDIGEN_KIND, std::to_string(APauseMs)}).Ende();
  }
};

// Keeps the positions the booking phase shows.
class TMerkProgress : public TKWDTerminalProgress {
 public:
  explicit TMerkProgress(std::vector<std::pair<int, int>>& APos) : TKWDTerminalProgress(false), FPos(APos) {}
  void SetPos(int APos) override {
    TKWDTerminalProgress::SetPos(APos);
    if (Caption() == "Sollbestand einbuchen") FPos.emplace_back(APos, Max());
  }

 private:
  std::vector<std::pair<int, int>>& FPos;
};

TEST_P(TVervollstaendigenTest, BooksEveryStockTypeValuedAndOpensTheRequests) {
  KWDParameter().SetBooleanValueByName("INVAUSWA", true);  // stock type 3 counts as counted
  ArtBestTypEigenschaften_Update();
  Aufbauen(6);
  Bestand(P(2), 1, 17);                      // never counted
  Bestand(P(4), 1, 5, 9, 1, 0);              // A > B, C = 0: does not count
  Firma().Artikel(P(7), "10");               // present only through a branch sale
  Verkauf(P(7), 1);
  Firma().Preis('E', P(7), 0, 0, D(2020, 1, 1), 5.0);

  std::vector<TQLX_clMeldung> Meldungen{TQLX_clMeldung{}};
  EXPECT_TRUE(Vervollstaendigen(Meldungen));
  EXPECT_TRUE(Meldungen.empty());
  EXPECT_EQ(FPausen, 0);
  const TStand S = Stand();
  EXPECT_EQ(S.Saetze.size(), 6u + 2u + 1u);  // one per article and type 1, type 3 for 3 and 6, P(7)'s zero record
  EXPECT_EQ(S.Saetze.at({7, 1, '1'}), 0);
  EXPECT_EQ(S.Saetze.at({3, 1, '3'}), 3);
  // "10": 1, 3 (two types), 5, 7 (zero); "20": 2, 4, 6 (two types)
  const double Soll10 = 3 * (2.01 + 2 * 2.03 + 2.05), Soll20 = 3 * (2.02 + 2.04 + 2 * 2.06);
  EXPECT_EQ(S.Anforderungen.at("10@1"), std::make_tuple(std::round(Soll10 * 100) / 100, 6.09, 'E'));
  EXPECT_EQ(S.Anforderungen.at("20@1"), std::make_tuple(std::round(Soll20 * 100) / 100, 6.18, 'E'));
  SummenPassenZuSaetzen();

  // A second completion finds nothing requested and writes nothing.
  Meldungen = {TQLX_clMeldung{}};
  EXPECT_TRUE(Vervollstaendigen(Meldungen));
  EXPECT_EQ(Meldungen.size(), 1u);  // not assigned
  EXPECT_EQ(Stand(), S);
  KWDParameter().Entfernen("INVAUSWA");
  ArtBestTypEigenschaften_Update();
}

TEST_P(TVervollstaendigenTest, FortyFiveArticlesGoInBatchesOfTwentyTwentyFive) {
  Aufbauen(45);
  std::vector<std::pair<int, int>> Positionen;
  auto Alt = KWDProgressFabrikSet([&](void*) { return std::make_unique<TMerkProgress>(Positionen); });
  std::vector<TQLX_clMeldung> Meldungen;
  EXPECT_TRUE(Vervollstaendigen(Meldungen));
  KWDProgressFabrikSet(Alt);
  EXPECT_EQ(Positionen, (std::vector<std::pair<int, int>>{{20, 45}, {40, 45}, {45, 45}}));
  EXPECT_EQ(FPausen, 0);
  EXPECT_EQ(std::get<2>(Stand().Anforderungen.at("10@1")), 'E');
  EXPECT_EQ(std::get<2>(Stand().Anforderungen.at("20@1")), 'E');
  EXPECT_EQ(Stand().Saetze.size(), 45u + 15u);
  SummenPassenZuSaetzen();
}

TEST_P(TVervollstaendigenTest, ArticleHeldThroughoutGivesOneMessageAndKeepsItsRequestRequested) {
  Aufbauen(6);
  TKindprozess Halter = Halten(P(3), 60);
  const pid_t HalterPid = Halter.Pid;
  std::vector<TQLX_clMeldung> Meldungen;
  EXPECT_FALSE(Vervollstaendigen(Meldungen));
  Halter.Signal(SIGTERM);
  Halter.Ende();

  EXPECT_EQ(FPausen, 5);
  ASSERT_EQ(Meldungen.size(), 1u);
  EXPECT_EQ(Meldungen[0].Artikel, "A1003");
  EXPECT_EQ(Meldungen[0].Programm, "Kasse");
  EXPECT_EQ(Meldungen[0].ProzessId, HalterPid);
  EXPECT_GT(Meldungen[0].GesperrtSeit, 0.0);
  const TStand S = Stand();
  EXPECT_EQ(std::get<2>(S.Anforderungen.at("10@1")), 'A');
  EXPECT_EQ(std::get<2>(S.Anforderungen.at("20@1")), 'E');
  EXPECT_EQ(S.Saetze.count({3, 1, '1'}), 0u);
  EXPECT_EQ(S.Saetze.count({1, 1, '1'}), 1u);
  SummenPassenZuSaetzen();
  EXPECT_EQ(LebendeSperren(), 0);

  // Released: the next completion books it and opens the request.
  EXPECT_TRUE(Vervollstaendigen(Meldungen));
  EXPECT_EQ(std::get<2>(Stand().Anforderungen.at("10@1")), 'E');
  SummenPassenZuSaetzen();
}

TEST_P(TVervollstaendigenTest, HoldReleasedAfterThePassIsBookedInTheNextWithoutMessage) {
  Aufbauen(6);
  TKindprozess Halter = Halten(P(4), 60);
  KWDPauseSet([&](int) {
    ++FPausen;
    Halter.Signal(SIGTERM);  // the holder lets go during the pause
    Halter.Ende();
  });
  std::vector<TQLX_clMeldung> Meldungen;
  EXPECT_TRUE(Vervollstaendigen(Meldungen));
  EXPECT_EQ(FPausen, 1);
  EXPECT_TRUE(Meldungen.empty());
  EXPECT_EQ(Stand().Saetze.count({4, 1, '1'}), 1u);
  EXPECT_EQ(std::get<2>(Stand().Anforderungen.at("20@1")), 'E');
}

TEST_P(TVervollstaendigenTest, FailingArticleIsSetAsideItsBatchIsBookedWithoutItAndThePassesGoOn) {
  Aufbauen(30);
  // The second stock type of article 6 cannot be written: its first record
  // must go with it, the rest of its batch must still be booked.
  SatzVerweigern({6}, '3');
  std::vector<TQLX_clMeldung> Meldungen;
  std::vector<TKWDFehler> Fehler;
  EXPECT_FALSE(Vervollstaendigen(Meldungen, Fehler));
  // Registered once, naming the article.
  ASSERT_EQ(Fehler.size(), 1u);
  EXPECT_EQ(Fehler[0].Name, "TQLX_InvAnfMani.IVSchreiben");
  EXPECT_NE(Fehler[0].Text.find("A1006"), std::string::npos) << Fehler[0].Text;
  EXPECT_NE(Fehler[0].Technisch.find("Platte voll"), std::string::npos) << Fehler[0].Technisch;
  EXPECT_TRUE(Meldungen.empty());
  EXPECT_EQ(FPausen, 0);  // set aside, not left for another pass
  const TStand S = Stand();
  EXPECT_EQ(S.Saetze.size(), 40u - 2u);
  EXPECT_EQ(S.Saetze.count({6, 1, '1'}), 0u);
  EXPECT_EQ(S.Saetze.count({5, 1, '1'}), 1u);  // the failing article's batch
  EXPECT_EQ(S.Saetze.count({7, 1, '1'}), 1u);
  EXPECT_EQ(std::get<2>(S.Anforderungen.at("10@1")), 'E');
  EXPECT_EQ(std::get<2>(S.Anforderungen.at("20@1")), 'A');
  SummenPassenZuSaetzen();
  EXPECT_EQ(LebendeSperren(), 0);
  for (int I = 1; I <= 30; ++I) EXPECT_FALSE(CommonLock().Haelt(P(I))) << I;

  // Mended, the next run books it and opens its request.
  SatzZulassen();
  EXPECT_TRUE(Vervollstaendigen(Meldungen));
  EXPECT_EQ(Stand().Saetze.size(), 40u);
  EXPECT_EQ(std::get<2>(Stand().Anforderungen.at("20@1")), 'E');
  SummenPassenZuSaetzen();
}

TEST_P(TVervollstaendigenTest, FailingArticlesOfTwoBatchesAreEachSetAsideAlone) {
  Aufbauen(45);
  SatzVerweigern({40, 12});  // in the first and in the second batch
  std::vector<TQLX_clMeldung> Meldungen;
  std::vector<TKWDFehler> Fehler;
  EXPECT_FALSE(Vervollstaendigen(Meldungen, Fehler));
  EXPECT_EQ(Fehler.size(), 2u);
  EXPECT_EQ(FPausen, 0);
  const TStand S = Stand();
  EXPECT_EQ(S.Saetze.size(), 60u - 2u - 1u);  // 12 has stock types 1 and 3, 40 type 1 only
  EXPECT_EQ(S.Saetze.count({12, 1, '1'}), 0u);
  EXPECT_EQ(S.Saetze.count({40, 1, '1'}), 0u);
  EXPECT_EQ(std::get<2>(S.Anforderungen.at("10@1")), 'E');
  EXPECT_EQ(std::get<2>(S.Anforderungen.at("20@1")), 'A');
  SummenPassenZuSaetzen();
  EXPECT_EQ(LebendeSperren(), 0);
  SatzZulassen();
}

TEST_P(TVervollstaendigenTest, FailedArticleSelectionBooksAndOpensNothing) {
  Aufbauen(6);
  // The product-group scan cannot read the articles' groups.
  FDirekt->ExecScript("ALTER TABLE artikel_wg RENAME TO artikel_wg_weg");
  std::vector<TQLX_clMeldung> Meldungen;
  EXPECT_FALSE(Vervollstaendigen(Meldungen));
  FehlerAbholen();
  const TStand S = Stand();
  EXPECT_TRUE(S.Saetze.empty());
  EXPECT_EQ(std::get<2>(S.Anforderungen.at("10@1")), 'A');
  EXPECT_EQ(std::get<2>(S.Anforderungen.at("20@1")), 'A');
  {
    TQLX_InvAnfMani Mani;
    int Total = -1, Da = -1;
    Mani.InventurAnforderungArtZaehlen(Anforderungen()[0], Total, Da);
    EXPECT_EQ(Total, -1);  // not assigned from a broken selection
    EXPECT_EQ(Da, -1);
    FehlerAbholen();
  }

  FDirekt->ExecScript("ALTER TABLE artikel_wg_weg RENAME TO artikel_wg");
  EXPECT_TRUE(Vervollstaendigen(Meldungen));
  EXPECT_EQ(std::get<2>(Stand().Anforderungen.at("10@1")), 'E');
  EXPECT_EQ(Stand().Saetze.size(), 8u);
}

TEST_P(TVervollstaendigenTest, RequestOfAnotherFiscalYearIsNotTheRequestMeant) {
  Aufbauen(6);
  std::vector<TVglInvAnf_Inv> Falsch = Anforderungen();
  for (TVglInvAnf_Inv& A : Falsch) A.WiJahr = 2024;
  TQLX_InvAnfMani Mani;
  std::vector<TQLX_clMeldung> Meldungen;
  EXPECT_TRUE(Mani.InventurAnforderungVervollstaendigen(Falsch, Meldungen));  // nothing to do
  EXPECT_TRUE(Stand().Saetze.empty());
  int Total = -1, Da = -1;
  Mani.InventurAnforderungArtZaehlen(Falsch[0], Total, Da);
  EXPECT_EQ(Total, -1);
  Mani.InventurAnforderungArtZaehlen(Anforderungen()[0], Total, Da);
  EXPECT_EQ(Total, 3);
  EXPECT_EQ(Da, 0);
  EXPECT_EQ(std::get<2>(Stand().Anforderungen.at("10@1")), 'A');
}

// Changes what other programs do between two batches of a completion.
class TEingriffProgress : public TKWDTerminalProgress {
 public:
  explicit TEingriffProgress(std::function<void(int)> AEingriff)
      : TKWDTerminalProgress(false), FEingriff(std::move(AEingriff)) {}
  void SetPos(int APos) override {
    TKWDTerminalProgress::SetPos(APos);
    if (Caption() == "Sollbestand einbuchen") FEingriff(APos);
  }

 private:
  std::function<void(int)> FEingriff;
};

TEST_P(TVervollstaendigenTest, RequestDeletedOrNoLongerRequestedMidwayGetsNothingMore) {
  Aufbauen(45);
  // After the first batch (articles 45 down to 26) another program deletes
  // request "10" with its records and begins deleting request "20".
  auto Alt = KWDProgressFabrikSet([&](void*) {
    return std::make_unique<TEingriffProgress>([&](int APos) {
      if (APos != 20) return;
      FDirekt->ExecScript(
          "DELETE FROM inventur WHERE prodid1 IN (SELECT prodid1 FROM artikel_wg WHERE wgn = '10'); "
          "DELETE FROM inventuranforderung WHERE wg = '10'; "
          "UPDATE inventuranforderung SET kz_zaehlung = 'L' WHERE wg = '20'");
    });
  });
  std::vector<TQLX_clMeldung> Meldungen;
  EXPECT_TRUE(Vervollstaendigen(Meldungen));  // nothing left to do for either
  KWDProgressFabrikSet(Alt);
  const TStand S = Stand();
  for (const auto& [Satz, Menge] : S.Saetze) {
    EXPECT_EQ(std::get<0>(Satz) % 2, 0) << std::get<0>(Satz);
    EXPECT_GE(std::get<0>(Satz), 26) << "nach dem Löschbeginn gebucht: " << std::get<0>(Satz);
  }
  EXPECT_EQ(S.Saetze.size(), 10u + 3u);  // the even articles 26..44, three of them with type 3
  EXPECT_EQ(S.Anforderungen.size(), 1u);
  EXPECT_EQ(std::get<2>(S.Anforderungen.at("20@1")), 'L');  // not opened over the deletion
  KeinSatzOhneAnforderung();
}

TEST_P(TVervollstaendigenTest, FailureOfAStepForTheWholeBatchIsRegisteredOnceNotPerArticle) {
  Aufbauen(45);
  // After the first batch the stock can no longer be read: the second
  // batch's read fails for all of its articles alike.
  auto Alt = KWDProgressFabrikSet([&](void*) {
    return std::make_unique<TEingriffProgress>([&](int APos) {
      if (APos == 20) FDirekt->ExecScript("ALTER TABLE bestand RENAME TO bestand_weg");
    });
  });
  std::vector<TQLX_clMeldung> Meldungen;
  std::vector<TKWDFehler> Fehler;
  EXPECT_FALSE(Vervollstaendigen(Meldungen, Fehler));
  KWDProgressFabrikSet(Alt);
  ASSERT_EQ(Fehler.size(), 1u);
  EXPECT_EQ(Fehler[0].Name, "TQLX_InvAnfMani.IAUpdate");
  FDirekt->ExecScript("ALTER TABLE bestand_weg RENAME TO bestand");
  EXPECT_EQ(FPausen, 0);  // the passes ended
  EXPECT_EQ(Stand().Saetze.size(), 20u + 7u);  // the first batch: articles 45 down to 26
  SummenPassenZuSaetzen();
  EXPECT_EQ(LebendeSperren(), 0);
}

// Keeps what the user is shown.
class TMerkPresenter : public TKWDMeldungPresenter {
 public:
  int Zeigen(const TKWDMeldung& AMeldung) override {
    Texte.push_back(AMeldung.Text);
    Details.push_back(AMeldung.Details);
    return KWD_MR_OK;
  }
  std::vector<std::string> Texte, Details;
};

TEST_P(TVervollstaendigenTest, ServerGoneDuringTheLockStepEndsTheWorkWithOneMessageAndARerunFinishesIt) {
  if (GetParam() != TDbBackend::PostgreSQL) GTEST_SKIP() << "a server that goes away";
  Aufbauen(200);
  ASSERT_EQ(Kind(), 0);
  const TStand Ungestoert = Stand();
  FDirekt->ExecScript("DELETE FROM inventur; UPDATE inventuranforderung SET ek_soll = 0, ek_ist = 0, kz_zaehlung = 'A'");
  // After the first batch every connection of this program is cut, as when
  // the server stops; the next batch's first round trip is its lock step.
  auto AltFabrik = KWDProgressFabrikSet([&](void*) {
    return std::make_unique<TEingriffProgress>([&](int APos) {
      if (APos == 20)
        FDirekt->ExecScript(
            "SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
            "WHERE datname = current_database() AND pid <> pg_backend_pid()");
    });
  });
  auto Presenter = std::make_shared<TMerkPresenter>();
  auto AltPresenter = KWDMeldungPresenterSet(Presenter);
  std::vector<TQLX_clMeldung> Meldungen;
  {
    TQLX_InvAnfMani Mani;
    EXPECT_FALSE(Mani.InventurAnforderungVervollstaendigen(Anforderungen(), Meldungen));
  }  // its end surfaces what is pending, but shows nothing twice
  KWDMeldungPresenterSet(AltPresenter);
  KWDProgressFabrikSet(AltFabrik);

  EXPECT_TRUE(Meldungen.empty());
  EXPECT_EQ(FPausen, 0);
  ASSERT_EQ(Presenter->Texte.size(), 1u);
  EXPECT_EQ(Presenter->Texte[0].rfind("Die Verbindung zum Datenbankserver ist abgebrochen", 0), 0u) << Presenter->Texte[0];
  // Registered once, where the command ends: the engine's own operation.
  EXPECT_NE(Presenter->Details[0].find("\u201ETQLX_InvAnfMani.InventurAnforderungVervollstaendigen\u201C ist ein Fehler "
                                       "aufgetreten"),
            std::string::npos)
      << Presenter->Details[0];
  std::ifstream Log(FLog);
  const std::string Protokoll((std::istreambuf_iterator<char>(Log)), std::istreambuf_iterator<char>());
  size_t Ursachen = 0;
  for (size_t P = Protokoll.find("Die Verbindung zum Datenbankserver"); P != std::string::npos;
       P = Protokoll.find("Die Verbindung zum Datenbankserver", P + 1))
    ++Ursachen;
  EXPECT_EQ(Ursachen, 1u) << Protokoll;
  const TStand S = Stand();
  EXPECT_EQ(S.Saetze.size(), 20u + 6u);  // the first batch, committed before the cut: 45..26 minus the type-3 pairs
  EXPECT_EQ(std::get<2>(S.Anforderungen.at("10@1")), 'A');
  EXPECT_EQ(std::get<2>(S.Anforderungen.at("20@1")), 'A');
  SummenPassenZuSaetzen();

  // Another program, once the server is back, finishes exactly.
  EXPECT_EQ(Kind(), 0);
  EXPECT_EQ(Stand(), Ungestoert);
  EXPECT_EQ(LebendeSperren(), 0);
}

TEST_P(TVervollstaendigenTest, TwoProgramsAtOnceBookEveryPairOnceAndLoseNoValue) {
  Aufbauen(80);
  const TStand Leer = Stand();
  std::vector<TQLX_clMeldung> Meldungen;
  ASSERT_TRUE(Vervollstaendigen(Meldungen));
  const TStand Allein = Stand();

  for (int Runde = 0; Runde < 3; ++Runde) {
    FDirekt->ExecScript("DELETE FROM inventur; UPDATE inventuranforderung SET ek_soll = 0, ek_ist = 0, kz_zaehlung = 'A'");
    ASSERT_EQ(Stand(), Leer);
    TKindprozess A = TKindprozess::Starten({ENGINE_VERVOLLSTAENDIGEN_KIND, "20"});
    TKindprozess B = TKindprozess::Starten({ENGINE_VERVOLLSTAENDIGEN_KIND, "20"});
    EXPECT_EQ(A.Ende(), 0) << "Runde " << Runde;
    EXPECT_EQ(B.Ende(), 0) << "Runde " << Runde;
    EXPECT_EQ(Stand(), Allein) << "Runde " << Runde;
    EXPECT_EQ(LebendeSperren(), 0);
  }
}

// What a completion leaves: records per request and the requests' values and states.
std::vector<std::string> Ergebnis(TDbConnection& ADb) {
  std::vector<std::string> Zeilen;
  auto S = ADb.Prepare(
      "SELECT r.zaehldatum, r.wg, r.filnr, r.ek_soll, r.ek_ist, r.kz_zaehlung, "
      "(SELECT count(*) FROM inventur i WHERE i.wijahr = r.wijahr AND i.zaehldatum = r.zaehldatum "
      "AND i.filnr = r.filnr) FROM inventuranforderung r WHERE r.wijahr = ? ORDER BY 1, 2, 3");
  S->BindDouble(1, EncodeDate(2026, 1, 1));
  while (S->Step()) {
    char Zeile[200];
    std::snprintf(Zeile, sizeof Zeile, "%.0f %s %d %.2f %.2f %s %d", S->ColumnDouble(0), S->ColumnText(1).c_str(),
                  static_cast<int>(S->ColumnInt(2)), S->ColumnDouble(3), S->ColumnDouble(4), S->ColumnText(5).c_str(),
                  static_cast<int>(S->ColumnInt(6)));
    Zeilen.push_back(Zeile);
  }
  return Zeilen;
}

// Several invanf-cli completing every requested request of the year at once,
// as users of one server do: requests of coarse and fine groups over the same
// articles, so every batch and every opening takes several request rows. None
// may end in a deadlock, and the end is that of one program alone.
TEST_P(TVervollstaendigenTest, ProgramsCompletingAllRequestedAtOnceNeverDeadlockAndEndAsOneAlone) {
  if (GetParam() != TDbBackend::PostgreSQL) GTEST_SKIP() << "row locks of a server";
  TDemoOptionen Opt;
  Opt.Artikel = 2000;
  Opt.Filialen = 3;
  Opt.Stichtag = D(2025, 10, 1);
  DemoFirmaErzeugen(*FDirekt, Opt);
  ::setenv("WWS_TODAY", "2026-03-01", 1);  // the year 2026 is offered, and the demo's requests lie before it
  const TDate Jahr = D(2026, 1, 1);
  {
    TQLX_InvAnfMani Mani;
    for (int Fil = 1; Fil <= 3; ++Fil) {
      ASSERT_TRUE(Mani.InventurAnlegen(D(2026, 6, 30), Jahr, "13", Fil));
      ASSERT_TRUE(Mani.InventurAnlegen(D(2026, 7, 1), Jahr, "1", Fil));
      ASSERT_TRUE(Mani.InventurAnlegen(D(2026, 7, 2), Jahr, "", Fil));
    }
  }
  const std::vector<std::string> Programm{INVANF_CLI_PFAD, "complete", "--year", "2026-01-01", "--all-requested"};
  auto Zuruecksetzen = [&] {
    auto Saetze = FDirekt->Prepare("DELETE FROM inventur WHERE wijahr = ?");
    Saetze->BindDouble(1, Jahr);
    Saetze->Execute();
    auto Anf = FDirekt->Prepare("UPDATE inventuranforderung SET ek_soll = 0, ek_ist = 0, kz_zaehlung = 'A' WHERE wijahr = ?");
    Anf->BindDouble(1, Jahr);
    Anf->Execute();
  };
  ASSERT_EQ(TKindprozess::Starten(Programm).Ende(), 0);
  const std::vector<std::string> Allein = Ergebnis(*FDirekt);
  ASSERT_EQ(Allein.size(), 9u);
  for (int Runde = 0; Runde < 3; ++Runde) {
    Zuruecksetzen();
    std::vector<TKindprozess> Programme;
    for (int N = 0; N < 4; ++N) Programme.push_back(TKindprozess::Starten(Programm));
    for (TKindprozess& K : Programme) EXPECT_EQ(K.Ende(), 0) << "Runde " << Runde;
    EXPECT_EQ(Ergebnis(*FDirekt), Allein) << "Runde " << Runde;
    EXPECT_EQ(LebendeSperren(), 0);
  }
  ::unsetenv("WWS_TODAY");
}

TEST_P(TVervollstaendigenTest, KilledRunsFinishedByARerunEndAsAnUninterruptedRun) {
  Aufbauen(50);
  ASSERT_EQ(Kind(), 0);
  const TStand Ungestoert = Stand();
  std::mt19937 Zufall(static_cast<unsigned>(getpid()));
  // Most runs here take some 100 to 400 ms from start to end.
  std::uniform_int_distribution<int> Moment(0, GetParam() == TDbBackend::SQLite ? 250 : 400);
  for (int Versuch = 0; Versuch < 20; ++Versuch) {
    FDirekt->ExecScript("DELETE FROM inventur; UPDATE inventuranforderung SET ek_soll = 0, ek_ist = 0, kz_zaehlung = 'A'");
    TKindprozess K = TKindprozess::Starten({ENGINE_VERVOLLSTAENDIGEN_KIND, "20"});
    const int Ms = Moment(Zufall);
    usleep(static_cast<useconds_t>(Ms) * 1000);
    K.Signal(SIGKILL);
    K.Ende();
    SummenPassenZuSaetzen();  // whatever was committed is consistent
    EXPECT_EQ(Kind(), 0) << "Versuch " << Versuch << " nach " << Ms << " ms";
    EXPECT_EQ(Stand(), Ungestoert) << "Versuch " << Versuch << " nach " << Ms << " ms";
    EXPECT_EQ(LebendeSperren(), 0);
  }
}

WWS_SUITE_BACKENDS(TVervollstaendigenTest);

}  // namespace
