#pragma once
// Helpers for the GUI tests: answering modal windows from a timer, a
// temporary folder for the stored form settings.
#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <memory>

// Runs AAktion on the next modal window of type T once it is open (polled
// every 5 ms from the event loop that exec() runs). Keep the returned timer
// for as long as the window may come; it stops when it goes out of scope.
template <class T>
[[nodiscard]] std::unique_ptr<QTimer> BeimModalFenster(std::function<void(T*)> AAktion) {
  auto Uhr = std::make_unique<QTimer>();
  Uhr->setInterval(5);
  QTimer* U = Uhr.get();
  QObject::connect(U, &QTimer::timeout, [U, AAktion] {
    if (auto* Fenster = dynamic_cast<T*>(QApplication::activeModalWidget()); Fenster && Fenster->isVisible()) {
      U->stop();
      AAktion(Fenster);
    }
  });
  Uhr->start();
  return Uhr;
}

// The button of a message box with the caption AText, nullptr when none.
inline QAbstractButton* Knopf(QMessageBox* ABox, const QString& AText) {
  for (QAbstractButton* K : ABox->buttons())
    if (K->text() == AText) return K;
  return nullptr;
}

// Counts the paint events of the widget it is installed on.
class TMalZaehler : public QObject {
 public:
  int Anzahl = 0;
  bool eventFilter(QObject*, QEvent* AEvent) override {
    if (AEvent->type() == QEvent::Paint) ++Anzahl;
    return false;
  }
};
