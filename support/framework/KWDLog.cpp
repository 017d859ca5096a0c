#include "support/framework/KWDLog.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <mutex>

#include "support/framework/KWDSettings.h"

std::string KWDLogDatei() {
  if (auto Datei = KWDSetting("WWS_LOG"); Datei && !Datei->empty()) return *Datei;
  return KWDXdgPfad("XDG_STATE_HOME", ".local/state", "wws/wws.log");
}

namespace {
std::string Zeitstempel() {
  const std::time_t Jetzt = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm Teile{};
  localtime_r(&Jetzt, &Teile);
  char Puffer[32];
  std::strftime(Puffer, sizeof Puffer, "%Y-%m-%d %H:%M:%S", &Teile);
  return Puffer;
}

std::string EineZeile(std::string AText) {
  for (char& C : AText)
    if (C == '\n' || C == '\r' || C == '\t') C = ' ';
  return AText;
}
}  // namespace

bool KWDLogSchreiben(const std::string& AName, const std::string& AText) noexcept {
  static std::mutex Mutex;
  try {
    std::lock_guard Sperre(Mutex);
    const std::filesystem::path Datei = KWDLogDatei();
    std::error_code Fehler;
    if (Datei.has_parent_path()) std::filesystem::create_directories(Datei.parent_path(), Fehler);
    // One write of the whole line in append mode, so lines of several programs
    // sharing the log do not interleave.
    const std::string Zeile = Zeitstempel() + "\t" + EineZeile(AName) + "\t" + EineZeile(AText) + "\n";
    std::FILE* F = std::fopen(Datei.c_str(), "a");
    if (!F) return false;
    const bool Ok = std::fwrite(Zeile.data(), 1, Zeile.size(), F) == Zeile.size();
    return std::fclose(F) == 0 && Ok;
  } catch (...) {
    return false;
  }
}
