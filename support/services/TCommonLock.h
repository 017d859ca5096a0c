#pragma once
// The suite's common lock: product-id locks that every program of the company
// respects, and suite-wide blocks that serialise lock and unlock steps.
//
// Lock rows live in the table artikelsperre and name their holder. They are
// written on a connection of their own to the company, in autocommit: others
// see a lock at once, and a booking that is rolled back on the process's
// company connection never takes a lock row with it.
//
// A lock whose holder has ended (crash, SIGKILL) never blocks anyone: the
// next program that meets it checks the holder (SperrHalter.h) and removes the
// row. A holder releases its locks and blocks when the object is destroyed,
// which for CommonLock() is at the program's normal end.
//
// Blocks: SQLite takes flock() on the file "<database>.block<id>" beside the
// database (one machine); PostgreSQL takes a session advisory lock (works
// across machines). Both end with the holder process. Blocks nest within a
// process: only the outermost DummyBlock/DummyUnBlock pair acts.
//
// On SQLite lock rows are written through the company connection itself
// whenever that commits at once (no transaction open on it): a commit by
// another connection makes SQLite drop a connection's whole page cache, and a
// booking that locks batch by batch would read its pages anew every batch.
//
// On SQLite the lock connection cannot write while this process's company
// connection holds an open write transaction (a booking bracket): lock and
// unlock then fail at once with EDbError instead of waiting; take and release
// locks outside a booking or inside a TInBuchung scope (below), which is how
// the stock-take bookings lock, book and unlock a batch.
//
// TInBuchung (see SperrtInBuchung): locks taken inside the booking open on
// the company connection belong to that booking. Block 11 then spans the
// booking: on SQLite the caller takes it before the booking (BlockVorBuchung),
// whose write lock keeps every other writer out anyway; on PostgreSQL the
// first DummyBlock inside the scope takes it as a lock of the booking's
// transaction, which its commit or rollback releases (DummyUnBlock leaves it).
// Every program writes its lock rows under block 11, so while the booking
// holds the block no lock row can appear: a free article is held by the
// booking itself, without a row of its own (no other program could see one
// before the commit anyway, and none is left behind by a crash); only
// articles that already have a row go the usual way, inside the booking.
// Such holds end with the scope: the caller unlocks before committing and
// again after a rollback, as with rows. Another program asking for such an
// article meanwhile waits for the booking's end.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "support/db/TDbAbfragen.h"
#include "support/services/SperrHalter.h"
#include "support/types/TInt32Trio.h"
#include "support/types/TQLX_clMeldung.h"

class TDbConnection;

using TQLX_Lock_Kennung = int32_t;
// The block around the lock and unlock steps of stock-take bookings.
inline constexpr TQLX_Lock_Kennung CQLX_Lock_Inventur = 11;

class TCommonLock {
 public:
  // AOrt: the company (SQLite path or postgresql:// URI); empty follows the
  // process's company connection KWDDatenbank().
  explicit TCommonLock(std::string AOrt = {});
  ~TCommonLock();
  TCommonLock(const TCommonLock&) = delete;
  TCommonLock& operator=(const TCommonLock&) = delete;

  // Waits until no other program holds block AKennung, then holds it.
  void DummyBlock(TQLX_Lock_Kennung AKennung);
  // The same for a lock or unlock step whose work under the block is this
  // object's own lock statements: on PostgreSQL the block is requested
  // without waiting, and the lock connection's next statement waits for it
  // (the server runs a session's statements in order) - one round trip less.
  void DummyBlockFuerSperren(TQLX_Lock_Kennung AKennung);
  void DummyUnBlock(TQLX_Lock_Kennung AKennung);

  // True: the product id is locked for this program (also when it was
  // already). False: another live program holds it; the second form then
  // fills AMeldung with the holder (Artikel stays empty for the caller).
  // AMeldungZeigen: show the refusal to the user as a message as well.
  // Database failures throw EDbError.
  bool LockProdId(const TInt32Trio& AProdId, bool AMeldungZeigen);
  bool LockProdId(const TInt32Trio& AProdId, TQLX_clMeldung& AMeldung, bool AMeldungZeigen);
  // Releases a lock of this program. False when it held none for AProdId
  // (shown to the user with AMeldungZeigen).
  bool UnlockProdId(const TInt32Trio& AProdId, bool AMeldungZeigen);

