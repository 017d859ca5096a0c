#pragma once
// The company database's failures and what they mean. Callers ask the
// questions below; the backends' own codes are decoded here and nowhere else.
#include <stdexcept>
#include <string>

#include "support/framework/EKWDSatzFehler.h"
#include "support/framework/KWDAusfall.h"

// Every database failure. A failure a user can act on (disk full, server
// gone, another program in the way, ...) carries a German sentence; what()
// is that sentence, or the technical text where there is none. The
// technical text (Technisch) goes to the log and a message box's details.
class EDbError : public EKWDSatzFehler, public TKWDAusfall {
 public:
  // ATechnisch: what failed, as the backend said it. ACode: SQLite's extended
  // result code; AZustand: PostgreSQL's SQLSTATE (a backend that finds a
  // failure itself, such as a lost connection, gives the code that names it).
  // Without either, ATechnisch is this program's own German sentence.
  explicit EDbError(const std::string& ATechnisch, int ACode = 0, std::string AZustand = {});
  // The same failure with more of where it happened around its technical
  // text (the table, the statement); the sentence stays in front.
  EDbError(const EDbError& AFehler, const std::string& AVorher, const std::string& ANachher = {});

  // A UNIQUE or primary-key constraint refused the write.
  bool IsUniqueViolation() const;
  // The database as a whole failed, not one statement or its data: the
  // connection is lost or closed, the server stopped or lacks resources, the
  // disk is full, damaged or failing, memory ran out, the company may only be
  // read, another program holds it beyond the wait, or the transaction was
  // already rolled back after an earlier failure. What comes next on it
  // fails as well until someone acts; the work in hand is best ended.
  bool IsDatabaseFailure() const;
  // A deadlock or serialization failure: the server rolled this transaction
  // back in favour of another's; run again, it may well succeed.
  bool IsDeadlock() const;
  // A database failure or a deadlock: the work in hand ends on it (guards
  // let it pass to the command's outermost one, KWDGuard.h).
  bool EndetArbeit() const noexcept override;
  // The company may only be read (also IsDatabaseFailure).
  bool IsReadOnly() const;
  // No space left for the database (also IsDatabaseFailure).
  bool IsDiskFull() const;
  // Another program holds what this step needs beyond the wait: SQLite's
  // busy or locked database, a lock PostgreSQL would not grant at once
  // (also IsDatabaseFailure).
  bool IsInUse() const;
  // The file or the server's data is damaged, or the file is no database
  // (also IsDatabaseFailure).
  bool IsDamaged() const;
  // This user may not open or change the company: the file's or folder's
  // rights (SQLite refuses to open a file it may not read), the server's role.
  bool IsNotPermitted() const;
  // Objects of another application depend on what was to be dropped.
  bool IsDependentObjects() const;

  // The German sentence for the user, without its full stop; empty when
  // the failure has none.
  const std::string& Ursache() const { return FUrsache; }
  std::string ErsatzSatz() const override { return "Die Firmendatenbank hat einen Fehler gemeldet."; }

 private:
  EDbError(std::string AUrsache, std::string ATechnisch, int ACode, std::string AZustand);
  // The backends' codes as given; callers ask the questions above.
  int FCode;
  std::string FZustand;
  std::string FUrsache;
};

// The company database cannot be opened (missing or corrupt file, server not
// reachable, wrong credentials, schema newer than this program). what() is one
// German sentence naming the cause, fit for a user; the server's or the
// library's own text, where there is one, is its technical part.
class ECompanyDbError : public EKWDSatzFehler {
 public:
  using EKWDSatzFehler::EKWDSatzFehler;
};

// A database that opened but is no company: refused, left as it was. Leer:
// it holds no tables at all, so a new company may be built there.
class EDbKeineFirma : public ECompanyDbError {
 public:
  EDbKeineFirma(const std::string& ASatz, bool ALeer) : ECompanyDbError(ASatz), Leer(ALeer) {}
  bool Leer;
};

// How long SQLite waits for another program's write lock before it fails (its
// sentence names it): long enough that a second program finishing its booking
// batch never makes this one fail; short enough that a hung program is noticed.
inline constexpr int KDbSqliteWarteMs = 15000;
