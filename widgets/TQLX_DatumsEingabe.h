#pragma once
// The suite's date entry: a German date typed as TT.MM.JJJJ or picked from a
// calendar that drops down under the field (the arrow button, or Alt+Down).
// Optional buttons beside it step one day back or forward. Empty until the
// user or the program puts a date in; nothing is preset.
//
// Typing takes digits and points only (anything else is refused with a hint
// under the field); short forms are read as well: 1.2.26, 010226, 01022026.
// A complete date is shown as TT.MM.JJJJ when the field is left. A field that
// is not empty but holds no date (half-typed, 31.02.2026) is Ungueltig: the
// form tells the user when it reads the date, and the text stays as typed.
#include <QDate>
#include <QWidget>

#include "support/types/KWDDatum.h"

class QCalendarWidget;
class QFrame;
class QLineEdit;
class QToolButton;

// A suite date as a QDate (the time of day is dropped); an invalid QDate for
// 0 and for days outside 01.01.1900 .. 31.12.9999.
QDate KWDQDate(TDateTime ADatum);
// A QDate as a suite date; 0 for an invalid one.
TDate KWDDatumAusQDate(const QDate& ADatum);

enum class TQLX_DatumsZustand { Leer, Gueltig, Ungueltig };

class TQLX_DatumsEingabe : public QWidget {
  Q_OBJECT
 public:
  explicit TQLX_DatumsEingabe(QWidget* AParent = nullptr);
  // Parts first cut loose: destroying a focused entry makes its field emit
  // editingFinished, which must not reach this half-destroyed object.
  ~TQLX_DatumsEingabe() override;

  // The entered date (whole days); 0 when the field is empty or holds no date.
  TDateTime Date_Get() const;
  // Shows ADatum (its day); 0 empties the field.
  void Date_Set(TDateTime ADatum);
  TQLX_DatumsZustand Zustand() const;
  QString Text() const;

  // The previous/next-day buttons; shown unless switched off.
  void SetBtnPrevNextVisible(bool ASichtbar);
  bool BtnPrevNextVisible() const { return FPrevNext; }

  // Opens the calendar under the field, on the entered date or today.
  void KalenderOeffnen();
  // The calendar while it is open, else nullptr.
  QCalendarWidget* OffenerKalender() const;
  QLineEdit* Edit() const { return FEdit; }

  // Reads a typed date (TT.MM.JJJJ, T.M.JJ, TTMMJJ, TTMMJJJJ); a two-digit
  // year lies in 2000..2099. False for anything else or a day that does not exist.
  static bool DatumLesen(const QString& AText, QDate& ADatum);

 signals:
  // The date, or the field's state, changed (typing, calendar, buttons, program).
  void DatumGeaendert();

 protected:
  bool eventFilter(QObject* AObjekt, QEvent* AEvent) override;

 private:
  void Blaettern(int ATage);
  void Uebernehmen(const QDate& ADatum);
  void Formatieren();
  QLineEdit* FEdit;
  QToolButton* FKalenderKnopf;
  QToolButton* FPrev;
  QToolButton* FNext;
  QFrame* FPopup = nullptr;
  QCalendarWidget* FKalender = nullptr;
  bool FPrevNext = true;
};
