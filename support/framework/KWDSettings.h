#pragma once
// Suite settings: the environment first, else the suite config file
// (~/.config/wws/wws.ini, lines "NAME=value"; '#' starts a comment line).
#include <optional>
#include <stdexcept>
#include <string>

// A setting whose value the program cannot work with. what() is one German
// sentence that names the setting; the program refuses to start with it
// rather than guess another value.
class EKWDEinstellung : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::optional<std::string> KWDSetting(const std::string& AName);
std::string KWDSettingOr(const std::string& AName, const std::string& ADefault);
// Path of the suite config file ($XDG_CONFIG_HOME or ~/.config, then wws/wws.ini).
std::string KWDSettingsFile();
// $AXdgVariable/ARest when that variable is set, else ~/AHomeOrdner/ARest
// (the XDG base-directory rule for the suite's config, state and data).
std::string KWDXdgPfad(const char* AXdgVariable, const char* AHomeOrdner, const std::string& ARest);
