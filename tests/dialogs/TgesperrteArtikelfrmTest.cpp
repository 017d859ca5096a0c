// The locked-articles list: no window without messages, one row per message
// in the order given, the columns as the suite shows them, and a lock another
// program really holds.
#include <gtest/gtest.h>
#include <signal.h>

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>

#include "dialogs/TgesperrteArtikelfrm.h"
#include "widgets/TKWDTitelPanel.h"
#include "widgets/TVTKWDVRList.h"
#include "support/services/TCommonLock.h"
#include "tests/dialogs/DialogTestUmgebung.h"
#include "tests/widgets/WidgetTestHilfe.h"
#include "tests/tools/KindProzess.h"

namespace {

using namespace std::chrono_literals;

const std::string KText =
    "Es konnten nicht alle Inventuren vollständig angefordert werden, da folgende Artikel gesperrt waren. Bitte geben "
    "Sie diese Artikel frei. Im Anschluss kann eine neue Vervollständigung gestartet werden.";

TQLX_clMeldung Meldung(const std::string& AArtikel, TDateTime ASeit, const std::string& AProgramm, int32_t APid) {
  TQLX_clMeldung M;
  M.Artikel = AArtikel;
  M.GesperrtSeit = ASeit;
  M.Programm = AProgramm;
  M.ProzessId = APid;
  M.Terminal = "kasse-" + std::to_string(APid % 10);
  M.TerminalNr = std::to_string(APid % 10);
  M.Benutzer = "verkauf";
  return M;
}

// The rows of the shown list, one text per row: every column's shown text, separated by "|".
std::vector<std::string> Zeilen(TgesperrteArtikelfrm* AForm) {
  std::vector<std::string> Texte;
  auto* Sicht = Kind<TVTKWDVRList>(AForm, "vrGesperrteArtikel");
  TVRList* Liste = Sicht->VRList();
  for (TVRNode N = Sicht->GetFirst(); N; N = Sicht->GetNext(N)) {
    std::string Zeile;
    for (int S = 0; S < Liste->ColumnCount(); ++S) Zeile += (S ? "|" : "") + Liste->AnzeigeText(N, S).toStdString();
    Texte.push_back(Zeile);
  }
  return Texte;
}

class TgesperrteArtikelfrmTest : public TDialogTest {};

TEST_P(TgesperrteArtikelfrmTest, NoMessagesNoWindow) {
  int Fenster = 0;
  auto Uhr = BeimModalFenster<QDialog>([&](QDialog* AFenster) {
    ++Fenster;
    AFenster->reject();
  });
  TgesperrteArtikelfrm::Execute({}, KText);
  QTest::qWait(30);
  EXPECT_EQ(Fenster, 0);
  for (QWidget* W : QApplication::topLevelWidgets()) EXPECT_NE(W->objectName(), QString("gesperrteArtikelfrm"));
}

TEST_P(TgesperrteArtikelfrmTest, EveryMessageIsARowInTheGivenOrder) {
  const TDateTime Seit = D(2026, 12, 15) + EncodeTime(14, 5, 9);
  const std::vector<TQLX_clMeldung> Meldungen = {
      Meldung("4711", Seit, "Kasse", 3012), Meldung("0815", Seit - 1, "Wareneingang", 4410),
      Meldung("4711", Seit + EncodeTime(0, 1, 0), "Umlagerung", 512)};
  bool Gezeigt = false;
  auto Uhr = BeimModalFenster<TgesperrteArtikelfrm>([&](TgesperrteArtikelfrm* F) {
    Gezeigt = true;
    EXPECT_EQ(F->windowTitle(), QString("Gesperrte Artikel"));
    EXPECT_EQ(Kind<QLabel>(F, "LblTitel")->text(), QString("Liste gesperrter Artikel"));
    EXPECT_EQ(Kind<QLabel>(F, "lblDescriptoin")->text(), QString::fromStdString(KText));
    EXPECT_TRUE(Kind<QLabel>(F, "lblDescriptoin")->wordWrap());
    EXPECT_EQ(Kind<QLabel>(F, "lblDescriptoin")->textFormat(), Qt::PlainText);
    EXPECT_EQ(Kind<QPushButton>(F, "btnWeiter")->text(), QString("&Ok"));
    EXPECT_EQ(F->FormKey(), "gesperrteArtikelfrm");
    EXPECT_EQ(F->FormPosStoreMode(), fpsmPositionUndGroesse);

    auto* Sicht = Kind<TVTKWDVRList>(F, "vrGesperrteArtikel");
    TVRList* Liste = Sicht->VRList();
    ASSERT_NE(Liste, nullptr);
    ASSERT_EQ(Liste->ColumnCount(), 6);
    const std::vector<std::pair<std::string, TVRValueType>> Spalten = {
        {"Artikel", vrtText},     {"gesperrt seit", vrtDateTime}, {"Programm", vrtText},
        {"Terminal", vrtText},    {"TerminalNr", vrtText},        {"Prozess-ID", vrtInteger}};
    for (int S = 0; S < 6; ++S) {
      EXPECT_EQ(Liste->Column(S).Caption, Spalten[static_cast<size_t>(S)].first);
      EXPECT_EQ(Liste->Column(S).VRType, Spalten[static_cast<size_t>(S)].second);
      EXPECT_FALSE(Sicht->isColumnHidden(S));
    }
    for (int S : {0, 2, 3, 4}) EXPECT_EQ(Sicht->columnWidth(S), 120) << S;
    EXPECT_GE(Sicht->columnWidth(1), Sicht->fontMetrics().horizontalAdvance("15.12.2026 14:05:09"))
        << "the lock time is never cut off";
    EXPECT_GE(Sicht->columnWidth(5), 30);

    // Two messages of one article stay two rows; the order is the array's.
    EXPECT_EQ(Zeilen(F), (std::vector<std::string>{"4711|15.12.2026 14:05:09|Kasse|kasse-2|2|3012",
                                                   "0815|14.12.2026 14:05:09|Wareneingang|kasse-0|0|4410",
                                                   "4711|15.12.2026 14:06:09|Umlagerung|kasse-2|2|512"}));
    Aktivieren(F);
    QTest::keyClick(F, Qt::Key_Return);
    Schliessen(F);
  });
  TgesperrteArtikelfrm::Execute(Meldungen, KText);
  EXPECT_TRUE(Gezeigt);
  QSettings Orte(QString::fromStdString(KWDFormsFile()), QSettings::IniFormat);
  EXPECT_TRUE(Orte.contains("gesperrteArtikelfrm/Groesse")) << "place and size are kept";
}

TEST_P(TgesperrteArtikelfrmTest, LockHeldByAnotherProgramShowsItsHolder) {
  Heute(D(2026, 12, 15));
  Firma().Warengruppe("1", "Damen").Artikel(P(7, 1, 1), "1").ArtNr(P(7, 1, 1), D(2026, 1, 1), "4711");
  TKindProzess Halter(WWS_ADMIN_PFAD, {"locks", "hold", "4711", "--seconds", "60", "--program", "Kasse 3", "--db",
                                       FDb->Ort()});
  const auto Zeile = Halter.Zeile(20s);
  ASSERT_TRUE(Zeile && Zeile->rfind("GESPERRT", 0) == 0) << (Zeile ? *Zeile : "keine Ausgabe");

  TQLX_clMeldung M;
  ASSERT_FALSE(CommonLock().LockProdId(P(7, 1, 1), M, false));
  M.Artikel = "4711";
  bool Gezeigt = false;
  auto Uhr = BeimModalFenster<TgesperrteArtikelfrm>([&](TgesperrteArtikelfrm* F) {
    Gezeigt = true;
    auto* Sicht = Kind<TVTKWDVRList>(F, "vrGesperrteArtikel");
    const TVRNode N = Sicht->GetFirst();
    ASSERT_NE(N, nullptr);
    EXPECT_EQ(Sicht->GetText(N, TgesperrteArtikelfrm::spArtikel), "4711");
    EXPECT_EQ(Sicht->GetText(N, TgesperrteArtikelfrm::spProgramm), "Kasse 3");
    EXPECT_EQ(Sicht->GetInteger(N, TgesperrteArtikelfrm::spProzessId), Halter.Pid());
    EXPECT_GT(Sicht->GetDateTime(N, TgesperrteArtikelfrm::spGesperrtSeit), D(2020, 1, 1));
    Kind<QPushButton>(F, "btnWeiter")->click();
  });
  TgesperrteArtikelfrm::Execute({M}, KText);
  EXPECT_TRUE(Gezeigt);
  Halter.Signal(SIGTERM);
  EXPECT_TRUE(Halter.Warten(20s).has_value());
}

WWS_SUITE_BACKENDS(TgesperrteArtikelfrmTest);

}  // namespace
