#include "widgets/KWDTasten.h"

#include <QAbstractButton>
#include <QAction>
#include <QPushButton>

QString KWDTastenText(const QKeySequence& ATaste) {
  if (ATaste.isEmpty()) return {};
  const QKeyCombination Kombination = ATaste[0];
  QString Text;
  const Qt::KeyboardModifiers Mod = Kombination.keyboardModifiers();
  if (Mod & Qt::ControlModifier) Text += QStringLiteral("Strg+");
  if (Mod & Qt::AltModifier) Text += QStringLiteral("Alt+");
  if (Mod & Qt::ShiftModifier) Text += QStringLiteral("Umschalt+");
  switch (Kombination.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return Text + QStringLiteral("Enter");
    case Qt::Key_Escape: return Text + QStringLiteral("Esc");
    case Qt::Key_Insert: return Text + QStringLiteral("Einfg");
    case Qt::Key_Delete: return Text + QStringLiteral("Entf");
    case Qt::Key_Space: return Text + QStringLiteral("Leertaste");
    case Qt::Key_Home: return Text + QStringLiteral("Pos1");
    case Qt::Key_End: return Text + QStringLiteral("Ende");
    default: return Text + QKeySequence(Kombination.key()).toString(QKeySequence::PortableText);
  }
}

QString KWDHintMitTaste(const QString& AHint, const QKeySequence& ATaste) {
  const QString Taste = KWDTastenText(ATaste);
  if (Taste.isEmpty()) return AHint;
  return AHint.isEmpty() ? Taste : AHint + QStringLiteral(" (") + Taste + QStringLiteral(")");
}

void KWDTasteBinden(QAbstractButton* AButton, const QKeySequence& ATaste, const QString& AHint) {
  if (!AButton) return;
  AButton->setShortcut(ATaste);
  AButton->setToolTip(KWDHintMitTaste(AHint, ATaste));
  const int Taste = ATaste.isEmpty() ? 0 : ATaste[0].key();
  if (auto* Knopf = qobject_cast<QPushButton*>(AButton); Knopf && (Taste == Qt::Key_Return || Taste == Qt::Key_Enter))
    Knopf->setDefault(true);
}

void KWDTasteBinden(QAction* AAktion, const QKeySequence& ATaste, const QString& AHint) {
  if (!AAktion) return;
  AAktion->setShortcut(ATaste);
  AAktion->setToolTip(KWDHintMitTaste(AHint.isEmpty() ? AAktion->text().remove('&') : AHint, ATaste));
  if (!AHint.isEmpty()) AAktion->setStatusTip(AHint);
}

void KWDAktionVerbinden(QAbstractButton* AButton, QAction* AAktion) {
  if (!AButton || !AAktion) return;
  QObject::connect(AButton, &QAbstractButton::clicked, AAktion, [AAktion] { AAktion->trigger(); });
  auto Abgleichen = [AButton, AAktion] {
    AButton->setEnabled(AAktion->isEnabled());
    AButton->setToolTip(AAktion->toolTip());
  };
  QObject::connect(AAktion, &QAction::changed, AButton, Abgleichen);
  Abgleichen();
}
