// Barcodes are read back, not trusted: a count list of the scanner layout
// rendered to PDF, its pages turned into 300 dpi images (pdftoppm) and
// decoded by zbarimg. The Code 128 codes must be exactly the article
// numbers each page lists, top to bottom; the QR codes exactly "number/size"
// of every size of those articles.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>
#include <QRegularExpression>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "printing/DruckBarcode.h"
#include "printing/DruckLayouts.h"
#include "printing/IALDatei.h"
#include "printing/TIADrucken.h"
#include "suite/TKWDLayoutDatei.h"
#include "support/framework/KWDOrdner.h"
#include "support/framework/TKWDSkriptPresenter.h"
#include "tests/printing/DruckTestUmgebung.h"
#include "tests/widgets/WidgetTestHilfe.h"
#include "widgets/TKWDPdfAnsicht.h"

namespace fs = std::filesystem;

namespace {

std::string Ausgabe(const std::string& ABefehl) {
  std::string Aus;
  FILE* Rohr = ::popen(ABefehl.c_str(), "r");
  if (!Rohr) return Aus;
  char Puffer[65536];
  for (size_t N; (N = std::fread(Puffer, 1, sizeof Puffer, Rohr)) > 0;) Aus.append(Puffer, N);
  ::pclose(Rohr);
  return Aus;
}

struct TGelesen {
  std::vector<std::string> Code128;  // top to bottom
  std::set<std::string> Qr;
};

// Decodes a 300 dpi page in overlapping strips of 20 mm, as a hand scanner
// sees a part of the page (every code lies wholly in one of them): the strip
// a code first appears in gives its order.
TGelesen SeiteLesen(const std::string& APng, const fs::path& AOrdner) {
  const QImage Seite(QString::fromStdString(APng));
  const int Streifen = 236, Schritt = 118;  // 20 mm and 10 mm at 300 dpi
  std::string Dateien;
  int Anzahl = 0;
  for (int Y = 0; Y < Seite.height(); Y += Schritt, ++Anzahl) {
    const std::string Datei = (AOrdner / ("streifen-" + std::to_string(Anzahl) + ".png")).string();
    Seite.copy(0, Y, Seite.width(), std::min(Streifen, Seite.height() - Y)).save(QString::fromStdString(Datei));
    Dateien += " '" + Datei + "'";
  }
  const std::string Xml = Ausgabe("zbarimg --nodbus --xml -q" + Dateien + " 2>/dev/null");
  TGelesen G;
  const QRegularExpression Muster(
      QStringLiteral("streifen-(\\d+)\\.png|<symbol type='([^']+)'[^>]*><data><!\\[CDATA\\[([^\\]]*)\\]\\]>"));
  std::map<int, std::vector<std::string>> JeStreifen;
  int Aktuell = -1;
  for (auto It = Muster.globalMatch(QString::fromStdString(Xml)); It.hasNext();) {
    const auto M = It.next();
    if (M.captured(1).size()) {
      Aktuell = M.captured(1).toInt();
    } else if (M.captured(2) == QLatin1String("CODE-128")) {
      JeStreifen[Aktuell].push_back(M.captured(3).toStdString());
    } else if (M.captured(2) == QLatin1String("QR-Code")) {
      G.Qr.insert(M.captured(3).toStdString());
    }
  }
  for (const auto& [Nr, Codes] : JeStreifen)
    for (const std::string& C : Codes)
      if (std::find(G.Code128.begin(), G.Code128.end(), C) == G.Code128.end()) G.Code128.push_back(C);
  return G;
}

class Strichcode : public TDruckTest {};

TEST_P(Strichcode, ScannerReadsTheArticleNumbersOfEachPageInOrderAndEverySizeCode) {
  DruckLayoutsInstallieren();
  const TDate Jahr = D(2026, 1, 1), Tag = D(2026, 3, 20);
  Firma().Warengruppe("12", "Hosen").Filiale(3, "Kiel");
  // Numbers as the stores have them, one with a "/" of its own and a short one.
  std::vector<std::string> Nummern;
  for (int I = 1; I <= 6; ++I) {
    char Nr[32];
    std::snprintf(Nr, sizeof Nr, "1111-%06d", 1100 + I * 7);
    Nummern.push_back(Nr);
  }
  Nummern.push_back("221-000031/2");
  Nummern.push_back("A7");
  for (size_t I = 0; I < Nummern.size(); ++I) {
    const TInt32Trio Id = P(static_cast<int>(I) + 1);
    Firma().Artikel(Id, "12", '5', "Artikel " + std::to_string(I)).ArtNr(Id, 45000, Nummern[I]);
    // Sizes 1..3, one article with two lines of sizes (1..19).
    Inventur(Jahr, Tag, 3, Id, '1', I == 2 ? std::vector<std::pair<int, int>>{{1, 1}, {19, 2}}
                                           : std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {3, 1}});
  }
  const std::string Pdf = (FHome / "scanner.pdf").string();
  const TKWDLayoutDatei L = TKWDLayoutDatei::Lesen(GetDirWwsByName(KWD_ORDNER_LAYOUT, "ial__Scanner.rpt", true));
  TQLX_SelectedLayout_List Layouts;
  Layouts.push_back({"ial__Scanner.rpt", "ial__Scanner.rpt", L.Titel, L.ParameterZeilen()});
  const std::vector<TIADruckZeile> Zeilen{{Tag, 3, "12"}};
  TIADrucken Drucken;
  Drucken.CrystalRDC().SetPdfZiel(Pdf);
  ASSERT_TRUE(Drucken.IALDrucken(Jahr, Layouts, {}, [&] { return Zeilen; }));
  // The sizes of each article, from the count-list file of the same print.
  Drucken.DruckenIALExecute_Selektion();
  std::map<std::string, std::vector<int>> Groessen;
  for (const TIALTestZeile& Z : Zaehlliste())
    for (int G = Z.ZeileVon; G <= Z.ZeileBis; ++G) Groessen[Z.QArtNr].push_back(G);
  ASSERT_EQ(Groessen.size(), Nummern.size());

