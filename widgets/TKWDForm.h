#pragma once
// The suite's form base, for dialogs and for the main window alike.
//
// Every form is a QDialog: the program's windows are shown modally over one
// another (start dialog, main window, dialogs) and hand back a modal result,
// which QDialog::exec() does. A form that needs a menu bar puts a QMenuBar
// into its layout (QLayout::setMenuBar) and asks for the maximise box with
// its window flags.
//
// Modal results are the suite's (support/framework/KWDMeldungPresenter.h):
// SetModalResult(KWD_MR_OK) closes the form and exec() returns 1; Esc, the
// window's close box and reject() give KWD_MR_CANCEL (2).
//
// Closing is refused while a work bracket of this form is open (open it
// with the form as owner: WorkStartTry(this, ...)), and when FormCloseQuery
// answers false. Both hold for every way of closing.
//
// Stored form settings: KWDFormInit(key, flag) gives the form a key under
// which its geometry (per FormPosStoreMode) and, for the widgets registered
// with ZustandMerken, the last page of a tab widget and a splitter's state
// are kept in KWDFormsFile(). They are read at the first showing and written
// whenever the form hides.
#include <QDialog>
#include <QString>
#include <string>
#include <vector>

class QSplitter;
class QTabWidget;

// How much of a form's place is kept between runs.
enum TKWDFormPosStoreMode : int {
  fpsmNichts = 0,              // nothing: the form opens where Qt puts it
  fpsmPosition = 1,            // the position only; the size comes from the form
  fpsmPositionUndGroesse = 2,  // position, size and the maximised state
};

// The stored form settings: $XDG_CONFIG_HOME/wws/forms.ini (else
// ~/.config/wws/forms.ini), beside the suite's settings file.
std::string KWDFormsFile();

// A form caption: the fixed text, " - " and the client text (GetTextMandant).
QString KWDCaption(const QString& AFestText);

class TKWDForm : public QDialog {
  Q_OBJECT
 public:
  explicit TKWDForm(QWidget* AParent = nullptr, Qt::WindowFlags AFlags = {});
  ~TKWDForm() override;

  // Registers the form's stored settings under AKey ("Ostrel" + form name).
  // AFlag true: its geometry is kept as FormPosStoreMode says; false: only
  // the widgets registered with ZustandMerken are kept.
  void KWDFormInit(const std::string& AKey, bool AFlag);
  const std::string& FormKey() const { return FKey; }

  // Default fpsmPositionUndGroesse. A form of fixed size keeps its position
  // only, whatever the mode. Set before the first showing.
  void SetFormPosStoreMode(TKWDFormPosStoreMode AMode) { FMode = AMode; }
  TKWDFormPosStoreMode FormPosStoreMode() const { return FMode; }

  // Keeps the current page of ATab / the sizes of ASplitter under the
  // form's key (the widget needs an object name).
  void ZustandMerken(QTabWidget* ATab);
  void ZustandMerken(QSplitter* ASplitter);

  int ModalResult() const { return FModalResult; }
  // Non-zero closes the form with that result (after the close checks).
  void SetModalResult(int AResult);

  // True while a work bracket opened with this form as owner is open.
  bool Arbeitet() const;

  // Writes the stored settings now (hiding the form does it as well).
  void FormEinstellungenSpeichern();

  // A value of the form's own (the layout printed last, ...) kept with its
  // stored settings under AName; empty when none was kept or the form has
  // no key. Setting writes at once.
  std::string FormWert(const std::string& AName) const;
  void FormWertSetzen(const std::string& AName, const std::string& AWert);

  void done(int AResult) override;
  void reject() override;
  void setVisible(bool AVisible) override;

 protected:
  // Asked before the form closes; false keeps it open. Runs under the
  // form's guard: an exception lets it close.
  virtual bool FormCloseQuery() { return true; }
  void hideEvent(QHideEvent* AEvent) override;

 private:
  void EinstellungenLaden();
  std::string FKey;
  bool FGeometrie = false;
  bool FGeladen = false;
  TKWDFormPosStoreMode FMode = fpsmPositionUndGroesse;
  int FModalResult = 0;
  std::vector<QTabWidget*> FTabs;
  std::vector<QSplitter*> FSplitter;
};
