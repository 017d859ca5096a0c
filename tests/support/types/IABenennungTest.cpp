// The file names the program suggests: readable, and safe to send by mail.
#include <gtest/gtest.h>

#include "support/types/IABenennung.h"

TEST(IABenennungTest, SuggestedFileNamesSayWhatTheFileHolds) {
  const TDate Maerz = EncodeDate(2026, 3, 20), April = EncodeDate(2026, 4, 2);
  struct TFall {
    std::string Name, Erwartet;
  };
  const TFall Faelle[] = {
      {IAZaehllisteDateiName(Maerz, "3", 1), "Zaehlliste_2026-03-20_WG3_Filiale1"},
      {IAZaehllisteDateiName(Maerz, "*", 12), "Zaehlliste_2026-03-20_alle-WG_Filiale12"},
      {IAZaehllisteDateiName(Maerz, "", 2), "Zaehlliste_2026-03-20_alle-WG_Filiale2"},
      // Blanks, slashes and umlauts would trip a file system or a mail program.
      {IAZaehllisteDateiName(Maerz, "Größe 1/2 ", 3), "Zaehlliste_2026-03-20_WGGroesse-1-2_Filiale3"},
      {IAZaehllistenDateiName({Maerz, Maerz + 0.5, Maerz}), "Zaehllisten_2026-03-20_3_Inventuren"},
      {IAZaehllistenDateiName({April, Maerz}), "Zaehllisten_2026-03-20_bis_2026-04-02_2_Inventuren"},
      {IAInventurenDateiName(EncodeDate(2026, 1, 1)), "Inventuren_2026"},
      {IAInventurenDateiName(EncodeDate(2026, 7, 1)), "Inventuren_2026-2027"},
  };
  for (const TFall& F : Faelle) EXPECT_EQ(F.Name, F.Erwartet);
}
