#pragma once
// TQLX_List<T>: the suite's generic list of values. Items sit in one
// contiguous array that grows by doubling; every item that comes or goes is
// reported through the virtual Notify (and the optional OnNotify observer);
// searching, sorting and sorted insertion go through one shared comparer.
//
// Range errors (std::out_of_range) are raised before anything changes; a
// capacity beyond a signed 32-bit count raises std::bad_alloc. Not thread-safe:
// one thread uses a list at a time.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <memory>
#include <new>
#include <ranges>
#include <span>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "support/framework/KWDGuard.h"
#include "support/list/TQLX_Comparer.h"
#include "support/list/TQLX_Enumerable.h"
#include "support/list/TQLX_ListSpeicher.h"

template <class T>
class TQLX_List;

template <class T>
using TCollectionNotifyEvent =
    std::function<void(TQLX_List<T>& ASender, const T& AItem, TCollectionNotification AAction)>;

template <class T>
class TQLX_List : public TEnumerable<T> {
  using Speicher = TQLX_ListSpeicher<T>;

 public:
  using P = T*;
  using value_type = T;

  // Enumerator of the suite's kind: reads Count afresh at every step, so it
  // stops when the list shrinks; Current range-checks.
  class TEnumerator : public ::TEnumerator<T> {
   public:
    explicit TEnumerator(const TQLX_List& AItems) : FItems(&AItems) {}
    bool MoveNext() override {
      if (FIndex >= FItems->Count()) return false;
      ++FIndex;
      return FIndex < FItems->Count();
    }
    T Current() const override { return FItems->GetItem(FIndex); }

   private:
    const TQLX_List* FItems;
    int32_t FIndex = -1;
  };

  // Iterator for range-based for: like the enumerator it re-reads the list at
  // every step, so changing the list inside the loop never reads freed memory.
  class TIterator {
   public:
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    TIterator() = default;
    TIterator(const TQLX_List* AList, int32_t AIndex) : FList(AList), FIndex(AIndex) {}
    const T& operator*() const { return FList->FItems[FIndex]; }
    const T* operator->() const { return FList->FItems + FIndex; }
    TIterator& operator++() {
      ++FIndex;
      return *this;
    }
    TIterator operator++(int) {
      TIterator Alt = *this;
      ++FIndex;
      return Alt;
    }
    friend bool operator==(const TIterator& A, std::default_sentinel_t) { return A.FIndex >= A.FList->Count(); }

   private:
    const TQLX_List* FList = nullptr;
    int32_t FIndex = 0;
  };

  TQLX_List() = default;
  explicit TQLX_List(TComparer<T> AComparer) : FComparer(std::move(AComparer)) {}
  explicit TQLX_List(const TEnumerable<T>& ACollection) { TQLX_List::InsertRange(0, ACollection); }
  TQLX_List(std::initializer_list<T> AValues) { TQLX_List::InsertRange(0, std::span<const T>(AValues)); }

  // Takes over the storage; nothing is reported, no item leaves the program.
  TQLX_List(TQLX_List&& AOther) noexcept
      : FItems(std::exchange(AOther.FItems, nullptr)),
        FOnNotify(std::move(AOther.FOnNotify)),
        FCount(std::exchange(AOther.FCount, 0)),
        FCapacity(std::exchange(AOther.FCapacity, 0)),
        FComparer(std::exchange(AOther.FComparer, TComparer<T>())) {}
  TQLX_List(const TQLX_List&) = delete;
  TQLX_List& operator=(const TQLX_List&) = delete;
  TQLX_List& operator=(TQLX_List&&) = delete;

  // A new list with the mother's items and the default comparer.
  static TQLX_List Clone(const TQLX_List& AMother) {
    TQLX_List Result;
    Result.AddRange(AMother.ToArray());
    return Result;
  }

