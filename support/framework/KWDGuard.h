#pragma once
// The error convention in one place: run a method's body, register a
// std::exception under the method's qualified name and return a failure value.
// Other exceptions pass through untouched.
//
//   bool TFoo::Bar() { return KWDGuard("TFoo.Bar", [&] { ...; return true; }, false); }
//   void TFoo::Click() { KWDGuard("TFoo.Click", [&] { ... }); }
//   TFoo::~TFoo() { KWDZerstoeren("TFoo.Destroy", {[&] { FA.reset(); }, [&] { FB.reset(); }}); }
#include <exception>
#include <functional>
#include <initializer_list>
#include <string_view>
#include <type_traits>
#include <utility>

// Registers AE under AName with KWDInfo(); never throws.
void KWDGuardRegistrieren(std::string_view AName, const std::exception& AE, bool AReport) noexcept;

// Body returning a value: that value, or AFehlerwert after a registered error.
template <class F, class R>
  requires(!std::is_void_v<std::invoke_result_t<F>>)
std::invoke_result_t<F> KWDGuard(std::string_view AName, F&& ABody, R&& AFehlerwert) {
  try {
    return std::forward<F>(ABody)();
  } catch (const std::exception& E) {
    KWDGuardRegistrieren(AName, E, true);
    return std::forward<R>(AFehlerwert);
  }
}

// Body returning nothing: true when it ran through, false after a registered error.
template <class F>
  requires std::is_void_v<std::invoke_result_t<F>>
bool KWDGuard(std::string_view AName, F&& ABody, bool AReport = true) {
  try {
    std::forward<F>(ABody)();
    return true;
  } catch (const std::exception& E) {
    KWDGuardRegistrieren(AName, E, AReport);
    return false;
  }
}

// One release step of a destructor: registered without bothering the user.
template <class F>
bool KWDGuardStill(std::string_view AName, F&& ABody) {
  return KWDGuard(AName, std::forward<F>(ABody), false);
}

// A destructor's whole release sequence: each step in its own quiet guard so
// that the remaining steps still run, then FehlerTerminate(AName). Nothing
// escapes, not even a non-std exception (a destructor must not throw).
void KWDZerstoeren(std::string_view AName, std::initializer_list<std::function<void()>> ASchritte) noexcept;
