#pragma once
// The booking bracket: everything written between BuchungBeginn and
// BuchungEnde is one transaction on the company connection KWDDatenbank().
// A failure in between leaves nothing of it written: BuchungAbbrechen rolls
// back, and TBuchungsKlammer does so when its scope is left without Ende.
//
// A BuchungBeginn while a bracket is still open can only follow an operation
// whose exception escaped before its end: that abandoned bracket is rolled
// back (and logged) before the new one opens, so the half-written work of the
// failed operation is never committed by the next one.
#include <functional>
#include <string>
#include <vector>

class TDbConnection;

// The booking kind of stock bookings.
inline constexpr int CKWD_Buchung_Bestand = 63;

class TKWDBuchung {
 public:
  // Opens the bracket. AArt and AOption are the suite's booking kind and
  // option: every kind is the same one transaction here. ABuchungsNr
  // receives a number counting this process's brackets.
  void BuchungBeginn(int AArt, const std::string& AName, int& ABuchungsNr, int AOption);
  // Runs the collected work and hands queued writes to the connection. It
  // does not wait for their answers (on PostgreSQL the writes travel with the
  // commit and are answered with it): a failure among them surfaces at
  // BuchungEnde at the latest, which then rolls the whole bracket back.
  void BuchungFlush();
  // Commits. Throws std::logic_error when no bracket is open; a failing
  // commit rolls back and rethrows.
  void BuchungEnde(const std::string& AName);
  // Rolls back an open bracket; nothing happens without one. Never throws.
  void BuchungAbbrechen() noexcept;
  bool Offen() const { return FVerbindung != nullptr; }
  const std::string& Name() const { return FName; }
  // The number of the open (or last) bracket: tells brackets apart.
  int Nummer() const { return FNummer; }

  // Work that sends writes a service collected during the open bracket (a
  // batch's removals in one statement): runs at BuchungFlush, or at
  // BuchungEnde before the commit when no flush came, in the order given. A
  // bracket rolled back drops it. Throws std::logic_error without a bracket.
  void BeimAbschicken(std::function<void()> AArbeit);

 private:
  void ArbeitAbschicken();

  TDbConnection* FVerbindung = nullptr;
  std::string FName;
  int FNummer = 0;
  std::vector<std::function<void()>> FArbeit;
};

// The process's booking object. The flag is the suite's "create" argument;
// the object always exists.
TKWDBuchung& KWDBuchung(bool AErzeugen = true);

// Opens a bracket and rolls it back on leaving the scope unless Ende ran.
class TBuchungsKlammer {
 public:
  TBuchungsKlammer(const std::string& AName, int AArt = CKWD_Buchung_Bestand);
  ~TBuchungsKlammer();
  TBuchungsKlammer(const TBuchungsKlammer&) = delete;
  TBuchungsKlammer& operator=(const TBuchungsKlammer&) = delete;
  void Flush();
  void Ende();

 private:
  std::string FName;
  bool FOffen = true;
};
