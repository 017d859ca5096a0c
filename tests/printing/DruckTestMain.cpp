// One QApplication for the printing tests, offscreen unless the caller chose
// another platform (a real X server, to look at the windows).
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "suite/widgets/KWDWidgets.h"

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication App(argc, argv);
  QApplication::setApplicationName(QStringLiteral("invanf"));
  QApplication::setApplicationDisplayName(QStringLiteral("Inventuranforderungen"));
  KWDWidgetsInstallieren();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
