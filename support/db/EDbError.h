#pragma once
// The company database's failures and what they mean. Callers ask the
// questions below; the backends' own codes are decoded here and nowhere else.
#include <stdexcept>
#include <string>

#include "support/framework/KWDAusfall.h"

// Every database failure. A failure a user can act on (disk full, server
// gone, another program in the way, ...) reads as a German sentence first,
// the technical text after it in parentheses, for the log.
class EDbError : public std::runtime_error, public TKWDAusfall {
 public:
  // ATechnisch: what failed, as the backend said it. ACode: SQLite's extended
  // result code; AZustand: PostgreSQL's SQLSTATE (a backend that finds a
  // failure itself, such as a lost connection, gives the code that names it).
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

  // The German sentence for the user; empty when the failure has none.
  const std::string& Ursache() const { return FUrsache; }
  const std::string& Technisch() const { return FTechnisch; }

  // The backends' codes as given, for the log; ask the questions above.
  int Code;
  std::string Zustand;

 private:
  EDbError(std::string AUrsache, std::string ATechnisch, int ACode, std::string AZustand);
  std::string FUrsache;
  std::string FTechnisch;
};

// The company database cannot be opened (missing or corrupt file, server not
// reachable, wrong credentials, schema newer than this program). what() is one
// German sentence naming the cause, fit for a user.
class ECompanyDbError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How long SQLite waits for another program's write lock before it fails (its
// sentence names it): long enough that a second program finishing its booking
// batch never makes this one fail; short enough that a hung program is noticed.
inline constexpr int KDbSqliteWarteMs = 15000;