  // Reports the remaining items as removed to the observer. Virtual calls in a
  // destructor reach this class only: a derived Notify sees nothing here, so a
  // derived list that wants the report clears itself in its own destructor.
  ~TQLX_List() override {
    if (FOnNotify && FCount > 0) {
      KWDGuardStill("TQLX_List.Destroy", [&] { TQLX_List::DeleteRange(0, FCount); });
    }
    Speicher::Freigeben(FItems, FCapacity);
  }

  // ---- access
  virtual T GetItem(int32_t AIndex) const {
    PruefeIndex(AIndex);
    return FItems[AIndex];
  }
  virtual void SetItem(int32_t AIndex, T AValue) {
    PruefeIndex(AIndex);
    T Alt = std::move(FItems[AIndex]);
    FItems[AIndex] = std::move(AValue);
    Notify(Alt, TCollectionNotification::cnRemoved);
    Notify(FItems[AIndex], TCollectionNotification::cnAdded);
  }
  // The stored item itself; valid until the storage is next reallocated.
  virtual P GetItem_Ptr(int32_t AIndex) const {
    PruefeIndex(AIndex);
    return FItems + AIndex;
  }
  T operator[](int32_t AIndex) const { return GetItem(AIndex); }
  T First() const { return GetItem(0); }
  T Last() const { return GetItem(FCount - 1); }
  bool IsEmpty() const { return FCount < 1; }
  bool IndexInRange(int32_t AIndex) const { return AIndex >= 0 && AIndex < FCount; }
  int32_t Count() const { return FCount; }
  std::vector<T> ToArray() const override { return std::vector<T>(FItems, FItems + FCount); }

  std::unique_ptr<TEnumerator> GetEnumerator() const { return std::make_unique<TEnumerator>(*this); }
  TIterator begin() const { return TIterator(this, 0); }
  std::default_sentinel_t end() const { return {}; }

  const TCollectionNotifyEvent<T>& OnNotify() const { return FOnNotify; }
  void SetOnNotify(TCollectionNotifyEvent<T> AOnNotify) { FOnNotify = std::move(AOnNotify); }
  const TComparer<T>& Comparer() const { return FComparer; }

  // ---- capacity
  virtual int32_t GetCapacity() const { return FCapacity; }
  int32_t Capacity() const { return GetCapacity(); }
  virtual void SetCapacity(int32_t AValue) {
    if (AValue < FCount) SetCount(AValue);
    if (AValue == FCapacity) return;
    FItems = Speicher::Umbauen(FItems, FCapacity, FCount, AValue);
    FCapacity = AValue;
  }
  virtual void SetCount(int32_t AValue) {
    if (AValue < 0) throw std::out_of_range("TQLX_List.SetCount: negative Anzahl " + std::to_string(AValue));
    if (AValue > GetCapacity()) SetCapacity(AValue);
    if (AValue < FCount)
      DeleteRange(AValue, FCount - AValue);
    else
      Speicher::Aufnehmen(FItems + FCount, AValue - FCount);
    FCount = AValue;
  }
  void TrimExcess() { SetCapacity(FCount); }

  // Capacity for ACount items: exactly ACount for empty storage, else doubled
  // until it fits.
  virtual void Grow(int32_t ACount) {
    int64_t Neu = GetCapacity();
    if (Neu == 0) {
      Neu = ACount;
    } else {
      while (Neu < ACount) {
        Neu *= 2;
        if (Neu > std::numeric_limits<int32_t>::max()) throw std::bad_alloc();
      }
    }
    SetCapacity(static_cast<int32_t>(Neu));
  }
  virtual void GrowCheck(int32_t ACount) {
    if (ACount > GetCapacity())
      Grow(ACount);
    else if (ACount < 0)
      throw std::bad_alloc();
  }

