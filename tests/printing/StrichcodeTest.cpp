// Barcodes are read back, not trusted: a count list of the scanner layout
// rendered to PDF, its pages turned into 300 dpi images (pdftoppm) and
// decoded by zbarimg. The Code 128 codes must be exactly the article
// numbers each page lists, top to bottom; the QR codes exactly "number/size"
// of every size of those articles.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <map>
#include <set>

#include "printing/DruckBarcode.h"
#include "printing/DruckLayouts.h"
#include "printing/TIADrucken.h"
#include "tests/printing/DruckTestUmgebung.h"

namespace {

class Strichcode : public TDruckTest {};

TEST_P(Strichcode, ScannerReadsTheArticleNumbersOfEachPageInOrderAndEverySizeCode) {
  DruckLayoutsInstallieren();
  const TDate Jahr = D(2026, 1, 1), Tag = D(2026, 3, 20);
  std::vector<std::string> Nummern = ScannerArtikel(Jahr, Tag);
  const std::string Pdf = (FHome / "scanner.pdf").string();
  const TQLX_SelectedLayout_List Layouts = Layout("ial__Scanner.rpt");
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
  const std::vector<TGelesen> Seiten = PdfCodesLesen(Pdf, FHome / "bilder");
  ASSERT_EQ(Seiten.size(), static_cast<size_t>(Texte.size()));
  std::vector<std::string> AlleGelesen;
  for (int S = 0; S < Texte.size(); ++S) {
    SCOPED_TRACE("Seite " + std::to_string(S + 1));
    const TGelesen& G = Seiten[static_cast<size_t>(S)];
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

// One backend is enough: the codes come from the count-list file, which is
// the same on every backend.
INSTANTIATE_TEST_SUITE_P(Backends, Strichcode, ::testing::Values(TDbBackend::SQLite), TTestDbName);

}  // namespace
