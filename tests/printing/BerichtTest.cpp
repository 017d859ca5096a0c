// The reports as a reader gets them: the count lists and the overview
// rendered to PDF and read back through the PDF's text, and what the print
// steps hand to the report viewer.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <filesystem>

#include "engine/TQLX_InvAnfMani.h"
#include "printing/DruckLayouts.h"
#include "printing/IALDatei.h"
#include "printing/TIADrucken.h"
#include "suite/demo/DemoFirma.h"
#include "suite/TKWDLayoutDatei.h"
#include "support/framework/KWDOrdner.h"
#include "support/framework/TQLX_PEP_Progress_SetPos.h"
#include "support/types/KWDZahlFormat.h"
#include "tests/printing/DruckTestUmgebung.h"

namespace {

using TParameterListe = std::vector<std::pair<std::string, std::string>>;

class Bericht : public TDruckTest {
 protected:
  void SetUp() override {
    TDruckTest::SetUp();
    DruckLayoutsInstallieren();
    FPdf = (FHome / "bericht.pdf").string();
  }

  static TQLX_SelectedLayout_List Layout(const std::string& ADatei) {
    const TKWDLayoutDatei L = TKWDLayoutDatei::Lesen(GetDirWwsByName(KWD_ORDNER_LAYOUT, ADatei, true));
    TQLX_SelectedLayout_List Liste;
    Liste.push_back({ADatei, ADatei, L.Titel, L.ParameterZeilen()});
    return Liste;
  }

  // The count list of the rows in layout ADatei, as the pages' text.
  QStringList Zaehlliste(const std::vector<TIADruckZeile>& AZeilen, const std::string& ADatei,
                         const TIALOptionen& AOptionen = {}) {
    TIADrucken Drucken;
    Drucken.CrystalRDC().SetPdfZiel(FPdf);
    const TQLX_SelectedLayout_List Layouts = Layout(ADatei);
    EXPECT_TRUE(Drucken.IALDrucken(KJahr, Layouts, AOptionen, [AZeilen] { return AZeilen; }));
    FParameter = Drucken.CrystalRDC().Parameter();
    EXPECT_FALSE(std::filesystem::exists(IALDateiPfad())) << "the count-list file goes once the report is made";
    return PdfDateiText(FPdf);
  }

  static bool Enthaelt(const QStringList& ASeiten, const QString& AText) { return ASeiten.join('\n').contains(AText); }
  static bool Passt(const QStringList& ASeiten, const QString& AMuster) {
    return QRegularExpression(AMuster).match(ASeiten.join('\n')).hasMatch();
  }

