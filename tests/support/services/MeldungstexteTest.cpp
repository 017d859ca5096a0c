#include "ServicesTestUmgebung.h"
#include "support/framework/KWDMeldungen.h"
#include "support/framework/TKWDInfo.h"
#include "support/services/Meldungstexte.h"

class TMeldungstexteTest : public TServicesTest {
 protected:
  void SetUp() override {
    TServicesTest::SetUp();
    MeldungstexteAusDatenbank();
  }
  void TearDown() override {
    KWDMeldungQuelleSet({});
    TServicesTest::TearDown();
  }
};
WWS_SERVICES_BACKENDS(TMeldungstexteTest);

TEST_P(TMeldungstexteTest, UeberschreibungErsetztDenEingebautenText) {
  const std::string Eingebaut = KWDMeldungText("INVANF", 1007, {"12", "3"});
  MeldungstextSetzen("INVANF", 1007, "Anforderung %s in Filiale %s wirklich löschen?");
  EXPECT_EQ(KWDMeldungText("INVANF", 1007, {"12", "3"}), "Anforderung 12 in Filiale 3 wirklich löschen?");

  KWDInfo().ShowMeldung(4, "INVANF", 1007, {"12", "3"});
  ASSERT_EQ(FPresenter->Gezeigt.size(), 1u);
  EXPECT_EQ(FPresenter->Gezeigt[0].Text, "Anforderung 12 in Filiale 3 wirklich löschen?");

  EXPECT_TRUE(MeldungstextEntfernen("INVANF", 1007));
  EXPECT_EQ(KWDMeldungText("INVANF", 1007, {"12", "3"}), Eingebaut);
  EXPECT_THROW(MeldungstextSetzen("INVANF", 1007, ""), std::invalid_argument);
}

TEST_P(TMeldungstexteTest, KatalogListeZeigtWirksameTexte) {
  MeldungstextSetzen("INVANF", 1004, "Bitte ein Jahr wählen.");
  MeldungstextSetzen("EIGEN", 5, "Hausmeldung");
  int Invanf = 0;
  bool Ueberschrieben = false, Eigen = false, Standard = false;
  for (const auto& E : MeldungskatalogListe()) {
    if (E.Gruppe == "INVANF") ++Invanf;
    if (E.Gruppe == "INVANF" && E.Nr == 1004) Ueberschrieben = E.Ueberschrieben && E.Text == "Bitte ein Jahr wählen.";
    if (E.Gruppe == "EIGEN") Eigen = E.Nr == 5 && E.Ueberschrieben;
    if (E.Gruppe == "STANDARD") Standard = E.Nr == 997 && !E.Ueberschrieben;
  }
  EXPECT_EQ(Invanf, 19);
  EXPECT_TRUE(Ueberschrieben);
  EXPECT_TRUE(Eigen);
  EXPECT_TRUE(Standard);
}
