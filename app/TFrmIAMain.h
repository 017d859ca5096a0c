#pragma once
// The main window: the stock-take requests of one fiscal year, coloured by
// their counting state, marked with check boxes, and the commands that work
// on the marked requests. The start dialog sets the fiscal year and shows it
// modally; closing it returns there.
//
// Files: TFrmIAMain.cpp (controls, menus, create, show, destroy),
// TFrmIAMainListe.cpp (the list: filling, colours, marking, selection),
// TFrmIAMainBefehle.cpp (request commands, back, version, close query),
// TFrmIAMainDrucken.cpp (the two print commands), TFrmIAMainExport.cpp
// (the menu "Export": count lists and the list as files), TFrmIAMainStatus.cpp
// (the status line and the rows a command made or changed).
#include <QColor>
#include <memory>
#include <string>
#include <vector>

#include "widgets/TKWDForm.h"
#include "widgets/TQLX_SelectedLayout.h"
#include "widgets/TVTKWDVRList.h"
#include "support/types/KWDDatum.h"
#include "support/types/TQLX_IA_KZZaehlung.h"
#include "support/types/TQLX_clMeldung.h"
#include "support/types/TVglInvAnf_Inv.h"

class QAction;
class QMenuBar;
class QPushButton;
class QStatusBar;
class TIADrucken;
class TKWDProgressDialog;
class TKWDTitelPanel;
class TQLX_InvAnfMani;
class TvglInvAnf;
struct TiaSatz;
struct TIADruckZeile;

// Columns of the request list.
enum TIAListenSpalte : int {
  colLeer = 0,            // check boxes
  colZaehldatum = 1,      // date text, on the first row of each date only
  colZaehldatumWert = 2,  // the counting date as a value (hidden)
  colWG = 3,              // product group, "*" for none
  colFiliale = 4,
  colSollEK = 5,
  colIstEK = 6,
  colDifferenz = 7,
  colStatus = 8,          // display text of the counting state
  colStatusKZ = 9,        // counting-state character as stored (hidden)
};

class TIADrucken;

class TFrmIAMain : public TKWDForm {
  Q_OBJECT
 public:
  // FormCreate: form settings, caption, the shared services and the engine.
  explicit TFrmIAMain(QWidget* AParent = nullptr);
  // FormDestroy: releases in a fixed order, each step on its own.
  ~TFrmIAMain() override;

  // First day of the fiscal year shown; the start dialog sets it before
  // each showing.
  void SetWiJahr(TDateTime AWiJahr) { FWiJahr = AWiJahr; }
  TDateTime WiJahr() const { return FWiJahr; }
  // Last day on which new requests are made without asking (the fiscal
  // year's end plus two months); computed on show for run type 1, else it
  // keeps its last value (0 until computed).
  TDateTime WiJahrLastDay() const { return FWiJahrLastDay; }

  // Refills the list from the request file (fiscal year FWiJahr), sorted by
  // branch, then by counting date.
  void Fuelle_VRListAusIAFile();
  // The marked rows as request keys, top to bottom; with none marked the
  // selected row is marked and returned alone; empty when neither exists.
  std::vector<TVglInvAnf_Inv> GetSelectedInfAnv();
  // Marks and repaints the selected row and returns it; nullptr when none.
  TVRNode CheckSelectedNode();
  // "dd.mm.yyyy - dd.mm.yyyy" of the fiscal year starting on AWiJahr.
  std::string WiJahrtoStr(TDate AWiJahr);

  // Creates one request for the fiscal year shown: true and ARec its key
  // (requested state); false after message 1005 when the engine refused it,
  // or after a registered error.
  bool EineNeueInventur(const std::string& AWG, int AFiliale, TDate AZaehldat, TVglInvAnf_Inv& ARec);

 protected:
  void showEvent(QShowEvent* AEvent) override;
  // Asks before the window closes while a request waits (run type 1).
  bool FormCloseQuery() override;

 private:
  void ControlsAnlegen();
  void MenueAnlegen(QMenuBar* AMenue);
  void FormCreate();
  void FormShow();

  // The list.
  void VRList_Init();
  void FuelleZeile(const TiaSatz& ASatz);
  std::string LetzterDatumText() const;
  QColor vrInvListBeforeCellPaint(TVRNode ANode);
  // The row's target value is only a part: the request is still requested.
  bool SollUnvollstaendig(int AZeile) const;
  void vrInvListInitNode(TVRNode ANode);
  void vrInvListHeaderClick(int ASpalte);
  void btnMarkierenClick();
  void btnAlleEinClick();
  void btnAlleUmsClick();

