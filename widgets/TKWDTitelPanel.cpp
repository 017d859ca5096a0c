#include "widgets/TKWDTitelPanel.h"

TKWDTitelPanel::TKWDTitelPanel(const QString& ATitel, QWidget* AParent) : QLabel(ATitel, AParent) {
  QFont Schrift = font();
  Schrift.setBold(true);
  Schrift.setPointSizeF(Schrift.pointSizeF() * 1.5);
  setFont(Schrift);
  setAutoFillBackground(true);
  QPalette P = palette();
  P.setColor(QPalette::Window, P.color(QPalette::Highlight));
  P.setColor(QPalette::WindowText, P.color(QPalette::HighlightedText));
  setPalette(P);
  setMargin(10);
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setTextFormat(Qt::PlainText);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}
