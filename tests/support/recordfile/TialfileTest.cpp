// The count-list file: a private SQLite file per print, started empty.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/recordfile/Tialfile.h"

namespace {

class TialfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FOrdner = std::filesystem::temp_directory_path() / ("ialtest." + std::to_string(::getpid()));
    std::filesystem::create_directories(FOrdner);
    setenv("WWS_HOME", FOrdner.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("WWS_HOME");
    std::filesystem::remove_all(FOrdner);
  }
  void Zeile(Tialfile& F, int ANr, int AVon, int ABis) {
    F.ClearRecord();
    F.ZeilenNr.SetWert(ANr);
    F.ProduktId.SetWert(TInt32Trio{ANr, 1, 2});
    F.ZeileGrVon.SetWert(AVon);
    F.ZeileGrBis.SetWert(ABis);
    F.Text1.SetWert("Hose \"blau\"");
    F.SetGR_MESU(AVon, ANr * 10);
    F.AppendRecord();
  }
  std::filesystem::path FOrdner;
};

TEST_F(TialfileTest, RowsWrittenByOnePrintAreReadBackInOrder) {
  std::string Pfad;
  {
    Tialfile F;
    F.SetFileNameRel("IALfile.4711");
    Pfad = F.FileName();
    EXPECT_EQ(std::filesystem::path(Pfad).parent_path(), FOrdner);
    F.OpenOut(-1);
    Zeile(F, 2, 18, 20);
    Zeile(F, 1, 1, 17);
  }  // freed: the rows are kept
  Tialfile L;
  L.SetFileName(Pfad);
  L.OpenIn();
  ASSERT_TRUE(L.Get_first());
  EXPECT_EQ(L.ZeilenNr.GetWert(), 1);
  EXPECT_EQ(L.GetGR_MESU(1), 10);
  EXPECT_EQ(L.Text1.GetWert(), "Hose \"blau\"");
  ASSERT_TRUE(L.Get_next());
  EXPECT_EQ(L.ZeileGrVon.GetWert(), 18);
  EXPECT_EQ(L.GetGR_MESU(18), 20);
  EXPECT_FALSE(L.Get_next());
  L.Close();

  // The next print starts from an empty file.
  Tialfile N;
  N.SetFileName(Pfad);
  N.OpenOut(-1);
  Zeile(N, 1, 1, 1);
  N.Close();
  N.OpenIn();
  ASSERT_TRUE(N.Get_first());
  EXPECT_FALSE(N.Get_next());
}

TEST_F(TialfileTest, UnnamedOrUnopenedFileRefusesWork) {
  Tialfile F;
  EXPECT_THROW(F.OpenOut(-1), std::runtime_error);
  EXPECT_THROW(F.AppendRecord(), std::runtime_error);
  EXPECT_THROW(F.Get_first(), std::runtime_error);
  F.SetFileNameRel("IALfile.1");
  EXPECT_THROW(F.OpenOut(0), std::invalid_argument);
  EXPECT_THROW(F.SetFileNameRel("../ausserhalb"), std::invalid_argument);
}

}  // namespace
