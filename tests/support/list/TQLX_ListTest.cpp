// Growth, range errors, reordering, searching and item copies of TQLX_List.
#include "support/list/TQLX_List.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <list>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/list/ListTestTypen.h"

using IntListe = TQLX_List<int>;
using V = std::vector<int>;

TEST(TQLX_List, CapacityFollowsGrowthRule) {
  IntListe L;
  EXPECT_EQ(L.Count(), 0);
  EXPECT_EQ(L.Capacity(), 0);
  V Kapazitaeten;
  for (int I = 0; I < 5; ++I) {
    L.Add(I);
    Kapazitaeten.push_back(L.Capacity());
  }
  EXPECT_EQ(Kapazitaeten, (V{1, 2, 4, 4, 8}));

  IntListe Block;
  Block.InsertRange(0, V{1, 2, 3, 4, 5});
  EXPECT_EQ(Block.Capacity(), 5);
  Block.Add(6);
  EXPECT_EQ(Block.Capacity(), 10);
  Block.TrimExcess();
  EXPECT_EQ(Block.Capacity(), 6);

  Block.SetCount(8);  // new items are default values
  EXPECT_EQ(Inhalt(Block), (V{1, 2, 3, 4, 5, 6, 0, 0}));
  Block.SetCapacity(2);  // below Count: the items above go first
  EXPECT_EQ(Inhalt(Block), (V{1, 2}));
  Block.Clear();
  EXPECT_EQ(Block.Capacity(), 0);
  EXPECT_TRUE(Block.IsEmpty());
}

// Pretends to hold a huge capacity so the overflow branch runs without
// allocating gigabytes.
struct TRiesenListe : IntListe {
  int32_t FKapazitaet = 1 << 29;
  int32_t FAngefordert = -1;
  int32_t GetCapacity() const override { return FKapazitaet; }
  void SetCapacity(int32_t A) override { FAngefordert = A; }
};

TEST(TQLX_List, CapacityBeyondSigned32BitRaisesOutOfMemory) {
  TRiesenListe L;
  L.Grow(1 << 30);
  EXPECT_EQ(L.FAngefordert, 1 << 30);
  L.FAngefordert = -1;
  EXPECT_THROW(L.Grow((1 << 30) + 1), std::bad_alloc);  // 2^31 does not fit
  EXPECT_THROW(L.GrowCheck(-1), std::bad_alloc);       // a count that wrapped
  EXPECT_EQ(L.FAngefordert, -1);

  // An override that refuses to grow must not let Add write past the storage.
  struct TStur : IntListe {
    void GrowCheck(int32_t) override {}
  } Stur;
  EXPECT_THROW(Stur.Add(1), std::bad_alloc);
  EXPECT_EQ(Stur.Count(), 0);
}

TEST(TQLX_List, RangeErrorsLeaveListAndObserverUntouched) {
  TProtokoll<int> P;  // outlives the list, which reports to it when destroyed
  IntListe L{1, 2, 3};
  P.Beobachte(L);
  const std::vector<std::function<void()>> Fehler = {
      [&] { L.GetItem(-1); },         [&] { L.GetItem(3); },
      [&] { L.SetItem(3, 9); },       [&] { L.GetItem_Ptr(3); },
      [&] { L.Insert(4, 9); },        [&] { L.Insert(-1, 9); },
      [&] { L.InsertRange(4, V{9}); }, [&] { L.Delete(3); },
      [&] { L.DeleteRange(0, 4); },   [&] { L.DeleteRange(-1, 1); },
      [&] { L.DeleteRange(1, -1); },  [&] { L.Move(0, 3); },
      [&] { L.SetCount(-1); },        [&] { L.SetCapacity(-1); },
      [&] { L.Exchange(0, 5); },
  };
  for (size_t I = 0; I < Fehler.size(); ++I) {
    EXPECT_THROW(Fehler[I](), std::out_of_range) << "case " << I;
    EXPECT_EQ(Inhalt(L), (V{1, 2, 3})) << "case " << I;
    EXPECT_EQ(L.Capacity(), 3) << "case " << I;
  }
  EXPECT_TRUE(P.Eintraege.empty());

  IntListe Leer;
  EXPECT_THROW(Leer.First(), std::out_of_range);
  EXPECT_THROW(Leer.Last(), std::out_of_range);
  EXPECT_TRUE(Leer.IsEmpty());
}

TEST(TQLX_List, BoundaryPositionsThatAreAllowed) {
  IntListe L{1, 2};
  L.Insert(L.Count(), 3);  // appends
  L.Insert(0, 0);
  EXPECT_EQ(Inhalt(L), (V{0, 1, 2, 3}));
  L.DeleteRange(L.Count(), 0);
  L.Move(7, 7);  // equal indices do nothing, even outside the list
  EXPECT_EQ(Inhalt(L), (V{0, 1, 2, 3}));
  EXPECT_EQ(L.First(), 0);
  EXPECT_EQ(L.Last(), 3);
  EXPECT_TRUE(L.IndexInRange(3));
  EXPECT_FALSE(L.IndexInRange(4));
}

