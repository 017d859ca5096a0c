// The count-list file: a private SQLite file per print, started empty.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

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

// Rows of one article share most values; each row must still come back
// with every field as it was set, whatever the row before held.
TEST_F(TialfileTest, EveryRowKeepsItsOwnValuesWhenRowsShareMost) {
  std::string Pfad;
  {
    Tialfile F;
    F.SetFileNameRel("IALfile.4712");
    Pfad = F.FileName();
    F.OpenOut(-1);
    for (int Nr = 1; Nr <= 6; ++Nr) {
      F.ClearRecord();
      F.ZeilenNr.SetWert(Nr);
      F.ProduktId.SetWert(TInt32Trio{1, 1, (Nr + 1) / 2});  // two rows per article
      F.Text1.SetWert(Nr % 2 ? "Hose" : "Jacke");
      F.Text2.SetWert(Nr == 3 ? "" : "blau");
      F.Lieferant.SetWert(Nr <= 2 ? "Lieferant A" : "");
      F.VKPreis.SetWert(Nr == 4 ? -0.0 : (Nr == 5 ? 0.0 : 19.99));
      F.Pruefschaerfe.SetWert(Nr == 6 ? '\0' : '2');
      F.Zeilenteil.SetWert((Nr + 1) % 2);
      F.SetGR_MESU(1, Nr % 3);
      F.SetGR_MESU(40, Nr == 6 ? 7 : 0);
      F.AppendRecord();
    }
  }
  // A working file: a rollback journal (not WAL), nothing left beside it.
  {
    std::ifstream Kopf(Pfad, std::ios::binary);
    char Bytes[20] = {};
    Kopf.read(Bytes, sizeof Bytes);
    EXPECT_EQ(Bytes[18], 1);
    EXPECT_EQ(Bytes[19], 1);
  }
  Tialfile L;
  L.SetFileName(Pfad);
  L.OpenIn();
  int Nr = 0;
  for (bool G = L.Get_first(); G; G = L.Get_next()) {
    ++Nr;
    SCOPED_TRACE(Nr);
    EXPECT_EQ(L.ZeilenNr.GetWert(), Nr);
    EXPECT_EQ(L.ProduktId.GetWert(), (TInt32Trio{1, 1, (Nr + 1) / 2}));
    EXPECT_EQ(L.Text1.GetWert(), Nr % 2 ? "Hose" : "Jacke");
    EXPECT_EQ(L.Text2.GetWert(), Nr == 3 ? "" : "blau");
    EXPECT_EQ(L.Lieferant.GetWert(), Nr <= 2 ? "Lieferant A" : "");
    EXPECT_EQ(L.VKPreis.GetWert(), Nr == 4 || Nr == 5 ? 0.0 : 19.99);
    EXPECT_EQ(L.Pruefschaerfe.GetWert(), Nr == 6 ? '\0' : '2');
    EXPECT_EQ(L.Zeilenteil.GetWert(), (Nr + 1) % 2);
    EXPECT_EQ(L.GetGR_MESU(1), Nr % 3);
    EXPECT_EQ(L.GetGR_MESU(40), Nr == 6 ? 7 : 0);
  }
  EXPECT_EQ(Nr, 6);
  L.Close();
  EXPECT_FALSE(std::filesystem::exists(Pfad + "-wal"));
  EXPECT_FALSE(std::filesystem::exists(Pfad + "-journal"));
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

// The file is this user's alone and never reached through a link someone
// planted at its name.
TEST_F(TialfileTest, PlantedLinkIsNotFollowedAndTheFileIsPrivate) {
  const std::filesystem::path Ziel = FOrdner / "fremd.txt";
  { std::ofstream(Ziel) << "nicht anfassen"; }
  const std::filesystem::path Pfad = FOrdner / "IALfile.4711";
  std::filesystem::create_symlink(Ziel, Pfad);
  std::filesystem::create_symlink(Ziel, FOrdner / "IALfile.4711-wal");
  {
    Tialfile F;
    F.SetFileName(Pfad.string());
    F.OpenOut(-1);
    Zeile(F, 1, 1, 1);
    struct stat Info {};
    ASSERT_EQ(::lstat(Pfad.c_str(), &Info), 0);
    EXPECT_TRUE(S_ISREG(Info.st_mode));
    EXPECT_EQ(Info.st_mode & 0777, 0600u);
    // Nothing beside it that another user could redirect.
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(FOrdner / "IALfile.4711-wal")));
    EXPECT_FALSE(std::filesystem::exists(FOrdner / "IALfile.4711-journal"));
  }
  std::ifstream Ein(Ziel);
  std::stringstream Inhalt;
  Inhalt << Ein.rdbuf();
  EXPECT_EQ(Inhalt.str(), "nicht anfassen");

  Tialfile L;
  L.SetFileName(Pfad.string());
  L.OpenIn();
  EXPECT_TRUE(L.Get_first());
  L.Entfernen();
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(Pfad)));

  // Reading never goes through a link either.
  std::filesystem::create_symlink(Ziel, Pfad);
  Tialfile R;
  R.SetFileName(Pfad.string());
  EXPECT_THROW(R.OpenIn(), std::runtime_error);
}

}  // namespace
