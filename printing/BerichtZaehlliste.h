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
//   Param_Schriftgroesse   body text size in points, 6..14 (default 9, compact 8)
#include "widgets/TKWDBericht.h"

class TBerichtZaehlliste : public TKWDBerichtArt {
 public:
  int Zeichnen(QPagedPaintDevice& AGeraet, const TKWDBerichtDaten& ADaten) override;
};
