#pragma once
// Lays a report's bands out on pages and paints them: the small report
// engine behind the report viewer's renderers.
//
// A report is a list of sections; a section (one reader's part, e.g. the
// count list of one branch) begins on a new page and numbers its own pages
// "Seite n von m". Every page of a section gets the section's header and
// footer. Bands are rows of fixed height in mm; a band flagged "with next"
// stays on one page with the band after it (a group heading with its first
// row, the lines of one article), unless the chain is taller than a page.
// The layout pass runs before any painting, so headers know the page count.
//
// Coordinates handed to the painting functions are device units of the
// device (Mm() converts); text sizes are points, as QFont has them.
#include <QFont>
#include <QRectF>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPainter;

class TKWDBerichtSeiten {
 public:
  struct TSeite {
    int Abschnitt = 0;  // 0-based section
    int Nr = 1;         // page within the section, from 1
    int Von = 1;        // pages of the section
    int Kontext = -1;   // context of the first band on the page (Kontext()), -1 none
  };
  using TBandMalen = std::function<void(QPainter&, const QRectF&)>;
  using TRahmenMalen = std::function<void(QPainter&, const QRectF&, const TSeite&)>;

  // Margins in mm around the page's paint rectangle (A4 unless the device says otherwise).
  TKWDBerichtSeiten(QPagedPaintDevice& AGeraet, double ARandLinksMm, double ARandObenMm, double ARandRechtsMm,
                    double ARandUntenMm);

  QPagedPaintDevice& Geraet() const { return FGeraet; }
  double Mm(double AMm) const { return AMm * FProMm; }
  // The area between the margins, in device units.
  const QRectF& Inhalt() const { return FInhalt; }
  double InhaltBreiteMm() const { return FInhalt.width() / FProMm; }

  void Abschnitt(double AKopfMm, TRahmenMalen AKopf, double AFussMm, TRahmenMalen AFuss);
  void Band(double AHoeheMm, TBandMalen AMalen, bool AMitNaechstem = false, int AKontext = -1);
  // The next band begins a new page (nothing when the page is still empty).
  void Seitenumbruch();
  // Registers a text that page headers can show (the group at the top of a page).
  int Kontext(std::string AText);
  const std::string& KontextText(int AKontext) const;

  // Lays out and paints every page with APainter (active on the device);
  // when the device has page ranges (a printer's chosen pages), only those.
  // Returns the number of pages of the report; one without sections has none.
  int Zeichnen(QPainter& APainter);
  int Seitenzahl() const { return static_cast<int>(FSeiten.size()); }

 private:
  struct TBand {
    double Hoehe;
    TBandMalen Malen;
    bool MitNaechstem;
    bool NeueSeite;
    int Kontext;
  };
  struct TAbschnittDef {
    double KopfHoehe, FussHoehe;
    TRahmenMalen Kopf, Fuss;
    size_t ErstesBand;
  };
  struct TSeitenPlan {
    int Abschnitt;
    size_t Von, Bis;  // bands [Von, Bis)
  };
  void Umbrechen();

  QPagedPaintDevice& FGeraet;
  double FProMm;
  QRectF FInhalt;
  std::vector<TBand> FBaender;
  std::vector<TAbschnittDef> FAbschnitte;
  std::vector<std::string> FKontexte;
  std::vector<TSeitenPlan> FSeiten;
  bool FUmbruchVorNaechstem = false;
};

// Painting helpers shared by the renderers.
namespace KWDDruck {
// The report font: DejaVu Sans (fontconfig substitutes where it is missing).
QFont Schrift(double APunkt, bool AFett = false);
// Text in ARect: vertically centred, with AInnen device units of padding left
// and right. A text too wide is set smaller, down to AKleinster times the
// font's size, and only then shortened with "…" (never cut through a letter).
void Text(QPainter& APainter, const QRectF& ARect, const QString& AText, Qt::Alignment AAusrichtung,
          double AInnen = 0, double AKleinster = 0.9);
// A line from (AX1, AY) to (AX2, AY), AStaerkeMm thick (device units given in AProMm).
void Linie(QPainter& APainter, double AX1, double AX2, double AY, double AStaerke);
// An empty box to write in.
void Kasten(QPainter& APainter, const QRectF& ARect, double AStaerke);
}  // namespace KWDDruck
