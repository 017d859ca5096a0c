// The main window's two print commands.
#include "app/TFrmIAMain.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDWork.h"

void TFrmIAMain::DruckenIALExecute() {
  KWDGuard("TFrmIAMain.DruckenIALExecute", [&] {
    // Filled by the count-list printing change: options, layouts and the count list of the marked requests.
    const TKWDWorkBracket Arbeit(this, "TFrmIAMain.DruckenIALExecute", 30);
  });
}

void TFrmIAMain::DruckenInvListeExecute() {
  KWDGuard("TFrmIAMain.DruckenInvListeExecute", [&] {
    // Filled by the overview printing change: the list of all requests of the fiscal year.
    const TKWDWorkBracket Arbeit(this, "TFrmIAMain.DruckenInvListeExecute", 5);
  });
}
