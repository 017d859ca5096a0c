#pragma once
// invanf-cli list --xlsx FILE / --csv FILE: the requests of a fiscal year as
// the main window lists them, as an XLSX workbook or a CSV file (also when
// invanf-cli is built without the Qt layers).
#include <string>

#include "tools/invanf-cli/CliKommandos.h"

namespace CLI {
class App;
}

class TCliListeExport {
 public:
  // Adds --xlsx and --csv to the command "list" of AApp.
  void Registrieren(CLI::App& AApp);
  // Runs "list" when one of them was given: true, and the exit code in AExit.
  bool Ausfuehren(const TCliOptionen& AOpt, int& AExit);

 private:
  CLI::App* FListe = nullptr;
  std::string FXlsx;
  std::string FCsv;
};
