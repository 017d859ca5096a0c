#pragma once
// A push button with a picture before its caption, as the suite's dialogs
// use for OK, Beenden and search buttons. Bind its key with KWDTasteBinden.
#include <QPushButton>
#include <QStyle>

class TKWDGlyphButton : public QPushButton {
  Q_OBJECT
 public:
  // AGlyph: one of the style's standard pictures (OK, cancel, search ...).
  TKWDGlyphButton(const QString& ACaption, QStyle::StandardPixmap AGlyph, QWidget* AParent = nullptr);
  TKWDGlyphButton(const QString& ACaption, const QIcon& AGlyph, QWidget* AParent = nullptr);
};
