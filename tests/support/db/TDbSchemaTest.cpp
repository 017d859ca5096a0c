// Versioned schema parts: upgrades run once and keep data; a newer database
// is refused.
#include <gtest/gtest.h>

#include "support/db/KWDDatenbank.h"
#include "tests/fixtures/TestDb.h"

namespace {

class TDbSchemaTest : public ::testing::TestWithParam<TDbBackend> {
 protected:
  void SetUp() override {
    FDb = std::make_unique<TTestDb>(GetParam());
    FConn = FDb->Open();
  }
  int64_t Version(const std::string& APart) {
    auto Lesen = FConn->Prepare("SELECT version FROM schema_version WHERE part = ?");
    Lesen->BindText(1, APart);
    return Lesen->Step() ? Lesen->ColumnInt(0) : -1;
  }
  std::unique_ptr<TTestDb> FDb;
  std::unique_ptr<TDbConnection> FConn;
};

const std::vector<std::string> CVersion1{"CREATE TABLE artikel (nr INTEGER PRIMARY KEY, text TEXT)",
                                         "CREATE INDEX artikel_text ON artikel (text)"};
const std::vector<std::string> CVersion2{"ALTER TABLE artikel ADD COLUMN preis DOUBLE PRECISION"};

TEST_P(TDbSchemaTest, UpgradeRunsOnlyTheMissingStepsAndKeepsData) {
  SchemaPartEnsure(*FConn, "lager", {CVersion1});
  EXPECT_EQ(Version("lager"), 1);
  FConn->ExecScript("INSERT INTO artikel (nr, text) VALUES (1, 'Hemd')");
  SchemaPartEnsure(*FConn, "lager", {CVersion1});  // nothing to do; must not fail
  SchemaPartEnsure(*FConn, "lager", {CVersion1, CVersion2});
  EXPECT_EQ(Version("lager"), 2);
  EXPECT_EQ(Version("kasse"), -1) << "parts are independent";
  auto Lesen = FConn->Prepare("SELECT text, preis FROM artikel");
  ASSERT_TRUE(Lesen->Step());
  EXPECT_EQ(Lesen->ColumnText(0), "Hemd");
  EXPECT_TRUE(Lesen->ColumnIsNull(1));
  EXPECT_FALSE(FConn->InTransaction());
}

TEST_P(TDbSchemaTest, FailedMigrationLeavesTheOldVersion) {
  SchemaPartEnsure(*FConn, "lager", {CVersion1});
  EXPECT_THROW(SchemaPartEnsure(*FConn, "lager", {CVersion1, {"ALTER TABLE gibtsnicht ADD COLUMN x INTEGER"}}),
               EDbError);
  EXPECT_FALSE(FConn->InTransaction());
  EXPECT_EQ(Version("lager"), 1);
}

TEST_P(TDbSchemaTest, NewerDatabaseIsRefused) {
  SchemaPartEnsure(*FConn, "lager", {CVersion1, CVersion2});
  try {
    SchemaPartEnsure(*FConn, "lager", {CVersion1});
    FAIL() << "an older program accepted a newer database";
  } catch (const ECompanyDbError& E) {
    EXPECT_NE(std::string(E.what()).find("wurde mit einer neueren Programmversion angelegt"), std::string::npos);
  }
  EXPECT_EQ(Version("lager"), 2);
  EXPECT_FALSE(FConn->InTransaction());
}

INSTANTIATE_TEST_SUITE_P(Backends, TDbSchemaTest, ::testing::ValuesIn(TTestDb::Available()), TTestDbName);

}  // namespace
