#pragma once
// One batch of the locking passes, from its lock step to its commit: block 11,
// the booking, the article locks the batch holds, and their release.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

  // The lock step: block 11 held while it lives. Every article it locks
  // joins the batch at once, so a failure partway through the step leaves
  // no lock the batch does not release. A failed attempt is registered under
  // "TQLX_InvAnfMani.SperrePID" and counts as refused; a failure of the
  // database passes on.
  class TSperrSchritt {
   public:
    explicit TSperrSchritt(TInvAnfStapelKlammer& AKlammer) : FKlammer(AKlammer) {}
    // Locks the free ones of APIds (list positions AErstePos, AErstePos - 1,
    // ...) in one call; one flag each. A refused one goes through SperrePID.
    std::vector<bool> SperrePIDs(const std::vector<TInt32Trio>& APIds, int32_t AErstePos);
    // Tries to lock one article at APos; with AMitMeldung a refusal fills AMeldung.
    bool SperrePID(const TInt32Trio& APId, int32_t APos, bool AMitMeldung, TQLX_clMeldung& AMeldung);

   private:
    TInvAnfBlockSchritt FBlock;
    TInvAnfStapelKlammer& FKlammer;
  };

  // The articles locked for this batch, by descending list position.
  const TSperrBatch& Batch() const { return FBatch; }
  // Opens the booking for the batch's writes, where it is not open yet.
  void BuchungOeffnen();
  // Commits the batch: queued writes sent, its locks released with it
  // (inside the booking where they belong to it), the booking ended.
  void Abschliessen();
  // Ends the batch in the fixed order above; throws when the release fails.
  void Beenden();

 private:
  void Hinzufuegen(const TInt32Trio& APId, int32_t APos);
  // The fixed order of the end; AStill: a failed release is registered
  // quietly instead of thrown (the destructor's way).
  void Ende(bool AStill);
  void Entsperren();
  std::string FBuchung;
  bool FInBuchung = false;
  std::optional<TInvAnfBlockSchritt> FBlock;  // SQLite: block 11 for the whole batch
  TSperrBatch FBatch;
  bool FFrei = false;  // the batch's locks are released
  std::optional<TBuchungsKlammer> FKlammer;
  std::optional<TCommonLock::TInBuchung> FSperrenInBuchung;
};
