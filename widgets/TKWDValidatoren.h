#pragma once
// Entry fields that refuse what they cannot take, and say why.
//
// A validator of this kind refuses a keystroke or a paste that would make the
// field's text unacceptable (the field keeps what it had) and shows the reason
// as a hint under the field, in German, while the field has the focus; a text
// set by the program is never refused here (the form's own check speaks then).
// A text that may still become acceptable (a half-typed number or date) is
// let through: the form checks it when the user confirms.
#include <QValidator>
#include <optional>

class QWidget;

// Shows AText as a hint under AFeld (a tool tip that stays a few seconds).
void KWDEingabeHinweis(QWidget* AFeld, const QString& AText);

class TKWDHinweisValidator : public QValidator {
  Q_OBJECT
 public:
  using QValidator::QValidator;
  // The last reason given, for tests and assistive tools.
  const QString& LetzterHinweis() const { return FLetzterHinweis; }

 protected:
  // Returns Invalid after showing AGrund at the field this validator belongs to.
  State Ablehnen(const QString& AGrund) const;

 private:
  mutable QString FLetzterHinweis;
};

// At most AMaxZeichen characters of any kind; no half surrogate pair.
class TKWDLaengenValidator : public TKWDHinweisValidator {
  Q_OBJECT
 public:
  // AHinweis: what the user reads when a paste or keystroke would exceed it.
  TKWDLaengenValidator(int AMaxZeichen, const QString& AHinweis, QObject* AParent = nullptr);
  State validate(QString& AText, int& APos) const override;
  int MaxZeichen() const { return FMax; }

 private:
  int FMax;
  QString FHinweis;
};

// A number >= 0 with at most AVorkomma digits before and ANachkomma after the
// decimal comma ("999,99" for 3 and 2). The decimal point is taken as a comma
// too: the keypad gives one or the other depending on the keyboard.
class TKWDDezimalValidator : public TKWDHinweisValidator {
  Q_OBJECT
 public:
  TKWDDezimalValidator(int AVorkomma, int ANachkomma, QObject* AParent = nullptr);
  State validate(QString& AText, int& APos) const override;
  // The value of an acceptable text; nothing for anything else.
  std::optional<double> Wert(const QString& AText) const;
  // AWert as the field shows it: German form, no needless zeros ("33,33", "100").
  static QString Text(double AWert, int ANachkomma);

 private:
  int FVorkomma;
  int FNachkomma;
};
