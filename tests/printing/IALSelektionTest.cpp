// The count-list selection: which stock-take records become lines of the
// count-list file, and what each line carries.
#include <gtest/gtest.h>

#include "printing/IALSelektion.h"
#include "tests/printing/DruckTestUmgebung.h"

namespace {

class IALSelektion : public TDruckTest {
 protected:
  void SetUp() override {
    TDruckTest::SetUp();
    Firma().Warengruppe("12", "Hosen").Warengruppe("120", "Jeans").Warengruppe("12a", "Shorts klein")
        .Warengruppe("12A", "Shorts groß").Warengruppe("1", "Bekleidung").Warengruppe("21", "Schuhe")
        .Filiale(3, "Kiel").Lieferant({7, 1}, "Weberei Kiel");
  }

  // Runs the selection for the given rows of the main window's list.
  std::vector<TIALTestZeile> Selektion(const std::vector<TIADruckZeile>& AZeilen, TIALSelektion* ASelektion = nullptr) {
    TIALSelektion Eigen;
    (ASelektion ? *ASelektion : Eigen).Ausfuehren(KJahr, AZeilen);
    return Zaehlliste();
  }
  std::vector<TInt32Trio> Artikel(const std::vector<TIALTestZeile>& AZeilen) {
    std::vector<TInt32Trio> P;
    for (const auto& Z : AZeilen)
      if (Z.Teil == 0) P.push_back(Z.PId);
    return P;
  }

