// The main window's commands on requests, "Zurück", the version and the
// close query.
#include "app/TFrmIAMain.h"
#include "suite/widgets/TKWDVersionsDialog.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDWork.h"
#include "support/framework/TKWDInfo.h"
#include "support/framework/TKWDProgramm.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

void TFrmIAMain::NeuanlageExecute() {
  KWDGuard("TFrmIAMain.NeuanlageExecute", [&] {
    // Filled by the request commands change: rights, new-request dialog, creating and completing.
    const TKWDWorkBracket Arbeit(this, "TFrmIAMain.NeuanlageExecute", 5);
  });
}

void TFrmIAMain::btnCompleteClick() {
  KWDGuard("TFrmIAMain.btnCompleteClick", [&] {
    // Filled by the request commands change: completing the marked requests.
    const TKWDWorkBracket Arbeit(this, "TFrmIAMain.btnCompleteClick", 5);
  });
}

void TFrmIAMain::LoeschenExecute() {
  KWDGuard("TFrmIAMain.LoeschenExecute", [&] {
    // Filled by the request commands change: deleting the marked requests.
    const TKWDWorkBracket Arbeit(this, "TFrmIAMain.LoeschenExecute", 5);
  });
}

void TFrmIAMain::SchlieenExecute() {
  KWDGuard("TFrmIAMain.SchlieenExecute", [&] {
    // While a command runs the window stays; the close query follows.
    if (!Working(this)) SetModalResult(KWD_MR_CANCEL);
  });
}

void TFrmIAMain::VersionsanzeigeExecute() {
  KWDGuard("TFrmIAMain.VersionsanzeigeExecute", [&] { VersionsInfoZeigen("Inventuren", nullptr, ""); });
}

bool TFrmIAMain::FormCloseQuery() {
  bool Schliessen = true;
  KWDGuard("TFrmIAMain.FormCloseQuery", [&] {
    if (KWDProgramm().GetRTyp() != 1) return;
    // A request still waiting to be completed or deleted: the user confirms.
    for (TVRNode Zeile = vrInvList->GetFirst(); Zeile; Zeile = vrInvList->GetNext(Zeile)) {
      const TQLX_IA_KZZaehlung Zustand = Char_2_IA_KZZaehlung(vrInvList->GetChar(Zeile, colStatusKZ));
      if (Zustand == TQLX_IA_KZZaehlung::iazAngefordert || Zustand == TQLX_IA_KZZaehlung::iazLoeschen) {
        Schliessen = KWDInfo().ShowMeldung(KWD_MB_SCHLIESSEN, "INVANF", 1018) == KWD_MR_YES;
        return;
      }
    }
  });
  return Schliessen;
}
