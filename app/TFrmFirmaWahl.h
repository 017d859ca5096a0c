#pragma once
// "Firma wählen": which company the program works on. Shown before the
// fiscal-year start dialog when no company is set or the set one cannot be
// opened (the reason on top), and on demand ("Firma..." in the start dialog,
// invanf --firma). It offers the companies used before on this account
// (newest first, the last one preselected, Enter opens it; Del or the
// context menu takes one out of the list), a SQLite file
// ("Datei öffnen ..."), a PostgreSQL server ("Server ...") and a new demo
// company ("Demofirma anlegen").
//
// A company is taken only when it opens whole (InvAnfFirmaWechseln): then
// it is the process's company, its place goes to the settings file (WWS_DB)
// and to the top of the list, and the dialog closes with OK. What cannot be
// opened is named on top and left as it was; the dialog stays open.
#include <functional>
#include <string>

#include "app/FirmaOrt.h"
#include "app/TFrmFirmaServer.h"
#include "widgets/TKWDForm.h"

class QAction;
class QLabel;
class QPushButton;
class TKWDTitelPanel;
class TVTKWDVRList;

class TFrmFirmaWahl : public TKWDForm {
  Q_OBJECT
 public:
  // AGrund: why it is shown (the set company cannot be opened), empty when asked for.
  explicit TFrmFirmaWahl(const std::string& AGrund = {}, bool AHinweis = false, QWidget* AParent = nullptr);
  ~TFrmFirmaWahl() override;

  // The reason on top; empty hides it. AHinweis: no fault, only what to do
  // (no company set yet), shown without the colour of a fault.
  void GrundZeigen(const std::string& AGrund, bool AHinweis = false);
  std::string Grund() const;
  // "Abbrechen" returns to the start dialog (true) or ends the program (false, the default).
  void SetAbbrechenZurueck(bool AZurueck);

  // After OK: the place as stored (no password in it).
  const std::string& Gewaehlt() const { return FGewaehlt; }

 private:
  void ListeFuellen();
  // Runs a command inside the form's work bracket; closes the form with OK
  // once a company was taken.
  void Befehl(const char* AName, int ASekunden, const std::function<void()>& ABefehl);
  void btnOeffnenClick();
  void btnDateiClick();
  void btnServerClick();
  void btnDemoClick();
  // Opens AVerbindung (AOrt with a password for this run, or AOrt itself)
  // and keeps AOrt; false after the reason is shown (FLeer: the refused
  // database holds no tables).
  bool Oeffnen(const std::string& AOrt, const std::string& AVerbindung);
  // AOrt is the process's company now: kept in the settings and the list.
  void Merken(const std::string& AOrt);
  // The server dialog, filled with AZiel; AGrund why it asks, ALeer: it
  // offers a new company in the empty database.
  void ServerDialog(const TPgZiel& AZiel, const std::string& AGrund, bool ALeer = false);
  TServerAntwort ServerOeffnen(const TPgZiel& AZiel, const std::string& AKennwort, bool ASpeichern);
  std::string ServerAnlegen(const TPgZiel& AZiel, const std::string& AKennwort, bool ASpeichern, bool ADemo);
  // The company of AZiel is open: kept (without its password), and the
  // password stored in ~/.pgpass when asked to.
  void ServerGewaehlt(const TPgZiel& AZiel, const std::string& AKennwort, bool ASpeichern);
  // Takes the selected company out of the list (Del, context menu).
  void actEntfernenExecute();
  // Builds the demo company at AOrt (replacing a file there with AErsetzen).
  void DemoAnlegen(const std::string& AOrt, bool AErsetzen);
  std::string FGewaehlt;
  bool FLeer = false;

  TKWDTitelPanel* LblTitel;
  QLabel* lblGrund;
  QLabel* lblFirmen;
  TVTKWDVRList* lvFirmen;
  QAction* actEntfernen;
  QPushButton* btnOeffnen;
  QPushButton* btnDatei;
  QPushButton* btnServer;
  QPushButton* btnDemo;
  QPushButton* btnAbbrechen;
};
