#include "tools/invanf-cli/CliPresenter.h"

#include <iostream>

int TCliPresenter::Zeigen(const TKWDMeldung& AMeldung) {
  const bool Frage = AMeldung.Art == KWD_MB_JANEIN || AMeldung.Art == KWD_MB_SCHLIESSEN;
  std::cerr << "invanf-cli: " << AMeldung.Text;
  if (Frage) std::cerr << (FJa ? " [Ja]" : " [Nein]");
  std::cerr << "\n";
  if (!Frage) {
    FHinweis = true;
    return KWD_MR_OK;
  }
  return FJa ? KWD_MR_YES : KWD_MR_NO;
}
