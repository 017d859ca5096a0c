#pragma once
// Helpers for the GUI tests: answering modal windows from a timer, a
// temporary folder for the stored form settings.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

// Runs AAktion on the next modal window of type T once it is open (polled
// every 5 ms from the event loop that exec() runs).
template <class T>
void BeimModalFenster(std::function<void(T*)> AAktion) {
  auto* Uhr = new QTimer;
  Uhr->setInterval(5);
  QObject::connect(Uhr, &QTimer::timeout, [Uhr, AAktion] {
    if (auto* Fenster = qobject_cast<T*>(QApplication::activeModalWidget()); Fenster && Fenster->isVisible()) {
      Uhr->stop();
      Uhr->deleteLater();
      AAktion(Fenster);
    }
  });
  Uhr->start();
}

// The button of a message box with the caption AText, nullptr when none.
inline QAbstractButton* Knopf(QMessageBox* ABox, const QString& AText) {
  for (QAbstractButton* K : ABox->buttons())
    if (K->text() == AText) return K;
  return nullptr;
}
