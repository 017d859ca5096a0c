#pragma once
// A shared, reference-counted instance of a suite service: the first Get
// creates it, every Get must be matched by one Release, the last Release frees
// it (so the next Get starts with fresh data).
#include <memory>
#include <mutex>

#include "support/framework/KWDLog.h"

template <class T>
class TGlobInstanz {
 public:
  T* Get() {
    std::lock_guard Lock(FMutex);
    if (!FInstanz) FInstanz = std::make_unique<T>();
    ++FAnzahl;
    return FInstanz.get();
  }

  // Gives AInstanz back and clears the reference. A reference that is not
  // this instance (already released, or never taken) changes nothing.
  void Release(T*& AInstanz, const char* AName) {
    std::unique_ptr<T> Frei;
    {
      std::lock_guard Lock(FMutex);
      if (!AInstanz) return;
      if (AInstanz != FInstanz.get() || FAnzahl == 0) {
        KWDLogSchreiben(AName, "Rückgabe einer Instanz, die nicht ausgegeben war; ignoriert.");
        AInstanz = nullptr;
        return;
      }
      AInstanz = nullptr;
      if (--FAnzahl == 0) Frei = std::move(FInstanz);
    }
    // freed outside the lock: a destructor may itself reach other services
  }

 private:
  std::mutex FMutex;
  std::unique_ptr<T> FInstanz;
  int FAnzahl = 0;
};
