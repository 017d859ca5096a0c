// The options dialog and the ways through "Druck IAL" and "Drucken" with the
// real dialogs: cancelled, printed, refused while another command works.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "printing/DruckLayouts.h"
#include "printing/IALDatei.h"
#include "printing/TfrmIALOptions.h"
#include "support/framework/KWDOrdner.h"
#include "widgets/KWDDateiWahl.h"
#include "widgets/TKWDPdfAnsicht.h"
#include "widgets/TLayoutform.h"
#include "widgets/TVTKWDVRList.h"
#include "support/framework/KWDWork.h"
#include "support/framework/TKWDSkriptPresenter.h"
#include "tests/printing/DruckTestUmgebung.h"
#include "tests/widgets/WidgetTestHilfe.h"

namespace {

// A key as the user presses it: the window must be the active one for its shortcuts.
void Taste(QWidget* AFenster, Qt::Key ATaste) {
  EXPECT_TRUE(QTest::qWaitForWindowActive(AFenster));
  QTest::keyClick(AFenster, ATaste);
}

TEST(IALOptionen, ControlsCaptionsHintsAndKeys) {
  TfrmIALOptions Form;
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("Druck der Inventuraufnahmeliste"));
  EXPECT_EQ(Form.FormKey(), "OSTRELfrmIALOptions");
  EXPECT_EQ(Kind<QLabel>(Form, "LblTitel")->text(), QStringLiteral("Konfiguration des Drucks"));
  struct TSoll {
    const char* Name;
    const char* Text;
    const char* Hint;
  };
  for (const TSoll& S : {TSoll{"cbxNullbestand", "Artikel mit Nullbestand drucken",
                               "Auch Artikel mit Nullbestand in IAL drucken "},
                         TSoll{"cbxGG", "Ausdruck des Sollbestandes für alle Größen",
                               "Sollbestände für die Größengänge  ausdrucken"},
                         TSoll{"cbxSammel", "Nur Sammelartikel drucken", ""},
                         TSoll{"btnLayout", "Layout-Gestaltung", ""},
                         TSoll{"btnDruckIAL", "Druck IAL", "Inventuraufnahmeliste mit gewählten Optionen drucken (F10)"},
                         TSoll{"btnCancel", "Abbrechen", "Abbrechen, zurück zur Inventurenübersicht (Esc)"}}) {
    auto* K = Kind<QAbstractButton>(Form, QString::fromUtf8(S.Name));
    EXPECT_EQ(K->text(), QString::fromUtf8(S.Text)) << S.Name;
    EXPECT_EQ(K->toolTip(), QString::fromUtf8(S.Hint)) << S.Name;
  }
  const TIALOptionen Aus = Form.Optionen();
  EXPECT_FALSE(Aus.Nullbestand || Aus.AnzProGroe || Aus.NurSammel) << "all unticked at start";
}

TEST(IALOptionen, F10PrintsEscCancelsAndTheTicksStay) {
  TfrmIALOptions Form;
  {
    auto Uhr = BeimModalFenster<TfrmIALOptions>([](TfrmIALOptions* F) {
      Kind<QCheckBox>(F, "cbxGG")->click();
      Kind<QCheckBox>(F, "cbxSammel")->click();
      Taste(F, Qt::Key_F10);
    });
    EXPECT_EQ(Form.exec(), KWD_MR_OK);
  }
  {
    auto Uhr = BeimModalFenster<TfrmIALOptions>([](TfrmIALOptions* F) {
      Kind<QCheckBox>(F, "cbxSammel")->click();
      Taste(F, Qt::Key_Escape);
    });
    EXPECT_EQ(Form.exec(), KWD_MR_CANCEL);
  }
  const TIALOptionen O = Form.Optionen();
  EXPECT_FALSE(O.Nullbestand);
  EXPECT_TRUE(O.AnzProGroe);
  EXPECT_FALSE(O.NurSammel) << "as the user left them, also after Abbrechen";
}