TEST(TQLX_List, ReorderingMovesItemsAndKeepsTheRest) {
  IntListe L{0, 1, 2, 3, 4};
  L.Move(1, 3);
  EXPECT_EQ(Inhalt(L), (V{0, 2, 3, 1, 4}));
  L.Move(3, 0);
  EXPECT_EQ(Inhalt(L), (V{1, 0, 2, 3, 4}));
  L.Exchange(0, 4);
  L.Reverse();
  EXPECT_EQ(Inhalt(L), (V{1, 3, 2, 0, 4}));
  L.DeleteRange(1, 2);
  EXPECT_EQ(Inhalt(L), (V{1, 0, 4}));
  L.Delete(0);
  EXPECT_EQ(Inhalt(L), (V{0, 4}));
}

TEST(TQLX_List, BinarySearchGivesLowerBound) {
  IntListe L;
  int32_t Index = -1;
  EXPECT_FALSE(L.BinarySearch(3, Index));
  EXPECT_EQ(Index, 0);

  L.AddRange({1, 3, 3, 5});
  EXPECT_TRUE(L.BinarySearch(3, Index));
  EXPECT_EQ(Index, 1);
  EXPECT_FALSE(L.BinarySearch(4, Index));
  EXPECT_EQ(Index, 3);
  EXPECT_FALSE(L.BinarySearch(9, Index));
  EXPECT_EQ(Index, 4);
  EXPECT_TRUE(L.BinarySearch(1));

  const TComparer<int> Absteigend([](int A, int B) { return B - A; });
  IntListe Ab{5, 3, 3, 1};
  EXPECT_TRUE(Ab.BinarySearch(3, Index, Absteigend));
  EXPECT_EQ(Index, 1);
}

TEST(TQLX_List, BinarySearchAgreesWithLowerBoundOnEverySizeAndProbe) {
  for (int N = 0; N <= 33; ++N) {
    IntListe L;
    for (int I = 0; I < N; ++I) L.Add(2 * (I / 2 + I / 5));  // runs of equal even values
    const V Werte = Inhalt(L);
    for (int Gesucht = -1; Gesucht <= 2 * N + 1; ++Gesucht) {
      int32_t Index = -1;
      const bool Gefunden = L.BinarySearch(Gesucht, Index);
      const auto Erwartet = std::lower_bound(Werte.begin(), Werte.end(), Gesucht);
      ASSERT_EQ(Index, Erwartet - Werte.begin()) << "N=" << N << " gesucht=" << Gesucht;
      ASSERT_EQ(Gefunden, Erwartet != Werte.end() && *Erwartet == Gesucht) << "N=" << N << " gesucht=" << Gesucht;
    }
  }
}

TEST(TQLX_List, SortedInsertionKeepsOrderAndSkipsEqualItems) {
  IntListe L;
  for (int X : {5, 1, 3, 3, 9, 1}) L.AddToSortedList_IfNotContained(X);
  EXPECT_EQ(Inhalt(L), (V{1, 3, 5, 9}));
  EXPECT_EQ(L.AddToSortedList_IfNotContained(5), 2);  // the present item's index, nothing changes
  EXPECT_EQ(Inhalt(L), (V{1, 3, 5, 9}));

  const TComparer<int> Absteigend([](int A, int B) { return B - A; });
  IntListe Ab(Absteigend);
  for (int X : {2, 7, 4}) Ab.AddToSortedList_IfNotContained(X);
  EXPECT_EQ(Inhalt(Ab), (V{7, 4, 2}));
  IntListe Zweiter;
  for (int X : {2, 7, 4}) Zweiter.AddToSortedList_IfNotContained(X, Absteigend);
  EXPECT_EQ(Inhalt(Zweiter), (V{7, 4, 2}));
}

TEST(TQLX_List, LinearSearchesAndRemoval) {
  IntListe L{4, 2, 4, 1};
  EXPECT_EQ(L.IndexOf(4), 0);
  EXPECT_EQ(L.LastIndexOf(4), 2);
  EXPECT_EQ(L.IndexOf(7), -1);
  EXPECT_FALSE(L.Contains(7));
  EXPECT_EQ(L.Remove(7), -1);
  EXPECT_EQ(L.Remove(4), 0);
  L.AddIfNotContained(2);
  L.AddIfNotContained(8);
  EXPECT_EQ(Inhalt(L), (V{2, 4, 1, 8}));
}

