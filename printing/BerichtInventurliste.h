#pragma once
// The overview of a fiscal year's stock-take requests, report
// "Inventurliste" (layout "IA-Liste.rpt"): it reads the requests of the year
// that "Param_WiJahr" names (its first day, "dd.mm.yyyy") from the request
// file and lists them per branch (by counting date) with target and actual
// value at purchase prices, their difference (as the main window shows it:
// 0 below half a cent, and while nothing is counted) and the counting state,
// with totals per branch and for the year. Header texts come from
// "Param_TextMandant" and "Param_TextWiJahr".
#include "widgets/TKWDBericht.h"

class TBerichtInventurliste : public TKWDBerichtArt {
 public:
  int Zeichnen(QPagedPaintDevice& AGeraet, const TKWDBerichtDaten& ADaten) override;
  // The year's requests as the main window lists them.
  bool HatTabelle() const override { return true; }
  bool Tabelle(const TKWDBerichtDaten& ADaten, TKWDTabelle& ATabelle) override;
};
