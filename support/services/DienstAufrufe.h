#pragma once
// A recording seam for tests: the common lock and the booking name each of
// their public steps here as it is called, so a test can pin the order in
// which a caller uses them. Unset (the default) it costs one test per call.
#include <functional>
#include <string_view>

using TDienstAufrufe = std::function<void(std::string_view)>;
inline TDienstAufrufe GDienstAufrufe;

inline void DienstAufruf(std::string_view AName) {
  if (GDienstAufrufe) GDienstAufrufe(AName);
}
