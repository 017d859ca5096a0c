#include "support/framework/KWDUhr.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <mutex>

#include "support/framework/KWDSettings.h"

namespace {
std::mutex GMutex;
TKWDUhr GUhr;

TDateTime EchteZeit() {
  const std::time_t Jetzt = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm T{};
  localtime_r(&Jetzt, &T);
  TDateTime Wert = EncodeDate(T.tm_year + 1900, T.tm_mon + 1, T.tm_mday) + EncodeTime(T.tm_hour, T.tm_min, T.tm_sec);
  if (const auto Fest = KWDHeuteFest()) Wert = *Fest + (Wert - std::floor(Wert));
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

std::optional<TDate> KWDHeuteFest() {
  const auto Text = KWDSetting("WWS_TODAY");
  if (!Text || Text->empty()) return std::nullopt;
  TDate Datum = 0;
  if (!TryParseDatum(*Text, Datum))
    throw EKWDEinstellung("Die Einstellung WWS_TODAY (\u201E" + *Text +
                          "\u201C) ist kein gültiges Datum (erwartet JJJJ-MM-TT); bitte korrigieren oder entfernen.");
  if (YearOf(Datum) < 1900 || YearOf(Datum) > 9998)
    throw EKWDEinstellung("Die Einstellung WWS_TODAY (\u201E" + *Text +
                          "\u201C) liegt außerhalb der Daten, mit denen das Programm rechnet (01.01.1900 bis "
                          "31.12.9998).");
  return Datum;
}

TKWDUhr KWDUhrSet(TKWDUhr AUhr) {
  std::lock_guard Sperre(GMutex);
  auto Alt = std::move(GUhr);
  GUhr = std::move(AUhr);
  return Alt;
}