class DruckenForm : public TDruckTest {
 protected:
  void SetUp() override {
    TDruckTest::SetUp();
    frmIALOptions_Freigeben();
    Firma().Warengruppe("12", "Hosen").Filiale(3, "Kiel");
    Firma().Artikel(P(1), "12", '5', "Hose blau").ArtNr(P(1), 45000, "A-100");
    Firma().Artikel(P(2), "12", '5', "Hose grau").ArtNr(P(2), 45000, "B-200");
    Firma().Inventursatz(KJahr, KTag, 3, P(1), '1', 4).Inventursatz(KJahr, KTag, 3, P(2), '1', 0);
    FListe = new QLineEdit(&FFenster);
    FFenster.setObjectName(QStringLiteral("frmTestHaupt"));
    FFenster.show();
    FPdf = (FHome / "ial.pdf").string();
    FDrucken = std::make_unique<TIADrucken>(&FFenster);
    FDrucken->CrystalRDC().SetPdfZiel(FPdf);
  }
  void TearDown() override {
    FDrucken.reset();
    frmIALOptions_Freigeben();
    TDruckTest::TearDown();
  }
  void Drucken() {
    FDrucken->DruckenIALExecute(KJahr, FLayouts, [this] {
      ++FZeilenGefragt;
      return std::vector<TIADruckZeile>{{KTag, 3, "12"}};
    }, FListe);
  }

  const TDate KJahr = D(2026, 1, 1);
  const TDate KTag = D(2026, 3, 20);
  TKWDForm FFenster;
  QLineEdit* FListe = nullptr;
  std::unique_ptr<TIADrucken> FDrucken;
  TQLX_SelectedLayout_List FLayouts;
  std::string FPdf;
  int FZeilenGefragt = 0;
};

TEST_P(DruckenForm, CancelledOptionsWriteNothingAndShowNothing) {
  bool ArbeitetesFenster = false;
  auto Uhr = BeimModalFenster<TfrmIALOptions>([&](TfrmIALOptions* F) {
    ArbeitetesFenster = FFenster.Arbeitet();
    Taste(F, Qt::Key_Escape);
  });
  Drucken();
  EXPECT_TRUE(ArbeitetesFenster) << "the main window's work bracket is open while it asks";
  EXPECT_FALSE(FFenster.Arbeitet());
  EXPECT_EQ(FZeilenGefragt, 0);
  EXPECT_EQ(FDrucken->CrystalRDC().AnzahlGezeigt(), 0);
  EXPECT_FALSE(std::filesystem::exists(IALDateiPfad()));
  EXPECT_FALSE(std::filesystem::exists(FPdf));
  EXPECT_TRUE(FLayouts.empty());
  EXPECT_EQ(QApplication::focusWidget(), FListe);
}

TEST_P(DruckenForm, CancelledLayoutDialogWritesNothingAndShowsNothing) {
  bool LayoutGezeigt = false;
  auto Optionen = BeimModalFenster<TfrmIALOptions>([](TfrmIALOptions* F) { Taste(F, Qt::Key_F10); });
  auto Layout = BeimModalFenster<TLayoutform>([&](TLayoutform* F) {
    LayoutGezeigt = true;
    Taste(F, Qt::Key_Escape);
  });
  Drucken();
  EXPECT_TRUE(LayoutGezeigt);
  EXPECT_EQ(FZeilenGefragt, 0);
  EXPECT_EQ(FDrucken->CrystalRDC().AnzahlGezeigt(), 0);
  EXPECT_FALSE(std::filesystem::exists(IALDateiPfad()));
  EXPECT_TRUE(FLayouts.empty());
  EXPECT_EQ(QApplication::focusWidget(), FListe);
}

