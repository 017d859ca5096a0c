// The program block: rights refused, an error while the forms are created,
// a company that cannot be opened, no display, and the real program driven
// from its start dialog to the main window and back.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <fstream>
#include <optional>

#include "app/InvAnfProgramm.h"
#include "widgets/KWDAnwendungsTitel.h"
#include "support/framework/TKWDInfo.h"
#include "support/framework/TQLX_PEP_Progress_SetPos.h"
#include "support/services/UserRechte.h"
#include "tests/app/AppTestUmgebung.h"
#include "tests/tools/KindProzess.h"

using namespace std::chrono_literals;

namespace {

using Texte = std::vector<std::string>;

// Removes an environment variable for the scope.
class TUmgebungOhne {
 public:
  explicit TUmgebungOhne(const char* AName) : FName(AName) {
    if (const char* Alt = std::getenv(AName)) FAlt = Alt;
    ::unsetenv(AName);
  }
  ~TUmgebungOhne() {
    if (FAlt) ::setenv(FName.c_str(), FAlt->c_str(), 1);
  }

 private:
  std::string FName;
  std::optional<std::string> FAlt;
};

class TInvAnfProgrammTest : public TAppTest {
 protected:
  void TearDown() override {
    InvAnfFormulareFreigeben();
    TAppTest::TearDown();
  }
  // Runs the message loop at most AMs long; the loop must end earlier.
  int Schleife(const TInvAnfStart& AStart, int AMs, qint64& ADauer) {
    bool Abgebrochen = false;
    QTimer Notbremse;
    Notbremse.setSingleShot(true);
    QObject::connect(&Notbremse, &QTimer::timeout, [&] {
      Abgebrochen = true;
      QCoreApplication::exit(99);
    });
    Notbremse.start(AMs);
    QElapsedTimer Uhr;
    Uhr.start();
    const int Ergebnis = InvAnfAusfuehren(AStart);
    ADauer = Uhr.elapsed();
    EXPECT_FALSE(Abgebrochen) << "the message loop did not end by itself";
    return Ergebnis;
  }
};

}  // namespace

