#include "widgets/KWDAnwendungsTitel.h"
#include "widgets/TKWDQtPresenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "widgets/KWDWidgets.h"
#include "support/framework/KWDSettings.h"

namespace {

struct TKnopf {
  const char* Text;
  int Ergebnis;
};

std::vector<TKnopf> Knoepfe(int AArt) {
  switch (AArt & 0x0F) {
    case 1: return {{"OK", KWD_MR_OK}, {"&Abbrechen", KWD_MR_CANCEL}};
    case 2: return {{"&Beenden", 3}, {"&Wiederholen", 4}, {"&Ignorieren", 5}};
    case 3: return {{"&Ja", KWD_MR_YES}, {"&Nein", KWD_MR_NO}, {"&Abbrechen", KWD_MR_CANCEL}};
    case 4: return {{"&Ja", KWD_MR_YES}, {"&Nein", KWD_MR_NO}};
    case 5: return {{"&Wiederholen", 4}, {"&Abbrechen", KWD_MR_CANCEL}};
    default: return {{"OK", KWD_MR_OK}};
  }
}

QMessageBox::Icon Bild(const TKWDMeldung& AMeldung) {
  if (AMeldung.Gruppe == "FEHLER") return QMessageBox::Critical;
  switch (AMeldung.Art & 0xF0) {
    case 0x10: return QMessageBox::Critical;
    case 0x20: return QMessageBox::Question;
    case 0x30: return QMessageBox::Warning;
    case 0x40: return QMessageBox::Information;
    default: return Knoepfe(AMeldung.Art).size() > 1 ? QMessageBox::Question : QMessageBox::Information;
  }
}

QMessageBox::ButtonRole Rolle(int AErgebnis) {
  switch (AErgebnis) {
    case KWD_MR_YES: return QMessageBox::YesRole;
    case KWD_MR_NO: return QMessageBox::NoRole;
    case KWD_MR_CANCEL: return QMessageBox::RejectRole;
    default: return QMessageBox::AcceptRole;
  }
}

// The text as the catalogue has it; its Windows line ends become line ends.
QString Text(const std::string& AText) {
  QString T = QString::fromStdString(AText);
  T.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  T.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return T;
}

}  // namespace

int TKWDQtPresenter::Zeigen(const TKWDMeldung& AMeldung) {
  if (KWDSetting("WWS_ANTWORT") || !qobject_cast<QApplication*>(QCoreApplication::instance()))
    return TKWDStderrPresenter().Zeigen(AMeldung);

  QMessageBox Box(KWDOwnerWidget(AMeldung.Owner));
  Box.setObjectName(QStringLiteral("KWDMeldung"));
  Box.setWindowTitle(KWDAnwendungsTitel());
  Box.setTextFormat(Qt::PlainText);
  Box.setText(Text(AMeldung.Text));
  // A fault's technical side stays behind the box's details button.
  if (!AMeldung.Details.empty()) Box.setDetailedText(Text(AMeldung.Details));
  Box.setIcon(Bild(AMeldung));
  const std::vector<TKnopf> Liste = Knoepfe(AMeldung.Art);
  std::vector<std::pair<QPushButton*, int>> Ergebnisse;
  QPushButton* Abbruch = nullptr;
  for (const TKnopf& K : Liste) {
    QPushButton* Knopf = Box.addButton(QString::fromUtf8(K.Text), Rolle(K.Ergebnis));
    Ergebnisse.emplace_back(Knopf, K.Ergebnis);
    if (K.Ergebnis == KWD_MR_CANCEL || (K.Ergebnis == KWD_MR_NO && !Abbruch)) Abbruch = Knopf;
  }
  QPushButton* Standard = Ergebnisse.front().first;
  for (const auto& [Knopf, Ergebnis] : Ergebnisse)
    if (Ergebnis == AMeldung.Standard) Standard = Knopf;
  Box.setDefaultButton(Standard);
  Box.setEscapeButton(Abbruch ? Abbruch : Ergebnisse.back().first);
  Box.exec();
  for (const auto& [Knopf, Ergebnis] : Ergebnisse)
    if (Box.clickedButton() == Knopf) return Ergebnis;
  return Liste.size() == 1 ? Liste.front().Ergebnis : KWD_MR_CANCEL;
}
