#include "support/recordfile/Tialfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <stdexcept>

#include "support/db/TDbConnection.h"
#include "support/db/TDbSqlite.h"
#include "support/framework/KWDOrdner.h"
#include "support/framework/KWDSystemFehler.h"

Tialfile::Tialfile() : TQLX_DBFile(RFTabelle_Zaehlliste()), TGroessenFelder(static_cast<TQLX_DBFile&>(*this)) {}

Tialfile::~Tialfile() {
  try {
    Close();
  } catch (...) {
    // A destructor must not throw; the rows of a failed print are simply not kept.
  }
}

void Tialfile::SetFileNameRel(const std::string& AName) { FPfad = GetDirWwsByName(KWD_ORDNER_DATEN, AName, true); }

void Tialfile::SetFileName(const std::string& APfad) { FPfad = APfad; }

void Tialfile::OpenOut(int AKanal) {
  if (AKanal != -1) throw std::invalid_argument("Zähllistendatei: nur die eigene Satzlänge (-1) ist möglich");
  if (FPfad.empty()) throw std::runtime_error("Zähllistendatei: kein Dateiname gesetzt");
  Close();
  // A leftover file of an earlier print by a process with the same id goes;
  // a link planted there goes as a link, its target stays untouched.
  DateienEntfernen(FPfad);
  // Created here, never through a link, readable by this user only; SQLite
  // then finds the file and gives its WAL the same rights (and opens the WAL
  // without following links itself).
  const int Fd = ::open(FPfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (Fd < 0)
    throw std::runtime_error("Die Zähllistendatei " + FPfad + " kann nicht angelegt werden: " + KWDSystemFehlerText(errno) + ".");
  struct stat Angelegt {};
  const int StatFehler = ::fstat(Fd, &Angelegt);
  ::close(Fd);
  if (StatFehler != 0) throw std::runtime_error("Die Zähllistendatei " + FPfad + " kann nicht geprüft werden.");
  auto Conn = TDbSqliteOeffnen(FPfad, TDbSqliteArt::Privat);
  // Still the file made above (not a link or another file put there meanwhile).
  struct stat Jetzt {};
  if (::lstat(FPfad.c_str(), &Jetzt) != 0 || !S_ISREG(Jetzt.st_mode) || Jetzt.st_ino != Angelegt.st_ino ||
      Jetzt.st_dev != Angelegt.st_dev)
    throw std::runtime_error("Die Zähllistendatei " + FPfad + " wurde während des Anlegens ersetzt.");
  // Keyed by the row number alone: appends in row order, no index beside.
  for (const auto& Sql : RFTabelleRowidDDL(Def())) Conn->ExecScript(Sql);
  Conn->Begin();  // one transaction per print: appends are cheap, readers see all or nothing
  VerbindungSetzen(std::move(Conn));
  ResetForReuse();
}

void Tialfile::OpenIn() {
  if (FPfad.empty()) throw std::runtime_error("Zähllistendatei: kein Dateiname gesetzt");
  Close();
  // Only this user's own plain file is read: never through a link.
  struct stat Info {};
  if (::lstat(FPfad.c_str(), &Info) != 0) throw std::runtime_error("Die Zähllistendatei " + FPfad + " gibt es nicht.");
  if (!S_ISREG(Info.st_mode) || Info.st_uid != ::geteuid())
    throw std::runtime_error("Die Zähllistendatei " + FPfad + " ist keine eigene Datei dieses Benutzers.");
  VerbindungSetzen(TDbSqliteOeffnen(FPfad, TDbSqliteArt::Privat));
  ResetForReuse();
}

void Tialfile::Close() {
  TDbConnection* Conn = Verbindung();
  if (!Conn) return;
  SchliessenStatements();
  try {
    if (Conn->InTransaction()) Conn->Commit();
  } catch (...) {
    VerbindungSetzen(nullptr);
    throw;
  }
  VerbindungSetzen(nullptr);
}

void Tialfile::Entfernen() {
  Close();
  if (!FPfad.empty()) DateienEntfernen(FPfad);
}

void Tialfile::DateienEntfernen(const std::string& APfad) {
  for (const char* Endung : {"", "-wal", "-shm", "-journal"}) std::filesystem::remove(APfad + Endung);
}
