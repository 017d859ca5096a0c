#include "support/framework/KWDSettings.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <mutex>

namespace {
std::string Trim(const std::string& S) {
  const auto B = S.find_first_not_of(" \t\r");
  if (B == std::string::npos) return {};
  const auto E = S.find_last_not_of(" \t\r");
  return S.substr(B, E - B + 1);
}
}  // namespace

std::string KWDXdgPfad(const char* AXdgVariable, const char* AHomeOrdner, const std::string& ARest) {
  if (const char* Xdg = std::getenv(AXdgVariable); Xdg && *Xdg) return std::string(Xdg) + "/" + ARest;
  const char* Home = std::getenv("HOME");
  return std::string(Home ? Home : ".") + "/" + AHomeOrdner + "/" + ARest;
}

std::string KWDSettingsFile() { return KWDXdgPfad("XDG_CONFIG_HOME", ".config", "wws/wws.ini"); }

namespace {
// The config file's settings, read again only when the file changed (path,
// size or modification time), so a setting asked for every log line costs
// one stat, not a file read. The first line naming a setting wins.
std::optional<std::string> IniWert(const std::string& APfad, const std::string& AName) {
  static std::mutex Mutex;
  static std::string Pfad;
  static struct stat Stand {};
  static bool Gelesen = false;
  static std::map<std::string, std::string> Werte;
  std::lock_guard Sperre(Mutex);
  struct stat Jetzt {};
  if (stat(APfad.c_str(), &Jetzt) != 0) Jetzt = {};
  const bool Aktuell = Gelesen && Pfad == APfad && Jetzt.st_size == Stand.st_size && Jetzt.st_ino == Stand.st_ino &&
                       Jetzt.st_mtim.tv_sec == Stand.st_mtim.tv_sec && Jetzt.st_mtim.tv_nsec == Stand.st_mtim.tv_nsec;
  if (!Aktuell) {
    Werte.clear();
    std::ifstream Datei(APfad);
    std::string Zeile;
    while (std::getline(Datei, Zeile)) {
      Zeile = Trim(Zeile);
      if (Zeile.empty() || Zeile[0] == '#' || Zeile[0] == ';' || Zeile[0] == '[') continue;
      const auto Gleich = Zeile.find('=');
      if (Gleich != std::string::npos) Werte.emplace(Trim(Zeile.substr(0, Gleich)), Trim(Zeile.substr(Gleich + 1)));
    }
    Pfad = APfad;
    Stand = Jetzt;
    Gelesen = true;
  }
  if (auto It = Werte.find(AName); It != Werte.end()) return It->second;
  return std::nullopt;
}
}  // namespace

std::optional<std::string> KWDSetting(const std::string& AName) {
  if (const char* Wert = std::getenv(AName.c_str())) return std::string(Wert);
  return IniWert(KWDSettingsFile(), AName);
}

std::string KWDSettingOr(const std::string& AName, const std::string& ADefault) {
  return KWDSetting(AName).value_or(ADefault);
}
