// The main window's status line and the rows a command made or changed:
// after "Neuanlage", "Vervollständigen" and "Löschen" the line says what
// happened, and those rows stand in view, the first of them selected.
#include <QStatusBar>
#include <algorithm>

#include "app/TFrmIAMain.h"
#include "support/framework/KWDGuard.h"

void TFrmIAMain::StatusZeigen(const std::string& AText) {
  KWDGuardStill("TFrmIAMain.StatusZeigen", [&] {
    sbStatus->showMessage(QString::fromStdString(AText));
    sbStatus->setToolTip(QString::fromStdString(AText));
  });
}

TVRNode TFrmIAMain::ZeileVon(const TVglInvAnf_Inv& AAnf) const {
  for (TVRNode Zeile = vrInvList->GetFirst(); Zeile; Zeile = vrInvList->GetNext(Zeile)) {
    if (vrInvList->GetDateTime(Zeile, colZaehldatumWert) != AAnf.Zaehldatum ||
        vrInvList->GetInteger(Zeile, colFiliale) != AAnf.FilNr)
      continue;
    std::string WG = vrInvList->GetText(Zeile, colWG);
    std::erase(WG, '*');  // as GetSelectedInfAnv reads it
    if (WG == AAnf.WG) return Zeile;
  }
  return nullptr;
}

int TFrmIAMain::ZeileIst(const TVglInvAnf_Inv& AAnf, TQLX_IA_KZZaehlung AZustand) const {
  const TVRNode Zeile = ZeileVon(AAnf);
  return Zeile && Char_2_IA_KZZaehlung(vrInvList->GetChar(Zeile, colStatusKZ)) == AZustand ? 1 : 0;
}

void TFrmIAMain::ZeilenZeigen(const std::vector<TVglInvAnf_Inv>& AAnforderungen) {
  KWDGuardStill("TFrmIAMain.ZeilenZeigen", [&] {
    std::vector<TVRNode> Zeilen;
    for (const TVglInvAnf_Inv& Anf : AAnforderungen)
      if (const TVRNode Zeile = ZeileVon(Anf)) Zeilen.push_back(Zeile);
    if (Zeilen.empty()) return;
    const auto [Oberste, Unterste] = std::minmax_element(
        Zeilen.begin(), Zeilen.end(), [](TVRNode A, TVRNode B) { return A->Index < B->Index; });
    // The last first, then the first: as many of them in view as fit, the first always.
    vrInvList->SetSelected(*Unterste);
    vrInvList->SetSelected(*Oberste);
  });
}
