#pragma once
// The report viewer's window: the rendered PDF in a page view with page
// navigation, zoom, printing, and the export and filing actions the
// component switches on (TCrystalRDCn.h describes them).
//
// Keys: Strg+Pos1 / Bild auf / Bild ab / Strg+Ende first, previous, next,
// last page; Strg++ and Strg+- zoom; Strg+P print; Esc closes.
#include <QBuffer>
#include <QByteArray>

#include "widgets/TKWDForm.h"

class QAction;
class QComboBox;
class QLabel;
class QPdfDocument;
class QPdfView;
class QSpinBox;
class TCrystalRDCn;

class TKWDPdfAnsicht : public TKWDForm {
  Q_OBJECT
 public:
  TKWDPdfAnsicht(const TCrystalRDCn& ABericht, QWidget* AParent = nullptr);
  ~TKWDPdfAnsicht() override;

  QPdfDocument* Dokument() const { return FDokument; }
  QPdfView* Ansicht() const { return FAnsicht; }
  // The page shown (0-based).
  int AktuelleSeite() const;
  void SeiteZeigen(int ASeite);
  // Zoom factor (1.0 = 100 %); also leaves the fit-to-width mode.
  void ZoomSetzen(double AFaktor);

  // The action handlers (menu, keys and tests).
  void actDruckenExecute();
  void actExportExecute();
  void actAblegenExecute();

 private:
  void SeitenAnzeigeAktualisieren();
  void ZoomAuswahl(int AIndex);

  const TCrystalRDCn& FBericht;
  QByteArray FPdf;
  QBuffer FPuffer;
  QPdfDocument* FDokument;
  QPdfView* FAnsicht;
  QSpinBox* FSeite;
  QLabel* FSeiten;
  QComboBox* FZoom;
  QAction* FExport;
  QAction* FAblegen;
};
