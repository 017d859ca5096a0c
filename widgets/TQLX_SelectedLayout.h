#pragma once
// What the layout dialog (TLayoutform) is given and what it returns.
#include <map>
#include <string>
#include <vector>

// One chosen layout.
struct TQLX_SelectedLayout {
  std::string FileName;                // file name in the layout folder, "ial__Standard.rpt"
  std::string Name;                    // the layout's name: its file name, as the report viewer keys it
  std::string Titel;                   // the title the dialog shows
  std::vector<std::string> Parameter;  // the layout's "name=value" lines, in file order
};

// The layouts the dialog returns (one: the dialog chooses a single layout).
class TQLX_SelectedLayout_List : public std::vector<TQLX_SelectedLayout> {
 public:
  int Count() const { return static_cast<int>(size()); }
};

// Input of the layout dialog; reset with Init before filling.
struct TQLX_LayoutDialog_InputData {
  std::string Ordner;                 // folder name (an entry of C_KWDFolder_Value), e.g. "Layout"
  std::vector<std::string> Praefixe;  // only files whose name begins with one of these are listed
  char Art = 0;                       // 'F': report layouts of the viewer (the only kind here)
  bool Pflegen = false;               // the user may copy, rename, edit and delete copies
  // What the dialog shows for a parameter name ("AnzProGroe": "Sollbestand
  // für alle Größen"); a name without a text shows as it is written.
  std::map<std::string, std::string> ParameterTexte;
  void Init() { *this = TQLX_LayoutDialog_InputData{}; }
};
