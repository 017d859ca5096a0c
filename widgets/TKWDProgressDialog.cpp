#include "widgets/KWDAnwendungsTitel.h"
#include "widgets/TKWDProgressDialog.h"

#include "widgets/KWDWidgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFormLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

TKWDProgressDialog::TKWDProgressDialog(QWidget* AOwner)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), FOwner(AOwner) {
  setObjectName(QStringLiteral("prgdKWD"));
  setWindowTitle(KWDAnwendungsTitel());

  FCaption = new QLabel(this);
  FCaption->setObjectName(QStringLiteral("lblCaption"));
  QFont Fett = FCaption->font();
  Fett.setBold(true);
  FCaption->setFont(Fett);
  FCaption->setTextFormat(Qt::PlainText);
  FDetail = new QLabel(this);
  FDetail->setObjectName(QStringLiteral("lblDetail"));
  FDetail->setTextFormat(Qt::PlainText);
  FBalken = new QProgressBar(this);
  FBalken->setObjectName(QStringLiteral("pbFortschritt"));
  FBalken->setRange(0, Max());
  FBalken->setValue(0);
  FBalken->setTextVisible(false);
  FZaehlerLayout = new QFormLayout;
  FZaehlerLayout->setContentsMargins(0, 0, 0, 0);

  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(16, 14, 16, 14);
  Layout->addWidget(FCaption);
  Layout->addWidget(FDetail);
  Layout->addWidget(FBalken);
  Layout->addLayout(FZaehlerLayout);
  setMinimumWidth(420);

  FNachzug.setSingleShot(true);
  FNachzug.setInterval(KAbstandMs);
  connect(&FNachzug, &QTimer::timeout, this, [this] { Zeichnen(); });
}

TKWDProgressDialog::~TKWDProgressDialog() = default;

void TKWDProgressDialog::closeEvent(QCloseEvent* AEvent) {
  if (Sichtbar()) AEvent->ignore();  // the work decides when it ends
}

void TKWDProgressDialog::Platzieren() {
  QWidget* Owner = FOwner ? FOwner : QApplication::activeWindow();
  // Without a window in focus (no window manager, the focus elsewhere) it
  // stands over the window that waits for the work: the modal one.
  if (!Owner || Owner == this) Owner = QApplication::activeModalWidget();
  if (Owner == this) Owner = nullptr;
  adjustSize();
  if (Owner) {
    Owner = Owner->window();
    move(Owner->frameGeometry().center() - rect().center());
    if (Owner->windowHandle()) {
      create();
      if (QWindow* Fenster = windowHandle()) Fenster->setTransientParent(Owner->windowHandle());
    }
  } else if (const QScreen* S = QGuiApplication::primaryScreen()) {
    move(S->availableGeometry().center() - rect().center());
  }
}

void TKWDProgressDialog::ProgressShow(bool AModal) {
  setWindowModality(AModal ? Qt::ApplicationModal : Qt::NonModal);
  // It only informs: the keys stay with the window the user works in.
  setAttribute(Qt::WA_ShowWithoutActivating, !AModal);
  // The window system may not yet have given the focus back after the last
  // showing; the window remembered then is still the one to return to.
  if (QWidget* Aktiv = QApplication::activeWindow(); Aktiv && Aktiv != this) FVorher = Aktiv;
  SichtbarSetzen(true);
  Platzieren();
  show();
  raise();
  Zeichnen();
}

void TKWDProgressDialog::ProgressHide() {
  SichtbarSetzen(false);
  FNachzug.stop();
  hide();
  setWindowModality(Qt::NonModal);
  // Where the window system moved the focus to it after all, it goes back.
  QWidget* Aktiv = QApplication::activeWindow();
  if (FVorher && FVorher->isVisible() && (!Aktiv || Aktiv == this)) FVorher->activateWindow();
}

void TKWDProgressDialog::Geaendert() {
  if (!Sichtbar()) return;  // shown with the next ProgressShow
  if (FLetztesZeichnen.isValid() && FLetztesZeichnen.elapsed() < KAbstandMs) {
    if (!FNachzug.isActive()) FNachzug.start();
    // Between two repaints the windows still answer (every 20 ms at most):
    // the work may report progress for a long time without a repaint due.
    KWDQtProcessMessages(5);
    return;
  }
  Zeichnen();
}

void TKWDProgressDialog::Zeichnen() {
  FNachzug.stop();
  FLetztesZeichnen.start();
  const QString Titel = QString::fromStdString(Caption());
  if (FCaption->text() != Titel) FCaption->setText(Titel);
  const QString Zeile = QString::fromStdString(Detail());
  if (FDetail->text() != Zeile) FDetail->setText(Zeile);
  FDetail->setVisible(!Zeile.isEmpty());
  if (Style() == TProgressBarStyle::pbstMarquee) {
    FBalken->setRange(0, 0);  // Qt's busy indicator, animated by the style
  } else {
    if (FBalken->maximum() != Max() || FBalken->minimum() != 0) FBalken->setRange(0, Max());
    FBalken->setValue(Pos());
  }
  const auto& Zeilen = Zaehler();
  while (FZaehlerLabels.size() < Zeilen.size()) {
    const QString Name = QString::fromStdString(Zeilen[FZaehlerLabels.size()].Name);
    auto* Titel = new QLabel(this);
    Titel->setObjectName(QStringLiteral("lblZaehlerCaption_") + Name);
    auto* Wert = new QLabel(this);
    Wert->setObjectName(QStringLiteral("lblZaehler_") + Name);
    Wert->setTextFormat(Qt::PlainText);
    FZaehlerLayout->addRow(Titel, Wert);
    FZaehlerLabels.emplace_back(Titel, Wert);
  }
  for (std::size_t I = 0; I < Zeilen.size(); ++I) {
    const QString Titel = QString::fromStdString(Zeilen[I].Caption).trimmed();
    const QString Wert = QString::fromStdString(Zeilen[I].Wert);
    if (FZaehlerLabels[I].first->text() != Titel) FZaehlerLabels[I].first->setText(Titel);
    if (FZaehlerLabels[I].second->text() != Wert) FZaehlerLabels[I].second->setText(Wert);
  }
  if (!isVisible()) return;
  // Paint now and let the pending events run: the window system exposes it,
  // the busy bar moves, and the windows below answer the user while the
  // work goes on (a second command is refused by the work bracket). The
  // work reports progress often, so this is where its windows breathe.
  QPointer<TKWDProgressDialog> Selbst(this);
  QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  if (Selbst && isVisible()) repaint();
}
