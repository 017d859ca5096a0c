#pragma once
// The WAL checkpoint of a company connection, in a thread of its own.
//
// SQLite copies the write-ahead log back into the database file when a commit
// finds the log long enough (wal_autocheckpoint): that commit then writes and
// syncs tens of megabytes, for 50 to 150 ms, and whoever committed waits,
// the desktop program's window among them. Here the commit only asks: a
// thread with a connection of its own checkpoints (PASSIVE: it never waits
// for, nor blocks, readers and writers of any program) while the writer goes
// on. Only where that thread cannot work does the commit checkpoint itself,
// as SQLite would.
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

struct sqlite3;

class TSqliteCheckpointer {
 public:
  // Log length in pages from which a checkpoint is due (4 KiB pages: 64 MiB).
  static constexpr int KSeiten = 16384;

  // APfad: the database file; AVfs: the VFS the connections use (may be null).
  TSqliteCheckpointer(std::string APfad, const char* AVfs);
  // Ends the thread (a checkpoint under way finishes first).
  ~TSqliteCheckpointer();
  TSqliteCheckpointer(const TSqliteCheckpointer&) = delete;
  TSqliteCheckpointer& operator=(const TSqliteCheckpointer&) = delete;

  // Makes ADb ask this object after each commit instead of checkpointing.
  void Anmelden(sqlite3* ADb);

 private:
  static int WalHook(void* AObjekt, sqlite3* ADb, const char* ADbName, int ASeiten);
  // False when the thread cannot do it (it could not open its connection).
  bool Anstossen();
  void Lauf();

  std::string FPfad;
  const char* FVfs;
  std::mutex FMutex;
  std::condition_variable FSignal;
  bool FFaellig = false;
  bool FEnde = false;
  bool FDefekt = false;
  std::thread FThread;
};