  // Batch forms for callers that lock many articles in a row: the same
  // per-article locks, written in one transaction and statement. LockProdIds
  // returns one flag per id (true: locked for this program); an id it could
  // not take at once stays false without a message, so the caller asks for
  // it with LockProdId, which also clears a dead holder's row and names the
  // live one. UnlockProdIds releases the given ids this program holds.
  std::vector<bool> LockProdIds(const std::vector<TInt32Trio>& AProdIds);
  void UnlockProdIds(const std::vector<TInt32Trio>& AProdIds);

  // Releases every lock this object holds; never throws (failures are logged).
  void AllesFreigeben() noexcept;
  bool Haelt(const TInt32Trio& AProdId) const;
  // The program name written into lock rows (default: KWDProgrammname()).
  void SetProgramm(const std::string& AProgramm);

  // True when lock rows can join the company connection's booking (see
  // TInBuchung): this lock follows the process's company.
  bool SperrtInBuchung();
  // Whether the caller takes block 11 before opening such a booking (SQLite:
  // before its write lock) rather than inside it (PostgreSQL).
  bool BlockVorBuchung();
  class TInBuchung {
   public:
    explicit TInBuchung(TCommonLock& ASperre);
    ~TInBuchung();
    TInBuchung(const TInBuchung&) = delete;
    TInBuchung& operator=(const TInBuchung&) = delete;

   private:
    TCommonLock& FSperre;
  };

 private:
  TDbConnection& Verbindung();
  TDbAbfragen& Schreiber();
  TDbConnection& SchreibVerbindung() { return Schreiber().Verbindung(); }
  void OffeneBuchungPruefen();
  bool BuchungHaeltSchreibsperre();
  std::vector<TInt32Trio> MitSperrZeile(const std::vector<TInt32Trio>& AProdIds);
  bool SperreVersuchen(const TInt32Trio& AProdId, TQLX_clMeldung& AMeldung, bool AMeldungZeigen);
  void BlockSetzen(TQLX_Lock_Kennung AKennung, bool AWarten);
  void BlockNehmen(TQLX_Lock_Kennung AKennung, bool AWarten);
  void BlockLassen(TQLX_Lock_Kennung AKennung);
  // PostgreSQL inside a booking: the block as a lock of its transaction.
  void BuchungsBlockNehmen(TQLX_Lock_Kennung AKennung = CQLX_Lock_Inventur);
  // PostgreSQL outside a booking: a lock row is written under block 11.
  class TZeilenBlock;
  void VerbindungSchliessen() noexcept;

  mutable std::recursive_mutex FMutex;
  std::string FOrt;              // fixed company, or empty
  std::string FVerbindungsOrt;   // where FVerbindung is connected
  std::unique_ptr<TDbConnection> FVerbindung;
  std::unique_ptr<TDbAbfragen> FAbfragen;  // statements on FVerbindung (batch forms by row count)
  std::unique_ptr<TDbAbfragen> FFirmaAbfragen;  // the same on the company connection (SQLite)
  uint64_t FFirmaGeneration = 0;
  std::string FProgramm;
  bool FInBuchung = false;  // a TInBuchung scope is open
  std::set<TQLX_Lock_Kennung> FBuchungsBloecke;  // PostgreSQL: held by the booking's transaction
  TSperrHalter FHalter;
  std::set<TInt32Trio> FGehalten;  // with a lock row
  std::set<TInt32Trio> FBuchungHaelt;  // by the booking's write lock (TInBuchung)
  std::map<TQLX_Lock_Kennung, int> FBlockTiefe;
  std::map<TQLX_Lock_Kennung, int> FBlockDatei;  // SQLite: open flock file per block
};

// The process's common lock; released at the program's end.
TCommonLock& CommonLock();
