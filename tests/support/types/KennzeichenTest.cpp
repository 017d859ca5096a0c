// Counting states, stock types and the records passed between window and engine.
#include <gtest/gtest.h>

#include <set>

#include "support/types/TKWD_ArtBestTyp.h"
#include "support/types/TQLX_IA_KZZaehlung.h"
#include "support/types/TVglInvAnf_Inv.h"

TEST(KZZaehlungTest, EveryStateRoundTripsThroughItsCharacter) {
  std::set<char> Zeichen;
  for (int I = 0; I < KQLX_IA_KZZAEHLUNG_ANZAHL; ++I) {
    const char Z = CQLX_IA_KZZaehlung_2_Char(I);
    EXPECT_TRUE(Zeichen.insert(Z).second) << "character used twice: " << Z;
    EXPECT_EQ(static_cast<int>(Char_2_IA_KZZaehlung(Z)), I);
    EXPECT_STRNE(CQLX_IA_KZZaehlung_2_String(I), "");
  }
  EXPECT_STREQ(CQLX_IA_KZZaehlung_2_String(TQLX_IA_KZZaehlung::iazAngefordert), "angefordert");
  EXPECT_STREQ(CQLX_IA_KZZaehlung_2_String(TQLX_IA_KZZaehlung::iazEroeffnet), "eröffnet");
}

TEST(KZZaehlungTest, UnknownCharactersAndOrdinalsNeverLookLikeAKnownState) {
  EXPECT_EQ(Char_2_IA_KZZaehlung('?'), TQLX_IA_KZZaehlung::iazOhne);
  EXPECT_EQ(Char_2_IA_KZZaehlung('\0'), TQLX_IA_KZZaehlung::iazOhne);
  EXPECT_EQ(Char_2_IA_KZZaehlung('a'), TQLX_IA_KZZaehlung::iazOhne);  // stored characters are exact
  EXPECT_EQ(CQLX_IA_KZZaehlung_2_Char(7), ' ');
  EXPECT_EQ(CQLX_IA_KZZaehlung_2_Char(-1), ' ');
  EXPECT_STREQ(CQLX_IA_KZZaehlung_2_String(200), "unbekannt");
}

TEST(ArtBestTypTest, AllTwentyFourTypesRoundTrip) {
  std::set<char> Zeichen;
  for (int I = 0; I < KKWD_ARTBESTTYP_ANZAHL; ++I) {
    const char Z = CKWD_ArtBestTyp_BFWert[I];
    EXPECT_TRUE(Zeichen.insert(Z).second);
    EXPECT_EQ(Ord(Char_2_ArtBestTyp(Z)), I);
    EXPECT_EQ(ArtBestTyp_2_Char(ArtBestTyp(I)), Z);
  }
  EXPECT_EQ(Ord(Char_2_ArtBestTyp('h')), 17);
}

TEST(ArtBestTypTest, UnknownCharacterIsRejectedOrGivesTypeZero) {
  TKWD_ArtBestTyp Typ = ArtBestTyp(5);
  EXPECT_FALSE(TryChar_2_ArtBestTyp('Z', Typ));
  EXPECT_EQ(Ord(Typ), 5);
  EXPECT_EQ(Ord(Char_2_ArtBestTyp(' ')), 0);
  EXPECT_EQ(ArtBestTyp_2_Char(ArtBestTyp(24)), '0');
}

TEST(TVglInvAnf_InvTest, ClearAndEqualityCoverEveryField) {
  const TVglInvAnf_Inv Basis{3, "12", 2024, 45500.0, 1};
  TVglInvAnf_Inv A = Basis;
  EXPECT_EQ(A, Basis);
  A.WG = "";
  EXPECT_NE(A, Basis);
  A = Basis;
  A.KZZaehlung = 2;
  EXPECT_NE(A, Basis);
  A.Clear();
  EXPECT_EQ(A, TVglInvAnf_Inv{});
}
