// Second program for the creation race: opens the company of WWS_DB, prepares
// an engine, says "BEREIT", then waits until the start file appears and
// creates one request. Exit 0: created; 3: refused; 1: error.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "engine/TQLX_InvAnfMani.h"
#include "suite/SuiteDatenbank.h"
#include "support/framework/TKWDInfo.h"

int main(int argc, char** argv) {
  if (argc != 6) return 1;
  const std::filesystem::path Start = argv[1];
  const TDate Zaehldat = std::stod(argv[2]);
  const TDate WiJahr = std::stod(argv[3]);
  const std::string WG = argv[4];
  const int Filiale = std::stoi(argv[5]);
  SuiteDatenbankOeffnen();
  TQLX_InvAnfMani Mani;
  std::printf("BEREIT\n");
  std::fflush(stdout);
  const auto Grenze = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!std::filesystem::exists(Start))
    if (std::chrono::steady_clock::now() > Grenze) return 1;
  const bool Angelegt = Mani.InventurAnlegen(Zaehldat, WiJahr, WG, Filiale);
  if (!KWDInfo().Anstehend().empty()) return 1;
  return Angelegt ? 0 : 3;
}
