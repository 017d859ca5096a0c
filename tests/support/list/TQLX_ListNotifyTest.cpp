// What a list reports when items come and go, and which operations go
// through the overridable virtual ones.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/list/TQLX_List.h"
#include "tests/support/list/ListTestTypen.h"

using IntListe = TQLX_List<int>;
using V = std::vector<int>;
using Eintrag = std::pair<TCollectionNotification, int>;
using Eintraege = std::vector<Eintrag>;

TEST(TQLX_ListNotify, AddInsertSetItemAndDeleteReportInOrder) {
  TProtokoll<int> P;  // outlives the list, which reports to it when destroyed
  IntListe L;
  P.Beobachte(L);
  L.Add(1);
  L.Insert(0, 0);
  L.SetItem(1, 5);  // old item removed, then the new one added
  L.Delete(0);
  EXPECT_EQ(P.Eintraege, (Eintraege{{cnAdded, 1}, {cnAdded, 0}, {cnRemoved, 1}, {cnAdded, 5}, {cnRemoved, 0}}));

  P.Eintraege.clear();
  L.AddRange({7, 8, 9});
  L.Exchange(0, 1);
  L.Move(0, 3);
  L.Reverse();
  L.Sort();
  EXPECT_EQ(P.Eintraege.size(), 3u);  // only the three adds; reordering reports nothing
}

TEST(TQLX_ListNotify, ArrayInsertReportsAfterAllAreInPlaceEnumerableInsertAtOnce) {
  std::vector<int32_t> AnzahlBeimMelden;
  IntListe L{0, 9};
  L.SetOnNotify([&](TQLX_List<int>& ASender, const int&, TCollectionNotification) {
    AnzahlBeimMelden.push_back(ASender.Count());
  });
  L.InsertRange(1, V{1, 2, 3});
  EXPECT_EQ(AnzahlBeimMelden, (std::vector<int32_t>{5, 5, 5}));

  AnzahlBeimMelden.clear();
  IntListe Quelle{4, 5};
  L.InsertRange(4, static_cast<const TEnumerable<int>&>(Quelle));
  EXPECT_EQ(AnzahlBeimMelden, (std::vector<int32_t>{6, 7}));
  EXPECT_EQ(Inhalt(L), (V{0, 1, 2, 3, 4, 5, 9}));
}

TEST(TQLX_ListNotify, DeleteRangeClearAndDestructionReportEachRemovedItem) {
  TProtokoll<int> P;
  std::vector<int32_t> AnzahlBeimMelden;
  {
    IntListe L{1, 2, 3, 4, 5};
    L.SetOnNotify([&](TQLX_List<int>& ASender, const int& AItem, TCollectionNotification A) {
      P.Eintraege.emplace_back(A, AItem);
      AnzahlBeimMelden.push_back(ASender.Count());
    });
    L.DeleteRange(1, 2);  // reported after the list is already shorter, in former order
    EXPECT_EQ(P.Eintraege, (Eintraege{{cnRemoved, 2}, {cnRemoved, 3}}));
    EXPECT_EQ(AnzahlBeimMelden, (std::vector<int32_t>{3, 3}));

    P.Eintraege.clear();
    L.SetCapacity(1);
    EXPECT_EQ(P.Eintraege, (Eintraege{{cnRemoved, 4}, {cnRemoved, 5}}));
    L.AddRange({6, 7});
    P.Eintraege.clear();
  }
  EXPECT_EQ(P.Eintraege, (Eintraege{{cnRemoved, 1}, {cnRemoved, 6}, {cnRemoved, 7}}));

  TProtokoll<int> Q;
  IntListe L{1, 2};
  Q.Beobachte(L);
  L.Clear();
  EXPECT_EQ(Q.Eintraege, (Eintraege{{cnRemoved, 1}, {cnRemoved, 2}}));
}

TEST(TQLX_ListNotify, ExtractReportsExtractedAndAbsentValuesReportNothing) {
  TProtokoll<std::string> P;
  TQLX_List<std::string> L{"a", "b"};
  P.Beobachte(L);
  EXPECT_EQ(L.Extract("x"), "");
  EXPECT_EQ(L.Remove("x"), -1);
  EXPECT_TRUE(P.Eintraege.empty());
  EXPECT_EQ(L.Extract("b"), "b");
  EXPECT_EQ(P.Eintraege, (std::vector<std::pair<TCollectionNotification, std::string>>{{cnExtracted, "b"}}));
  EXPECT_EQ(L.Count(), 1);
}

