#include "support/services/Prozessidentitaet.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "support/framework/KWDSettings.h"
#include "support/framework/TKWDProgramm.h"

std::string KWDBenutzer() {
  if (auto Wert = KWDSetting("WWS_USER"); Wert && !Wert->empty()) return *Wert;
  struct passwd Eintrag{};
  struct passwd* Ergebnis = nullptr;
  char Puffer[4096];
  if (getpwuid_r(geteuid(), &Eintrag, Puffer, sizeof Puffer, &Ergebnis) == 0 && Ergebnis) return Eintrag.pw_name;
  return "uid" + std::to_string(geteuid());
}

std::string KWDRechnername() {
  char Name[256] = {};
  if (gethostname(Name, sizeof Name - 1) != 0) return "localhost";
  return Name;
}

std::string KWDTerminalNr() { return KWDSettingOr("WWS_TERMINALNR", "1"); }

std::string KWDProgrammname() {
  if (KWDProgramm().Initialisiert() && !KWDProgramm().Modul().empty()) return KWDProgramm().Modul();
  std::ifstream Datei("/proc/self/comm");
  std::string Name;
  if (std::getline(Datei, Name) && !Name.empty()) return Name;
  return "unbekannt";
}

int64_t KWDProzessStart(int64_t APid) {
  if (APid <= 0) return -1;
  std::ifstream Datei("/proc/" + std::to_string(APid) + "/stat");
  std::string Zeile;
  if (!std::getline(Datei, Zeile)) return -1;
  // The command name in parentheses may hold blanks: count fields after the last ')'.
  auto Klammer = Zeile.rfind(')');
  if (Klammer == std::string::npos) return -1;
  std::istringstream Felder(Zeile.substr(Klammer + 1));
  std::string Feld;
  // Field 3 (state) is the first after ')'; the start time is field 22.
  for (int Nr = 3; Nr <= 22; ++Nr) {
    if (!(Felder >> Feld)) return -1;
    if (Nr == 3 && Feld == "Z") return -1;  // a zombie holds nothing any more
  }
  try {
    return std::stoll(Feld);
  } catch (const std::exception&) {
    return -1;
  }
}

bool KWDProzessLebt(int64_t APid, int64_t AStart) {
  int64_t Start = KWDProzessStart(APid);
  return Start >= 0 && Start == AStart;
}
