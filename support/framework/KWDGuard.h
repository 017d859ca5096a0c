#pragma once
// The error convention in one place: run a method's body, register a
// std::exception under the method's qualified name and return a failure value.
//
//   bool TFoo::Bar() { return KWDGuard("TFoo.Bar", [&] { ...; return true; }, false); }
//   void TFoo::Click() { KWDGuard("TFoo.Click", [&] { ... }); }
//   void TFoo::Release() { KWDGuardStill("TFoo.Release", [&] { ... }); }
//   TFoo::~TFoo() { KWDZerstoeren("TFoo.Destroy", {[&] { FA.reset(); }, [&] { FB.reset(); }}); }
//
// A body that returns a value gives KWDGuard the value to return after a
// failure; one that returns nothing gets none, and is shown to the user.
// KWDGuardStill registers without showing: for release steps.
//
// What passes through a guard instead of being registered:
// - Exceptions not derived from std::exception (a test's throw 17, the
//   unwinding that ends a thread): they are no failure of the body this
//   convention knows of, and whoever threw them expects to catch them.
// - A failure that ends the work (KWDEndetArbeit: the database itself
//   failed), when this guard runs inside another: it is no failure of the
//   one article, row or lookup the inner guard surrounds, what comes next
//   would fail as well. So the outermost guard of the command registers it
//   once and the command ends. Where no exception may pass (a window event,
//   see TKWDGuardGrenze; a release step, KWDGuardStill), the guard there is
//   the outermost.
#include <exception>
#include <functional>
#include <initializer_list>
#include <string_view>
#include <type_traits>
#include <utility>

#include "support/framework/KWDAusfall.h"

// Registers AE under AName with KWDInfo(); never throws.
void KWDGuardRegistrieren(std::string_view AName, const std::exception& AE, bool AReport) noexcept;

// One guard's place among the guards running on this thread.
class TKWDGuardEbene {
 public:
  TKWDGuardEbene() noexcept;
  ~TKWDGuardEbene();
  TKWDGuardEbene(const TKWDGuardEbene&) = delete;
  TKWDGuardEbene& operator=(const TKWDGuardEbene&) = delete;
  // Whether AE goes on to the enclosing guard instead of being registered
  // here: it ends the work, an enclosing guard waits for it, and no other
  // exception is on its way (a destructor during unwinding must not throw).
  bool Weiterreichen(const std::exception& AE) const noexcept;

 private:
  bool FInnen;
};

// Makes the next guard on this thread an outermost one while it lives: where
// an exception must not pass (Qt's event delivery: a window handler running
// from a nested event loop inside another command's guard).
class TKWDGuardGrenze {
 public:
  TKWDGuardGrenze() noexcept;
  ~TKWDGuardGrenze();
  TKWDGuardGrenze(const TKWDGuardGrenze&) = delete;
  TKWDGuardGrenze& operator=(const TKWDGuardGrenze&) = delete;

 private:
  int FTiefe;
};

// Body returning a value: that value, or AFehlerwert after a registered
// error, which the user is shown.
template <class F, class R>
  requires(!std::is_void_v<std::invoke_result_t<F>>)
std::invoke_result_t<F> KWDGuard(std::string_view AName, F&& ABody, R&& AFehlerwert) {
  const TKWDGuardEbene Ebene;
  try {
    return std::forward<F>(ABody)();
  } catch (const std::exception& E) {
    if (Ebene.Weiterreichen(E)) throw;
    KWDGuardRegistrieren(AName, E, true);
    return std::forward<R>(AFehlerwert);
  }
}

// Runs a body returning nothing; AZeigen: a registered error is shown to
// the user (else only logged), and no failure passes on (see above).
template <class F>
  requires std::is_void_v<std::invoke_result_t<F>>
bool KWDGuardAusfuehren(std::string_view AName, F&& ABody, bool AZeigen) {
  const TKWDGuardEbene Ebene;
  try {
    std::forward<F>(ABody)();
    return true;
  } catch (const std::exception& E) {
    if (AZeigen && Ebene.Weiterreichen(E)) throw;
    KWDGuardRegistrieren(AName, E, AZeigen);
    return false;
  }
}

// Body returning nothing: true when it ran through, false after a registered
// error, which the user is shown.
template <class F>
  requires std::is_void_v<std::invoke_result_t<F>>
bool KWDGuard(std::string_view AName, F&& ABody) {
  return KWDGuardAusfuehren(AName, std::forward<F>(ABody), true);
}

// One release step (body returning nothing): registered without bothering
// the user; it lets nothing pass.
template <class F>
  requires std::is_void_v<std::invoke_result_t<F>>
bool KWDGuardStill(std::string_view AName, F&& ABody) {
  return KWDGuardAusfuehren(AName, std::forward<F>(ABody), false);
}

// Work left to do after a failure (releasing locks, closing brackets) fails
// again when the database is gone: that is no news, the first failure is
// reported. Other failures pass.
template <class F>
void KWDAusfallUebergehen(F&& ABody) {
  try {
    std::forward<F>(ABody)();
  } catch (const std::exception& E) {
    if (!KWDEndetArbeit(E)) throw;
  }
}

// A destructor's whole release sequence: each step in its own quiet guard so
// that the remaining steps still run, then FehlerTerminate(AName). Nothing
// escapes, not even a non-std exception (a destructor must not throw).
void KWDZerstoeren(std::string_view AName, std::initializer_list<std::function<void()>> ASchritte) noexcept;
