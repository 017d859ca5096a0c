#pragma once
// TQLX_List_Helper<T>: list comparison, de-duplication, text and stream
// conversion, and enumeration over item pointers, built on the public
// operations of TQLX_List<T>.
#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "support/list/TQLX_List.h"

template <class T>
using TQLX_ToString_Func = std::function<std::string(const T& AT)>;
template <class T>
using TQLX_FromString_Func = std::function<T(const std::string& AString)>;

// Enumerable over the pointers to the items of one list (TQLX_List_Helper::GetPEnumerator).
template <class T>
class TQLX_Enumerable : public TEnumerable<T*> {
 public:
  explicit TQLX_Enumerable(const TQLX_List<T>& AList) : FList(&AList) {}

  class TPEnumerator : public TEnumerator<T*> {
   public:
    explicit TPEnumerator(const TQLX_List<T>& AList) : FList(&AList) {}
    bool MoveNext() override {
      if (FIndex >= FList->Count()) return false;
      ++FIndex;
      return FIndex < FList->Count();
    }
    T* Current() const override { return FList->GetItem_Ptr(FIndex); }

   private:
    const TQLX_List<T>* FList;
    int32_t FIndex = -1;
  };

 protected:
  std::unique_ptr<TEnumerator<T*>> DoGetEnumerator() const override { return std::make_unique<TPEnumerator>(*FList); }

 private:
  const TQLX_List<T>* FList;
};

template <class T>
class TQLX_List_Helper {
 public:
  // Count1 - Count2; for equal counts the first non-zero item comparison (item of AList1 first), else 0.
  static int CompareTwoLists(const TQLX_List<T>& AList1, const TQLX_List<T>& AList2, const TComparer<T>& AComparer) {
    const int Result = AList1.Count() - AList2.Count();
    if (Result != 0) return Result;
    for (int32_t I = 0; I < AList1.Count(); ++I) {
      const int R = AComparer.Compare(*AList1.GetItem_Ptr(I), *AList2.GetItem_Ptr(I));
      if (R != 0) return R;
    }
    return 0;
  }
  static int CompareTwoLists(const TQLX_List<T>& AList1, const TQLX_List<T>& AList2) {
    return CompareTwoLists(AList1, AList2, TComparer<T>::Default());
  }
  // As CompareTwoLists, on sorted copies; the arguments stay unchanged.
  static int CompareTwoLists_OrderIrrelevant(const TQLX_List<T>& AList1, const TQLX_List<T>& AList2,
                                             const TComparer<T>& AComparer) {
    TQLX_List<T> Kopie1;
    TQLX_List<T> Kopie2;
    Kopie1.AssignFrom(AList1);
    Kopie2.AssignFrom(AList2);
    Kopie1.Sort(AComparer);
    Kopie2.Sort(AComparer);
    return CompareTwoLists(Kopie1, Kopie2, AComparer);
  }
  static int CompareTwoLists_OrderIrrelevant(const TQLX_List<T>& AList1, const TQLX_List<T>& AList2) {
    return CompareTwoLists_OrderIrrelevant(AList1, AList2, TComparer<T>::Default());
  }

  static void SortAndRemoveDuplicates(TQLX_List<T>& AList) { SortAndRemoveDuplicates(AList, AList.Comparer()); }
  // Sorts with the list's own comparer, then keeps one of each run that AComparer calls equal.
  static void SortAndRemoveDuplicates(TQLX_List<T>& AList, const TComparer<T>& AComparer) {
    if (AList.IsEmpty()) return;
    AList.Sort();
    std::vector<T> Items = AList.ToArray();
    AList.Clear();
    AList.Add(std::move(Items[0]));
    for (size_t I = 1; I < Items.size(); ++I)
      if (AComparer.Compare(*AList.GetItem_Ptr(AList.Count() - 1), Items[I]) != 0) AList.Add(std::move(Items[I]));
  }

  // BinarySearch, then back to the first of several equal items.
  static bool BinarySearch_First(const TQLX_List<T>& AList, const T& AItem, int32_t& AIndex) {
    const bool Found = AList.BinarySearch(AItem, AIndex);
    if (Found)
      while (AIndex > 0 && AList.Comparer().Compare(*AList.GetItem_Ptr(AIndex - 1), AItem) == 0) --AIndex;
    return Found;
  }

  // The items' texts joined with ", " before each text once the result is not empty.
  template <class F>
    requires std::is_invocable_r_v<std::string, F&, const T&>
  static std::string ToCommaSeperatedString(const TQLX_List<T>& AList, F&& AToStringFunc) {
    std::string Result;
    for (const T& Item : AList) Anhaengen(Result, AToStringFunc(Item));
    return Result;
  }
  template <class F>
    requires std::is_invocable_r_v<std::string, F&, const T&>
  static std::string ToCommaSeperatedString(std::span<const T> AArray, F&& AToStringFunc) {
    std::string Result;
    for (const T& Item : AArray) Anhaengen(Result, AToStringFunc(Item));
    return Result;
  }
  // With a method of an object as the text function.
  template <class O>
  static std::string ToCommaSeperatedString(const TQLX_List<T>& AList, const O& AObject,
                                            std::string (O::*AToStringMethod)(const T&) const) {
    return ToCommaSeperatedString(AList, [&](const T& Item) { return (AObject.*AToStringMethod)(Item); });
  }

  // One line per item ("\n"), then flush; a failed write raises std::ios_base::failure.
  static void SaveToStream(const TQLX_List<T>& ASource, std::ostream& ATarget, const TQLX_ToString_Func<T>& AToStringFunc) {
    for (const T& Item : ASource) ATarget << AToStringFunc(Item) << '\n';
    ATarget.flush();
    if (!ATarget) throw std::ios_base::failure("TQLX_List_Helper.SaveToStream: Schreiben fehlgeschlagen");
  }
  // Clears ATarget, then adds one item per line; a "\r" before the line end is dropped.
  static void LoadFromStream(std::istream& ASource, TQLX_List<T>& ATarget, const TQLX_FromString_Func<T>& AFromStringFunc) {
    ATarget.Clear();
    std::string Zeile;
    while (std::getline(ASource, Zeile)) {
      if (!Zeile.empty() && Zeile.back() == '\r') Zeile.pop_back();
      ATarget.Add(AFromStringFunc(Zeile));
    }
    if (ASource.bad()) throw std::ios_base::failure("TQLX_List_Helper.LoadFromStream: Lesen fehlgeschlagen");
  }

  static TQLX_Enumerable<T> GetPEnumerator(const TQLX_List<T>& AList) { return TQLX_Enumerable<T>(AList); }

 private:
  static void Anhaengen(std::string& AResult, const std::string& AText) {
    if (!AResult.empty()) AResult += ", ";
    AResult += AText;
  }
};
