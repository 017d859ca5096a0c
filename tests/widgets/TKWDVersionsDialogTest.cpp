// The version dialog on a real company database.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "widgets/TKWDVersionsDialog.h"
#include "widgets/KWDVersion.h"
#include "tests/fixtures/SuiteTestUmgebung.h"
#include "tests/widgets/WidgetTestHilfe.h"

class TVersionsDialogTest : public TSuiteTest {};

TEST_P(TVersionsDialogTest, ShowsProgramVersionBuildAndTheCompanyDatabase) {
  QString Titel, Version, Build, Art, Ort, Text2;
  auto Warten = BeimModalFenster<TKWDVersionsDialog>([&](TKWDVersionsDialog* ADialog) {
    Titel = ADialog->windowTitle();
    Version = ADialog->Wert("Version:");
    Build = ADialog->Wert("Build:");
    Art = ADialog->Wert("Datenbank:");
    Ort = ADialog->Wert("Ort:");
    Text2 = Kind<QLabel>(ADialog, "lblText2")->text();
    QTest::keyClick(ADialog, Qt::Key_Return);
  });
  VersionsInfoZeigen("Inventuren", nullptr, "Zweite Zeile");
  EXPECT_EQ(Titel, QString("Inventuren - Versionsinformation"));
  EXPECT_EQ(Version, QString(KWD_PROGRAMM_VERSION));
  EXPECT_FALSE(Version.isEmpty());
  EXPECT_TRUE(Build.contains(KWD_PROGRAMM_BUILDDATUM));
  EXPECT_EQ(Text2, QString("Zweite Zeile"));
  if (GetParam() == TDbBackend::SQLite) {
    EXPECT_EQ(Art, QString("SQLite"));
    EXPECT_EQ(Ort.toStdString(), FDb->Ort());
  } else {
    EXPECT_EQ(Art, QString("PostgreSQL"));
    EXPECT_TRUE(Ort.startsWith("postgresql://")) << Ort.toStdString();
    EXPECT_FALSE(Ort.contains("password")) << Ort.toStdString();
  }
}

WWS_SUITE_BACKENDS(TVersionsDialogTest);
