#include "tools/invanf-cli/CliPresenter.h"

#include <iostream>

int TCliPresenter::Zeigen(const TKWDMeldung& AMeldung) {
  const bool Frage = AMeldung.Art == KWD_MB_JANEIN || AMeldung.Art == KWD_MB_SCHLIESSEN;
  if (!Frage) {
    CliFehlerAusgeben("invanf-cli", AMeldung.Text, AMeldung.Details, FVerbose);
    FHinweis = true;
    return KWD_MR_OK;
  }
  std::cerr << "invanf-cli: " << CliEineZeile(AMeldung.Text);
  if (FJa || !FTerminal) {
    std::cerr << (FJa ? " [Ja]\n" : " [Nein]\n");
    return FJa ? KWD_MR_YES : KWD_MR_NO;
  }
  std::cerr << " [j/N] " << std::flush;
  std::string Antwort;
  if (!std::getline(std::cin, Antwort)) Antwort.clear();
  const bool Ja = !Antwort.empty() && (Antwort[0] == 'j' || Antwort[0] == 'J' || Antwort[0] == 'y' || Antwort[0] == 'Y');
  return Ja ? KWD_MR_YES : KWD_MR_NO;
}
