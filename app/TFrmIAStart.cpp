#include "app/TFrmIAStart.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <stdexcept>

#include "app/InvAnfProgramm.h"
#include "app/TFrmIAMain.h"
#include "engine/TIAWiJahre.h"
#include "suite/TInvMani.h"
#include "widgets/KWDTasten.h"
#include "widgets/TKWDGlyphButton.h"
#include "widgets/TKWDStdComboBox.h"
#include "widgets/TKWDTitelPanel.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDUhr.h"
#include "support/framework/TKWDInfo.h"
#include "support/services/TParameter.h"

TFrmIAStart* FrmIAStart = nullptr;

namespace {
// The background panel keeps this margin to the client area on every side.
constexpr int KRand = 4;
}  // namespace

TFrmIAStart::TFrmIAStart(QWidget* AParent)
    : TKWDForm(AParent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                            Qt::WindowCloseButtonHint) {
  FrmIAStart = this;
  setObjectName(QStringLiteral("FrmIAStart"));

  pnlBG = new QFrame(this);
  pnlBG->setObjectName(QStringLiteral("pnlBG"));
  pnlBG->setFrameShape(QFrame::StyledPanel);
  pnlBG->setFrameShadow(QFrame::Raised);

  LblTitel = new TKWDTitelPanel(QStringLiteral("Inventuren - Auswahl Wirtschaftsjahr"), pnlBG);
  LblTitel->setObjectName(QStringLiteral("LblTitel"));

  LblWiJahr = new QLabel(QStringLiteral("Auswahl Wirtschaftsjahr:"), pnlBG);
  LblWiJahr->setObjectName(QStringLiteral("LblWiJahr"));
  QFont Fett = LblWiJahr->font();
  Fett.setBold(true);
  LblWiJahr->setFont(Fett);
  LblWiJahr->setAlignment(Qt::AlignCenter);

  CmbBoxWiJahr = new TKWDStdComboBox(pnlBG);
  CmbBoxWiJahr->setObjectName(QStringLiteral("CmbBoxWiJahr"));
  CmbBoxWiJahr->setToolTip(QStringLiteral("Auswahl des Wirtschftsjahres"));
  CmbBoxWiJahr->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000 - 00.00.0000")) + 60);
  LblWiJahr->setBuddy(CmbBoxWiJahr);

  BtnOk = new TKWDGlyphButton(QStringLiteral("OK"), QStyle::SP_DialogOkButton, pnlBG);
  BtnOk->setObjectName(QStringLiteral("BtnOk"));
  KWDTasteBinden(BtnOk, QKeySequence(Qt::Key_Return), QStringLiteral("Weiter mit Inventurenübersicht"));
  BtnEnde = new TKWDGlyphButton(QStringLiteral("Beenden"), QStyle::SP_DialogCloseButton, pnlBG);
  BtnEnde->setObjectName(QStringLiteral("BtnEnde"));
  KWDTasteBinden(BtnEnde, QKeySequence(Qt::Key_Escape), QStringLiteral("Programm beenden"));
  for (TKWDGlyphButton* Knopf : {BtnOk, BtnEnde}) Knopf->setMinimumWidth(110);
  // Another company: left of the two, without a key of its own.
  BtnFirma = new TKWDGlyphButton(QStringLiteral("Firma..."), QStyle::SP_DirOpenIcon, pnlBG);
  BtnFirma->setObjectName(QStringLiteral("BtnFirma"));
  BtnFirma->setToolTip(QStringLiteral("Eine andere Firma wählen"));
  BtnFirma->setAutoDefault(false);

  auto* Knoepfe = new QHBoxLayout;
  Knoepfe->addWidget(BtnFirma);
  Knoepfe->addSpacing(24);
  Knoepfe->addStretch();
  Knoepfe->addWidget(BtnOk);
  Knoepfe->addWidget(BtnEnde);
  auto* Inhalt = new QVBoxLayout;
  Inhalt->setContentsMargins(24, 16, 24, 16);
  Inhalt->setSpacing(10);
  Inhalt->addWidget(LblWiJahr);
  Inhalt->addWidget(CmbBoxWiJahr, 0, Qt::AlignHCenter);
  Inhalt->addSpacing(8);
  Inhalt->addLayout(Knoepfe);
  auto* Panel = new QVBoxLayout(pnlBG);
  Panel->setContentsMargins(0, 0, 0, 0);
  Panel->setSpacing(0);
  Panel->addWidget(LblTitel);
  Panel->addLayout(Inhalt);

  // A fixed border: the size follows the contents, the panel fills it (FormResize).
  setFixedSize(pnlBG->sizeHint().grownBy(QMargins(KRand, KRand, KRand, KRand)));

  connect(CmbBoxWiJahr, &QComboBox::activated, this, [this] { CmbBoxWiJahrChange(); });
  connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
  connect(BtnEnde, &QPushButton::clicked, this, [this] { BtnEndeClick(); });
  connect(BtnFirma, &QPushButton::clicked, this, [this] { BtnFirmaClick(); });

  KWDGuard("TFrmIAStart.FormCreate", [&] {
    KWDFormInit("OstrelFrmIAStart", true);
    setWindowTitle(KWDCaption(QStringLiteral("Inventuren")));
    FInvMani = std::make_unique<TInvMani>();
  });
}

