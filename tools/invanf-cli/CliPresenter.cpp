#include "tools/invanf-cli/CliPresenter.h"

#include <iostream>

std::string CliEineZeile(std::string AText) {
  std::erase(AText, '\r');  // a break written "\r\n" is one blank
  for (char& C : AText)
    if (C == '\n') C = ' ';
  return AText;
}

int TCliPresenter::Zeigen(const TKWDMeldung& AMeldung) {
  const bool Frage = AMeldung.Art == KWD_MB_JANEIN || AMeldung.Art == KWD_MB_SCHLIESSEN;
  std::cerr << "invanf-cli: " << CliEineZeile(AMeldung.Text);
  if (!Frage) {
    std::cerr << "\n";
    FHinweis = true;
    return KWD_MR_OK;
  }
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
