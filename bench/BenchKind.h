#pragma once
// Each variant of a benchmark runs in a process of its own, so its peak
// memory is its own: the benchmark calls itself as "PROGRAMM --variante
// ARGUMENTE", the child prints one line of numbers, the parent reads them.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// Runs the child and returns the numbers of its line; empty when it failed.
inline std::vector<double> BenchKind(const char* ASelbst, const std::string& AArgumente) {
  const std::string Datei =
      std::filesystem::temp_directory_path() / ("bench-kind-" + std::to_string(getpid()) + ".txt");
  const std::string Befehl = std::string(ASelbst) + " --variante " + AArgumente + " > " + Datei;
  std::vector<double> Zahlen;
  if (std::system(Befehl.c_str()) == 0)
    if (FILE* F = std::fopen(Datei.c_str(), "r")) {
      double Z = 0;
      while (std::fscanf(F, "%lf", &Z) == 1) Zahlen.push_back(Z);
      std::fclose(F);
    }
  std::filesystem::remove(Datei);
  return Zahlen;
}

// In the child: this process's peak memory so far, in KiB.
inline long BenchSpitzeKiB() {
  rusage R{};
  getrusage(RUSAGE_SELF, &R);
  return R.ru_maxrss;
}

// The machine's load (run queue over 1, 5 and 15 minutes), to go with every figure.
inline std::string BenchLast() {
  double L[3] = {0, 0, 0};
  if (getloadavg(L, 3) != 3) return "Last unbekannt";
  char Text[64];
  std::snprintf(Text, sizeof Text, "Last %.2f %.2f %.2f", L[0], L[1], L[2]);
  return Text;
}

inline double BenchSekundenSeit(std::chrono::steady_clock::time_point AStart) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - AStart).count();
}