  // ---- adding
  virtual int32_t Add(T AValue) {
    Platz(1);
    // Index and target kept in locals: storing an item of T = int32_t would
    // otherwise make the compiler reload FCount after every store.
    const int32_t Index = FCount;
    T* Ziel = FItems + Index;
    *Ziel = std::move(AValue);
    FCount = Index + 1;
    Notify(*Ziel, TCollectionNotification::cnAdded);
    return Index;
  }
  virtual void Insert(int32_t AIndex, T AValue) {
    PruefeEinfuegeIndex(AIndex);
    Platz(1);
    Speicher::Schieben(FItems + AIndex, FCount - AIndex, FItems + AIndex + 1);
    FItems[AIndex] = std::move(AValue);
    ++FCount;
    Notify(FItems[AIndex], TCollectionNotification::cnAdded);
  }
  // From an array: one block move; reports after all items are in place.
  virtual void InsertRange(int32_t AIndex, std::span<const T> AValues) {
    PruefeEinfuegeIndex(AIndex);
    if (AValues.empty()) return;
    if (AValues.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) throw std::bad_alloc();
    // Values taken from this very list would move under our feet.
    const std::less<const T*> Vor;
    if (!Vor(AValues.data(), FItems) && Vor(AValues.data(), FItems + FCapacity)) {
      const std::vector<T> Kopie(AValues.begin(), AValues.end());
      InsertRange(AIndex, std::span<const T>(Kopie));
      return;
    }
    const auto N = static_cast<int32_t>(AValues.size());
    Platz(N);
    Speicher::Schieben(FItems + AIndex, FCount - AIndex, FItems + AIndex + N);
    std::copy(AValues.begin(), AValues.end(), FItems + AIndex);
    FCount += N;
    for (int32_t I = AIndex; I < AIndex + N; ++I) Notify(FItems[I], TCollectionNotification::cnAdded);
  }
  void InsertRange(int32_t AIndex, std::initializer_list<T> AValues) {
    InsertRange(AIndex, std::span<const T>(AValues.begin(), AValues.size()));
  }
  // From an enumerable: one Insert per item, each reported at once.
  virtual void InsertRange(int32_t AIndex, const TEnumerable<T>& ACollection) {
    PruefeEinfuegeIndex(AIndex);
    if (&ACollection == this) {  // enumerating ourselves while growing would never end
      for (T& Item : ToArray()) Insert(AIndex++, std::move(Item));
      return;
    }
    for (auto E = ACollection.GetEnumerator(); E->MoveNext();) Insert(AIndex++, E->Current());
  }
  // From any other range (e.g. a std::list or a view): one Insert per item.
  template <std::ranges::input_range R>
    requires(!std::is_convertible_v<const R&, std::span<const T>> &&
             !std::is_base_of_v<TEnumerable<T>, std::remove_cvref_t<R>>)
  void InsertRange(int32_t AIndex, R&& ARange) {
    PruefeEinfuegeIndex(AIndex);
    for (auto&& Item : ARange) Insert(AIndex++, T(Item));
  }
  template <class R>
  void AddRange(R&& AValues) {
    InsertRange(FCount, std::forward<R>(AValues));
  }
  void AddRange(std::initializer_list<T> AValues) { InsertRange(FCount, AValues); }
  void AddIfNotContained(T AValue) {
    if (!Contains(AValue)) Add(std::move(AValue));
  }
  // Position of the equal item, or of AItem newly inserted in order.
  int32_t AddToSortedList_IfNotContained(T AItem) {
    int32_t Index = 0;
    if (!BinarySearch(AItem, Index)) Insert(Index, std::move(AItem));
    return Index;
  }
  int32_t AddToSortedList_IfNotContained(T AItem, const TComparer<T>& AComparer) {
    int32_t Index = 0;
    if (!BinarySearch(AItem, Index, AComparer)) Insert(Index, std::move(AItem));
    return Index;
  }

