#include "widgets/TKWDStdComboBox.h"

#include <QKeyEvent>

TKWDStdComboBox::TKWDStdComboBox(QWidget* AParent) : QComboBox(AParent) {
  setEditable(false);
  setInsertPolicy(QComboBox::NoInsert);
  setSizeAdjustPolicy(QComboBox::AdjustToContents);
  // With a placeholder Qt leaves the first entry unselected when the list is
  // filled; a blank one shows an empty box, as the suite's lists do.
  setPlaceholderText(QStringLiteral(" "));
}

void TKWDStdComboBox::keyPressEvent(QKeyEvent* AEvent) {
  const bool Befehl = AEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (!Befehl && !AEvent->text().isEmpty() && AEvent->text().front().isPrint()) {
    // Typing opens the list; the choice is made there, not by a search here.
    showPopup();
    AEvent->accept();
    return;
  }
  QComboBox::keyPressEvent(AEvent);
}
