#include <cstdlib>

#include "suite/ArtBestTypEigenschaften.h"
#include "suite/GDBConnector.h"
#include "suite/InvMultiAbwertung.h"
#include "suite/SuiteDatenbank.h"
#include "suite/TArtikelTools.h"
#include "suite/TFilialTabelle.h"
#include "suite/TInvMani.h"
#include "suite/TLiefGPData.h"
#include "suite/WiJahr.h"
#include "support/framework/KWDUhr.h"
#include "support/services/TParameter.h"
#include "tests/fixtures/SuiteTestUmgebung.h"

namespace {

class SuiteDiensteTest : public TSuiteTest {
 protected:
  void TearDown() override {
    KWDUhrSet(nullptr);
    ::unsetenv("WWS_DB_KIND");
    TSuiteTest::TearDown();
  }
};

TEST_P(SuiteDiensteTest, FirmaOeffnenIstWiederholbarUndBehaeltDaten) {
  Firma().Filiale(1, "Hamburg");
  SuiteDatenbankOeffnen();
  SuiteDatenbankOeffnen();
  EXPECT_EQ(Firma().Anzahl("filiale"), 1);
  auto S = FDirekt->Prepare("SELECT count(*) FROM artbesttyp");
  ASSERT_TRUE(S->Step());
  EXPECT_EQ(S->ColumnInt(0), KKWD_ARTBESTTYP_ANZAHL);
}

TEST_P(SuiteDiensteTest, WirtschaftsjahreJedesEinmalDasNeuesteZuletzt) {
  TInvMani Mani;
  EXPECT_TRUE(Mani.Inv_get_WiJahrArray().empty());
  Firma()
      .Anforderung(D(2025, 3, 1), "1", 1, D(2025, 1, 1))
      .Anforderung(D(2023, 3, 1), "1", 1, D(2023, 1, 1))
      .Anforderung(D(2025, 4, 1), "1", 1, D(2025, 1, 1))
      .Inventursatz(D(2024, 1, 1), D(2024, 5, 5), 1, P(1), '1')
      .Inventursatz(D(2025, 1, 1), D(2025, 3, 1), 1, P(1), '1')
      .Inventursatz(0, D(2020, 1, 1), 1, P(2), '1');
  EXPECT_EQ(Mani.Inv_get_WiJahrArray(), (std::vector<TDate>{D(2023, 1, 1), D(2024, 1, 1), D(2025, 1, 1)}));
}

TEST_P(SuiteDiensteTest, ErsterTagDesWirtschaftsjahresFolgtStartmon) {
  EXPECT_EQ(ersterTag_WiJahr(2025), D(2025, 1, 1));
  KWDParameter().SetIntegerValueByName("STARTMON", 7);
  EXPECT_EQ(ersterTag_WiJahr(2025), D(2025, 7, 1));
  EXPECT_EQ(ersterTag_WiJahr(2000), D(2000, 7, 1));
  // a month no one could mean, written behind the store's back: January
  auto S = FDirekt->Prepare("UPDATE parameter SET wert = '13' WHERE name = 'STARTMON'");
  ASSERT_EQ(S->Execute(), 1);
  EXPECT_EQ(ersterTag_WiJahr(2025), D(2025, 1, 1));
}

TEST_P(SuiteDiensteTest, FilialTabelleKenntNummerNameUndLVArt) {
  Firma().Filiale(3, "Kiel", true).Filiale(1, "Hamburg").Filiale(12, "Lübeck");
  TFilialTabelle* Tabelle = GlobFilialTabelle_GetInstance();
  ASSERT_NE(Tabelle, nullptr);
  const TFilialen& Filialen = Tabelle->Filialen();
  EXPECT_EQ(Filialen.Zeilen(), (std::vector<std::string>{"1", "3", "12"}));
  ASSERT_NE(Filialen.GetFilialeByNr(3), nullptr);
  EXPECT_TRUE(Filialen.GetFilialeByNr(3)->LV_Benutzen);
  EXPECT_FALSE(Filialen.GetFilialeByNr(12)->LV_Benutzen);
  EXPECT_EQ(Filialen.GetFilialeByNr(12)->Name, "Lübeck");
  EXPECT_EQ(Filialen.GetFilialeByNr(0), nullptr);
  EXPECT_EQ(Filialen.GetFilialeByNr(4), nullptr);
  GlobFilialTabelle_ReleaseInstance(Tabelle);
  EXPECT_EQ(Tabelle, nullptr);
}

TEST_P(SuiteDiensteTest, LieferantNachPartnerschluesselSonstLeer) {
  Firma().Lieferant({100, 1}, "Weber Textil GmbH", "Bielefeld");
  TLiefGPData* Daten = GlobLiefGPData_GetInstance();
  EXPECT_EQ(Daten->GetLiefDataByGep_EmptyDefault({100, 1}).Name, "Weber Textil GmbH");
  EXPECT_EQ(Daten->GetLiefDataByGep_EmptyDefault({100, 2}).Name, "");
  EXPECT_EQ(Daten->GetLiefDataByGep_EmptyDefault({}).Name, "");
  GlobLiefGPData_ReleaseInstance(Daten);
}

TEST_P(SuiteDiensteTest, IstWertFolgtDenBestandsartParameternNachUpdate) {
  ArtBestTypEigenschaften_Update();
  auto Tabelle = Get_ArtBestTyp_Eigenschaften();
  EXPECT_EQ(Tabelle[2].Parameter, "INVAVIS");
  for (int I = 0; I < KKWD_ARTBESTTYP_ANZAHL; ++I) EXPECT_FALSE(Tabelle[I].IstWert) << I;

  KWDParameter().SetBooleanValueByName("INVAUSWA", true);
  KWDParameter().SetBooleanValueByName("INVBFWEC", true);
  // cached until the update after saving
  EXPECT_FALSE(Get_ArtBestTyp_Eigenschaften()[3].IstWert);
  ArtBestTypEigenschaften_Update();
  Tabelle = Get_ArtBestTyp_Eigenschaften();
  EXPECT_TRUE(Tabelle[3].IstWert);
  EXPECT_FALSE(Tabelle[2].IstWert);
  EXPECT_FALSE(Tabelle[1].IstWert);
  EXPECT_TRUE(Tabelle.WechselBleibtGezaehlt);
}

TEST_P(SuiteDiensteTest, DatenbankArtNachBackendOderErzwungen) {
  EXPECT_EQ(GDBConnector().GetDBArt(), GetParam() == TDbBackend::SQLite ? 1 : 2);
  ::setenv("WWS_DB_KIND", "2", 1);
  EXPECT_EQ(GDBConnector().GetDBArt(), 2);
  ::setenv("WWS_DB_KIND", "1", 1);
  EXPECT_EQ(GDBConnector().GetDBArt(), 1);
  ::setenv("WWS_DB_KIND", "x", 1);
  EXPECT_EQ(GDBConnector().GetDBArt(), GetParam() == TDbBackend::SQLite ? 1 : 2);
}

TEST_P(SuiteDiensteTest, ArtikelnummerDieHeuteGiltUndPruefschaerfe) {
  KWDUhrSet([] { return EncodeDate(2025, 6, 15) + 0.5; });
  Firma()
      .Artikel(P(1), "1", '3', "Bluse Seide")
      .Artikel(P(2), "1", ' ')
      .ArtNr(P(1), D(2020, 1, 1), "4711")
      .ArtNr(P(1), D(2025, 6, 15), " 4712 ")
      .ArtNr(P(1), D(2025, 6, 16), "4713")  // entered for tomorrow: not yet valid
      .ArtNr(P(1), D(2025, 1, 1), "")
      .ArtNr(P(1), 0, "9999");
  TArtikelTools Tools;
  EXPECT_EQ(Tools.ProduktID_2_ArtNr_Formatted(P(1), false), "4712");
  EXPECT_EQ(Tools.ProduktID_2_ArtNr_Formatted(P(1), true), "4712 Bluse Seide");
  EXPECT_EQ(Tools.ProduktID_2_ArtNr_Formatted(P(2, 5, 6), false), P(2, 5, 6).ToString());
  EXPECT_EQ(Tools.Pruefschaerfe_4_Prodid(P(1)), 3);
  EXPECT_EQ(Tools.Pruefschaerfe_4_Prodid(P(2)), 0);
  EXPECT_EQ(Tools.Pruefschaerfe_4_Prodid(P(3)), 0);
}

TEST(InvMultiAbwertung, ZeichenUndVorgehenGehenHinUndZurueck) {
  for (int V = 1; V <= KQLX_INV_MULTIABWERTUNG_ANZAHL; ++V)
    EXPECT_EQ(Inv_MultiAbwertung_Vorgehen4Char(Inv_MultiAbwertung_Vorgehen2Char(V)), V);
  EXPECT_EQ(Inv_MultiAbwertung_Vorgehen4Char(' '), 0);
  EXPECT_EQ(Inv_MultiAbwertung_Vorgehen4Char('s'), 2);
  EXPECT_EQ(Char2ArtPrusch('2'), 2);
  EXPECT_EQ(Char2ArtPrusch('x'), 0);
}

WWS_SUITE_BACKENDS(SuiteDiensteTest);

}  // namespace
