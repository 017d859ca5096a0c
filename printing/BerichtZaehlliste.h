#pragma once
// The count list ("Inventuraufnahmeliste"), report "Zaehlliste": reads this
// process's count-list file and prints, per branch and counting date, the
// articles grouped by product group (ordered by article number), each with
// article number, texts, supplier, selling price, target quantity and an
// empty box for the counted quantity; every page has a header (client,
// fiscal year, branch, counting date, product group, page n of m); each
// branch's list ends with the number of articles and the signature lines.
//
// Parameters (the value set last wins; a layout's own parameter comes after
// the print options, so it overrides the option of the same name):
//   Param_TextMandant, Param_TextWiJahr  header texts
//   Param_Nullbestand=J    also articles whose target quantity is 0
//   Param_NurSammel=J      only collective articles: articles whose
//                          per-article figure 1 is above 0 (it counts the
//                          single articles gathered under the number; 0, as
//                          for an article without figures, is a single article)
//   Param_AnzProGroe=J     a size grid per line of the count-list file: the
//                          sizes, their target quantities and a box per size
//   Param_Sollmenge=N      a blind list: no target quantity anywhere
//   Param_Kompakt=J        one narrow line per article
//   Param_SeiteJeWarengruppe=J  each product group begins a new page
//                          (default: J, compact lists N)
//   Param_Schriftgroesse   body text size in points, a whole number 6..14
//                          (default 9, compact 8); any other value is refused
//                          with the layout's name and line
//   Param_Barcode=J        each article carries its number as Code 128 under
//                          its line (modules 0.34 mm, at least 0.25 mm; quiet zones
//                          kept free; the number under the bars)
//   Param_BarcodeJeGroesse=J  with the size grid: a row of QR codes, one per
//                          size cell, of article number and size ("A-100/03")
//   Param_Unvollstaendig   the printed requests still requested
//                          ("2026-03-20|3|12;..."): every page of their
//                          branch's list says so in the header
//
// An article's line, its barcode and its size grids always stand on one page.
#include "printing/IALTabelle.h"
#include "widgets/TKWDBericht.h"

class TBerichtZaehlliste : public TKWDBerichtArt {
 public:
  int Zeichnen(QPagedPaintDevice& AGeraet, const TKWDBerichtDaten& ADaten) override;
  // One row per article and size of the count list the parameters choose.
  bool HatTabelle() const override { return true; }
  bool Tabelle(const TKWDBerichtDaten& ADaten, TKWDTabelle& ATabelle) override;
};

// The title of the count list's table from the report's parameters (client,
// fiscal year, layout, blind or not).
TIALTabellenKopf IALTabellenKopf(const TKWDBerichtDaten& ADaten);
