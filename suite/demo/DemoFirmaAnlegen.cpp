#include "suite/demo/DemoFirmaAnlegen.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "suite/SuiteDatenbank.h"
#include "support/db/KWDDatenbank.h"
#include "support/db/TDbConnection.h"
#include "support/services/TParameter.h"

namespace fs = std::filesystem;

namespace {

bool IstPostgres(const std::string& AOrt) {
  return AOrt.starts_with("postgresql://") || AOrt.starts_with("postgres://");
}

// Services with connections of their own (the common lock) and child
// programs find the same company.
void Einstellen(const std::string& AOrt) { setenv("WWS_DB", AOrt.c_str(), 1); }

TDemoSchreiber::TZaehler Fuellen(std::unique_ptr<TDbConnection> AVerbindung, const std::string& AOrt,
                                 const TDemoOptionen& AOptionen, const TDemoFortschritt& AFortschritt) {
  KWDDatenbank_Set(std::move(AVerbindung));
  Einstellen(AOrt);
  SuiteDatenbankAnlegen();
  TDemoSchreiber::TZaehler Zaehler = DemoFirmaErzeugen(KWDDatenbank(), AOptionen, AFortschritt);
  KWDParameter().SetIntegerValueByName("STARTMON", 1);
  return Zaehler;
}

// Tables of the server database's own schema.
bool HatTabellen(TDbConnection& AVerbindung) {
  auto S = AVerbindung.Prepare("SELECT count(*) FROM information_schema.tables WHERE table_schema = current_schema()");
  return S->Step() && S->ColumnInt(0) > 0;
}

void SqliteEntfernen(const std::string& APfad) noexcept {
  std::error_code Fehler;
  for (const char* Endung : {"", "-wal", "-shm", "-journal"}) fs::remove(APfad + Endung, Fehler);
}

// A fresh file beside APfad, created exclusively (never through a link someone
// placed there), with the rights a new file of this user gets.
std::string NeueDateiDaneben(const std::string& APfad) {
  const fs::path Ziel(APfad);
  std::string Muster = (Ziel.parent_path() / ("." + Ziel.filename().string() + ".neu-XXXXXX")).string();
  const int Fd = mkstemp(Muster.data());
  if (Fd < 0)
    throw EDemoFirmaAbgelehnt("Neben " + APfad + " lässt sich keine neue Datei anlegen: " + std::strerror(errno) + ".");
  const mode_t Maske = umask(0);
  umask(Maske);
  fchmod(Fd, 0666 & ~Maske);
  close(Fd);
  return Muster;
}

TDemoSchreiber::TZaehler SqliteAnlegen(const std::string& AOrt, const TDemoOptionen& AOptionen, bool AErsetzen,
                                       const TDemoFortschritt& AFortschritt) {
  std::error_code Fehler;
  const fs::path Datei(AOrt);
  if (fs::is_directory(Datei, Fehler))
    throw EDemoFirmaAbgelehnt("Unter " + AOrt + " liegt ein Ordner; die Firma braucht einen Dateinamen.");
  if (fs::exists(fs::symlink_status(Datei, Fehler)) && !AErsetzen)
    throw EDemoFirmaAbgelehnt("Die Datei " + AOrt + " gibt es schon; sie wird nicht überschrieben (mit --force ersetzen).");

  const std::string Neu = NeueDateiDaneben(AOrt);
  TDemoSchreiber::TZaehler Zaehler;
  try {
    Zaehler = Fuellen(TDbConnection::Open(Neu, true), Neu, AOptionen, AFortschritt);
    KWDDatenbank_Set(nullptr);  // the last connection folds the journal into the file
    // The old company's journal must not be read against the new file.
    for (const char* Endung : {"-wal", "-shm"}) fs::remove(AOrt + Endung, Fehler);
    if (std::rename(Neu.c_str(), AOrt.c_str()) != 0)
      throw EDemoFirmaAbgelehnt("Die neue Firma lässt sich nicht nach " + AOrt + " bringen: " + std::strerror(errno) + ".");
  } catch (...) {
    KWDDatenbank_Set(nullptr);
    SqliteEntfernen(Neu);
    Einstellen(AOrt);
    throw;
  }
  KWDDatenbank_Set(TDbConnection::OpenFirma(AOrt));
  Einstellen(AOrt);
  SuiteDatenbankOeffnen();
  return Zaehler;
}

}  // namespace

TDemoSchreiber::TZaehler DemoFirmaAnlegen(const std::string& AOrt, const TDemoOptionen& AOptionen, bool AErsetzen,
                                          const TDemoFortschritt& AFortschritt) {
  if (!IstPostgres(AOrt)) return SqliteAnlegen(AOrt, AOptionen, AErsetzen, AFortschritt);
  auto Verbindung = TDbConnection::Open(AOrt);
  if (!DbIstFirma(*Verbindung) && HatTabellen(*Verbindung))
    throw EDemoFirmaAbgelehnt("Die Datenbank " + Verbindung->Ort() +
                              " enthält Tabellen einer anderen Anwendung und ist keine Firma; sie wird nicht verändert.");
  return Fuellen(std::move(Verbindung), AOrt, AOptionen, AFortschritt);
}