  const TDate KJahr = D(2026, 1, 1);
  const TDate KTag = D(2026, 3, 20);
  std::string FPdf;
  TParameterListe FParameter;
};

// A small company: a counted article, one with zero stock, a collective one.
class BerichtKlein : public Bericht {
 protected:
  void SetUp() override {
    Bericht::SetUp();
    Firma().Warengruppe("12", "Hosen").Filiale(3, "Kiel").Lieferant({7, 1}, "Weberei Kiel");
    Firma().Artikel(P(1), "12", '5', "Hose blau", {7, 1}).ArtNr(P(1), 45000, "A-100");
    Firma().Preis('V', P(1), 0, 0, D(2026, 1, 1), 49.95);
    Firma().Artikel(P(2), "12", '5', "Hose grau").ArtNr(P(2), 45000, "B-200");
    Firma().Artikel(P(3), "12", '5', "Hosen-Set").ArtNr(P(3), 45000, "C-300");
    Kennzahlen(P(3), 4, 1);
    Inventur(KJahr, KTag, 3, P(1), '1', {{3, 2}, {4, 777}});
    Inventur(KJahr, KTag, 3, P(2), '1', {});
    Inventur(KJahr, KTag, 3, P(3), '1', {{1, 5}});
  }
  const std::vector<TIADruckZeile> KZeilen{{KTag, 3, "12"}};
};

TEST_P(BerichtKlein, StandardListShowsTheArticleLineHeaderAndSignature) {
  const QStringList Seiten = Zaehlliste(KZeilen, "ial__Standard.rpt");
  ASSERT_EQ(Seiten.size(), 1);
  for (const char* Text : {"Testfirma Nord", "Inventuraufnahmeliste", "Wirtschaftsjahr 01.01.2026 - 31.12.2026",
                           "Filiale 3", "Kiel", "Zähldatum 20.03.2026", "Warengruppe 12 Hosen", "Seite 1 von 1",
                           "Gezählt von:", "Unterschrift:", "2 Artikel", "Summe Soll: 784"})
    EXPECT_TRUE(Enthaelt(Seiten, QString::fromUtf8(Text))) << Text;
  EXPECT_TRUE(Passt(Seiten, QStringLiteral("A-100\\s+Hose blau\\s+49,95\\s+(779\\s+Weberei Kiel|Weberei Kiel\\s+779)")))
      << Seiten.join('\n').toStdString();
  EXPECT_FALSE(Enthaelt(Seiten, QStringLiteral("B-200"))) << "zero stock only when asked for";
  EXPECT_TRUE(Enthaelt(Seiten, QStringLiteral("C-300")));
  EXPECT_FALSE(Enthaelt(Seiten, QStringLiteral("Größe"))) << "no size grid without the option";
}

TEST_P(BerichtKlein, OptionsChooseZeroStockCollectiveArticlesAndSizeGrid) {
  QStringList Seiten = Zaehlliste(KZeilen, "ial__Standard.rpt", {true, false, false});
  EXPECT_TRUE(Enthaelt(Seiten, QStringLiteral("B-200")));
  EXPECT_TRUE(Enthaelt(Seiten, QStringLiteral("3 Artikel")));

  Seiten = Zaehlliste(KZeilen, "ial__Standard.rpt", {true, false, true});
  EXPECT_TRUE(Enthaelt(Seiten, QStringLiteral("C-300")));
  EXPECT_FALSE(Enthaelt(Seiten, QStringLiteral("A-100")));
  EXPECT_FALSE(Enthaelt(Seiten, QStringLiteral("B-200")));
  EXPECT_TRUE(Enthaelt(Seiten, QStringLiteral("1 Artikel")));

  Seiten = Zaehlliste(KZeilen, "ial__Standard.rpt", {false, true, false});
  EXPECT_TRUE(Passt(Seiten, QStringLiteral("Größe\\s+3\\s+4")));
  EXPECT_TRUE(Enthaelt(Seiten, QStringLiteral("777")));
}

TEST_P(BerichtKlein, EveryShippedLayoutPrintsAndTheBlindListHidesEveryTarget) {
  for (const std::string& Datei : DruckLayoutsMitgeliefert()) {
    if (Datei.rfind("ial__", 0) != 0) continue;
    SCOPED_TRACE(Datei);
    const QStringList Seiten = Zaehlliste(KZeilen, Datei);
    ASSERT_GE(Seiten.size(), 1);
    EXPECT_TRUE(Enthaelt(Seiten, QStringLiteral("A-100")));
    const bool Blind = Datei.find("Blindliste") != std::string::npos;
    EXPECT_EQ(Enthaelt(Seiten, QStringLiteral("779")), !Blind);
    EXPECT_EQ(Enthaelt(Seiten, QStringLiteral("Summe Soll")), !Blind);
    if (Blind) {
      EXPECT_FALSE(Enthaelt(Seiten, QStringLiteral("777")));
      EXPECT_TRUE(Enthaelt(Seiten, QStringLiteral("Größe")));
      EXPECT_TRUE(Enthaelt(Seiten, QStringLiteral("Blindliste")));
    }
    if (Datei == "ial__Groessen.rpt") {
      EXPECT_TRUE(Enthaelt(Seiten, QStringLiteral("777")));
    }
  }
}

// A layout's own parameter comes after the option of the same name and wins.
// A stock-take record whose article record is gone (so its group is unknown:
// a request for all groups) is counted by its product id: the whole id stands
// on the sheet in every layout, not cut short.
TEST_P(BerichtKlein, AnArticleWithoutRecordShowsItsWholeProductIdInEveryLayout) {
  Inventur(KJahr, KTag, 3, P(123456, 654321, 987654), '1', {{2, 4}});
  for (const std::string& Datei : DruckLayoutsMitgeliefert()) {
    if (Datei.rfind("ial__", 0) != 0) continue;
    SCOPED_TRACE(Datei);
    const QStringList Seiten = Zaehlliste({{KTag, 3, "*"}}, Datei);
    EXPECT_TRUE(Enthaelt(Seiten, QStringLiteral("Artikel fehlt im Stamm (Produkt-ID 123456.654321.987654)")))
        << Seiten.join('\n').toStdString();
  }
}

TEST_P(BerichtKlein, LayoutParameterAfterTheOptionsOwn) {
  TKWDLayoutDatei Eigen = TKWDLayoutDatei::Lesen(GetDirWwsByName(KWD_ORDNER_LAYOUT, "ial__Standard.rpt"));
  Eigen.Geschuetzt = false;
  Eigen.Parameter = {{"Nullbestand", "J"}, {"Kompakt", "J"}};
  Eigen.Schreiben(GetDirWwsByName(KWD_ORDNER_LAYOUT, "ial__Eigen.rpt"));
  const QStringList Seiten = Zaehlliste(KZeilen, "ial__Eigen.rpt", {false, true, false});
  EXPECT_EQ(FParameter, (TParameterListe{{"Param_TextWiJahr", "01.01.2026 - 31.12.2026"},
                                         {"Param_TextMandant", KMandant},
                                         {"Param_Nullbestand", "N"},
                                         {"Param_AnzProGroe", "J"},
                                         {"Param_NurSammel", "N"},
                                         {"Param_Nullbestand", "J"},
                                         {"Param_Kompakt", "J"},
                                         {"Param_Anforderungen", "2026-03-20|3|12"}}));
  EXPECT_TRUE(Enthaelt(Seiten, QStringLiteral("B-200")));
}

// The page header names the request (date, branch, group with its name) on
// every page; the groups within it are headings in the body, and a page
// that begins within one names it as continued.
TEST_P(BerichtKlein, EveryPageHeaderNamesTheRequestNotTheGroupAtItsTop) {
  Firma().Warengruppe("3", "Kinderbekleidung").Warengruppe("31", "Babymode").Warengruppe("34", "Schulkleidung");
  Firma().Artikel(P(40), "31", '5', "Strampler").ArtNr(P(40), 45000, "K-040");
  Inventur(KJahr, KTag + 1, 3, P(40), '1', {{1, 2}});
  for (int I = 41; I < 71; ++I) {
    Firma().Artikel(P(I), "34", '5', "Schulhose").ArtNr(P(I), 45000, "K-0" + std::to_string(I));
    Inventur(KJahr, KTag + 1, 3, P(I), '1', {{1, 1}});
  }
  const QStringList Seiten = Zaehlliste({{KTag + 1, 3, "3"}}, "ial__Standard.rpt");
  ASSERT_GE(Seiten.size(), 2);
  for (const QString& Seite : Seiten)
    EXPECT_TRUE(Seite.contains(QStringLiteral("Warengruppe 3 Kinderbekleidung")) &&
                Seite.contains(QStringLiteral("Zähldatum 21.03.2026")) && Seite.contains(QStringLiteral("Filiale 3")))
        << Seite.toStdString();
  EXPECT_TRUE(Seiten[0].contains(QStringLiteral("Warengruppe 31 Babymode")));
  EXPECT_TRUE(Seiten[0].contains(QStringLiteral("Warengruppe 34 Schulkleidung")));
  EXPECT_FALSE(Seiten[0].contains(QStringLiteral("Fortsetzung")));
  EXPECT_TRUE(Seiten[1].contains(QStringLiteral("Warengruppe 34 Schulkleidung (Fortsetzung)")))
      << Seiten[1].toStdString();
  EXPECT_FALSE(Seiten.join('\n').contains(QStringLiteral("Babymode (Fortsetzung)")));
}

TEST_P(BerichtKlein, ReportStepCallsTheViewerWithNamesTitleAndExportFile) {
  TIADrucken Drucken;
  Drucken.CrystalRDC().SetPdfZiel(FPdf);
  const TQLX_SelectedLayout_List Layouts = Layout("ial__Kompakt.rpt");
  ASSERT_TRUE(Drucken.IALDrucken(KJahr, Layouts, {}, [this] { return KZeilen; }));
  const TCrystalRDCn& C = Drucken.CrystalRDC();
  EXPECT_EQ(C.Report(), (FHome / "Layout" / "ial__Kompakt.rpt").string());
  EXPECT_EQ(C.ReportName(), "ial__Kompakt.");
  EXPECT_EQ(C.Title(), "Inventuraufnahmeliste");
  EXPECT_FALSE(C.ExportAction());
  EXPECT_TRUE(C.KomAction());
  EXPECT_TRUE(C.WindowMaximized());
  // 5 July 2026: month and day with a leading zero.
  EXPECT_EQ(C.ExportDiskfileName(), (FHome / "Listen" / "Inventuraufnahmeliste-20260705.rpt").string());
  // Filing suggests a name that says which request the list is of.
  EXPECT_EQ(C.AblageName(), "Zaehlliste_2026-03-20_WG12_Filiale3.pdf");
  EXPECT_EQ(C.AblageArt(), KAblageZaehlliste);
  EXPECT_EQ(C.AnzahlGezeigt(), 1);
}

TEST_P(BerichtKlein, ProgressWindowNamesTheArticleWorkedOn) {
  TKWDTerminalProgress Fortschritt(false);
  TIADrucken Drucken;
  Drucken.SetProgressDialog(&Fortschritt);
  Drucken.CrystalRDC().SetPdfZiel(FPdf);
  const TQLX_SelectedLayout_List Layouts = Layout("ial__Standard.rpt");
  ASSERT_TRUE(Drucken.IALDrucken(KJahr, Layouts, {}, [this] { return KZeilen; }));
  EXPECT_EQ(Fortschritt.Caption(), "Daten werden aufbereitet ...");
  ASSERT_EQ(Fortschritt.Zaehler().size(), 1u);
  EXPECT_EQ(Fortschritt.Zaehler()[0].Name, "ArtikelNr");
  EXPECT_EQ(Fortschritt.Zaehler()[0].Caption, "Artikelnummer: ");
  EXPECT_EQ(Fortschritt.Counter("ArtikelNr"), "A-100") << "the first article is shown at once";
  EXPECT_FALSE(Fortschritt.Sichtbar());
}

// Requests of two branches and of another year.
class BerichtUebersicht : public Bericht {
 protected:
  void Wert(TDate ATag, const std::string& AWG, int AFiliale, TDate AJahr, double ASoll, double AIst, char AZustand) {
    Firma().Anforderung(ATag, AWG, AFiliale, AJahr, AZustand);
    auto S = FDirekt->Prepare("UPDATE inventuranforderung SET ek_soll = ?, ek_ist = ? WHERE zaehldatum = ? AND wg = ? "
                              "AND filnr = ?");
    S->BindDouble(1, ASoll);
    S->BindDouble(2, AIst);
    S->BindDouble(3, ATag);
    S->BindText(4, AWG);
    S->BindInt(5, AFiliale);
    S->Execute();
  }
  double Summe(const char* ASpalte) {
    auto S = FDirekt->Prepare(std::string("SELECT sum(") + ASpalte + ") FROM inventuranforderung WHERE wijahr = ?");
    S->BindDouble(1, KJahr);
    return S->Step() ? S->ColumnDouble(0) : -1;
  }
};

TEST_P(BerichtUebersicht, ListsTheYearsRequestsWithTotalsPerBranchAndOverall) {
  Firma().Warengruppe("12", "Hosen").Filiale(1, "Hamburg").Filiale(2, "Bremen");
  Wert(D(2026, 3, 10), "12", 1, KJahr, 1000.10, 990.05, 'G');
  Wert(D(2026, 3, 11), "", 1, KJahr, 2000.00, 0, 'E');
  Wert(D(2026, 3, 10), "21", 2, KJahr, 1234.56, 1300.00, 'B');
  Wert(D(2025, 3, 10), "12", 2, D(2025, 1, 1), 5555.55, 0, 'A');  // another year
  TIADrucken Drucken;
  Drucken.CrystalRDC().SetPdfZiel(FPdf);
  Drucken.DruckenInvListeExecute(KJahr);
  const QStringList Seiten = PdfDateiText(FPdf);
  ASSERT_EQ(Seiten.size(), 1);
  // The totals are the request values of the year.
  EXPECT_EQ(FormatZahlDe(Summe("ek_soll"), 2), "4.234,66");
  EXPECT_EQ(FormatZahlDe(Summe("ek_ist"), 2), "2.290,05");
  EXPECT_TRUE(Passt(Seiten, QStringLiteral("Gesamtsumme \\(3 Inventuren\\)\\s+4.234,66\\s+2.290,05\\s+55,39")))
      << Seiten.join('\n').toStdString();
  EXPECT_TRUE(Passt(Seiten, QStringLiteral("Summe Filiale 1 \\(2 Inventuren\\)\\s+3.000,10\\s+990,05\\s+-10,05")));
  EXPECT_TRUE(Passt(Seiten, QStringLiteral("10.03.2026\\s+21\\s+2\\s+1.234,56\\s+1.300,00\\s+65,44\\s+gebucht")));
  EXPECT_TRUE(Passt(Seiten, QStringLiteral("11.03.2026\\s+alle\\s+1\\s+2.000,00\\s+0,00\\s+0,00\\s+eröffnet")));
  for (const char* Text : {"Testfirma Nord", "Inventuren des Wirtschaftsjahres 01.01.2026 - 31.12.2026",
                           "Filiale 1 – Hamburg", "Filiale 2 – Bremen", "12 Hosen", "Seite 1 von 1"})
    EXPECT_TRUE(Enthaelt(Seiten, QString::fromUtf8(Text))) << Text;
  EXPECT_FALSE(Enthaelt(Seiten, QStringLiteral("5.555,55")));
}

TEST_P(BerichtUebersicht, FiscalYearFromFirstOfJulyAndExportName) {
  TIADrucken Drucken;
  Drucken.CrystalRDC().SetPdfZiel(FPdf);
  Drucken.DruckenInvListeExecute(D(2026, 7, 1));
  const TCrystalRDCn& C = Drucken.CrystalRDC();
  EXPECT_EQ(C.Report(), (FHome / "Layout" / "IA-Liste.rpt").string());
  EXPECT_EQ(C.ReportName(), "ial__");
  EXPECT_EQ(C.Parameter(), (TParameterListe{{"Param_TextWiJahr", "01.07.2026 - 30.06.2027"},
                                            {"Param_TextMandant", KMandant},
                                            {"Param_WiJahr", "01.07.2026"}}));
  EXPECT_EQ(C.Title(), "Inventuren des Wirtschftsjahres 01.07.2026 - 30.06.2027");
  EXPECT_EQ(C.ExportDiskfileName(), (FHome / "Listen" / "Inventuren-Liste20260705.rpt").string());
  EXPECT_EQ(C.AblageName(), "Inventuren_2026-2027.pdf");
  EXPECT_FALSE(C.ExportAction());
  EXPECT_TRUE(C.KomAction());
  const QStringList Seiten = PdfDateiText(FPdf);
  EXPECT_TRUE(Enthaelt(Seiten, QStringLiteral("01.07.2026 - 30.06.2027")));
  EXPECT_TRUE(Enthaelt(Seiten, QStringLiteral("keine Inventuranforderungen")));
}

// A completed request of the demo company: its count list is not empty and
// lists exactly the articles of its stock-type-1 records.
class BerichtDemo : public Bericht {};

TEST_P(BerichtDemo, CountListOfACompletedRequestListsItsRegularStockArticles) {
  TDemoOptionen Opt;
  Opt.Seed = 3;
  Opt.Artikel = 300;
  Opt.Filialen = 3;
  Opt.Stichtag = D(2026, 3, 15);
  DemoFirmaErzeugen(*FDirekt, Opt);
  // A few counted articles the branch holds under another stock type only.
  auto Fremd = FDirekt->Prepare(
      "INSERT INTO bestand (prodid1, prodid2, prodid3, filnr, bestandstyp, bestand_a, bestand_b, bestand_c, gr1) "
      "SELECT a.prodid1, a.prodid2, a.prodid3, 2, '7', 0, 1, 0, 3 FROM artikel a WHERE a.pruefschaerfe IN ('2', '3') "
      "AND NOT EXISTS (SELECT 1 FROM bestand b WHERE b.prodid1 = a.prodid1 AND b.prodid2 = a.prodid2 "
      "AND b.prodid3 = a.prodid3 AND b.filnr = 2) ORDER BY a.prodid1, a.prodid2, a.prodid3 LIMIT 3");
  ASSERT_EQ(Fremd->Execute(), 3);
  const TDate Tag = D(2026, 4, 20);
  {
    TQLX_InvAnfMani Mani;
    ASSERT_TRUE(Mani.InventurAnlegen(Tag, KJahr, "", 2));
    TVglInvAnf_Inv Anf;
    Anf.FilNr = 2;
    Anf.WiJahr = 2026;
    Anf.Zaehldatum = Tag;
    Anf.KZZaehlung = 1;
    std::vector<TQLX_clMeldung> Meldungen;
    ASSERT_TRUE(Mani.InventurAnforderungVervollstaendigen({Anf}, Meldungen));
  }
  // The article numbers of the request's records by stock type (the latest
  // dated number of each, read here on its own).
  auto Nummern = [&](const char* ABedingung) {
    auto S = FDirekt->Prepare(
        std::string("SELECT (SELECT h.artnr FROM artnr_historie h WHERE h.prodid1 = i.prodid1 AND h.prodid2 = "
                    "i.prodid2 AND h.prodid3 = i.prodid3 AND h.artnr <> '' AND h.eingabedatum > 0 ORDER BY "
                    "h.eingabedatum DESC, h.artnr LIMIT 1) FROM inventur i WHERE i.zaehldatum = ? AND i.filnr = 2 ") +
        ABedingung);
    S->BindDouble(1, Tag);
    std::vector<std::string> N;
    while (S->Step()) N.push_back(S->ColumnIsNull(0) ? "" : S->ColumnText(0));
    return N;
  };
  const std::vector<std::string> Regulaer = Nummern("AND i.bestandstyp = '1'");
  const std::vector<std::string> Andere = Nummern(
      "AND i.bestandstyp <> '1' AND NOT EXISTS (SELECT 1 FROM inventur j WHERE j.zaehldatum = i.zaehldatum AND "
      "j.filnr = i.filnr AND j.prodid1 = i.prodid1 AND j.prodid2 = i.prodid2 AND j.prodid3 = i.prodid3 AND "
      "j.bestandstyp = '1')");
  ASSERT_GT(Regulaer.size(), 20u);

  const QStringList Seiten = Zaehlliste({{Tag, 2, "*"}}, "ial__Kompakt.rpt", {true, false, false});
  ASSERT_GE(Seiten.size(), 2);
  for (int S = 0; S < Seiten.size(); ++S)
    EXPECT_TRUE(Seiten[S].contains(QStringLiteral("Seite %1 von %2").arg(S + 1).arg(Seiten.size()))) << S;
  EXPECT_TRUE(Seiten.front().contains(QStringLiteral("Zähldatum 20.04.2026")));
  EXPECT_TRUE(Seiten.back().contains(QStringLiteral("Gezählt von:")));
  EXPECT_TRUE(Enthaelt(Seiten, QStringLiteral("%1 Artikel").arg(Regulaer.size())));
  for (const std::string& N : Regulaer) {
    if (!N.empty()) {
      EXPECT_TRUE(Enthaelt(Seiten, QString::fromStdString(N))) << N;
    }
  }
  int Gepruefte = 0;
  for (const std::string& N : Andere) {
    if (N.empty() || std::find(Regulaer.begin(), Regulaer.end(), N) != Regulaer.end()) continue;
    EXPECT_FALSE(Enthaelt(Seiten, QString::fromStdString(N))) << N;
    ++Gepruefte;
  }
  EXPECT_GT(Gepruefte, 0) << "the demo request has articles of other stock types only";
}

WWS_SUITE_BACKENDS(BerichtKlein);
WWS_SUITE_BACKENDS(BerichtUebersicht);
WWS_SUITE_BACKENDS(BerichtDemo);

}  // namespace
