#include "support/framework/KWDSettings.h"

#include <cstdlib>
#include <fstream>

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

std::optional<std::string> KWDSetting(const std::string& AName) {
  if (const char* Wert = std::getenv(AName.c_str())) return std::string(Wert);
  std::ifstream Datei(KWDSettingsFile());
  std::string Zeile;
  while (std::getline(Datei, Zeile)) {
    Zeile = Trim(Zeile);
    if (Zeile.empty() || Zeile[0] == '#' || Zeile[0] == ';' || Zeile[0] == '[') continue;
    const auto Gleich = Zeile.find('=');
    if (Gleich != std::string::npos && Trim(Zeile.substr(0, Gleich)) == AName) return Trim(Zeile.substr(Gleich + 1));
  }
  return std::nullopt;
}

std::string KWDSettingOr(const std::string& AName, const std::string& ADefault) {
  return KWDSetting(AName).value_or(ADefault);
}
