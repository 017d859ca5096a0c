#include "support/framework/TKWDInfo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <stdexcept>

#include "support/framework/KWDMeldungen.h"
#include "support/framework/TKWDSkriptPresenter.h"
#include "tests/support/framework/TestUmgebung.h"

namespace {
struct TInfoTest : ::testing::Test {
  TTestLog Log;
  TKWDSkriptPresenterScope Presenter;
  void SetUp() override { KWDInfo().FehlerTerminate("alle"); }
  void TearDown() override {
    KWDInfo().FehlerTerminate("alle");
    KWDMeldungQuelleSet({});
  }
};

std::string GeworfenerName(const std::string& AName) {
  try {
    KWDInfo().FehlerRaise(AName, 0);
  } catch (const EKWDFehler& E) {
    return E.Name() + ": " + E.what();
  }
  return "";
}
}  // namespace

TEST_F(TInfoTest, FehlerRaiseOfTheProgramSurfacesTheOldestErrorOnce) {
  EXPECT_EQ(GeworfenerName("invanf"), "");
  KWDInfo().RegisterException("TFrmIAMain.FormCreate", std::runtime_error("Tabelle fehlt"), true);
  KWDInfo().RegisterException("TFrmIANeu.FormCreate", std::runtime_error("später"), true);
  EXPECT_EQ(GeworfenerName("invanf"), "TFrmIAMain.FormCreate: Tabelle fehlt");
  // Taken: the next checkpoint is quiet.
  EXPECT_EQ(GeworfenerName("invanf"), "");
}

TEST_F(TInfoTest, QualifiedCheckpointsOnlySeeTheirOwnClass) {
  KWDInfo().RegisterException("TFrmIAMain.LoeschenExecute", std::runtime_error("Knopf"), true);
  KWDInfo().RegisterException("TQLX_InvAnfMani.Destroy", std::runtime_error("Freigabe"), false);
  EXPECT_EQ(GeworfenerName("TQLX_InvAnfMani.Destroy"), "TQLX_InvAnfMani.Destroy: Freigabe");
  EXPECT_EQ(GeworfenerName("TQLX_InvAnfMani.Destroy"), "");
  // The button's error is still pending; a destructor's terminate leaves it alone.
  KWDInfo().FehlerTerminate("TFrmIAStart.FormDestroy");
  ASSERT_EQ(KWDInfo().Anstehend().size(), 1u);
  KWDInfo().FehlerTerminate("TFrmIAMain.FormDestroy");
  EXPECT_TRUE(KWDInfo().Anstehend().empty());
}

// The user reads the sentence; where it happened and the technical text go
// to the message's details and, on one line, to the log; the raise keeps both.
TEST_F(TInfoTest, AReportedErrorShowsItsSentenceAndKeepsTheTechnicalTextForDetailsAndLog) {
  KWDInfo().RegisterException("TFrmIAMain.DruckenIALExecute", EKWDSatzFehler("Der Drucker fehlt.", "lpr:\n\tkein Gerät"), true);
  ASSERT_EQ(Presenter->Gezeigt().size(), 1u);
  EXPECT_EQ(Presenter->Gezeigt()[0].Text, "Der Drucker fehlt.");
  EXPECT_EQ(Presenter->Gezeigt()[0].Details,
            "In \u201ETFrmIAMain.DruckenIALExecute\u201C ist ein Fehler aufgetreten.\nlpr:\n\tkein Gerät");
  EXPECT_NE(Log.Inhalt().find("\tTFrmIAMain.DruckenIALExecute\tDer Drucker fehlt. -- technisch: lpr:  kein Gerät\n"),
            std::string::npos)
      << Log.Inhalt();
  try {
    KWDInfo().FehlerRaise("invanf");
    ADD_FAILURE() << "not raised";
  } catch (const EKWDFehler& E) {
    EXPECT_EQ(E.Satz() + "|" + E.Technisch(), "Der Drucker fehlt.|lpr:\n\tkein Gerät");
  }
  // Failures of the system and of memory get a German sentence of their own.
  const std::filesystem::filesystem_error Fehlt("x", "/weg", std::make_error_code(std::errc::no_such_file_or_directory));
  EXPECT_EQ(KWDFehlerTeile(Fehlt).Satz,
            "Ein Fehler des Betriebssystems ist aufgetreten: den Ordner oder die Datei gibt es nicht.");
  EXPECT_EQ(KWDFehlerTeile(Fehlt).Technisch, Fehlt.what());
  EXPECT_EQ(KWDFehlerTeile(std::bad_alloc()).Satz, "Der Arbeitsspeicher reicht nicht aus.");
}

TEST_F(TInfoTest, PendingErrorsAreBounded) {
  for (std::size_t I = 0; I < TKWDInfo::KMaxAnstehend + 5; ++I)
    KWDInfo().RegisterException("T.M", std::to_string(I), false);
  const auto Fehler = KWDInfo().Anstehend();
  ASSERT_EQ(Fehler.size(), TKWDInfo::KMaxAnstehend);
  EXPECT_EQ(Fehler.front().Text, "5");
}

