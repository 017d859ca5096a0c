#pragma once
// What the module's reports share: German numbers and dates as text, and the
// page footer with the print time.
#include <QRectF>
#include <QString>
#include <string>

#include "support/types/KWDDatum.h"

class QPainter;
class TKWDBerichtSeiten;

namespace IADruck {
inline QString Q(const std::string& AText) { return QString::fromStdString(AText); }
// "1.234,56" (ADezimalen 2), "1.234" (0).
QString Zahl(double AWert, int ADezimalen);
// "Gedruckt am dd.mm.yyyy um hh:mm" left, ARechts right, a thin line above.
void Fusszeile(QPainter& APainter, const QRectF& ARect, const TKWDBerichtSeiten& ASeiten, const QString& ARechts);
// A gray band with bold text: a group heading.
void Gruppenkopf(QPainter& APainter, const QRectF& ARect, const TKWDBerichtSeiten& ASeiten, const QString& AText,
                 double APunkt);
}  // namespace IADruck
