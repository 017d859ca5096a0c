// Clock, folders, pause, progress and program services.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "support/framework/KWDDateiErsetzen.h"
#include "support/framework/KWDEinstellungen.h"
#include "support/framework/KWDLog.h"
#include "support/framework/KWDOrdner.h"
#include "support/framework/KWDPause.h"
#include "support/framework/KWDSettings.h"
#include "support/framework/KWDUhr.h"
#include "support/framework/TKWDProgramm.h"
#include "support/framework/TKWDInfo.h"
#include "support/framework/TKWDSkriptPresenter.h"
#include "support/framework/TQLX_PEP_Progress_SetPos.h"
#include "tests/support/framework/TestUmgebung.h"

TEST(KWDUhrTest, SettingFixesTheDateAndKeepsTheTimeOfDay) {
  TUmgebungsWert Heute("WWS_TODAY", "2024-02-29");
  EXPECT_EQ(kwd_Date(), EncodeDate(2024, 2, 29));
  const TDateTime Jetzt = kwd_Now();
  EXPECT_GE(Jetzt, EncodeDate(2024, 2, 29));
  EXPECT_LT(Jetzt, EncodeDate(2024, 3, 1));
}

// A date the user did not ask for is never used instead: the clock and the
// start check refuse the setting by its name.
TEST(KWDUhrTest, ASettingThatIsNoUsableDateIsRefusedNeverReplaced) {
  struct TFall {
    const char* Wert;
    const char* Grund;  // empty: accepted
  };
  for (const TFall& F : {TFall{"2023-02-29", "kein gültiges Datum"}, TFall{"2026-13-01", "kein gültiges Datum"},
                         TFall{"abc", "kein gültiges Datum"}, TFall{"9999-12-31", "außerhalb"},
                         TFall{"1899-12-31", "außerhalb"}, TFall{"9998-12-31", ""}, TFall{"01.01.1900", ""},
                         TFall{"", ""}}) {
    TUmgebungsWert Heute("WWS_TODAY", F.Wert);
    if (!*F.Grund) {
      EXPECT_NO_THROW(KWDEinstellungenPruefen()) << F.Wert;
      continue;
    }
    EXPECT_THROW(kwd_Date(), EKWDEinstellung) << F.Wert;
    try {
      KWDEinstellungenPruefen();
      ADD_FAILURE() << F.Wert << " was taken";
    } catch (const EKWDEinstellung& E) {
      const std::string Text = E.what();
      EXPECT_NE(Text.find(std::string("WWS_TODAY (\u201E") + F.Wert + "\u201C)"), std::string::npos) << Text;
      EXPECT_NE(Text.find(F.Grund), std::string::npos) << Text;
    }
  }
}

TEST(KWDUhrTest, TestSeamReplacesTheClockUntilReset) {
  TUmgebungsWert Heute("WWS_TODAY", "2024-02-29");
  KWDUhrSet([] { return EncodeDate(2026, 12, 15) + EncodeTime(23, 59, 59); });
  EXPECT_EQ(kwd_Date(), EncodeDate(2026, 12, 15));
  EXPECT_GT(kwd_Now(), kwd_Date());
  KWDUhrSet({});
  EXPECT_EQ(kwd_Date(), EncodeDate(2024, 2, 29));
}

TEST(KWDOrdnerTest, FoldersLieUnderTheRootAndCannotLeaveIt) {
  TTempOrdner Root;
  TUmgebungsWert Home("WWS_HOME", Root.Pfad().string());
  EXPECT_STREQ(C_KWDFolder_Value[KWD_ORDNER_LAYOUT], "Layout");
  const std::string Layout = GetDirWwsByName(KWD_ORDNER_LAYOUT, "IA-Liste.rpt", true);
  EXPECT_EQ(Layout, (Root.Pfad() / "Layout" / "IA-Liste.rpt").string());
  EXPECT_TRUE(std::filesystem::is_directory(Root.Pfad() / "Layout"));
  EXPECT_EQ(GetDirWwsByName("Listen", "Inventuren-Liste20250101.rpt"),
            (Root.Pfad() / "Listen" / "Inventuren-Liste20250101.rpt").string());
  EXPECT_EQ(GetDirWwsByName("", "IALfile.00001234"), (Root.Pfad() / "IALfile.00001234").string());

  EXPECT_THROW(GetDirWwsByName("Listen", "../../etc/passwd"), std::invalid_argument);
  EXPECT_THROW(GetDirWwsByName("..", "x"), std::invalid_argument);
  EXPECT_THROW(GetDirWwsByName("Listen", "/tmp/x"), std::invalid_argument);
  EXPECT_THROW(GetDirWwsByName(KWD_ORDNER_ANZAHL, "x"), std::out_of_range);
}

