#include "widgets/KWDWidgets.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLibraryInfo>
#include <QLocale>
#include <QThread>
#include <QTimer>
#include <QTranslator>
#include <QWidget>
#include <chrono>
#include <thread>

#include "widgets/TKWDProgressDialog.h"
#include "widgets/TKWDQtPresenter.h"
#include "support/framework/KWDPause.h"
#include "support/framework/TKWDInfo.h"
#include "support/framework/TQLX_PEP_Progress_SetPos.h"

namespace {

constexpr qint64 KMindestAbstandMs = 20;

// The message boxes' details button as the suite's manuals name it
// ("Details anzeigen"), not Qt's own German "einblenden".
class TDetailsKnopfText : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* AKontext, const char* AText, const char*, int) const override {
    if (qstrcmp(AKontext, "QMessageBox") != 0) return {};
    if (qstrcmp(AText, "Show Details...") == 0) return QStringLiteral("Details anzeigen ...");
    if (qstrcmp(AText, "Hide Details...") == 0) return QStringLiteral("Details ausblenden ...");
    return {};
  }
};

void DeutschFuerQt() {
  static bool Eingerichtet = false;
  if (Eingerichtet || !QCoreApplication::instance()) return;
  Eingerichtet = true;
  auto* U = new QTranslator(QCoreApplication::instance());
  if (U->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
              QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(U);
  else
    delete U;
  // Installed last, asked first: the details button's own words win.
  QCoreApplication::installTranslator(new TDetailsKnopfText(QCoreApplication::instance()));
}

}  // namespace

void KWDQtProcessMessages(int AMillisekunden) {
  QCoreApplication* App = QCoreApplication::instance();
  if (!App || QThread::currentThread() != App->thread()) return;
  static QElapsedTimer Letzte;
  if (AMillisekunden > 0 && Letzte.isValid() && Letzte.elapsed() < KMindestAbstandMs) return;
  Letzte.start();
  QCoreApplication::processEvents(QEventLoop::AllEvents, AMillisekunden > 0 ? AMillisekunden : 0);
}

void KWDQtPause(int AMillisekunden) {
  if (AMillisekunden <= 0) return;
  QCoreApplication* App = QCoreApplication::instance();
  if (!App || QThread::currentThread() != App->thread()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(AMillisekunden));
    return;
  }
  QEventLoop Schleife;
  QTimer::singleShot(AMillisekunden, Qt::PreciseTimer, &Schleife, &QEventLoop::quit);
  Schleife.exec();
}

QWidget* KWDOwnerWidget(void* AOwner) {
  if (AOwner) {
    // Only a pointer Qt knows as a live widget is used as a parent.
    for (QWidget* W : QApplication::allWidgets())
      if (static_cast<void*>(W) == AOwner) return W;
  }
  if (QWidget* Modal = QApplication::activeModalWidget()) return Modal;
  return QApplication::activeWindow();
}

void KWDWidgetsInstallieren() {
  KWDMeldungPresenterSet(std::make_shared<TKWDQtPresenter>());
  KWDProgressFabrikSet([](void* AOwner) -> std::unique_ptr<TQLX_PEP_Progress_SetPos> {
    return std::make_unique<TKWDProgressDialog>(AOwner ? KWDOwnerWidget(AOwner) : nullptr);
  });
  KWDInfoProcessMessagesHookSet(&KWDQtProcessMessages);
  KWDPauseSet(&KWDQtPause);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  DeutschFuerQt();
}

TKWDSanduhr::TKWDSanduhr() : FAn(QGuiApplication::instance() != nullptr) {
  if (FAn) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

TKWDSanduhr::~TKWDSanduhr() {
  if (FAn) QGuiApplication::restoreOverrideCursor();
}
