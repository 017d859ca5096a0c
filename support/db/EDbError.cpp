#include "support/db/EDbError.h"

#include <sqlite3.h>

#include <utility>

namespace {

int Primaer(int ACode) { return ACode & 0xff; }
std::string Klasse(const std::string& AZustand) { return AZustand.substr(0, 2); }

bool SqliteAusfall(int ACode) {
  if (ACode == SQLITE_BUSY_SNAPSHOT) return false;  // a stale snapshot: run again (IsDeadlock)
  switch (Primaer(ACode)) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_NOMEM:
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_INTERRUPT:
    case SQLITE_IOERR:
    case SQLITE_CORRUPT:
    case SQLITE_FULL:
    case SQLITE_CANTOPEN:
    case SQLITE_PROTOCOL:
    case SQLITE_NOTADB:
    case SQLITE_ABORT:  // the transaction was rolled back after an earlier failure
      return true;
    default:
      return false;
  }
}

bool PostgresAusfall(const std::string& AZustand) {
  // Connection, resources, operator intervention, system (I/O), internal
  // (damage), transaction state (read-only, already aborted), a lock not
  // granted; of the rolled-back transactions those the server cannot finish.
  static const char* const KKlassen[] = {"08", "53", "57", "58", "XX", "25", "55"};
  const std::string K = Klasse(AZustand);
  for (const char* A : KKlassen)
    if (K == A) return true;
  return AZustand == "40000" || AZustand == "40003";
}

// What is lost when a transaction was rolled back before this step.
constexpr const char* KZurueckgerollt =
    "Nach einem früheren Fehler wurde der ganze Schritt zurückgenommen; nichts davon ist gespeichert";

std::string SqliteSatz(int ACode) {
  if (ACode == SQLITE_ABORT_ROLLBACK) return KZurueckgerollt;
  switch (Primaer(ACode)) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return "Die Firmendatenbank ist von einem anderen Programm gesperrt, das seit über " +
             std::to_string(KDbSqliteWarteMs / 1000) + " Sekunden darin schreibt. Bitte später erneut versuchen";
    case SQLITE_FULL:
      return "Der Datenträger der Firmendatenbank ist voll. Bitte Platz schaffen und erneut versuchen";
    case SQLITE_READONLY:
      return "Die Firmendatenbank darf nicht geschrieben werden";
    case SQLITE_IOERR:
      return "Die Firmendatenbank kann nicht gelesen oder geschrieben werden (Ein-/Ausgabefehler des Datenträgers)";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      return "Die Firmendatenbank ist beschädigt";
    case SQLITE_NOMEM:
      return "Der Arbeitsspeicher reicht nicht aus";
    default:
      return {};
  }
}

std::string PostgresSatz(const std::string& AZustand) {
  const std::string K = Klasse(AZustand);
  if (AZustand == "40P01" || AZustand == "40001")
    return "Ein anderes Programm hat gleichzeitig dieselben Daten bearbeitet; der Datenbankserver hat diesen Schritt "
           "deshalb zurückgenommen. Bitte erneut versuchen";
  if (K == "08" || AZustand == "57P01" || AZustand == "57P02" || AZustand == "57P03")
    return "Die Verbindung zum Datenbankserver ist abgebrochen (der Server wurde beendet oder die Verbindung "
           "getrennt). Bitte erneut versuchen, sobald der Server wieder erreichbar ist";
  if (AZustand == "57014")
    return "Der Datenbankserver hat den Vorgang abgebrochen (Zeitgrenze überschritten oder vom Administrator "
           "abgebrochen). Bitte erneut versuchen";
  if (AZustand == "25006") return "Die Firmendatenbank darf nicht geschrieben werden";
  if (AZustand == "25P02") return KZurueckgerollt;
  if (AZustand == "53100")
    return "Der Datenträger des Datenbankservers ist voll. Bitte Platz schaffen und erneut versuchen";
  if (AZustand == "53200") return "Dem Datenbankserver reicht der Arbeitsspeicher nicht aus. Bitte später erneut versuchen";
  if (AZustand == "53300")
    return "Der Datenbankserver nimmt keine weiteren Verbindungen an. Bitte später erneut versuchen";
  if (K == "53") return "Dem Datenbankserver fehlen Mittel (Speicher, Platz oder Verbindungen). Bitte später erneut versuchen";
  if (AZustand == "55P03") return "Die Daten sind von einem anderen Programm gesperrt. Bitte später erneut versuchen";
  if (K == "58")
    return "Der Datenbankserver kann seine Dateien nicht lesen oder schreiben (Ein-/Ausgabefehler des Datenträgers)";
  if (AZustand == "XX001" || AZustand == "XX002") return "Die Firmendatenbank auf dem Datenbankserver ist beschädigt";
  if (AZustand == "42501") return "Für diesen Zugriff auf die Firmendatenbank fehlt die Berechtigung";
  return {};
}

}  // namespace

