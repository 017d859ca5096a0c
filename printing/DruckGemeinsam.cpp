#include "printing/DruckGemeinsam.h"

#include <QPainter>

#include "widgets/TKWDBerichtSeiten.h"
#include "support/framework/KWDUhr.h"
#include "support/types/KWDZahlFormat.h"

namespace IADruck {

QString Zahl(double AWert, int ADezimalen) { return Q(FormatZahlDe(AWert, ADezimalen)); }

void Fusszeile(QPainter& APainter, const QRectF& ARect, const TKWDBerichtSeiten& ASeiten, const QString& ARechts) {
  KWDDruck::Linie(APainter, ARect.left(), ARect.right(), ARect.top() + ASeiten.Mm(1.5), ASeiten.Mm(0.15));
  const TDateTime Jetzt = kwd_Now();
  const TZeitTeile Zeit = DecodeTime(Jetzt);
  const QString Gedruckt = QStringLiteral("Gedruckt am %1 um %2:%3")
                               .arg(Q(FormatDatum(Jetzt)))
                               .arg(Zeit.Stunde, 2, 10, QLatin1Char('0'))
                               .arg(Zeit.Minute, 2, 10, QLatin1Char('0'));
  APainter.setFont(KWDDruck::Schrift(7));
  const QRectF Zeile(ARect.left(), ARect.top() + ASeiten.Mm(2), ARect.width(), ARect.height() - ASeiten.Mm(2));
  KWDDruck::Text(APainter, Zeile, Gedruckt, Qt::AlignLeft);
  KWDDruck::Text(APainter, Zeile, ARechts, Qt::AlignRight);
}

void Gruppenkopf(QPainter& APainter, const QRectF& ARect, const TKWDBerichtSeiten& ASeiten, const QString& AText,
                 double APunkt) {
  const QRectF Balken = ARect.adjusted(0, ASeiten.Mm(1.5), 0, -ASeiten.Mm(0.5));
  APainter.fillRect(Balken, QColor(225, 225, 225));
  APainter.setFont(KWDDruck::Schrift(APunkt, true));
  KWDDruck::Text(APainter, Balken, AText, Qt::AlignLeft, ASeiten.Mm(1.5));
}

}  // namespace IADruck
