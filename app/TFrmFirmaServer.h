#pragma once
// "Server ...": a company on a PostgreSQL server. Host, port, database, user
// and password; "Verbindung prüfen" says in German what is wrong (name
// unknown, refused, wrong password, no such database, no company of the
// suite); "Kennwort speichern" keeps the password where libpq reads it
// (~/.pgpass). "Öffnen" hands the entry to the company dialog, which opens
// the company; when that fails the reason stands here and the dialog stays.
#include <functional>
#include <string>

#include "app/FirmaOrt.h"
#include "widgets/TKWDForm.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TKWDTitelPanel;

class TFrmFirmaServer : public TKWDForm {
  Q_OBJECT
 public:
  // Opens the entry: empty on success, else the reason.
  using TOeffnen = std::function<std::string(const TPgZiel& AZiel, const std::string& AKennwort, bool ASpeichern)>;

  explicit TFrmFirmaServer(TOeffnen AOeffnen, QWidget* AParent = nullptr);

  // Fills the fields (the password stays empty) and shows AGrund, if any.
  void Vorbelegen(const TPgZiel& AZiel, const std::string& AGrund = {});
  TPgZiel Ziel() const;

 private:
  void btnPruefenClick();
  void BtnOkClick();
  // The entry checked for what no connection needs to tell; empty when fine.
  std::string EingabeFehler() const;
  void Ergebnis(const std::string& AText, bool AGut);
  TOeffnen FOeffnen;

  TKWDTitelPanel* LblTitel;
  QLineEdit* edtHost;
  QLineEdit* edtPort;
  QLineEdit* edtDatenbank;
  QLineEdit* edtBenutzer;
  QLineEdit* edtKennwort;
  QCheckBox* chbKennwortSpeichern;
  QPushButton* btnPruefen;
  QLabel* lblErgebnis;
  QPushButton* BtnOk;
  QPushButton* BtnCancel;
};
