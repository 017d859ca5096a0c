#include "app/InvAnfFotos.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <iostream>

#include "support/framework/KWDSettings.h"
#include "support/framework/KWDWork.h"

namespace {

struct TFotoSchritt {
  QString Fenster;
  QString Knopf;
  QString Bild;
};

// Waits this long after a window came to the front before taking its picture:
// layouts and the first paint are done by then, also on a slow machine.
constexpr int KRuheMs = 500;
constexpr int KHoechstensMs = 30000;
const QString KTaste = QStringLiteral("Taste+");
const QString KText = QStringLiteral("Text+");
const QString KHaken = QStringLiteral("Haken+");

class TFotoTour : public QObject {
 public:
  TFotoTour(QString AOrdner, std::vector<TFotoSchritt> ASchritte)
      : QObject(qApp), FOrdner(std::move(AOrdner)), FSchritte(std::move(ASchritte)) {
    QDir().mkpath(FOrdner);
    connect(&FUhr, &QTimer::timeout, this, [this] { Pruefen(); });
    FUhr.start(100);
    FWarten.start();
  }

 private:
  // AOben stands over AUnten: a visible window placed over it.
  static bool Ueber(const QWidget* AOben, const QWidget* AUnten) {
    const QWindow* Oben = AOben->windowHandle();
    return AOben != AUnten && AOben->isVisible() && Oben && AUnten->windowHandle() &&
           Oben->transientParent() == AUnten->windowHandle();
  }

  QWidget* Vorne(const QString& AName) const {
    QWidget* Modal = QApplication::activeModalWidget();
    const QWidgetList Fenster = QApplication::topLevelWidgets();
    for (QWidget* W : Fenster) {
      if (!W->isVisible() || W->objectName() != AName) continue;
      if (Modal && Modal != W && !Ueber(W, Modal)) continue;
      if (std::any_of(Fenster.begin(), Fenster.end(), [W](const QWidget* X) { return Ueber(X, W); })) continue;
      if (Working(W)) continue;  // a command of it still runs: its buttons would do nothing
      return W;
    }
    return nullptr;
  }

  // A key pressed in the window, where its focus is.
  static void TasteDruecken(QWidget* AFenster, const QKeySequence& ATaste) {
    QWidget* Ziel = AFenster->focusWidget() ? AFenster->focusWidget() : AFenster;
    const QKeyCombination K = ATaste[0];
    QKeyEvent Druck(QEvent::KeyPress, K.key(), K.keyboardModifiers());
    QKeyEvent Los(QEvent::KeyRelease, K.key(), K.keyboardModifiers());
    QApplication::sendEvent(Ziel, &Druck);
    QApplication::sendEvent(Ziel, &Los);
  }

  // "NAME=WERT" of a Text+ or Haken+ step: what the user would type or tick.
  static bool Eingeben(QWidget* AFenster, const QString& AArt, const QString& AAngabe) {
    const QString Name = AAngabe.section(QLatin1Char('='), 0, 0);
    const QString Wert = AAngabe.section(QLatin1Char('='), 1);
    QWidget* Feld = AFenster->findChild<QWidget*>(Name);
    if (!Feld) return false;
    if (AArt == KText) {
      auto* Zeile = qobject_cast<QLineEdit*>(Feld);
      if (!Zeile) Zeile = Feld->findChild<QLineEdit*>();
      if (!Zeile) return false;
      Zeile->setText(Wert);
      return true;
    }
    auto* Liste = qobject_cast<QListWidget*>(Feld);
    const auto Treffer = Liste ? Liste->findItems(Wert, Qt::MatchExactly) : QList<QListWidgetItem*>{};
    if (Treffer.isEmpty()) return false;
    Treffer.front()->setCheckState(Qt::Checked);
    Liste->setCurrentItem(Treffer.front());
    return true;
  }

  QAbstractButton* Knopf(QWidget* AFenster, const QString& AName) const {
    if (auto* K = AFenster->findChild<QAbstractButton*>(AName)) return K;
    for (auto* K : AFenster->findChildren<QAbstractButton*>())
      if (K->text().remove(QLatin1Char('&')) == AName) return K;
    return nullptr;
  }

