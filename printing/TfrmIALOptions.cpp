#include "printing/TfrmIALOptions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "printing/DruckLayouts.h"
#include "widgets/KWDTasten.h"
#include "widgets/TKWDGlyphButton.h"
#include "widgets/TKWDTitelPanel.h"
#include "widgets/TLayoutform.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDMeldungPresenter.h"

TfrmIALOptions* frmIALOptions = nullptr;

namespace {
std::unique_ptr<TfrmIALOptions> GEigene;  // created by frmIALOptions_CiN
}  // namespace

TfrmIALOptions::TfrmIALOptions(QWidget* AParent) : TKWDForm(AParent) {
  if (!frmIALOptions) frmIALOptions = this;
  setObjectName(QStringLiteral("frmIALOptions"));
  auto* LblTitel = new TKWDTitelPanel(QStringLiteral("Konfiguration des Drucks"), this);
  LblTitel->setObjectName(QStringLiteral("LblTitel"));
  cbxNullbestand = new QCheckBox(QStringLiteral("Artikel mit Nullbestand drucken"), this);
  cbxNullbestand->setObjectName(QStringLiteral("cbxNullbestand"));
  cbxNullbestand->setToolTip(QStringLiteral("Auch Artikel mit Nullbestand in IAL drucken "));
  cbxGG = new QCheckBox(QStringLiteral("Ausdruck des Sollbestandes für alle Größen"), this);
  cbxGG->setObjectName(QStringLiteral("cbxGG"));
  cbxGG->setToolTip(QStringLiteral("Sollbestände für die Größengänge  ausdrucken"));
  cbxSammel = new QCheckBox(QStringLiteral("Nur Sammelartikel drucken"), this);
  cbxSammel->setObjectName(QStringLiteral("cbxSammel"));
  btnLayout = new TKWDGlyphButton(QStringLiteral("Layout-Gestaltung"), QStyle::SP_FileDialogDetailedView, this);
  btnLayout->setObjectName(QStringLiteral("btnLayout"));
  btnDruckIAL = new TKWDGlyphButton(QStringLiteral("Druck IAL"), QStyle::SP_DialogOkButton, this);
  btnDruckIAL->setObjectName(QStringLiteral("btnDruckIAL"));
  KWDTasteBinden(btnDruckIAL, QKeySequence(Qt::Key_F10), QStringLiteral("Inventuraufnahmeliste mit gewählten Optionen drucken"));
  btnDruckIAL->setDefault(true);
  btnCancel = new TKWDGlyphButton(QStringLiteral("Abbrechen"), QStyle::SP_DialogCancelButton, this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  KWDTasteBinden(btnCancel, QKeySequence(Qt::Key_Escape), QStringLiteral("Abbrechen, zurück zur Inventurenübersicht"));

  connect(btnLayout, &QPushButton::clicked, this, [this] { actLayoutExecute(); });
  connect(btnDruckIAL, &QPushButton::clicked, this, [this] { SetModalResult(KWD_MR_OK); });
  connect(btnCancel, &QPushButton::clicked, this, [this] { SetModalResult(KWD_MR_CANCEL); });

  auto* Optionen = new QGroupBox(QStringLiteral("Optionen"), this);
  auto* OptionenLayout = new QVBoxLayout(Optionen);
  OptionenLayout->addWidget(cbxNullbestand);
  OptionenLayout->addWidget(cbxGG);
  OptionenLayout->addWidget(cbxSammel);
  auto* Knoepfe = new QHBoxLayout;
  Knoepfe->addWidget(btnLayout);
  Knoepfe->addStretch();
  Knoepfe->addWidget(btnDruckIAL);
  Knoepfe->addWidget(btnCancel);
  auto* Inhalt = new QVBoxLayout;
  Inhalt->setContentsMargins(14, 10, 14, 0);
  Inhalt->setSpacing(12);
  Inhalt->addWidget(Optionen);
  Inhalt->addLayout(Knoepfe);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 12);
  Layout->addWidget(LblTitel);
  Layout->addLayout(Inhalt);
  Layout->setSizeConstraint(QLayout::SetFixedSize);

  KWDGuard("TfrmIALOptions.FormCreate", [&] {
    setWindowTitle(QStringLiteral("Druck der Inventuraufnahmeliste"));
    KWDFormInit("OSTRELfrmIALOptions", true);
    SetFormPosStoreMode(fpsmPosition);
  });
}

TfrmIALOptions::~TfrmIALOptions() {
  if (frmIALOptions == this) frmIALOptions = nullptr;
}

TIALOptionen TfrmIALOptions::Optionen() const {
  return {cbxNullbestand->isChecked(), cbxGG->isChecked(), cbxSammel->isChecked()};
}

void TfrmIALOptions::actLayoutExecute() {
  KWDGuard("TfrmIALOptions.actLayoutExecute", [&] {
    DruckLayoutsInstallieren();
    TQLX_SelectedLayout_List Layouts;
    TQLX_LayoutDialog_InputData Input;
    IALLayoutInputVorbereiten(Input);
    auto Dialog = std::make_unique<TLayoutform>(nullptr);
    Dialog->Execute(Input, Layouts);
  });
}

TfrmIALOptions* frmIALOptions_CiN() {
  if (!frmIALOptions) GEigene = std::make_unique<TfrmIALOptions>();
  return frmIALOptions;
}

void frmIALOptions_Freigeben() { GEigene.reset(); }
