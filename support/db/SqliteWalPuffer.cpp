#include "support/db/SqliteWalPuffer.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <vector>

// A commit writes each WAL frame as two calls (24-byte header, then the
// page): some sixty system calls for a small booking. This layer over the
// system's VFS collects the appends of a commit and writes them in one call
// when the commit frame's page arrives - before SQLite publishes the commit
// in the shared WAL index, so no reader can see a frame that is not in the
// file yet. Any other access to the WAL (read, sync, size, truncate, close,
// a write elsewhere) writes what is collected first; the shared-memory calls
// of the database file do as well, as a second safeguard. Files other than
// the WAL pass straight through.
namespace {

constexpr int KKopfGroesse = 24;                // a WAL frame header
constexpr size_t KGrenze = size_t{1} << 20;     // a large transaction writes in pieces of about 1 MiB
// The system's VFS writes at most 128 KiB - 1 per call (it masks the count).
constexpr size_t KJeAufruf = (size_t{128} << 10) - 4096;
constexpr const char* KName = "wws-walpuffer";

sqlite3_vfs* GSystem = nullptr;
sqlite3_vfs GVfs;

struct TDatei;
// The open WAL files of this process. Never destroyed: connections held by
// static objects close at exit, after this file's statics would be gone.
struct TWalDateien {
  std::mutex Mutex;
  std::vector<TDatei*> Liste;
};
TWalDateien& WalDateien() {
  static auto* G = new TWalDateien;
  return *G;
}

struct TDatei {
  sqlite3_file Basis;  // first: SQLite sees this
  sqlite3_file* System = nullptr;
  bool IstWal = false;
  std::string Name;
  std::string WalName;  // database files: the name of their WAL
  std::mutex Mutex;
  std::vector<char> Puffer;
  sqlite3_int64 Start = 0;
  bool CommitEndet = false;  // the next write is the page of a commit frame
};

TDatei* Von(sqlite3_file* AFile) { return reinterpret_cast<TDatei*>(AFile); }
const sqlite3_io_methods* M(TDatei* D) { return D->System->pMethods; }

// With the file's mutex held.
int Schreiben(TDatei* D) {
  int Rc = SQLITE_OK;
  for (size_t Ab = 0; Ab < D->Puffer.size() && Rc == SQLITE_OK; Ab += KJeAufruf) {
    const size_t Anzahl = std::min(KJeAufruf, D->Puffer.size() - Ab);
    Rc = M(D)->xWrite(D->System, D->Puffer.data() + Ab, static_cast<int>(Anzahl),
                      D->Start + static_cast<sqlite3_int64>(Ab));
  }
  D->Puffer.clear();
  return Rc;
}

int Leeren(TDatei* D) {
  if (!D->IstWal) return SQLITE_OK;
  std::lock_guard Sperre(D->Mutex);
  return Schreiben(D);
}

// Before the database file's shared-memory calls: the WAL files of the same
// database hold nothing back.
void WalLeeren(TDatei* D) {
  TWalDateien& G = WalDateien();
  std::lock_guard Sperre(G.Mutex);
  for (TDatei* W : G.Liste)
    if (W->Name == D->WalName) Leeren(W);
}

int Close(sqlite3_file* F) {
  TDatei* D = Von(F);
  int Rc = Leeren(D);
  if (D->IstWal) {
    TWalDateien& G = WalDateien();
    std::lock_guard Sperre(G.Mutex);
    std::erase(G.Liste, D);
  }
  const int RcClose = M(D)->xClose(D->System);
  sqlite3_free(D->System);
  D->~TDatei();
  return Rc != SQLITE_OK ? Rc : RcClose;
}

int Read(sqlite3_file* F, void* ADaten, int AAnzahl, sqlite3_int64 AAb) {
  TDatei* D = Von(F);
  if (const int Rc = Leeren(D); Rc != SQLITE_OK) return Rc;
  return M(D)->xRead(D->System, ADaten, AAnzahl, AAb);
}

int Write(sqlite3_file* F, const void* ADaten, int AAnzahl, sqlite3_int64 AAb) {
  TDatei* D = Von(F);
  if (!D->IstWal) return M(D)->xWrite(D->System, ADaten, AAnzahl, AAb);
  std::lock_guard Sperre(D->Mutex);
  if (!D->Puffer.empty() && AAb != D->Start + static_cast<sqlite3_int64>(D->Puffer.size()))
    if (const int Rc = Schreiben(D); Rc != SQLITE_OK) return Rc;
  if (D->Puffer.empty()) D->Start = AAb;
  const char* Bytes = static_cast<const char*>(ADaten);
  D->Puffer.insert(D->Puffer.end(), Bytes, Bytes + AAnzahl);
  const bool Jetzt = D->CommitEndet || D->Puffer.size() >= KGrenze;
  // A frame header whose "database size after commit" is set opens a commit frame.
  D->CommitEndet = AAnzahl == KKopfGroesse && (Bytes[4] | Bytes[5] | Bytes[6] | Bytes[7]) != 0;
  return Jetzt ? Schreiben(D) : SQLITE_OK;
}

int Truncate(sqlite3_file* F, sqlite3_int64 AGroesse) {
  TDatei* D = Von(F);
  if (const int Rc = Leeren(D); Rc != SQLITE_OK) return Rc;
  return M(D)->xTruncate(D->System, AGroesse);
}

int Sync(sqlite3_file* F, int AFlags) {
  TDatei* D = Von(F);
  if (const int Rc = Leeren(D); Rc != SQLITE_OK) return Rc;
  return M(D)->xSync(D->System, AFlags);
}

int FileSize(sqlite3_file* F, sqlite3_int64* AGroesse) {
  TDatei* D = Von(F);
  if (const int Rc = Leeren(D); Rc != SQLITE_OK) return Rc;
  return M(D)->xFileSize(D->System, AGroesse);
}

int Lock(sqlite3_file* F, int A) { return M(Von(F))->xLock(Von(F)->System, A); }
int Unlock(sqlite3_file* F, int A) { return M(Von(F))->xUnlock(Von(F)->System, A); }
int CheckReservedLock(sqlite3_file* F, int* A) { return M(Von(F))->xCheckReservedLock(Von(F)->System, A); }

int FileControl(sqlite3_file* F, int AOp, void* AArg) {
  TDatei* D = Von(F);
  if (const int Rc = Leeren(D); Rc != SQLITE_OK) return Rc;
  return M(D)->xFileControl(D->System, AOp, AArg);
}

int SectorSize(sqlite3_file* F) { return M(Von(F))->xSectorSize(Von(F)->System); }
int DeviceCharacteristics(sqlite3_file* F) { return M(Von(F))->xDeviceCharacteristics(Von(F)->System); }

int ShmMap(sqlite3_file* F, int ASeite, int AGroesse, int AErweitern, void volatile** AAdresse) {
  TDatei* D = Von(F);
  WalLeeren(D);
  return M(D)->xShmMap(D->System, ASeite, AGroesse, AErweitern, AAdresse);
}

int ShmLock(sqlite3_file* F, int AAb, int AAnzahl, int AFlags) {
  TDatei* D = Von(F);
  WalLeeren(D);
  return M(D)->xShmLock(D->System, AAb, AAnzahl, AFlags);
}

void ShmBarrier(sqlite3_file* F) {
  TDatei* D = Von(F);
  WalLeeren(D);
  M(D)->xShmBarrier(D->System);
}

int ShmUnmap(sqlite3_file* F, int ALoeschen) {
  TDatei* D = Von(F);
  WalLeeren(D);
  return M(D)->xShmUnmap(D->System, ALoeschen);
}

int Fetch(sqlite3_file* F, sqlite3_int64 AAb, int AAnzahl, void** AAdresse) {
  return M(Von(F))->xFetch(Von(F)->System, AAb, AAnzahl, AAdresse);
}

int Unfetch(sqlite3_file* F, sqlite3_int64 AAb, void* AAdresse) {
  return M(Von(F))->xUnfetch(Von(F)->System, AAb, AAdresse);
}

const sqlite3_io_methods GMethoden = {3,         Close,      Read,      Write,   Truncate,
                                      Sync,      FileSize,   Lock,      Unlock,  CheckReservedLock,
                                      FileControl, SectorSize, DeviceCharacteristics, ShmMap, ShmLock,
                                      ShmBarrier, ShmUnmap,  Fetch,     Unfetch};

int Open(sqlite3_vfs*, const char* AName, sqlite3_file* F, int AFlags, int* AAusFlags) {
  F->pMethods = nullptr;
  auto* System = static_cast<sqlite3_file*>(sqlite3_malloc(GSystem->szOsFile));
  if (!System) return SQLITE_NOMEM;
  std::memset(System, 0, static_cast<size_t>(GSystem->szOsFile));
  const int Rc = GSystem->xOpen(GSystem, AName, System, AFlags, AAusFlags);
  // The system's files have version 3 (shared memory, memory mapping); anything else goes untouched.
  if (Rc != SQLITE_OK || !System->pMethods || System->pMethods->iVersion < 3) {
    if (Rc == SQLITE_OK && System->pMethods) System->pMethods->xClose(System);
    sqlite3_free(System);
    return Rc != SQLITE_OK ? Rc : SQLITE_CANTOPEN;
  }
  TDatei* D = new (F) TDatei;
  D->System = System;
  D->IstWal = (AFlags & SQLITE_OPEN_WAL) != 0;
  D->Name = AName ? AName : "";
  if (!D->IstWal) D->WalName = D->Name + "-wal";
  D->Basis.pMethods = &GMethoden;
  if (D->IstWal) {
    TWalDateien& G = WalDateien();
    std::lock_guard Sperre(G.Mutex);
    G.Liste.push_back(D);
  }
  return SQLITE_OK;
}

// Everything but opening is the system's.
int Delete(sqlite3_vfs*, const char* AName, int ASync) { return GSystem->xDelete(GSystem, AName, ASync); }
int Access(sqlite3_vfs*, const char* AName, int AFlags, int* AErgebnis) {
  return GSystem->xAccess(GSystem, AName, AFlags, AErgebnis);
}
int FullPathname(sqlite3_vfs*, const char* AName, int AAnzahl, char* AAus) {
  return GSystem->xFullPathname(GSystem, AName, AAnzahl, AAus);
}
void* DlOpen(sqlite3_vfs*, const char* AName) { return GSystem->xDlOpen(GSystem, AName); }
void DlError(sqlite3_vfs*, int AAnzahl, char* AAus) { GSystem->xDlError(GSystem, AAnzahl, AAus); }
void (*DlSym(sqlite3_vfs*, void* AHandle, const char* AName))(void) { return GSystem->xDlSym(GSystem, AHandle, AName); }
void DlClose(sqlite3_vfs*, void* AHandle) { GSystem->xDlClose(GSystem, AHandle); }
int Randomness(sqlite3_vfs*, int AAnzahl, char* AAus) { return GSystem->xRandomness(GSystem, AAnzahl, AAus); }
int Sleep(sqlite3_vfs*, int AMikro) { return GSystem->xSleep(GSystem, AMikro); }
int CurrentTime(sqlite3_vfs*, double* AZeit) { return GSystem->xCurrentTime(GSystem, AZeit); }
int GetLastError(sqlite3_vfs*, int AAnzahl, char* AAus) { return GSystem->xGetLastError(GSystem, AAnzahl, AAus); }
int CurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* AZeit) { return GSystem->xCurrentTimeInt64(GSystem, AZeit); }

}  // namespace