TEST_P(DruckenForm, PrintsWithTheChosenOptionsAndLayoutAndRemovesTheCountList) {
  // A leftover of an earlier process with this id must not disturb.
  { std::ofstream(IALDateiPfad()) << "kein SQLite"; }
  auto Optionen = BeimModalFenster<TfrmIALOptions>([](TfrmIALOptions* F) {
    Kind<QCheckBox>(F, "cbxNullbestand")->click();
    Kind<QPushButton>(F, "btnDruckIAL")->click();
  });
  std::vector<std::string> Angeboten;
  auto Layout = BeimModalFenster<TLayoutform>([&](TLayoutform* F) {
    Angeboten = F->Dateien();
    ASSERT_TRUE(F->LayoutWaehlen("ial__Kompakt.rpt"));
    Kind<QPushButton>(F, "btnOK")->click();
  });
  Drucken();
  EXPECT_EQ(FZeilenGefragt, 1);
  EXPECT_EQ(Angeboten, (std::vector<std::string>{"ial__Blindliste.rpt", "ial__BlindlisteScanner.rpt", "ial__Kompakt.rpt",
                                                 "ial__Standard.rpt", "ial__Groessen.rpt", "ial__Scanner.rpt"}));
  ASSERT_EQ(FLayouts.size(), 1u);
  EXPECT_EQ(FLayouts[0].FileName, "ial__Kompakt.rpt");
  EXPECT_EQ(FDrucken->CrystalRDC().AnzahlGezeigt(), 1);
  const QStringList Seiten = PdfDateiText(FPdf);
  ASSERT_EQ(Seiten.size(), 1);
  EXPECT_TRUE(Seiten[0].contains(QStringLiteral("A-100")));
  EXPECT_TRUE(Seiten[0].contains(QStringLiteral("B-200"))) << "Artikel mit Nullbestand drucken";
  EXPECT_TRUE(Seiten[0].contains(QStringLiteral("Kompakte Zählliste")));
  EXPECT_FALSE(std::filesystem::exists(IALDateiPfad()));
  EXPECT_FALSE(FFenster.Arbeitet());
}

// The layout dialog offers the standard list first, not the blind list that
// sorts before it, then the layout this user printed last, also after a new
// start; its parameters read in German.
TEST_P(DruckenForm, TheLayoutPrintedLastComesPreselectedAtTheNextStart) {
  std::vector<std::string> Vorgewaehlt;
  QString Parameter;
  for (const char* Wahl : {"ial__Scanner.rpt", ""}) {
    auto Optionen = BeimModalFenster<TfrmIALOptions>([](TfrmIALOptions* F) { Taste(F, Qt::Key_F10); });
    auto Layout = BeimModalFenster<TLayoutform>([&](TLayoutform* F) {
      auto* Liste = Kind<TVTKWDVRList>(F, "vrLayouts");
      Vorgewaehlt.push_back(Liste->GetText(Liste->GetFirstSelected(), 1));
      if (*Wahl) {
        ASSERT_TRUE(F->LayoutWaehlen(Wahl));
      }
      auto* Werte = Kind<TVTKWDVRList>(F, "vrParameter");
      const TVRNode Erste = Werte->GetFirst();
      Parameter = QString::fromStdString(Werte->GetText(Erste, 0) + "=" + Werte->GetText(Erste, 1));
      Kind<QPushButton>(F, "btnOK")->click();
    });
    Drucken();
    // A new start: the options dialog and the window's layout list are made anew.
    frmIALOptions_Freigeben();
    FLayouts.clear();
  }
  EXPECT_EQ(Vorgewaehlt, (std::vector<std::string>{"ial__Standard.rpt", "ial__Scanner.rpt"}));
  EXPECT_EQ(Parameter, QStringLiteral("Sollbestand für alle Größen (Größenraster)=ja"));
  EXPECT_EQ(FDrucken->CrystalRDC().AnzahlGezeigt(), 2);
}

