#pragma once
// Puts the desktop program's Qt implementations behind the framework's seams.
//
// KWDWidgetsInstallieren() (once, after the QApplication exists; tests call
// it too) installs:
//   - the message presenter TKWDQtPresenter (KWDInfo().ShowMeldung shows
//     message boxes; WWS_ANTWORT still answers headlessly);
//   - the progress factory: TQLX_PEP_Progress_SetPos::Create makes a
//     TKWDProgressDialog;
//   - the process-messages hook: KWDInfoProcessMessages runs Qt's pending
//     events (KWDQtProcessMessages);
//   - the pause between lock passes (KWDPause): KWDQtPause, during which the
//     windows go on repainting and answering;
//   - German for Qt's own texts (Debian's qtbase_de translation, where it is
//     installed) and German number formats for Qt's widgets (QLocale).
//
// The engine runs on the window thread. While it works, KWDInfoProcessMessages
// lets the windows repaint and take input; input that would start a second
// command is refused by the work bracket (WorkStartTry returns false while
// one is open), and a form does not close while a bracket it opened is open
// (TKWDForm::done). The list view ignores check-box clicks while any bracket
// is open.
class QWidget;

void KWDWidgetsInstallieren();

// Runs pending window events of the window thread: at most AMillisekunden
// long (0: what is pending now), never waiting for new ones. The engine asks
// for it per article; calls with a time within 20 ms of the last run return
// at once, so it never dominates the work. Does nothing on another thread.
void KWDQtProcessMessages(int AMillisekunden);

// Waits AMillisekunden on the window thread while its events run (an event
// loop of its own that ends when the time is up), so a window neither
// freezes nor lets a second command start (the work bracket refuses it).
// Elsewhere, or without an application, it simply sleeps. It ends early when
// the application quits.
void KWDQtPause(int AMillisekunden);

// The QWidget behind a framework owner pointer (a window passed as void*):
// AOwner when it is a live widget, else the active modal window, else the
// active window, else nullptr.
QWidget* KWDOwnerWidget(void* AOwner);

// Hourglass while a piece of work runs on the window thread; restored on
// every way out. Nothing without an application (invanf-cli).
class TKWDSanduhr {
 public:
  TKWDSanduhr();
  ~TKWDSanduhr();
  TKWDSanduhr(const TKWDSanduhr&) = delete;
  TKWDSanduhr& operator=(const TKWDSanduhr&) = delete;

 private:
  bool FAn;
};
