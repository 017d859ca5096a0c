#pragma once
// Keys of buttons and menu entries, shown in their hints as the suite does:
// "Neuanlage einer Inventuranforderung (F3)".
//
// One key, one owner: where a button and a menu entry run the same command,
// bind the key to the menu's action and let the button trigger the action
// (KWDAktionVerbinden); two owners of one key would cancel each other out.
#include <QKeySequence>
#include <QString>

class QAbstractButton;
class QAction;

// The key in German, as a hint names it: "F3", "Umschalt+F5", "Strg+A",
// "Enter", "Esc", "Einfg".
QString KWDTastenText(const QKeySequence& ATaste);

// The hint with the key in brackets; the key alone without a hint.
QString KWDHintMitTaste(const QString& AHint, const QKeySequence& ATaste);

// Binds ATaste to the button (pressing it clicks the button, while its window
// is active) and sets the hint. Enter also makes a push button the dialog's
// default button, so the keypad's Enter works too.
void KWDTasteBinden(QAbstractButton* AButton, const QKeySequence& ATaste, const QString& AHint = {});
// The same for a menu entry; the menu shows the key beside the entry.
void KWDTasteBinden(QAction* AAktion, const QKeySequence& ATaste, const QString& AHint = {});

// The button triggers AAktion, follows its enabled state and shows its hint.
void KWDAktionVerbinden(QAbstractButton* AButton, QAction* AAktion);
