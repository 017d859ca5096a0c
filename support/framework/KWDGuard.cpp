#include "support/framework/KWDGuard.h"

#include "support/framework/TKWDInfo.h"

namespace {
// Guards running on this thread since the last boundary.
thread_local int GTiefe = 0;
}  // namespace

bool KWDEndetArbeit(const std::exception& AE) noexcept {
  const auto* Ausfall = dynamic_cast<const TKWDAusfall*>(&AE);
  return Ausfall && Ausfall->EndetArbeit();
}

TKWDGuardEbene::TKWDGuardEbene() noexcept : FInnen(GTiefe > 0) { ++GTiefe; }
TKWDGuardEbene::~TKWDGuardEbene() { --GTiefe; }

bool TKWDGuardEbene::Weiterreichen(const std::exception& AE) const noexcept {
  return FInnen && std::uncaught_exceptions() == 0 && KWDEndetArbeit(AE);
}

TKWDGuardGrenze::TKWDGuardGrenze() noexcept : FTiefe(GTiefe) { GTiefe = 0; }
TKWDGuardGrenze::~TKWDGuardGrenze() { GTiefe = FTiefe; }

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
