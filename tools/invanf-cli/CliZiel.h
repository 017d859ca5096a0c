#pragma once
// The files invanf-cli writes (PDF, XLSX, CSV): checked before any work, so
// a target that cannot take the file is refused input (exit 2, one German
// line), not an error after minutes of work.
#include <string>

// AOption names the option in the message ("--pdf"), AWas the file ("die PDF-Datei").
bool CliZielPruefen(const std::string& APfad, const std::string& AOption, const std::string& AWas);
