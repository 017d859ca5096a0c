#pragma once
// The suite's layout dialog: lists the report layouts of a folder whose file
// names begin with the given prefixes (TKWDLayoutDatei.h has the file
// format), shows each layout's title, description and name=value
// parameters, and returns the one the user chooses. With maintenance allowed
// (TQLX_LayoutDialog_InputData::Pflegen) the user also copies a layout,
// renames a copy, edits a copy's parameters and deletes a copy; layouts
// shipped with the program ("Geschuetzt=J") are only copied.
//
// Keys: Enter or F10 chooses, Esc cancels; F5 copies, F2 renames, F4 edits
// the parameters, Entf deletes.
#include <string>
#include <vector>

#include "widgets/TKWDForm.h"
#include "suite/TKWDLayoutDatei.h"
#include "widgets/TQLX_SelectedLayout.h"

class QLabel;
class QPushButton;
class TVTKWDVRList;

class TLayoutform : public TKWDForm {
  Q_OBJECT
 public:
  explicit TLayoutform(QWidget* AParent = nullptr);
  ~TLayoutform() override;

  // True when the user chose a layout: ALayouts then holds it alone. The
  // layout chosen before (ALayouts' first entry) is preselected.
  bool Execute(const TQLX_LayoutDialog_InputData& AInput, TQLX_SelectedLayout_List& ALayouts);

  // The button handlers (also for tests).
  void btnKopierenClick();
  void btnUmbenennenClick();
  void btnParameterClick();
  void btnLoeschenClick();
  void btnOKClick();

  // Selects the layout stored in file ADatei; false when it is not listed.
  bool LayoutWaehlen(const std::string& ADatei);
  // File names in list order.
  std::vector<std::string> Dateien() const;

 private:
  struct TEintrag {
    std::string Datei;
    std::string Praefix;  // the prefix it was listed for
    TKWDLayoutDatei Layout;
    std::string Fehler;   // not readable: why
  };
  void Einlesen(const std::string& AAuswahl);
  const TEintrag* Gewaehlt() const;
  void AuswahlGeaendert();
  std::string Pfad(const std::string& ADatei) const;
  std::string NeuerDateiname(const std::string& APraefix, const std::string& ATitel) const;
  bool TitelErfragen(const QString& AUeberschrift, const QString& AVorschlag, std::string& ATitel);
  void Melden(const std::string& AText);

  TQLX_LayoutDialog_InputData FInput;
  std::string FOrdner;
  std::vector<TEintrag> FEintraege;
  TVTKWDVRList* FListe;
  TVTKWDVRList* FParameter;
  QLabel* FBeschreibung;
  QPushButton* FKopieren;
  QPushButton* FUmbenennen;
  QPushButton* FParameterKnopf;
  QPushButton* FLoeschen;
  QPushButton* FOK;
};