TEST(TQLX_List, ComparersFromSuiteTypesCallablesAndInterfaces) {
  // The suite type's std::function comparer.
  TQLX_List<TInt32Trio> Ids(TInt32Trio::ComparerGet());
  for (int I : {3, 1, 2}) Ids.Add(TInt32Trio::Construct(0, I, 0));
  Ids.Sort();
  EXPECT_EQ(Ids.First().I2, 1);
  EXPECT_TRUE(Ids.BinarySearch(TInt32Trio::Construct(0, 2, 0)));

  // An interface that only knows Compare still sorts and searches.
  struct TNachBetrag : IComparer<int> {
    int Compare(const int& A, const int& B) const override { return std::abs(A) - std::abs(B); }
  };
  IntListe L(TComparer<int>(std::make_shared<TNachBetrag>()));
  L.AddRange({-3, 1, -2});
  L.Sort();
  EXPECT_EQ(Inhalt(L), (V{1, -2, -3}));
  EXPECT_EQ(L.IndexOf(3), 2);

  // Strings: default order is the byte order.
  TQLX_List<std::string> S{"b", "a", "c"};
  S.Sort();
  EXPECT_EQ(S.First(), "a");

  // A type with equality only can be searched but not sorted.
  struct TNurGleich {
    int X = 0;
    bool operator==(const TNurGleich&) const = default;
  };
  TQLX_List<TNurGleich> G{{1}, {2}};
  EXPECT_EQ(G.IndexOf({2}), 1);
  EXPECT_THROW(G.Sort(), std::logic_error);
}

TEST(TQLX_List, CloneTakesItemsButNotTheComparer) {
  const TComparer<int> Absteigend([](int A, int B) { return B - A; });
  IntListe Mutter(Absteigend);
  Mutter.AddRange({1, 3, 2});
  Mutter.Sort();
  EXPECT_EQ(Inhalt(Mutter), (V{3, 2, 1}));
  IntListe Kind = IntListe::Clone(Mutter);
  EXPECT_TRUE(Kind.Comparer().IsDefault());
  Kind.Sort();
  EXPECT_EQ(Inhalt(Kind), (V{1, 2, 3}));
  EXPECT_EQ(Inhalt(Mutter), (V{3, 2, 1}));
}

TEST(TQLX_List, RecordsAndStringsAreDeepCopiesAndVacatedSlotsAreCleared) {
  TQLX_List<TTestIndizee> L(TTestIndizee::ComparerGet());
  TTestIndizee A = Indizee(1, {10, 11});
  L.Add(A);
  A.Ind.push_back(12);
  EXPECT_EQ(L.First().Ind, (V{10, 11}));
  TTestIndizee Kopie = L.GetItem(0);
  Kopie.Ind.clear();
  EXPECT_EQ(L.GetItem_Ptr(0)->Ind.size(), 2u);
  L.GetItem_Ptr(0)->Ind.push_back(13);  // the only access to the stored item
  EXPECT_EQ(L.First().Ind, (V{10, 11, 13}));

  L.AddRange({Indizee(2, {20}), Indizee(3, {30})});
  L.DeleteRange(1, 2);
  L.SetCount(3);  // the vacated slots come back as default values
  EXPECT_TRUE(L.GetItem(1).Ind.empty());
  EXPECT_TRUE(L.GetItem(2).PId.IsEmpty());

  TQLX_List<std::string> S{"eins", "zwei", "drei"};
  S.Delete(0);
  S.SetCount(3);
  EXPECT_EQ(S.ToArray(), (std::vector<std::string>{"zwei", "drei", ""}));
}

TEST(TQLX_List, EnumeratorsFollowTheListAndRangeCheck) {
  IntListe L{1, 2, 3};
  auto E = L.GetEnumerator();
  EXPECT_THROW(E->Current(), std::out_of_range);  // before the first MoveNext
  V Gesehen;
  while (E->MoveNext()) Gesehen.push_back(E->Current());
  EXPECT_EQ(Gesehen, (V{1, 2, 3}));
  EXPECT_FALSE(E->MoveNext());

  auto Zweiter = L.GetEnumerator();
  ASSERT_TRUE(Zweiter->MoveNext());
  ASSERT_TRUE(Zweiter->MoveNext());
  L.SetCount(1);  // shrinks under it
  EXPECT_THROW(Zweiter->Current(), std::out_of_range);
  EXPECT_FALSE(Zweiter->MoveNext());

  // Range-for re-reads the list: deleting inside the loop ends it safely.
  IntListe M{1, 2, 3, 4};
  V Schleife;
  for (int X : M) {
    Schleife.push_back(X);
    if (X == 2) M.SetCount(2);
  }
  EXPECT_EQ(Schleife, (V{1, 2}));
}

TEST(TQLX_List, InsertingOrAssigningFromItselfTerminatesAndKeepsItems) {
  IntListe L{1, 2};
  L.InsertRange(1, L);  // enumerable form
  EXPECT_EQ(Inhalt(L), (V{1, 1, 2, 2}));
  L.AssignFrom(L);
  EXPECT_EQ(Inhalt(L), (V{1, 1, 2, 2}));
  L.TrimExcess();
  L.InsertRange(0, std::span<const int>(L.GetItem_Ptr(0), 2));  // array form, aliasing own storage
  EXPECT_EQ(Inhalt(L), (V{1, 1, 1, 1, 2, 2}));

  std::list<int> Fremd{7, 8};
  L.AddRange(Fremd);
  EXPECT_EQ(L.Last(), 8);
  IntListe Aus(static_cast<const TEnumerable<int>&>(L));  // from an enumerable
  EXPECT_EQ(Aus.Count(), 8);
}
