#include "support/framework/KWDWork.h"

#include <gtest/gtest.h>

namespace {
struct TWorkTest : ::testing::Test {
  int Fenster = 0, Anderes = 0;
  void TearDown() override {
    WorkDone(&Fenster);
    WorkDone(&Anderes);
  }
};
}  // namespace

TEST_F(TWorkTest, SecondBracketIsRefusedUntilTheFirstIsDone) {
  ASSERT_TRUE(WorkStartTry(&Fenster, "TFrmIAMain.LoeschenExecute", 5));
  EXPECT_TRUE(Working(&Fenster));
  EXPECT_EQ(WorkName(), "TFrmIAMain.LoeschenExecute");
  EXPECT_FALSE(WorkStartTry(&Fenster, "TFrmIAMain.btnMarkierenClick", 5));
  EXPECT_FALSE(WorkStartTry(&Anderes, "TFrmIAMain.DruckenIALExecute", 30));
  EXPECT_EQ(WorkName(), "TFrmIAMain.LoeschenExecute");

  WorkDone(&Fenster);
  EXPECT_FALSE(Working(&Fenster));
  EXPECT_TRUE(WorkStartTry(&Anderes, "TFrmIAMain.DruckenIALExecute", 30));
}

TEST_F(TWorkTest, WorkDoneOfAnotherOwnerDoesNotReleaseTheBracket) {
  ASSERT_TRUE(WorkStartTry(&Fenster, "TFrmIAMain.NeuanlageExecute", 5));
  WorkDone(&Anderes);
  EXPECT_TRUE(Working(&Fenster));
  EXPECT_TRUE(Working(nullptr));
  EXPECT_FALSE(Working(&Anderes));
}

TEST_F(TWorkTest, ScopedBracketClosesOnEveryWayOut) {
  try {
    TKWDWorkBracket Klammer(&Fenster, "TFrmIAMain.VervollstaendigenExecute", 5);
    ASSERT_TRUE(Klammer.Offen());
    TKWDWorkBracket Zweite(&Fenster, "TFrmIAMain.btnAlleClick", 5);
    EXPECT_FALSE(Zweite.Offen());  // a refused bracket must not close the open one
    EXPECT_TRUE(Working(&Fenster));
    throw std::runtime_error("Abbruch");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(Working(nullptr));
}
