#pragma once
// Storage of a TQLX_List: one array whose every slot holds a value, the slots
// above the list's count the default one. Items whose default value is all
// zero bytes and that copy as plain bytes are moved with memmove, cleared with
// memset and allocated zeroed by calloc; all others use move assignment.
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
  static constexpr bool Bytekopie = std::is_trivially_copyable_v<T>;

  // True when T is moved as bytes and its default value is all zero bytes.
  static bool NullIstDefault() {
    if constexpr (!Bytekopie || alignof(T) > alignof(std::max_align_t)) {
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

  // An array of AAnzahl default values.
  static T* Anlegen(int32_t AAnzahl) {
    if (AAnzahl <= 0) return nullptr;
    const size_t N = static_cast<size_t>(AAnzahl);
    if (NullIstDefault()) {
      void* P = std::calloc(N, sizeof(T));
      if (!P) throw std::bad_alloc();
      return static_cast<T*>(P);
    }
    T* P = static_cast<T*>(::operator new(N * sizeof(T), std::align_val_t(alignof(T))));
    try {
      std::uninitialized_value_construct_n(P, N);
    } catch (...) {
      ::operator delete(P, std::align_val_t(alignof(T)));
      throw;
    }
    return P;
  }

  static void Freigeben(T* AItems, int32_t AAnzahl) noexcept {
    if (!AItems) return;
    if (NullIstDefault()) {
      std::free(AItems);
      return;
    }
    std::destroy_n(AItems, static_cast<size_t>(AAnzahl));
    ::operator delete(AItems, std::align_val_t(alignof(T)));
  }

  // Moves AAnzahl items from AVon to the non-overlapping ANach.
  static void Umziehen(T* AVon, int32_t AAnzahl, T* ANach) {
    if (AAnzahl <= 0 || !AVon || !ANach) return;
    if constexpr (Bytekopie)
      std::memcpy(static_cast<void*>(ANach), AVon, static_cast<size_t>(AAnzahl) * sizeof(T));
    else
      std::move(AVon, AVon + AAnzahl, ANach);
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
