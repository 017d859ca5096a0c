// The options dialog and the ways through "Druck IAL" and "Drucken" with the
// real dialogs: cancelled, printed, refused while another command works.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
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
                                  {"liste2", QStringLiteral("CSV-Datei, durch Semikolon getrennt (*.csv)"), "liste2.csv"},
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
  EXPECT_EQ(Filter, (QStringList{QStringLiteral("PDF-Datei (*.pdf)"), QStringLiteral("Excel-Arbeitsmappe (*.xlsx)"),
                                 QStringLiteral("CSV-Datei, durch Semikolon getrennt (*.csv)")}));
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
  std::string Abgelegt1, Abgelegt2;
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
    Abgelegt1 = FDrucken->CrystalRDC().AblageName();
    F->actAblegenExecute();
    Abgelegt2 = FDrucken->CrystalRDC().AblageName();
    F->actAblegenExecute();
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
  EXPECT_EQ(Abgelegt1, (FHome / "Listen" / "Inventuren-Liste20260705.pdf").string());
  EXPECT_EQ(Abgelegt2, (FHome / "Listen" / "Inventuren-Liste20260705-2.pdf").string());
  EXPECT_EQ(PdfDateiText(Abgelegt1).size(), Seiten);
  EXPECT_TRUE(std::filesystem::exists(Abgelegt2));
  ASSERT_EQ(Meldungen->Gezeigt().size(), 2u);
  EXPECT_EQ(Meldungen->Gezeigt()[0].Argumente, (std::vector<std::string>{"Eine Kopie wurde als \u201E" + Abgelegt1 +
                                                                         "\u201C abgelegt."}));
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
