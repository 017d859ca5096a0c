#include "widgets/TKWDGlyphButton.h"

TKWDGlyphButton::TKWDGlyphButton(const QString& ACaption, QStyle::StandardPixmap AGlyph, QWidget* AParent)
    : TKWDGlyphButton(ACaption, QIcon(), AParent) {
  setIcon(style()->standardIcon(AGlyph, nullptr, this));
}

TKWDGlyphButton::TKWDGlyphButton(const QString& ACaption, const QIcon& AGlyph, QWidget* AParent)
    : QPushButton(AGlyph, ACaption, AParent) {
  setAutoDefault(false);
}
