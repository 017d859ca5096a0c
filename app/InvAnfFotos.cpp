#include "app/InvAnfFotos.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <iostream>

#include "support/framework/KWDSettings.h"

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
  QWidget* Vorne(const QString& AName) const {
    QWidget* Modal = QApplication::activeModalWidget();
    for (QWidget* W : QApplication::topLevelWidgets())
      if (W->isVisible() && W->objectName() == AName && (!Modal || Modal == W)) return W;
    return nullptr;
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
    const QString Pfad = QDir(FOrdner).filePath(Name + QStringLiteral(".png"));
    if (Fenster->grab().save(Pfad))
      std::cout << Pfad.toStdString() << std::endl;
    else
      std::cerr << "invanf: Das Bild " << Pfad.toStdString() << " lässt sich nicht speichern.\n";
    ++FSchritt;
    FVorneSeit.invalidate();
    FWarten.start();
    if (QAbstractButton* K = S.Knopf.isEmpty() ? nullptr : Knopf(Fenster, S.Knopf)) {
      // Queued: a button that opens a modal window must not run inside this timer.
      QMetaObject::invokeMethod(K, &QAbstractButton::click, Qt::QueuedConnection);
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
