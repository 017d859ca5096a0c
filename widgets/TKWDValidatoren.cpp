#include "widgets/TKWDValidatoren.h"

#include <QLocale>
#include <QToolTip>
#include <QWidget>
#include <cmath>

namespace {

bool Ziffer(QChar AZeichen) { return AZeichen >= QLatin1Char('0') && AZeichen <= QLatin1Char('9'); }

// The state of a decimal text; AGrund receives why it is Invalid.
QValidator::State DezimalPruefen(const QString& AText, int AVorkomma, int ANachkomma, QString& AGrund) {
  if (AText.isEmpty()) return QValidator::Intermediate;
  int Komma = -1;
  for (int I = 0; I < AText.size(); ++I) {
    const QChar Z = AText.at(I);
    if (Ziffer(Z)) continue;
    if ((Z == QLatin1Char(',') || Z == QLatin1Char('.')) && Komma < 0) {
      Komma = I;
      continue;
    }
    AGrund = QStringLiteral("Hier sind nur Ziffern und ein Komma möglich, z. B. 33,33.");
    return QValidator::Invalid;
  }
  const int Vor = Komma < 0 ? static_cast<int>(AText.size()) : Komma;
  const int Nach = Komma < 0 ? 0 : static_cast<int>(AText.size()) - Komma - 1;
  if (Vor > AVorkomma) {
    AGrund = QStringLiteral("Höchstens %1 Stellen vor dem Komma (bis %2).")
                 .arg(AVorkomma)
                 .arg(TKWDDezimalValidator::Text(std::pow(10.0, AVorkomma) - std::pow(10.0, -ANachkomma), ANachkomma));
    return QValidator::Invalid;
  }
  if (Nach > ANachkomma) {
    AGrund = QStringLiteral("Höchstens %1 Stellen nach dem Komma.").arg(ANachkomma);
    return QValidator::Invalid;
  }
  return Vor + Nach == 0 ? QValidator::Intermediate : QValidator::Acceptable;
}

}  // namespace

void KWDEingabeHinweis(QWidget* AFeld, const QString& AText) {
  if (!AFeld) return;
  QToolTip::showText(AFeld->mapToGlobal(QPoint(0, AFeld->height())), AText, AFeld, QRect(), 6000);
}

QValidator::State TKWDHinweisValidator::Ablehnen(const QString& AGrund) const {
  FLetzterHinweis = AGrund;
  // A text the program sets is the form's affair; only the user's input is answered here.
  if (auto* Feld = qobject_cast<QWidget*>(parent()); Feld && Feld->hasFocus()) KWDEingabeHinweis(Feld, AGrund);
  return Invalid;
}

TKWDLaengenValidator::TKWDLaengenValidator(int AMaxZeichen, const QString& AHinweis, QObject* AParent)
    : TKWDHinweisValidator(AParent), FMax(AMaxZeichen), FHinweis(AHinweis) {}

QValidator::State TKWDLaengenValidator::validate(QString& AText, int&) const {
  // Half a surrogate pair (pasted from a damaged source) would be stored as
  // a replacement character: refused like the tools refuse invalid UTF-8.
  if (!AText.isValidUtf16())
    return Ablehnen(QStringLiteral("Der Text enthält ein ungültiges Zeichen und wird so nicht übernommen."));
  return AText.size() > FMax ? Ablehnen(FHinweis) : Acceptable;
}

TKWDDezimalValidator::TKWDDezimalValidator(int AVorkomma, int ANachkomma, QObject* AParent)
    : TKWDHinweisValidator(AParent), FVorkomma(AVorkomma), FNachkomma(ANachkomma) {}

QValidator::State TKWDDezimalValidator::validate(QString& AText, int&) const {
  QString Grund;
  const State Zustand = DezimalPruefen(AText, FVorkomma, FNachkomma, Grund);
  return Zustand == Invalid ? Ablehnen(Grund) : Zustand;
}

std::optional<double> TKWDDezimalValidator::Wert(const QString& AText) const {
  QString Grund;
  if (DezimalPruefen(AText, FVorkomma, FNachkomma, Grund) != Acceptable) return std::nullopt;
  QString Punkt = AText;
  Punkt.replace(QLatin1Char(','), QLatin1Char('.'));
  if (Punkt.startsWith(QLatin1Char('.'))) Punkt.prepend(QLatin1Char('0'));
  bool Ok = false;
  const double Wert = Punkt.toDouble(&Ok);
  return Ok ? std::optional<double>(Wert) : std::nullopt;
}

QString TKWDDezimalValidator::Text(double AWert, int ANachkomma) {
  QString Text = QString::number(AWert, 'f', ANachkomma);
  if (Text.contains(QLatin1Char('.'))) {
    while (Text.endsWith(QLatin1Char('0'))) Text.chop(1);
    if (Text.endsWith(QLatin1Char('.'))) Text.chop(1);
  }
  if (Text == QStringLiteral("-0")) Text = QStringLiteral("0");
  return Text.replace(QLatin1Char('.'), QLatin1Char(','));
}