// A request still requested (its completion cut off, or never run) lacks
// articles: the window asks first; No prints nothing, Yes prints a list
// whose every page says so.
TEST_P(DruckenForm, ARequestStillRequestedIsAskedAboutAndMarkedOnEveryPage) {
  Firma().Anforderung(KTag, "12", 3, KJahr, 'A');
  for (int Antwort : {KWD_MR_NO, KWD_MR_YES}) {
    SCOPED_TRACE(Antwort);
    TKWDSkriptPresenterScope Meldungen(Antwort);
    auto Optionen =
        BeimModalFenster<TfrmIALOptions>([](TfrmIALOptions* F) { Kind<QPushButton>(F, "btnDruckIAL")->click(); });
    auto Layout = BeimModalFenster<TLayoutform>([&](TLayoutform* F) {
      ASSERT_TRUE(F->LayoutWaehlen("ial__Standard.rpt"));
      Kind<QPushButton>(F, "btnOK")->click();
    });
    const int Vorher = FDrucken->CrystalRDC().AnzahlGezeigt();
    Drucken();
    const auto Gezeigt = (*Meldungen).Gezeigt();
    ASSERT_EQ(Gezeigt.size(), 1u);
    EXPECT_EQ(Gezeigt[0].Art, KWD_MB_JANEIN);
    EXPECT_NE(Gezeigt[0].Text.find("Die Inventur vom 20.03.2026, Warengruppe 12, Filiale 3 ist noch nicht vollständig "
                                   "angefordert"),
              std::string::npos)
        << Gezeigt[0].Text;
    EXPECT_NE(Gezeigt[0].Text.find("Trotzdem drucken?"), std::string::npos);
    EXPECT_EQ(FDrucken->CrystalRDC().AnzahlGezeigt(), Vorher + (Antwort == KWD_MR_YES ? 1 : 0));
    EXPECT_FALSE(std::filesystem::exists(IALDateiPfad()));
  }
  const QStringList Seiten = PdfDateiText(FPdf);
  ASSERT_GE(Seiten.size(), 1);
  for (const QString& Seite : Seiten)
    EXPECT_TRUE(Seite.contains(QStringLiteral("ACHTUNG: noch nicht vollständig angefordert (Warengruppe 12)")))
        << Seite.toStdString();
  EXPECT_TRUE(Seiten.join('\n').contains(QStringLiteral("A-100")));
}

