#include "widgets/TKWDPdfAnsicht.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "widgets/KWDTasten.h"
#include "widgets/KWDWidgets.h"
#include "widgets/TCrystalRDCn.h"
#include "support/framework/KWDDateiErsetzen.h"
#include "support/tabelle/KWDTabelle.h"
#include "widgets/KWDDateiWahl.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/TKWDInfo.h"

namespace {

QString Q(const std::string& AText) { return QString::fromStdString(AText); }

// The stored window settings of one report: its report name, in a form
// QSettings keeps as one group name.
std::string BerichtKey(const std::string& AReportName) {
  std::string Key = "KWDBericht_";
  for (char Z : AReportName) Key += (std::isalnum(static_cast<unsigned char>(Z)) || Z == '_') ? Z : '_';
  return Key;
}

struct TZoomStufe {
  const char* Text;
  double Faktor;  // 0: fit to width, -1: whole page
};
constexpr TZoomStufe KZoom[] = {{"Seitenbreite", 0},  {"Ganze Seite", -1}, {"50 %", 0.5},  {"75 %", 0.75},
                                {"100 %", 1.0},       {"125 %", 1.25},     {"150 %", 1.5}, {"200 %", 2.0}};

// Qt's print dialog gives the output file of "Print to File" a field that
// cuts a longer path; it grows with its text (up to most of the screen),
// and its tool tip holds the whole path.
void AusgabeDateiLesbar(QPrintDialog& ADialog) {
  auto* Feld = ADialog.findChild<QLineEdit*>(QStringLiteral("filename"));
  if (!Feld) return;
  auto Anpassen = [Feld](const QString& AText) {
    const QFontMetrics Masse = Feld->fontMetrics();
    const QScreen* Bildschirm = Feld->screen();
    const int Hoechstens = Bildschirm ? Bildschirm->availableGeometry().width() * 2 / 3 : 1000;
    Feld->setMinimumWidth(std::min(Hoechstens, Masse.horizontalAdvance(AText) + 4 * Masse.averageCharWidth()));
    Feld->setToolTip(AText);
  };
  QObject::connect(Feld, &QLineEdit::textChanged, Feld, Anpassen);
  Anpassen(Feld->text());
}

}  // namespace