TEST_P(TInvAnfProgrammTest, AUserWithoutTheRightIsToldOnceTheFormsAreStillCreatedAndTheLoopEndsAtOnce) {
  TUmgebungsWert Benutzer("WWS_USER", "aushilfe");
  RechtSetzen("aushilfe", wpfInventuranforderungen, false);
  // Qt's display name would be appended to every caption by the window system.
  const QString Anzeige = QGuiApplication::applicationDisplayName();
  QGuiApplication::setApplicationDisplayName({});
  const TInvAnfStart Start = InvAnfStarten();
  EXPECT_TRUE(QGuiApplication::applicationDisplayName().isEmpty()) << "set by the program block";
  EXPECT_EQ(KWDAnwendungsTitel(), QString("Inventuranforderungen"));
  QGuiApplication::setApplicationDisplayName(Anzeige);
  EXPECT_TRUE(Start.FirmaOffen);
  EXPECT_TRUE(Start.EndeAngefordert);
  EXPECT_EQ(Start.Formulare, InvAnfFormularKlassen());
  EXPECT_EQ(Start.Formulare, (Texte{"TFrmIAStart", "TFrmInvAnfConfig", "TFrmIAMain", "TFrmIANeu", "TfrmIALOptions"}));
  ASSERT_NE(FrmIAStart, nullptr);
  ASSERT_NE(FrmIAMain, nullptr);
  ASSERT_EQ(Gezeigt(), (Texte{"STANDARD 997"}));
  const std::string Text = (*FMeldungen)->Gezeigt()[0].Text;
  EXPECT_NE(Text.find("aushilfe"), std::string::npos) << Text;
  EXPECT_NE(Text.find("Inventuranforderungen"), std::string::npos) << Text;

  qint64 Dauer = 0;
  EXPECT_EQ(Schleife(Start, 3000, Dauer), 2);
  EXPECT_LT(Dauer, 1000);
  EXPECT_FALSE(FrmIAStart->isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  InvAnfFormulareFreigeben();
  EXPECT_EQ(FrmIAStart, nullptr);
  EXPECT_EQ(FrmIAMain, nullptr);
}

TEST_P(TInvAnfProgrammTest, AnErrorWhileTheMainWindowIsCreatedStopsTheStartUpAndTheStartDialogStillShows) {
  // The main window's engine cannot get its progress window.
  const TKWDProgressFabrik Alt = KWDProgressFabrikSet([](void*) -> std::unique_ptr<TQLX_PEP_Progress_SetPos> {
    throw std::runtime_error("Kein Fortschrittsfenster");
  });
  const TInvAnfStart Start = InvAnfStarten();
  KWDProgressFabrikSet(Alt);

  // Created up to the main window, nothing after it.
  const Texte Alle = InvAnfFormularKlassen();
  const auto Haupt = std::find(Alle.begin(), Alle.end(), "TFrmIAMain");
  ASSERT_NE(Haupt, Alle.end());
  EXPECT_EQ(Start.Formulare, Texte(Alle.begin(), Haupt + 1));
  EXPECT_FALSE(Start.EndeAngefordert);
  // Shown once when registered; raised at the check, so nothing is pending.
  ASSERT_EQ(Gezeigt(), (Texte{"FEHLER 0"}));
  EXPECT_NE((*FMeldungen)->Gezeigt()[0].Text.find("Kein Fortschrittsfenster"), std::string::npos);
  EXPECT_TRUE(KWDInfo().Anstehend().empty());
  std::ifstream Log(FLog);
  const std::string Inhalt((std::istreambuf_iterator<char>(Log)), std::istreambuf_iterator<char>());
  EXPECT_NE(Inhalt.find("INVANF.ShowException"), std::string::npos);

  // The loop shows the start dialog; closing it ends the program.
  bool Gesehen = false;
  QTimer::singleShot(50, [&] {
    Gesehen = FrmIAStart && FrmIAStart->isVisible();
    if (FrmIAStart) Kind<QPushButton>(FrmIAStart, "BtnEnde")->click();
  });
  qint64 Dauer = 0;
  EXPECT_EQ(Schleife(Start, 10000, Dauer), 0);
  EXPECT_TRUE(Gesehen);
}

TEST_P(TInvAnfProgrammTest, TheProgramEndsByItselfForAUserWithoutTheRight) {
  RechtSetzen("aushilfe", wpfInventur, false);
  TUmgebungsWert Benutzer("WWS_USER", "aushilfe");
  TUmgebungsWert Antwort("WWS_ANTWORT", "nein");
  TKindProzess Kind(INVANF_PFAD, {});
  const auto Ende = Kind.Warten(60s);
  ASSERT_TRUE(Ende) << "invanf did not end by itself";
  EXPECT_EQ(Ende->Exit, 2);
  EXPECT_NE(Ende->Err.find("aushilfe"), std::string::npos) << Ende->Err;
  EXPECT_NE(Ende->Err.find("Inventur"), std::string::npos) << Ende->Err;
  EXPECT_TRUE(Ende->Aus.empty()) << Ende->Aus;
}

TEST_P(TInvAnfProgrammTest, TheRealProgramGoesFromTheStartDialogToTheMainWindowAndBackToItsEnd) {
  Firma().Anforderung(D(2025, 3, 1), "1", 1, D(2025, 1, 1), 'A');
  TTempOrdner Bilder;
  TUmgebungsWert Heute("WWS_TODAY", "2025-02-15");
  TUmgebungsWert Antwort("WWS_ANTWORT", "ja");  // the close question 1018, headless
  TUmgebungsWert Fotos("WWS_FOTOS", Bilder.Pfad().string());
  TUmgebungsWert Tour("WWS_FOTOS_TOUR", "FrmIAStart:BtnOk,FrmIAMain:btnEnde:haupt,FrmIAStart:Beenden:ende");
  TKindProzess Kind(INVANF_PFAD, {});
  const auto Ende = Kind.Warten(60s);
  ASSERT_TRUE(Ende) << "invanf did not end";
  EXPECT_EQ(Ende->Exit, 0) << Ende->Err;
  for (const char* Bild : {"01-FrmIAStart.png", "haupt.png", "ende.png"}) {
    const QFileInfo Datei(QDir(QString::fromStdString(Bilder.Pfad().string())).filePath(Bild));
    EXPECT_TRUE(Datei.exists() && Datei.size() > 1000) << Bild;
    EXPECT_NE(Ende->Aus.find(Bild), std::string::npos) << Ende->Aus;
  }
  // Closing the main window over a requested request asked first.
  EXPECT_NE(Ende->Err.find("1018"), std::string::npos) << Ende->Err;
}

WWS_SUITE_BACKENDS(TInvAnfProgrammTest);

TEST(InvAnfProgrammOhneFirma, ACompanyThatCannotBeOpenedIsNamedAndTheProgramEnds) {
  TTempOrdner Ordner;
  TUmgebungsWert Db("WWS_DB", (Ordner.Pfad() / "fehlt" / "firma.db").string());
  TUmgebungsWert Log("WWS_LOG", (Ordner.Pfad() / "wws.log").string());
  TUmgebungsWert Antwort("WWS_ANTWORT", "nein");
  const TKindErgebnis Ende = KindAusfuehren(INVANF_PFAD, {});
  EXPECT_EQ(Ende.Exit, 1);
  EXPECT_NE(Ende.Err.find("gibt es nicht"), std::string::npos) << Ende.Err;
  EXPECT_NE(Ende.Err.find("firma.db"), std::string::npos) << Ende.Err;
}

TEST(InvAnfProgrammOhneFirma, WithoutADisplayTheProgramSaysSoInOneLine) {
  TUmgebungOhne Display("DISPLAY"), Wayland("WAYLAND_DISPLAY"), Plattform("QT_QPA_PLATFORM");
  const TKindErgebnis Ende = KindAusfuehren(INVANF_PFAD, {});
  EXPECT_EQ(Ende.Exit, 1);
  EXPECT_NE(Ende.Err.find("keine grafische Anzeige"), std::string::npos) << Ende.Err;
  EXPECT_EQ(std::count(Ende.Err.begin(), Ende.Err.end(), '\n'), 1) << Ende.Err;
}

TEST(InvAnfProgrammOhneFirma, HelpAndVersionNeedNoDisplayAndAnUnknownOptionEndsWithTwo) {
  TUmgebungOhne Display("DISPLAY"), Wayland("WAYLAND_DISPLAY"), Plattform("QT_QPA_PLATFORM");
  struct TFall {
    std::vector<std::string> Argumente;
    int Exit;
    std::string Aus, Err;
  };
  for (const TFall& F : std::vector<TFall>{{{"--help"}, 0, "Optionen:", ""},
                                           {{"--version"}, 0, "invanf (Inventuranforderungen) ", ""},
                                           {{"--kaputt"}, 2, "", "Unbekannte Option"}}) {
    const TKindErgebnis Ende = KindAusfuehren(INVANF_PFAD, F.Argumente);
    EXPECT_EQ(Ende.Exit, F.Exit) << F.Argumente[0] << ": " << Ende.Err;
    EXPECT_NE(Ende.Aus.find(F.Aus), std::string::npos) << Ende.Aus;
    EXPECT_NE(Ende.Err.find(F.Err), std::string::npos) << Ende.Err;
  }
}