// Where the program switches the viewer's export on, it saves the count
// list as PDF, XLSX or CSV, chosen by the file's ending or the dialog's
// filter; the spreadsheet files hold the count list's rows.
TEST_P(DruckenForm, ViewerExportsThePdfAndTheCountListsRows) {
  DruckLayoutsInstallieren();
  TKWDSkriptPresenterScope Meldungen(KWD_MR_OK);
  FLayouts.push_back({"ial__Standard.rpt", "ial__Standard.rpt", "Zählliste", {}});
  FDrucken->DruckauftragSetzen(KJahr, FLayouts, {true, true, false}, [this] {
    return std::vector<TIADruckZeile>{{KTag, 3, "12"}};
  });
  FDrucken->DruckenIALExecute_Selektion();
  TCrystalRDCn& C = FDrucken->CrystalRDC();
  C.SetPdfZiel({});
  C.Clear();
  C.SetReport(GetDirWwsByName(KWD_ORDNER_LAYOUT, "ial__Standard.rpt", true));
  C.SetParameter(-1, "Param_Nullbestand", "J");
  C.SetExportDiskfileName((FHome / "Listen" / "Zaehlliste.rpt").string());
  C.SetEnableExportAction(true);
  struct TFall {
    std::string Name;  // typed into the dialog
    QString Filter;    // chosen there
    std::string Datei;
  };
  const std::vector<TFall> Faelle{{"liste.xlsx", {}, "liste.xlsx"},
                                  {"liste2", QStringLiteral("CSV (Semikolon) (*.csv)"), "liste2.csv"},
                                  {"liste3.pdf", {}, "liste3.pdf"}};
  QStringList Filter;
  auto Uhr = BeimModalFenster<TKWDPdfAnsicht>([&](TKWDPdfAnsicht* F) {
    for (const TFall& Fall : Faelle) {
      auto Dialog = BeimModalFenster<QFileDialog>([&](QFileDialog* D) {
        Filter = D->nameFilters();
        if (!Fall.Filter.isEmpty()) D->selectNameFilter(Fall.Filter);
        D->selectFile(QString::fromStdString((FHome / Fall.Name).string()));
        QMetaObject::invokeMethod(D, "accept");
      });
      Kind<QAction>(F, "actExport")->trigger();
    }
    F->close();
  });
  ASSERT_TRUE(C.ShowReport());
  EXPECT_TRUE((*Meldungen).Gezeigt().empty()) << (*Meldungen).Gezeigt().front().Text;
  EXPECT_EQ(Filter, (QStringList{QStringLiteral("PDF-Dokument (*.pdf)"), QStringLiteral("XLSX-Arbeitsmappe (*.xlsx)"),
                                 QStringLiteral("CSV (Semikolon) (*.csv)")}));
  EXPECT_EQ(PdfDateiText((FHome / "liste3.pdf").string()).size(), 1);
  for (const char* Datei : {"liste.xlsx", "liste2.csv"}) {
    SCOPED_TRACE(Datei);
    FILE* Rohr = ::popen(("/usr/bin/python3 " WWS_TABELLE_LESEN " '" + (FHome / Datei).string() + "'").c_str(), "r");
    ASSERT_NE(Rohr, nullptr);
    std::string Aus;
    char Puffer[4096];
    for (size_t N; (N = std::fread(Puffer, 1, sizeof Puffer, Rohr)) > 0;) Aus.append(Puffer, N);
    EXPECT_EQ(::pclose(Rohr), 0) << Aus;
    // Both articles (zero stock too, as the parameter asks), one row each for their one size.
    EXPECT_NE(Aus.find("\"A-100\""), std::string::npos) << Aus;
    EXPECT_NE(Aus.find("\"B-200\""), std::string::npos) << Aus;
    EXPECT_NE(Aus.find("\"Gezählt\""), std::string::npos) << Aus;
  }
}

TEST_P(DruckenForm, RefusedWhileAnotherCommandWorks) {
  int Fenster = 0;
  auto Uhr = BeimModalFenster<QDialog>([&](QDialog* F) {
    ++Fenster;
    F->reject();
  });
  const int Andere = 0;
  ASSERT_TRUE(WorkStartTry(&Andere, "TFrmIAMain.VervollstaendigenExecute", 5));
  Drucken();
  FDrucken->DruckenInvListeExecute(KJahr);
  QTest::qWait(30);
  WorkDone(&Andere);
  EXPECT_EQ(Fenster, 0);
  EXPECT_EQ(FZeilenGefragt, 0);
  EXPECT_EQ(FDrucken->CrystalRDC().AnzahlGezeigt(), 0);
}

