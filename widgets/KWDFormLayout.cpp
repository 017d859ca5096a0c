#include "widgets/KWDFormLayout.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

void KWDFormLayout(QWidget* AForm, QWidget* ATitel, QLayout* AInhalt, const std::vector<QWidget*>& AKnoepfeLinks,
                   const std::vector<QWidget*>& AKnoepfeRechts) {
  AInhalt->setContentsMargins(KKWDFormRand, 0, KKWDFormRand, 0);
  auto* Knoepfe = new QHBoxLayout;
  Knoepfe->setContentsMargins(KKWDFormRand, 0, KKWDFormRand, 0);
  for (QWidget* K : AKnoepfeLinks) Knoepfe->addWidget(K);
  Knoepfe->addStretch();
  for (QWidget* K : AKnoepfeRechts) Knoepfe->addWidget(K);
  auto* Layout = new QVBoxLayout(AForm);
  Layout->setContentsMargins(0, 0, 0, KKWDFormRand);
  Layout->setSpacing(10);
  Layout->addWidget(ATitel);
  Layout->addLayout(AInhalt, 1);
  Layout->addLayout(Knoepfe);
}