// A suite folder that cannot be made (here a file stands where the root
// should be; works for root too) is a German message naming the folder.
// The message names the setting that put the root where it cannot be.
TEST(KWDOrdnerTest, AFolderThatCannotBeMadeIsAGermanMessageNamingTheSetting) {
  TTempOrdner Root;
  std::ofstream(Root.Pfad() / "datei") << "x";
  const std::string Datei = (Root.Pfad() / "datei").string();
  struct TFall {
    const char* Variable;
    std::string Wert, Ordner, Einstellung;
  };
  for (const TFall& F : {TFall{"WWS_HOME", Datei + "/wws", "datei/wws/Layout", "(Einstellung WWS_HOME)"},
                         TFall{"XDG_DATA_HOME", Datei, "datei/wws/Layout", "(Umgebungsvariable XDG_DATA_HOME)"}}) {
    TUmgebungsWert Ohne("WWS_HOME", "");
    TUmgebungsWert Setzen(F.Variable, F.Wert);
    try {
      GetDirWwsByName(KWD_ORDNER_LAYOUT, "IA-Liste.rpt", true);
      ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& E) {
      const std::string Text = E.what();
      EXPECT_NE(Text.find(F.Ordner + "\u201C lässt sich nicht anlegen: ein Teil des Pfades ist kein Ordner " +
                          F.Einstellung),
                std::string::npos)
          << Text;
    }
    EXPECT_EQ(GetDirWwsByName(KWD_ORDNER_LAYOUT, "x.rpt", false), (Root.Pfad() / F.Ordner / "x.rpt").string())
        << "without creating, the path is only named";
  }
}

// A file replaced as a whole: new content, the user's umask, no file of its
// own left beside it, and a German message when it cannot be written.
TEST(KWDDateiErsetzenTest, ReplacesWholeKeepsTheUmaskAndNamesAFailure) {
  TTempOrdner Ordner;
  const std::string Pfad = (Ordner.Pfad() / "x.rpt").string();
  std::ofstream(Pfad) << "alt und lang";
  const mode_t Vorher = ::umask(027);
  KWDDateiErsetzen(Pfad, "neu");
  ::umask(Vorher);
  std::ifstream Ein(Pfad);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(Ein), {}), "neu");
  struct stat Info {};
  ASSERT_EQ(::stat(Pfad.c_str(), &Info), 0);
  EXPECT_EQ(Info.st_mode & 0777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Ordner.Pfad()), {}), 1);
  try {
    KWDDateiErsetzen((Ordner.Pfad() / "fehlt" / "x.rpt").string(), "neu");
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& E) {
    EXPECT_NE(std::string(E.what()).find("kann nicht geschrieben werden: den Ordner oder die Datei gibt es nicht"),
              std::string::npos)
        << E.what();
  }
}

// A database and the files beside it are never replaced by a written file,
// whether those files are there at the moment or not; others are.
TEST(KWDDateiErsetzenTest, NeverReplacesADatabaseOrTheFilesBesideIt) {
  TTempOrdner Ordner;
  const std::string Db = (Ordner.Pfad() / "firma.db").string();
  const std::string Inhalt("SQLite format 3\0Seiten", 22);
  std::ofstream(Db, std::ios::binary) << Inhalt;
  std::ofstream(Db + "-wal") << "log";
  std::ofstream(Ordner.Pfad() / "text.db") << "SQLite format 2";
  for (const auto& [Name, Geschuetzt] : std::vector<std::pair<std::string, bool>>{
           {"firma.db", true}, {"firma.db-wal", true}, {"firma.db-shm", true}, {"firma.db-journal", true},
           {"firma.db.block11", true}, {"text.db", false}, {"text.db-wal", false}, {"neu.csv", false}}) {
    const std::string Pfad = (Ordner.Pfad() / Name).string();
    EXPECT_EQ(KWDIstDatenbankDatei(Pfad), Geschuetzt) << Name;
    if (!Geschuetzt) continue;
    EXPECT_THROW(KWDDateiErsetzen(Pfad, "Export"), std::runtime_error) << Name;
  }
  std::ifstream Ein(Db, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(Ein), {}), Inhalt);
  EXPECT_FALSE(std::filesystem::exists(Db + "-shm"));
}

