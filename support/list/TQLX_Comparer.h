#pragma once
// Comparers for TQLX_List: an interface (IComparer<T>), the default order, and
// a cheap shared handle (TComparer<T>) that lists keep and hand around.
//
// A whole sort or search costs one virtual call into the comparer; inside it
// the comparison of a TQLX_FuncComparer is inlined, so each comparison costs at
// most the one indirect call of a run-time function pointer.
#include <algorithm>
#include <compare>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace QLX_Detail {

// Lower bound with the stored item as the comparer's first argument: the first
// position whose item is not less than AItem; AFound when that item is equal.
// Branch-free halving (the probe result picks the half by a conditional move),
// so random look-ups do not pay a mispredicted branch per level. What is left
// on a large list is waiting for memory: each wide step prefetches the four
// items that can be probed two steps later, so a probe's line has had two
// steps to arrive (one step ahead hides only about half a miss, which left
// lists of large records no faster than std::lower_bound).
template <class T, class C>
int32_t LowerBound(const T* AItems, int32_t ACount, const T& AItem, bool& AFound, const C& ACompare) {
  AFound = false;
  if (ACount <= 0) return 0;
  // Below a few cache lines the last prefetches have brought the range in;
  // prefetching further only costs instructions.
  constexpr size_t WeitAb = 256 / sizeof(T);
  const T* Basis = AItems;
  size_t Rest = static_cast<size_t>(ACount);  // unsigned: no sign extension per step
  if (Rest > WeitAb) {
    const size_t Haelfte = Rest / 2, Haelfte1 = (Rest - Haelfte) / 2;
    __builtin_prefetch(Basis + Haelfte1);
    __builtin_prefetch(Basis + Haelfte + Haelfte1);
  }
  while (Rest > WeitAb && Rest > 1) {
    // Offsets of this probe, the next and the one after; each lies inside the
    // current range, so no prefetch points past the list.
    const size_t Haelfte = Rest / 2;
    const size_t Rest1 = Rest - Haelfte;
    const size_t Haelfte1 = Rest1 / 2;
    const size_t Haelfte2 = (Rest1 - Haelfte1) / 2;
    __builtin_prefetch(Basis + Haelfte2);
    __builtin_prefetch(Basis + Haelfte1 + Haelfte2);
    __builtin_prefetch(Basis + Haelfte + Haelfte2);
    __builtin_prefetch(Basis + Haelfte + Haelfte1 + Haelfte2);
    Basis = ACompare(Basis[Haelfte], AItem) < 0 ? Basis + Haelfte : Basis;
    Rest = Rest1;
  }
  while (Rest > 1) {
    const size_t Haelfte = Rest / 2;
    Basis = ACompare(Basis[Haelfte], AItem) < 0 ? Basis + Haelfte : Basis;
    Rest -= Haelfte;
  }
  int32_t Index = static_cast<int32_t>(Basis - AItems);
  int R = ACompare(*Basis, AItem);
  if (R < 0 && ++Index < ACount) R = ACompare(AItems[Index], AItem);
  AFound = R == 0;
  return Index;
}

template <class T, class C>
int32_t IndexOf(const T* AItems, int32_t ACount, const T& AValue, const C& ACompare) {
  for (int32_t I = 0; I < ACount; ++I)
    if (ACompare(AItems[I], AValue) == 0) return I;
  return -1;
}

template <class T, class C>
int32_t LastIndexOf(const T* AItems, int32_t ACount, const T& AValue, const C& ACompare) {
  for (int32_t I = ACount - 1; I >= 0; --I)
    if (ACompare(AItems[I], AValue) == 0) return I;
  return -1;
}

template <class T>
concept LessComparable = requires(const T& A, const T& B) {
  { A < B } -> std::convertible_to<bool>;
};

}  // namespace QLX_Detail

template <class T>
class IComparer {
 public:
  virtual ~IComparer() = default;
  // < 0, 0 or > 0 as A sorts before, equal to or after B.
  virtual int Compare(const T& A, const T& B) const = 0;

  // Whole-range operations; overridden by TQLX_FuncComparer with the comparison inlined.
  virtual void SortRange(T* AFirst, T* ALast) const {
    std::sort(AFirst, ALast, [this](const T& A, const T& B) { return Compare(A, B) < 0; });
  }
  virtual int32_t LowerBound(const T* AItems, int32_t ACount, const T& AItem, bool& AFound) const {
    return QLX_Detail::LowerBound(AItems, ACount, AItem, AFound,
                                  [this](const T& A, const T& B) { return Compare(A, B); });
  }
  virtual int32_t IndexOf(const T* AItems, int32_t ACount, const T& AValue) const {
    return QLX_Detail::IndexOf(AItems, ACount, AValue, [this](const T& A, const T& B) { return Compare(A, B); });
  }
  virtual int32_t LastIndexOf(const T* AItems, int32_t ACount, const T& AValue) const {
    return QLX_Detail::LastIndexOf(AItems, ACount, AValue,
                                   [this](const T& A, const T& B) { return Compare(A, B); });
  }
};

// The order used when a list is given no comparer: ascending for numbers,
// operator<=> (or operator<) for records and strings. A type with only
// operator== can be searched linearly but not sorted.
template <class T>
struct TQLX_DefaultCompare {
  static constexpr bool HasOrder = std::is_arithmetic_v<T> || std::is_enum_v<T> ||
                                   std::three_way_comparable<T> || QLX_Detail::LessComparable<T>;

