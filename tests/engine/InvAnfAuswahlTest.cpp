// Which articles a request covers: product groups, presence in the branch,
// check strictness, already booked pairs; both ways of checking stock.
#include <gtest/gtest.h>

#include "support/framework/TQLX_PEP_Progress_SetPos.h"
#include "support/types/TQLX_IA_KZZaehlung.h"
#include "tests/engine/EngineTestFirma.h"

namespace {

class TAuswahlTest : public TEngineTest {
 protected:
  void SetUp() override {
    TEngineTest::SetUp();
    Firma().Warengruppe("01", "Damen").Warengruppe("0102", "Blusen").Warengruppe("010203", "Seide");
    Firma().Warengruppe("0103", "Röcke");
    Firma().Artikel(P1, "010203").Artikel(P2, "0103").Artikel(P3, "0102").Artikel(P4, "0102");
    Firma().Artikel(P5, "0102").Artikel(P6, "0102", '1').Artikel(P7, "0102").Artikel(P8, "0102");
    Firma().Artikel(P9, "");  // no product group at all
    Bestand(P1, 1, 1);
    Bestand(P2, 1, 3, 0, 0, 0);  // A = B counts
    Verkauf(P3, 1);              // present through a branch sale only
    Bestand(P4, 1, 17);          // stock type 17 is never counted
    Bestand(P5, 1, 1, 5, 1, 0);  // A > B and C = 0: no counting stock
    Bestand(P5, 1, 0);           // type 0 is never booked either
    Bestand(P6, 1, 1);           // check strictness 1
    Bestand(P7, 2, 18, 9, 1, 4); // A > B but C != 0 counts; branch 2 only
    Verkauf(P8, 1, 'F', "22");   // other movement type
    Verkauf(P8, 1, 'L', "23");   // other record kind
    Bestand(P9, 1, 2);
  }

  void Anlegen(const std::string& AWG, int AFil, char AZustand = 'A') {
    Firma().Anforderung(Tag, AWG, AFil, WiJahr, AZustand);
  }
  TVglInvAnf_Inv A(const std::string& AWG, int AFil) { return Anf(Tag, AWG, AFil, WiJahr); }

  const TDate WiJahr = D(2025, 1, 1);
  const TDate Tag = D(2025, 6, 30);
  const TInt32Trio P1 = P(1), P2 = P(2), P3 = P(3), P4 = P(4), P5 = P(5), P6 = P(6), P7 = P(7), P8 = P(8), P9 = P(9);
};

TEST_P(TAuswahlTest, FineGroupUnderCoarseOneGetsBothRequestsAndOnlyPresentArticlesStay) {
  Anlegen("0102", 1);
  Anlegen("01", 1);
  std::vector<std::string> Gruppen;
  std::vector<int16_t> Filialen;
  const auto Ergebnis = Auswahl({A("0102", 1), A("01", 1)}, 1, &Gruppen, &Filialen);
  EXPECT_EQ(Gruppen, std::vector<std::string>{"01"});
  EXPECT_EQ(Filialen, std::vector<int16_t>{1});
  const TAuswahl Erwartet{{P1, {"01@1", "0102@1"}}, {P2, {"01@1"}}, {P3, {"01@1", "0102@1"}}};
  EXPECT_EQ(Ergebnis, Erwartet);
  EXPECT_EQ(Auswahl({A("0102", 1), A("01", 1)}, 2), Erwartet);
}

TEST_P(TAuswahlTest, SameGroupInTwoBranchesKeepsOnlyTheBranchThatHasTheArticle) {
  Anlegen("0102", 2);
  Anlegen("0102", 1);
  std::vector<std::string> Gruppen;
  std::vector<int16_t> Filialen;
  Auswahl({A("0102", 2), A("0102", 1)}, 1, &Gruppen, &Filialen);
  EXPECT_EQ(Gruppen, std::vector<std::string>{"0102"});
  EXPECT_EQ(Filialen, (std::vector<int16_t>{1, 2}));
  const TAuswahl Erwartet{{P1, {"0102@1"}}, {P3, {"0102@1"}}, {P7, {"0102@2"}}};
  EXPECT_EQ(AuswahlBeide({A("0102", 2), A("0102", 1)}), Erwartet);
}

TEST_P(TAuswahlTest, GroupWithoutArticlesInTheBranchLeavesNothing) {
  Anlegen("0103", 2);
  EXPECT_EQ(AuswahlBeide({A("0103", 2)}), TAuswahl{});
  // Not in the requested state: not loaded at all.
  Anlegen("0102", 1, CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung::iazEroeffnet));
  EXPECT_EQ(AuswahlBeide({A("0102", 1)}), TAuswahl{});
}