TEST(KWDPauseTest, HookReplacesTheSleep) {
  int Gewartet = 0;
  KWDPauseSet([&](int AMs) { Gewartet += AMs; });
  KWDPause(2000);
  KWDPause(2000);
  KWDPauseSet({});
  EXPECT_EQ(Gewartet, 4000);
}

TEST(KWDProgressTest, TerminalProgressKeepsTheStateTheEngineReads) {
  TKWDTerminalProgress P(false);
  P.ProgressShow(false);
  EXPECT_TRUE(P.Sichtbar());
  P.SetStyle(TProgressBarStyle::pbstMarquee);
  EXPECT_EQ(P.Style(), TProgressBarStyle::pbstMarquee);
  P.SetMax(2);
  P.StepIt();
  P.StepIt();
  EXPECT_EQ(P.Pos(), 2);
  P.StepIt();  // past the maximum a marquee starts over
  EXPECT_EQ(P.Pos(), 0);
  P.SetPos(7);
  EXPECT_EQ(P.Pos(), 2);
  P.SetMax(1);
  EXPECT_EQ(P.Pos(), 1);
  P.ProgressHide();
  EXPECT_FALSE(P.Sichtbar());
}

TEST(KWDProgressTest, FactorySeamDecidesWhatCreateMakes) {
  void* Gesehen = nullptr;
  int Eigentuemer = 0;
  KWDProgressFabrikSet([&](void* AOwner) {
    Gesehen = AOwner;
    auto P = std::make_unique<TKWDTerminalProgress>(false);
    P->SetCaption("aus der Fabrik");
    return P;
  });
  auto P = TQLX_PEP_Progress_SetPos::Create(&Eigentuemer);
  KWDProgressFabrikSet({});
  EXPECT_EQ(Gesehen, &Eigentuemer);
  EXPECT_EQ(dynamic_cast<TKWDTerminalProgress&>(*P).Caption(), "aus der Fabrik");
  EXPECT_NE(TQLX_PEP_Progress_SetPos::Create(), nullptr);
}

TEST(KWDProgrammTest, ClientTextComesFromTheSettingOrTheCompanyDatabase) {
  TUmgebungsWert Mandant("WWS_MANDANT", "");
  {
    TUmgebungsWert Db("WWS_DB", "/srv/wws/Filialkette Nord.sqlite");
    EXPECT_EQ(KWDProgramm().GetTextMandant(), "Filialkette Nord");
  }
  {
    TUmgebungsWert Db("WWS_DB", "postgresql://wws@db:5432/mandant7?sslmode=require");
    EXPECT_EQ(KWDProgramm().GetTextMandant(), "mandant7");
  }
  TUmgebungsWert Gesetzt("WWS_MANDANT", "Müller GmbH");
  EXPECT_EQ(KWDProgramm().GetTextMandant(), "Müller GmbH");
}

TEST(KWDProgrammTest, RunTypeAndProcessId) {
  TTestLog Log;
  {
    TUmgebungsWert RTyp("WWS_RTYP", "");
    EXPECT_EQ(KWDProgramm().GetRTyp(), 1);
  }
  {
    TUmgebungsWert RTyp("WWS_RTYP", "2");
    EXPECT_EQ(KWDProgramm().GetRTyp(), 2);
  }
  TUmgebungsWert RTyp("WWS_RTYP", "zwei");
  EXPECT_EQ(KWDProgramm().GetRTyp(), 1);
  const std::string Id = KWDProgramm().ProzessIdFormated();
  EXPECT_EQ(Id.size(), 8u);
  EXPECT_EQ(std::stol(Id), static_cast<long>(::getpid()));
}

TEST(KWDProgrammTest, ShowExceptionDoesNotRepeatAnErrorTheUserHasSeen) {
  TTestLog Log;
  TKWDSkriptPresenterScope Presenter;
  const auto StartFehlerZeigen = [] {
    try {
      KWDInfo().FehlerRaise("invanf", 0);
    } catch (const std::exception& E) {
      KWDProgramm().ShowException(E, false);
    }
  };
  KWDInfo().RegisterException("TFrmIAMain.FormCreate", std::runtime_error("Tabelle fehlt"), true);
  StartFehlerZeigen();
  ASSERT_EQ(Presenter->Gezeigt().size(), 1u);  // only when it was registered

  KWDInfo().RegisterException("TQLX_InvAnfMani.Destroy", std::runtime_error("still"), false);
  StartFehlerZeigen();
  const auto Gezeigt = Presenter->Gezeigt();
  ASSERT_EQ(Gezeigt.size(), 2u);
  EXPECT_NE(Gezeigt[1].Text.find("still"), std::string::npos);
  EXPECT_NE(Log.Inhalt().find("Tabelle fehlt"), std::string::npos);
}