TEST_P(DruckenForm, ViewerWindowPagesPrintingAndFiling) {
  // More requests than one page holds.
  for (int I = 0; I < 70; ++I) Firma().Anforderung(KTag + I, "12", 1 + I % 4, KJahr);
  FDrucken->CrystalRDC().SetPdfZiel({});
  TKWDSkriptPresenterScope Meldungen(KWD_MR_OK);
  int Seiten = 0, NachWeiter = 0, NachLetzter = 0, Gedruckt = 0;
  QString Titel, SeitenText;
  bool Maximiert = false, ExportSichtbar = true;
  auto Uhr = BeimModalFenster<TKWDPdfAnsicht>([&](TKWDPdfAnsicht* F) {
    Titel = F->windowTitle();
    Maximiert = F->isMaximized();
    Seiten = F->Dokument()->pageCount();
    SeitenText = Kind<QLabel>(F, "lblSeiten")->text();
    ExportSichtbar = Kind<QAction>(F, "actExport")->isVisible();
    Kind<QAction>(F, "actNaechsteSeite")->trigger();
    NachWeiter = Kind<QSpinBox>(F, "edSeite")->value();
    Kind<QAction>(F, "actLetzteSeite")->trigger();
    NachLetzter = F->AktuelleSeite() + 1;
    F->ZoomSetzen(1.5);
    QPrinter Drucker(QPrinter::HighResolution);
    Drucker.setOutputFormat(QPrinter::PdfFormat);
    Drucker.setOutputFileName(QString::fromStdString((FHome / "gedruckt.pdf").string()));
    Drucker.setPrintRange(QPrinter::PageRange);
    Drucker.setFromTo(2, Seiten);
    Gedruckt = FDrucken->CrystalRDC().Drucken(Drucker);
    Taste(F, Qt::Key_Escape);
  });
  FDrucken->DruckenInvListeExecute(KJahr);
  EXPECT_EQ(FDrucken->CrystalRDC().AnzahlGezeigt(), 1);
  ASSERT_GE(Seiten, 2);
  EXPECT_EQ(Titel, QStringLiteral("Inventuren des Wirtschftsjahres 01.01.2026 - 31.12.2026 - Testfirma Nord"));
  EXPECT_TRUE(Maximiert);
  EXPECT_FALSE(ExportSichtbar);
  EXPECT_EQ(SeitenText, QStringLiteral("von %1").arg(Seiten));
  EXPECT_EQ(NachWeiter, 2);
  EXPECT_EQ(NachLetzter, Seiten);
  EXPECT_EQ(Gedruckt, Seiten - 1);
  EXPECT_EQ(PdfDateiText((FHome / "gedruckt.pdf").string()), PdfText(FDrucken->CrystalRDC().Pdf()).mid(1));
}

