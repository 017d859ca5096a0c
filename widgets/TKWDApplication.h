#pragma once
// The desktop programs' QApplication: every event is delivered behind a guard
// boundary (TKWDGuardGrenze), so a window handler that runs from a nested
// event loop - the engine lets events run while it works, a modal dialog
// runs its own loop - is the outermost guard of what it does: a failure of
// the database it meets is registered there and never leaves the handler
// into Qt's event loop.
#include <QApplication>

class TKWDApplication : public QApplication {
 public:
  TKWDApplication(int& AArgc, char** AArgv) : QApplication(AArgc, AArgv) {}
  bool notify(QObject* AEmpfaenger, QEvent* AEreignis) override;
};
