#pragma once
// Numbered messages of invanf-cli: the text goes to stderr; questions are
// answered Yes only with --yes, whatever the environment says, so a script
// never gets a request it did not ask for.
#include "support/framework/KWDMeldungPresenter.h"

class TCliPresenter : public TKWDMeldungPresenter {
 public:
  explicit TCliPresenter(bool AJa) : FJa(AJa) {}
  int Zeigen(const TKWDMeldung& AMeldung) override;
  // A notice was shown: the input was refused somewhere.
  bool HinweisGezeigt() const { return FHinweis; }

 private:
  bool FJa;
  bool FHinweis = false;
};
