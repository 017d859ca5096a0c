// wws-admin branches: the demo company's branches of both kinds, and the LV
// flag set per branch, read back by the branch table as the dialogs read it.
#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>

#include "suite/TFilialTabelle.h"
#include "support/db/KWDDatenbank.h"
#include "tests/fixtures/TestDb.h"
#include "tests/tools/KindProzess.h"

namespace {

class WwsAdminFilialen : public ::testing::TestWithParam<TDbBackend> {
 protected:
  void SetUp() override {
    FFirma = std::make_unique<TTestDb>(GetParam());
    const auto Demo = Admin({"demo", "--force", "--articles", "50", "--branches", "7"});
    ASSERT_EQ(Demo.Exit, 0) << Demo.Err;
  }
  TKindErgebnis Admin(std::vector<std::string> AArgumente) {
    AArgumente.insert(AArgumente.end(), {"--db", FFirma->Ort()});
    return KindAusfuehren(WWS_ADMIN_PFAD, AArgumente);
  }
  // Branch number -> LV flag, as wws-admin lists them.
  std::map<int, bool> Liste() {
    const auto Erg = Admin({"branches", "list", "--json"});
    EXPECT_EQ(Erg.Exit, 0) << Erg.Err;
    std::map<int, bool> Filialen;
    for (const auto& F : nlohmann::json::parse(Erg.Aus)) Filialen[F["filiale"].get<int>()] = F["lv_benutzen"].get<bool>();
    return Filialen;
  }
  std::unique_ptr<TTestDb> FFirma;
};

TEST_P(WwsAdminFilialen, DemoHasBothKindsAndTheFlagIsSetPerBranch) {
  auto Filialen = Liste();
  ASSERT_EQ(Filialen.size(), 7u);
  EXPECT_TRUE(Filialen.at(6)) << "the demo's warehouse branch works with LV";
  EXPECT_FALSE(Filialen.at(1));

  const auto Ja = Admin({"branches", "lv", "3", "ja"});
  EXPECT_EQ(Ja.Exit, 0) << Ja.Err;
  const auto Nein = Admin({"branches", "lv", "6", "nein"});
  EXPECT_EQ(Nein.Exit, 0) << Nein.Err;
  Filialen = Liste();
  EXPECT_TRUE(Filialen.at(3));
  EXPECT_FALSE(Filialen.at(6));
  EXPECT_FALSE(Filialen.at(2)) << "the others stay as they were";

  FFirma->InstallAsCompany();
  const TFilialTabelle Tabelle;
  ASSERT_NE(Tabelle.Filialen().GetFilialeByNr(3), nullptr);
  EXPECT_TRUE(Tabelle.Filialen().GetFilialeByNr(3)->LV_Benutzen);
  EXPECT_FALSE(Tabelle.Filialen().GetFilialeByNr(6)->LV_Benutzen);
  KWDDatenbank_Set(nullptr);

  const auto Unbekannt = Admin({"branches", "lv", "99", "ja"});
  EXPECT_EQ(Unbekannt.Exit, 1);
  EXPECT_NE(Unbekannt.Err.find("Die Filiale 99 gibt es in dieser Firma nicht."), std::string::npos) << Unbekannt.Err;
  const auto Falsch = Admin({"branches", "lv", "3", "vielleicht"});
  EXPECT_EQ(Falsch.Exit, 2) << Falsch.Err;
  EXPECT_TRUE(Liste().at(3)) << "a refused call changes nothing";
}

INSTANTIATE_TEST_SUITE_P(Datenbanken, WwsAdminFilialen, ::testing::ValuesIn(TTestDb::Available()), TTestDbName);

}  // namespace
