#pragma once
// Item types and observers shared by the list tests.
#include <string>
#include <utility>
#include <vector>

#include "support/list/TQLX_List.h"
#include "support/types/TInt32Trio.h"

// Look-alike of the engine's to-do entry: ordered by product id alone.
struct TTestIndizee {
  TInt32Trio PId;
  std::vector<int> Ind;
  static int Compare(const TTestIndizee& A, const TTestIndizee& B) { return TInt32Trio::Compare(A.PId, B.PId); }
  static std::function<int(const TTestIndizee&, const TTestIndizee&)> ComparerGet() { return &Compare; }
  friend bool operator==(const TTestIndizee&, const TTestIndizee&) = default;
};

inline TTestIndizee Indizee(int AI1, std::vector<int> AInd = {}) {
  return {TInt32Trio::Construct(AI1, 0, 0), std::move(AInd)};
}

// Records every notification as (action, item).
template <class T>
struct TProtokoll {
  std::vector<std::pair<TCollectionNotification, T>> Eintraege;
  void Beobachte(TQLX_List<T>& AList) {
    AList.SetOnNotify([this](TQLX_List<T>&, const T& AItem, TCollectionNotification A) { Eintraege.emplace_back(A, AItem); });
  }
};

constexpr auto cnAdded = TCollectionNotification::cnAdded;
constexpr auto cnRemoved = TCollectionNotification::cnRemoved;
constexpr auto cnExtracted = TCollectionNotification::cnExtracted;

template <class T>
std::vector<T> Inhalt(const TQLX_List<T>& AList) {
  return AList.ToArray();
}