  // Commands.
  void NeuanlageExecute();
  void btnCompleteClick();
  void LoeschenExecute();
  void SchlieenExecute();
  void VersionsanzeigeExecute();
  void DruckenIALExecute();
  void DruckenInvListeExecute();
  // The menu "Export" and the same entries in the list's context menu
  // (TFrmIAMainExport.cpp).
  void ExportMenueAnlegen(QMenuBar* AMenue);
  void ZaehllisteExportierenExecute();
  void ListeExportierenExecute();
  void ZaehllistenAblegenExecute();
  // The rows the count-list commands work on: the ticked rows top to
  // bottom; none ticked: the selected row, ticked now.
  std::vector<TIADruckZeile> DruckZeilen();
  // A row is ticked or selected.
  bool DruckZeileGewaehlt() const;
  // What "Neuanlage" made: the requests created, each refused one as
  // "Warengruppe 3, Filiale 1: gibt es bereits", and whether the user had
  // them completed at once.
  struct TNeuanlage {
    std::vector<TVglInvAnf_Inv> Neu;
    std::vector<std::string> Abgelehnt;
    bool Vervollstaendigen = false;
  };
  // The new-request dialog and what its entry makes; nothing when cancelled.
  TNeuanlage NeuanlageDialog();
  // AWG as typed in the dialog, blanks kept.
  TNeuanlage NeueInventurenAnlegen(TDate ADatum, const std::string& AWG, const std::vector<int>& AFilialen);
  // Why the engine refused a request, as the status line names it.
  std::string AblehnungsGrund(const std::string& AWG, int AFiliale, TDate ADatum);

  // The status line (TFrmIAMainStatus.cpp).
  void StatusZeigen(const std::string& AText);
  // The row of the request AAnf; nullptr when the list has none.
  TVRNode ZeileVon(const TVglInvAnf_Inv& AAnf) const;
  // 1 when the list has the request in state AZustand, else 0.
  int ZeileIst(const TVglInvAnf_Inv& AAnf, TQLX_IA_KZZaehlung AZustand) const;
  // Brings the rows of the requests into view and selects the first of them.
  void ZeilenZeigen(const std::vector<TVglInvAnf_Inv>& AAnforderungen);
  // False, after telling the user, when the company may only be read.
  bool Schreibbar();
  // The articles other programs kept locked, under AText; nothing when none.
  void GesperrteArtikelZeigen(const std::vector<TQLX_clMeldung>& AMeldungen, const std::string& AText);

  TDateTime FWiJahr = 0;
  TDateTime FWiJahrLastDay = 0;
  std::unique_ptr<TvglInvAnf> FvglInvAnf;
  std::unique_ptr<TQLX_InvAnfMani> FInvAnfMani;

  // The last date text of the rows added so far, the counting date it was
  // formatted from, and the row count they hold for (-1: unknown): filling
  // n rows then costs n look-ups, not n*n/2.
  std::string FDatumText;
  TDateTime FDatumWert = 0;
  int FDatumTextZeilen = -1;
  // The prepared row, reused for every row of a filling.
  std::unique_ptr<TVRRow> FZeile;

  TKWDTitelPanel* pnlHeaderBG;
  QStatusBar* sbStatus;  // what the last command did
  TVTKWDVRList* vrInvList;
  QPushButton* btnNeu;
  QPushButton* btnComplete;
  QPushButton* btnDelete;
  QPushButton* btnDruckenIAL;
  QPushButton* btnDruck;
  QPushButton* btnEnde;
  QPushButton* btnMarkieren;
  QPushButton* btnAlleEin;
  QPushButton* btnAlleUms;
  QAction* Neuanlage;
  QAction* Loeschen;
  QAction* DruckenIAL;
  QAction* DruckenInvListe;
  QAction* Schlieen;
  QAction* Markieren;
  QAction* AlleMarkieren;
  QAction* MarkierungUmkehren;
  QAction* Hilfe;
  QAction* Versionsanzeige;
  QAction* Vervollstaendigen;  // F2 for the button, no menu entry
  QAction* AlleEinTaste;       // Ctrl+A for the button "Alle"
  QAction* ZaehllisteExportieren;
  QAction* ListeExportieren;
  QAction* ZaehllistenAblegen;
  // The progress window the print commands drive.
  std::unique_ptr<TKWDProgressDialog> prgdMain;
  // Layouts chosen for the count list, and the print commands' work.
  TQLX_SelectedLayout_List FSelectedLayouts;
  std::unique_ptr<TIADrucken> FDrucken;
};

// The form's global reference, set while it exists.
extern TFrmIAMain* FrmIAMain;
