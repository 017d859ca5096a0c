// Deleting requests with their booked target stock under the common lock.
#include <gtest/gtest.h>
#include <signal.h>

#include "tests/engine/BuchungsTestFirma.h"

namespace {

class TLoeschenTest : public TBuchungsTest {
 protected:
  bool Loeschen(std::vector<TQLX_clMeldung>& AMeldungen) {
    TQLX_InvAnfMani Mani;
    return Mani.InventurenLoeschen(Anforderungen(), AMeldungen);
  }
  bool Vervollstaendigen(std::vector<TQLX_clMeldung>& AMeldungen) {
    TQLX_InvAnfMani Mani;
    return Mani.InventurAnforderungVervollstaendigen(Anforderungen(), AMeldungen);
  }
};

TEST_P(TLoeschenTest, EmptyListIsDoneAtOnceAndLeavesTheMessagesAlone) {
  TQLX_InvAnfMani Mani;
  std::vector<TQLX_clMeldung> Meldungen{TQLX_clMeldung{}};
  EXPECT_TRUE(Mani.InventurenLoeschen({}, Meldungen));
  EXPECT_EQ(Meldungen.size(), 1u);
}

TEST_P(TLoeschenTest, HeldArticleKeepsItsRequestTheNextGoesAndASecondRunFinishes) {
  Aufbauen(45);
  std::vector<TQLX_clMeldung> Meldungen;
  {
    TQLX_InvAnfMani Mani;
    ASSERT_TRUE(Mani.InventurAnforderungVervollstaendigen(Anforderungen(), Meldungen));
  }
  ASSERT_EQ(Stand().Saetze.size(), 60u);

  TKindprozess Halter = Halten(P(5), 60);
  EXPECT_FALSE(Loeschen(Meldungen));
  Halter.Signal(SIGTERM);
  Halter.Ende();
  EXPECT_EQ(FPausen, 5);
  ASSERT_EQ(Meldungen.size(), 1u);
  EXPECT_EQ(Meldungen[0].Artikel, "A1005");
  EXPECT_EQ(Meldungen[0].Programm, "Kasse");

  TStand S = Stand();
  EXPECT_EQ(S.Saetze, (decltype(S.Saetze){{{5, 1, '1'}, 3}}));  // exactly the held article is left
  EXPECT_EQ(S.Anforderungen.size(), 1u);
  EXPECT_EQ(std::get<2>(S.Anforderungen.at("10@1")), 'L');
  EXPECT_EQ(LebendeSperren(), 0);

  FPausen = 0;
  EXPECT_TRUE(Loeschen(Meldungen));
  EXPECT_TRUE(Meldungen.empty());
  EXPECT_EQ(FPausen, 0);
  S = Stand();
  EXPECT_TRUE(S.Saetze.empty());
  EXPECT_TRUE(S.Anforderungen.empty());
}

TEST_P(TLoeschenTest, OnlyTheRequestOfTheGivenFiscalYearGoesWithItsOwnRecords) {
  Aufbauen(6);
  std::vector<TQLX_clMeldung> Meldungen;
  ASSERT_TRUE(Vervollstaendigen(Meldungen));
  // A record of the year before on the same day and branch belongs to no request here.
  Firma().Inventursatz(D(2024, 1, 1), ZAEHLTAG, 1, P(1), '1');
  const TStand Vorher = Stand();
  ASSERT_EQ(Firma().Anzahl("inventur"), 9);

  std::vector<TVglInvAnf_Inv> Falsch = Anforderungen();
  for (TVglInvAnf_Inv& A : Falsch) A.WiJahr = 2024;
  {
    TQLX_InvAnfMani Mani;
    EXPECT_TRUE(Mani.InventurenLoeschen(Falsch, Meldungen));  // none of them exists: nothing to do
  }
  EXPECT_EQ(Stand(), Vorher);
  EXPECT_EQ(Firma().Anzahl("inventur"), 9);

  EXPECT_TRUE(Loeschen(Meldungen));
  const TStand S = Stand();
  EXPECT_TRUE(S.Anforderungen.empty());
  ASSERT_EQ(S.Saetze.size(), 1u);
  auto Q = FDirekt->Prepare("SELECT wijahr FROM inventur");
  ASSERT_TRUE(Q->Step());
  EXPECT_EQ(Q->ColumnDouble(0), D(2024, 1, 1));
}

WWS_SUITE_BACKENDS(TLoeschenTest);

}  // namespace