  void Pruefen() {
    if (FSchritt >= FSchritte.size()) {
      FUhr.stop();
      return;
    }
    const TFotoSchritt& S = FSchritte[FSchritt];
    QWidget* Fenster = Vorne(S.Fenster);
    if (!Fenster) {
      FVorneSeit.invalidate();
      if (FWarten.elapsed() > KHoechstensMs) {
        std::cerr << "invanf: Das Fenster " << S.Fenster.toStdString() << " ist nicht erschienen.\n";
        QCoreApplication::exit(3);
      }
      return;
    }
    if (!FVorneSeit.isValid()) FVorneSeit.start();
    if (FVorneSeit.elapsed() < KRuheMs) return;

    const QString Name = S.Bild.isEmpty() ? QStringLiteral("%1-%2").arg(FSchritt + 1, 2, 10, QLatin1Char('0')).arg(S.Fenster)
                                          : S.Bild;
    if (Name != QLatin1String("-")) {
      const QString Pfad = QDir(FOrdner).filePath(Name + QStringLiteral(".png"));
      if (Fenster->grab().save(Pfad))
        std::cout << Pfad.toStdString() << std::endl;
      else
        std::cerr << "invanf: Das Bild " << Pfad.toStdString() << " lässt sich nicht speichern.\n";
    }
    ++FSchritt;
    FVorneSeit.invalidate();
    FWarten.start();
    if (S.Knopf.startsWith(KTaste)) {
      // Queued as a button is: the key may start a command that runs long.
      const QKeySequence Taste(S.Knopf.mid(KTaste.size()));
      QPointer<QWidget> Ziel(Fenster);
      QTimer::singleShot(0, Fenster, [Ziel, Taste] {
        if (Ziel) TasteDruecken(Ziel, Taste);
      });
    } else if (S.Knopf.startsWith(KText) || S.Knopf.startsWith(KHaken)) {
      const QString Art = S.Knopf.startsWith(KText) ? KText : KHaken;
      if (!Eingeben(Fenster, Art, S.Knopf.mid(Art.size()))) {
        std::cerr << "invanf: Im Fenster " << S.Fenster.toStdString() << " gibt es kein Feld für "
                  << S.Knopf.toStdString() << ".\n";
        QCoreApplication::exit(3);
      }
    } else if (QAbstractButton* K = S.Knopf.isEmpty() ? nullptr : Knopf(Fenster, S.Knopf)) {
      // Queued: a button that opens a modal window must not run inside this timer.
      QMetaObject::invokeMethod(K, &QAbstractButton::click, Qt::QueuedConnection);
    } else if (QAction* A = S.Knopf.isEmpty() ? nullptr : Fenster->findChild<QAction*>(S.Knopf)) {
      // A menu entry without a button, as the user picks it from the menu.
      QMetaObject::invokeMethod(A, &QAction::trigger, Qt::QueuedConnection);
    } else if (!S.Knopf.isEmpty()) {
      std::cerr << "invanf: Im Fenster " << S.Fenster.toStdString() << " gibt es den Knopf "
                << S.Knopf.toStdString() << " nicht.\n";
      QCoreApplication::exit(3);
    }
  }

  QString FOrdner;
  std::vector<TFotoSchritt> FSchritte;
  std::size_t FSchritt = 0;
  QTimer FUhr;
  QElapsedTimer FWarten;
  QElapsedTimer FVorneSeit;
};

}  // namespace

void InvAnfFotosInstallieren() {
  const auto Ordner = KWDSetting("WWS_FOTOS");
  if (!Ordner || Ordner->empty()) return;
  std::vector<TFotoSchritt> Schritte;
  const QString Tour = QString::fromStdString(KWDSettingOr("WWS_FOTOS_TOUR", ""));
  for (const QString& Teil : Tour.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    const QStringList Felder = Teil.trimmed().split(QLatin1Char(':'));
    Schritte.push_back({Felder.value(0), Felder.value(1), Felder.value(2)});
  }
  new TFotoTour(QString::fromStdString(*Ordner), std::move(Schritte));
}
