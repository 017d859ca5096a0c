#include "printing/DruckLayouts.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "printing/DruckLayoutsText.h"
#include "support/framework/KWDDateiErsetzen.h"
#include "support/framework/KWDOrdner.h"

std::vector<std::string> DruckLayoutsMitgeliefert() {
  std::vector<std::string> Namen;
  for (const TDruckLayoutText& L : DruckLayoutTexte()) Namen.emplace_back(L.Name);
  std::sort(Namen.begin(), Namen.end());
  return Namen;
}

int DruckLayoutsInstallieren() {
  int Geschrieben = 0;
  for (const TDruckLayoutText& L : DruckLayoutTexte()) {
    const std::string Ziel = GetDirWwsByName(KWD_ORDNER_LAYOUT, std::string(L.Name), true);
    std::error_code F;
    if (std::filesystem::exists(std::filesystem::symlink_status(Ziel, F))) continue;
    // Another program starting at the same time never reads half a layout.
    KWDDateiErsetzen(Ziel, std::string(L.Text));
    ++Geschrieben;
  }
  return Geschrieben;
}
