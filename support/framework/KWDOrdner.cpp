#include "support/framework/KWDOrdner.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "support/framework/KWDSettings.h"
#include "support/framework/KWDSystemFehler.h"

// Numbers are the suite's folder numbers; programs pass them, so they never move.
const char* const C_KWDFolder_Value[KWD_ORDNER_ANZAHL] = {
    "",           "Programme", "Hilfe",    "Temp",    "Export",  "Import",  "Sicherung", "Protokolle",
    "Kassen",     "Etiketten", "Formulare", "Bilder", "Vorlagen", "Archiv", "Belege",    "Statistik",
    "Schnittstellen", "Updates", "Skripte", "Layout", "Listen",  "Berichte", "Benutzer", "Einstellungen"};

namespace {

// Where the root comes from, for a message that names the setting to correct.
std::string RootHerkunft() {
  if (auto Root = KWDSetting("WWS_HOME"); Root && !Root->empty()) return "Einstellung WWS_HOME";
  if (const char* Xdg = std::getenv("XDG_DATA_HOME"); Xdg && *Xdg) return "Umgebungsvariable XDG_DATA_HOME";
  return "Umgebungsvariable HOME";
}

}  // namespace

std::string KWDWwsRoot() {
  if (auto Root = KWDSetting("WWS_HOME"); Root && !Root->empty()) return *Root;
  return KWDXdgPfad("XDG_DATA_HOME", ".local/share", "wws");
}

namespace {
bool VerlaesstOrdner(const std::filesystem::path& AName) {
  for (const auto& Teil : AName)
    if (Teil == "..") return true;
  return AName.is_absolute();
}
}  // namespace

std::string GetDirWwsByName(const std::string& AOrdner, const std::string& ADatei, bool AAnlegen) {
  if (AOrdner.find('/') != std::string::npos || AOrdner == "." || AOrdner == "..")
    throw std::invalid_argument("Ungültiger Ordnername: \"" + AOrdner + "\"");
  if (VerlaesstOrdner(ADatei)) throw std::invalid_argument("Ungültiger Dateiname: \"" + ADatei + "\"");
  std::filesystem::path Ordner = KWDWwsRoot();
  if (!AOrdner.empty()) Ordner /= AOrdner;
  if (AAnlegen) {
    std::error_code F;
    std::filesystem::create_directories(Ordner, F);
    if (F)
      throw std::runtime_error("Der Ordner \u201E" + Ordner.string() + "\u201C lässt sich nicht anlegen: " +
                               KWDSystemFehlerText(F.value()) + " (" + RootHerkunft() + ").");
  }
  return ADatei.empty() ? Ordner.string() : (Ordner / ADatei).string();
}

std::string GetDirWwsByName(int AOrdnerNr, const std::string& ADatei, bool AAnlegen) {
  if (AOrdnerNr < 0 || AOrdnerNr >= KWD_ORDNER_ANZAHL)
    throw std::out_of_range("Unbekannte Ordnernummer: " + std::to_string(AOrdnerNr));
  return GetDirWwsByName(std::string(C_KWDFolder_Value[AOrdnerNr]), ADatei, AAnlegen);
}