  // ---- removing
  void Delete(int32_t AIndex) { DoDelete(AIndex, TCollectionNotification::cnRemoved); }
  virtual void DoDelete(int32_t AIndex, TCollectionNotification ANotification) {
    PruefeIndex(AIndex);
    T Item = std::move(FItems[AIndex]);
    Speicher::Schieben(FItems + AIndex + 1, FCount - AIndex - 1, FItems + AIndex);
    Speicher::Leeren(FItems + FCount - 1, 1);
    --FCount;
    Notify(Item, ANotification);
  }
  virtual void DeleteRange(int32_t AIndex, int32_t ACount) {
    if (AIndex < 0 || ACount < 0 || static_cast<int64_t>(AIndex) + ACount > FCount)
      throw std::out_of_range("TQLX_List.DeleteRange: Bereich " + std::to_string(AIndex) + "+" +
                              std::to_string(ACount) + " außerhalb 0.." + std::to_string(FCount));
    if (ACount == 0) return;
    // Taken out first, reported last: an observer sees the list already shortened.
    std::vector<T> Entnommen(std::make_move_iterator(FItems + AIndex),
                             std::make_move_iterator(FItems + AIndex + ACount));
    Speicher::Schieben(FItems + AIndex + ACount, FCount - AIndex - ACount, FItems + AIndex);
    Speicher::Leeren(FItems + FCount - ACount, ACount);
    FCount -= ACount;
    for (const T& Item : Entnommen) Notify(Item, TCollectionNotification::cnRemoved);
  }
  int32_t Remove(const T& AValue) {
    const int32_t Index = IndexOf(AValue);
    if (Index >= 0) Delete(Index);
    return Index;
  }
  // The equal item, taken out and reported as extracted; T() when absent.
  virtual T Extract(const T& AValue) {
    const int32_t Index = IndexOf(AValue);
    if (Index < 0) return T();
    T Result = FItems[Index];
    DoDelete(Index, TCollectionNotification::cnExtracted);
    return Result;
  }
  virtual void Clear() {
    SetCount(0);
    SetCapacity(0);
  }

  // ---- reordering (nothing is reported)
  virtual void Exchange(int32_t AIndex1, int32_t AIndex2) {
    PruefeIndex(AIndex1);
    PruefeIndex(AIndex2);
    std::swap(FItems[AIndex1], FItems[AIndex2]);
  }
  virtual void Move(int32_t ACurIndex, int32_t ANewIndex) {
    if (ACurIndex == ANewIndex) return;
    PruefeIndex(ANewIndex);
    PruefeIndex(ACurIndex);
    T Item = std::move(FItems[ACurIndex]);
    if (ACurIndex < ANewIndex)
      Speicher::Schieben(FItems + ACurIndex + 1, ANewIndex - ACurIndex, FItems + ACurIndex);
    else
      Speicher::Schieben(FItems + ANewIndex, ACurIndex - ANewIndex, FItems + ANewIndex + 1);
    FItems[ANewIndex] = std::move(Item);
  }
  virtual void Reverse() { std::reverse(FItems, FItems + FCount); }
  virtual void Sort() { Sort(FComparer); }
  virtual void Sort(const TComparer<T>& AComparer) {
    if (FCount >= 2) AComparer->SortRange(FItems, FItems + FCount);
  }

  // ---- searching (never raises)
  bool Contains(const T& AValue) const { return IndexOf(AValue) >= 0; }
  int32_t IndexOf(const T& AValue) const { return FComparer->IndexOf(FItems, FCount, AValue); }
  int32_t LastIndexOf(const T& AValue) const { return FComparer->LastIndexOf(FItems, FCount, AValue); }
  // Over a list sorted by the comparer used: whether an equal item exists;
  // AIndex gets the first position whose item is not less than AItem.
  virtual bool BinarySearch(const T& AItem) const {
    int32_t Index = 0;
    return BinarySearch(AItem, Index);
  }
  virtual bool BinarySearch(const T& AItem, int32_t& AIndex) const {
    return BinarySearch(AItem, AIndex, FComparer);
  }
  virtual bool BinarySearch(const T& AItem, int32_t& AIndex, const TComparer<T>& AComparer) const {
    bool Found = false;
    AIndex = AComparer->LowerBound(FItems, FCount, AItem, Found);
    return Found;
  }

