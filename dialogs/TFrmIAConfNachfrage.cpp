#include "dialogs/TFrmIAConfNachfrage.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/KWDFormLayout.h"
#include "widgets/KWDTasten.h"
#include "widgets/TKWDTitelPanel.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDMeldungPresenter.h"

TFrmIAConfNachfrage::TFrmIAConfNachfrage(QWidget* AParent) : TKWDForm(AParent) {
  KWDGuard("TFrmIAConfNachfrage.FormCreate", [&] { FormCreate(); });
}

void TFrmIAConfNachfrage::FormCreate() {
  setObjectName(QStringLiteral("FrmIAConfNachfrage"));
  KWDFormInit("OstrelFrmIAConfNachfrage", true);
  setWindowTitle(KWDCaption(QStringLiteral("Inventuren")));

  LblTitel = new TKWDTitelPanel(QStringLiteral("Was ist zu zählen?"), this);
  LblTitel->setObjectName(QStringLiteral("LblTitel"));
  auto Zeile = [this](const char* AName, const QString& AText) {
    auto* L = new QLabel(AText, this);
    L->setObjectName(QString::fromLatin1(AName));
    L->setWordWrap(true);
    L->setTextFormat(Qt::PlainText);
    return L;
  };
  lblBeachten = Zeile("lblBeachten", QStringLiteral("Bitte beachten Sie:"));
  QFont Fett = lblBeachten->font();
  Fett.setBold(true);
  lblBeachten->setFont(Fett);
  lblText = Zeile("lblText",
                  QStringLiteral("Wenn Artikel während der Inventurzählung in den verfügbaren Bestand (verkaufsfähiger "
                                 "Bestand) wechseln, gelten diese in der Inventur gemäß der gerade von Ihnen "
                                 "vorgenommenen Einstellung automatisch als gezählt. Sie müssen nicht separat gezählt "
                                 "werden. "));
  lblMitteilen = Zeile("lblMitteilen", QStringLiteral("Bitte teilen Sie dies Ihren Inventurteams mit."));

  BtnOk = new QPushButton(QStringLiteral("OK"), this);
  BtnOk->setObjectName(QStringLiteral("BtnOk"));
  KWDTasteBinden(BtnOk, QKeySequence(Qt::Key_Return));
  connect(BtnOk, &QPushButton::clicked, this, [this] { SetModalResult(KWD_MR_OK); });

  auto* Inhalt = new QVBoxLayout;
  Inhalt->setSpacing(10);
  Inhalt->addWidget(lblBeachten);
  Inhalt->addWidget(lblText);
  Inhalt->addWidget(lblMitteilen);
  KWDFormLayout(this, LblTitel, Inhalt, {}, {BtnOk});
  resize(440, 240);
}