// "Ablegen" asks where: the first time in the documents folder the desktop
// names, with a name saying what the list is; at the next showing in the
// folder chosen then. Nothing lands in the suite's hidden folders.
TEST_P(DruckenForm, FilingAsksWhereStartingInTheDocumentsFolderAndRemembersIt) {
  const std::filesystem::path Dokumente = FHome / "Eigene Dokumente", Ablage = FHome / "Inventur 2026";
  std::filesystem::create_directories(Dokumente);
  std::filesystem::create_directories(Ablage);
  std::filesystem::create_directories(FHome / "config");
  std::ofstream(FHome / "config" / "user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"" << Dokumente.string() << "\"\n";
  FDrucken->CrystalRDC().SetPdfZiel({});
  TKWDSkriptPresenterScope Meldungen(KWD_MR_OK);
  std::vector<QString> Ordner, Namen, Filter;
  for (int Start = 0; Start < 2; ++Start) {
    auto Uhr = BeimModalFenster<TKWDPdfAnsicht>([&](TKWDPdfAnsicht* F) {
      auto Dialog = BeimModalFenster<QFileDialog>([&](QFileDialog* D) {
        Ordner.push_back(D->directory().absolutePath());
        Namen.push_back(QFileInfo(D->selectedFiles().value(0)).fileName());
        Filter.push_back(D->selectedNameFilter());
        // The second under a name of its own: the dialog would ask before replacing the first.
        D->selectFile(QString::fromStdString((Ablage / (Start == 0 ? "Inventuren_2026.pdf" : "zweite.pdf")).string()));
        QMetaObject::invokeMethod(D, "accept");
      });
      Kind<QAction>(F, "actAblegen")->trigger();
      F->close();
    });
    FDrucken->DruckenInvListeExecute(KJahr);
  }
  ASSERT_EQ(Ordner.size(), 2u);
  EXPECT_EQ(Ordner[0].toStdString(), Dokumente.string());
  EXPECT_EQ(Ordner[1].toStdString(), Ablage.string());
  EXPECT_EQ(Namen[0], QStringLiteral("Inventuren_2026.pdf"));
  EXPECT_EQ(Filter[0], QStringLiteral("PDF-Dokument (*.pdf)"));
  EXPECT_EQ(PdfDateiText((Ablage / "Inventuren_2026.pdf").string()), PdfText(FDrucken->CrystalRDC().Pdf()));
  EXPECT_TRUE(std::filesystem::exists(Ablage / "zweite.pdf"));
  std::error_code F;
  EXPECT_TRUE(std::filesystem::is_empty(FHome / "Listen", F) || !std::filesystem::exists(FHome / "Listen"));
  ASSERT_EQ(Meldungen->Gezeigt().size(), 2u);
  EXPECT_EQ(Meldungen->Gezeigt()[0].Argumente,
            (std::vector<std::string>{"Eine Kopie wurde als \u201E" + (Ablage / "Inventuren_2026.pdf").string() +
                                      "\u201C abgelegt."}));
}

// "Zähllisten je Filiale ablegen": after the options and the layout, a
// folder (with the tick for workbooks); a file of an earlier filing is
// replaced only after a question whose default is No; one PDF and one XLSX
// per request, each PDF holding its own request only.
TEST_P(DruckenForm, FilingPerBranchWritesEachRequestsOwnListNamedByDateGroupAndBranch) {
  Firma().Filiale(4, "Lübeck").Inventursatz(KJahr, KTag, 4, P(2), '1', 7);
  const std::filesystem::path Ordner = FHome / "Filialen";
  std::filesystem::create_directories(Ordner);
  std::ofstream(Ordner / "Zaehlliste_2026-03-20_WG12_Filiale4.pdf") << "von gestern";
  TKWDSkriptPresenterScope Meldungen(KWD_MR_YES);
  std::vector<TKWDDateiFrage> Fragen;
  const TKWDDateiDialog Vorher = KWDDateiDialogSetzen([&](QWidget*, const TKWDDateiFrage& F, TKWDDateiAntwort& A) {
    Fragen.push_back(F);
    A.Pfad = Ordner.string();
    A.Angekreuzt = true;
    return true;
  });
  auto Optionen = BeimModalFenster<TfrmIALOptions>([](TfrmIALOptions* F) { Taste(F, Qt::Key_F10); });
  auto Layout = BeimModalFenster<TLayoutform>([](TLayoutform* F) { Kind<QPushButton>(F, "btnOK")->click(); });
  const std::string Status = FDrucken->ZaehllistenAblegenExecute(KJahr, FLayouts, [this] {
    return std::vector<TIADruckZeile>{{KTag, 3, "12"}, {KTag, 4, "12"}};
  });
  KWDDateiDialogSetzen(Vorher);
  EXPECT_EQ(Status, "2 Zähllisten abgelegt in \u201E" + Ordner.string() + "\u201C (je PDF und XLSX-Arbeitsmappe)");
  ASSERT_EQ(Fragen.size(), 1u);
  EXPECT_TRUE(Fragen[0].Formate.empty()) << "a folder is asked for";
  EXPECT_EQ(Fragen[0].Ankreuzen, "Zu jeder Zählliste auch eine XLSX-Arbeitsmappe ablegen");
  ASSERT_EQ(Meldungen->Gezeigt().size(), 1u);
  EXPECT_NE(Meldungen->Gezeigt()[0].Text.find("eine dieser Dateien (Zaehlliste_2026-03-20_WG12_Filiale4.pdf)"),
            std::string::npos)
      << Meldungen->Gezeigt()[0].Text;
  EXPECT_EQ(Meldungen->Gezeigt()[0].Standard, KWD_MR_NO);
  struct TFall {
    const char* Name;
    QString Filiale, Artikel, Fremd;
  };
  for (const TFall& F : {TFall{"Zaehlliste_2026-03-20_WG12_Filiale3", "Kiel", "A-100", "Lübeck"},
                         TFall{"Zaehlliste_2026-03-20_WG12_Filiale4", "Lübeck", "B-200", "Kiel"}}) {
    SCOPED_TRACE(F.Name);
    const QString Text = PdfDateiText((Ordner / (std::string(F.Name) + ".pdf")).string()).join(QString());
    EXPECT_TRUE(Text.contains(F.Filiale) && Text.contains(F.Artikel)) << Text.toStdString();
    EXPECT_FALSE(Text.contains(F.Fremd));
    EXPECT_GT(std::filesystem::file_size(Ordner / (std::string(F.Name) + ".xlsx")), 0u);
  }
  EXPECT_EQ(FDrucken->CrystalRDC().PdfZiel(), FPdf) << "the viewer's own target stays";
  EXPECT_FALSE(FFenster.Arbeitet());
}

// "Zählliste exportieren": the save dialog suggests a name saying which
// request, offers the two spreadsheet formats, and the file is written.
TEST_P(DruckenForm, CountListExportSuggestsTheRequestsNameAndWritesTheChosenFormat) {
  TKWDSkriptPresenterScope Meldungen(KWD_MR_OK);
  std::vector<TKWDDateiFrage> Fragen;
  const std::string Datei = (FHome / "zaehlliste.csv").string();
  const TKWDDateiDialog Vorher = KWDDateiDialogSetzen([&](QWidget*, const TKWDDateiFrage& F, TKWDDateiAntwort& A) {
    Fragen.push_back(F);
    A.Pfad = Datei;
    return true;
  });
  auto Optionen = BeimModalFenster<TfrmIALOptions>([](TfrmIALOptions* F) { Taste(F, Qt::Key_F10); });
  auto Layout = BeimModalFenster<TLayoutform>([](TLayoutform* F) { Kind<QPushButton>(F, "btnOK")->click(); });
  const std::string Status = FDrucken->ZaehllisteExportierenExecute(
      KJahr, FLayouts, [this] { return std::vector<TIADruckZeile>{{KTag, 3, "12"}}; });
  KWDDateiDialogSetzen(Vorher);
  ASSERT_EQ(Fragen.size(), 1u);
  EXPECT_EQ(Fragen[0].Vorschlag, "Zaehlliste_2026-03-20_WG12_Filiale3.xlsx");
  EXPECT_EQ(Fragen[0].Formate, (std::vector<TKWDExportFormat>{TKWDExportFormat::Xlsx, TKWDExportFormat::Csv}));
  EXPECT_EQ(Status, "Zählliste von 1 Inventur als \u201E" + Datei + "\u201C exportiert (1 Zeile)");
  std::ifstream Csv(Datei);
  const std::string Inhalt((std::istreambuf_iterator<char>(Csv)), std::istreambuf_iterator<char>());
  EXPECT_NE(Inhalt.find("A-100"), std::string::npos) << Inhalt;
  EXPECT_EQ(FDrucken->CrystalRDC().AnzahlGezeigt(), 0) << "no viewer for an export";
}

TEST_P(DruckenForm, LeftoversOfDeadProcessesGoOwnAndLivingOnesStay) {
  const pid_t Kind = ::fork();
  if (Kind == 0) ::_exit(0);
  ASSERT_GT(Kind, 0);
  ::waitpid(Kind, nullptr, 0);
  char Name[32];
  std::snprintf(Name, sizeof Name, "IALfile.%08ld", static_cast<long>(Kind));
  const std::filesystem::path Daten = FHome;
  for (const std::string Endung : {"", "-wal", "-shm"}) std::ofstream(Daten / (Name + Endung)) << "alt";
  std::snprintf(Name, sizeof Name, "IALfile.%08ld", static_cast<long>(::getppid()));
  std::ofstream(Daten / Name) << "lebt";
  std::ofstream(Daten / "IALfile.abc") << "fremd";
  EXPECT_EQ(IALAltdateienEntfernen(), 3);
  EXPECT_TRUE(std::filesystem::exists(Daten / Name));
  EXPECT_TRUE(std::filesystem::exists(Daten / "IALfile.abc"));
}

WWS_SUITE_BACKENDS(DruckenForm);

}  // namespace
