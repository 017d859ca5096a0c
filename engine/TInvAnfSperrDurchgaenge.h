#pragma once
// The locking passes that completion and deletion share: lock a batch of
// articles inside block 11, hand it to the work, unlock it, and come back
// later for the articles other programs held.
#include <cstdint>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "engine/InvAnfListen.h"

class TInvAnfFortschritt;
class TInvAnfStapelKlammer;

// A failure of a step the whole batch shares (not of one of its articles,
// not of the database): the work throws it from Bearbeiten with the failure
// itself, the passes end, and it is registered once under AName, after the
// batch is rolled back and its locks are released.
class EInvAnfStapelFehler : public std::exception {
 public:
  EInvAnfStapelFehler(const char* AName, std::exception_ptr AUrsache) : FName(AName), FUrsache(std::move(AUrsache)) {}
  const char* what() const noexcept override { return "Ein Schritt des ganzen Stapels ist fehlgeschlagen"; }
  const char* Name() const { return FName; }
  const std::exception_ptr& Ursache() const { return FUrsache; }

 private:
  const char* FName;
  std::exception_ptr FUrsache;
};

// What the passes hand each batch of locked articles to: booking their target
// stock, or removing them from a request.
class TInvAnfStapelArbeit {
 public:
  virtual ~TInvAnfStapelArbeit() = default;
  // The entries still to do, and the article at a position.
  virtual int32_t Anzahl() const = 0;
  virtual TInt32Trio PId(int32_t APos) const = 0;
  // Writes the batch (ABatch: descending positions) inside the bracket's
  // booking, commits it with AKlammer.Abschliessen() and only then takes the
  // done entries out of the list. An exception leaves the list as it was.
  virtual void Bearbeiten(const TSperrBatch& ABatch, TInvAnfStapelKlammer& AKlammer) = 0;
  // Whether an article whose booking fails for its own data is set aside
  // (Zurueckstellen takes it out of the list) instead of ending the passes.
  virtual bool Zurueckstellbar() const { return false; }
  virtual void Zurueckstellen(int32_t APos, const std::exception& AFehler);
};

class TInvAnfSperrDurchgaenge {
 public:
  // ABuchung: the registry name of the batches' bookings and of the passes.
  TInvAnfSperrDurchgaenge(TInvAnfFortschritt& AFortschritt, std::string ABuchung);

  // Up to five walks from the last list position to the first, locking at
  // most 20 articles per batch inside block 11, handing each batch to the
  // work, unlocking, and pausing after every pass that leaves entries.
  // Refusals in pass 5 become messages. A batch's locks are released on
  // every way out; a failing batch is rolled back. Where the work sets
  // articles aside, the failed batch's articles are booked again one per
  // batch and the one that fails alone is set aside; the passes go on
  // (unless 20 fail in a row). A failure of the whole batch
  // (EInvAnfStapelFehler) ends the passes and is registered under its own
  // name, once. Any other failure ends the passes and is
  // registered under ABuchung, once; a failure of the database (connection,
  // disk, locks) goes on to the command's outermost guard (KWDGuard.h).
  // False when such a failure was registered here: nothing more can be done now.
  bool Ausfuehren(TInvAnfStapelArbeit& AArbeit, TMeldungsListe& AMeldungen);

 private:
  void Durchgaenge(TInvAnfStapelArbeit& AArbeit, TMeldungsListe& AMeldungen);

  TInvAnfFortschritt& FFortschritt;
  std::string FBuchung;
};
