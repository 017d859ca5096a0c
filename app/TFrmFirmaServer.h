#pragma once
// "Server ...": a company on a PostgreSQL server. Host (empty: this
// machine through the socket, shown as "lokal (Socket)"), port, database,
// user and password; "Verbindung prüfen" says in German what is wrong (name
// unknown, refused, wrong password, no such database, no company of the
// suite); "Kennwort speichern" keeps the password where libpq reads it
// (~/.pgpass), and the dialog shows whether one is stored there for the
// server and user entered (and removes it on request). "Öffnen" hands the
// entry to the company dialog, which opens the company; when that fails the
// reason stands here and the dialog stays, until a field changes.
//
// A database without any table gets "Neue Firma hier anlegen" (empty, or
// the demo company): built whole or not at all as wws-admin builds it, then
// opened. A database with another application's tables is never offered.
#include <functional>
#include <string>

#include "app/FirmaOrt.h"
#include "widgets/TKWDForm.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TKWDTitelPanel;

// What opening the entry came to: done (Grund empty), or the reason; Leer:
// the database holds no tables at all.
struct TServerAntwort {
  std::string Grund;
  bool Leer = false;
};

class TFrmFirmaServer : public TKWDForm {
  Q_OBJECT
 public:
  using TOeffnen =
      std::function<TServerAntwort(const TPgZiel& AZiel, const std::string& AKennwort, bool ASpeichern)>;
  // Builds a new company (ADemo: the demo company) in the empty database of
  // AZiel and opens it: empty on success, else the reason.
  using TAnlegen = std::function<std::string(const TPgZiel& AZiel, const std::string& AKennwort, bool ASpeichern,
                                             bool ADemo)>;

  TFrmFirmaServer(TOeffnen AOeffnen, TAnlegen AAnlegen, QWidget* AParent = nullptr);

  // Fills the fields (the password stays empty) and shows AGrund, if any;
  // ALeer offers a new company in the empty database.
  void Vorbelegen(const TPgZiel& AZiel, const std::string& AGrund = {}, bool ALeer = false);
  TPgZiel Ziel() const;

 private:
  // Runs a command inside this form's work bracket (one at a time, the form
  // stays open meanwhile); a command returning true closes it with OK.
  void Befehl(const char* AName, const std::function<bool()>& ABefehl);
  void btnPruefenClick();
  void BtnOkClick();
  void btnAnlegenClick();
  void btnKennwortEntfernenClick();
  // The entry checked for what no connection needs to tell; false after
  // the fault is shown.
  bool EingabeGut();
  // The result line; ALeer offers a new company in the empty database.
  void Ergebnis(const std::string& AText, bool AGut, bool ALeer = false);
  // A field changed: the last result no longer holds.
  void FeldGeaendert();
  void KennwortStandZeigen();
  TOeffnen FOeffnen;
  TAnlegen FAnlegen;

  TKWDTitelPanel* LblTitel;
  QLineEdit* edtHost;
  QLineEdit* edtPort;
  QLineEdit* edtDatenbank;
  QLineEdit* edtBenutzer;
  QLineEdit* edtKennwort;
  QCheckBox* chbKennwortSpeichern;
  QLabel* lblKennwortStand;
  QPushButton* btnKennwortEntfernen;
  QPushButton* btnPruefen;
  QLabel* lblErgebnis;
  QGroupBox* grpNeueFirma;
  QRadioButton* rbLeer;
  QRadioButton* rbDemo;
  QPushButton* btnAnlegen;
  QPushButton* BtnOk;
  QPushButton* BtnCancel;
};
