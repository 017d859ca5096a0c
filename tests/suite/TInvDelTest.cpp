#include "suite/TInvDel.h"

#include <fstream>
#include <iterator>

#include "support/services/TKWDBuchung.h"
#include "tests/fixtures/SuiteTestUmgebung.h"

namespace {

class TInvDelTest : public TSuiteTest {
 protected:
  // Day 10.03.2025, branch 1: request "1" (articles 1 and 2, each booked in
  // two stock types) and request "2" (article 3). Branch 2 and another day
  // hold article 1 as well and must stay untouched.
  void SetUp() override {
    TSuiteTest::SetUp();
    Firma()
        .Artikel(P(1), "11")
        .Artikel(P(2), "1")
        .Artikel(P(3), "21")
        .Anforderung(Tag, "1", 1, WiJahr)
        .Anforderung(Tag, "2", 1, WiJahr)
        .Anforderung(Tag, "1", 2, WiJahr)
        .Inventursatz(WiJahr, Tag, 1, P(1), '1')
        .Inventursatz(WiJahr, Tag, 1, P(1), '3')
        .Inventursatz(WiJahr, Tag, 1, P(2), '1')
        .Inventursatz(WiJahr, Tag, 1, P(3), '1')
        .Inventursatz(WiJahr, Tag, 2, P(1), '1')
        .Inventursatz(WiJahr, Tag + 1, 1, P(1), '1');
  }
  const TDate WiJahr = D(2025, 1, 1);
  const TDate Tag = D(2025, 3, 10);
  TInvDel FDel;
};

TEST_P(TInvDelTest, ProdIDsInInventurLeertDieListeUndLiefertNurDieArtikelDerAnforderung) {
  std::vector<TInt32Trio> Liste{P(99)};
  FDel.ProdIDsInInventur(WiJahr, Tag, "1", 1, Liste);
  EXPECT_EQ(Liste, (std::vector<TInt32Trio>{P(1), P(2)}));
  FDel.ProdIDsInInventur(WiJahr, Tag, "2", 1, Liste);
  EXPECT_EQ(Liste, (std::vector<TInt32Trio>{P(3)}));

  TQLX_List<TInt32Trio> QListe;
  QListe.Add(P(42));
  FDel.ProdIDsInInventur(WiJahr, Tag, "1", 2, QListe);
  ASSERT_EQ(QListe.Count(), 1);
  EXPECT_EQ(QListe[0], P(1));
}

TEST_P(TInvDelTest, ArtikelOhnePassendeGruppeGehoertDerAnforderungDieSonstNiemandDeckt) {
  // article 4 lost its group after the booking, article 5 moved to group 3
  Firma().Artikel(P(4), "").Artikel(P(5), "3");
  Firma().Inventursatz(WiJahr, Tag, 1, P(4), '1').Inventursatz(WiJahr, Tag, 1, P(5), '1');
  std::vector<TInt32Trio> Liste;
  FDel.ProdIDsInInventur(WiJahr, Tag, "1", 1, Liste);
  EXPECT_EQ(Liste, (std::vector<TInt32Trio>{P(1), P(2), P(4), P(5)}));
  FDel.ProdIDsInInventur(WiJahr, Tag, "2", 1, Liste);
  EXPECT_EQ(Liste, (std::vector<TInt32Trio>{P(3), P(4), P(5)}));
  // once a request for all groups exists on that day, it holds the ungrouped article
  Firma().Anforderung(Tag, "", 1, WiJahr);
  FDel.ProdIDsInInventur(WiJahr, Tag, "1", 1, Liste);
  EXPECT_EQ(Liste, (std::vector<TInt32Trio>{P(1), P(2)}));
}

TEST_P(TInvDelTest, LoeschenArtikelweiseDannDieAnforderung) {
  ASSERT_TRUE(FDel.DelInvDelStart(WiJahr, Tag, "1", 1));
  {
    auto S = FDirekt->Prepare("SELECT kz_zaehlung FROM inventuranforderung WHERE wg = '1' AND filnr = 1");
    ASSERT_TRUE(S->Step());
    EXPECT_EQ(S->ColumnText(0), "L");
  }
  // records left: the request stays
  EXPECT_FALSE(FDel.DelInv(WiJahr, Tag, "1", 1, true));
  EXPECT_EQ(Firma().Anzahl("inventuranforderung"), 3);

  EXPECT_TRUE(FDel.DelInvProdID(WiJahr, Tag, "1", 1, P(1), true));
  std::vector<TInt32Trio> Liste;
  FDel.ProdIDsInInventur(WiJahr, Tag, "1", 1, Liste);
  EXPECT_EQ(Liste, (std::vector<TInt32Trio>{P(2)}));
  EXPECT_TRUE(FDel.DelInvProdID(WiJahr, Tag, "1", 1, P(2), false));
  EXPECT_TRUE(FDel.DelInv(WiJahr, Tag, "1", 1, true));

  // both stock types of article 1 gone; branch 2, the other day and request "2" untouched
  EXPECT_EQ(Firma().Anzahl("inventur"), 3);
  EXPECT_EQ(Firma().Anzahl("inventuranforderung"), 2);
  FDel.ProdIDsInInventur(WiJahr, Tag, "2", 1, Liste);
  EXPECT_EQ(Liste, (std::vector<TInt32Trio>{P(3)}));
  // a request that no longer exists
  EXPECT_FALSE(FDel.DelInvDelStart(WiJahr, Tag, "1", 1));
  EXPECT_FALSE(FDel.DelInv(WiJahr, Tag, "1", 1, false));
}

TEST_P(TInvDelTest, DasGeschaeftsjahrZaehltNachKalenderjahrDesErstenTags) {
  // booked under a fiscal year starting in July; the deletion names it by the
  // first day a changed STARTMON gives: the records are still found
  Firma().Anforderung(D(2025, 9, 1), "7", 3, D(2025, 7, 1)).Artikel(P(7), "7");
  Firma().Inventursatz(D(2025, 7, 1), D(2025, 9, 1), 3, P(7), '1');
  std::vector<TInt32Trio> Liste;
  FDel.ProdIDsInInventur(D(2025, 1, 1), D(2025, 9, 1), "7", 3, Liste);
  EXPECT_EQ(Liste, (std::vector<TInt32Trio>{P(7)}));
  FDel.ProdIDsInInventur(D(2024, 1, 1), D(2025, 9, 1), "7", 3, Liste);
  EXPECT_TRUE(Liste.empty());
}

TEST_P(TInvDelTest, EineAnforderungEinesAnderenGeschaeftsjahresBleibtUnberuehrt) {
  // named with the year before: not this request, nothing marked or deleted
  EXPECT_FALSE(FDel.DelInvDelStart(D(2024, 1, 1), Tag, "1", 1));
  EXPECT_TRUE(FDel.DelInvProdID(D(2024, 1, 1), Tag, "1", 1, P(1), false));
  EXPECT_FALSE(FDel.DelInv(D(2024, 1, 1), Tag, "2", 1, false));
  EXPECT_EQ(Firma().Anzahl("inventur"), 6);
  EXPECT_EQ(Firma().Anzahl("inventuranforderung"), 3);
  auto S = FDirekt->Prepare("SELECT count(*) FROM inventuranforderung WHERE kz_zaehlung = 'L'");
  ASSERT_TRUE(S->Step());
  EXPECT_EQ(S->ColumnInt(0), 0);
}

TEST_P(TInvDelTest, InEinerBuchungWerdenDieArtikelGesammeltUndZusammenEntfernt) {
  {
    TBuchungsKlammer Buchung("Test.Entfernen");
    EXPECT_TRUE(FDel.DelInvProdID(WiJahr, Tag, "1", 1, P(1), true));
    EXPECT_TRUE(FDel.DelInvProdID(WiJahr, Tag, "1", 1, P(2), true));
    EXPECT_EQ(Firma().Anzahl("inventur"), 6) << "collected, not yet removed";
    // Another request's article: what was collected goes first.
    EXPECT_TRUE(FDel.DelInvProdID(WiJahr, Tag, "2", 1, P(3), false));
    Buchung.Ende();
  }
  EXPECT_EQ(Firma().Anzahl("inventur"), 2);  // branch 2 and the other day stay
  std::ifstream Log(FLog);
  const std::string Protokoll((std::istreambuf_iterator<char>(Log)), std::istreambuf_iterator<char>());
  EXPECT_NE(Protokoll.find("Artikel 1.0.0, 2.0.0 aus der Inventur entfernt"), std::string::npos) << Protokoll;

  // A bracket rolled back takes what it collected; the next starts afresh.
  Firma().Inventursatz(WiJahr, Tag, 1, P(1), '1');
  {
    TBuchungsKlammer Buchung("Test.Abbruch");
    EXPECT_TRUE(FDel.DelInvProdID(WiJahr, Tag, "1", 1, P(1), false));
    Buchung.Flush();
  }
  EXPECT_EQ(Firma().Anzahl("inventur"), 3);
  {
    TBuchungsKlammer Buchung("Test.Wieder");
    EXPECT_TRUE(FDel.DelInvProdID(WiJahr, Tag, "1", 1, P(1), false));
    Buchung.Ende();
  }
  EXPECT_EQ(Firma().Anzahl("inventur"), 2);
  // Outside a bracket it removes at once.
  Firma().Inventursatz(WiJahr, Tag, 1, P(2), '1');
  EXPECT_TRUE(FDel.DelInvProdID(WiJahr, Tag, "1", 1, P(2), false));
  EXPECT_EQ(Firma().Anzahl("inventur"), 2);
}

WWS_SUITE_BACKENDS(TInvDelTest);

}  // namespace
