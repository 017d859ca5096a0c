#pragma once
// The suite's product id (three signed 32-bit integers) and its relatives.
#include <compare>
#include <cstdint>
#include <functional>
#include <string>

struct TInt32Trio {
  int32_t I1 = 0;
  int32_t I2 = 0;
  int32_t I3 = 0;

  static TInt32Trio Construct(int32_t A1, int32_t A2, int32_t A3) { return {A1, A2, A3}; }
  void Clear() { I1 = I2 = I3 = 0; }
  bool IsEmpty() const { return I1 == 0 && I2 == 0 && I3 == 0; }
  // Lexicographic by I1, I2, I3: a total order that agrees with ==.
  static int Compare(const TInt32Trio& A, const TInt32Trio& B) {
    if (A.I1 != B.I1) return A.I1 < B.I1 ? -1 : 1;
    if (A.I2 != B.I2) return A.I2 < B.I2 ? -1 : 1;
    if (A.I3 != B.I3) return A.I3 < B.I3 ? -1 : 1;
    return 0;
  }
  // A comparer for TQLX_List: callable (a, b) -> int.
  static std::function<int(const TInt32Trio&, const TInt32Trio&)> ComparerGet() { return &Compare; }
  std::string ToString() const;  // "I1.I2.I3", for logs and messages
  friend bool operator==(const TInt32Trio&, const TInt32Trio&) = default;
  friend auto operator<=>(const TInt32Trio&, const TInt32Trio&) = default;
};

struct TInt32Quad {
  int32_t I1 = 0;
  int32_t I2 = 0;
  int32_t I3 = 0;
  int32_t I4 = 0;
  static TInt32Quad Construct(int32_t A1, int32_t A2, int32_t A3, int32_t A4) { return {A1, A2, A3, A4}; }
  friend bool operator==(const TInt32Quad&, const TInt32Quad&) = default;
  friend auto operator<=>(const TInt32Quad&, const TInt32Quad&) = default;
};

// Two integers, e.g. a supplier's partner key.
struct TIntPair {
  int32_t I1 = 0;
  int32_t I2 = 0;
  friend bool operator==(const TIntPair&, const TIntPair&) = default;
  friend auto operator<=>(const TIntPair&, const TIntPair&) = default;
};
