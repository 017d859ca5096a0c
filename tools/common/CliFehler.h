#pragma once
// A failure as the command-line tools write it on stderr: "PROGRAMM: " and
// one German line; with --verbose the technical text follows (the server's,
// a library's or the system's own words), each of its lines indented.
#include <exception>
#include <string>

// A text on one line: line breaks and tabs become blanks, blanks at its end go.
std::string CliEineZeile(std::string AText);

void CliFehlerAusgeben(const std::string& AProgramm, const std::string& ASatz, const std::string& ATechnisch,
                       bool AVerbose);

// Logs AE under AProgramm (both parts) and writes it as above, AVorne in
// front of its sentence; returns AExit.
int CliFehlerMelden(const std::string& AProgramm, const std::exception& AE, int AExit, bool AVerbose,
                    const std::string& AVorne = {});
