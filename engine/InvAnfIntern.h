#pragma once
// Small helpers shared by the engine's source files (not part of its interface).
#include <memory>
#include <stdexcept>
#include <string>

namespace InvAnfIntern {

// The object a lazy creator should have made; a failed creation (already
// registered) ends the calling step instead of dereferencing null.
template <class T>
T& Bereit(const std::unique_ptr<T>& AFeld, const char* AWas) {
  if (!AFeld) throw std::runtime_error(std::string(AWas) + " ist nicht verfügbar");
  return *AFeld;
}

// Stock types whose stock is counted and booked: 1 to 16 and 18.
inline bool BestandsTypGezaehlt(int AOrdinal) { return (AOrdinal >= 1 && AOrdinal <= 16) || AOrdinal == 18; }

// A stock record counts by its figures when A <= B or C != 0.
inline bool BestandZaehlt(int32_t AA, int32_t AB, int32_t AC) { return AA <= AB || AC != 0; }

}  // namespace InvAnfIntern
