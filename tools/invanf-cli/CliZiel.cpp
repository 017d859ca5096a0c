#include "tools/invanf-cli/CliZiel.h"

#include <unistd.h>

#include <filesystem>

#include "support/framework/KWDDateiErsetzen.h"
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
  if (KWDIstDatenbankDatei(Ziel.string())) return CliAbgelehnt(KWDDatenbankDateiText(Ziel.string()));
  // The file is written beside its place and renamed: the folder must take a
  // new file, and a file already there must be one the user may replace.
  if (fs::exists(Ziel, F) && ::access(Ziel.c_str(), W_OK) != 0)
    return CliAbgelehnt("Die Datei " + Ziel.string() + " darf von Ihnen nicht überschrieben werden.");
  if (::access(Ordner.c_str(), W_OK) != 0)
    return CliAbgelehnt("In den Ordner " + Ordner.string() + " dürfen Sie nicht schreiben.");
  return true;
}

bool CliZielePruefen(const std::vector<TCliZiel>& AZiele) {
  namespace fs = std::filesystem;
  for (size_t I = 0; I < AZiele.size(); ++I) {
    if (AZiele[I].Pfad.empty()) continue;
    if (!CliZielPruefen(AZiele[I].Pfad, AZiele[I].Option, AZiele[I].Was)) return false;
    for (size_t J = 0; J < I; ++J) {
      std::error_code F;
      if (!AZiele[J].Pfad.empty() &&
          fs::weakly_canonical(AZiele[J].Pfad, F) == fs::weakly_canonical(AZiele[I].Pfad, F))
        return CliAbgelehnt(std::string(AZiele[J].Option) + " und " + AZiele[I].Option +
                            " nennen dieselbe Datei: bitte verschiedene Dateinamen angeben.");
    }
  }
  return true;
}
