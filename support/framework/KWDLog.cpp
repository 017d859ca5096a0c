#include "support/framework/KWDLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <mutex>

#include "support/framework/EKWDSatzFehler.h"
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
  // The log stays open between lines (services log once per article); it is
  // opened again when the setting names another file or the file was removed.
  static std::mutex Mutex;
  static std::string OffenerPfad;
  static int Offen = -1;
  try {
    std::lock_guard Sperre(Mutex);
    const std::string Pfad = KWDLogDatei();
    struct stat Stand {};
    if (Offen >= 0 && (Pfad != OffenerPfad || fstat(Offen, &Stand) != 0 || Stand.st_nlink == 0)) {
      ::close(Offen);
      Offen = -1;
    }
    if (Offen < 0) {
      const std::filesystem::path Datei = Pfad;
      std::error_code Fehler;
      if (Datei.has_parent_path()) std::filesystem::create_directories(Datei.parent_path(), Fehler);
      Offen = ::open(Datei.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
      if (Offen < 0) return false;
      OffenerPfad = Pfad;
    }
    // One write(2) of the whole line with O_APPEND, so lines of several
    // programs sharing the log never interleave.
    const std::string Zeile = Zeitstempel() + "\t" + EineZeile(AName) + "\t" + EineZeile(AText) + "\n";
    return ::write(Offen, Zeile.data(), Zeile.size()) == static_cast<ssize_t>(Zeile.size());
  } catch (...) {
    return false;
  }
}

bool KWDLogSchreiben(const std::string& AName, const std::exception& AE) noexcept {
  try {
    return KWDLogSchreiben(AName, KWDFehlerLogText(KWDFehlerTeile(AE)));
  } catch (...) {
    return false;
  }
}
