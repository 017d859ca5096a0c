#pragma once
// Helpers for the GUI tests: finding a form's controls by their names,
// answering modal windows from a timer, counting paint events.
#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <source_location>
#include <string>

// Where a missing control is reported: the GUI tests' main makes it a failure
// of the running test at the caller's line; without (benchmarks, the
// screenshot tool) the text goes to stderr.
inline void (*GKindFehltMelden)(const char* ADatei, int AZeile, const std::string& AText) = nullptr;

// Thrown for a missing control. Not a std::exception, so a form's guard does
// not take it for an error of its own and carry on.
struct TKindFehlt { std::string Text; };

// The control of type T named AName (the form's own control name) under
// AForm. One that is not there is reported with its name, and the test stops
// there: by TKindFehlt, or, inside a running event loop (a modal window's,
// which an exception would leave broken), by ending the program at once.
template <class T = QWidget>
T* Kind(const QObject* AForm, const QString& AName, std::source_location AOrt = std::source_location::current()) {
  if (T* K = AForm ? AForm->findChild<T*>(AName) : nullptr) return K;
  const std::string Text = std::string(T::staticMetaObject.className()) + " \"" + AName.toStdString() + "\" fehlt in " +
                           (AForm ? AForm->objectName().toStdString() : std::string("(keinem Fenster)"));
  if (GKindFehltMelden)
    GKindFehltMelden(AOrt.file_name(), static_cast<int>(AOrt.line()), Text);
  else
    std::fprintf(stderr, "%s:%u: %s\n", AOrt.file_name(), static_cast<unsigned>(AOrt.line()), Text.c_str());
  if (!GKindFehltMelden || QThread::currentThread()->loopLevel() > 0) {
    std::fflush(nullptr);
    std::_Exit(1);
  }
  throw TKindFehlt{Text};
}
template <class T = QWidget>
T* Kind(const QObject& AForm, const QString& AName, std::source_location AOrt = std::source_location::current()) {
  return Kind<T>(&AForm, AName, AOrt);
}

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
// The button captioned AText, its accelerator's "&" not counted.
inline QAbstractButton* Knopf(QMessageBox* ABox, const QString& AText) {
  for (QAbstractButton* K : ABox->buttons())
    if (QString(K->text()).remove(QLatin1Char('&')) == AText) return K;
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
