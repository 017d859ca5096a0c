#include "support/framework/KWDUhr.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <mutex>

#include "support/framework/KWDLog.h"
#include "support/framework/KWDSettings.h"

namespace {
std::mutex GMutex;
TKWDUhr GUhr;

TDateTime EchteZeit() {
  const std::time_t Jetzt = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm T{};
  localtime_r(&Jetzt, &T);
  TDateTime Wert = EncodeDate(T.tm_year + 1900, T.tm_mon + 1, T.tm_mday) + EncodeTime(T.tm_hour, T.tm_min, T.tm_sec);
  if (auto Heute = KWDSetting("WWS_TODAY"); Heute && !Heute->empty()) {
    TDate Fest = 0;
    if (TryParseDatum(*Heute, Fest))
      Wert = Fest + (Wert - std::floor(Wert));
    else
      KWDLogSchreiben("kwd_Date", "WWS_TODAY ist kein gültiges Datum (JJJJ-MM-TT): " + *Heute);
  }
  return Wert;
}
}  // namespace

TDateTime kwd_Now() {
  TKWDUhr Uhr;
  {
    std::lock_guard Sperre(GMutex);
    Uhr = GUhr;
  }
  return Uhr ? Uhr() : EchteZeit();
}

TDate kwd_Date() { return DateOf(kwd_Now()); }

TKWDUhr KWDUhrSet(TKWDUhr AUhr) {
  std::lock_guard Sperre(GMutex);
  auto Alt = std::move(GUhr);
  GUhr = std::move(AUhr);
  return Alt;
}
