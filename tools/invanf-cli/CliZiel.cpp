#include "tools/invanf-cli/CliZiel.h"

#include <unistd.h>

#include <filesystem>

#include "tools/invanf-cli/CliPruefen.h"

bool CliZielPruefen(const std::string& APfad, const std::string& AOption, const std::string& AWas) {
  namespace fs = std::filesystem;
  if (APfad.empty()) return CliAbgelehnt("Bitte mit " + AOption + " " + AWas + " angeben.");
  const fs::path Ziel = fs::absolute(APfad);
  const fs::path Ordner = Ziel.parent_path();
  std::error_code F;
  if (!fs::is_directory(Ordner, F)) return CliAbgelehnt("Den Ordner " + Ordner.string() + " für " + AWas + " gibt es nicht.");
  if (fs::is_directory(Ziel, F))
    return CliAbgelehnt(Ziel.string() + " ist ein Ordner: bitte mit " + AOption + " einen Dateinamen angeben.");
  if (fs::exists(Ziel, F) && !fs::is_regular_file(Ziel, F))
    return CliAbgelehnt(Ziel.string() + " ist keine gewöhnliche Datei; " + AWas + " kann dort nicht entstehen.");
  // The file is written beside its place and renamed: the folder must take a
  // new file, and a file already there must be one the user may replace.
  if (fs::exists(Ziel, F) && ::access(Ziel.c_str(), W_OK) != 0)
    return CliAbgelehnt("Die Datei " + Ziel.string() + " darf von Ihnen nicht überschrieben werden.");
  if (::access(Ordner.c_str(), W_OK) != 0)
    return CliAbgelehnt("In den Ordner " + Ordner.string() + " dürfen Sie nicht schreiben.");
  return true;
}
