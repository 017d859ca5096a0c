#include "widgets/TCrystalRDCn.h"

#include <QBuffer>
#include <QPageRanges>
#include <QPdfWriter>
#include <QPrinter>
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
  FAblageName.clear();
  FAblageArt.clear();
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

void TCrystalRDCn::SetAblage(const std::string& AName, const std::string& AArt) {
  FAblageName = AName;
  FAblageArt = AArt;
}

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
  if (!FAblageName.empty()) return FAblageName + ".pdf";
  if (FExportDatei.empty()) return FDaten.Titel.empty() ? std::string("Bericht.pdf") : FDaten.Titel + ".pdf";
  return std::filesystem::path(FExportDatei).replace_extension(".pdf").filename().string();
}

int TCrystalRDCn::Drucken(QPrinter& APrinter) const {
  TKWDBerichtDaten Daten;
  auto Art = this->Art(Daten);
  const int Seiten = Art->Zeichnen(APrinter, Daten);
  if (Seiten <= 0) throw std::runtime_error("Der Bericht hat keine Seiten.");
  if (APrinter.printerState() == QPrinter::Error)
    throw std::runtime_error("Der Drucker " + Zitat(APrinter.printerName().toStdString()) +
                             " hat den Druckauftrag nicht angenommen.");
  const QPageRanges Auswahl = APrinter.pageRanges();
  if (Auswahl.isEmpty()) return Seiten;
  int Gedruckt = 0;
  for (int S = 1; S <= Seiten; ++S) Gedruckt += Auswahl.contains(S) ? 1 : 0;
  return Gedruckt;
}
