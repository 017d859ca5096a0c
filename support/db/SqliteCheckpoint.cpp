#include "support/db/SqliteCheckpoint.h"

#include <sqlite3.h>

#include <utility>

#include "support/framework/KWDLog.h"

TSqliteCheckpointer::TSqliteCheckpointer(std::string APfad, const char* AVfs) : FPfad(std::move(APfad)), FVfs(AVfs) {}

TSqliteCheckpointer::~TSqliteCheckpointer() {
  {
    std::lock_guard Sperre(FMutex);
    FEnde = true;
  }
  FSignal.notify_all();
  if (FThread.joinable()) FThread.join();
}

void TSqliteCheckpointer::Anmelden(sqlite3* ADb) { sqlite3_wal_hook(ADb, &TSqliteCheckpointer::WalHook, this); }

int TSqliteCheckpointer::WalHook(void* AObjekt, sqlite3* ADb, const char* ADbName, int ASeiten) {
  if (ASeiten < KSeiten) return SQLITE_OK;
  // Called after the commit, its write lock released: the thread may start now.
  if (!static_cast<TSqliteCheckpointer*>(AObjekt)->Anstossen()) sqlite3_wal_checkpoint(ADb, ADbName);
  return SQLITE_OK;
}

bool TSqliteCheckpointer::Anstossen() {
  {
    std::lock_guard Sperre(FMutex);
    if (FDefekt) return false;
    FFaellig = true;
    if (!FThread.joinable()) FThread = std::thread([this] { Lauf(); });
  }
  FSignal.notify_one();
  return true;
}

void TSqliteCheckpointer::Lauf() {
  sqlite3* Db = nullptr;
  // A connection checkpoints only once it has read the file and so knows its log.
  if (sqlite3_open_v2(FPfad.c_str(), &Db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, FVfs) != SQLITE_OK ||
      sqlite3_exec(Db, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr) != SQLITE_OK) {
    KWDLogSchreiben("TSqliteCheckpointer", std::string("Checkpoint-Verbindung nicht geöffnet: ") +
                                               (Db ? sqlite3_errmsg(Db) : "kein Speicher"));
    sqlite3_close_v2(Db);
    std::lock_guard Sperre(FMutex);
    FDefekt = true;  // the commits checkpoint themselves again
    return;
  }
  std::unique_lock Sperre(FMutex);
  for (;;) {
    FSignal.wait(Sperre, [this] { return FFaellig || FEnde; });
    if (FEnde) break;
    FFaellig = false;
    Sperre.unlock();
    // A busy log is no error: the next commit asks again.
    const int Rc = sqlite3_wal_checkpoint_v2(Db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    if (Rc != SQLITE_OK && Rc != SQLITE_BUSY && Rc != SQLITE_LOCKED)
      KWDLogSchreiben("TSqliteCheckpointer", std::string("Checkpoint fehlgeschlagen: ") + sqlite3_errmsg(Db));
    Sperre.lock();
  }
  Sperre.unlock();
  sqlite3_close_v2(Db);
}
