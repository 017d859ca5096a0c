#include "widgets/KWDAnwendungsTitel.h"
#include "widgets/TKWDVersionsDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/KWDTasten.h"
#include "widgets/KWDVersion.h"
#include "widgets/KWDWidgets.h"
#include "widgets/TKWDTitelPanel.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/framework/TKWDProgramm.h"
#include "support/services/Prozessidentitaet.h"

namespace {

QString Q(const std::string& AText) { return QString::fromStdString(AText); }

QString Build() {
  QString Text = QString::fromUtf8(KWD_PROGRAMM_STAND);
  const QString Datum = QString::fromUtf8(KWD_PROGRAMM_BUILDDATUM);
  return Text.isEmpty() ? Datum : Text + QStringLiteral(" vom ") + Datum;
}

}  // namespace

TKWDVersionsDialog::TKWDVersionsDialog(const std::string& ATitel, const std::string& AText2, QWidget* AParent)
    : TKWDForm(AParent) {
  setObjectName(QStringLiteral("KWDVersionsDialog"));
  setWindowTitle(Q(ATitel) + QStringLiteral(" - Versionsinformation"));
  KWDFormInit("KWDVersionsDialog", true);
  SetFormPosStoreMode(fpsmPosition);

  auto* Titel = new TKWDTitelPanel(KWDAnwendungsTitel().isEmpty() ? Q(ATitel) : KWDAnwendungsTitel(), this);
  Titel->setObjectName(QStringLiteral("LblTitel"));
  FZeilen = new QFormLayout;
  FZeilen->setLabelAlignment(Qt::AlignLeft);

  const QString Programm = QCoreApplication::applicationName();
  Zeile(QStringLiteral("Programm:"), Programm.isEmpty() ? Q(ATitel) : Programm, QStringLiteral("lblProgramm"));
  Zeile(QStringLiteral("Version:"), QString::fromUtf8(KWD_PROGRAMM_VERSION), QStringLiteral("lblVersion"));
  Zeile(QStringLiteral("Build:"), Build(), QStringLiteral("lblBuild"));
  Zeile(QStringLiteral("Qt:"), QString::fromUtf8(qVersion()), QStringLiteral("lblQt"));

  QString Art, Ort;
  KWDGuardStill("TKWDVersionsDialog.Datenbank", [&] {
    try {
      TDbConnection& Db = KWDDatenbank();
      Art = Db.Backend() == TDbBackend::PostgreSQL ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite");
      Ort = Q(Db.Ort());
    } catch (const std::exception& E) {
      Art = QStringLiteral("nicht verbunden");
      Ort = Q(E.what());
    }
  });
  Zeile(QStringLiteral("Datenbank:"), Art, QStringLiteral("lblDatenbank"));
  Zeile(QStringLiteral("Ort:"), Ort, QStringLiteral("lblOrt"));
  Zeile(QStringLiteral("Mandant:"), Q(KWDProgramm().GetTextMandant()), QStringLiteral("lblMandant"));
  Zeile(QStringLiteral("Benutzer:"), Q(KWDBenutzer()), QStringLiteral("lblBenutzer"));

  auto* Knoepfe = new QDialogButtonBox(this);
  QPushButton* Ok = Knoepfe->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  Ok->setObjectName(QStringLiteral("btnOk"));
  KWDTasteBinden(Ok, QKeySequence(Qt::Key_Return));
  connect(Ok, &QPushButton::clicked, this, [this] { SetModalResult(KWD_MR_OK); });

  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 12);
  Layout->addWidget(Titel);
  auto* Inhalt = new QVBoxLayout;
  Inhalt->setContentsMargins(16, 8, 16, 0);
  Inhalt->addLayout(FZeilen);
  if (!AText2.empty()) {
    auto* Text2 = new QLabel(Q(AText2), this);
    Text2->setObjectName(QStringLiteral("lblText2"));
    Text2->setWordWrap(true);
    Inhalt->addWidget(Text2);
  }
  Inhalt->addWidget(Knoepfe);
  Layout->addLayout(Inhalt);
  Layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TKWDVersionsDialog::Zeile(const QString& ALabel, const QString& AWert, const QString& AName) {
  auto* Wert = new QLabel(AWert, this);
  Wert->setObjectName(AName);
  Wert->setTextFormat(Qt::PlainText);
  Wert->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Wert->setWordWrap(true);
  Wert->setMinimumWidth(320);
  FZeilen->addRow(ALabel, Wert);
}

QString TKWDVersionsDialog::Wert(const QString& ALabel) const {
  for (int I = 0; I < FZeilen->rowCount(); ++I) {
    auto* Label = qobject_cast<QLabel*>(FZeilen->itemAt(I, QFormLayout::LabelRole)
                                            ? FZeilen->itemAt(I, QFormLayout::LabelRole)->widget()
                                            : nullptr);
    auto* Feld = FZeilen->itemAt(I, QFormLayout::FieldRole)
                     ? qobject_cast<QLabel*>(FZeilen->itemAt(I, QFormLayout::FieldRole)->widget())
                     : nullptr;
    if (Label && Feld && Label->text() == ALabel) return Feld->text();
  }
  return {};
}

void VersionsInfoZeigen(const std::string& ATitel, QWidget* AOwner, const std::string& AText2) {
  KWDGuard("VersionsInfoZeigen", [&] {
    TKWDVersionsDialog Dialog(ATitel, AText2, AOwner ? AOwner : KWDOwnerWidget(nullptr));
    Dialog.exec();
  });
}
