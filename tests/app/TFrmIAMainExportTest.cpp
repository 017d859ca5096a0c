// The main window's menu "Export" and the list's context menu with the
// same entries; "Liste exportieren ...": the list's rows as a CSV file,
// read back by Python's csv module.
#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QStatusBar>
#include <QTest>
#include <QMenu>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "tests/app/AppTestUmgebung.h"
#include "tests/widgets/WidgetTestHilfe.h"

namespace {

class TFrmIAMainExportTest : public TAppTest {};

TEST_P(TFrmIAMainExportTest, TheContextMenuExportsTheListsRows) {
  const TDate J = D(2025, 1, 1);
  Anforderung(D(2025, 3, 1), "1", 5, J, 'G', 1234567.891, 1234000.5);
  Anforderung(D(2025, 2, 20), "9", 8, J, 'A', 10.0, 0.0);
  Anforderung(D(2025, 3, 1), "2", 3, J, 'E', 99.5, 0.0);
  TFrmIAMain& H = HauptZeigen(J);
  const auto Fenster = Zeilen();
  const std::string Datei = (std::filesystem::temp_directory_path() / ("liste-" + std::to_string(::getpid()))).string();

  // The menu of its own and the context menu hold the same entries, each with its key.
  const QStringList Erwartet{QStringLiteral("Zählliste exportieren ...\tCtrl+E"),
                             QStringLiteral("Liste exportieren ...\tCtrl+Shift+E"),
                             QStringLiteral("Zähllisten je Filiale ablegen ...\tCtrl+Shift+S")};
  auto Texte = [](const QList<QAction*>& AAktionen) {
    QStringList T;
    for (QAction* A : AAktionen) T << A->text() + QStringLiteral("\t") + A->shortcut().toString();
    return T;
  };
  EXPECT_EQ(Texte(Kind<QMenu>(H, "mnuExport")->actions()), Erwartet);
  QStringList Eintraege;
  QTimer::singleShot(50, [&] {
    if (auto* Menue = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      Eintraege = Texte(Menue->actions());
      Menue->close();
    }
  });
  emit Liste()->customContextMenuRequested(QPoint(5, 5));
  EXPECT_EQ(Eintraege, Erwartet);

  QString Vorschlag;
  auto Dialog = BeimModalFenster<QFileDialog>([&](QFileDialog* D) {
    Vorschlag = QFileInfo(D->selectedFiles().value(0)).fileName();
    D->selectNameFilter(QStringLiteral("CSV (Semikolon) (*.csv)"));
    D->selectFile(QString::fromStdString(Datei));
    QMetaObject::invokeMethod(D, "accept");
  });
  QTest::keySequence(&H, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
  EXPECT_EQ(Vorschlag, QStringLiteral("Inventuren_2025.xlsx"));
  EXPECT_EQ(Kind<QStatusBar>(H, "sbStatus")->currentMessage().toStdString(),
            "Liste der Inventuren (3 Inventuren) gespeichert als \u201E" + Datei + ".csv\u201C");
  ASSERT_TRUE(std::filesystem::exists(Datei + ".csv")) << "the chosen filter's ending is added";
  FILE* Rohr = ::popen(("/usr/bin/python3 " WWS_TABELLE_LESEN " '" + Datei + ".csv'").c_str(), "r");
  std::string Aus;
  char Puffer[4096];
  for (size_t N; (N = std::fread(Puffer, 1, sizeof Puffer, Rohr)) > 0;) Aus.append(Puffer, N);
  ASSERT_EQ(::pclose(Rohr), 0) << Aus;
  std::filesystem::remove(Datei + ".csv");
  const auto Gelesen = nlohmann::json::parse(Aus)["zeilen"].get<std::vector<std::vector<std::string>>>();
  ASSERT_EQ(Gelesen.size(), Fenster.size());
  // The rows' content is the request list's (tested where the table is made); here: the list's rows in its order.
  for (size_t I = 0; I < Fenster.size(); ++I) EXPECT_EQ(Gelesen[I][3], Fenster[I][colFiliale]) << I;
  EXPECT_FALSE(H.Arbeitet());
}

WWS_SUITE_BACKENDS(TFrmIAMainExportTest);

}  // namespace
