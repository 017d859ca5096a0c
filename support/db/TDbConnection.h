#pragma once
// The company database behind one small interface, with a SQLite and a
// PostgreSQL backend. SQL text is always a constant of the code; values go in
// through parameters ('?' placeholders, numbered from 1), never into the text.
//
// Column types that mean the same on both backends: INTEGER / BIGINT, DOUBLE
// PRECISION, and TEXT COLLATE "C" for every text that is part of a key or is
// sorted (bytewise order everywhere; SQLite connections know "C" as bytewise).
// On PostgreSQL a text must be valid UTF-8; NUL bytes are kept (stored there as
// 0x01 0x01, and 0x01 as 0x01 0x02, which keeps the order and is invisible
// through this interface).
//
// After any failed statement inside a transaction the transaction is rolled
// back on both backends; further statements throw until Commit or Rollback
// ends the caller's bracket. Use INSERT ... ON CONFLICT rather than catching
// a unique violation inside a transaction.
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "support/db/EDbError.h"

enum class TDbBackend { SQLite = 1, PostgreSQL = 2 };

class TDbStatement {
 public:
  virtual ~TDbStatement() = default;
  // Parameters are 1-based. Texts may hold any bytes, NUL included.
  virtual void BindNull(int AIndex) = 0;
  virtual void BindInt(int AIndex, int64_t AWert) = 0;
  virtual void BindDouble(int AIndex, double AWert) = 0;
  virtual void BindText(int AIndex, std::string_view AWert) = 0;
  // As BindText, where the backend can use the text in place: the caller
  // keeps it alive and unchanged until the parameter is bound again or the
  // statement is destroyed.
  virtual void BindTextOhneKopie(int AIndex, std::string_view AWert) { BindText(AIndex, AWert); }

  // Runs a query (first call) or moves to its next row: true while a row is
  // there. Sends any writes queued on the connection first, so a read always
  // sees every earlier write of the same connection.
  virtual bool Step() = 0;
  // Sends a query now whose rows are read from its first Step, so that
  // several queries share one round trip (PostgreSQL, a query read whole).
  // Elsewhere it does nothing and the query runs at its first Step.
  virtual void Vorausschicken() {}
  virtual int ColumnCount() const = 0;
  virtual bool ColumnIsNull(int ACol) const = 0;  // 0-based columns
  virtual int64_t ColumnInt(int ACol) const = 0;
  virtual double ColumnDouble(int ACol) const = 0;
  virtual std::string ColumnText(int ACol) const = 0;

  // Runs a statement that returns no rows, now; returns the rows it changed.
  virtual int64_t Execute() = 0;
  // Runs a statement that returns no rows. Inside a transaction the backend
  // may queue it and send it with others (PostgreSQL pipeline) no later than
  // the next read, Flush or Commit; an error then surfaces there.
  virtual void Run() = 0;
  // As Run; AFertig receives the number of rows changed once the statement
  // has run (at once, or when queued writes are sent).
  virtual void Run(const std::function<void(int64_t)>& AFertig) { AFertig(Execute()); }
  // Outside a transaction: sends the statement at once, to run on its own,
  // without waiting for its answer; PostgreSQL reads the answer with the
  // connection's next round trip, where an error surfaces. Inside a
  // transaction, and on SQLite, it simply runs.
  virtual void RunOhneAntwort() { Execute(); }

  // Ends the current execution so the statement can run again; bindings stay.
  virtual void Reset() = 0;
};

class TDbConnection {
 public:
  virtual ~TDbConnection() = default;
  // "/path/company.db" (SQLite) or "postgresql://..." (PostgreSQL), any
  // database, read and written. Throws ECompanyDbError. A SQLite file is
  // created only when ACreate is set.
  static std::unique_ptr<TDbConnection> Open(const std::string& AOrt, bool ACreate = false);
  // A company database: one that carries the company mark (DbIstFirma in
  // KWDDatenbank.h). Anything else is refused with
  // ECompanyDbError before a single byte of it is written. A company the user
  // may only read opens read-only (NurLesen): a SQLite file this user may not
  // write, a PostgreSQL session that is read-only (a standby server, or a role
  // with default_transaction_read_only).
  static std::unique_ptr<TDbConnection> OpenFirma(const std::string& AOrt);

  virtual TDbBackend Backend() const = 0;
  // Opened read-only (OpenFirma): every write fails; callers refuse writing
  // commands up front with a message of their own.
  virtual bool NurLesen() const { return false; }
  // Where it is connected, with any password removed (for messages and logs).
  virtual std::string Ort() const = 0;
  virtual std::unique_ptr<TDbStatement> Prepare(std::string_view ASql) = 0;
  // For a query whose result is small by its conditions (a few look-ups by
  // key): PostgreSQL then reads it whole in one round trip, and the server
  // keeps its plan, instead of declaring a cursor, which is planned anew at
  // every run and pays off only for results too large to hold at once.
  virtual std::unique_ptr<TDbStatement> PrepareGanz(std::string_view ASql) { return Prepare(ASql); }
  // Statements without parameters (DDL, PRAGMA); may hold several separated by ';'.
  virtual void ExecScript(std::string_view ASql) = 0;

  // One transaction at a time; Begin inside a transaction throws EDbError.
  virtual void Begin() = 0;
  virtual void Flush() = 0;  // send queued writes now; errors surface here
  // Sends queued writes without waiting for their answers: their errors
  // surface at the next statement that waits, at the latest at Commit.
  // Inside a transaction PostgreSQL sends them with the next statement that
  // waits (at the latest the commit), in the same round trip.
  virtual void Abschicken() { Flush(); }
  virtual void Commit() = 0;
  virtual void Rollback() = 0;  // never throws
  virtual bool InTransaction() const = 0;
  // True when a write now commits at once: no transaction is open, not even
  // one a script began.
  virtual bool SchreibtSofort() const { return !InTransaction(); }
};

// Rolls back on destruction unless committed: a failure between begin and
// commit leaves nothing of the transaction written.
class TDbTransaction {
 public:
  explicit TDbTransaction(TDbConnection& AConnection) : FConnection(AConnection) { FConnection.Begin(); }
  ~TDbTransaction() {
    if (!FDone) FConnection.Rollback();
  }
  TDbTransaction(const TDbTransaction&) = delete;
  TDbTransaction& operator=(const TDbTransaction&) = delete;
  void Commit() {
    FConnection.Commit();
    FDone = true;
  }

 private:
  TDbConnection& FConnection;
  bool FDone = false;
};
