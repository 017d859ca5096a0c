#pragma once
// The framework's error registry and numbered messages, reached through KWDInfo().
//
// Registered errors are written to the suite log (KWDLog.h) and stay pending
// until a checkpoint takes them: FehlerRaise rethrows the oldest pending error
// as EKWDFehler, FehlerTerminate drops them. A qualified name "Class.Method"
// scopes both calls to the errors registered under that class; a name without a
// point (the program name, e.g. "invanf") covers every pending error. So an
// error a form's create handler registered surfaces at the program's next
// FehlerRaise("invanf"), and a destructor's own errors never leak into later,
// unrelated checkpoints.
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/framework/EKWDSatzFehler.h"
#include "support/framework/KWDMeldungPresenter.h"

// The exception FehlerRaise throws: carries the qualified name the error was
// registered under, its two parts and whether the user has already seen it.
class EKWDFehler : public EKWDSatzFehler {
 public:
  EKWDFehler(std::string AName, const std::string& ASatz, const std::string& ATechnisch = {}, bool AGemeldet = false)
      : EKWDSatzFehler(ASatz, ATechnisch), FName(std::move(AName)), FGemeldet(AGemeldet) {}
  const std::string& Name() const { return FName; }
  bool Gemeldet() const { return FGemeldet; }

 private:
  std::string FName;
  bool FGemeldet;
};

struct TKWDFehler {
  std::string Name;  // qualified name, "Class.Method"
  std::string Text;       // the sentence of the registered exception (KWDFehlerTeile)
  std::string Technisch;  // its technical text, may be empty
  bool Gemeldet = false;  // shown to the user when registered
};

class TKWDInfo {
 public:
  // Logs the error under AName (sentence and technical text); with AReport
  // the user sees it (message presenter, kind 0): the sentence as the text,
  // the qualified name and the technical text as its details. Never throws: a broken log or presenter must not turn
  // error handling into a second error.
  void RegisterException(const std::string& AName, const std::exception& AE, bool AReport) noexcept;
  void RegisterException(const std::string& AName, const std::string& AText, bool AReport) noexcept;
  void RegisterException(const std::string& AName, const TKWDFehlerTeile& ATeile, bool AReport) noexcept;

  // Throws EKWDFehler for the oldest pending error in AName's scope (see above)
  // and removes all pending errors of that scope. Does nothing when none is
  // pending. The further arguments are the suite's extra details; they go to
  // the log line of the raise.
  void FehlerRaise(const std::string& AName, int ANr = 0, const std::string& AText1 = {},
                   const std::string& AText2 = {}, int AWert1 = 0, int AWert2 = 0);
  // Drops the pending errors of AName's scope. Never throws.
  void FehlerTerminate(const std::string& AName, int ANr = 0, const std::string& AText1 = {},
                       const std::string& AText2 = {}, int AWert1 = 0, int AWert2 = 0) noexcept;

  // Shows the catalogue text of (AGruppe, ANr) with AArgs substituted through
  // the current presenter and returns its modal result (KWD_MR_*). A presenter
  // that fails counts as "No"/"Cancel" and is logged. AStandard: the answer
  // of the default button (TKWDMeldung::Standard).
  int ShowMeldung(int AArt, const std::string& AGruppe, int ANr, const std::vector<std::string>& AArgs = {},
                  void* AOwner = nullptr, int AStandard = KWD_MR_NONE) noexcept;

  // Pending (not yet raised or terminated) errors, oldest first.
  std::vector<TKWDFehler> Anstehend() const;
  // Every pending error beyond this many drops the oldest: a long session that
  // never reaches a checkpoint must not grow without bound.
  static constexpr std::size_t KMaxAnstehend = 100;

 private:
  mutable std::mutex FMutex;
  std::deque<TKWDFehler> FAnstehend;
};

TKWDInfo& KWDInfo();

// The details of a fault a message box offers: where it happened (the
// qualified name) and the technical text.
std::string KWDFehlerDetails(const std::string& AName, const std::string& ATechnisch);

// Lets pending window messages run for up to AMillisekunden (0: just the
// pending ones). No-op headless; the application plugs in Qt's event loop.
void KWDInfoProcessMessages(int AMillisekunden);
using TKWDProcessMessagesHook = std::function<void(int)>;
// Replaces the hook; an empty function restores the no-op. Returns the old one.
TKWDProcessMessagesHook KWDInfoProcessMessagesHookSet(TKWDProcessMessagesHook AHook);
