#include "support/framework/KWDWork.h"

#include <mutex>

#include "support/framework/KWDLog.h"

namespace {
struct TOffen {
  const void* Objekt = nullptr;
  std::string Name;
  bool Offen = false;
};
std::mutex GMutex;
TOffen GBracket;
}  // namespace

bool WorkStartTry(const void* AObjekt, const std::string& AName, int ASekunden) {
  std::lock_guard Sperre(GMutex);
  if (GBracket.Offen) return false;
  GBracket = {AObjekt, AName, true};
  (void)ASekunden;
  return true;
}

void WorkDone(const void* AObjekt) {
  std::lock_guard Sperre(GMutex);
  if (!GBracket.Offen) return;
  if (GBracket.Objekt != AObjekt) {
    KWDLogSchreiben("WorkDone", "Arbeitsklammer von \"" + GBracket.Name + "\" gehört einem anderen Objekt");
    return;
  }
  GBracket = {};
}

bool Working(const void* AObjekt) {
  std::lock_guard Sperre(GMutex);
  return GBracket.Offen && (AObjekt == nullptr || GBracket.Objekt == AObjekt);
}

std::string WorkName() {
  std::lock_guard Sperre(GMutex);
  return GBracket.Offen ? GBracket.Name : std::string();
}
