#include "suite/TKWDLayoutDatei.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/framework/KWDDateiErsetzen.h"

namespace {

std::string Getrimmt(const std::string& AText) {
  const auto Anfang = AText.find_first_not_of(" \t\r\n");
  if (Anfang == std::string::npos) return {};
  const auto Ende = AText.find_last_not_of(" \t\r\n");
  return AText.substr(Anfang, Ende - Anfang + 1);
}

std::string Klein(std::string AText) {
  std::transform(AText.begin(), AText.end(), AText.begin(),
                 [](unsigned char Z) { return static_cast<char>(std::tolower(Z)); });
  return AText;
}

bool Ja(const std::string& AWert) {
  const std::string W = Klein(AWert);
  return W == "j" || W == "ja" || W == "1" || W == "true" || W == "y";
}

std::string Zitat(const std::string& AName) { return "\u201E" + AName + "\u201C"; }

}  // namespace

bool KWDLayoutParameterName(const std::string& AName) {
  return !AName.empty() && std::all_of(AName.begin(), AName.end(), [](unsigned char Z) {
    return std::isalnum(Z) || Z == '_';
  });
}

bool KWDLayoutParameterZeile(const std::string& AZeile, std::string& AName, std::string& AWert) {
  const auto Gleich = AZeile.find('=');
  if (Gleich == std::string::npos) return false;
  std::string Name = Getrimmt(AZeile.substr(0, Gleich));
  if (!KWDLayoutParameterName(Name)) return false;
  AName = std::move(Name);
  AWert = Getrimmt(AZeile.substr(Gleich + 1));
  return true;
}

TKWDLayoutDatei TKWDLayoutDatei::AusText(const std::string& AText, const std::string& AName) {
  TKWDLayoutDatei L;
  enum class TAbschnitt { Keiner, Layout, Parameter } Abschnitt = TAbschnitt::Keiner;
  std::istringstream Ein(AText.rfind("\xEF\xBB\xBF", 0) == 0 ? AText.substr(3) : AText);
  std::string Zeile;
  int Nr = 0;
  auto Fehler = [&](const std::string& AWas) {
    throw std::runtime_error("Zeile " + std::to_string(Nr) + " der Layoutdatei " + Zitat(AName) + " " + AWas);
  };
  while (std::getline(Ein, Zeile)) {
    ++Nr;
    const std::string T = Getrimmt(Zeile);
    if (T.empty() || T[0] == '#' || T[0] == ';') continue;
    if (T.front() == '[' && T.back() == ']') {
      const std::string Name = Klein(Getrimmt(T.substr(1, T.size() - 2)));
      if (Name == "layout")
        Abschnitt = TAbschnitt::Layout;
      else if (Name == "parameter")
        Abschnitt = TAbschnitt::Parameter;
      else
        Fehler("nennt einen unbekannten Abschnitt " + T + ".");
      continue;
    }
    std::string Name, Wert;
    if (Abschnitt == TAbschnitt::Keiner) Fehler("steht vor dem Abschnitt [Layout].");
    if (Abschnitt == TAbschnitt::Parameter) {
      if (!KWDLayoutParameterZeile(T, Name, Wert))
        Fehler("ist kein Parameter Name=Wert (der Name aus Buchstaben, Ziffern und _).");
      L.Parameter.emplace_back(std::move(Name), std::move(Wert));
      L.ParameterZeilenNr.push_back(Nr);
      continue;
    }
    const auto Gleich = T.find('=');
    if (Gleich == std::string::npos) Fehler("ist kein Eintrag Name=Wert.");
    Name = Klein(Getrimmt(T.substr(0, Gleich)));
    Wert = Getrimmt(T.substr(Gleich + 1));
    if (Name == "titel")
      L.Titel = Wert;
    else if (Name == "bericht")
      L.Bericht = Wert;
    else if (Name == "beschreibung")
      L.Beschreibung = Wert;
    else if (Name == "geschuetzt")
      L.Geschuetzt = Ja(Wert);
  }
  if (L.Bericht.empty())
    throw std::runtime_error("Die Layoutdatei " + Zitat(AName) + " nennt keinen Bericht (Bericht=... unter [Layout]).");
  return L;
}

TKWDLayoutDatei TKWDLayoutDatei::Lesen(const std::string& APfad) {
  const std::string Name = std::filesystem::path(APfad).filename().string();
  std::error_code F;
  if (!std::filesystem::is_regular_file(APfad, F))
    throw std::runtime_error("Die Layoutdatei " + Zitat(APfad) + " gibt es nicht.");
  std::ifstream Datei(APfad, std::ios::binary);
  if (!Datei) throw std::runtime_error("Die Layoutdatei " + Zitat(APfad) + " kann nicht gelesen werden.");
  // A layout is a few lines; reading at most one byte past the limit keeps a
  // huge file that landed in the folder from stalling the dialog or the report.
  std::string Inhalt(KMaxGroesse + 1, '\0');
  Datei.read(Inhalt.data(), static_cast<std::streamsize>(Inhalt.size()));
  Inhalt.resize(static_cast<size_t>(Datei.gcount()));
  if (Inhalt.size() > KMaxGroesse)
    throw std::runtime_error("Die Layoutdatei " + Zitat(Name) + " ist zu groß für ein Layout (höchstens " +
                             std::to_string(KMaxGroesse / 1024) + " KB).");
  return AusText(Inhalt, Name);
}

std::string TKWDLayoutDatei::AlsText() const {
  std::ostringstream A;
  A << "# Layout des Berichtsbetrachters (siehe README: Layoutdateien)\n";
  A << "[Layout]\n";
  A << "Titel=" << Titel << "\n";
  A << "Bericht=" << Bericht << "\n";
  if (!Beschreibung.empty()) A << "Beschreibung=" << Beschreibung << "\n";
  if (Geschuetzt) A << "Geschuetzt=J\n";
  A << "[Parameter]\n";
  for (const auto& [Name, Wert] : Parameter) A << Name << "=" << Wert << "\n";
  return A.str();
}

void TKWDLayoutDatei::Schreiben(const std::string& APfad) const { KWDDateiErsetzen(APfad, AlsText()); }

int TKWDLayoutDatei::ZeileVon(const std::string& AName) const {
  for (size_t I = Parameter.size(); I-- > 0;)
    if (Parameter[I].first == AName) return I < ParameterZeilenNr.size() ? ParameterZeilenNr[I] : 0;
  return 0;
}

std::vector<std::string> TKWDLayoutDatei::ParameterZeilen() const {
  std::vector<std::string> Zeilen;
  for (const auto& [Name, Wert] : Parameter) Zeilen.push_back(Name + "=" + Wert);
  return Zeilen;
}

bool TKWDLayoutDatei::ParameterZeilenSetzen(const std::vector<std::string>& AZeilen, int& AFehlerZeile) {
  std::vector<std::pair<std::string, std::string>> Neu;
  for (size_t I = 0; I < AZeilen.size(); ++I) {
    if (Getrimmt(AZeilen[I]).empty()) continue;
    std::string Name, Wert;
    if (!KWDLayoutParameterZeile(AZeilen[I], Name, Wert)) {
      AFehlerZeile = static_cast<int>(I) + 1;
      return false;
    }
    Neu.emplace_back(std::move(Name), std::move(Wert));
  }
  Parameter = std::move(Neu);
  ParameterZeilenNr.clear();
  return true;
}
