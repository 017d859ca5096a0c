#pragma once
// The enumerable base of the list and its enumerator, plus the notification
// kinds a list reports when items come and go.
#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

// Ordinals as the suite's collection notifications; a list uses added,
// extracted and removed.
enum class TCollectionNotification : uint8_t {
  cnAdding = 0,
  cnAdded = 1,
  cnExtracting = 2,
  cnExtracted = 3,
  cnDeleting = 4,
  cnRemoved = 5,
};

template <class T>
class TEnumerator {
 public:
  virtual ~TEnumerator() = default;
  virtual bool MoveNext() = 0;
  virtual T Current() const = 0;
};

template <class T>
class TEnumerable {
 public:
  virtual ~TEnumerable() = default;

  std::unique_ptr<TEnumerator<T>> GetEnumerator() const { return DoGetEnumerator(); }
  virtual std::vector<T> ToArray() const {
    std::vector<T> Result;
    for (auto E = DoGetEnumerator(); E->MoveNext();) Result.push_back(E->Current());
    return Result;
  }

  // Range-based for over any enumerable: drives its enumerator.
  class TIterator {
   public:
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    TIterator() = default;
    explicit TIterator(std::unique_ptr<TEnumerator<T>> AEnum) : FEnum(std::move(AEnum)) { Advance(); }
    T operator*() const { return FEnum->Current(); }
    TIterator& operator++() {
      Advance();
      return *this;
    }
    void operator++(int) { Advance(); }
    friend bool operator==(const TIterator& A, std::default_sentinel_t) { return !A.FEnum; }

   private:
    void Advance() {
      if (FEnum && !FEnum->MoveNext()) FEnum.reset();
    }
    std::unique_ptr<TEnumerator<T>> FEnum;
  };
  TIterator begin() const { return TIterator(DoGetEnumerator()); }
  std::default_sentinel_t end() const { return {}; }

 protected:
  virtual std::unique_ptr<TEnumerator<T>> DoGetEnumerator() const = 0;
};
