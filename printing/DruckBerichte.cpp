#include "printing/DruckBerichte.h"

#include <mutex>

#include "printing/BerichtInventurliste.h"
#include "printing/BerichtZaehlliste.h"

void DruckBerichteRegistrieren() {
  static std::once_flag Einmal;
  std::call_once(Einmal, [] {
    KWDBerichtArtRegistrieren("Zaehlliste", [] { return std::make_unique<TBerichtZaehlliste>(); });
    KWDBerichtArtRegistrieren("Inventurliste", [] { return std::make_unique<TBerichtInventurliste>(); });
  });
}
