#pragma once
// The command line of invanf: --db, --firma, --help, --version. Read before
// the window system is touched, so help and refusals work without a display.
#include <optional>
#include <string>

struct TInvAnfOptionen {
  bool Hilfe = false;
  bool Version = false;
  bool Firma = false;               // show "Firma wählen" first
  bool Demo = false;                // the demo company of the data folder, built when missing
  std::optional<std::string> Db;    // the company for this run only
  std::string Fehler;               // non-empty: the line that refuses the call
};

TInvAnfOptionen InvAnfOptionenLesen(int AArgc, const char* const* AArgv);
// The German help (--help) and version (--version) texts, each ending with a newline.
std::string InvAnfHilfe();
std::string InvAnfVersion();
