#pragma once
// Paints the main window's target-value cells. A request still in the
// requested state has not had its whole target stock booked (completion
// adds it batch by batch and may have been cut off), so its value is only
// a part: such a cell shows "unvollständig" on its left, the value in
// italics, and explains itself in its tool tip. The row keeps its colour.
#include <QStyledItemDelegate>
#include <functional>

class TIASollEKDelegate : public QStyledItemDelegate {
 public:
  // AUnvollstaendig tells for a model row whether its target value is incomplete.
  TIASollEKDelegate(std::function<bool(int)> AUnvollstaendig, QObject* AParent);

  static const QString& Marke();    // "unvollständig"
  static const QString& Hinweis();  // the tool tip of a marked cell

  // The width a cell needs to show the mark beside AWert in AFont.
  static int Breite(const QFont& AFont, const QString& AWert);

  void paint(QPainter* APainter, const QStyleOptionViewItem& AOption, const QModelIndex& AIndex) const override;
  bool helpEvent(QHelpEvent* AEvent, QAbstractItemView* AView, const QStyleOptionViewItem& AOption,
                 const QModelIndex& AIndex) override;

 private:
  std::function<bool(int)> FUnvollstaendig;
};
