#pragma once
// Numbered messages of invanf-cli: the text goes to stderr as one line.
// Questions are answered Yes with --yes; otherwise a terminal on stdin is
// asked (j/N), and without one the answer is No, so a script never gets a
// request it did not ask for.
#include <string>

#include "support/framework/KWDMeldungPresenter.h"
#include "tools/common/CliFehler.h"

class TCliPresenter : public TKWDMeldungPresenter {
 public:
  // AVerbose: a fault's details (where, and the technical text) follow its line.
  TCliPresenter(bool AJa, bool ATerminal, bool AVerbose = false) : FJa(AJa), FTerminal(ATerminal), FVerbose(AVerbose) {}
  int Zeigen(const TKWDMeldung& AMeldung) override;
  // A notice was shown: the input was refused somewhere.
  bool HinweisGezeigt() const { return FHinweis; }

 private:
  bool FJa;
  bool FTerminal;
  bool FVerbose;
  bool FHinweis = false;
};
