#pragma once
// The fiscal-year start dialog, the program's main form: it offers the fiscal
// years, preselects the one containing today and shows the main window
// modally for the chosen year. Closing it ends the program.
#include <memory>
#include <string>
#include <vector>

#include "widgets/TKWDForm.h"
#include "support/types/KWDDatum.h"

class QFrame;
class QLabel;
class TInvMani;
class TKWDGlyphButton;
class TKWDStdComboBox;
class TKWDTitelPanel;

class TFrmIAStart : public TKWDForm {
  Q_OBJECT
 public:
  // FormCreate: form settings, caption, the stock-take manager.
  explicit TFrmIAStart(QWidget* AParent = nullptr);
  // FormDestroy.
  ~TFrmIAStart() override;

  // Completes FWirtsJahre up to today (the same rule serves invanf-cli).
  void FuelleWiJahr();
  // "dd.mm.yyyy - dd.mm.yyyy" of the fiscal year starting on AWiJahr;
  // AEnthaeltHeute tells whether it contains today.
  std::string WiJahrtoStr(TDate AWiJahr, bool& AEnthaeltHeute);

  // First days of the offered years, in the order of the combo-box lines.
  const std::vector<TDate>& WirtsJahre() const { return FWirtsJahre; }

 protected:
  void showEvent(QShowEvent* AEvent) override;
  void resizeEvent(QResizeEvent* AEvent) override;

 private:
  void FormShow();
  void FormResize();
  void CmbBoxWiJahrChange();
  void BtnOkClick();
  void BtnEndeClick();
  // "Firma...": the program closes this dialog and asks for the company.
  void BtnFirmaClick();

  std::unique_ptr<TInvMani> FInvMani;
  std::vector<TDate> FWirtsJahre;

  QFrame* pnlBG;
  TKWDTitelPanel* LblTitel;
  QLabel* LblWiJahr;
  TKWDStdComboBox* CmbBoxWiJahr;
  TKWDGlyphButton* BtnOk;
  TKWDGlyphButton* BtnEnde;
  TKWDGlyphButton* BtnFirma;
};

// The form's global reference, set while it exists.
extern TFrmIAStart* FrmIAStart;
