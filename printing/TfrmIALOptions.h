#pragma once
// The count-list print options ("Druck der Inventuraufnahmeliste"): created
// once at program start and kept, so the ticks stay as the user left them
// for the rest of the run (all unticked at start). "Druck IAL" (F10) closes
// it with OK, "Abbrechen" (Esc) with Cancel; "Layout-Gestaltung" opens the
// layout dialog to maintain the count-list layouts.
#include "printing/TIADrucken.h"
#include "suite/widgets/TKWDForm.h"

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

  QCheckBox* cbxNullbestand;
  QCheckBox* cbxGG;
  QCheckBox* cbxSammel;
  QPushButton* btnLayout;
  QPushButton* btnDruckIAL;
  QPushButton* btnCancel;
};

// The one instance (nullptr until created).
extern TfrmIALOptions* frmIALOptions;
// Creates frmIALOptions at program start, after the new-request dialog;
// a second call keeps the existing one.
void frmIALOptions_Erzeugen();
// frmIALOptions, created on first need where the start-up did not create it.
TfrmIALOptions* frmIALOptions_CiN();
// Frees it at program end.
void frmIALOptions_Freigeben();
