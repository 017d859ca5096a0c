#include "app/FirmaSpeicher.h"

#include <QSettings>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "support/framework/KWDDateiErsetzen.h"
#include "support/framework/KWDSettings.h"
#include "support/framework/KWDSystemFehler.h"
#include "widgets/TKWDForm.h"

namespace fs = std::filesystem;

namespace {

// The dialog's group in the stored form settings.
const QString KGruppe = QStringLiteral("OstrelFrmFirmaWahl");
const QString KSchluessel = QStringLiteral("Firmen");

std::vector<std::string> ZeilenLesen(const std::string& APfad) {
  std::vector<std::string> Zeilen;
  std::ifstream Datei(APfad);
  for (std::string Zeile; std::getline(Datei, Zeile);) Zeilen.push_back(Zeile);
  return Zeilen;
}

// The folder of APfad, created for this user where it is missing.
void OrdnerAnlegen(const std::string& APfad) {
  std::error_code Fehler;
  const fs::path Ordner = fs::path(APfad).parent_path();
  if (!Ordner.empty()) fs::create_directories(Ordner, Fehler);
  if (Fehler)
    throw std::runtime_error("Der Ordner \u201E" + Ordner.string() + "\u201C lässt sich nicht anlegen: " +
                             KWDSystemFehlerText(Fehler.value()) + ".");
}

std::string Zusammen(const std::vector<std::string>& AZeilen) {
  std::string Inhalt;
  for (const std::string& Z : AZeilen) Inhalt += Z + "\n";
  return Inhalt;
}

bool IstWwsDbZeile(const std::string& AZeile) {
  const auto Anfang = AZeile.find_first_not_of(" \t");
  if (Anfang == std::string::npos || AZeile.compare(Anfang, 6, "WWS_DB") != 0) return false;
  const auto Gleich = AZeile.find_first_not_of(" \t", Anfang + 6);
  return Gleich != std::string::npos && AZeile[Gleich] == '=';
}

// A field of the password file: ':' and '\' are escaped with '\'.
std::string PgPassFeld(const std::string& AWert) {
  std::string Feld;
  for (const char C : AWert) {
    if (C == ':' || C == '\\') Feld += '\\';
    Feld += C;
  }
  return Feld;
}

}  // namespace

void FirmaEinstellen(const std::string& AOrt) {
  if (AOrt.find_first_of("\r\n") != std::string::npos)
    throw std::runtime_error("Der Ort der Firma enthält einen Zeilenumbruch und lässt sich nicht speichern.");
  const std::string Datei = KWDSettingsFile();
  OrdnerAnlegen(Datei);
  std::vector<std::string> Zeilen = ZeilenLesen(Datei);
  // The first line naming the setting wins when the file is read: that one
  // changes, later ones would never be read and go.
  bool Ersetzt = false;
  std::vector<std::string> Neu;
  for (const std::string& Z : Zeilen) {
    if (!IstWwsDbZeile(Z)) {
      Neu.push_back(Z);
    } else if (!Ersetzt) {
      Neu.push_back("WWS_DB=" + AOrt);
      Ersetzt = true;
    }
  }
  if (!Ersetzt) Neu.push_back("WWS_DB=" + AOrt);
  KWDDateiErsetzen(Datei, Zusammen(Neu));
}

std::vector<std::string> FirmenZuletzt() {
  QSettings S(QString::fromStdString(KWDFormsFile()), QSettings::IniFormat);
  S.beginGroup(KGruppe);
  std::vector<std::string> Liste;
  for (const QString& Ort : S.value(KSchluessel).toStringList())
    if (!Ort.isEmpty() && static_cast<int>(Liste.size()) < KFirmenZuletzt) Liste.push_back(Ort.toStdString());
  return Liste;
}

void FirmaZuletztMerken(const std::string& AOrt) {
  QStringList Liste{QString::fromStdString(AOrt)};
  for (const std::string& Ort : FirmenZuletzt())
    if (Ort != AOrt && Liste.size() < KFirmenZuletzt) Liste << QString::fromStdString(Ort);
  OrdnerAnlegen(KWDFormsFile());
  QSettings S(QString::fromStdString(KWDFormsFile()), QSettings::IniFormat);
  S.beginGroup(KGruppe);
  S.setValue(KSchluessel, Liste);
  S.endGroup();
  S.sync();
  if (S.status() != QSettings::NoError)
    throw std::runtime_error("Die zuletzt benutzten Firmen lassen sich nicht in " + KWDFormsFile() +
                             " speichern.");
}

std::string PgPassDatei() {
  if (const char* Datei = std::getenv("PGPASSFILE"); Datei && *Datei) return Datei;
  const char* Home = std::getenv("HOME");
  return std::string(Home ? Home : ".") + "/.pgpass";
}

void PgPassSpeichern(const TPgZiel& AZiel, const std::string& AKennwort) {
  if ((AKennwort + AZiel.Host + AZiel.Port + AZiel.Datenbank + AZiel.Benutzer).find_first_of("\r\n") !=
      std::string::npos)
    throw std::runtime_error("Kennwort und Verbindungsangaben dürfen keinen Zeilenumbruch enthalten.");
  // libpq compares the host as given; without one it looks for "localhost".
  const std::string Schluessel = PgPassFeld(AZiel.Host.empty() ? "localhost" : AZiel.Host) + ":" +
                                 PgPassFeld(AZiel.Port.empty() ? "5432" : AZiel.Port) + ":" +
                                 PgPassFeld(AZiel.Datenbank) + ":" + PgPassFeld(AZiel.Benutzer) + ":";
  const std::string Datei = PgPassDatei();
  OrdnerAnlegen(Datei);
  std::vector<std::string> Zeilen;
  for (const std::string& Z : ZeilenLesen(Datei))
    if (!Z.starts_with(Schluessel)) Zeilen.push_back(Z);
  Zeilen.push_back(Schluessel + PgPassFeld(AKennwort));
  KWDDateiErsetzen(Datei, Zusammen(Zeilen), 0600);
}
