#pragma once
// The files invanf-cli writes (PDF, XLSX, CSV): checked before any work, so
// a target that cannot take the file is refused input (exit 2, one German
// line), not an error after minutes of work. The check resolves each target
// once (KWDDateiZiel.h); what is written afterwards goes to that file.
#include <string>
#include <vector>

struct TCliZiel {
  std::string& Pfad;   // empty: not asked for; after a successful check the resolved file
  const char* Option;  // "--pdf"
  const char* Was;     // "die PDF-Datei"
};
// Checks every target asked for, and that no two of them are one file (the
// second would silently replace the first), however they are spelled.
bool CliZielePruefen(const std::vector<TCliZiel>& AZiele);
// One target that must be given.
bool CliZielPruefen(const TCliZiel& AZiel);
