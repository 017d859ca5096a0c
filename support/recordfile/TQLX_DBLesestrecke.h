#pragma once
// A stretch of many short reads that share one read snapshot.
//
// On SQLite every statement outside a transaction begins and ends a read
// transaction of its own, with file-locking system calls each time; over a
// hundred thousand keyed reads, one article at a time, those calls cost more
// than the reads themselves. The stretch holds one deferred read transaction
// instead (WAL: other programs go on writing; the stretch keeps seeing the
// state of its first read).
//
// Only for stretches that write nothing. Inside a caller's transaction, and on
// PostgreSQL (whose reads outside a transaction already share one), it does
// nothing.
class TDbConnection;

class TQLX_DBLesestrecke {
 public:
  explicit TQLX_DBLesestrecke(TDbConnection& AConnection);
  ~TQLX_DBLesestrecke();  // ends the snapshot; never throws
  TQLX_DBLesestrecke(const TQLX_DBLesestrecke&) = delete;
  TQLX_DBLesestrecke& operator=(const TQLX_DBLesestrecke&) = delete;

  bool Offen() const { return FOffen; }

 private:
  TDbConnection& FConn;
  bool FOffen = false;
};
