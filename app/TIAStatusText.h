#pragma once
// The line the main window's status bar shows after a command: what it did
// to how many requests, e.g. "3 Inventuren vervollständigt, 1 gelöscht
// (Löschung angefordert)".
#include <string>
#include <vector>

class TIAStatusText {
 public:
  // AAnzahl requests AWas ("angelegt"), AWarum in brackets after it; a
  // part of 0 requests is left out.
  TIAStatusText& Teil(int AAnzahl, const std::string& AWas, const std::string& AWarum = {});
  // The parts joined, the first naming "Inventur(en)"; ALeer when none is left.
  std::string Text(const std::string& ALeer) const;
  // Reasons of single requests joined by "; ", at most AHoechstens of them
  // and "…" for the rest: the line stays readable for twenty refusals.
  static std::string Gruende(const std::vector<std::string>& AGruende, size_t AHoechstens = 3);

 private:
  struct TTeil {
    int Anzahl;
    std::string Was, Warum;
  };
  std::vector<TTeil> FTeile;
};