  int operator()(const T& A, const T& B) const {
    if constexpr (std::is_arithmetic_v<T> || std::is_enum_v<T>) {
      return static_cast<int>(B < A) - static_cast<int>(A < B);
    } else if constexpr (std::three_way_comparable<T>) {
      const auto C = A <=> B;
      return C < 0 ? -1 : (C > 0 ? 1 : 0);
    } else if constexpr (QLX_Detail::LessComparable<T>) {
      return A < B ? -1 : (B < A ? 1 : 0);
    } else if constexpr (std::equality_comparable<T>) {
      return A == B ? 0 : 1;
    } else {
      throw std::logic_error("TQLX_List: Elementtyp ohne Vergleich; bitte einen Comparer angeben");
    }
  }
};

// IComparer over any callable (A, B) -> int; the callable's type is known
// here, so sorting and searching inline it.
template <class T, class F>
class TQLX_FuncComparer final : public IComparer<T> {
 public:
  explicit TQLX_FuncComparer(F AFunc) : FFunc(std::move(AFunc)) {}

  int Compare(const T& A, const T& B) const override { return FFunc(A, B); }

  void SortRange(T* AFirst, T* ALast) const override {
    if constexpr (std::is_same_v<F, TQLX_DefaultCompare<T>>) {
      if constexpr (!TQLX_DefaultCompare<T>::HasOrder) {
        throw std::logic_error("TQLX_List: Elementtyp ohne Ordnung; Sortieren braucht einen Comparer");
      } else if constexpr (std::is_arithmetic_v<T> || QLX_Detail::LessComparable<T>) {
        std::sort(AFirst, ALast, [](const T& A, const T& B) { return A < B; });
      } else {
        std::sort(AFirst, ALast, [this](const T& A, const T& B) { return FFunc(A, B) < 0; });
      }
    } else {
      std::sort(AFirst, ALast, [this](const T& A, const T& B) { return FFunc(A, B) < 0; });
    }
  }
  int32_t LowerBound(const T* AItems, int32_t ACount, const T& AItem, bool& AFound) const override {
    if constexpr (std::is_same_v<F, TQLX_DefaultCompare<T>> && !TQLX_DefaultCompare<T>::HasOrder)
      throw std::logic_error("TQLX_List: Elementtyp ohne Ordnung; binäre Suche braucht einen Comparer");
    return QLX_Detail::LowerBound(AItems, ACount, AItem, AFound, FFunc);
  }
  int32_t IndexOf(const T* AItems, int32_t ACount, const T& AValue) const override {
    return QLX_Detail::IndexOf(AItems, ACount, AValue, FFunc);
  }
  int32_t LastIndexOf(const T* AItems, int32_t ACount, const T& AValue) const override {
    return QLX_Detail::LastIndexOf(AItems, ACount, AValue, FFunc);
  }

 private:
  F FFunc;
};

// Shared handle to one comparer (copies share it). Converts from a
// shared_ptr<IComparer<T>>, a std::function (such as TInt32Trio::ComparerGet())
// or any callable (A, B) -> int; an empty one stands for the default order.
template <class T>
class TComparer {
 public:
  using TFunc = std::function<int(const T&, const T&)>;
  using TFuncPtr = int (*)(const T&, const T&);

  TComparer() : FImpl(DefaultImpl()) {}
  TComparer(std::shared_ptr<const IComparer<T>> AImpl) : FImpl(AImpl ? std::move(AImpl) : DefaultImpl()) {}

  template <class F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, TComparer> &&
             !std::is_convertible_v<F, std::shared_ptr<const IComparer<T>>> &&
             std::is_invocable_r_v<int, const std::remove_cvref_t<F>&, const T&, const T&>)
  TComparer(F&& AFunc) : FImpl(FromCallable(std::forward<F>(AFunc))) {}

  static TComparer Default() { return TComparer(); }
  template <class F>
  static TComparer Construct(F&& AFunc) {
    return TComparer(std::forward<F>(AFunc));
  }

  int Compare(const T& A, const T& B) const { return FImpl->Compare(A, B); }
  int operator()(const T& A, const T& B) const { return FImpl->Compare(A, B); }
  const IComparer<T>& operator*() const { return *FImpl; }
  const IComparer<T>* operator->() const { return FImpl.get(); }
  bool IsDefault() const { return FImpl == DefaultImpl(); }
  friend bool operator==(const TComparer& A, const TComparer& B) { return A.FImpl == B.FImpl; }

 private:
  static const std::shared_ptr<const IComparer<T>>& DefaultImpl() {
    static const std::shared_ptr<const IComparer<T>> Impl =
        std::make_shared<TQLX_FuncComparer<T, TQLX_DefaultCompare<T>>>(TQLX_DefaultCompare<T>{});
    return Impl;
  }

  template <class F>
  static std::shared_ptr<const IComparer<T>> FromCallable(F&& AFunc) {
    using D = std::remove_cvref_t<F>;
    if constexpr (std::is_same_v<D, TFunc>) {
      if (!AFunc) return DefaultImpl();
      // A std::function around a plain function: keep the pointer alone, so a
      // comparison is one indirect call instead of two.
      if (const TFuncPtr* Ptr = AFunc.template target<TFuncPtr>())
        return std::make_shared<TQLX_FuncComparer<T, TFuncPtr>>(*Ptr);
      return std::make_shared<TQLX_FuncComparer<T, TFunc>>(std::forward<F>(AFunc));
    } else if constexpr (std::is_pointer_v<D> || std::is_function_v<D>) {
      const TFuncPtr Ptr = AFunc;
      if (!Ptr) return DefaultImpl();
      return std::make_shared<TQLX_FuncComparer<T, TFuncPtr>>(Ptr);
    } else {
      return std::make_shared<TQLX_FuncComparer<T, D>>(std::forward<F>(AFunc));
    }
  }

  std::shared_ptr<const IComparer<T>> FImpl;
};
