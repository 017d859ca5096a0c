#include "widgets/TQLX_DatumsEingabe.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "widgets/TKWDValidatoren.h"
#include "support/framework/KWDUhr.h"

namespace {

const QDate KNullTag(1899, 12, 30);  // day 0 of the suite's dates

// Digits and points only, at most TT.MM.JJJJ long; complete once it reads as a date.
class TDatumsValidator : public TKWDHinweisValidator {
 public:
  using TKWDHinweisValidator::TKWDHinweisValidator;
  State validate(QString& AText, int&) const override {
    static const QString Hinweis = QStringLiteral("Bitte das Datum als TT.MM.JJJJ eingeben, z. B. 24.12.2026.");
    if (AText.size() > 10 || AText.count(QLatin1Char('.')) > 2) return Ablehnen(Hinweis);
    for (const QChar Z : AText)
      if (Z != QLatin1Char('.') && (Z < QLatin1Char('0') || Z > QLatin1Char('9'))) return Ablehnen(Hinweis);
    QDate Datum;
    return TQLX_DatumsEingabe::DatumLesen(AText, Datum) ? Acceptable : Intermediate;
  }
};

bool Zahl(const QString& AText, int AMin, int AMax, int& AWert) {
  if (AText.size() < AMin || AText.size() > AMax) return false;
  bool Ok = false;
  AWert = AText.toInt(&Ok);
  return Ok;
}

bool Jahr(const QString& AText, int& AJahr) {
  if (AText.size() != 2 && AText.size() != 4) return false;
  if (!Zahl(AText, 2, 4, AJahr)) return false;
  if (AText.size() == 2) AJahr += 2000;
  return AJahr >= 1900;
}

}  // namespace

QDate KWDQDate(TDateTime ADatum) {
  if (ADatum == 0 || !std::isfinite(ADatum)) return {};
  const QDate Datum = KNullTag.addDays(static_cast<qint64>(std::floor(ADatum)));
  return Datum.year() >= 1900 && Datum.year() <= 9999 ? Datum : QDate();
}

TDate KWDDatumAusQDate(const QDate& ADatum) {
  return ADatum.isValid() ? static_cast<TDate>(KNullTag.daysTo(ADatum)) : 0;
}

bool TQLX_DatumsEingabe::DatumLesen(const QString& AText, QDate& ADatum) {
  int T = 0, M = 0, J = 0;
  const QStringList Teile = AText.split(QLatin1Char('.'));
  bool Ok = false;
  if (Teile.size() == 3) {
    Ok = Zahl(Teile[0], 1, 2, T) && Zahl(Teile[1], 1, 2, M) && Jahr(Teile[2], J);
  } else if (Teile.size() == 1 && (AText.size() == 6 || AText.size() == 8)) {
    Ok = Zahl(AText.left(2), 2, 2, T) && Zahl(AText.mid(2, 2), 2, 2, M) && Jahr(AText.mid(4), J);
  }
  if (!Ok) return false;
  const QDate Datum(J, M, T);
  if (!Datum.isValid()) return false;
  ADatum = Datum;
  return true;
}

TQLX_DatumsEingabe::~TQLX_DatumsEingabe() {
  if (FEdit) FEdit->disconnect(this);
}

TQLX_DatumsEingabe::TQLX_DatumsEingabe(QWidget* AParent) : QWidget(AParent) {
  FEdit = new QLineEdit(this);
  FEdit->setObjectName(QStringLiteral("edtDatum"));
  FEdit->setValidator(new TDatumsValidator(FEdit));
  FEdit->setPlaceholderText(QStringLiteral("TT.MM.JJJJ"));
  FEdit->setMinimumWidth(FEdit->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 16);
  FEdit->installEventFilter(this);
  FEdit->setToolTip(QStringLiteral("Datum als TT.MM.JJJJ; Kalender mit Alt+Pfeil nach unten"));

  auto Knopf = [this](const QString& AName, Qt::ArrowType APfeil, const QString& AHint) {
    auto* K = new QToolButton(this);
    K->setObjectName(AName);
    K->setArrowType(APfeil);
    K->setToolTip(AHint);
    K->setFocusPolicy(Qt::NoFocus);
    K->setAutoRaise(false);
    return K;
  };
  FPrev = Knopf(QStringLiteral("btnPrev"), Qt::LeftArrow, QStringLiteral("Vorheriger Tag"));
  FKalenderKnopf = Knopf(QStringLiteral("btnKalender"), Qt::DownArrow, QStringLiteral("Kalender (Alt+Pfeil nach unten)"));
  FNext = Knopf(QStringLiteral("btnNext"), Qt::RightArrow, QStringLiteral("Nächster Tag"));

  auto* Layout = new QHBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(1);
  Layout->addWidget(FPrev);
  Layout->addWidget(FEdit);
  Layout->addWidget(FKalenderKnopf);
  Layout->addWidget(FNext);
  setFocusProxy(FEdit);
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

  connect(FKalenderKnopf, &QToolButton::clicked, this, &TQLX_DatumsEingabe::KalenderOeffnen);
  connect(FPrev, &QToolButton::clicked, this, [this] { Blaettern(-1); });
  connect(FNext, &QToolButton::clicked, this, [this] { Blaettern(1); });
  connect(FEdit, &QLineEdit::textChanged, this, &TQLX_DatumsEingabe::DatumGeaendert);
  connect(FEdit, &QLineEdit::editingFinished, this, &TQLX_DatumsEingabe::Formatieren);
}

