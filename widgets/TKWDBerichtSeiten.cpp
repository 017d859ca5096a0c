#include "widgets/TKWDBerichtSeiten.h"

#include <QFontMetricsF>
#include <QPageRanges>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <stdexcept>

TKWDBerichtSeiten::TKWDBerichtSeiten(QPagedPaintDevice& AGeraet, double ARandLinksMm, double ARandObenMm,
                                     double ARandRechtsMm, double ARandUntenMm)
    : FGeraet(AGeraet) {
  // The device's own resolution: a printer and the PDF writer differ.
  FProMm = AGeraet.logicalDpiX() / 25.4;
  const QRectF Seite = AGeraet.pageLayout().paintRectPixels(AGeraet.logicalDpiX());
  const QRectF Voll = AGeraet.pageLayout().fullRectPixels(AGeraet.logicalDpiX());
  // The margins count from the paper's edge; the paint rectangle starts where
  // the device's own margins end (painter origin).
  const double Links = std::max(0.0, Mm(ARandLinksMm) - (Seite.left() - Voll.left()));
  const double Oben = std::max(0.0, Mm(ARandObenMm) - (Seite.top() - Voll.top()));
  const double Rechts = std::max(0.0, Mm(ARandRechtsMm) - (Voll.right() - Seite.right()));
  const double Unten = std::max(0.0, Mm(ARandUntenMm) - (Voll.bottom() - Seite.bottom()));
  FInhalt = QRectF(Links, Oben, Seite.width() - Links - Rechts, Seite.height() - Oben - Unten);
}

void TKWDBerichtSeiten::Abschnitt(double AKopfMm, TRahmenMalen AKopf, double AFussMm, TRahmenMalen AFuss) {
  FAbschnitte.push_back({Mm(AKopfMm), Mm(AFussMm), std::move(AKopf), std::move(AFuss), FBaender.size()});
  FUmbruchVorNaechstem = false;
}

void TKWDBerichtSeiten::Band(double AHoeheMm, TBandMalen AMalen, bool AMitNaechstem, int AKontext) {
  if (FAbschnitte.empty()) throw std::logic_error("TKWDBerichtSeiten: Band ohne Abschnitt");
  FBaender.push_back({Mm(AHoeheMm), std::move(AMalen), AMitNaechstem, FUmbruchVorNaechstem, AKontext});
  FUmbruchVorNaechstem = false;
}

void TKWDBerichtSeiten::Seitenumbruch() { FUmbruchVorNaechstem = true; }

int TKWDBerichtSeiten::Kontext(std::string AText) {
  FKontexte.push_back(std::move(AText));
  return static_cast<int>(FKontexte.size()) - 1;
}

const std::string& TKWDBerichtSeiten::KontextText(int AKontext) const {
  static const std::string Leer;
  return AKontext >= 0 && AKontext < static_cast<int>(FKontexte.size()) ? FKontexte[static_cast<size_t>(AKontext)]
                                                                        : Leer;
}

void TKWDBerichtSeiten::Umbrechen() {
  FSeiten.clear();
  for (size_t A = 0; A < FAbschnitte.size(); ++A) {
    const TAbschnittDef& Ab = FAbschnitte[A];
    const size_t Ende = A + 1 < FAbschnitte.size() ? FAbschnitte[A + 1].ErstesBand : FBaender.size();
    const double Platz = FInhalt.height() - Ab.KopfHoehe - Ab.FussHoehe;
    size_t Anfang = Ab.ErstesBand;
    double Y = 0;
    auto SeiteSchliessen = [&](size_t ABis) {
      FSeiten.push_back({static_cast<int>(A), Anfang, ABis});
      Anfang = ABis;
      Y = 0;
    };
    size_t I = Ab.ErstesBand;
    while (I < Ende) {
      if (FBaender[I].NeueSeite && I > Anfang) SeiteSchliessen(I);
      // The chain of bands that wants to stay together.
      size_t J = I;
      double Hoehe = FBaender[I].Hoehe;
      while (FBaender[J].MitNaechstem && J + 1 < Ende && !FBaender[J + 1].NeueSeite) Hoehe += FBaender[++J].Hoehe;
      if (Y + Hoehe > Platz && I > Anfang) SeiteSchliessen(I);
      if (Hoehe <= Platz - Y) {
        Y += Hoehe;
        I = J + 1;
      } else {
        // Taller than a page: band by band.
        if (Y + FBaender[I].Hoehe > Platz && I > Anfang) SeiteSchliessen(I);
        Y += FBaender[I].Hoehe;
        ++I;
      }
    }
    SeiteSchliessen(Ende);
  }
}

