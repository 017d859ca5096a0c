#include "support/framework/KWDGuard.h"

#include "support/framework/TKWDInfo.h"

void KWDGuardRegistrieren(const char* AName, const std::exception& AE, bool AReport) noexcept {
  KWDInfo().RegisterException(AName ? AName : "", AE, AReport);
}

void KWDZerstoeren(const char* AName, std::initializer_list<std::function<void()>> ASchritte) noexcept {
  for (const auto& Schritt : ASchritte) {
    try {
      if (Schritt) KWDGuardStill(AName, Schritt);
    } catch (...) {
      // A non-std exception must not leave a destructor either.
      KWDInfo().RegisterException(AName, std::string("Unbekannter Fehler beim Freigeben"), false);
    }
  }
  KWDInfo().FehlerTerminate(AName);
}