  // ---- bulk
  // Clear, then the other's items; the own comparer stays.
  void AssignFrom(const TEnumerable<T>& AOther) {
    if (&AOther == this) {  // clearing first would lose the very items to copy
      const std::vector<T> Kopie = ToArray();
      Clear();
      AddRange(std::span<const T>(Kopie));
      return;
    }
    Clear();
    InsertRange(FCount, AOther);
  }
  // Union (AInAllenAnderen false) or intersection of the lists, sorted by the
  // own comparer, without duplicates. The intersection leaves its sources sorted.
  void MergeFrom(std::span<TQLX_List* const> AOtherArray, bool AInAllenAnderen) {
    Clear();
    if (AOtherArray.empty()) return;
    if (AOtherArray.size() == 1) {
      AssignFrom(*AOtherArray[0]);
      return;
    }
    if (!AInAllenAnderen) {
      for (TQLX_List* Liste : AOtherArray) {
        if (Liste == this) continue;  // already emptied above
        for (int32_t I = 0; I < Liste->Count(); ++I) AddToSortedList_IfNotContained(Liste->FItems[I]);
      }
      return;
    }
    TQLX_List* Kleinste = nullptr;
    for (TQLX_List* Liste : AOtherArray) {
      Liste->Sort();
      if (Liste->IsEmpty()) return;
      if (!Kleinste || Liste->Count() <= Kleinste->Count()) Kleinste = Liste;
    }
    for (int32_t I = 0; I < Kleinste->Count(); ++I) {
      const T& Item = Kleinste->FItems[I];
      bool InAllen = true;
      for (TQLX_List* Liste : AOtherArray)
        if (Liste != Kleinste && !Liste->BinarySearch(Item)) {
          InAllen = false;
          break;
        }
      if (InAllen) AddToSortedList_IfNotContained(Item);
    }
  }
  void MergeFrom(std::initializer_list<TQLX_List*> AOtherArray, bool AInAllenAnderen) {
    MergeFrom(std::span<TQLX_List* const>(AOtherArray.begin(), AOtherArray.size()), AInAllenAnderen);
  }

 protected:
  std::unique_ptr<::TEnumerator<T>> DoGetEnumerator() const override { return GetEnumerator(); }

  // Called after an item came (cnAdded) or went (cnRemoved, cnExtracted).
  virtual void Notify(const T& AItem, TCollectionNotification AAction) {
    if (FOnNotify) FOnNotify(*this, AItem, AAction);
  }

 private:
  void PruefeIndex(int32_t AIndex) const {
    if (AIndex < 0 || AIndex >= FCount)
      throw std::out_of_range("TQLX_List: Index " + std::to_string(AIndex) + " außerhalb 0.." +
                              std::to_string(FCount - 1));
  }
  void PruefeEinfuegeIndex(int32_t AIndex) const {
    if (AIndex < 0 || AIndex > FCount)
      throw std::out_of_range("TQLX_List: Einfügeposition " + std::to_string(AIndex) + " außerhalb 0.." +
                              std::to_string(FCount));
  }
  // Room for AMehr more items. GrowCheck runs only when growth (or an
  // overflowing count, which wraps negative) is due, to keep Add cheap.
  void Platz(int32_t AMehr) {
    const auto Bedarf = static_cast<int32_t>(static_cast<uint32_t>(FCount) + static_cast<uint32_t>(AMehr));
    if (Bedarf > FCapacity || Bedarf < 0) [[unlikely]] {
      GrowCheck(Bedarf);
      if (Bedarf > FCapacity) throw std::bad_alloc();  // an override that did not grow
    }
  }

  T* FItems = nullptr;
  TCollectionNotifyEvent<T> FOnNotify;
  int32_t FCount = 0;
  int32_t FCapacity = 0;
  TComparer<T> FComparer;
};