  const TDate KJahr = D(2026, 1, 1);
  const TDate KTag = D(2026, 12, 24);
};

TEST_P(IALSelektion, SizesFillLinesOfAtMostSeventeen) {
  for (int I = 1; I <= 5; ++I) Firma().Artikel(P(I), "12", '5', "Artikel " + std::to_string(I));
  InventurGroessen(KJahr, KTag, 3, P(1), 1, 17);
  InventurGroessen(KJahr, KTag, 3, P(2), 1, 18);
  InventurGroessen(KJahr, KTag, 3, P(3), 1, 35);
  InventurGroessen(KJahr, KTag, 3, P(4), 5, 5);
  InventurGroessen(KJahr, KTag, 3, P(5), 7, 8);
  // A record whose last size lies before its first gives no line at all.
  auto Kaputt = FDirekt->Prepare("UPDATE inventur SET grvon = 8, grbis = 7 WHERE prodid1 = 5");
  Kaputt->Execute();

  const auto Zeilen = Selektion({{KTag, 3, "*"}});
  struct TErwartet {
    int PId, Teil, Von, Bis;
  };
  const std::vector<TErwartet> Erwartet{{1, 0, 1, 17},  {2, 0, 1, 17},  {2, 1, 18, 18}, {3, 0, 1, 17},
                                        {3, 1, 18, 34}, {3, 2, 35, 35}, {4, 0, 5, 5}};
  ASSERT_EQ(Zeilen.size(), Erwartet.size());
  for (size_t I = 0; I < Zeilen.size(); ++I) {
    SCOPED_TRACE(I);
    EXPECT_EQ(Zeilen[I].ZeilenNr, static_cast<int>(I) + 1);
    EXPECT_EQ(Zeilen[I].PId, P(Erwartet[I].PId));
    EXPECT_EQ(Zeilen[I].Teil, Erwartet[I].Teil);
    EXPECT_EQ(Zeilen[I].ZeileVon, Erwartet[I].Von);
    EXPECT_EQ(Zeilen[I].ZeileBis, Erwartet[I].Bis);
    EXPECT_EQ(Zeilen[I].WiJahr, KJahr);
    EXPECT_EQ(Zeilen[I].Zaehldatum, KTag);
    EXPECT_EQ(Zeilen[I].FilNr, 3);
  }
  // Every line of an article carries all its sizes and its whole range.
  EXPECT_EQ(Zeilen[5].GrVon, 1);
  EXPECT_EQ(Zeilen[5].GrBis, 35);
  EXPECT_EQ(Zeilen[5].Menge[34], 1);
  EXPECT_EQ(Zeilen[5].Sollmenge, 35);
  EXPECT_EQ(Zeilen[5].Text1, "Artikel 3");
}

TEST_P(IALSelektion, GroupPrefixWithoutRegardToCase) {
  const std::vector<std::pair<int, std::string>> Gruppen{{1, "12"}, {2, "120"}, {3, "12a"}, {4, "12A"}, {5, "1"},
                                                         {6, "21"}, {7, ""},    {8, "ÄB"},  {9, "äb1"}};
  for (const auto& [Nr, WG] : Gruppen) {
    Firma().Artikel(P(Nr), WG);
    Firma().Inventursatz(KJahr, KTag, 3, P(Nr), '1', 2);
  }
  EXPECT_EQ(Artikel(Selektion({{KTag, 3, "12"}})), (std::vector<TInt32Trio>{P(1), P(2), P(3), P(4)}));
  EXPECT_EQ(Artikel(Selektion({{KTag, 3, "12a"}})), (std::vector<TInt32Trio>{P(3), P(4)}));
  EXPECT_EQ(Artikel(Selektion({{KTag, 3, "äb"}})), (std::vector<TInt32Trio>{P(8), P(9)}));
  // "*" and an empty group take everything, also an article without a group.
  EXPECT_EQ(Artikel(Selektion({{KTag, 3, "*"}})).size(), Gruppen.size());
  EXPECT_EQ(Artikel(Selektion({{KTag, 3, ""}})).size(), Gruppen.size());
}

TEST_P(IALSelektion, LinesCarryTheArticleDataAndMissingDataStaysEmpty) {
  Firma().Artikel(P(1), "12", '4', "Jeans Slim", {7, 1});
  ArtikelTexte(P(1), "Denim, blau", "Modell 4711", 3);
  Firma().Preis('V', P(1), 0, 3, D(2026, 1, 1), 59.95).Preis('V', P(1), 3, 3, D(2026, 6, 1), 49.95)
      .Preis('V', P(1), 3, 3, D(2027, 1, 1), 39.95).Preis('V', P(1), 3, 0, D(2026, 1, 1), 99.0);
  // The latest dated non-empty number; on equal dates the first in key order; never a date not after 0.
  Firma().ArtNr(P(1), 45000, "A-1").ArtNr(P(1), 46500, "").ArtNr(P(1), 46000, "B-2").ArtNr(P(1), 46000, "B-1")
      .ArtNr(P(1), 0, "Z-0").ArtNr(P(1), -5, "Z-9");
  Kennzahlen(P(1), 7, 3);
  Firma().Artikel(P(2), "120", '2', "Jeans Bootcut");  // no figures, no number
  Inventur(KJahr, KTag, 3, P(1), '1', {{3, 2}, {4, 1}});
  Inventur(KJahr, KTag, 3, P(2), '1', {{1, -2}, {2, 1}});  // a negative target
  Inventur(KJahr, KTag, 3, P(9), '1', {{1, 4}});           // not in the article file
  auto Gruppe = FDirekt->Prepare("INSERT INTO artikel_wg (wgsystem, prodid1, prodid2, prodid3, wgn) VALUES ('EIGEN', 9, 0, 0, '12')");
  Gruppe->Execute();

  TIALSelektion Drucken;
  const auto Zeilen = Selektion({{KTag, 3, "12"}}, &Drucken);
  ASSERT_EQ(Zeilen.size(), 3u);
  const TIALTestZeile& A = Zeilen[0];
  EXPECT_EQ(A.QArtNr, "B-1");
  EXPECT_EQ(A.Text1, "Jeans Slim");
  EXPECT_EQ(A.Text2, "Denim, blau");
  EXPECT_EQ(A.Text3, "Modell 4711");
  EXPECT_EQ(A.Pruefschaerfe, '4');
  EXPECT_EQ(A.Lieferant, "Weberei Kiel");
  EXPECT_DOUBLE_EQ(A.VKPreis, 49.95);  // branch price of size 3 valid on the counting date
  EXPECT_EQ(A.Kennzahl1, 7);
  EXPECT_EQ(A.Kennzahl2, 3);
  EXPECT_EQ(A.WGNr, "12");
  EXPECT_EQ(A.WG, "12");
  EXPECT_EQ(A.WGText, "Hosen");
  EXPECT_EQ(A.Sollmenge, 3);
  EXPECT_EQ(A.Menge[2], 2);

  const TIALTestZeile& B = Zeilen[1];
  EXPECT_EQ(B.Sollmenge, 0) << "a negative target quantity is printed as 0";
  EXPECT_EQ(B.Menge[0], -2) << "the sizes stay as booked";
  EXPECT_EQ(B.QArtNr, "");
  EXPECT_EQ(B.Kennzahl1, 0);
  EXPECT_EQ(B.Kennzahl2, 1) << "figures 0 and 1 where the article has none";
  EXPECT_EQ(B.WGText, "Jeans");

  const TIALTestZeile& C = Zeilen[2];
  EXPECT_EQ(C.PId, P(9));
  EXPECT_EQ(C.Text1, "");
  EXPECT_EQ(C.QArtNr, "");
  EXPECT_EQ(C.Lieferant, "");
  EXPECT_EQ(C.VKPreis, 0.0);
  EXPECT_EQ(C.Kennzahl1, 0);
  EXPECT_EQ(C.Kennzahl2, 0) << "a missing article leaves the cleared buffer";
  EXPECT_EQ(C.WG, "12");
  EXPECT_EQ(C.Sollmenge, 4);

  // Read alone through the history file, the number is the same.
  TIALSelektion Einzeln;
  EXPECT_EQ(Einzeln.GetQArtNr(P(1)), "B-1");
  EXPECT_EQ(Einzeln.GetQArtNr(P(2)), "");
  EXPECT_EQ(Einzeln.GetQArtNr(P(9)), "");
}

// No stock type is stored as a blank: the count list shows the regular stock
// (type 1), not the other types of the same article.
TEST_P(IALSelektion, OnlyTheRegularStockType) {
  for (int I = 1; I <= 4; ++I) Firma().Artikel(P(I), "12");
  Firma().Inventursatz(KJahr, KTag, 3, P(1), '1', 5);
  Firma().Inventursatz(KJahr, KTag, 3, P(2), '2', 5);
  Firma().Inventursatz(KJahr, KTag, 3, P(3), ' ', 5);
  Firma().Inventursatz(KJahr, KTag, 3, P(4), '1', 1).Inventursatz(KJahr, KTag, 3, P(4), '3', 9);
  // Other requests' records stay out: another branch, day and year.
  Firma().Inventursatz(KJahr, KTag, 4, P(2), '1', 5).Inventursatz(KJahr, KTag + 1, 3, P(2), '1', 5)
      .Inventursatz(D(2025, 1, 1), KTag, 3, P(2), '1', 5);
  const auto Zeilen = Selektion({{KTag, 3, "*"}});
  EXPECT_EQ(Artikel(Zeilen), (std::vector<TInt32Trio>{P(1), P(4)}));
  ASSERT_EQ(Zeilen.size(), 2u);
  EXPECT_EQ(Zeilen[1].Sollmenge, 1);
}

TEST_P(IALSelektion, RowsInListOrderNumberedOnAndNoRowWritesAnEmptyFile) {
  Firma().Artikel(P(1), "12").Artikel(P(2), "21");
  Firma().Inventursatz(KJahr, KTag, 3, P(1), '1', 1).Inventursatz(KJahr, KTag + 7, 4, P(2), '1', 1);
  const auto Zeilen = Selektion({{KTag + 7, 4, "*"}, {KTag, 3, "12"}});
  ASSERT_EQ(Zeilen.size(), 2u);
  EXPECT_EQ(Zeilen[0].FilNr, 4);
  EXPECT_EQ(Zeilen[0].ZeilenNr, 1);
  EXPECT_EQ(Zeilen[1].FilNr, 3);
  EXPECT_EQ(Zeilen[1].ZeilenNr, 2);
  EXPECT_TRUE(Selektion({}).empty());
}

WWS_SUITE_BACKENDS(IALSelektion);

}  // namespace