TEST(KWDLogTest, SeveralProcessesShareTheLogWithoutTornLines) {
  TTestLog Log;
  const std::string Lang(20000, 'x');  // longer than a stdio buffer: a buffered writer would tear it
  constexpr int KZeilen = 200;
  std::vector<pid_t> Kinder;
  for (int K = 0; K < 2; ++K) {
    const pid_t Pid = ::fork();
    ASSERT_GE(Pid, 0);
    if (Pid == 0) {
      for (int I = 0; I < KZeilen; ++I) KWDLogSchreiben("Kind" + std::to_string(K), Lang);
      ::_exit(0);
    }
    Kinder.push_back(Pid);
  }
  for (int I = 0; I < KZeilen; ++I) KWDLogSchreiben("Eltern", Lang);
  for (pid_t Pid : Kinder) {
    int Status = 0;
    ASSERT_EQ(::waitpid(Pid, &Status, 0), Pid);
    ASSERT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0);
  }
  std::istringstream Inhalt(Log.Inhalt());
  std::string Zeile;
  int Anzahl = 0;
  while (std::getline(Inhalt, Zeile)) {
    ++Anzahl;
    ASSERT_EQ(Zeile.substr(Zeile.size() - Lang.size() - 1), "\t" + Lang) << "line " << Anzahl;
  }
  EXPECT_EQ(Anzahl, 3 * KZeilen);
}

TEST(KWDLogTest, LogFollowsItsSettingAndARemovedFile) {
  TTestLog Log;
  ASSERT_TRUE(KWDLogSchreiben("Test", "eins"));
  std::filesystem::remove(KWDLogDatei());
  ASSERT_TRUE(KWDLogSchreiben("Test", "zwei"));
  EXPECT_EQ(Log.Inhalt().find("eins"), std::string::npos);
  EXPECT_NE(Log.Inhalt().find("zwei"), std::string::npos);
  {
    TTestLog Anderes;
    ASSERT_TRUE(KWDLogSchreiben("Test", "drei"));
    EXPECT_NE(Anderes.Inhalt().find("drei"), std::string::npos);
  }
  EXPECT_EQ(Log.Inhalt().find("drei"), std::string::npos);
}

TEST(KWDSettingTest, ChangesOfTheConfigFileAreSeen) {
  TTempOrdner Ordner;
  TUmgebungsWert Xdg("XDG_CONFIG_HOME", Ordner.Pfad().string());
  std::filesystem::create_directories(Ordner.Pfad() / "wws");
  auto Schreiben = [&](const std::string& AInhalt) { std::ofstream(Ordner.Pfad() / "wws" / "wws.ini") << AInhalt; };
  EXPECT_EQ(KWDSetting("WWS_TESTWERT"), std::nullopt);
  Schreiben("# Kommentar\nWWS_TESTWERT = eins\nWWS_TESTWERT=zwei\n");
  EXPECT_EQ(KWDSetting("WWS_TESTWERT"), "eins");
  Schreiben("WWS_TESTWERT=drei und mehr\n");
  EXPECT_EQ(KWDSetting("WWS_TESTWERT"), "drei und mehr");
  {
    TUmgebungsWert Umgebung("WWS_TESTWERT", "vier");
    EXPECT_EQ(KWDSetting("WWS_TESTWERT"), "vier");
  }
  std::filesystem::remove(Ordner.Pfad() / "wws" / "wws.ini");
  EXPECT_EQ(KWDSetting("WWS_TESTWERT"), std::nullopt);
}

TEST(KWDProgressTest, CounterLinesKeepTheirOrderAndValues) {
  TKWDTerminalProgress P(false);
  P.AddCounter("ArtikelNr", "Artikelnummer: ");
  P.SetCounter("ArtikelNr", "100.4711");
  P.SetCounter("Filiale", "3");  // never added: added with its name as caption
  ASSERT_EQ(P.Zaehler().size(), 2u);
  EXPECT_EQ(P.Zaehler()[0].Caption, "Artikelnummer: ");
  EXPECT_EQ(P.Counter("ArtikelNr"), "100.4711");
  EXPECT_EQ(P.Zaehler()[1].Caption, "Filiale");
  EXPECT_EQ(P.Counter("Filiale"), "3");
  EXPECT_EQ(P.Counter("Unbekannt"), "");
}
