#pragma once
// The layout of the suite's dialogs: the title panel across the top, the
// content below it with the form margin, the buttons in a row at the bottom
// (some at the left edge, the closing ones at the right).
#include <vector>

class QLayout;
class QWidget;

inline constexpr int KKWDFormRand = 12;

// Gives AForm its layout; AInhalt gets the form margin at the sides.
void KWDFormLayout(QWidget* AForm, QWidget* ATitel, QLayout* AInhalt, const std::vector<QWidget*>& AKnoepfeLinks,
                   const std::vector<QWidget*>& AKnoepfeRechts);
