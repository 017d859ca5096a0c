#pragma once
// The articles another program kept locked while requests were completed or
// deleted: one row per lock-conflict message, in the order given, under an
// explanation of what to do. Created for one showing by Execute.
#include <string>
#include <vector>

#include "widgets/TKWDForm.h"
#include "support/types/TQLX_clMeldung.h"

class QLabel;
class QPushButton;
class TKWDTitelPanel;
class TVTKWDVRList;

class TgesperrteArtikelfrm : public TKWDForm {
  Q_OBJECT
 public:
  // Shows AMeldungen modally under the explanation AText; no window at all
  // for an empty array. The form is freed whatever happens.
  static void Execute(const std::vector<TQLX_clMeldung>& AMeldungen, const std::string& AText);

  explicit TgesperrteArtikelfrm(QWidget* AParent = nullptr);

  // The row store with its six columns (once), then one row per message.
  void VR_List_Init();
  void VR_List_Laden(const std::vector<TQLX_clMeldung>& AMeldungen);

  // Columns of the list.
  enum TSpalte : int { spArtikel = 0, spGesperrtSeit, spProgramm, spTerminal, spTerminalNr, spProzessId };

  struct TSpaltenDef;

 private:
  void FormCreate();
  int Breite(const TSpaltenDef& ASpalte) const;

  TKWDTitelPanel* LblTitel;
  QLabel* lblDescriptoin;
  TVTKWDVRList* vrGesperrteArtikel;
  QPushButton* btnWeiter;
};