int TKWDBerichtSeiten::Zeichnen(QPainter& APainter) {
  Umbrechen();
  std::vector<int> SeitenJeAbschnitt(FAbschnitte.size(), 0);
  for (const TSeitenPlan& S : FSeiten) ++SeitenJeAbschnitt[static_cast<size_t>(S.Abschnitt)];
  int NrImAbschnitt = 0;
  int LetzterAbschnitt = -1;
  // A printer may be given a range of pages; the numbering stays that of the whole report.
  const QPageRanges Auswahl = FGeraet.pageRanges();
  int Gemalt = 0;
  for (size_t P = 0; P < FSeiten.size(); ++P) {
    const TSeitenPlan& Plan = FSeiten[P];
    NrImAbschnitt = Plan.Abschnitt == LetzterAbschnitt ? NrImAbschnitt + 1 : 1;
    LetzterAbschnitt = Plan.Abschnitt;
    if (!Auswahl.isEmpty() && !Auswahl.contains(static_cast<int>(P) + 1)) continue;
    if (Gemalt++ > 0 && !FGeraet.newPage()) throw std::runtime_error("Eine neue Seite kann nicht begonnen werden.");
    const TAbschnittDef& Ab = FAbschnitte[static_cast<size_t>(Plan.Abschnitt)];
    TSeite Seite;
    Seite.Abschnitt = Plan.Abschnitt;
    Seite.Nr = NrImAbschnitt;
    Seite.Von = SeitenJeAbschnitt[static_cast<size_t>(Plan.Abschnitt)];
    for (size_t B = Plan.Von; B < Plan.Bis && Seite.Kontext < 0; ++B) Seite.Kontext = FBaender[B].Kontext;
    if (Seite.Kontext < 0) {
      // An empty page (or one without context) continues the context before it.
      for (size_t B = Plan.Von; B > Ab.ErstesBand && Seite.Kontext < 0; --B) Seite.Kontext = FBaender[B - 1].Kontext;
    }
    if (Ab.Kopf) Ab.Kopf(APainter, QRectF(FInhalt.left(), FInhalt.top(), FInhalt.width(), Ab.KopfHoehe), Seite);
    double Y = FInhalt.top() + Ab.KopfHoehe;
    for (size_t B = Plan.Von; B < Plan.Bis; ++B) {
      const TBand& Band = FBaender[B];
      if (Band.Malen) Band.Malen(APainter, QRectF(FInhalt.left(), Y, FInhalt.width(), Band.Hoehe));
      Y += Band.Hoehe;
    }
    if (Ab.Fuss)
      Ab.Fuss(APainter, QRectF(FInhalt.left(), FInhalt.bottom() - Ab.FussHoehe, FInhalt.width(), Ab.FussHoehe),
              Seite);
  }
  return static_cast<int>(FSeiten.size());
}

namespace KWDDruck {

QFont Schrift(double APunkt, bool AFett) {
  QFont F(QStringLiteral("DejaVu Sans"));
  F.setPointSizeF(APunkt);
  F.setBold(AFett);
  F.setStyleHint(QFont::SansSerif);
  // Any letter spacing makes Qt set no ligatures: "ff" stays two letters,
  // so the PDF's text is found by a search for "Differenz".
  F.setLetterSpacing(QFont::AbsoluteSpacing, 0.02);
  return F;
}

void Text(QPainter& APainter, const QRectF& ARect, const QString& AText, Qt::Alignment AAusrichtung, double AInnen,
          double AKleinster) {
  if (AText.isEmpty()) return;
  const QRectF Innen = ARect.adjusted(AInnen, 0, -AInnen, 0);
  const int Flags = static_cast<int>(AAusrichtung | Qt::AlignVCenter) | Qt::TextSingleLine;
  const QFontMetricsF Masse(APainter.font(), APainter.device());
  const double Breite = Masse.horizontalAdvance(AText);
  if (Breite <= Innen.width()) {
    APainter.drawText(Innen, Flags, AText);
    return;
  }
  // Smaller first: a whole article number or name reads better than a cut one.
  const QFont Alt = APainter.font();
  QFont Klein = Alt;
  const double Faktor = std::max(AKleinster, Innen.width() / Breite * 0.99);
  Klein.setPointSizeF(Alt.pointSizeF() * Faktor);
  APainter.setFont(Klein);
  const QFontMetricsF KleinMasse(Klein, APainter.device());
  const QString Sichtbar = KleinMasse.horizontalAdvance(AText) <= Innen.width()
                               ? AText
                               : KleinMasse.elidedText(AText, Qt::ElideRight, Innen.width());
  APainter.drawText(Innen, Flags, Sichtbar);
  APainter.setFont(Alt);
}

void Linie(QPainter& APainter, double AX1, double AX2, double AY, double AStaerke) {
  APainter.save();
  APainter.setPen(QPen(Qt::black, AStaerke));
  APainter.drawLine(QPointF(AX1, AY), QPointF(AX2, AY));
  APainter.restore();
}

void Kasten(QPainter& APainter, const QRectF& ARect, double AStaerke) {
  APainter.save();
  APainter.setPen(QPen(Qt::black, AStaerke));
  APainter.setBrush(Qt::NoBrush);
  APainter.drawRect(ARect);
  APainter.restore();
}

}  // namespace KWDDruck
