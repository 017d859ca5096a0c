#include "support/framework/TKWDProgramm.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "support/framework/KWDEinstellungen.h"
#include "support/framework/KWDLog.h"
#include "support/framework/KWDSettings.h"
#include "support/framework/TKWDInfo.h"

void TKWDProgramm::Init(const std::string& AModul, int AProzessTyp, int AInstanzen, int, bool) {
  FModul = AModul;
  FProzessTyp = AProzessTyp;
  FInstanzen = AInstanzen;
  FInitialisiert = true;
  KWDLogSchreiben(AModul + ".Init", "Programm gestartet, Prozess " + ProzessIdFormated());
  KWDEinstellungenPruefen();
}

void TKWDProgramm::ShowException(const std::exception& AE, bool AFlag) noexcept {
  const std::string Name = (FModul.empty() ? std::string("Programm") : FModul) + ".ShowException";
  try {
    const TKWDFehlerTeile Teile = KWDFehlerTeile(AE);
    KWDLogSchreiben(Name, std::string(AFlag ? "Schwerer Fehler: " : "") + KWDFehlerLogText(Teile));
    const auto* Registriert = dynamic_cast<const EKWDFehler*>(&AE);
    if (Registriert && Registriert->Gemeldet()) return;
    TKWDMeldung M;
    M.Gruppe = "FEHLER";
    M.Text = Teile.Satz;
    M.Details = Registriert ? KWDFehlerDetails(Registriert->Name(), Teile.Technisch) : Teile.Technisch;
    M.Argumente = {Teile.Satz};
    KWDMeldungPresenter()->Zeigen(M);
  } catch (...) {
  }
}

int TKWDProgramm::GetRTyp() const {
  if (auto Typ = KWDSetting("WWS_RTYP"); Typ && !Typ->empty()) {
    try {
      return std::stoi(*Typ);
    } catch (const std::exception&) {
      KWDLogSchreiben("TKWDProgramm.GetRTyp", "WWS_RTYP ist keine Zahl: " + *Typ);
    }
  }
  return 1;
}

std::string TKWDProgramm::GetTextMandant() const {
  if (auto Mandant = KWDSetting("WWS_MANDANT"); Mandant && !Mandant->empty()) return *Mandant;
  if (auto Db = KWDSetting("WWS_DB"); Db && !Db->empty()) {
    std::string Ort = *Db;
    if (Ort.rfind("postgresql://", 0) == 0 || Ort.rfind("postgres://", 0) == 0) {
      // postgresql://user@host:port/dbname?options -> dbname
      const auto Schema = Ort.find("://") + 3;
      const auto Schraeg = Ort.find('/', Schema);
      if (Schraeg == std::string::npos) return "Mandant";
      std::string Name = Ort.substr(Schraeg + 1);
      Name = Name.substr(0, Name.find('?'));
      return Name.empty() ? "Mandant" : Name;
    }
    const std::string Stamm = std::filesystem::path(Ort).stem().string();
    if (!Stamm.empty()) return Stamm;
  }
  return "Mandant";
}

std::string TKWDProgramm::ProzessIdFormated() const {
  char Puffer[24];
  std::snprintf(Puffer, sizeof Puffer, "%08ld", static_cast<long>(::getpid()));
  return Puffer;
}

TKWDProgramm& KWDProgramm() {
  static TKWDProgramm Programm;
  return Programm;
}
