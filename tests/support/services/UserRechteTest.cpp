#include <cstdlib>

#include "ServicesTestUmgebung.h"
#include "support/services/UserRechte.h"

class TUserRechteTest : public TServicesTest {};
WWS_SERVICES_BACKENDS(TUserRechteTest);

TEST_P(TUserRechteTest, NeueFirmaErlaubtJedemAllesOhneMeldung) {
  setenv("WWS_USER", "anna", 1);
  EXPECT_TRUE(UserRechtePruefen({wpfWarenwirtschaft, wpfInventur, wpfInventuranforderungen}, "", 1, false, 0));
  EXPECT_TRUE(UserRechtePruefen({wpfWarenwirtschaft, wpfInventur, wpfInventuranforderungAendern}, "", 1, false, 0));
  EXPECT_TRUE(FPresenter->Gezeigt.empty());
}

TEST_P(TUserRechteTest, VerweigertesRechtLiefertFalseUndGenauEineMeldung) {
  RechtSetzen("kasse", wpfInventuranforderungAendern, false);
  setenv("WWS_USER", "kasse", 1);

  EXPECT_FALSE(UserRechtePruefen({wpfWarenwirtschaft, wpfInventur, wpfInventuranforderungAendern}, "", 1, false, 0));
  ASSERT_EQ(FPresenter->Gezeigt.size(), 1u);
  EXPECT_NE(FPresenter->Gezeigt[0].Text.find("121"), std::string::npos) << FPresenter->Gezeigt[0].Text;
  EXPECT_NE(FPresenter->Gezeigt[0].Text.find("kasse"), std::string::npos);
  EXPECT_EQ(FPresenter->Gezeigt[0].Text.find("119"), std::string::npos) << "only the missing right is named";

  // Starting the module still works for that user; another user may change requests.
  EXPECT_TRUE(UserRechtePruefen({wpfWarenwirtschaft, wpfInventur, wpfInventuranforderungen}, "", 1, false, 0));
  setenv("WWS_USER", "anna", 1);
  EXPECT_TRUE(UserRechtePruefen({wpfWarenwirtschaft, wpfInventur, wpfInventuranforderungAendern}, "", 1, false, 0));
  EXPECT_EQ(FPresenter->Gezeigt.size(), 1u);
}

TEST_P(TUserRechteTest, SpezifischsteZeileEntscheidet) {
  RechtEntfernen("*", wpfAlleRechte);
  setenv("WWS_USER", "chef", 1);
  EXPECT_FALSE(BenutzerHatRecht("chef", wpfInventur));

  RechtSetzen("chef", wpfAlleRechte, true);
  RechtSetzen("chef", wpfInventur, false);  // own row for the right beats own "all"
  EXPECT_TRUE(BenutzerHatRecht("chef", wpfWarenwirtschaft));
  EXPECT_FALSE(BenutzerHatRecht("chef", wpfInventur));
  RechtSetzen("*", wpfInventur, true);  // "*" does not beat the user's own row
  EXPECT_FALSE(BenutzerHatRecht("chef", wpfInventur));
  EXPECT_TRUE(BenutzerHatRecht("gast", wpfInventur));
  EXPECT_FALSE(BenutzerHatRecht("gast", wpfWarenwirtschaft));

  EXPECT_TRUE(RechtEntfernen("chef", wpfInventur));
  EXPECT_TRUE(BenutzerHatRecht("chef", wpfInventur));
  EXPECT_FALSE(RechtEntfernen("chef", wpfInventur));
  EXPECT_EQ(RechteListe().size(), 2u);
}

TEST_P(TUserRechteTest, StilleReaktionUndEinRechtGenuegt) {
  RechtSetzen("*", wpfAlleRechte, false);
  RechtSetzen("*", wpfInventur, true);
  setenv("WWS_USER", "anna", 1);
  EXPECT_FALSE(UserRechtePruefen({wpfWarenwirtschaft, wpfInventur}, "", 1, false, 1));
  EXPECT_TRUE(FPresenter->Gezeigt.empty());
  EXPECT_TRUE(UserRechtePruefen({wpfWarenwirtschaft, wpfInventur}, "", 2, false, 0));
  EXPECT_FALSE(UserRechtePruefen({wpfWarenwirtschaft}, "Konfiguration speichern", 2, false, 0));
  ASSERT_EQ(FPresenter->Gezeigt.size(), 1u);
  EXPECT_NE(FPresenter->Gezeigt[0].Text.find("Konfiguration speichern"), std::string::npos);
}

TEST_P(TUserRechteTest, LeererBenutzerWirdAbgewiesen) {
  EXPECT_THROW(RechtSetzen("", wpfInventur, true), std::invalid_argument);
  EXPECT_THROW(RechtSetzen("anna", -1, true), std::invalid_argument);
}