TKWDPdfAnsicht::TKWDPdfAnsicht(const TCrystalRDCn& ABericht, QWidget* AParent)
    : TKWDForm(AParent, Qt::Window | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      FBericht(ABericht),
      FPdf(ABericht.Pdf()) {
  setObjectName(QStringLiteral("frmKWDBericht"));
  setWindowTitle(KWDCaption(Q(ABericht.Title().empty() ? std::string("Bericht") : ABericht.Title())));
  KWDFormInit(BerichtKey(ABericht.ReportName()), true);
  resize(1000, 1000);

  FDokument = new QPdfDocument(this);
  FPuffer.setBuffer(&FPdf);
  FPuffer.open(QIODevice::ReadOnly);
  FDokument->load(&FPuffer);

  FAnsicht = new QPdfView(this);
  FAnsicht->setObjectName(QStringLiteral("pdfBericht"));
  FAnsicht->setDocument(FDokument);
  FAnsicht->setPageMode(QPdfView::PageMode::MultiPage);
  FAnsicht->setZoomMode(QPdfView::ZoomMode::FitToWidth);
  FAnsicht->setPageSpacing(12);

  auto* Leiste = new QToolBar(this);
  Leiste->setObjectName(QStringLiteral("tbBericht"));
  Leiste->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  // Page navigation shows pictures only (the hint names it), so the bar
  // fits a window that is not maximised.
  auto Aktion = [&](const QString& AName, const QString& AText, const QIcon& ABild, const QKeySequence& ATaste,
                    const QString& AHint, auto AZiel) {
    QAction* A = Leiste->addAction(ABild, AText);
    A->setObjectName(AName);
    KWDTasteBinden(A, ATaste, AHint);
    connect(A, &QAction::triggered, this, AZiel);
    if (auto* Knopf = qobject_cast<QToolButton*>(Leiste->widgetForAction(A)); Knopf && AText.isEmpty())
      Knopf->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return A;
  };
  auto Bild = [this](QStyle::StandardPixmap ABild) { return style()->standardIcon(ABild); };
  Aktion(QStringLiteral("actErsteSeite"), QString(), Bild(QStyle::SP_MediaSkipBackward),
         QKeySequence(Qt::CTRL | Qt::Key_Home), QStringLiteral("Erste Seite"), [this] { SeiteZeigen(0); });
  Aktion(QStringLiteral("actVorigeSeite"), QString(), Bild(QStyle::SP_ArrowLeft), QKeySequence(Qt::Key_PageUp),
         QStringLiteral("Vorige Seite"), [this] { SeiteZeigen(AktuelleSeite() - 1); });
  FSeite = new QSpinBox(this);
  FSeite->setObjectName(QStringLiteral("edSeite"));
  FSeite->setToolTip(QStringLiteral("Seite"));
  FSeite->setMinimum(1);
  FSeite->setKeyboardTracking(false);
  Leiste->addWidget(FSeite);
  FSeiten = new QLabel(this);
  FSeiten->setObjectName(QStringLiteral("lblSeiten"));
  FSeiten->setContentsMargins(4, 0, 4, 0);
  Leiste->addWidget(FSeiten);
  Aktion(QStringLiteral("actNaechsteSeite"), QString(), Bild(QStyle::SP_ArrowRight),
         QKeySequence(Qt::Key_PageDown), QStringLiteral("Nächste Seite"), [this] { SeiteZeigen(AktuelleSeite() + 1); });
  Aktion(QStringLiteral("actLetzteSeite"), QString(), Bild(QStyle::SP_MediaSkipForward),
         QKeySequence(Qt::CTRL | Qt::Key_End), QStringLiteral("Letzte Seite"),
         [this] { SeiteZeigen(FDokument->pageCount() - 1); });
  Leiste->addSeparator();
  QAction* Kleiner = Leiste->addAction(QStringLiteral("−"));
  Kleiner->setObjectName(QStringLiteral("actKleiner"));
  KWDTasteBinden(Kleiner, QKeySequence(Qt::CTRL | Qt::Key_Minus), QStringLiteral("Verkleinern"));
  connect(Kleiner, &QAction::triggered, this, [this] { ZoomSetzen(std::max(0.25, FAnsicht->zoomFactor() / 1.25)); });
  FZoom = new QComboBox(this);
  FZoom->setObjectName(QStringLiteral("cbxZoom"));
  FZoom->setToolTip(QStringLiteral("Größe der Anzeige"));
  for (const TZoomStufe& Z : KZoom) FZoom->addItem(QString::fromUtf8(Z.Text));
  Leiste->addWidget(FZoom);
  QAction* Groesser = Leiste->addAction(QStringLiteral("+"));
  Groesser->setObjectName(QStringLiteral("actGroesser"));
  KWDTasteBinden(Groesser, QKeySequence(Qt::CTRL | Qt::Key_Plus), QStringLiteral("Vergrößern"));
  connect(Groesser, &QAction::triggered, this, [this] { ZoomSetzen(std::min(4.0, FAnsicht->zoomFactor() * 1.25)); });
  Leiste->addSeparator();
  Aktion(QStringLiteral("actDrucken"), QStringLiteral("Drucken ..."), QIcon::fromTheme(QStringLiteral("document-print")),
         QKeySequence(Qt::CTRL | Qt::Key_P), QStringLiteral("Den Bericht auf einem Drucker ausgeben"),
         [this] { actDruckenExecute(); });
  FExport = Aktion(QStringLiteral("actExport"), QStringLiteral("Exportieren ..."), Bild(QStyle::SP_DialogSaveButton),
                   QKeySequence(), QStringLiteral("Den Bericht als PDF-Dokument (Listen auch als XLSX-Arbeitsmappe oder CSV-Datei) speichern"), [this] { actExportExecute(); });
  FExport->setEnabled(ABericht.ExportAction());
  FExport->setVisible(ABericht.ExportAction());
  FAblegen = Aktion(QStringLiteral("actAblegen"), QStringLiteral("Ablegen"), Bild(QStyle::SP_DirIcon), QKeySequence(),
                    QStringLiteral("Eine Kopie des Berichts als PDF-Dokument in einem Ordner Ihrer Wahl ablegen"),
                    [this] { actAblegenExecute(); });
  FAblegen->setEnabled(ABericht.KomAction());
  FAblegen->setVisible(ABericht.KomAction());
  Leiste->addSeparator();
  Aktion(QStringLiteral("actSchliessen"), QStringLiteral("Schließen"), Bild(QStyle::SP_DialogCloseButton),
         QKeySequence(Qt::Key_Escape), QStringLiteral("Die Ansicht schließen"), [this] { SetModalResult(KWD_MR_CANCEL); });

  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);
  Layout->addWidget(Leiste);
  Layout->addWidget(FAnsicht, 1);

  connect(FSeite, qOverload<int>(&QSpinBox::valueChanged), this, [this](int AWert) {
    if (AWert - 1 != AktuelleSeite()) SeiteZeigen(AWert - 1);
  });
  connect(FAnsicht->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this,
          [this] { SeitenAnzeigeAktualisieren(); });
  connect(FZoom, qOverload<int>(&QComboBox::activated), this, [this](int AIndex) { ZoomAuswahl(AIndex); });
  FZoom->setCurrentIndex(0);
  SeitenAnzeigeAktualisieren();
  if (ABericht.WindowMaximized()) setWindowState(windowState() | Qt::WindowMaximized);
}

TKWDPdfAnsicht::~TKWDPdfAnsicht() {
  // The view renders pages in a thread of its own, from the document, which
  // reads the buffer: all of it goes before the buffer and its bytes do
  // (members die before the children Qt deletes).
  KWDZerstoeren("TKWDPdfAnsicht.Destroy", {[&] { FAnsicht->setDocument(nullptr); },
                                           [&] {
                                             delete FAnsicht;
                                             FAnsicht = nullptr;
                                           },
                                           [&] {
                                             FDokument->close();
                                             delete FDokument;
                                             FDokument = nullptr;
                                           }});
}

