#pragma once
// Small article services: check strictness and the article number.
#include <string>

#include "suite/SuiteAbfrage.h"
#include "support/types/TInt32Trio.h"

// Check strictness stored as a digit character: '0'..'9' give 0..9; anything
// else (blank, letter) gives 0, which excludes the article from counting.
int Char2ArtPrusch(char AZeichen);

class TArtikelTools {
 public:
  // The article's check strictness; 0 for an unknown article (or after a
  // registered error), so such an article is never counted.
  int Pruefschaerfe_4_Prodid(const TInt32Trio& APId);
  // The article number valid today: of the history entries with a number,
  // entered on a day after 0 and not after today, the latest (on equal days
  // the first in key order). Blanks around it are dropped. Without one, the product
  // id "I1.I2.I3", so a message still names the article. AMitText appends
  // " " and the article's first text when it has one.
  std::string ProduktID_2_ArtNr_Formatted(const TInt32Trio& APId, bool AMitText);

 private:
  TSuiteAbfragen FSql;
};
