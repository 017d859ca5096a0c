#pragma once
// The suite's report viewer component. The program names a layout file
// (SetReport), sets texts and parameters, and ShowReport renders the layout's
// report (TKWDBericht.h) to PDF and shows it in the viewer window (pages,
// zoom, printing on the system's printers). The calls follow the suite's
// component; the first argument (-1) of some calls is the suite's "main
// report" index and is accepted as it is.
//
// Actions of the viewer window:
//   - "Exportieren ..." (SetEnableExportAction): saves the report where the
//     user chooses (a file dialog, suggesting the export file name with
//     ".pdf"): as PDF, or, for a report with rows (the count list, the
//     overview), as an XLSX workbook or a CSV file.
//   - "Ablegen" (SetEnableKomAction): saves a copy of the PDF where the user
//     chooses (KWDDateiWahl.h: the folder chosen last for this kind of
//     report, the first time the documents folder), suggesting the name set
//     with SetAblage ("Zaehlliste_2026-03-20_WG3_Filiale1.pdf"), else the
//     export file name's with ".pdf". The user is told where the copy went.
//   - "Drucken ..." (Strg+P): the print dialog, then the report painted on
//     the printer by the same drawing as the PDF (lines, text and barcodes
//     as vectors, sharp at the printer's resolution), the chosen pages only.
//
// Without a window (SetPdfZiel, used by invanf-cli), ShowReport writes the
// PDF to that file and shows nothing. Files are written beside their place
// and renamed in; a failure names the file and why (a full disk says so).
#include <QByteArray>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "widgets/TKWDBericht.h"

class QPrinter;
class QWidget;

class TCrystalRDCn {
 public:
  explicit TCrystalRDCn(QWidget* AOwner = nullptr);
  ~TCrystalRDCn();
  TCrystalRDCn(const TCrystalRDCn&) = delete;
  TCrystalRDCn& operator=(const TCrystalRDCn&) = delete;

  // Forgets report, name, parameters, title, export name and the action
  // switches (both actions on), but not the owner, the PDF target and the
  // maximised state.
  void Clear();
  void SetReport(const std::string& APfad);
  void SetReportName(int AIndex, const std::string& AName);
  // A parameter set again takes the new value; renderers read the value set last.
  void SetParameter(int AIndex, const std::string& AName, const std::string& AWert);
  void SetTitle(int AIndex, const std::string& ATitel);
  void SetEnableExportAction(bool AAn);
  void SetEnableKomAction(bool AAn);
  void SetExportDiskfileName(const std::string& APfad);
  // What "Ablegen" suggests: a file name without folder and ending, and the
  // kind of report under which the folder chosen last is kept.
  void SetAblage(const std::string& AName, const std::string& AArt);
  // The viewer window opens maximised.
  void SetWindowMaximized(bool AAn) { FMaximiert = AAn; }
  // Renders the report and shows it (modally, over the owner); with a PDF
  // target it only writes the file. False (the error registered and shown
  // under "TCrystalRDCn.ShowReport") when the report could not be made.
  bool ShowReport();

  void SetOwner(QWidget* AOwner) { FOwner = AOwner; }
  // Empty: ShowReport shows the window.
  void SetPdfZiel(const std::string& APfad) { FPdfZiel = APfad; }
  const std::string& PdfZiel() const { return FPdfZiel; }

  // What was set, for the window and for checks.
  const std::string& Report() const { return FDaten.LayoutPfad; }
  const std::string& ReportName() const { return FDaten.ReportName; }
  const std::string& Title() const { return FDaten.Titel; }
  const std::vector<std::pair<std::string, std::string>>& Parameter() const { return FDaten.Parameter; }
  bool ExportAction() const { return FExport; }
  bool KomAction() const { return FKom; }
  bool WindowMaximized() const { return FMaximiert; }
  const std::string& ExportDiskfileName() const { return FExportDatei; }
  // Reports rendered by ShowReport so far, and the pages and bytes of the last.
  int AnzahlGezeigt() const { return FGezeigt; }
  int Seiten() const { return FSeiten; }
  const QByteArray& Pdf() const { return FPdf; }

  // Renders the report set up so far into a PDF (no window). Throws
  // std::runtime_error with a German text.
  QByteArray PdfErzeugen(int& ASeiten) const;
  // Paints the report set up so far on APrinter, as PdfErzeugen draws it;
  // of a chosen page range only those pages. Returns the pages printed.
  // Throws as PdfErzeugen, also when the printer refuses the job.
  int Drucken(QPrinter& APrinter) const;
  // The report's rows as a spreadsheet table (the export's XLSX and CSV);
  // false when the report has none. Throws as PdfErzeugen.
  bool TabelleErzeugen(TKWDTabelle& ATabelle) const;
  // The report set up so far can give a table.
  bool HatTabelle() const;
  // The file name "Ablegen" suggests (with ".pdf"), and the kind of report.
  std::string AblageName() const;
  const std::string& AblageArt() const { return FAblageArt; }

 private:
  // The renderer of the layout's report, and ADaten with the layout read.
  std::unique_ptr<TKWDBerichtArt> Art(TKWDBerichtDaten& ADaten) const;

  QWidget* FOwner;
  TKWDBerichtDaten FDaten;
  bool FExport = true;
  bool FKom = true;
  bool FMaximiert = false;
  std::string FExportDatei;
  std::string FAblageName;
  std::string FAblageArt;
  std::string FPdfZiel;
  int FGezeigt = 0;
  int FSeiten = 0;
  QByteArray FPdf;
};
