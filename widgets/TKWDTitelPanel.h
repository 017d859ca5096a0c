#pragma once
// The title panel at the top of the suite's forms (the forms' LblTitel): the
// form's title in a large bold font on the header colours of the palette.
#include <QLabel>

class TKWDTitelPanel : public QLabel {
  Q_OBJECT
 public:
  explicit TKWDTitelPanel(const QString& ATitel = {}, QWidget* AParent = nullptr);
};
