#include "support/framework/KWDGuard.h"

#include "support/framework/TKWDInfo.h"

void KWDGuardRegistrieren(std::string_view AName, const std::exception& AE, bool AReport) noexcept {
  try {
    KWDInfo().RegisterException(std::string(AName), AE, AReport);
  } catch (...) {
    // No memory left for the name: the error cannot be recorded.
  }
}

void KWDZerstoeren(std::string_view AName, std::initializer_list<std::function<void()>> ASchritte) noexcept {
  for (const auto& Schritt : ASchritte) {
    try {
      if (Schritt) KWDGuardStill(AName, Schritt);
    } catch (...) {
      // A non-std exception must not leave a destructor either.
      try {
        KWDInfo().RegisterException(std::string(AName), std::string("Unbekannter Fehler beim Freigeben"), false);
      } catch (...) {
      }
    }
  }
  try {
    KWDInfo().FehlerTerminate(std::string(AName));
  } catch (...) {
  }
}