  const QStringList Texte = PdfDateiText(Pdf);
  ASSERT_GE(Texte.size(), 2) << "the list runs over pages";
  const fs::path Bilder = FHome / "bilder";
  fs::create_directories(Bilder);
  Ausgabe("pdftoppm -r 300 -png '" + Pdf + "' '" + (Bilder / "seite").string() + "' 2>/dev/null");
  std::vector<std::string> AlleGelesen;
  for (int S = 0; S < Texte.size(); ++S) {
    SCOPED_TRACE("Seite " + std::to_string(S + 1));
    char Name[32];
    std::snprintf(Name, sizeof Name, Texte.size() >= 10 ? "seite-%02d.png" : "seite-%d.png", S + 1);
    const fs::path Ordner = Bilder / std::to_string(S);
    fs::create_directories(Ordner);
    const TGelesen G = SeiteLesen((Bilder / Name).string(), Ordner);
    // The page's articles in the list's order (by number within the group).
    std::vector<std::string> Erwartet;
    std::set<std::string> ErwarteteQr;
    std::vector<std::string> Sortiert = Nummern;
    std::sort(Sortiert.begin(), Sortiert.end());
    for (const std::string& N : Sortiert)
      if (Texte[S].contains(QRegularExpression(QStringLiteral("(^|\\s)") + QRegularExpression::escape(QString::fromStdString(N)) + QStringLiteral("(\\s|$)")))) {
        Erwartet.push_back(N);
        for (int Gr : Groessen[N]) ErwarteteQr.insert(IADruck::GroessenCode(N, Gr));
      }
    ASSERT_FALSE(Erwartet.empty());
    EXPECT_EQ(G.Code128, Erwartet);
    EXPECT_EQ(G.Qr, ErwarteteQr);
    AlleGelesen.insert(AlleGelesen.end(), G.Code128.begin(), G.Code128.end());
  }
  std::sort(Nummern.begin(), Nummern.end());
  EXPECT_EQ(AlleGelesen, Nummern) << "every article once, no article broken across pages";
}

