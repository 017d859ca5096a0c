// A WWS_TODAY no program can work with ends every program at its start with
// the setting's name: the tools with exit code 2, the desktop program after
// showing it. Nothing is opened before (the company named does not exist).
#include <gtest/gtest.h>

#include "tests/support/framework/TestUmgebung.h"
#include "tests/tools/KindProzess.h"

TEST(WwsAdminEinstellung, EveryProgramRefusesATodayItCannotWorkWith) {
  TTempOrdner Ordner;
  TUmgebungsWert Db("WWS_DB", (Ordner.Pfad() / "fehlt.db").string());
  TUmgebungsWert Log("WWS_LOG", (Ordner.Pfad() / "wws.log").string());
  TUmgebungsWert Antwort("WWS_ANTWORT", "nein");
  TUmgebungsWert Anzeige("QT_QPA_PLATFORM", "offscreen");
  struct TProgramm {
    const char* Pfad;
    std::vector<std::string> Argumente;
    int Exit;
  };
  std::vector<TProgramm> Programme{{INVANF_CLI_PFAD, {"years"}, 2}, {WWS_ADMIN_PFAD, {"param", "list"}, 2}};
#ifdef INVANF_PFAD
  Programme.push_back({INVANF_PFAD, {}, 1});
#endif
  for (const char* Heute : {"2026-13-01", "abc", "9999-12-31"}) {
    TUmgebungsWert Wert("WWS_TODAY", Heute);
    for (const TProgramm& P : Programme) {
      const TKindErgebnis Erg = KindAusfuehren(P.Pfad, P.Argumente);
      EXPECT_EQ(Erg.Exit, P.Exit) << P.Pfad << " " << Heute << "\n" << Erg.Err;
      EXPECT_NE(Erg.Err.find(std::string("WWS_TODAY (\u201E") + Heute + "\u201C)"), std::string::npos) << Erg.Err;
      EXPECT_EQ(Erg.Err.find("fehlt.db"), std::string::npos) << "refused before the company: " << Erg.Err;
    }
  }

  // The last day the programs compute with still works.
  TUmgebungsWert Firma("WWS_DB", (Ordner.Pfad() / "firma.db").string());
  ASSERT_EQ(KindAusfuehren(WWS_ADMIN_PFAD, {"init"}).Exit, 0);
  TUmgebungsWert Letzter("WWS_TODAY", "9998-12-31");
  const TKindErgebnis Jahre = KindAusfuehren(INVANF_CLI_PFAD, {"years"});
  EXPECT_EQ(Jahre.Exit, 0) << Jahre.Err;
  EXPECT_NE(Jahre.Aus.find("01.01.9998 - 31.12.9998"), std::string::npos) << Jahre.Aus;
}
