#pragma once
// Deterministic random numbers for the demo company. Every article draws from a
// stream of its own (seed and article index hashed together), so any part of
// the company can be generated alone, in any order, and always comes out the
// same: that is what lets the generator stream a million articles.
#include <cstdint>
#include <string_view>

class TDemoZufall {
 public:
  explicit TDemoZufall(uint64_t ASeed) : FZustand(ASeed) {}
  // A stream for one object (article, branch, ...) of one kind.
  TDemoZufall(uint64_t ASeed, std::string_view AArt, uint64_t AIndex) : FZustand(Mische(ASeed, AArt, AIndex)) {}

  // splitmix64: tiny, fast and fully specified, so the output never depends on
  // the standard library's distributions.
  uint64_t Next() {
    uint64_t z = (FZustand += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [AVon, ABis], both inclusive.
  int64_t Zahl(int64_t AVon, int64_t ABis) {
    const uint64_t breite = static_cast<uint64_t>(ABis - AVon) + 1;
    return AVon + static_cast<int64_t>(Next() % breite);
  }
  // True with the given chance in percent.
  bool Prozent(int AChance) { return Zahl(0, 99) < AChance; }
  template <class C>
  const auto& Eines(const C& AListe) {
    return AListe[static_cast<size_t>(Zahl(0, static_cast<int64_t>(std::size(AListe)) - 1))];
  }

 private:
  static uint64_t Mische(uint64_t ASeed, std::string_view AArt, uint64_t AIndex) {
    uint64_t h = 1469598103934665603ull ^ ASeed;  // FNV-1a over the kind's name
    for (char c : AArt) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    TDemoZufall r(h ^ (AIndex * 0xD6E8FEB86659FD93ull));
    r.Next();
    return r.Next();
  }
  uint64_t FZustand;
};
