#pragma once
// One batch of the locking passes, from its lock step to its commit: block 11,
// the booking, the article locks the batch holds, and their release.
#include <optional>
#include <string>

#include "engine/InvAnfListen.h"
#include "support/services/TCommonLock.h"
#include "support/services/TKWDBuchung.h"

// Holds block 11 for one lock or unlock step; released also on failure.
class TInvAnfBlockSchritt {
 public:
  TInvAnfBlockSchritt();
  ~TInvAnfBlockSchritt();
  TInvAnfBlockSchritt(const TInvAnfBlockSchritt&) = delete;
  TInvAnfBlockSchritt& operator=(const TInvAnfBlockSchritt&) = delete;
};

// Where the common lock follows the company connection, lock step, booking
// and unlock share the booking's transaction (TCommonLock::TInBuchung) and
// block 11 spans the batch: on SQLite taken before the booking's write lock,
// so no one waits for the block while holding that lock; on PostgreSQL the
// lock step takes it inside the booking's transaction. Elsewhere the booking
// opens after the lock step (BuchungOeffnen) and the unlock follows the commit.
//
// Ending (Beenden, or the destructor on every other way out) always runs in
// this order: the locks leave the booking, the booking is rolled back unless
// committed, the batch's locks are released, block 11 is released. Failures
// of the database on the way after another failure are no news and stay
// quiet; the destructor never throws.
class TInvAnfStapelKlammer {
 public:
  // ABuchung: the booking's registry name.
  explicit TInvAnfStapelKlammer(const std::string& ABuchung);
  ~TInvAnfStapelKlammer();
  TInvAnfStapelKlammer(const TInvAnfStapelKlammer&) = delete;
  TInvAnfStapelKlammer& operator=(const TInvAnfStapelKlammer&) = delete;

  // The articles locked for this batch, in the order they were locked.
  const TSperrBatch& Batch() const { return FBatch; }
  // An article the lock step obtained (position in the caller's list).
  void Hinzufuegen(const TInt32Trio& APId, int32_t APos);
  // Opens the booking for the batch's writes, where it is not open yet.
  void BuchungOeffnen();
  // Commits the batch: queued writes sent, its locks released with it
  // (inside the booking where they belong to it), the booking ended.
  void Abschliessen();
  // Ends the batch in the fixed order above; throws when the release fails.
  void Beenden();

 private:
  void Entsperren();
  std::string FBuchung;
  bool FInBuchung = false;
  std::optional<TInvAnfBlockSchritt> FBlock;  // SQLite: block 11 for the whole batch
  TSperrBatch FBatch;
  bool FFrei = false;  // the batch's locks are released
  std::optional<TBuchungsKlammer> FKlammer;
  std::optional<TCommonLock::TInBuchung> FSperrenInBuchung;
};
