#pragma once
// The company's stock-take parameters: which stock kinds count as counted
// (page "Bestände") and how several markdowns combine, up to which maximum
// (page "Abschläge"). Created once at program start (FrmInvAnfConfig), shown
// from the new-request dialog; every showing reads the parameter store anew.
//
// Saving needs the rights 112 and 119. While a stock-take is open
// (InventurOffen) only the markdown settings are saved: the stock kinds
// decide what an open stock-take regards as counted.
#include <string>

#include "widgets/TKWDForm.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;
class TKWDDezimalValidator;
class TKWDTitelPanel;

class TFrmInvAnfConfig : public TKWDForm {
  Q_OBJECT
 public:
  explicit TFrmInvAnfConfig(QWidget* AParent = nullptr);
  ~TFrmInvAnfConfig() override;

  bool InventurOffen() const { return FInventurOffen; }
  void SetInventurOffen(bool AWert) { FInventurOffen = AWert; }

  // Handlers, public as the suite's forms publish them.
  // Fills rgBerechnung with the three methods and selects the one of
  // AZeichen (a character of no method selects method 1).
  void FillAndSelectRadioGroup(char AZeichen);
  void rgBerechnungClick();
  void BtnOkClick();
  void BtnEndeClick();
  // The six stock-kind parameters from their check boxes, then the refresh of
  // the cached stock-type properties.
  void ParamterBuchen();

  // The method of the selected item, 0 when none is selected.
  int GewaehlteMethode() const;

  // The notice shown instead of saving the stock kinds while a stock-take is open.
  static std::string InventurOffenText();

 protected:
  void showEvent(QShowEvent* AEvent) override;

 private:
  void FormCreate();
  void FormShow();
  bool MaximumLesbar(double& AWert);
  TKWDDezimalValidator* FMaximum = nullptr;
  bool FInventurOffen = false;

  // Controls (the form's own names).
  TKWDTitelPanel* LblTitel;
  QTabWidget* pgcEinstellungen;
  QWidget* tsBestand;
  QWidget* tsAbschlaege;
  QCheckBox* chbAvis;
  QCheckBox* chbAuswahl;
  QCheckBox* chbReklama;
  QCheckBox* chbRetoure;
  QCheckBox* chbReserv;
  QCheckBox* chbAusserHaus2Zaehlbestand_Zaehlen;
  QGroupBox* rgBerechnung;
  QButtonGroup* rgBerechnungItems;  // one radio button per method, id = method number
  QLineEdit* edtMaximaleAbwertung;
  QLabel* lblRechnung;
  QLabel* lblFormel;
  QPushButton* BtnEnde;
  QPushButton* BtnOk;
};

// The program's instance: set by the constructor, cleared by the destructor
// (the program creates it once at start-up and frees it at its end).
extern TFrmInvAnfConfig* FrmInvAnfConfig;
