#pragma once
// invanf-cli print-ial and print-list: the count lists of requests and the
// overview of a fiscal year as PDF files (print-ial --je-inventur: one PDF
// per request into a folder), made by the same code as the
// desktop program's "Druck IAL" and "Drucken", without a window (Qt renders
// offscreen; only these two commands start it). print-ial also writes the
// count list as an XLSX workbook or a CSV file; list --xlsx / --csv the
// year's requests (TCliListeExport, also without Qt).
#include <string>
#include <utility>
#include <vector>

#include "printing/IALSelektion.h"
#include "suite/TKWDLayoutDatei.h"
#include "support/tabelle/KWDTabelle.h"
#include "tools/invanf-cli/CliExport.h"
#include "tools/invanf-cli/CliKommandos.h"

namespace CLI {
class App;
}
// The count-list layout print-ial uses: its file name in the layout folder and its contents.
struct TCliLayout {
  std::string Datei;
  TKWDLayoutDatei Layout;
};

// The spreadsheet files print-ial writes besides (or instead of) the PDF.
using TCliTabellen = std::vector<std::pair<std::string, TKWDTabellenFormat>>;
// What print-ial and print-list say they made (text or JSON), and the exit
// code: ASeiten pages in APdf (none when it is empty), AZeilen lines of the
// count-list file (none below 0), and what each spreadsheet file got.
int CliDruckErgebnis(bool AOk, int ASeiten, const std::string& APdf, bool AJson, const std::string& AWas, int AZeilen,
                     const TCliTabellen& ATabellen, const std::vector<TKWDTabellenErgebnis>& AGeschrieben);

class TCliDrucken {
 public:
  // Adds the two commands to AApp (and the export options of "list"); their
  // request options land in AOpt.
  void Registrieren(CLI::App& AApp, TCliOptionen& AOpt);
  // Runs print-ial or print-list when one of them was given: true, and the
  // exit code in AExit; false for any other command.
  bool Ausfuehren(const TCliOptionen& AOpt, int& AExit);

 private:
  // False in a build without Qt, which makes no PDF: it says so on stderr.
  static bool PdfMoeglich();
  int IALDrucken(const TCliOptionen& AOpt);
  // print-ial --pdf (and the spreadsheet files beside it), through the
  // desktop program's print code.
  int PdfDrucken(const TCliOptionen& AOpt, TDate AJahr, const TCliLayout& ALayout,
                 const std::vector<TIADruckZeile>& AZeilen, const TCliTabellen& ATabellen);
  // print-ial with --xlsx or --csv only: the selection and the tables, without Qt.
  int TabellenSchreiben(const TCliOptionen& AOpt, TDate AJahr, const TCliLayout& ALayout,
                        const std::vector<TIADruckZeile>& AZeilen, std::vector<TIALAnforderung> AAnforderungen,
                        const TCliTabellen& ATabellen);
  int ListeDrucken(const TCliOptionen& AOpt);
  // print-ial --je-inventur ORDNER: one PDF (with --mit-xlsx also an XLSX) per request.
  int JeInventurAblegen(const TCliOptionen& AOpt, TDate AJahr, const TCliLayout& ALayout,
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