// A scanner list printed from the viewer's "Drucken" through a private CUPS
// whose queue is the virtual PDF printer (scripts/cups-test-server.sh), the
// print dialog accepted with the queue it preselects: what the queue wrote
// holds no page images, and its pages at 300 dpi give the codes of the PDF.
TEST_P(Strichcode, PrintedThroughCupsScansAsItsPdf) {
  const std::string Cups = (FHome / "cups").string(), Skript = "bash " WWS_CUPS_SERVER " ";
  const std::string Start = Ausgabe(Skript + "start '" + Cups + "' 2>&1");
  if (Start.rfind(Cups, 0) != 0 && !std::getenv("CI")) GTEST_SKIP() << Start;  // CI must run it
  ASSERT_EQ(Start.rfind(Cups, 0), 0u) << Start;
  const std::shared_ptr<void> Stopp(nullptr, [&](void*) { Ausgabe(Skript + "stop '" + Cups + "'"); });
  ::setenv("CUPS_SERVER", Start.c_str(), 1);
  DruckLayoutsInstallieren();
  const TDate Jahr = D(2026, 1, 1), Tag = D(2026, 3, 20);
  Firma().Warengruppe("12", "Hosen").Filiale(3, "Kiel");
  for (int I = 1; I <= 4; ++I) {
    Firma().Artikel(P(I), "12", '5', "Artikel").ArtNr(P(I), 45000, "1111-00" + std::to_string(1100 + 7 * I));
    InventurGroessen(Jahr, Tag, 3, P(I), 1, 20);
  }
  TQLX_SelectedLayout_List Layouts;  // the layout file's own parameters apply, the option ticks the sizes
  Layouts.push_back({"ial__Scanner.rpt", "ial__Scanner.rpt", "Scanner", {}});
  TKWDSkriptPresenterScope Meldungen(KWD_MR_OK);
  TIADrucken Drucken;
  QString Drucker;
  auto Ansicht = BeimModalFenster<TKWDPdfAnsicht>([&](TKWDPdfAnsicht* F) {
    auto Dialog = BeimModalFenster<QPrintDialog>([&](QPrintDialog* AD) {
      Drucker = AD->printer()->printerName();
      auto* Feld = Kind<QLineEdit>(AD, "filename");  // the output file's field shows a long path whole
      Feld->setText(Feld->text() + QStringLiteral(" - Filiale 3 Kiel, Warengruppe 12, Zähldatum 20.03.2026.pdf"));
      QTest::qWait(20);
      EXPECT_GE(Feld->contentsRect().width(), Feld->fontMetrics().horizontalAdvance(Feld->text()));
      AD->accept();
    });
    Kind<QAction>(F, "actDrucken")->trigger();
    Kind<QAction>(F, "actSchliessen")->trigger();
  });
  ASSERT_TRUE(Drucken.IALDrucken(Jahr, Layouts, {false, true, false},
                                 [&] { return std::vector<TIADruckZeile>{{Tag, 3, "12"}}; }));
  EXPECT_EQ(Meldungen->Gezeigt().size(), 0u);
  ASSERT_EQ(Drucker, QStringLiteral("Zaehlliste")) << "libcups keeps the server it asked first: run alone (as ctest)";
  const std::string Gedruckt = Ausgabe(Skript + "warten '" + Cups + "' 2>&1");
  ASSERT_EQ(Gedruckt.rfind(Cups, 0), 0u) << Gedruckt;
  EXPECT_EQ(Ausgabe("pdfimages -list '" + Gedruckt + "' | tail -n +3"), "") << "drawn, not page images";
  std::ofstream(FHome / "ansicht.pdf", std::ios::binary) << Drucken.CrystalRDC().Pdf().toStdString();
  auto CodesAllerSeiten = [&](const std::string& APdf, const std::string& AName) {
    Ausgabe("pdftoppm -r 300 -png '" + APdf + "' '" + (FHome / AName).string() + "' 2>/dev/null");
    return Ausgabe("zbarimg --nodbus -q '" + (FHome / AName).string() + "'-*.png 2>/dev/null | sort");
  };
  const std::string Soll = CodesAllerSeiten((FHome / "ansicht.pdf").string(), "soll");
  EXPECT_EQ(CodesAllerSeiten(Gedruckt, "ist"), Soll);
  EXPECT_EQ(std::count(Soll.begin(), Soll.end(), '\n'), 84) << "4 articles, 80 sizes: " << Soll;
}

// One backend is enough: the codes come from the count-list file, which is
// the same on every backend.
INSTANTIATE_TEST_SUITE_P(Backends, Strichcode, ::testing::Values(TDbBackend::SQLite), TTestDbName);

}  // namespace
