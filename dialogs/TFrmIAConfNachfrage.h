#pragma once
// The notice shown when the stock-take parameters start to regard stock that
// changes into a kind to be counted as counted ("INVBFWEC" turned on): what
// the stock-take teams must be told. Created for one showing.
#include "widgets/TKWDForm.h"

class QLabel;
class QPushButton;
class TKWDTitelPanel;

class TFrmIAConfNachfrage : public TKWDForm {
  Q_OBJECT
 public:
  explicit TFrmIAConfNachfrage(QWidget* AParent = nullptr);

 private:
  void FormCreate();

  TKWDTitelPanel* LblTitel;
  QLabel* lblBeachten;
  QLabel* lblText;
  QLabel* lblMitteilen;
  QPushButton* BtnOk;
};
