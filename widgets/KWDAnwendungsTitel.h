#pragma once
// The application title ("Inventuranforderungen"), shown where the program
// speaks for itself: message boxes, the progress window, the version dialog.
// Kept apart from Qt's applicationDisplayName, which the window system would
// append to every form's caption ("Inventuren - demo — Inventuranforderungen").
#include <QString>

void KWDAnwendungsTitelSetzen(const QString& ATitel);
// The title set; without one Qt's applicationDisplayName (empty when unset).
QString KWDAnwendungsTitel();
