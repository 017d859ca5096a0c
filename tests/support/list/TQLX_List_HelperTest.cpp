// List comparison, de-duplication, text and stream conversion.
#include "support/list/TQLX_List_Helper.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/list/ListTestTypen.h"

using IntListe = TQLX_List<int>;
using IntHelfer = TQLX_List_Helper<int>;
using V = std::vector<int>;

TEST(TQLX_List_Helper, CompareTwoListsByCountThenItems) {
  IntListe A{1, 2, 3};
  IntListe B{1, 2};
  EXPECT_EQ(IntHelfer::CompareTwoLists(A, B), 1);
  B.Add(5);
  EXPECT_LT(IntHelfer::CompareTwoLists(A, B), 0);
  B.SetItem(2, 3);
  EXPECT_EQ(IntHelfer::CompareTwoLists(A, B), 0);

  IntListe C{3, 1, 2};
  EXPECT_NE(IntHelfer::CompareTwoLists(A, C), 0);
  EXPECT_EQ(IntHelfer::CompareTwoLists_OrderIrrelevant(A, C), 0);
  EXPECT_EQ(Inhalt(C), (V{3, 1, 2}));  // arguments untouched
}

TEST(TQLX_List_Helper, SortAndRemoveDuplicates) {
  IntListe L{3, 1, 3, 2};
  IntHelfer::SortAndRemoveDuplicates(L);
  EXPECT_EQ(Inhalt(L), (V{1, 2, 3}));

  IntListe Leer;
  IntHelfer::SortAndRemoveDuplicates(Leer);
  EXPECT_TRUE(Leer.IsEmpty());

  // Product-id records: one entry per product id, whatever their index arrays.
  TQLX_List<TTestIndizee> R(TTestIndizee::ComparerGet());
  R.AddRange({Indizee(2, {1}), Indizee(1, {2}), Indizee(2, {3})});
  TQLX_List_Helper<TTestIndizee>::SortAndRemoveDuplicates(R);
  ASSERT_EQ(R.Count(), 2);
  EXPECT_EQ(R.First().PId.I1, 1);
  EXPECT_EQ(R.Last().PId.I1, 2);
}

TEST(TQLX_List_Helper, BinarySearchFirstFindsTheFirstEqualItem) {
  TQLX_List<TTestIndizee> R(TTestIndizee::ComparerGet());
  R.AddRange({Indizee(1), Indizee(2, {1}), Indizee(2, {2}), Indizee(2, {3}), Indizee(4)});
  int32_t Index = -1;
  EXPECT_TRUE(TQLX_List_Helper<TTestIndizee>::BinarySearch_First(R, Indizee(2), Index));
  EXPECT_EQ(Index, 1);
  EXPECT_FALSE(TQLX_List_Helper<TTestIndizee>::BinarySearch_First(R, Indizee(3), Index));
  EXPECT_EQ(Index, 4);
}

struct TBeschrifter {
  std::string Vorsilbe;
  std::string Text(const std::string& A) const { return Vorsilbe + A; }
};

TEST(TQLX_List_Helper, CommaSeparatedTextSkipsOnlyLeadingEmptyTexts) {
  using SHelfer = TQLX_List_Helper<std::string>;
  const auto Selbst = [](const std::string& A) { return A; };
  TQLX_List<std::string> L{"a", "", "c"};
  EXPECT_EQ(SHelfer::ToCommaSeperatedString(L, Selbst), "a, , c");
  TQLX_List<std::string> M{"", "b"};
  EXPECT_EQ(SHelfer::ToCommaSeperatedString(M, Selbst), "b");
  const std::vector<std::string> Feld{"x", "y"};
  EXPECT_EQ(SHelfer::ToCommaSeperatedString(std::span<const std::string>(Feld), Selbst), "x, y");
  const TBeschrifter B{"#"};
  EXPECT_EQ(SHelfer::ToCommaSeperatedString(L, B, &TBeschrifter::Text), "#a, #, #c");
  EXPECT_EQ(IntHelfer::ToCommaSeperatedString(IntListe{}, [](int X) { return std::to_string(X); }), "");
}

TEST(TQLX_List_Helper, StreamRoundTripAndFailures) {
  using SHelfer = TQLX_List_Helper<std::string>;
  const auto Selbst = [](const std::string& A) { return A; };
  TQLX_List<std::string> Quelle{"Größe 1", "", "Zeile drei"};
  std::stringstream Strom;
  SHelfer::SaveToStream(Quelle, Strom, Selbst);
  EXPECT_EQ(Strom.str(), "Größe 1\n\nZeile drei\n");

  TQLX_List<std::string> Ziel{"alt"};
  SHelfer::LoadFromStream(Strom, Ziel, Selbst);
  EXPECT_EQ(Ziel.ToArray(), Quelle.ToArray());

  std::istringstream Windows("1\r\n2\r\n3");  // CR LF lines and no final line end
  IntListe Zahlen;
  IntHelfer::LoadFromStream(Windows, Zahlen, [](const std::string& A) { return std::stoi(A); });
  EXPECT_EQ(Inhalt(Zahlen), (V{1, 2, 3}));

  std::ofstream Kaputt;  // never opened: every write fails
  EXPECT_THROW(IntHelfer::SaveToStream(Zahlen, Kaputt, [](int X) { return std::to_string(X); }),
               std::ios_base::failure);
}

TEST(TQLX_List_Helper, PointerEnumerationReachesTheStoredItems) {
  TQLX_List<TTestIndizee> R;
  R.AddRange({Indizee(1), Indizee(2)});
  for (TTestIndizee* Eintrag : TQLX_List_Helper<TTestIndizee>::GetPEnumerator(R)) Eintrag->Ind.push_back(7);
  EXPECT_EQ(R.Last().Ind, (V{7}));

  auto Aufzaehlbar = TQLX_List_Helper<TTestIndizee>::GetPEnumerator(R);
  auto E = Aufzaehlbar.GetEnumerator();
  ASSERT_TRUE(E->MoveNext());
  EXPECT_EQ(E->Current(), R.GetItem_Ptr(0));
  R.Clear();
  EXPECT_THROW(E->Current(), std::out_of_range);
}