const char* SqliteWalPufferVfs() {
  static std::once_flag Einmal;
  static bool Bereit = false;
  std::call_once(Einmal, [] {
    GSystem = sqlite3_vfs_find(nullptr);
    if (!GSystem || GSystem->iVersion < 2 || !GSystem->xCurrentTimeInt64) return;
    GVfs = sqlite3_vfs{};
    GVfs.iVersion = 2;
    GVfs.szOsFile = static_cast<int>(sizeof(TDatei));
    GVfs.mxPathname = GSystem->mxPathname;
    GVfs.zName = KName;
    GVfs.xOpen = Open;
    GVfs.xDelete = Delete;
    GVfs.xAccess = Access;
    GVfs.xFullPathname = FullPathname;
    GVfs.xDlOpen = DlOpen;
    GVfs.xDlError = DlError;
    GVfs.xDlSym = DlSym;
    GVfs.xDlClose = DlClose;
    GVfs.xRandomness = Randomness;
    GVfs.xSleep = Sleep;
    GVfs.xCurrentTime = CurrentTime;
    GVfs.xGetLastError = GetLastError;
    GVfs.xCurrentTimeInt64 = CurrentTimeInt64;
    Bereit = sqlite3_vfs_register(&GVfs, 0) == SQLITE_OK;
  });
  return Bereit ? KName : nullptr;
}
