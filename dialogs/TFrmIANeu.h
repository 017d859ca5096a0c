#pragma once
// The new-request dialog: counting date, product group and branches of new
// stock-take requests. Created once at program start (FrmIANeu) and shown
// modally for every "Neuanlage"; it writes nothing itself.
//
// The caller sets InventurOffen, WiJahr and WiJahrLastDay, shows it with
// exec(), and on KWD_MR_OK (1) reads Datum, WG (as typed, blanks kept),
// FilCount and Filiale(0 .. FilCount-1). Showing empties those results; the
// user's entries (date, group, ticked branches) stay from the last showing.
#include <string>
#include <vector>

#include "widgets/TKWDForm.h"
#include "support/types/KWDDatum.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TFilialTabelle;
class TKWDGlyphButton;
class TKWDTitelPanel;
class TQLX_DatumsEingabe;
class TWGNSuchDialog;

class TFrmIANeu : public TKWDForm {
  Q_OBJECT
 public:
  explicit TFrmIANeu(QWidget* AParent = nullptr);
  ~TFrmIANeu() override;

  TDateTime Datum() const { return FDatum; }
  void SetDatum(TDateTime AWert) { FDatum = AWert; }
  const std::string& WG() const { return FWG; }
  void SetWG(const std::string& AWert) { FWG = AWert; }
  TDateTime WiJahr() const { return FWiJahr; }
  void SetWiJahr(TDateTime AWert) { FWiJahr = AWert; }
  TDateTime WiJahrLastDay() const { return FWiJahrLastDay; }
  void SetWiJahrLastDay(TDateTime AWert) { FWiJahrLastDay = AWert; }
  bool InventurOffen() const { return FInventurOffen; }
  void SetInventurOffen(bool AWert) { FInventurOffen = AWert; }
  int FilCount() const { return static_cast<int>(FFilialen.size()); }
  // The branch number at AIdx; 0 outside 0 .. FilCount-1.
  int Filiale(int AIdx) const { return GetFiliale(AIdx); }
  int GetFiliale(int AIdx) const;

  // Handlers, public as the suite's forms publish them.
  void SucheWG();
  void btnEinstellungenClick();
  void BtnOkClick();
  // The checks of the entry in order; false after the message of the first failure.
  bool TestData();

  // The window height for ALines branch lines: 17 per line plus 267, at most 500.
  static int Hoehe(int AZeilen);
  static constexpr int KBreite = 400;
  static constexpr int KWGLaenge = 9;

 protected:
  void showEvent(QShowEvent* AEvent) override;

 private:
  void FormCreate();
  void FormShow();
  bool DatumLesbar();
  std::vector<std::string> AngehakteZeilen() const;

  TDateTime FDatum = 0;
  std::string FWG;
  std::vector<int32_t> FFilialen;
  bool FInventurOffen = false;
  TFilialTabelle* FFilialtabelle = nullptr;
  TDateTime FWiJahr = 0;
  TDateTime FWiJahrLastDay = 0;

  // Controls (the form's own names).
  TKWDTitelPanel* LblTitel;
  QLabel* LblZaehldatum;
  TQLX_DatumsEingabe* btnZaehldatum;
  QLabel* LblWG;
  QLineEdit* edtWg;
  TKWDGlyphButton* btnWGNSuche;
  QLabel* LblFil;
  QListWidget* chbFilialen;
  TWGNSuchDialog* WGNSuchDialog;
  QPushButton* BtnCancel;
  QPushButton* btnEinstellungen;
  QPushButton* BtnOk;
};

// The program's instance: set by the constructor, cleared by the destructor
// (the program creates it once at start-up and frees it at its end).
extern TFrmIANeu* FrmIANeu;
