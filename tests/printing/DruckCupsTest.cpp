// A scanner list printed from the report viewer's "Drucken" through a real
// print queue: a private CUPS (scripts/cups-test-server.sh) whose queue is
// the virtual PDF printer of cups-pdf, the print dialog accepted with the
// queue it preselects. What the queue wrote, turned into 300 dpi images,
// must give zbarimg every Code 128 and QR code of the viewer's PDF, page by
// page.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "printing/DruckLayouts.h"
#include "printing/TIADrucken.h"
#include "support/framework/TKWDSkriptPresenter.h"
#include "tests/printing/DruckTestUmgebung.h"
#include "tests/widgets/WidgetTestHilfe.h"
#include "widgets/TKWDPdfAnsicht.h"

namespace fs = std::filesystem;

namespace {

std::string Lesen(const fs::path& ADatei) {
  std::ifstream Ein(ADatei, std::ios::binary);
  std::ostringstream Aus;
  Aus << Ein.rdbuf();
  return Aus.str();
}

uintmax_t Groesse(const fs::path& AOrdner, const std::string& AAnfang) {
  uintmax_t Summe = 0;
  for (const auto& E : fs::directory_iterator(AOrdner))
    if (E.path().filename().string().rfind(AAnfang, 0) == 0) Summe += E.file_size();
  return Summe;
}

class DruckCups : public TDruckTest {
 protected:
  void SetUp() override {
    TDruckTest::SetUp();
    FCups = FHome / "cups";
    int Exit = -1;
    const fs::path Fehler = FHome / "cups-start.txt";
    std::string Server =
        Ausgabe("bash " WWS_CUPS_SERVER " start '" + FCups.string() + "' 2>'" + Fehler.string() + "'", &Exit);
    // Where CUPS cannot run the test says why and is skipped; CI must run it.
    if (Exit == 3 && !std::getenv("CI")) GTEST_SKIP() << Lesen(Fehler);
    ASSERT_EQ(Exit, 0) << Lesen(Fehler);
    FLaeuft = true;
    while (!Server.empty() && std::isspace(static_cast<unsigned char>(Server.back()))) Server.pop_back();
    FServer = Server;
    ::setenv("CUPS_SERVER", FServer.c_str(), 1);
    // libcups keeps the server it first asked for the rest of the process.
    if (!QPrinterInfo::availablePrinterNames().contains(QStringLiteral("Zaehlliste"))) {
      if (!std::getenv("CI"))
        GTEST_SKIP() << "Der Druckdienst wurde in diesem Prozess schon ohne den eigenen CUPS-Dienst gefragt; "
                        "den Test allein starten (wie ctest).";
      FAIL() << "Die Warteschlange Zaehlliste fehlt in der Druckerliste.";
    }
  }
  void TearDown() override {
    if (FLaeuft) Ausgabe("bash " WWS_CUPS_SERVER " stop '" + FCups.string() + "'");
    ::unsetenv("CUPS_SERVER");
    TDruckTest::TearDown();
  }
  // Waits until the queue has finished every job (at most two minutes).
  bool AuftraegeFertig() const {
    for (int I = 0; I < 600; ++I) {
      int Exit = -1;
      if (Ausgabe("lpstat -h '" + FServer + "' -o 2>&1", &Exit).empty() && Exit == 0) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return false;
  }

  fs::path FCups;
  std::string FServer;
  bool FLaeuft = false;
};

TEST_P(DruckCups, PrintedScannerListScansAsItsPdf) {
  DruckLayoutsInstallieren();
  const TDate Jahr = D(2026, 1, 1), Tag = D(2026, 3, 20);
  ScannerArtikel(Jahr, Tag);
  const std::vector<TIADruckZeile> Zeilen{{Tag, 3, "12"}};
  TKWDSkriptPresenterScope Meldungen(KWD_MR_OK);
  TIADrucken Drucken;
  QString Drucker;
  auto Ansicht = BeimModalFenster<TKWDPdfAnsicht>([&](TKWDPdfAnsicht* F) {
    auto Dialog = BeimModalFenster<QPrintDialog>([&](QPrintDialog* D) {
      Drucker = D->printer()->printerName();
      // The output file's field shows a long path whole.
      auto* Feld = Kind<QLineEdit>(D, "filename");
      Feld->setText(Feld->text() + QStringLiteral(" - Filiale 3 Kiel, Warengruppe 12 Hosen, Zähldatum 20.03.2026.pdf"));
      QTest::qWait(20);
      EXPECT_GE(Feld->contentsRect().width(), Feld->fontMetrics().horizontalAdvance(Feld->text())) << Feld->text().toStdString();
      D->accept();
    });
    Kind<QAction>(F, "actDrucken")->trigger();
    Kind<QAction>(F, "actSchliessen")->trigger();
  });
  ASSERT_TRUE(Drucken.IALDrucken(Jahr, Layout("ial__Scanner.rpt"), {}, [&] { return Zeilen; }));
  for (const TKWDMeldung& M : Meldungen->Gezeigt()) ADD_FAILURE() << M.Text;
  EXPECT_EQ(Drucker, QStringLiteral("Zaehlliste"));
  ASSERT_TRUE(AuftraegeFertig()) << Lesen(FCups / "log" / "error_log");

  std::vector<fs::path> Gedruckt;
  for (const auto& E : fs::directory_iterator(FCups / "ausgabe")) Gedruckt.push_back(E.path());
  ASSERT_EQ(Gedruckt.size(), 1u) << Lesen(FCups / "log" / "error_log");
  // Drawn, not pasted: the queue got no page images (pdfimages lists two header lines).
  const std::string Bilder = Ausgabe("pdfimages -list '" + Gedruckt[0].string() + "'");
  EXPECT_EQ(std::count(Bilder.begin(), Bilder.end(), '\n'), 2) << Bilder;
  const fs::path Pdf = FHome / "ansicht.pdf";
  std::ofstream(Pdf, std::ios::binary).write(Drucken.CrystalRDC().Pdf().constData(), Drucken.CrystalRDC().Pdf().size());

  const std::vector<TGelesen> Soll = PdfCodesLesen(Pdf.string(), FHome / "soll");
  const std::vector<TGelesen> Ist = PdfCodesLesen(Gedruckt[0].string(), FHome / "ist");
  ASSERT_GE(Soll.size(), 2u) << "the list runs over pages";
  ASSERT_EQ(Ist.size(), Soll.size());
  size_t Code128 = 0, Qr = 0, Code128Ist = 0, QrIst = 0;
  for (size_t S = 0; S < Soll.size(); ++S) {
    SCOPED_TRACE("Seite " + std::to_string(S + 1));
    EXPECT_EQ(Ist[S].Code128, Soll[S].Code128);
    EXPECT_EQ(Ist[S].Qr, Soll[S].Qr);
    Code128 += Soll[S].Code128.size();
    Qr += Soll[S].Qr.size();
    Code128Ist += Ist[S].Code128.size();
    QrIst += Ist[S].Qr.size();
  }
  EXPECT_EQ(Code128, 8u) << "one code per article";
  std::printf("Druckauftrag %ju Bytes, Ausgabe des Druckers %ju Bytes, PDF %lld Bytes, %zu Seiten; "
              "gelesen: Code 128 %zu von %zu, QR %zu von %zu\n",
              Groesse(FCups / "spool", "d"), fs::file_size(Gedruckt[0]),
              static_cast<long long>(Drucken.CrystalRDC().Pdf().size()), Soll.size(), Code128Ist, Code128, QrIst, Qr);
}

INSTANTIATE_TEST_SUITE_P(Backends, DruckCups, ::testing::Values(TDbBackend::SQLite), TTestDbName);

}  // namespace
