#include "widgets/TKWDForm.h"

#include <QGuiApplication>
#include <QHideEvent>
#include <QLayout>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>

#include "support/framework/KWDGuard.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/framework/KWDSettings.h"
#include "support/framework/KWDWork.h"
#include "support/framework/TKWDProgramm.h"

namespace {

QSettings FormsSettings() { return QSettings(QString::fromStdString(KWDFormsFile()), QSettings::IniFormat); }

// A stored place is used only where enough of it lies on a screen of this
// session: a form must never open out of reach after a screen went away.
bool AufEinemBildschirm(const QRect& ARechteck) {
  for (const QScreen* S : QGuiApplication::screens()) {
    const QRect Schnitt = S->availableGeometry().intersected(ARechteck);
    if (Schnitt.width() >= 40 && Schnitt.height() >= 40) return true;
  }
  return false;
}

QSize HoechstensBildschirm(QSize AGroesse, const QPoint& APosition) {
  const QScreen* S = QGuiApplication::screenAt(APosition);
  if (!S) S = QGuiApplication::primaryScreen();
  return S ? AGroesse.boundedTo(S->availableGeometry().size()) : AGroesse;
}

}  // namespace

std::string KWDFormsFile() { return KWDXdgPfad("XDG_CONFIG_HOME", ".config", "wws/forms.ini"); }

QString KWDCaption(const QString& AFestText) {
  return AFestText + QStringLiteral(" - ") + QString::fromStdString(KWDProgramm().GetTextMandant());
}

TKWDForm::TKWDForm(QWidget* AParent, Qt::WindowFlags AFlags) : QDialog(AParent, AFlags) {}

TKWDForm::~TKWDForm() = default;

void TKWDForm::KWDFormInit(const std::string& AKey, bool AFlag) {
  FKey = AKey;
  FGeometrie = AFlag;
}

void TKWDForm::ZustandMerken(QTabWidget* ATab) {
  if (ATab) FTabs.push_back(ATab);
}

void TKWDForm::ZustandMerken(QSplitter* ASplitter) {
  if (ASplitter) FSplitter.push_back(ASplitter);
}

bool TKWDForm::Arbeitet() const { return Working(static_cast<const void*>(this)); }

void TKWDForm::SetModalResult(int AResult) {
  FModalResult = AResult;
  if (AResult != 0) done(AResult);
}

void TKWDForm::reject() { done(KWD_MR_CANCEL); }

void TKWDForm::done(int AResult) {
  // A command of this form still runs: the window stays.
  if (Arbeitet()) return;
  if (!KWDGuard("TKWDForm.FormCloseQuery", [&] { return FormCloseQuery(); }, true)) return;
  FModalResult = AResult;
  QDialog::done(AResult);
}

void TKWDForm::setVisible(bool AVisible) {
  if (AVisible && !FGeladen && !isVisible()) {
    FGeladen = true;
    KWDGuard("TKWDForm.KWDFormInit", [&] { EinstellungenLaden(); });
  }
  QDialog::setVisible(AVisible);
}

void TKWDForm::hideEvent(QHideEvent* AEvent) {
  QDialog::hideEvent(AEvent);
  if (!AEvent->spontaneous()) FormEinstellungenSpeichern();
}

void TKWDForm::EinstellungenLaden() {
  if (FKey.empty()) return;
  QSettings S = FormsSettings();
  S.beginGroup(QString::fromStdString(FKey));
  if (FGeometrie && FMode != fpsmNichts && S.contains(QStringLiteral("Position"))) {
    const QPoint Position = S.value(QStringLiteral("Position")).toPoint();
    const bool FesteGroesse = minimumSize() == maximumSize() ||
                              (layout() && layout()->sizeConstraint() == QLayout::SetFixedSize);
    const bool MitGroesse = FMode == fpsmPositionUndGroesse && !FesteGroesse && S.contains(QStringLiteral("Groesse"));
    const QSize Groesse =
        MitGroesse ? HoechstensBildschirm(S.value(QStringLiteral("Groesse")).toSize(), Position) : sizeHint();
    if (AufEinemBildschirm(QRect(Position, Groesse.isValid() ? Groesse : QSize(100, 100)))) {
      if (MitGroesse) resize(Groesse);
      move(Position);
    }
    if (MitGroesse && S.value(QStringLiteral("Maximiert")).toBool())
      setWindowState(windowState() | Qt::WindowMaximized);
  }
  for (QTabWidget* Tab : FTabs) {
    const QString Name = QStringLiteral("Seite/") + Tab->objectName();
    if (S.contains(Name)) {
      const int Seite = S.value(Name).toInt();
      if (Seite >= 0 && Seite < Tab->count()) Tab->setCurrentIndex(Seite);
    }
  }
  for (QSplitter* Splitter : FSplitter) {
    const QString Name = QStringLiteral("Splitter/") + Splitter->objectName();
    if (S.contains(Name)) Splitter->restoreState(S.value(Name).toByteArray());
  }
}

std::string TKWDForm::FormWert(const std::string& AName) const {
  if (FKey.empty()) return {};
  QSettings S = FormsSettings();
  return S.value(QString::fromStdString(FKey + "/Wert/" + AName)).toString().toStdString();
}

void TKWDForm::FormWertSetzen(const std::string& AName, const std::string& AWert) {
  if (FKey.empty()) return;
  QSettings S = FormsSettings();
  S.setValue(QString::fromStdString(FKey + "/Wert/" + AName), QString::fromStdString(AWert));
  S.sync();
  if (S.status() != QSettings::NoError)
    throw std::runtime_error("Die Fenstereinstellungen konnten nicht in " + KWDFormsFile() + " gespeichert werden.");
}

void TKWDForm::FormEinstellungenSpeichern() {
  KWDGuardStill("TKWDForm.FormEinstellungenSpeichern", [&] {
    if (FKey.empty() || !FGeladen) return;  // never shown: nothing of its own to keep
    QSettings S = FormsSettings();
    S.beginGroup(QString::fromStdString(FKey));
    if (FGeometrie && FMode != fpsmNichts) {
      const bool Maximiert = isMaximized();
      const QRect Normal = Maximiert ? normalGeometry() : QRect(pos(), size());
      S.setValue(QStringLiteral("Position"), Maximiert ? Normal.topLeft() : pos());
      if (FMode == fpsmPositionUndGroesse) {
        S.setValue(QStringLiteral("Groesse"), Normal.size());
        S.setValue(QStringLiteral("Maximiert"), Maximiert);
      }
    }
    for (QTabWidget* Tab : FTabs) S.setValue(QStringLiteral("Seite/") + Tab->objectName(), Tab->currentIndex());
    for (QSplitter* Splitter : FSplitter)
      S.setValue(QStringLiteral("Splitter/") + Splitter->objectName(), Splitter->saveState());
    S.endGroup();
    S.sync();
    if (S.status() != QSettings::NoError)
      throw std::runtime_error("Die Fenstereinstellungen konnten nicht in " + KWDFormsFile() +
                               " gespeichert werden.");
  });
}