TEST(TQLX_ListNotify, ObserverFailureInDestructionDoesNotEscape) {
  auto L = std::make_unique<IntListe>(std::initializer_list<int>{1, 2, 3});
  int Gemeldet = 0;
  L->SetOnNotify([&](TQLX_List<int>&, const int&, TCollectionNotification) {
    ++Gemeldet;
    throw std::runtime_error("Beobachter kaputt");
  });
  EXPECT_NO_THROW(L.reset());
  EXPECT_EQ(Gemeldet, 1);
}

// Counts Insert calls and keeps its own notification log.
struct TZaehlListe : IntListe {
  int Einfuegungen = 0;
  Eintraege Gemeldet;
  using IntListe::Insert;
  void Insert(int32_t AIndex, int AValue) override {
    ++Einfuegungen;
    IntListe::Insert(AIndex, AValue);
  }
  void Notify(const int& AItem, TCollectionNotification A) override {
    Gemeldet.emplace_back(A, AItem);
    IntListe::Notify(AItem, A);
  }
};

TEST(TQLX_ListNotify, OverridesAreSeenByTheOperationsBuiltOnThem) {
  TZaehlListe L;
  L.AddToSortedList_IfNotContained(3);
  L.AddToSortedList_IfNotContained(1);
  L.AddToSortedList_IfNotContained(3);  // present: no Insert
  EXPECT_EQ(L.Einfuegungen, 2);

  IntListe Quelle{7, 8};
  L.AddRange(static_cast<const TEnumerable<int>&>(Quelle));
  EXPECT_EQ(L.Einfuegungen, 4);
  L.AddRange(V{9});  // the array form moves one block, no Insert
  EXPECT_EQ(L.Einfuegungen, 4);

  IntListe Andere{2, 5};
  L.MergeFrom({&Andere, &Quelle}, false);
  EXPECT_EQ(Inhalt(L), (V{2, 5, 7, 8}));
  EXPECT_EQ(L.Einfuegungen, 8);
  EXPECT_EQ(L.Gemeldet.back(), (Eintrag{cnAdded, 8}));
}

TEST(TQLX_ListNotify, MergeFromUnionAndIntersection) {
  IntListe A{3, 1, 2};
  IntListe B{3, 2};
  IntListe C{4, 2, 3};
  IntListe Ziel;
  Ziel.MergeFrom({&A, &B, &C}, true);
  EXPECT_EQ(Inhalt(Ziel), (V{2, 3}));
  EXPECT_EQ(Inhalt(A), (V{1, 2, 3}));  // sources are left sorted
  EXPECT_EQ(Inhalt(B), (V{2, 3}));
  EXPECT_EQ(Inhalt(C), (V{2, 3, 4}));

  Ziel.MergeFrom({&A, &C}, false);
  EXPECT_EQ(Inhalt(Ziel), (V{1, 2, 3, 4}));

  IntListe Leer;
  IntListe D{5, 1};
  Ziel.MergeFrom({&D, &Leer, &A}, true);
  EXPECT_TRUE(Ziel.IsEmpty());
  EXPECT_EQ(Inhalt(D), (V{1, 5}));  // examined before the empty list ended the merge
  IntListe E{5, 1};
  Ziel.MergeFrom({&E}, true);  // one list: a plain copy, order kept
  EXPECT_EQ(Inhalt(Ziel), (V{5, 1}));
  Ziel.MergeFrom(std::span<IntListe* const>(), false);
  EXPECT_TRUE(Ziel.IsEmpty());

  // Each source searches with its own comparer; the result uses the target's.
  TQLX_List<TTestIndizee> X(TTestIndizee::ComparerGet());
  TQLX_List<TTestIndizee> Y(TTestIndizee::ComparerGet());
  TQLX_List<TTestIndizee> Z(TTestIndizee::ComparerGet());
  X.AddRange({Indizee(2, {1}), Indizee(1)});
  Y.AddRange({Indizee(2, {9}), Indizee(3)});
  Z.MergeFrom({&X, &Y}, true);
  ASSERT_EQ(Z.Count(), 1);
  EXPECT_EQ(Z.First().PId.I1, 2);
}
