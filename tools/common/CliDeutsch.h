#pragma once
// The suite's command-line tools speak German: help texts through a formatter
// of our own, parser errors as one German sentence that names the unknown
// command or option. CLI11 builds its texts in English; these replace them.
#include <CLI/CLI.hpp>
#include <string>

// German names of the values options take, shown in the help and the man
// pages instead of CLI11's TEXT (->type_name(CLI_TYP_DATUM)).
inline constexpr const char* CLI_TYP_DATUM = "JJJJ-MM-TT";
inline constexpr const char* CLI_TYP_DATEI = "DATEI";
inline constexpr const char* CLI_TYP_ORDNER = "ORDNER";
inline constexpr const char* CLI_TYP_ORT = "ORT";
inline constexpr const char* CLI_TYP_WG = "WG";
inline constexpr const char* CLI_TYP_NAME = "NAME";

// Call on the application before adding options and sub-commands: they take
// the formatter, the help flag and the footer from it.
void CliDeutschEinrichten(CLI::App& AApp, const std::string& AFusszeile = {});

// One German sentence for a parser error (without the program's name),
// ending with where to find help.
std::string CliFehlerText(const CLI::App& AApp, const CLI::ParseError& AFehler);

