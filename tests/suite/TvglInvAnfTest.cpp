#include "suite/TvglInvAnf.h"

#include "tests/fixtures/SuiteTestUmgebung.h"

namespace {

class TvglInvAnfTest : public TSuiteTest {};

TEST_P(TvglInvAnfTest, InventurnochfreiVerweigertUeberlappendeWarengruppenAmSelbenTagInDerFiliale) {
  const TDate Tag = D(2025, 3, 10);
  Firma().Anforderung(Tag, "12", 1, D(2025, 1, 1));
  TvglInvAnf Dienst;
  // a sub-group, the parent group, all groups and the same group with blanks
  EXPECT_FALSE(Dienst.Inventurnochfrei("123", Tag, 1));
  EXPECT_FALSE(Dienst.Inventurnochfrei("1", Tag, 1));
  EXPECT_FALSE(Dienst.Inventurnochfrei("", Tag, 1));
  EXPECT_FALSE(Dienst.Inventurnochfrei("12   ", Tag, 1));
  // a time of day on the same counting day changes nothing
  EXPECT_FALSE(Dienst.Inventurnochfrei("12", Tag + 0.75, 1));
  // a sibling group, another branch, another day
  EXPECT_TRUE(Dienst.Inventurnochfrei("13", Tag, 1));
  EXPECT_TRUE(Dienst.Inventurnochfrei("2", Tag, 1));
  EXPECT_TRUE(Dienst.Inventurnochfrei("12", Tag, 2));
  EXPECT_TRUE(Dienst.Inventurnochfrei("12", Tag + 1, 1));
  EXPECT_TRUE(Dienst.Inventurnochfrei("12", Tag - 1, 1));
}

TEST_P(TvglInvAnfTest, EineAnforderungFuerAlleWarengruppenBelegtJedeGruppe) {
  const TDate Tag = D(2025, 3, 10);
  Firma().Anforderung(Tag, "", 4, D(2025, 1, 1));
  TvglInvAnf Dienst;
  EXPECT_FALSE(Dienst.Inventurnochfrei("7", Tag, 4));
  EXPECT_FALSE(Dienst.Inventurnochfrei("", Tag, 4));
  EXPECT_TRUE(Dienst.Inventurnochfrei("7", Tag, 5));
}

TEST_P(TvglInvAnfTest, FeindlicheTexteWerdenNurVerglichen) {
  const TDate Tag = D(2025, 3, 10);
  Firma().Anforderung(Tag, "9'; DELETE FROM inventuranforderung; --", 1, D(2025, 1, 1));
  TvglInvAnf Dienst;
  EXPECT_FALSE(Dienst.Inventurnochfrei("9'", Tag, 1));
  EXPECT_TRUE(Dienst.Inventurnochfrei("8' OR '1'='1", Tag, 1));
  EXPECT_EQ(Firma().Anzahl("inventuranforderung"), 1);
}

TEST_P(TvglInvAnfTest, NichtAbgeschlossenIstJederZustandAusserGebuchtUndLoeschung) {
  TvglInvAnf Dienst;
  EXPECT_FALSE(Dienst.IrgendeineInventurNichtAbgeschlossen());
  Firma().Anforderung(D(2025, 3, 10), "1", 1, D(2025, 1, 1), 'B').Anforderung(D(2025, 3, 10), "2", 1, D(2025, 1, 1), 'L');
  EXPECT_FALSE(Dienst.IrgendeineInventurNichtAbgeschlossen());
  Firma().Anforderung(D(2025, 3, 11), "3", 1, D(2025, 1, 1), 'E');
  EXPECT_TRUE(Dienst.IrgendeineInventurNichtAbgeschlossen());
}

WWS_SUITE_BACKENDS(TvglInvAnfTest);

}  // namespace
