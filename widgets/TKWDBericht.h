#pragma once
// The reports the report viewer (TCrystalRDCn) renders. A layout file names
// its report ("Bericht=Zaehlliste"); the program registers one renderer per
// report name before it shows a report. The renderer gets the layout, the
// parameters set on the viewer and the device (a QPdfWriter, or a printer).
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "suite/TKWDLayoutDatei.h"

class QPagedPaintDevice;
struct TKWDTabelle;

struct TKWDBerichtDaten {
  std::string LayoutPfad;
  TKWDLayoutDatei Layout;
  std::string ReportName;
  std::string Titel;
  std::vector<std::pair<std::string, std::string>> Parameter;  // as set on the viewer, in order

  // The value set last under AName ("Param_Nullbestand"); else the layout's
  // own parameter of that name without "Param_" (its default); else ADefault.
  std::string Param(const std::string& AName, const std::string& ADefault = {}) const;
  // The parameter is "J" (or "j"); ADefault when it is not set at all.
  bool ParamJa(const std::string& AName, bool ADefault = false) const;
  // A whole number in [AMin, AMax]; ADefault when unset or not a number.
  int ParamZahl(const std::string& AName, int ADefault, int AMin, int AMax) const;
};

class TKWDBerichtArt {
 public:
  virtual ~TKWDBerichtArt() = default;
  // Paints every page of the report on AGeraet (nothing is active on it yet)
  // and returns the number of pages. Throws std::runtime_error with a German
  // text when the report cannot be made.
  virtual int Zeichnen(QPagedPaintDevice& AGeraet, const TKWDBerichtDaten& ADaten) = 0;
  // The report's rows as a spreadsheet table, for the viewer's export as
  // XLSX or CSV; false (the default) for a report that has none.
  virtual bool HatTabelle() const { return false; }
  virtual bool Tabelle(const TKWDBerichtDaten& ADaten, TKWDTabelle& ATabelle) {
    (void)ADaten;
    (void)ATabelle;
    return false;
  }
};

using TKWDBerichtFabrik = std::function<std::unique_ptr<TKWDBerichtArt>()>;
// Registers (or replaces) the renderer of report AName.
void KWDBerichtArtRegistrieren(const std::string& AName, TKWDBerichtFabrik AFabrik);
// A renderer of report AName; nullptr when none is registered.
std::unique_ptr<TKWDBerichtArt> KWDBerichtArtErzeugen(const std::string& AName);
