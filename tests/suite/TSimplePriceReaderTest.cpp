#include "suite/TSimplePriceReader.h"

#include "tests/fixtures/SuiteTestUmgebung.h"

namespace {

class TSimplePriceReaderTest : public TSuiteTest {
 protected:
  double EK(int AFil, TDate ADatum, int8_t AGrInd) {
    FLeser.SetDatum(ADatum);
    FLeser.SetSelekted(TQLX_Preis_Sys_Mand_Fil::Construct(AFil));
    return FLeser.GEK_4_Art_Dat_Fil_GrInd(AGrInd, "");
  }
  TSimplePriceReader FLeser;
};

TEST_P(TSimplePriceReaderTest, FilialeVorFirmaGroesseVorArtikelGueltigAmDatum) {
  const TInt32Trio A = P(1, 2, 3);
  Firma()
      .Preis('E', A, 0, 0, D(2024, 1, 1), 10.0)   // company, article
      .Preis('E', A, 0, 0, D(2025, 1, 1), 11.0)   // company, article, newer
      .Preis('E', A, 0, 5, D(2024, 1, 1), 12.5)   // company, size 5
      .Preis('E', A, 7, 0, D(2025, 6, 1), 9.0)    // branch 7, article, from June
      .Preis('E', A, 7, 3, D(2024, 1, 1), 8.0)    // branch 7, size 3
      .Preis('V', A, 0, 0, D(2024, 1, 1), 29.95)  // selling price
      .Preis('E', P(9), 0, 0, D(2020, 1, 1), 99.0);
  FLeser.SetProdId(A);

  // the date picks the valid-from (the first valid day counts)
  EXPECT_DOUBLE_EQ(EK(0, D(2024, 12, 31), 0), 10.0);
  EXPECT_DOUBLE_EQ(EK(0, D(2025, 1, 1) + 0.5, 0), 11.0);
  EXPECT_DOUBLE_EQ(EK(0, D(2023, 12, 31), 0), 0.0);
  // size price before article price; size position is 0-based
  EXPECT_DOUBLE_EQ(EK(0, D(2025, 3, 1), 4), 12.5);
  EXPECT_DOUBLE_EQ(EK(0, D(2025, 3, 1), 3), 11.0);
  EXPECT_DOUBLE_EQ(EK(0, D(2025, 3, 1), -1), 11.0);
  // branch before company, but only where the branch has a valid price
  EXPECT_DOUBLE_EQ(EK(7, D(2025, 3, 1), 2), 8.0);
  EXPECT_DOUBLE_EQ(EK(7, D(2025, 3, 1), 0), 11.0);
  EXPECT_DOUBLE_EQ(EK(7, D(2025, 7, 1), 0), 9.0);
  EXPECT_DOUBLE_EQ(EK(7, D(2025, 7, 1), 4), 9.0);
  EXPECT_DOUBLE_EQ(EK(8, D(2025, 7, 1), 4), 12.5);
  FLeser.SetSelekted(TQLX_Preis_Sys_Mand_Fil::Construct(7));
  EXPECT_DOUBLE_EQ(FLeser.SVK_4_Art_Dat_Fil_GrInd(0, ""), 29.95);
}

TEST_P(TSimplePriceReaderTest, AlleGroessenEinesArtikelsKostenEineAbfrage) {
  for (int Gr = 1; Gr <= 40; ++Gr) Firma().Preis('E', P(1), 0, Gr, D(2024, 1, 1), Gr * 1.5);
  FLeser.SetProdId(P(1));
  FLeser.SetDatum(D(2025, 1, 1));
  FLeser.SetSelekted(TQLX_Preis_Sys_Mand_Fil::Construct(3));
  double Summe = 0;
  for (int8_t I = 0; I < 40; ++I) Summe += FLeser.GEK_4_Art_Dat_Fil_GrInd(I, "");
  EXPECT_DOUBLE_EQ(Summe, 1.5 * 820);
  EXPECT_EQ(FLeser.Abfragen(), 1);
  // another article: its own prices, none left from the first
  FLeser.SetProdId(P(2));
  EXPECT_DOUBLE_EQ(FLeser.GEK_4_Art_Dat_Fil_GrInd(0, ""), 0.0);
  EXPECT_EQ(FLeser.Abfragen(), 2);
}

TEST_P(TSimplePriceReaderTest, VorgeladeneArtikelGebenDieselbenPreiseOhneWeitereAbfrage) {
  // More articles than one statement takes, so the read runs in chunks;
  // asked for in no particular order, one of them twice.
  std::vector<TInt32Trio> Artikel;
  for (int I = 520; I >= 1; --I) {
    Artikel.push_back(P(I));
    if (I % 10 == 0) continue;  // an article without any price
    Firma().Preis('E', P(I), 0, 0, D(2024, 1, 1), I * 1.0).Preis('E', P(I), 4, 2, D(2024, 6, 1), I * 0.5);
  }
  Artikel.push_back(P(7));
  Firma().Preis('E', P(900), 0, 0, D(2024, 1, 1), 77.0);
  auto Bewertet = [&](TSimplePriceReader& ALeser, const TInt32Trio& APId) {
    ALeser.SetProdId(APId);
    ALeser.SetDatum(D(2025, 1, 1));
    ALeser.SetSelekted(TQLX_Preis_Sys_Mand_Fil::Construct(4));
    return std::make_pair(ALeser.GEK_4_Art_Dat_Fil_GrInd(1, ""), ALeser.GEK_4_Art_Dat_Fil_GrInd(0, ""));
  };
  FLeser.Vorladen(Artikel);
  const int NachVorrat = FLeser.Abfragen();
  EXPECT_EQ(NachVorrat, 2);  // 500 keys per statement
  TSimplePriceReader Einzeln;
  for (const TInt32Trio& A : Artikel) EXPECT_EQ(Bewertet(FLeser, A), Bewertet(Einzeln, A)) << A.ToString();
  EXPECT_EQ(FLeser.Abfragen(), NachVorrat);
  EXPECT_EQ(Bewertet(FLeser, P(130)), std::make_pair(0.0, 0.0));
  // Read ahead for purchase prices only: a selling price is read when asked.
  Firma().Preis('V', P(1), 0, 0, D(2024, 1, 1), 19.5);
  FLeser.Vorladen(Artikel, 'E');
  EXPECT_EQ(Bewertet(FLeser, P(1)), Bewertet(Einzeln, P(1)));
  const int NurEK = FLeser.Abfragen();
  EXPECT_DOUBLE_EQ(FLeser.SVK_4_Art_Dat_Fil_GrInd(0, ""), 19.5);
  EXPECT_EQ(FLeser.Abfragen(), NurEK + 1);
  EXPECT_EQ(Bewertet(FLeser, P(1)), Bewertet(Einzeln, P(1)));
  // An article outside the read is asked for on its own.
  const int VorEinzeln = FLeser.Abfragen();
  EXPECT_DOUBLE_EQ(Bewertet(FLeser, P(900)).first, 77.0);
  EXPECT_EQ(FLeser.Abfragen(), VorEinzeln + 1);
}

WWS_SUITE_BACKENDS(TSimplePriceReaderTest);

}  // namespace
