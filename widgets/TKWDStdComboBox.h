#pragma once
// The suite's standard combo box: a drop-down list (no free text) that opens
// when the user starts typing, with no auto-completion (typing never picks
// an entry by itself), and no entry selected after it was filled: the form
// or the user chooses one. currentIndex() is -1 until then.
#include <QComboBox>

class TKWDStdComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit TKWDStdComboBox(QWidget* AParent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* AEvent) override;
};