TFrmIAStart::~TFrmIAStart() {
  KWDZerstoeren("TFrmIAStart.FormDestroy", {[&] { FInvMani.reset(); }});
  if (FrmIAStart == this) FrmIAStart = nullptr;
}

void TFrmIAStart::showEvent(QShowEvent* AEvent) {
  TKWDForm::showEvent(AEvent);
  if (!AEvent->spontaneous()) FormShow();
}

void TFrmIAStart::resizeEvent(QResizeEvent* AEvent) {
  TKWDForm::resizeEvent(AEvent);
  FormResize();
}

void TFrmIAStart::FormShow() {
  KWDGuard("TFrmIAStart.FormShow", [&] {
    if (FWirtsJahre.empty()) {
      if (FInvMani) FWirtsJahre = FInvMani->Inv_get_WiJahrArray();
      FuelleWiJahr();
    }
    // A change made here is no choice of the user: the focus stays.
    const QSignalBlocker Stumm(CmbBoxWiJahr);
    CmbBoxWiJahr->clear();
    for (std::size_t I = 0; I < FWirtsJahre.size(); ++I) {
      bool EnthaeltHeute = false;
      CmbBoxWiJahr->addItem(QString::fromStdString(WiJahrtoStr(FWirtsJahre[I], EnthaeltHeute)));
      if (EnthaeltHeute) CmbBoxWiJahr->setCurrentIndex(static_cast<int>(I));
    }
  });
}

void TFrmIAStart::FuelleWiJahr() {
  KWDGuard("TFrmIAStart.FuelleWiJahr", [&] {
    const int StartMonat = KWDParameter().GetIntegerValueByName("STARTMON");
    IAWiJahreFuellen(FWirtsJahre, StartMonat, kwd_Date());
  });
}

std::string TFrmIAStart::WiJahrtoStr(TDate AWiJahr, bool& AEnthaeltHeute) {
  std::string Text;
  AEnthaeltHeute = false;
  KWDGuard("TFrmIAStart.WiJahrtoStr", [&] {
    const TIAWiJahr Jahr = IAWiJahrBeschreiben(AWiJahr, kwd_Date());
    Text = Jahr.Text;
    AEnthaeltHeute = Jahr.EnthaeltHeute;
  });
  return Text;
}

void TFrmIAStart::CmbBoxWiJahrChange() {
  // Enter then confirms the choice.
  BtnOk->setFocus();
}

void TFrmIAStart::BtnOkClick() {
  KWDGuard("TFrmIAStart.BtnOkClick", [&] {
    const int Zeile = CmbBoxWiJahr->currentIndex();
    if (Zeile < 0 || Zeile >= static_cast<int>(FWirtsJahre.size())) {
      KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "INVANF", 1004, {}, this);
      return;
    }
    if (!FrmIAMain) throw std::runtime_error("Das Hauptfenster der Inventuranforderungen wurde nicht angelegt.");
    FrmIAMain->SetWiJahr(FWirtsJahre[static_cast<std::size_t>(Zeile)]);
    FrmIAMain->exec();
  });
}

void TFrmIAStart::BtnEndeClick() {
  KWDGuard("TFrmIAStart.BtnEndeClick", [&] { SetModalResult(KWD_MR_CANCEL); });
}

void TFrmIAStart::BtnFirmaClick() {
  KWDGuard("TFrmIAStart.BtnFirmaClick", [&] { InvAnfFirmaNeuWaehlen(); });
}

void TFrmIAStart::FormResize() {
  KWDGuard("TFrmIAStart.FormResize", [&] { pnlBG->setGeometry(rect().adjusted(KRand, KRand, -KRand, -KRand)); });
}
