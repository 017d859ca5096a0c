#include "widgets/KWDAnwendungsTitel.h"

#include <QGuiApplication>

namespace {
QString& Titel() {
  static QString GTitel;
  return GTitel;
}
}  // namespace

void KWDAnwendungsTitelSetzen(const QString& ATitel) { Titel() = ATitel; }

QString KWDAnwendungsTitel() { return Titel().isEmpty() ? QGuiApplication::applicationDisplayName() : Titel(); }
