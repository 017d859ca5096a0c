// The main window's two print commands: the printing layer does the work
// (work bracket, dialogs, selection, report); the window hands it the
// fiscal year and, once both dialogs are through, the rows to print.
#include "app/TFrmIAMain.h"
#include "printing/IABefehlsnamen.h"
#include "printing/TIADrucken.h"
#include "support/framework/KWDGuard.h"

std::vector<TIADruckZeile> TFrmIAMain::DruckZeilen() {
  std::vector<TIADruckZeile> Zeilen;
  TVRNode N = vrInvList->GetFirstChecked();
  if (!N) N = CheckSelectedNode();
  for (; N; N = vrInvList->GetNextChecked(N))
    Zeilen.push_back({vrInvList->GetDateTime(N, colZaehldatumWert), static_cast<int>(vrInvList->GetInteger(N, colFiliale)),
                      vrInvList->GetText(N, colWG)});
  return Zeilen;
}

bool TFrmIAMain::DruckZeileGewaehlt() const { return vrInvList->GetFirstChecked() || vrInvList->GetFirstSelected(); }

void TFrmIAMain::DruckenIALExecute() {
  KWDGuard(KIADruckenIAL, [&] {
    FDrucken->DruckenIALExecute(
        FWiJahr, FSelectedLayouts, [this] { return DruckZeilen(); }, vrInvList,
        [this] { return DruckZeileGewaehlt(); });
  });
}

void TFrmIAMain::DruckenInvListeExecute() {
  KWDGuard(KIADruckenInvListe, [&] { FDrucken->DruckenInvListeExecute(FWiJahr); });
}
