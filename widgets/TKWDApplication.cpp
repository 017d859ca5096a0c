#include "widgets/TKWDApplication.h"

#include "support/framework/KWDGuard.h"

bool TKWDApplication::notify(QObject* AEmpfaenger, QEvent* AEreignis) {
  const TKWDGuardGrenze Grenze;
  return QApplication::notify(AEmpfaenger, AEreignis);
}
