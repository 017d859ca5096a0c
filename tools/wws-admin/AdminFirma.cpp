#include "tools/wws-admin/AdminFirma.h"

#include <cstdlib>
#include <filesystem>

#include "suite/SuiteDatenbank.h"
#include "support/db/KWDDatenbank.h"
#include "support/db/TDbConnection.h"
#include "support/framework/KWDSettings.h"
#include "tools/wws-admin/AdminKontext.h"

namespace fs = std::filesystem;

std::string AdminFirmaOrt(const std::string& ADbOption) {
  if (!ADbOption.empty()) return ADbOption;
  if (auto ort = KWDSetting("WWS_DB"); ort && !ort->empty()) return *ort;
  throw EAdminFehler("Keine Firma angegeben: bitte --db ORT nennen oder die Einstellung WWS_DB setzen.");
}

bool AdminIstPostgres(const std::string& AOrt) {
  return AOrt.starts_with("postgresql://") || AOrt.starts_with("postgres://");
}

namespace {

// Services that open connections of their own (the common lock) and child
// programs find the same company.
void Einstellen(const std::string& AOrt) { setenv("WWS_DB", AOrt.c_str(), 1); }

// A new company's schema: only init and demo write one.
void Anlegen(std::unique_ptr<TDbConnection> AVerbindung, const std::string& AOrt) {
  KWDDatenbank_Set(std::move(AVerbindung));
  Einstellen(AOrt);
  SuiteDatenbankAnlegen();
}

// Tables of the server database's own schema.
bool HatTabellen(TDbConnection& AVerbindung) {
  auto S = AVerbindung.Prepare(
      "SELECT count(*) FROM information_schema.tables WHERE table_schema = current_schema()");
  return S->Step() && S->ColumnInt(0) > 0;
}

}  // namespace

TDbConnection& AdminFirmaOeffnen(const std::string& AOrt) {
  KWDDatenbank_Set(TDbConnection::OpenFirma(AOrt));
  Einstellen(AOrt);
  return SuiteDatenbankOeffnen();
}

TDbConnection& AdminFirmaZumSchreiben(const std::string& AOrt) {
  TDbConnection& Verbindung = AdminFirmaOeffnen(AOrt);
  if (Verbindung.NurLesen())
    throw EAdminAbgelehnt("Die Firma " + Verbindung.Ort() +
                          " darf von Ihnen nur gelesen werden; sie lässt sich hier nicht ändern.");
  return Verbindung;
}

bool AdminFirmaAnlegen(const std::string& AOrt, bool AErsetzen) {
  if (AdminIstPostgres(AOrt)) {
    auto Verbindung = TDbConnection::Open(AOrt);
    if (!DbIstFirma(*Verbindung) && HatTabellen(*Verbindung))
      throw EAdminFehler("Die Datenbank " + Verbindung->Ort() +
                         " enthält Tabellen einer anderen Anwendung und ist keine Firma; sie wird nicht verändert.");
    Anlegen(std::move(Verbindung), AOrt);
    return false;
  }
  std::error_code fehler;
  const fs::path datei(AOrt);
  if (fs::is_directory(datei, fehler))
    throw EAdminFehler("Unter " + AOrt + " liegt ein Ordner; die Firma braucht einen Dateinamen.");
  if (fs::exists(datei, fehler)) {
    if (!AErsetzen)
      throw EAdminFehler("Die Datei " + AOrt + " gibt es schon; sie wird nicht überschrieben (mit --force ersetzen).");
    for (const char* endung : {"", "-wal", "-shm"}) fs::remove(AOrt + endung, fehler);
    if (fs::exists(datei)) throw EAdminFehler("Die Datei " + AOrt + " lässt sich nicht ersetzen: " + fehler.message());
  }
  Anlegen(TDbConnection::Open(AOrt, true), AOrt);
  return true;
}
