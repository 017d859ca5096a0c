#pragma once
// The main window's two print commands and their steps: "Druck IAL", the
// count lists of the marked requests (options, layout, selection into the
// count-list file, report), and "Drucken", the overview of the fiscal
// year's requests. The main window keeps one TIADrucken and calls it with
// what it owns (fiscal year, chosen layouts, its marked rows); invanf-cli
// runs the same steps without the dialogs.
//
// Errors follow the suite's convention, registered under the main window's
// names ("TFrmIAMain.DruckenIALExecute", "...DruckenIALExecute_Crystal",
// "...DruckenInvListeExecute"; the selection's in IALSelektion.h).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "printing/IALSelektion.h"
#include "printing/IALTabelle.h"
#include "support/tabelle/KWDTabelle.h"
#include "widgets/TCrystalRDCn.h"
#include "widgets/TQLX_SelectedLayout.h"
#include "support/types/KWDDatum.h"

class QWidget;

// The layout the layout dialog offers the first time: the standard count list.
inline constexpr const char* KIALStandardLayout = "ial__Standard.rpt";

// The kinds of file under which the folder chosen last is kept (KWDDateiWahl.h).
inline constexpr const char* KAblageZaehlliste = "Zaehlliste";              // a count list as PDF
inline constexpr const char* KAblageZaehllisteExport = "ZaehllisteExport";  // a count list as XLSX or CSV
inline constexpr const char* KAblageInventurliste = "Inventurliste";        // the request list, any format
inline constexpr const char* KAblageJeFiliale = "ZaehllistenJeFiliale";     // the folder of the filed lists

// One request's count list filed as files of its own ("Zähllisten je
// Filiale ablegen", invanf-cli print-ial --je-inventur).
struct TIAAblageDatei {
  TIADruckZeile Zeile;
  TIALAnforderung Anforderung;
  std::string Pdf;   // full path
  std::string Xlsx;  // full path; empty: no workbook
  int Seiten = 0;    // once written
  size_t XlsxZeilen = 0;
};

// The layout dialog's input for the count lists: the layout folder, the
// prefix "ial__", kind 'F', maintenance allowed.
void IALLayoutInputVorbereiten(TQLX_LayoutDialog_InputData& AInput);

class TIADrucken {
 public:
  // AOwner: the main window (owner of the work bracket and of the dialogs);
  // nullptr without a window (invanf-cli).
  explicit TIADrucken(QWidget* AOwner = nullptr);
  ~TIADrucken();
  TIADrucken(const TIADrucken&) = delete;
  TIADrucken& operator=(const TIADrucken&) = delete;

  // "Druck IAL": work bracket (30), the options dialog frmIALOptions, the
  // layout dialog (the choice lands in ALayouts), progress window, selection,
  // report; at the end AListe gets the focus back. Cancelling either dialog
  // writes nothing and shows nothing. When AGewaehlt says that no request
  // is ticked or selected, message 1003 comes instead of the dialogs. The
  // layout dialog offers ALayouts' first entry, else the layout printed last
  // (kept with the options dialog's settings), else the standard count list.
  void DruckenIALExecute(TDateTime AWiJahr, TQLX_SelectedLayout_List& ALayouts, TIADruckZeilenQuelle AZeilen,
                         QWidget* AListe = nullptr, std::function<bool()> AGewaehlt = {});
  // "Zählliste exportieren ...": as "Druck IAL" up to the layout, then a save
  // dialog (XLSX or CSV, the name naming the requests), the selection and
  // the file. Returns the status line's text; empty when nothing was written.
  std::string ZaehllisteExportierenExecute(TDateTime AWiJahr, TQLX_SelectedLayout_List& ALayouts,
                                           TIADruckZeilenQuelle AZeilen, QWidget* AListe = nullptr,
                                           std::function<bool()> AGewaehlt = {});
  // "Zähllisten je Filiale ablegen ...": as "Druck IAL" up to the layout,
  // then a folder dialog (with the choice of an XLSX beside each PDF), a
  // question before files of the same names are replaced, and one PDF (and
  // XLSX) per request, named by date, group and branch. Returns the status
  // line's text ("4 Zähllisten abgelegt in ..."); empty when nothing was done.
  std::string ZaehllistenAblegenExecute(TDateTime AWiJahr, TQLX_SelectedLayout_List& ALayouts,
                                        TIADruckZeilenQuelle AZeilen, QWidget* AListe = nullptr,
                                        std::function<bool()> AGewaehlt = {});
  // The same without dialogs (invanf-cli), inside the work bracket: the
  // files of the rows in AOrdner land in ADateien, as far as they were
  // written. False when the bracket was refused or a file could not be made.
  bool JeInventurAblegen(TDateTime AWiJahr, const TQLX_SelectedLayout_List& ALayouts, const TIALOptionen& AOptionen,
                         const std::vector<TIADruckZeile>& AZeilen, const std::string& AOrdner, bool AMitXlsx,
                         std::vector<TIAAblageDatei>& ADateien);
  // The files the rows get in AOrdner.
  std::vector<TIAAblageDatei> AblageDateien(TDateTime AWiJahr, const std::vector<TIADruckZeile>& AZeilen,
                                            const std::string& AOrdner, bool AMitXlsx);

  // "Drucken": work bracket (5), then the overview "IA-Liste.rpt".
  void DruckenInvListeExecute(TDateTime AWiJahr);