int TKWDPdfAnsicht::AktuelleSeite() const { return FAnsicht->pageNavigator()->currentPage(); }

void TKWDPdfAnsicht::SeiteZeigen(int ASeite) {
  KWDGuard("TKWDPdfAnsicht.SeiteZeigen", [&] {
    const int Seiten = FDokument->pageCount();
    if (Seiten <= 0) return;
    const int Ziel = std::clamp(ASeite, 0, Seiten - 1);
    FAnsicht->pageNavigator()->jump(Ziel, QPointF(), FAnsicht->pageNavigator()->currentZoom());
    SeitenAnzeigeAktualisieren();
  });
}

void TKWDPdfAnsicht::ZoomSetzen(double AFaktor) {
  FAnsicht->setZoomMode(QPdfView::ZoomMode::Custom);
  FAnsicht->setZoomFactor(AFaktor);
  const QString Text = QString::number(std::lround(AFaktor * 100)) + QStringLiteral(" %");
  const int Index = FZoom->findText(Text);
  if (Index >= 0) {
    FZoom->setCurrentIndex(Index);
  } else {
    FZoom->setEditable(true);
    FZoom->setEditText(Text);
    FZoom->setEditable(false);
  }
}

void TKWDPdfAnsicht::ZoomAuswahl(int AIndex) {
  if (AIndex < 0 || AIndex >= static_cast<int>(std::size(KZoom))) return;
  const double F = KZoom[AIndex].Faktor;
  if (F == 0)
    FAnsicht->setZoomMode(QPdfView::ZoomMode::FitToWidth);
  else if (F < 0)
    FAnsicht->setZoomMode(QPdfView::ZoomMode::FitInView);
  else
    ZoomSetzen(F);
}

void TKWDPdfAnsicht::SeitenAnzeigeAktualisieren() {
  const int Seiten = std::max(1, FDokument->pageCount());
  const QSignalBlocker Sperre(FSeite);
  FSeite->setMaximum(Seiten);
  FSeite->setValue(AktuelleSeite() + 1);
  FSeiten->setText(QStringLiteral("von %1").arg(Seiten));
}

void TKWDPdfAnsicht::actDruckenExecute() {
  KWDGuard("TKWDPdfAnsicht.actDruckenExecute", [&] {
    QPrinter Drucker(QPrinter::HighResolution);
    Drucker.setDocName(windowTitle());
    // The report's own paper; the dialog may choose another.
    Drucker.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog Dialog(&Drucker, this);
    Dialog.setObjectName(QStringLiteral("dlgDrucken"));
    Dialog.setMinMax(1, std::max(1, FDokument->pageCount()));
    Dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    AusgabeDateiLesbar(Dialog);
    if (Dialog.exec() != QDialog::Accepted) return;
    TKWDSanduhr Sanduhr;
    FBericht.Drucken(Drucker);
  });
}

void TKWDPdfAnsicht::actExportExecute() {
  KWDGuard("TKWDPdfAnsicht.actExportExecute", [&] {
    if (!FExport->isEnabled()) return;
    TKWDDateiFrage Frage =
        KWDSpeichernFrage("Bericht exportieren", FBericht.AblageArt(), FBericht.AblageName(), {TKWDExportFormat::Pdf});
    if (FBericht.HatTabelle()) Frage.Formate.insert(Frage.Formate.end(), {TKWDExportFormat::Xlsx, TKWDExportFormat::Csv});
    TKWDDateiAntwort Wahl;
    if (!KWDDateiWaehlen(this, Frage, Wahl)) return;
    if (Wahl.Format == TKWDExportFormat::Pdf) {
      KWDDateiErsetzen(Wahl.Pfad, std::string(FPdf.constData(), static_cast<size_t>(FPdf.size())));
      return;
    }
    TKWDTabelle Tabelle;
    if (!FBericht.TabelleErzeugen(Tabelle)) throw std::runtime_error("Dieser Bericht hat keine Tabelle zum Exportieren.");
    KWDTabelleSchreiben(Tabelle, Wahl.Pfad,
                        Wahl.Format == TKWDExportFormat::Xlsx ? TKWDTabellenFormat::Xlsx : TKWDTabellenFormat::Csv);
  });
}

void TKWDPdfAnsicht::actAblegenExecute() {
  KWDGuard("TKWDPdfAnsicht.actAblegenExecute", [&] {
    if (!FAblegen->isEnabled()) return;
    TKWDDateiAntwort Wahl;
    if (!KWDDateiWaehlen(this, KWDSpeichernFrage("Bericht ablegen", FBericht.AblageArt(), FBericht.AblageName(), {TKWDExportFormat::Pdf}),
                         Wahl))
      return;
    KWDDateiErsetzen(Wahl.Pfad, std::string(FPdf.constData(), static_cast<size_t>(FPdf.size())));
    KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "STANDARD", 997, {"Eine Kopie wurde als \u201E" + Wahl.Pfad + "\u201C abgelegt."},
                          this);
  });
}
