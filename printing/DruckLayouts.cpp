#include "printing/DruckLayouts.h"

#include <QDir>
#include <QFile>
#include <filesystem>
#include <stdexcept>

#include "support/framework/KWDDateiErsetzen.h"
#include "support/framework/KWDOrdner.h"

// The resources of a static library need an explicit init, outside any namespace.
static void DruckLayoutRessourcen() { Q_INIT_RESOURCE(layouts); }

namespace {
const QString KQuelle = QStringLiteral(":/druck/");

void RessourcenLaden() {
  static const bool Geladen = [] {
    DruckLayoutRessourcen();
    return true;
  }();
  (void)Geladen;
}
}  // namespace

std::vector<std::string> DruckLayoutsMitgeliefert() {
  RessourcenLaden();
  std::vector<std::string> Namen;
  for (const QString& Name : QDir(KQuelle).entryList(QDir::Files, QDir::Name)) Namen.push_back(Name.toStdString());
  return Namen;
}

int DruckLayoutsInstallieren() {
  int Geschrieben = 0;
  for (const std::string& Name : DruckLayoutsMitgeliefert()) {
    const std::string Ziel = GetDirWwsByName(KWD_ORDNER_LAYOUT, Name, true);
    std::error_code F;
    if (std::filesystem::exists(std::filesystem::symlink_status(Ziel, F))) continue;
    QFile Quelle(KQuelle + QString::fromStdString(Name));
    if (!Quelle.open(QIODevice::ReadOnly)) throw std::runtime_error("Das Layout " + Name + " fehlt im Programm.");
    const QByteArray Inhalt = Quelle.readAll();
    // Another program starting at the same time never reads half a layout.
    KWDDateiErsetzen(Ziel, Inhalt.toStdString());
    ++Geschrieben;
  }
  return Geschrieben;
}
