// The main window's context menu "Liste exportieren ...": the list's rows
// as a CSV file, read back by Python's csv module.
#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
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

  // The entry is in the list's context menu.
  QStringList Eintraege;
  QTimer::singleShot(50, [&] {
    if (auto* Menue = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      for (QAction* A : Menue->actions()) Eintraege << A->text();
      Menue->close();
    }
  });
  emit Liste()->customContextMenuRequested(QPoint(5, 5));
  EXPECT_EQ(Eintraege, QStringList{QStringLiteral("Liste exportieren ...")});

  auto Dialog = BeimModalFenster<QFileDialog>([&](QFileDialog* D) {
    D->selectNameFilter(QStringLiteral("CSV-Datei, durch Semikolon getrennt (*.csv)"));
    D->selectFile(QString::fromStdString(Datei));
    QMetaObject::invokeMethod(D, "accept");
  });
  Kind<QAction>(H, "actListeExportieren")->trigger();
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
