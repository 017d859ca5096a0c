// The working records: positions and branches kept without duplicates, the
// right occurrence removed, ordering by product id alone.
#include <gtest/gtest.h>

#include "engine/TInventurDetails.h"

namespace {

TEST(TProduktID_IndizeeTest, RemoveIndTakesTheLaterOfTwoAndLeavesMissingValuesAlone) {
  TProduktID_Indizee E;
  E.Ind = {4, 7, 9, 7, 2};
  E.RemoveInd(7);
  EXPECT_EQ(E.Ind, (std::vector<int32_t>{4, 7, 9, 2}));
  E.RemoveInd(5);
  EXPECT_EQ(E.Ind, (std::vector<int32_t>{4, 7, 9, 2}));
  E.RemoveInd(2);
  EXPECT_EQ(E.Ind, (std::vector<int32_t>{4, 7, 9}));
  E.AddInd(9);
  E.AddInd(1);
  EXPECT_EQ(E.Ind, (std::vector<int32_t>{4, 7, 9, 1}));
}

TEST(TProduktID_IndizeeTest, ComparesByProductIdOnly) {
  TProduktID_Indizee A, B;
  A.PId = B.PId = TInt32Trio::Construct(1, 2, 3);
  A.Ind = {1};
  B.Ind = {5, 6};
  EXPECT_EQ(TProduktID_Indizee::ComparerGet()(A, B), 0);
  B.PId.I3 = 4;
  EXPECT_LT(TProduktID_Indizee::Compare(A, B), 0);
  A.clear();
  EXPECT_TRUE(A.PId.IsEmpty());
  EXPECT_TRUE(A.Ind.empty());
}

TEST(TProduktID_FilNrnTest, AddFilKeepsInsertionOrderWithoutDuplicates) {
  TProduktID_FilNrn F;
  for (int Fil : {3, 1, 3, 2, 1}) F.AddFil(Fil);
  EXPECT_EQ(F.FilNrn, (std::vector<int16_t>{3, 1, 2}));
}

}  // namespace