TDateTime TQLX_DatumsEingabe::Date_Get() const {
  QDate Datum;
  return DatumLesen(FEdit->text(), Datum) ? KWDDatumAusQDate(Datum) : 0;
}

void TQLX_DatumsEingabe::Date_Set(TDateTime ADatum) {
  const QDate Datum = KWDQDate(ADatum);
  FEdit->setText(Datum.isValid() ? Datum.toString(QStringLiteral("dd.MM.yyyy")) : QString());
}

TQLX_DatumsZustand TQLX_DatumsEingabe::Zustand() const {
  if (FEdit->text().isEmpty()) return TQLX_DatumsZustand::Leer;
  QDate Datum;
  return DatumLesen(FEdit->text(), Datum) ? TQLX_DatumsZustand::Gueltig : TQLX_DatumsZustand::Ungueltig;
}

QString TQLX_DatumsEingabe::Text() const { return FEdit->text(); }

void TQLX_DatumsEingabe::SetBtnPrevNextVisible(bool ASichtbar) {
  FPrevNext = ASichtbar;
  FPrev->setVisible(ASichtbar);
  FNext->setVisible(ASichtbar);
}

void TQLX_DatumsEingabe::Formatieren() {
  QDate Datum;
  if (DatumLesen(FEdit->text(), Datum)) {
    const QString Text = Datum.toString(QStringLiteral("dd.MM.yyyy"));
    if (Text != FEdit->text()) FEdit->setText(Text);
  }
}

void TQLX_DatumsEingabe::Uebernehmen(const QDate& ADatum) {
  FEdit->setText(ADatum.toString(QStringLiteral("dd.MM.yyyy")));
  FEdit->setFocus(Qt::PopupFocusReason);
  FEdit->selectAll();
}

void TQLX_DatumsEingabe::Blaettern(int ATage) {
  QDate Datum;
  if (!DatumLesen(FEdit->text(), Datum)) Datum = KWDQDate(kwd_Date());
  Uebernehmen(Datum.addDays(ATage));
}

void TQLX_DatumsEingabe::KalenderOeffnen() {
  if (!FPopup) {
    FPopup = new QFrame(this, Qt::Popup);
    FPopup->setObjectName(QStringLiteral("KalenderPopup"));
    FPopup->setFrameShape(QFrame::Box);
    FPopup->installEventFilter(this);
    FKalender = new QCalendarWidget(FPopup);
    FKalender->setObjectName(QStringLiteral("Kalender"));
    FKalender->setGridVisible(true);
    FKalender->setMinimumDate(QDate(1900, 1, 1));
    auto* L = new QVBoxLayout(FPopup);
    L->setContentsMargins(1, 1, 1, 1);
    L->addWidget(FKalender);
    auto Gewaehlt = [this](const QDate& ADatum) {
      FPopup->hide();
      Uebernehmen(ADatum);
    };
    connect(FKalender, &QCalendarWidget::clicked, this, Gewaehlt);
    connect(FKalender, &QCalendarWidget::activated, this, Gewaehlt);
  }
  QDate Datum;
  if (!DatumLesen(FEdit->text(), Datum)) Datum = KWDQDate(kwd_Date());
  FKalender->setSelectedDate(Datum);
  FPopup->adjustSize();
  FPopup->move(FEdit->mapToGlobal(QPoint(0, FEdit->height())));
  FPopup->show();
  FKalender->setFocus(Qt::PopupFocusReason);
}

QCalendarWidget* TQLX_DatumsEingabe::OffenerKalender() const {
  return FPopup && FPopup->isVisible() ? FKalender : nullptr;
}

bool TQLX_DatumsEingabe::eventFilter(QObject* AObjekt, QEvent* AEvent) {
  if (AEvent->type() == QEvent::KeyPress) {
    const auto* Taste = static_cast<QKeyEvent*>(AEvent);
    if (AObjekt == FEdit && Taste->key() == Qt::Key_Down && (Taste->modifiers() & Qt::AltModifier)) {
      KalenderOeffnen();
      return true;
    }
    if (AObjekt == FPopup && Taste->key() == Qt::Key_Escape) {
      FPopup->hide();
      FEdit->setFocus(Qt::PopupFocusReason);
      return true;
    }
  }
  return QWidget::eventFilter(AObjekt, AEvent);
}
