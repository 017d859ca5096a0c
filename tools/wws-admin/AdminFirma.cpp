#include "tools/wws-admin/AdminFirma.h"

#include <cstdlib>
#include <filesystem>

#include "suite/SuiteDatenbank.h"
#include "support/db/KWDDatenbank.h"
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

TDbConnection& Uebernehmen(const std::string& AOrt, bool ACreate) {
  KWDDatenbank_Set(TDbConnection::Open(AOrt, ACreate));
  // Services that open connections of their own (the common lock) and child
  // programs find the same company.
  setenv("WWS_DB", AOrt.c_str(), 1);
  return SuiteDatenbankOeffnen();
}

}  // namespace

TDbConnection& AdminFirmaOeffnen(const std::string& AOrt) { return Uebernehmen(AOrt, false); }

bool AdminFirmaAnlegen(const std::string& AOrt, bool AErsetzen) {
  if (AdminIstPostgres(AOrt)) {
    Uebernehmen(AOrt, false);
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
  Uebernehmen(AOrt, true);
  return true;
}

void AdminFirmaVerwerfen(const std::string& AOrt) noexcept {
  KWDDatenbank_Set(nullptr);
  if (AdminIstPostgres(AOrt)) return;
  std::error_code fehler;
  for (const char* endung : {"", "-wal", "-shm"}) fs::remove(AOrt + endung, fehler);
}