// Without a backend's code the text is this program's own German sentence
// (a lock file, a misuse of the interface): it is what the user reads.
EDbError::EDbError(const std::string& ATechnisch, int ACode, std::string AZustand)
    : EDbError(ACode                ? SqliteSatz(ACode)
               : !AZustand.empty() ? PostgresSatz(AZustand)
                                   : ATechnisch.substr(0, ATechnisch.find_last_not_of(". ") + 1),
               ACode || !AZustand.empty() ? ATechnisch : std::string(), ACode, AZustand) {}

EDbError::EDbError(const EDbError& AFehler, const std::string& AVorher, const std::string& ANachher)
    : EDbError(AFehler.FUrsache, AVorher + AFehler.Technisch() + ANachher, AFehler.FCode, AFehler.FZustand) {}

EDbError::EDbError(std::string AUrsache, std::string ATechnisch, int ACode, std::string AZustand)
    : EKWDSatzFehler(AUrsache.empty() ? std::string() : AUrsache + ".", std::move(ATechnisch)),
      FCode(ACode),
      FZustand(std::move(AZustand)),
      FUrsache(std::move(AUrsache)) {}

bool EDbError::IsUniqueViolation() const {
  return FCode == SQLITE_CONSTRAINT_UNIQUE || FCode == SQLITE_CONSTRAINT_PRIMARYKEY || FZustand == "23505";
}

bool EDbError::IsDatabaseFailure() const { return FCode ? SqliteAusfall(FCode) : PostgresAusfall(FZustand); }

bool EDbError::EndetArbeit() const noexcept {
  try {
    return IsDatabaseFailure() || IsDeadlock();
  } catch (...) {
    return true;  // no memory left to ask: nothing more will work either
  }
}

bool EDbError::IsDeadlock() const { return FCode == SQLITE_BUSY_SNAPSHOT || FZustand == "40P01" || FZustand == "40001"; }

bool EDbError::IsReadOnly() const { return Primaer(FCode) == SQLITE_READONLY || FZustand == "25006"; }

bool EDbError::IsDiskFull() const { return Primaer(FCode) == SQLITE_FULL || FZustand == "53100"; }

bool EDbError::IsInUse() const {
  if (FCode == SQLITE_BUSY_SNAPSHOT) return false;  // a stale snapshot: run again (IsDeadlock)
  return Primaer(FCode) == SQLITE_BUSY || Primaer(FCode) == SQLITE_LOCKED || FZustand == "55P03";
}

bool EDbError::IsDamaged() const {
  return Primaer(FCode) == SQLITE_CORRUPT || Primaer(FCode) == SQLITE_NOTADB || FZustand == "XX001" ||
         FZustand == "XX002";
}

bool EDbError::IsNotPermitted() const {
  return Primaer(FCode) == SQLITE_PERM || Primaer(FCode) == SQLITE_AUTH || Primaer(FCode) == SQLITE_CANTOPEN ||
         FZustand == "42501";
}

bool EDbError::IsDependentObjects() const { return FZustand == "2BP01"; }
