#pragma once
// Failures that end the work in hand rather than the one item being worked
// on (the database as a whole failed): see KWDGuard.h for what guards do with them.
#include <exception>

// Mixed into exceptions that can say whether they end the work.
class TKWDAusfall {
 public:
  virtual ~TKWDAusfall() = default;
  virtual bool EndetArbeit() const noexcept = 0;
};

// True when AE ends the work (a TKWDAusfall that says so).
bool KWDEndetArbeit(const std::exception& AE) noexcept;
