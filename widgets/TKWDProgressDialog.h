#pragma once
// The progress window the engine drives (TQLX_PEP_Progress_SetPos): caption,
// detail line, a bar in normal or marquee (busy) style, and named counter
// lines such as ("ArtikelNr", "Artikelnummer: ").
//
// Every setter keeps its value at once (Pos(), Max(), Style() read it back)
// and shows it within KAbstandMs: the window is brought up to date and
// repainted at most every KAbstandMs, and a change inside that time is shown
// by a timer when the event loop runs next, so the last value is never lost.
// The engine may call it hundreds of thousands of times; it stays cheap.
// While values arrive, the pending events of every window run at least
// every 20 ms (each repaint runs them too): the windows answer the user
// while the work goes on, and the work bracket keeps that input from
// starting a second command. The window takes no focus from the window the
// user works in, and hands it back should the window system have given it.
//
// ProgressShow(false) shows it without blocking other windows: commands are
// kept apart by the work bracket, and the user can still move and scroll the
// windows below. ProgressShow(true) blocks input to the other windows until
// ProgressHide. The user cannot close it (no close box, Esc does nothing).
//
// AOwner only places the window over its owner; it is NOT its Qt parent, so
// whoever holds the window (the engine's unique_ptr, a form's member) owns it.
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <vector>

#include "support/framework/TQLX_PEP_Progress_SetPos.h"

class QLabel;
class QProgressBar;
class QFormLayout;

class TKWDProgressDialog : public QDialog, public TQLX_PEP_Progress_SetPos {
  Q_OBJECT
 public:
  static constexpr int KAbstandMs = 40;

  explicit TKWDProgressDialog(QWidget* AOwner = nullptr);
  ~TKWDProgressDialog() override;

  void ProgressShow(bool AModal) override;
  void ProgressHide() override;

  // Shows every pending change now (tests, and before a long step without calls).
  void Zeichnen();

 protected:
  void Geaendert() override;
  void reject() override {}
  void closeEvent(QCloseEvent* AEvent) override;

 private:
  void Platzieren();
  QWidget* FOwner;
  QPointer<QWidget> FVorher;  // the active window when it was shown
  QLabel* FCaption;
  QLabel* FDetail;
  QProgressBar* FBalken;
  QFormLayout* FZaehlerLayout;
  std::vector<std::pair<QLabel*, QLabel*>> FZaehlerLabels;
  QElapsedTimer FLetztesZeichnen;
  QTimer FNachzug;
};
