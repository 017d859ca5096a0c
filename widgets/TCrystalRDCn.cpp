#include "widgets/TCrystalRDCn.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "widgets/KWDWidgets.h"
#include "widgets/TKWDPdfAnsicht.h"
#include "support/framework/KWDDateiErsetzen.h"
#include "support/framework/KWDGuard.h"

namespace {
std::string Zitat(const std::string& AText) { return "\u201E" + AText + "\u201C"; }
}  // namespace

TCrystalRDCn::TCrystalRDCn(QWidget* AOwner) : FOwner(AOwner) {}

TCrystalRDCn::~TCrystalRDCn() = default;

void TCrystalRDCn::Clear() {
  FDaten = TKWDBerichtDaten{};
  FExport = true;
  FKom = true;
  FExportDatei.clear();
}

void TCrystalRDCn::SetReport(const std::string& APfad) { FDaten.LayoutPfad = APfad; }

void TCrystalRDCn::SetReportName(int, const std::string& AName) { FDaten.ReportName = AName; }

void TCrystalRDCn::SetParameter(int, const std::string& AName, const std::string& AWert) {
  FDaten.Parameter.emplace_back(AName, AWert);
}

void TCrystalRDCn::SetTitle(int, const std::string& ATitel) { FDaten.Titel = ATitel; }

void TCrystalRDCn::SetEnableExportAction(bool AAn) { FExport = AAn; }

void TCrystalRDCn::SetEnableKomAction(bool AAn) { FKom = AAn; }

void TCrystalRDCn::SetExportDiskfileName(const std::string& APfad) { FExportDatei = APfad; }

std::unique_ptr<TKWDBerichtArt> TCrystalRDCn::Art(TKWDBerichtDaten& ADaten) const {
  if (FDaten.LayoutPfad.empty()) throw std::runtime_error("Für den Bericht ist kein Layout angegeben.");
  ADaten = FDaten;
  ADaten.Layout = TKWDLayoutDatei::Lesen(FDaten.LayoutPfad);
  auto Art = KWDBerichtArtErzeugen(ADaten.Layout.Bericht);
  if (!Art)
    throw std::runtime_error("Den Bericht " + Zitat(ADaten.Layout.Bericht) + " des Layouts " +
                             Zitat(FDaten.LayoutPfad) + " kennt dieses Programm nicht.");
  return Art;
}

bool TCrystalRDCn::TabelleErzeugen(TKWDTabelle& ATabelle) const {
  TKWDBerichtDaten Daten;
  auto B = Art(Daten);
  return B->Tabelle(Daten, ATabelle);
}

bool TCrystalRDCn::HatTabelle() const {
  if (FDaten.LayoutPfad.empty()) return false;
  std::error_code F;
  if (!std::filesystem::is_regular_file(FDaten.LayoutPfad, F)) return false;
  TKWDBerichtDaten Daten;
  return Art(Daten)->HatTabelle();
}

QByteArray TCrystalRDCn::PdfErzeugen(int& ASeiten) const {
  TKWDBerichtDaten Daten;
  auto Art = this->Art(Daten);
  QByteArray Pdf;
  QBuffer Puffer(&Pdf);
  Puffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter Schreiber(&Puffer);
    Schreiber.setResolution(600);
    Schreiber.setPageSize(QPageSize(QPageSize::A4));
    Schreiber.setPageMargins(QMarginsF(0, 0, 0, 0));
    Schreiber.setTitle(QString::fromStdString(FDaten.Titel));
    Schreiber.setCreator(QStringLiteral("Inventuranforderungen"));
    ASeiten = Art->Zeichnen(Schreiber, Daten);
  }
  if (ASeiten <= 0 || Pdf.isEmpty()) throw std::runtime_error("Der Bericht hat keine Seiten.");
  return Pdf;
}

bool TCrystalRDCn::ShowReport() {
  return KWDGuard(
      "TCrystalRDCn.ShowReport",
      [&] {
        ++FGezeigt;
        FPdf.clear();
        FSeiten = 0;
        FPdf = PdfErzeugen(FSeiten);
        if (!FPdfZiel.empty()) {
          // Beside its place and renamed; a full disk is named as such (Qt's own text said "Unknown error").
          KWDDateiErsetzen(FPdfZiel, std::string(FPdf.constData(), static_cast<size_t>(FPdf.size())));
          return true;
        }
        TKWDPdfAnsicht Fenster(*this, FOwner ? FOwner : KWDOwnerWidget(nullptr));
        Fenster.exec();
        return true;
      },
      false);
}

std::string TCrystalRDCn::AblageName() const {
  namespace fs = std::filesystem;
  if (FExportDatei.empty()) return {};
  fs::path Basis(FExportDatei);
  Basis.replace_extension();
  for (int N = 1;; ++N) {
    std::string Pfad = Basis.string();
    if (N > 1) Pfad.append("-").append(std::to_string(N));
    Pfad += ".pdf";
    // A link counts as taken, also one that points nowhere: the copy is
    // never written through a link someone placed in the shared folder.
    std::error_code F;
    if (!fs::exists(fs::symlink_status(Pfad, F))) return Pfad;
  }
}

int KWDPdfDrucken(const QByteArray& APdf, QPrinter& APrinter) {
  QByteArray Daten = APdf;
  QBuffer Puffer(&Daten);
  Puffer.open(QIODevice::ReadOnly);
  QPdfDocument Dokument;
  Dokument.load(&Puffer);
  if (Dokument.status() != QPdfDocument::Status::Ready || Dokument.pageCount() <= 0)
    throw std::runtime_error("Der Bericht kann nicht gedruckt werden: die PDF-Daten sind nicht lesbar.");
  int Von = 1, Bis = Dokument.pageCount();
  if (APrinter.printRange() == QPrinter::PageRange && APrinter.fromPage() > 0) {
    Von = std::max(1, APrinter.fromPage());
    Bis = std::min(Bis, std::max(Von, APrinter.toPage()));
  }
  QPainter Maler;
  if (!Maler.begin(&APrinter)) throw std::runtime_error("Der Drucker kann nicht angesprochen werden.");
  const double Dpi = std::min(300, APrinter.resolution());
  int Gedruckt = 0;
  for (int S = Von; S <= Bis; ++S) {
    if (Gedruckt > 0) APrinter.newPage();
    const QSizeF Punkte = Dokument.pagePointSize(S - 1);
    const QSize Bild(qRound(Punkte.width() / 72.0 * Dpi), qRound(Punkte.height() / 72.0 * Dpi));
    const QImage Seite = Dokument.render(S - 1, Bild);
    // The page fills the printable area, keeping its proportions.
    const QRect Flaeche = Maler.viewport();
    QSize Ziel = Bild.scaled(Flaeche.size(), Qt::KeepAspectRatio);
    Maler.drawImage(QRect(Flaeche.topLeft(), Ziel), Seite);
    ++Gedruckt;
  }
  Maler.end();
  return Gedruckt;
}
