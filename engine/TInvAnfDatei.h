#pragma once
// One record file or service of the engine, made on first need. A failed
// creation is registered under the engine's name for it (AName, e.g.
// "TQLX_InvAnfMani.IAFile_CiNoC") and ends the calling step with "... ist
// nicht verfügbar"; the next need tries again.
#include <memory>
#include <stdexcept>
#include <string>

#include "support/framework/KWDGuard.h"
#include "support/recordfile/TQLX_DBFile.h"

namespace InvAnfIntern {
// Owns what a slot made. The deleter is set where the type is complete, so
// the holder's header needs only its name.
template <class T>
using TEigen = std::unique_ptr<T, void (*)(T*)>;

template <class T>
TEigen<T> Eigen(T* AObjekt) {
  return TEigen<T>(AObjekt, [](T* A) { delete A; });
}

// The object a creation should have made; a failed one (already registered)
// ends the calling step instead of dereferencing null.
template <class T>
T& Bereit(const TEigen<T>& AFeld, const char* AWas) {
  if (!AFeld) throw std::runtime_error(std::string(AWas) + " ist nicht verfügbar");
  return *AFeld;
}
}  // namespace InvAnfIntern

// A record file, opened shared for reading and writing in the table's own
// layout. Datei() gives it as its last use left it: key values, filters, a
// key list sent and not yet read. Neu() gives it reset, so that nothing of
// an earlier use survives: a new use starts there.
template <class F>
class TInvAnfDatei {
 public:
  TInvAnfDatei(const char* AName, const char* AWas) : FName(AName), FWas(AWas) {}
  TInvAnfDatei(const TInvAnfDatei&) = delete;
  TInvAnfDatei& operator=(const TInvAnfDatei&) = delete;

  F& Datei() {
    KWDGuard(FName, [&] {
      if (!FDatei) Erzeugen();
    });
    return InvAnfIntern::Bereit(FDatei, FWas);
  }
  F& Neu() {
    KWDGuard(FName, [&] {
      if (FDatei)
        FDatei->ResetForReuse();
      else
        Erzeugen();
    });
    return InvAnfIntern::Bereit(FDatei, FWas);
  }
  void Freigeben() { FDatei.reset(); }

 private:
  void Erzeugen() { FDatei = InvAnfIntern::Eigen(new F(RF_OPEN_NORMAL, -1)); }

  const char* FName;
  const char* FWas;
  InvAnfIntern::TEigen<F> FDatei{nullptr, nullptr};
};

// A service the engine owns: made once, kept to the end.
template <class S>
class TInvAnfDienst {
 public:
  TInvAnfDienst(const char* AName, const char* AWas) : FName(AName), FWas(AWas) {}
  TInvAnfDienst(const TInvAnfDienst&) = delete;
  TInvAnfDienst& operator=(const TInvAnfDienst&) = delete;

  // Makes it where it is absent; false when that failed (registered).
  bool Bereitstellen() {
    KWDGuard(FName, [&] {
      if (!FDienst) FDienst = InvAnfIntern::Eigen(new S());
    });
    return FDienst != nullptr;
  }
  S& Dienst() {
    Bereitstellen();
    return InvAnfIntern::Bereit(FDienst, FWas);
  }
  void Freigeben() { FDienst.reset(); }

 private:
  const char* FName;
  const char* FWas;
  InvAnfIntern::TEigen<S> FDienst{nullptr, nullptr};
};
