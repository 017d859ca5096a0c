#pragma once
// invanf-cli print-ial and print-list: the count lists of requests and the
// overview of a fiscal year as PDF files (print-ial --je-inventur: one PDF
// per request into a folder), made by the same code as the
// desktop program's "Druck IAL" and "Drucken", without a window (Qt renders
// offscreen; only these two commands start it). print-ial also writes the
// count list as an XLSX workbook or a CSV file; list --xlsx / --csv the
// year's requests (TCliListeExport, also without Qt).
#include <string>
#include <vector>

#include "tools/invanf-cli/CliExport.h"
#include "tools/invanf-cli/CliKommandos.h"

namespace CLI {
class App;
}
// Declared only: the header serves the build without Qt as well.
class TQLX_SelectedLayout_List;
struct TIADruckZeile;

class TCliDrucken {
 public:
  // Adds the two commands to AApp (and the export options of "list"); their
  // request options land in AOpt.
  void Registrieren(CLI::App& AApp, TCliOptionen& AOpt);
  // Runs print-ial or print-list when one of them was given: true, and the
  // exit code in AExit; false for any other command.
  bool Ausfuehren(const TCliOptionen& AOpt, int& AExit);

 private:
  int IALDrucken(const TCliOptionen& AOpt);
  int ListeDrucken(const TCliOptionen& AOpt);
  // print-ial --je-inventur ORDNER: one PDF (with --mit-xlsx also an XLSX) per request.
  int JeInventurAblegen(const TCliOptionen& AOpt, TDate AJahr, const TQLX_SelectedLayout_List& ALayouts,
                        const std::vector<TIADruckZeile>& AZeilen);

  CLI::App* FIAL = nullptr;
  CLI::App* FListe = nullptr;
  std::string FLayout = "ial__Standard.rpt";
  bool FNullbestand = false;
  bool FAlleGroessen = false;
  bool FSammel = false;
  std::string FPdf;
  std::string FXlsx;
  std::string FCsv;
  std::string FJeInventur;
  bool FMitXlsx = false;
  TCliListeExport FListeExport;
};