TEST_F(TInfoTest, ShowMeldungSubstitutesArgumentsAndReturnsTheAnswer) {
  Presenter->Antworten({KWD_MR_YES, KWD_MR_NO});
  EXPECT_EQ(KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1007, {"12", "3", "20.03.2026", "Warengruppe 12"}, nullptr,
                                  KWD_MR_NO),
            KWD_MR_YES);
  EXPECT_EQ(KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1013), KWD_MR_NO);
  // Script used up: questions get the default No, notices Ok.
  EXPECT_EQ(KWDInfo().ShowMeldung(KWD_MB_SCHLIESSEN, "INVANF", 1018), KWD_MR_NO);
  EXPECT_EQ(KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "INVANF", 1004), KWD_MR_OK);

  const auto Gezeigt = Presenter->Gezeigt();
  ASSERT_EQ(Gezeigt.size(), 4u);
  EXPECT_EQ(Gezeigt[0].Text,
            "Möchten Sie die Inventur vom 20.03.2026 für Warengruppe 12 in Filiale 3 mit ihrem gebuchten Sollbestand "
            "wirklich löschen?");
  EXPECT_EQ(Gezeigt[0].Standard, KWD_MR_NO);
  EXPECT_EQ(Gezeigt[0].Gruppe, "INVANF");
  EXPECT_EQ(Gezeigt[0].Nr, 1007);
  EXPECT_EQ(Gezeigt[2].Art, KWD_MB_SCHLIESSEN);
}

TEST_F(TInfoTest, CatalogueCoversEveryNumberAndStandard997IsItsArgument) {
  for (int Nr = 1001; Nr <= 1019; ++Nr) EXPECT_TRUE(KWDMeldungVorlageIntern("INVANF", Nr)) << Nr;
  EXPECT_EQ(KWDMeldungText("STANDARD", 997, {"Zeile 1\r\nZeile 2"}), "Zeile 1\r\nZeile 2");
  // The 1017 question names what is booked before the total.
  const std::string T1017 = KWDMeldungText("INVANF", 1017, {"3", "40"});
  EXPECT_LT(T1017.find("3"), T1017.find("40"));
  // Unknown numbers still tell the user something.
  EXPECT_EQ(KWDMeldungText("INVANF", 4711, {"a", "b"}), "Meldung INVANF 4711: a, b");
}

TEST_F(TInfoTest, SubstitutionHandlesPercentAndMissingArguments) {
  EXPECT_EQ(KWDMeldungEinsetzen("%s von %s = 100%%", {"1"}), "1 von  = 100%");
  EXPECT_EQ(KWDMeldungEinsetzen("%s", {"%s", "x"}), "%s");  // an argument is never expanded again
  EXPECT_EQ(KWDMeldungEinsetzen("Ende %", {}), "Ende %");
  // By index, as the suite's format writes it; a plain "%s" goes on after it.
  EXPECT_EQ(KWDMeldungEinsetzen("%2:s, %0:s %s %9:s %1:", {"a", "b", "c"}), "c, a b  %1:");
}

TEST_F(TInfoTest, AnotherTextSourceTakesOverAndFallsBackPerNumber) {
  KWDMeldungQuelleSet([](const std::string& AGruppe, int ANr) -> std::optional<std::string> {
    if (AGruppe == "INVANF" && ANr == 1004) return "Wirtschaftsjahr %s wählen";
    return std::nullopt;
  });
  EXPECT_EQ(KWDMeldungText("INVANF", 1004, {"2025"}), "Wirtschaftsjahr 2025 wählen");
  EXPECT_EQ(KWDMeldungText("INVANF", 1011), *KWDMeldungVorlageIntern("INVANF", 1011));
}

namespace {
struct TKaputterPresenter : TKWDMeldungPresenter {
  int Zeigen(const TKWDMeldung&) override { throw std::runtime_error("kein Bildschirm"); }
};
}  // namespace

TEST_F(TInfoTest, FailingPresenterNeverCountsAsYes) {
  auto Alt = KWDMeldungPresenterSet(std::make_shared<TKaputterPresenter>());
  EXPECT_EQ(KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1019), KWD_MR_NO);
  EXPECT_EQ(KWDInfo().ShowMeldung(KWD_MB_SCHLIESSEN, "INVANF", 1018), KWD_MR_CANCEL);
  // Registering with the report flag must survive it too.
  KWDInfo().RegisterException("T.M", std::runtime_error("x"), true);
  KWDMeldungPresenterSet(Alt);
  EXPECT_NE(Log.Inhalt().find("kein Bildschirm"), std::string::npos);
}

TEST_F(TInfoTest, HeadlessPresenterAnswersFromTheSetting) {
  TKWDStderrPresenter P;
  TKWDMeldung Frage;
  Frage.Art = KWD_MB_JANEIN;
  {
    TUmgebungsWert Antwort("WWS_ANTWORT", "");
    EXPECT_EQ(P.Zeigen(Frage), KWD_MR_NO);
  }
  TUmgebungsWert Antwort("WWS_ANTWORT", "Ja");
  EXPECT_EQ(P.Zeigen(Frage), KWD_MR_YES);
  Frage.Art = KWD_MB_HINWEIS;
  EXPECT_EQ(P.Zeigen(Frage), KWD_MR_OK);
}

TEST_F(TInfoTest, LogKeepsEachEntryOnOneLine) {
  KWDInfo().RegisterException("T.Mehrzeilig", std::runtime_error("a\nb\tc"), false);
  EXPECT_NE(Log.Inhalt().find("\tT.Mehrzeilig\ta b c\n"), std::string::npos) << Log.Inhalt();
}

TEST_F(TInfoTest, ProcessMessagesGoesThroughTheHook) {
  int Gesehen = -1;
  auto Alt = KWDInfoProcessMessagesHookSet([&](int AMs) { Gesehen = AMs; });
  KWDInfoProcessMessages(333);
  KWDInfoProcessMessagesHookSet(Alt);
  EXPECT_EQ(Gesehen, 333);
}
