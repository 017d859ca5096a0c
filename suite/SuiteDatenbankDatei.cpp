#include "suite/SuiteDatenbankDatei.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "support/db/SqliteFirmaDatei.h"
#include "support/framework/KWDDateiZiel.h"
#include "support/framework/KWDSystemFehler.h"

namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, 3> CBegleiter = {"-wal", "-shm", "-journal"};
// A program that is just ending its transaction on the old company gets this long.
constexpr int CWartenMs = 2000;

std::string Zitat(const std::string& AText) { return "\u201E" + AText + "\u201C"; }

std::string NeuPraefix(const fs::path& AZiel) { return "." + AZiel.filename().string() + ".neu-"; }

void Entfernen(const std::string& APfad) noexcept {
  ::unlink(APfad.c_str());
  for (const char* Endung : CBegleiter) ::unlink((APfad + Endung).c_str());
}

void OrdnerSichern(const fs::path& AOrdner) {
  const int Fd = ::open(AOrdner.empty() ? "." : AOrdner.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (Fd < 0) return;
  ::fsync(Fd);
  ::close(Fd);
}

// New files that killed builds left beside AZiel. A build holds a lock on
// its file as long as it runs, so a file that can be locked is left over.
void ResteEntfernen(const fs::path& AZiel) {
  const std::string Praefix = NeuPraefix(AZiel);
  const fs::path Ordner = AZiel.parent_path().empty() ? fs::path(".") : AZiel.parent_path();
  std::error_code Fehler;
  for (const auto& Eintrag : fs::directory_iterator(Ordner, Fehler)) {
    const std::string Name = Eintrag.path().filename().string();
    if (!Name.starts_with(Praefix)) continue;
    bool Begleiter = false;
    for (const char* Endung : CBegleiter) Begleiter = Begleiter || Name.ends_with(Endung);
    const std::string Pfad = Eintrag.path().string();
    if (Begleiter) {
      // A journal whose database is gone belongs to nothing.
      const std::string Basis = Pfad.substr(0, Pfad.rfind('-'));
      if (!fs::exists(fs::symlink_status(Basis, Fehler))) ::unlink(Pfad.c_str());
      continue;
    }
    const int Fd = ::open(Pfad.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (Fd < 0) continue;
    if (::flock(Fd, LOCK_EX | LOCK_NB) == 0) Entfernen(Pfad);
    ::close(Fd);
  }
}

// The new company's file, created exclusively beside its place (never
// through a link someone put there) and locked while it is built. Removed
// with its journals unless it took its place.
class TNeueDatei {
 public:
  explicit TNeueDatei(const fs::path& AZiel) {
    FPfad = (AZiel.parent_path() / (NeuPraefix(AZiel) + "XXXXXX")).string();
    FFd = ::mkstemp(FPfad.data());
    if (FFd < 0)
      throw EFirmaAbgelehnt("Neben " + Zitat(AZiel.string()) + " lässt sich keine neue Datei anlegen: " +
                            KWDSystemFehlerText(errno) + ".");
    ::fcntl(FFd, F_SETFD, FD_CLOEXEC);
    ::flock(FFd, LOCK_EX | LOCK_NB);
    // The rights any new file of this user gets.
    const mode_t Maske = ::umask(0);
    ::umask(Maske);
    ::fchmod(FFd, 0666 & ~Maske);
  }
  ~TNeueDatei() {
    if (!FUebergeben) Entfernen(FPfad);
    // Only now: closing a descriptor drops this process's locks on the file.
    ::close(FFd);
  }
  TNeueDatei(const TNeueDatei&) = delete;
  TNeueDatei& operator=(const TNeueDatei&) = delete;

  const std::string& Pfad() const { return FPfad; }

  // Still the file this build made (a second build's clean-up may have
  // taken it for a left-over in the moment before it was locked).
  bool Unveraendert() const {
    struct stat Eigen {}, Dort {};
    return ::fstat(FFd, &Eigen) == 0 && ::stat(FPfad.c_str(), &Dort) == 0 && Eigen.st_ino == Dort.st_ino &&
           Eigen.st_dev == Dort.st_dev;
  }

  void Umbenennen(const std::string& AZiel) {
    if (!Unveraendert())
      throw EFirmaAbgelehnt("Die neue Firma für " + Zitat(AZiel) + " wurde während des Aufbaus entfernt.");
    if (std::rename(FPfad.c_str(), AZiel.c_str()) != 0)
      throw EFirmaAbgelehnt("Die neue Firma lässt sich nicht nach " + Zitat(AZiel) + " bringen (" +
                            KWDSystemFehlerText(errno) + "); was dort stand, ist unverändert.");
    FUebergeben = true;
    OrdnerSichern(fs::path(AZiel).parent_path());
  }

 private:
  std::string FPfad;
  int FFd = -1;
  bool FUebergeben = false;
};

// The new company stands alone in its file: no log beside it that the
// next opener could take for the log of the file at the place.
void OhneLog(const std::string& APfad) {
  TSqliteFirmaDatei Db(APfad, CWartenMs);
  if (!Db.Offen() || Db.JournalOhneLog() != "delete" || fs::exists(APfad + "-wal"))
    throw EFirmaAbgelehnt("Die neue Firma ließ sich nicht abschließen (" + Db.Grund() +
                          "); was dort stand, ist unverändert.");
}

// What SQLite would open as a database: a file with its header, or any file
// with a journal beside it (a new database in WAL mode may still be empty
// while its whole content stands in its log).
bool IstSqliteDatei(const std::string& APfad) {
  std::error_code Fehler;
  for (const char* Endung : {"-wal", "-journal"})
    if (fs::exists(APfad + Endung, Fehler)) return true;
  const int Fd = ::open(APfad.c_str(), O_RDONLY | O_CLOEXEC);
  if (Fd < 0) {
    if (errno == ENOENT) return false;
    throw EFirmaAbgelehnt("Die Datei " + Zitat(APfad) + " lässt sich nicht lesen (" + KWDSystemFehlerText(errno) +
                          "); sie wird nicht ersetzt.");
  }
  char Kopf[16] = {};
  const bool Ja = ::read(Fd, Kopf, sizeof Kopf) == static_cast<ssize_t>(sizeof Kopf) &&
                  std::string(Kopf, sizeof Kopf) == std::string("SQLite format 3", 16);
  ::close(Fd);
  return Ja;
}

// The company at the place, made ready to be replaced: its log folded in,
// and held exclusively until the new file stands there.
class TAlteFirma {
 public:
  explicit TAlteFirma(const std::string& APfad) {
    std::error_code Weg;
    if (!IstSqliteDatei(APfad)) {
      // A shared-memory index beside something that is no database belongs
      // to no company; the new file must not meet it.
      ::unlink((APfad + "-shm").c_str());
      return;
    }
    FDb = std::make_unique<TSqliteFirmaDatei>(APfad, CWartenMs);
    const std::string Modus = FDb->Offen() ? FDb->JournalOhneLog() : std::string();
    if (Modus == "delete" && FDb->Ausfuehren("BEGIN EXCLUSIVE")) {
      FFd = ::open(APfad.c_str(), O_RDWR | O_CLOEXEC);
      return;
    }
    const EDbError Fehler = FDb->Fehler();
    if (Fehler.IsInUse())
      throw EFirmaAbgelehnt("Die Firma " + Zitat(APfad) +
                            " ist in einem anderen Programm geöffnet und wird nicht ersetzt; bitte beenden Sie die "
                            "Programme, die mit ihr arbeiten, und versuchen Sie es erneut.");
    // A file this user may not write: replaceable (the folder decides) as
    // long as no log of it is waiting to be folded in.
    if ((Fehler.IsReadOnly() || Fehler.IsNotPermitted()) && !fs::exists(APfad + "-wal", Weg) &&
        !fs::exists(APfad + "-journal", Weg)) {
      FDb.reset();
      return;
    }
    if (Fehler.IsDamaged())
      throw EFirmaAbgelehnt("Die Datei " + Zitat(APfad) +
                            " ist keine SQLite-Datenbank oder ist beschädigt; sie wird nicht ersetzt. Entfernen Sie sie "
                            "selbst, wenn sie nicht mehr gebraucht wird.");
    throw EFirmaAbgelehnt("Die Firma " + Zitat(APfad) + " lässt sich nicht ersetzen (" + FDb->Grund() +
                          "); sie bleibt unverändert.");
  }

  // After the new file took the place: a program that opened the old file in
  // the last moment and waits for it reads no database there, not a company
  // whose changes nobody would ever see. Only a file no name leads to any
  // more is touched (never the target of a link, which still stands).
  ~TAlteFirma() {
    if (FFd < 0) return;
    struct stat Info {};
    if (FErsetzt && ::fstat(FFd, &Info) == 0 && Info.st_nlink == 0) {
      const std::array<char, 100> Leer{};
      [[maybe_unused]] const ssize_t N = ::pwrite(FFd, Leer.data(), Leer.size(), 0);
    }
    ::close(FFd);
  }
  TAlteFirma(const TAlteFirma&) = delete;
  TAlteFirma& operator=(const TAlteFirma&) = delete;

  void Ersetzt() { FErsetzt = true; }

 private:
  std::unique_ptr<TSqliteFirmaDatei> FDb;  // closed after FFd, which the destructor closes
  int FFd = -1;
  bool FErsetzt = false;
};

}  // namespace

void SqliteDateiNeuAnlegen(const std::string& AOrt, bool AErsetzen,
                           const std::function<void(const std::string& ANeu)>& AFuellen) {
  // A link to the company stays a link: the company it leads to is replaced.
  const std::string APfad = TKWDDateiZiel(AOrt, TKWDZielArt::Firma).Pfad();
  const fs::path Ziel(APfad);
  std::error_code Fehler;
  if (fs::exists(Ziel, Fehler) && !AErsetzen)
    throw EFirmaAbgelehnt("Die Datei " + Zitat(AOrt) +
                          " gibt es schon; sie wird nicht überschrieben (mit --force ersetzen).");
  ResteEntfernen(Ziel);
  // Told now rather than after a long build: the company is in use.
  { TAlteFirma Vorab(APfad); }
  TNeueDatei Neu(Ziel);
  AFuellen(Neu.Pfad());
  OhneLog(Neu.Pfad());
  TAlteFirma Alt(APfad);
  Neu.Umbenennen(APfad);
  Alt.Ersetzt();
}
