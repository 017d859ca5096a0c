#pragma once
// The files invanf-cli writes (PDF, XLSX, CSV): checked before any work, so
// a target that cannot take the file is refused input (exit 2, one German
// line), not an error after minutes of work.
#include <string>
#include <vector>

// AOption names the option in the message ("--pdf"), AWas the file ("die PDF-Datei").
bool CliZielPruefen(const std::string& APfad, const std::string& AOption, const std::string& AWas);

struct TCliZiel {
  const std::string& Pfad;  // empty: not asked for
  const char* Option;
  const char* Was;
};
// Checks every target asked for, and that no two of them name one file (the
// second would silently replace the first).
bool CliZielePruefen(const std::vector<TCliZiel>& AZiele);