  // The count list without the two dialogs, with the given options and
  // layout (ALayouts' first entry): selection and report inside the work
  // bracket, then the spreadsheet files (SetTabellenZiele). It asks no
  // question: whoever calls it has asked about requests still requested
  // (TIALSelektion::AnforderungenLesen). False when the bracket was refused or nothing could be made.
  bool IALDrucken(TDateTime AWiJahr, const TQLX_SelectedLayout_List& ALayouts, const TIALOptionen& AOptionen,
                  TIADruckZeilenQuelle AZeilen);

  // What the steps of a count-list print work on; the commands set it, and
  // so may whoever runs the steps one by one.
  void DruckauftragSetzen(TDateTime AWiJahr, const TQLX_SelectedLayout_List& ALayouts, const TIALOptionen& AOptionen,
                          TIADruckZeilenQuelle AZeilen);
  // Throws std::runtime_error (German) when the first layout is no count-list
  // layout or has a parameter the count list cannot use.
  static void LayoutPruefen(const TQLX_SelectedLayout_List& ALayouts);

  // IALDrucken also writes the count list as these spreadsheet files; with
  // AOhnePdf it makes no report (no window, no PDF).
  using TTabellenZiel = std::pair<std::string, TKWDTabellenFormat>;
  void SetTabellenZiele(std::vector<TTabellenZiel> AZiele, bool AOhnePdf = false) {
    FTabellenZiele = std::move(AZiele);
    FOhnePdf = AOhnePdf;
  }

  // The steps of "Druck IAL": the selection (TIALSelektion) of the rows
  // DruckauftragSetzen gave, and the report.
  void DruckenIALExecute_Selektion();
  void DruckenIALExecute_Crystal();

  TCrystalRDCn& CrystalRDC() { return *FCrystalRDC; }
  // The progress window the selection shows (the main window's prgdMain);
  // without one the selection makes its own. Not owned.
  void SetProgressDialog(TQLX_PEP_Progress_SetPos* AProgress) { FProgressDialog = AProgress; }
  // The rows the last selection wrote (0 after a failed or cancelled print).
  int GeschriebeneZeilen() const { return FGeschrieben; }
  // What the last print wrote into each spreadsheet file, in the order of SetTabellenZiele.
  const std::vector<TKWDTabellenErgebnis>& TabellenErgebnisse() const { return FTabellenErgebnisse; }

  // "dd.mm.yyyy - dd.mm.yyyy": the fiscal year that starts on AWiJahr.
  static std::string WiJahrtoStr(TDateTime AWiJahr);
  // The export file name: AName + today as yyyymmdd + ".rpt", in "Listen".
  static std::string ExportDateiName(const std::string& AName);
  // The file name suggested for the count list of these requests, without
  // ending: "Zaehlliste_2026-03-20_WG3_Filiale1" for one, else a name
  // saying how many ("Zaehllisten_2026-03-20_4_Inventuren").
  static std::string ZaehllisteDateiName(const std::vector<TIALAnforderung>& AAnforderungen);

 private:
  // What a count-list command does once its dialogs are through.
  using TIALSchritt = std::function<void(const TIALOptionen& AOptionen, std::vector<TIADruckZeile>& AZeilen,
                                         std::vector<TIALAnforderung>& AAnforderungen)>;
  // The way of every count-list command of the window, under the name
  // AName: work bracket (30), message 1003 when no request is chosen, the
  // options and layout dialogs, the rows and the question about requests
  // still requested ("Trotzdem ATun?"), then ASchritt; at the end the
  // focus is back on AListe.
  void IALBefehl(const char* AName, TDateTime AWiJahr, TQLX_SelectedLayout_List& ALayouts,
                 const TIADruckZeilenQuelle& AZeilen, QWidget* AListe, const std::function<bool()>& AGewaehlt,
                 const std::string& ATun, const TIALSchritt& ASchritt);
  // Selection, report (or only its set-up, FOhnePdf) and spreadsheet files
  // of the rows, without the work bracket.
  bool IALErzeugen(TDateTime AWiJahr, const TQLX_SelectedLayout_List& ALayouts, const TIALOptionen& AOptionen,
                   const std::vector<TIADruckZeile>& AZeilen, std::vector<TIALAnforderung> AAnforderungen);
  // Writes the files of ADateien one request after the other; returns how
  // many were written whole (it stops at the first that fails).
  size_t AblageSchreiben(TDateTime AWiJahr, const TQLX_SelectedLayout_List& ALayouts, const TIALOptionen& AOptionen,
                         std::vector<TIAAblageDatei>& ADateien);
  const void* Klammerhalter() const;
  void NachVorne();
  void SelektionMitFortschritt();
  // The report step up to ShowReport: layout, name, parameters, title, actions, export name.
  void BerichtEinrichten();
  // The count list of the selection as the spreadsheet files asked for.
  void TabellenSchreiben();

  QWidget* FOwner;
  std::unique_ptr<TCrystalRDCn> FCrystalRDC;
  TIALSelektion FSelektion;

  // State of the count-list print that runs.
  TDateTime FWiJahr = 0;
  const TQLX_SelectedLayout_List* FLayouts = nullptr;
  TIALOptionen FOptionen;
  TIADruckZeilenQuelle FZeilen;
  TQLX_PEP_Progress_SetPos* FProgressDialog = nullptr;  // given by the main window
  int FGeschrieben = 0;
  std::vector<TIALAnforderung> FAnforderungen;  // of the print that runs
  std::vector<TTabellenZiel> FTabellenZiele;
  std::vector<TKWDTabellenErgebnis> FTabellenErgebnisse;
  bool FOhnePdf = false;
};
