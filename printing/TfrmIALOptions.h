#pragma once
// The count-list print options ("Druck der Inventuraufnahmeliste"): created
// once at program start and kept, so the ticks stay as the user left them
// for the rest of the run (all unticked at start). "Druck IAL" (F10) closes
// it with OK, "Abbrechen" (Esc) with Cancel; "Layout-Gestaltung" opens the
// layout dialog to maintain the count-list layouts.
#include "printing/TIADrucken.h"
#include "widgets/TKWDForm.h"

class QCheckBox;
class QPushButton;

class TfrmIALOptions : public TKWDForm {
  Q_OBJECT
 public:
  explicit TfrmIALOptions(QWidget* AParent = nullptr);
  ~TfrmIALOptions() override;

  // The ticks as the print passes them on.
  TIALOptionen Optionen() const;
  // "Layout-Gestaltung": the layout dialog, for maintenance; its choice is
  // not used for printing.
  void actLayoutExecute();

 private:
  QCheckBox* cbxNullbestand;
  QCheckBox* cbxGG;
  QCheckBox* cbxSammel;
  QPushButton* btnLayout;
  QPushButton* btnDruckIAL;
  QPushButton* btnCancel;
};

// The one instance: set by the first TfrmIALOptions created (the program
// creates it at start, after the new-request dialog, and owns it), cleared
// when that one is destroyed.
extern TfrmIALOptions* frmIALOptions;
// frmIALOptions; where nobody created one (tests, tools), one is created
// here and kept until frmIALOptions_Freigeben.
TfrmIALOptions* frmIALOptions_CiN();
// Frees the instance frmIALOptions_CiN created (the program's own is freed
// by its owner).
void frmIALOptions_Freigeben();
