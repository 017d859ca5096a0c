#pragma once
// Storage of a TQLX_List: one array of Capacity slots. Items that copy as
// plain bytes live in malloc'ed memory, are moved with memmove/realloc and
// cleared with one fill; a slot of theirs is given its default value when it
// becomes part of the list (vacated slots are cleared at once), so growing
// never pays for zeroing memory nobody reads. All other items are constructed
// in every slot, slots above the count holding the default value, and moved
// with move assignment.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

template <class T>
struct TQLX_ListSpeicher {
  static constexpr bool Bytekopie =
      std::is_trivially_copyable_v<T> && alignof(T) <= alignof(std::max_align_t);

  // True when T's default value is all zero bytes, so a fill is a memset.
  static bool NullIstDefault() {
    if constexpr (!Bytekopie) {
      return false;
    } else if constexpr (std::is_trivially_default_constructible_v<T>) {
      return true;
    } else {
      static const bool Ergebnis = [] {
        alignas(T) unsigned char Roh[sizeof(T)] = {};
        ::new (static_cast<void*>(Roh)) T();
        static const unsigned char Null[sizeof(T)] = {};
        return std::memcmp(Roh, Null, sizeof(T)) == 0;
      }();
      return Ergebnis;
    }
  }

  // Storage for AAnzahl items keeping the first AErhalten items of AAlt
  // (AAlt is released). AAltAnzahl is the old capacity.
  static T* Umbauen(T* AAlt, int32_t AAltAnzahl, int32_t AErhalten, int32_t AAnzahl) {
    if (AAnzahl <= 0) {
      Freigeben(AAlt, AAltAnzahl);
      return nullptr;
    }
    const size_t Bytes = static_cast<size_t>(AAnzahl) * sizeof(T);
    if constexpr (Bytekopie) {
      void* P = std::realloc(static_cast<void*>(AAlt), Bytes);
      if (!P) throw std::bad_alloc();
      return static_cast<T*>(P);
    } else {
      T* P = static_cast<T*>(::operator new(Bytes, std::align_val_t(alignof(T))));
      try {
        std::uninitialized_value_construct_n(P, static_cast<size_t>(AAnzahl));
      } catch (...) {
        ::operator delete(P, std::align_val_t(alignof(T)));
        throw;
      }
      std::move(AAlt, AAlt + std::min(AErhalten, AAnzahl), P);
      Freigeben(AAlt, AAltAnzahl);
      return P;
    }
  }

  static void Freigeben(T* AItems, int32_t AAnzahl) noexcept {
    if (!AItems) return;
    if constexpr (Bytekopie) {
      std::free(static_cast<void*>(AItems));
    } else {
      std::destroy_n(AItems, static_cast<size_t>(AAnzahl));
      ::operator delete(AItems, std::align_val_t(alignof(T)));
    }
  }

  // Gives slots that join the list their default value (others already hold it).
  static void Aufnehmen(T* AItems, int32_t AAnzahl) {
    if constexpr (Bytekopie) Leeren(AItems, AAnzahl);
  }

  // Moves the block [AVon, AVon + AAnzahl) to ANach; the ranges may overlap.
  static void Schieben(T* AVon, int32_t AAnzahl, T* ANach) {
    if (AAnzahl <= 0 || AVon == ANach) return;
    if constexpr (Bytekopie) {
      std::memmove(static_cast<void*>(ANach), AVon, static_cast<size_t>(AAnzahl) * sizeof(T));
    } else if (ANach < AVon) {
      std::move(AVon, AVon + AAnzahl, ANach);
    } else {
      std::move_backward(AVon, AVon + AAnzahl, ANach + AAnzahl);
    }
  }

  // Puts the default value into AAnzahl slots.
  static void Leeren(T* AItems, int32_t AAnzahl) {
    if (AAnzahl <= 0) return;
    if (NullIstDefault())
      std::memset(static_cast<void*>(AItems), 0, static_cast<size_t>(AAnzahl) * sizeof(T));
    else
      std::fill(AItems, AItems + AAnzahl, T());
  }
};
