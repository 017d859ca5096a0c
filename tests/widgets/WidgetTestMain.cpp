// One QApplication for the GUI tests, on the offscreen platform unless the
// caller chose another (a real X server, to look at the windows).
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "tests/widgets/WidgetTestHilfe.h"
#include "widgets/KWDWidgets.h"
#include "widgets/TKWDApplication.h"

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  TKWDApplication App(argc, argv);
  QApplication::setApplicationName(QStringLiteral("invanf"));
  QApplication::setApplicationDisplayName(QStringLiteral("Inventuranforderungen"));
  KWDWidgetsInstallieren();
  ::testing::InitGoogleTest(&argc, argv);
  GKindFehltMelden = [](const char* ADatei, int AZeile, const std::string& AText) {
    ADD_FAILURE_AT(ADatei, AZeile) << AText;
  };
  return RUN_ALL_TESTS();
}