TEST_P(TAuswahlTest, BlankGroupsScanAllArticlesWithStrictnessAboveOne) {
  Anlegen("  ", 1);
  Anlegen("", 2);
  std::vector<std::string> Gruppen;
  Auswahl({A("  ", 1), A("", 2)}, 1, &Gruppen);
  EXPECT_EQ(Gruppen, std::vector<std::string>{""});  // the empty group covers the blank one
  // P9 has no group: only the scan over all articles finds it. P6 (strictness 1) never.
  const TAuswahl Erwartet{{P1, {"  @1"}}, {P2, {"  @1"}}, {P3, {"  @1"}}, {P7, {"@2"}}, {P9, {"  @1"}}};
  EXPECT_EQ(AuswahlBeide({A("  ", 1), A("", 2)}), Erwartet);
}

TEST_P(TAuswahlTest, NamedGroupNextToEmptyOneScansByGroupAndDropsLowStrictness) {
  Anlegen("", 1);
  Anlegen("0102", 2);
  // The product-group scan runs: P9 (no group) is not found; P6 is removed by the strictness check.
  const TAuswahl Erwartet{{P1, {"@1"}}, {P2, {"@1"}}, {P3, {"@1"}}, {P7, {"0102@2"}}};
  EXPECT_EQ(AuswahlBeide({A("", 1), A("0102", 2)}), Erwartet);
}

TEST_P(TAuswahlTest, BookedArticleLosesOnlyItsOwnRequestOnceEvenWithSeveralStockTypes) {
  Anlegen("0102", 1);
  Anlegen("0102", 2);
  Bestand(P1, 2, 1);
  const TAuswahl Vorher{{P1, {"0102@1", "0102@2"}}, {P3, {"0102@1"}}, {P7, {"0102@2"}}};
  EXPECT_EQ(AuswahlBeide({A("0102", 1), A("0102", 2)}), Vorher);
  // Three stock-take records (three stock types) of P1 for the branch-1 request.
  for (char Typ : {'1', '2', '3'}) Firma().Inventursatz(WiJahr, Tag, 1, P1, Typ);
  const TAuswahl Nachher{{P1, {"0102@2"}}, {P3, {"0102@1"}}, {P7, {"0102@2"}}};
  EXPECT_EQ(AuswahlBeide({A("0102", 1), A("0102", 2)}), Nachher);
  // Another fiscal year's or day's records do not count.
  Firma().Inventursatz(D(2024, 1, 1), Tag, 1, P3, '1').Inventursatz(WiJahr, Tag + 1, 1, P3, '1');
  EXPECT_EQ(AuswahlBeide({A("0102", 1), A("0102", 2)}), Nachher);
}

TEST_P(TAuswahlTest, CountingReportsTotalAndBookedAndLeavesOtherStatesAlone) {
  Anlegen("0102", 1);
  Anlegen("0103", 1, 'E');
  TQLX_PEP_Progress_SetPos* Fenster = nullptr;  // the engine's progress window
  auto Alt = KWDProgressFabrikSet([&](void*) {
    auto P = std::make_unique<TKWDTerminalProgress>(false);
    Fenster = P.get();
    return P;
  });
  TQLX_InvAnfMani Mani;
  KWDProgressFabrikSet(Alt);
  int Total = 77, Da = 88;
  Mani.InventurAnforderungArtZaehlen(A("0103", 1), Total, Da);
  EXPECT_EQ(Total, 77);
  EXPECT_EQ(Da, 88);

  Mani.InventurAnforderungArtZaehlen(A("0102", 1), Total, Da);
  EXPECT_EQ(Total, 2);  // P1 (through its finer group) and P3
  EXPECT_EQ(Da, 0);
  Firma().Inventursatz(WiJahr, Tag, 1, P1, '1').Inventursatz(WiJahr, Tag, 1, P1, '2');
  Mani.InventurAnforderungArtZaehlen(A("0102", 1), Total, Da);
  EXPECT_EQ(Total, 2);
  EXPECT_EQ(Da, 1);
  Firma().Inventursatz(WiJahr, Tag, 1, P3, '1');
  Mani.InventurAnforderungArtZaehlen(A("0102", 1), Total, Da);
  EXPECT_EQ(Da, Total);
  EXPECT_FALSE(Fenster->Sichtbar());
}

TEST_P(TAuswahlTest, ReusedEngineCarriesNoKeyOrFilterIntoTheNextRun) {
  Anlegen("0102", 1);
  Anlegen("0102", 2);
  TQLX_InvAnfMani Mani;
  int Total1 = -1, Da1 = -1, Total2 = -1, Da2 = -1;
  Mani.InventurAnforderungArtZaehlen(A("0102", 1), Total1, Da1);
  Mani.InventurAnforderungArtZaehlen(A("0102", 2), Total2, Da2);
  EXPECT_EQ(Total1, 2);
  EXPECT_EQ(Total2, 1);
  TQLX_InvAnfMani Frisch;
  int Total3 = -1, Da3 = -1;
  Frisch.InventurAnforderungArtZaehlen(A("0102", 2), Total3, Da3);
  EXPECT_EQ(Total3, Total2);
  EXPECT_EQ(Da3, Da2);
}

WWS_SUITE_BACKENDS(TAuswahlTest);

}  // namespace
