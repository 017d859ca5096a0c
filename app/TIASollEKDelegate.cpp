#include "app/TIASollEKDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace {

QFont MarkenSchrift(QFont AFont) {
  AFont.setItalic(true);
  AFont.setPointSizeF(AFont.pointSizeF() * 0.85);
  return AFont;
}

constexpr int KAbstand = 8;  // between the mark and the value

}  // namespace

TIASollEKDelegate::TIASollEKDelegate(std::function<bool(int)> AUnvollstaendig, QObject* AParent)
    : QStyledItemDelegate(AParent), FUnvollstaendig(std::move(AUnvollstaendig)) {}

const QString& TIASollEKDelegate::Marke() {
  static const QString Text = QStringLiteral("unvollständig");
  return Text;
}

const QString& TIASollEKDelegate::Hinweis() {
  static const QString Text = QStringLiteral(
      "Die Inventur ist noch angefordert: ihr Sollbestand ist noch nicht vollständig gebucht, der Soll-Wert ist "
      "nur ein Teil. Mit \u201EVervollständigen\u201C wird der Rest gebucht.");
  return Text;
}

int TIASollEKDelegate::Breite(const QFont& AFont, const QString& AWert) {
  QFont Wert = AFont;
  Wert.setItalic(true);
  return QFontMetrics(MarkenSchrift(AFont)).horizontalAdvance(Marke()) + KAbstand +
         QFontMetrics(Wert).horizontalAdvance(AWert);
}

void TIASollEKDelegate::paint(QPainter* APainter, const QStyleOptionViewItem& AOption,
                              const QModelIndex& AIndex) const {
  QStyleOptionViewItem Option = AOption;
  initStyleOption(&Option, AIndex);
  Option.state &= ~QStyle::State_HasFocus;  // whole rows are selected
  const bool Markiert = FUnvollstaendig && FUnvollstaendig(AIndex.row());
  if (Markiert) Option.font.setItalic(true);
  const QWidget* Fenster = Option.widget;
  QStyle* Stil = Fenster ? Fenster->style() : QApplication::style();
  Stil->drawControl(QStyle::CE_ItemViewItem, &Option, APainter, Fenster);
  if (!Markiert) return;

  // The mark in the text's own colour (readable on the row colour, and on
  // the selection), left in the cell; the value stays right.
  const QRect Rechteck = Stil->subElementRect(QStyle::SE_ItemViewItemText, &Option, Fenster);
  QColor Farbe = Option.palette.color(QPalette::Text);
  if (Option.state & QStyle::State_Selected)
    Farbe = Option.palette.color(QPalette::HighlightedText);
  else if (const QVariant Vorne = AIndex.data(Qt::ForegroundRole); Vorne.canConvert<QBrush>())
    Farbe = Vorne.value<QBrush>().color();
  APainter->save();
  APainter->setFont(MarkenSchrift(Option.font));
  APainter->setPen(Farbe);
  APainter->drawText(Rechteck.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, Marke());
  APainter->restore();
}

bool TIASollEKDelegate::helpEvent(QHelpEvent* AEvent, QAbstractItemView* AView, const QStyleOptionViewItem& AOption,
                                  const QModelIndex& AIndex) {
  if (AEvent && AEvent->type() == QEvent::ToolTip && FUnvollstaendig && AIndex.isValid() &&
      FUnvollstaendig(AIndex.row())) {
    QToolTip::showText(AEvent->globalPos(), Hinweis(), AView);
    return true;
  }
  return QStyledItemDelegate::helpEvent(AEvent, AView, AOption, AIndex);
}
