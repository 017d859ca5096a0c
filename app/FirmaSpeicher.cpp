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

// The four fields libpq compares, as it compares them.
std::vector<std::string> PgPassSchluessel(const TPgZiel& AZiel) {
  // Without a host, or in the socket folder libpq was built with (Debian's),
  // libpq looks for "localhost".
  const bool Lokal = AZiel.Host.empty() || AZiel.Host == "/var/run/postgresql";
  return {Lokal ? "localhost" : AZiel.Host, AZiel.Port.empty() ? "5432" : AZiel.Port, AZiel.Datenbank,
          AZiel.Benutzer};
}

// A line libpq would use for AZiel: its first four fields, split at ':'
// without a '\' before it, are "*" or the value itself.
bool PgPassPasst(const std::string& AZeile, const std::vector<std::string>& ASchluessel) {
  if (AZeile.empty() || AZeile.front() == '#') return false;
  size_t Pos = 0;
  for (const std::string& Wert : ASchluessel) {
    std::string Roh, Klar;
    for (; Pos < AZeile.size() && AZeile[Pos] != ':'; ++Pos) {
      if (AZeile[Pos] == '\\' && Pos + 1 < AZeile.size()) Roh += AZeile[Pos++];
      Roh += AZeile[Pos];
      Klar += AZeile[Pos];
    }
    if (Pos++ >= AZeile.size() || (Roh != "*" && Klar != Wert)) return false;
  }
  return true;
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

namespace {
// AOrt first (unless empty), then the others of the list but AWeg.
void ListeSchreiben(const std::string& AOrt, const std::string& AWeg) {
  QStringList Liste;
  if (!AOrt.empty()) Liste << QString::fromStdString(AOrt);
  for (const std::string& Ort : FirmenZuletzt())
    if (Ort != AOrt && Ort != AWeg && Liste.size() < KFirmenZuletzt) Liste << QString::fromStdString(Ort);
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
}  // namespace

void FirmaZuletztMerken(const std::string& AOrt) { ListeSchreiben(AOrt, {}); }

void FirmaZuletztEntfernen(const std::string& AOrt) { ListeSchreiben({}, AOrt); }

std::string PgPassDatei() {
  if (const char* Datei = std::getenv("PGPASSFILE"); Datei && *Datei) return Datei;
  const char* Home = std::getenv("HOME");
  return std::string(Home ? Home : ".") + "/.pgpass";
}

void PgPassSpeichern(const TPgZiel& AZiel, const std::string& AKennwort) {
  if ((AKennwort + AZiel.Host + AZiel.Port + AZiel.Datenbank + AZiel.Benutzer).find_first_of("\r\n") !=
      std::string::npos)
    throw std::runtime_error("Kennwort und Verbindungsangaben dürfen keinen Zeilenumbruch enthalten.");
  std::string Schluessel;
  for (const std::string& Feld : PgPassSchluessel(AZiel)) Schluessel += PgPassFeld(Feld) + ":";
  const std::string Datei = PgPassDatei();
  OrdnerAnlegen(Datei);
  std::vector<std::string> Zeilen;
  for (const std::string& Z : ZeilenLesen(Datei))
    if (!Z.starts_with(Schluessel)) Zeilen.push_back(Z);
  Zeilen.push_back(Schluessel + PgPassFeld(AKennwort));
  KWDDateiErsetzen(Datei, Zusammen(Zeilen), 0600);
}

bool PgPassGespeichert(const TPgZiel& AZiel) {
  const auto Schluessel = PgPassSchluessel(AZiel);
  for (const std::string& Z : ZeilenLesen(PgPassDatei()))
    if (PgPassPasst(Z, Schluessel)) return true;
  return false;
}

int PgPassEntfernen(const TPgZiel& AZiel) {
  const std::string Datei = PgPassDatei();
  const auto Schluessel = PgPassSchluessel(AZiel);
  const std::vector<std::string> Zeilen = ZeilenLesen(Datei);
  std::vector<std::string> Bleiben;
  for (const std::string& Z : Zeilen)
    if (!PgPassPasst(Z, Schluessel)) Bleiben.push_back(Z);
  const int Weg = static_cast<int>(Zeilen.size() - Bleiben.size());
  if (Weg > 0) KWDDateiErsetzen(Datei, Zusammen(Bleiben), 0600);
  return Weg;
}

std::string PgPassAnzeige() {
  const std::string Datei = PgPassDatei();
  const char* Home = std::getenv("HOME");
  const std::string Heim = Home && *Home ? std::string(Home) + "/" : std::string();
  return !Heim.empty() && Datei.starts_with(Heim) ? "~/" + Datei.substr(Heim.size()) : Datei;
}
