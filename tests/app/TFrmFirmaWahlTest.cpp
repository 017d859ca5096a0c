// The company dialog on real companies, in a HOME of its own: a SQLite file
// chosen, files that are no company refused untouched, the demo company, a
// PostgreSQL server through the form (the test server, and a server of its
// own that asks for passwords), the choice kept across starts of the real
// program, the environment and --db winning over the settings file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <fstream>
#include <sstream>

#include "app/FirmaOrt.h"
#include "app/FirmaSpeicher.h"
#include "app/InvAnfFirma.h"
#include "app/TFrmFirmaServer.h"
#include "app/TFrmFirmaWahl.h"
#include "suite/SuiteDatenbank.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDUhr.h"
#include "support/framework/TKWDSkriptPresenter.h"
#include "support/services/UserRechte.h"
#include "tests/fixtures/KennwortServer.h"
#include "tests/fixtures/TestDb.h"
#include "tests/support/framework/TestUmgebung.h"
#include "tests/tools/KindProzess.h"
#include "tests/widgets/WidgetTestHilfe.h"
#include "widgets/TVTKWDVRList.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

std::string Inhalt(const fs::path& APfad) {
  std::ifstream Datei(APfad, std::ios::binary);
  std::stringstream S;
  S << Datei.rdbuf();
  return S.str();
}

void Schreiben(const fs::path& APfad, const std::string& AInhalt) {
  std::ofstream(APfad, std::ios::binary) << AInhalt;
}

// Makes the database at AOrt a company and closes it again.
void FirmaAnlegen(const std::string& AOrt) {
  KWDDatenbank_Set(TDbConnection::Open(AOrt, true));
  SuiteDatenbankAnlegen();
  KWDDatenbank_Set(nullptr);
}

class TFrmFirmaWahlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Home = FOrdner.Pfad() / "home";
    Firmen = FOrdner.Pfad() / "firmen";
    fs::create_directories(Home);
    fs::create_directories(Firmen);
    FHome = std::make_unique<TUmgebungsWert>("HOME", Home.string());
    FConfig = std::make_unique<TUmgebungsWert>("XDG_CONFIG_HOME", (Home / ".config").string());
    FDaten = std::make_unique<TUmgebungsWert>("XDG_DATA_HOME", (Home / ".local/share").string());
    FLog = std::make_unique<TUmgebungsWert>("WWS_LOG", (FOrdner.Pfad() / "wws.log").string());
    ::unsetenv("WWS_DB");
    ::unsetenv("PGPASSFILE");
    ::unsetenv("WWS_ANTWORT");
    KWDDatenbank_Set(nullptr);
    FMeldungen = std::make_unique<TKWDSkriptPresenterScope>(KWD_MR_NO);
  }
  void TearDown() override {
    KWDDatenbank_Set(nullptr);
    ::unsetenv("WWS_DB");
    FMeldungen.reset();
  }

  // A company in a SQLite file of the test's folder.
  std::string Firmendatei(const std::string& AName) {
    const std::string Ort = (Firmen / AName).string();
    FirmaAnlegen(Ort);
    return Ort;
  }
  std::string Ini() const { return Inhalt(Home / ".config/wws/wws.ini"); }

  // Chooses AOrt in the file dialog once it is open.
  [[nodiscard]] static std::unique_ptr<QTimer> DateiWaehlen(const std::string& AOrt) {
    return BeimModalFenster<QFileDialog>([AOrt](QFileDialog* D) {
      D->selectFile(QString::fromStdString(AOrt));
      QMetaObject::invokeMethod(D, "accept", Qt::DirectConnection);
    });
  }

  TTempOrdner FOrdner;
  fs::path Home;
  fs::path Firmen;  // the company files, nothing else
  std::unique_ptr<TUmgebungsWert> FHome, FConfig, FDaten, FLog;
  std::unique_ptr<TKWDSkriptPresenterScope> FMeldungen;
};

}  // namespace

TEST_F(TFrmFirmaWahlTest, AChosenFileOpensIsKeptInTheSettingsAndComesFirstPreselectedNextTime) {
  const std::string A = Firmendatei("filiale-nord.db");
  const std::string B = Firmendatei("filiale-sued.db");
  fs::create_directories(Home / ".config/wws");
  Schreiben(Home / ".config/wws/wws.ini", "# eigene Zeilen\nWWS_USER=kasse\nWWS_DB=/alt/firma.db\n");

  for (const std::string& Ort : {A, B}) {
    TFrmFirmaWahl Dialog("Die Firma kann nicht geöffnet werden: weg");
    EXPECT_EQ(Dialog.windowTitle(), QString("Firma wählen"));
    EXPECT_TRUE(Kind<QLabel>(Dialog, "lblGrund")->text().contains("weg"));
    Dialog.show();
    auto Datei = DateiWaehlen(Ort);
    Kind<QPushButton>(Dialog, "btnDatei")->click();
    EXPECT_EQ(Dialog.result(), KWD_MR_OK);
    EXPECT_EQ(Dialog.Gewaehlt(), Ort);
    ASSERT_TRUE(KWDDatenbank_Offen());
    EXPECT_EQ(KWDDatenbank().Ort(), Ort);
    EXPECT_EQ(std::string(std::getenv("WWS_DB")), Ort);
  }
  // The setting changed in place, the user's own lines kept.
  EXPECT_EQ(Ini(), "# eigene Zeilen\nWWS_USER=kasse\nWWS_DB=" + B + "\n");
  EXPECT_EQ(FirmenZuletzt(), (std::vector<std::string>{B, A}));

  // Newest first, the last one selected; Enter opens it.
  KWDDatenbank_Set(nullptr);
  TFrmFirmaWahl Dialog;
  EXPECT_FALSE(Kind<QLabel>(Dialog, "lblGrund")->isVisibleTo(&Dialog));
  Dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Dialog));
  auto* Liste = Kind<TVTKWDVRList>(Dialog, "lvFirmen");
  ASSERT_EQ(Liste->RowCount(), 2);
  EXPECT_EQ(Liste->GetText(Liste->GetFirst(), 0), "filiale-sued");
  EXPECT_EQ(Liste->GetText(Liste->GetFirst(), 1), "SQLite-Datei");
  EXPECT_EQ(Liste->GetText(Liste->GetNext(Liste->GetFirst()), 2), A);
  EXPECT_EQ(Liste->GetFirstSelected(), Liste->GetFirst());
  QTest::keyClick(Liste, Qt::Key_Return);  // the button's key clicks it a moment later
  EXPECT_TRUE(QTest::qWaitFor([&] { return Dialog.result() == KWD_MR_OK; }, 5000)) << Dialog.Grund();
  EXPECT_EQ(KWDDatenbank().Ort(), B);
}

TEST_F(TFrmFirmaWahlTest, FilesThatAreNoCompanyAreRefusedInGermanLeftAsTheyWereAndTheDialogStays) {
  const std::string Neuer = Firmendatei("neuer.db");
  {
    auto V = TDbConnection::Open(Neuer);
    V->ExecScript("UPDATE schema_version SET version = 999 WHERE part = 'recordfiles'");
  }
  const std::string Fremd = (Firmen / "kunden.db").string();
  TDbConnection::Open(Fremd, true)->ExecScript("CREATE TABLE kunden (nr INTEGER PRIMARY KEY, name TEXT)");
  const std::string Kaputt = (Firmen / "kaputt.db").string();
  {
    std::string Bytes = Inhalt(Firmendatei("heil.db"));
    Bytes.replace(0, 16, "kein SQLite mehr");  // the header no longer names the format
    Schreiben(Kaputt, Bytes);
  }
  const std::string Text = (Firmen / "notizen.db").string();
  Schreiben(Text, "Das ist eine Textdatei.\n");
  const std::string Leer = (Firmen / "leer.db").string();
  Schreiben(Leer, "");

  struct TFall {
    std::string Ort, Wort;
  };
  std::vector<TFall> Faelle = {{Neuer, "neueren Programmversion"},
                               {Fremd, "keine Firmendatenbank der Warenwirtschaft"},
                               {Kaputt, "beschädigt"},
                               {Text, "beschädigt"},
                               {Leer, "leer"}};
  if (::geteuid() != 0) {  // root reads every file
    const std::string Gesperrt = Firmendatei("gesperrt.db");
    ::chmod(Gesperrt.c_str(), 0);
    Faelle.push_back({Gesperrt, "Berechtigung"});
  }
  TFrmFirmaWahl Dialog;
  Dialog.show();
  for (const TFall& F : Faelle) {
    SCOPED_TRACE(F.Ort);
    const std::string Vorher = Inhalt(F.Ort);
    const auto OrdnerVorher = std::distance(fs::directory_iterator(Firmen), fs::directory_iterator{});
    auto Datei = DateiWaehlen(F.Ort);
    Kind<QPushButton>(Dialog, "btnDatei")->click();
    EXPECT_TRUE(Dialog.isVisible());
    EXPECT_EQ(Dialog.Gewaehlt(), "");
    EXPECT_NE(Dialog.Grund().find(F.Wort), std::string::npos) << Dialog.Grund();
    EXPECT_EQ(Inhalt(F.Ort), Vorher);
    std::string Dateien;
    for (const auto& D : fs::directory_iterator(Firmen)) Dateien += D.path().filename().string() + " ";
    EXPECT_EQ(std::distance(fs::directory_iterator(Firmen), fs::directory_iterator{}), OrdnerVorher)
        << "a journal or other file was left beside it: " << Dateien;
    EXPECT_FALSE(KWDDatenbank_Offen());
    EXPECT_EQ(std::getenv("WWS_DB"), nullptr);
  }
  EXPECT_FALSE(fs::exists(Home / ".config/wws/wws.ini"));
  EXPECT_TRUE(FirmenZuletzt().empty());
  Kind<QPushButton>(Dialog, "btnAbbrechen")->click();
  EXPECT_EQ(Dialog.result(), KWD_MR_CANCEL);
}

TEST_F(TFrmFirmaWahlTest, TheDemoCompanyIsBuiltInTheDataFolderUnderAProgressWindowAndOpenedWhenThere) {
  TFrmFirmaWahl Dialog;
  Dialog.show();
  bool Fortschritt = false;
  QTimer Schauen;
  QObject::connect(&Schauen, &QTimer::timeout, [&] {
    for (QWidget* W : QApplication::topLevelWidgets())
      Fortschritt = Fortschritt || (W->objectName() == "prgdKWD" && W->isVisible());
  });
  Schauen.start(5);
  Kind<QPushButton>(Dialog, "btnDemo")->click();
  Schauen.stop();
  const fs::path Demo = Home / ".local/share/wws/demo.db";
  EXPECT_TRUE(Fortschritt);
  ASSERT_EQ(Dialog.result(), KWD_MR_OK) << Dialog.Grund();
  EXPECT_EQ(Dialog.Gewaehlt(), Demo.string());
  EXPECT_EQ(KWDDatenbank().Ort(), Demo.string());
  EXPECT_EQ(std::string(std::getenv("WWS_DB") ? std::getenv("WWS_DB") : ""), Demo.string());
  EXPECT_TRUE(DbIstFirma(KWDDatenbank()));
  EXPECT_EQ(Ini(), "WWS_DB=" + Demo.string() + "\n");
  KWDDatenbank_Set(nullptr);

  // There: opened as it is, not built again.
  const auto Stand = fs::last_write_time(Demo);
  TFrmFirmaWahl Wieder;
  Wieder.show();
  Kind<QPushButton>(Wieder, "btnDemo")->click();
  EXPECT_EQ(Wieder.result(), KWD_MR_OK);
  EXPECT_EQ(fs::last_write_time(Demo), Stand);
  KWDDatenbank_Set(nullptr);

  // Damaged: replaced only when the user says so; "No" leaves it.
  Schreiben(Demo, "kaputt");
  TFrmFirmaWahl Kaputt;
  Kaputt.show();
  Kind<QPushButton>(Kaputt, "btnDemo")->click();
  EXPECT_TRUE(Kaputt.isVisible());
  ASSERT_EQ((*FMeldungen)->Gezeigt().size(), 1u);
  EXPECT_NE((*FMeldungen)->Gezeigt()[0].Text.find("neu angelegt"), std::string::npos);
  EXPECT_EQ(Inhalt(Demo), "kaputt");
}

namespace {

// A company on the test server, reached through the server dialog.
class TFrmFirmaServerTest : public TFrmFirmaWahlTest {
 protected:
  void SetUp() override {
    if (!std::getenv("WWS_TEST_PG")) GTEST_SKIP() << "WWS_TEST_PG is not set";
    TFrmFirmaWahlTest::SetUp();
  }
  // Opens the server dialog of ADialog and runs AAktion in it once it shows.
  static void ImServerDialog(TFrmFirmaWahl& ADialog, std::function<void(TFrmFirmaServer*)> AAktion) {
    auto Uhr = BeimModalFenster<TFrmFirmaServer>(std::move(AAktion));
    Kind<QPushButton>(ADialog, "btnServer")->click();
  }
  static void Ausfuellen(TFrmFirmaServer* D, const TPgZiel& Z, const std::string& AKennwort, bool ASpeichern) {
    Kind<QLineEdit>(D, "edtHost")->setText(QString::fromStdString(Z.Host));
    Kind<QLineEdit>(D, "edtPort")->setText(QString::fromStdString(Z.Port));
    Kind<QLineEdit>(D, "edtDatenbank")->setText(QString::fromStdString(Z.Datenbank));
    Kind<QLineEdit>(D, "edtBenutzer")->setText(QString::fromStdString(Z.Benutzer));
    Kind<QLineEdit>(D, "edtKennwort")->setText(QString::fromStdString(AKennwort));
    Kind<QCheckBox>(D, "chbKennwortSpeichern")->setChecked(ASpeichern);
  }
};

}  // namespace

TEST_F(TFrmFirmaServerTest, CheckingNamesWhatIsWrongAndACompanyOpensWithItsPasswordStoredOnlyInPgpass) {
  TTestDb Firma(TDbBackend::PostgreSQL);
  FirmaAnlegen(Firma.Ort());
  TTestDb Leer(TDbBackend::PostgreSQL);
  const TPgZiel Ziel = *PgZielLesen(Firma.Ort());
  auto Mit = [&](auto AAendern) {
    TPgZiel Z = Ziel;
    AAendern(Z);
    return Z;
  };
  struct TFall {
    TPgZiel Ziel;
    std::string Wort;
  };
  const std::vector<TFall> Faelle = {
      {Ziel, "ist eine Firma der Warenwirtschaft"},
      {Mit([](TPgZiel& Z) { Z.Host = "nicht-vorhanden.invalid"; }), "gibt es nicht: sein Name ist unbekannt"},
      {Mit([](TPgZiel& Z) { Z.Port = "1"; }), "weist die Verbindung ab"},
      {Mit([](TPgZiel& Z) { Z.Datenbank = "wws_gibt_es_nicht"; }), "\u201Ewws_gibt_es_nicht\u201C gibt es auf"},
      {*PgZielLesen(Leer.Ort()), "keine Firmendatenbank der Warenwirtschaft"},
  };
  TFrmFirmaWahl Dialog;
  Dialog.show();
  for (const TFall& F : Faelle) {
    std::string Ergebnis;
    ImServerDialog(Dialog, [&](TFrmFirmaServer* D) {
      Ausfuellen(D, F.Ziel, "", false);
      Kind<QPushButton>(D, "btnPruefen")->click();
      Ergebnis = Kind<QLabel>(D, "lblErgebnis")->text().toStdString();
      Kind<QPushButton>(D, "BtnCancel")->click();
    });
    EXPECT_NE(Ergebnis.find(F.Wort), std::string::npos) << Ergebnis;
  }
  EXPECT_TRUE(Dialog.isVisible());
  EXPECT_FALSE(KWDDatenbank_Offen());

  // Opened with the password kept: one line in ~/.pgpass, only for the user.
  Schreiben(Home / ".pgpass", "anderer:5432:*:x:bleibt\n");
  ::chmod((Home / ".pgpass").c_str(), 0644);
  for (const char* Kennwort : {"erstes", "Ge:heim\\"}) {
    TFrmFirmaWahl Wahl;
    Wahl.show();
    ImServerDialog(Wahl, [&](TFrmFirmaServer* D) {
      Ausfuellen(D, Ziel, Kennwort, true);
      Kind<QPushButton>(D, "BtnOk")->click();
    });
    ASSERT_EQ(Wahl.result(), KWD_MR_OK) << Wahl.Grund();
    EXPECT_EQ(KWDDatenbank().Backend(), TDbBackend::PostgreSQL);
    KWDDatenbank_Set(nullptr);
  }
  struct stat Info {};
  ASSERT_EQ(::stat((Home / ".pgpass").c_str(), &Info), 0);
  EXPECT_EQ(Info.st_mode & 0777, 0600u);
  EXPECT_EQ(Inhalt(Home / ".pgpass"), "anderer:5432:*:x:bleibt\n" + Ziel.Host + ":" + Ziel.Port + ":" +
                                          Ziel.Datenbank + ":" + Ziel.Benutzer + ":Ge\\:heim\\\\\n");
  // The settings keep the place without any password.
  EXPECT_EQ(Ini(), "WWS_DB=" + PgUri(Ziel) + "\n");
  EXPECT_EQ(Ini().find("heim"), std::string::npos);
  EXPECT_EQ(FirmaBeschreiben(FirmenZuletzt().at(0)).Art, "PostgreSQL-Server");
}

// An empty server database is offered a new company, built whole as
// wws-admin builds it and opened; a database holding another application's
// tables (in a schema of its own) is offered none and stays as it was.
TEST_F(TFrmFirmaServerTest, AnEmptyDatabaseGetsANewCompanyFromTheDialogAndAForeignOneIsLeftAlone) {
  TTestDb Leer(TDbBackend::PostgreSQL), Fremd(TDbBackend::PostgreSQL);
  Fremd.Open()->ExecScript("CREATE SCHEMA lager; CREATE TABLE lager.kunden (nr INTEGER)");
  bool FremdAngeboten = true, FeldLeert = false, LeerAngeboten = false;
  TFrmFirmaWahl Dialog;
  Dialog.show();
  ImServerDialog(Dialog, [&](TFrmFirmaServer* D) {
    Ausfuellen(D, *PgZielLesen(Fremd.Ort()), "", false);
    Kind<QPushButton>(D, "btnPruefen")->click();
    FremdAngeboten = Kind<QGroupBox>(D, "grpNeueFirma")->isVisibleTo(D);
    // Another database: the last result no longer holds.
    Kind<QLineEdit>(D, "edtDatenbank")->setText(QString::fromStdString(PgZielLesen(Leer.Ort())->Datenbank));
    FeldLeert = Kind<QLabel>(D, "lblErgebnis")->text().isEmpty();
    Kind<QPushButton>(D, "BtnOk")->click();  // refused as no company, and a new one offered
    LeerAngeboten = Kind<QGroupBox>(D, "grpNeueFirma")->isVisibleTo(D);
    Kind<QPushButton>(D, "btnAnlegen")->click();  // "leer" is preselected
  });
  EXPECT_FALSE(FremdAngeboten);
  EXPECT_TRUE(FeldLeert);
  EXPECT_TRUE(LeerAngeboten);
  ASSERT_EQ(Dialog.result(), KWD_MR_OK) << Dialog.Grund();
  EXPECT_TRUE(DbIstFirma(KWDDatenbank()));
  EXPECT_EQ(Ini(), "WWS_DB=" + PgUri(*PgZielLesen(Leer.Ort())) + "\n");
  KWDDatenbank_Set(nullptr);
  auto FremdDb = Fremd.Open();
  auto Tabellen = FremdDb->Prepare(
      "SELECT string_agg(table_schema || '.' || table_name, ',') FROM information_schema.tables "
      "WHERE table_schema NOT IN ('pg_catalog', 'information_schema')");
  ASSERT_TRUE(Tabellen->Step());
  EXPECT_EQ(Tabellen->ColumnText(0), "lager.kunden");
}

// The server dialog says whether the password file holds a password for the
// server and user entered, and removes just the lines libpq would use.
TEST_F(TFrmFirmaWahlTest, TheServerDialogShowsAStoredPasswordAndRemovesOnlyItsLines) {
  Schreiben(Home / ".pgpass", "# eigene Notiz\nanderer:5432:*:kasse:bleibt\nlocalhost:5433:*:kasse:alt\n"
                              "localhost:5433:firma:kasse:neu\n");
  TFrmFirmaServer Dialog({}, {});
  Dialog.Vorbelegen({"", "5433", "firma", "kasse"});  // no host: the local socket, "localhost" for libpq
  auto Stand = [&] { return Kind<QLabel>(Dialog, "lblKennwortStand")->text().toStdString(); };
  EXPECT_NE(Stand().find("ein Kennwort gespeichert"), std::string::npos) << Stand();
  Kind<QLineEdit>(Dialog, "edtBenutzer")->setText("lager");
  EXPECT_NE(Stand().find("kein Kennwort gespeichert"), std::string::npos) << Stand();
  Kind<QLineEdit>(Dialog, "edtBenutzer")->setText("kasse");
  (*FMeldungen)->Antworten({KWD_MR_YES});
  Kind<QPushButton>(Dialog, "btnKennwortEntfernen")->click();
  EXPECT_EQ(Inhalt(Home / ".pgpass"), "# eigene Notiz\nanderer:5432:*:kasse:bleibt\n");
  struct stat Info {};
  ASSERT_EQ(::stat((Home / ".pgpass").c_str(), &Info), 0);
  EXPECT_EQ(Info.st_mode & 0777, 0600u);
  EXPECT_NE(Stand().find("kein Kennwort gespeichert"), std::string::npos) << Stand();
}

// Del (or the list's context menu) takes a company out of the list; the
// company itself stays.
TEST_F(TFrmFirmaWahlTest, DelTakesACompanyOutOfTheListAndLeavesTheCompany) {
  const std::string A = Firmendatei("a.db"), B = Firmendatei("b.db");
  FirmaZuletztMerken(A);
  FirmaZuletztMerken(B);
  TFrmFirmaWahl Dialog;
  Dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Dialog));
  auto* Liste = Kind<TVTKWDVRList>(Dialog, "lvFirmen");
  QTest::keyClick(Liste, Qt::Key_Delete);  // the first, B, is selected
  EXPECT_EQ(FirmenZuletzt(), std::vector<std::string>{A});
  EXPECT_EQ(Liste->RowCount(), 1);
  EXPECT_TRUE(fs::exists(B));
}

namespace {

// A server of the test's own that asks every client for its password.
class TFrmFirmaKennwortTest : public TFrmFirmaServerTest {
 protected:
  static void SetUpTestSuite() {
    if (std::getenv("WWS_TEST_PG")) GServer = std::make_unique<TKennwortServer>(KENNWORT_SERVER, "richtig");
  }
  static void TearDownTestSuite() { GServer.reset(); }
  void SetUp() override {
    TFrmFirmaServerTest::SetUp();
    if (IsSkipped()) return;
    ASSERT_TRUE(GServer->Laeuft()) << "the password server did not start";
  }
  static TPgZiel Ziel(const std::string& ADatenbank) { return {GServer->Socket(), "5432", ADatenbank, "postgres"}; }
  static inline std::unique_ptr<TKennwortServer> GServer;
};

}  // namespace

TEST_F(TFrmFirmaKennwortTest, AWrongPasswordIsNamedAndTheRightOneStoredServesTheNextStartWithoutAsking) {
  TDbConnection::Open(PgUri(Ziel("postgres"), "richtig"))->ExecScript("CREATE DATABASE firma_kw");
  FirmaAnlegen(PgUri(Ziel("firma_kw"), "richtig"));

  // Wrong: named in the server dialog, which stays; nothing is stored.
  TFrmFirmaWahl Dialog;
  Dialog.show();
  std::string Falsch;
  bool Offen = false;
  ImServerDialog(Dialog, [&](TFrmFirmaServer* D) {
    Ausfuellen(D, Ziel("firma_kw"), "falsch", true);
    Kind<QPushButton>(D, "BtnOk")->click();
    Falsch = Kind<QLabel>(D, "lblErgebnis")->text().toStdString();
    Offen = D->isVisible();
    Ausfuellen(D, Ziel("firma_kw"), "richtig", true);
    Kind<QPushButton>(D, "BtnOk")->click();
  });
  EXPECT_NE(Falsch.find("das Kennwort ist falsch"), std::string::npos) << Falsch;
  EXPECT_TRUE(Offen);
  ASSERT_EQ(Dialog.result(), KWD_MR_OK) << Dialog.Grund();
  EXPECT_EQ(Inhalt(Home / ".pgpass"), Ziel("firma_kw").Host + ":5432:firma_kw:postgres:richtig\n");

  // The next start: the stored place without password, libpq reads ~/.pgpass.
  KWDDatenbank_Set(nullptr);
  ::unsetenv("WWS_DB");
  std::string Grund;
  EXPECT_TRUE(InvAnfFirmaOeffnen(Grund)) << Grund;
  KWDDatenbank_Set(nullptr);

  // Without the stored password the start names what is missing, and the
  // company from the list asks for it in the server dialog, filled in.
  fs::remove(Home / ".pgpass");
  EXPECT_FALSE(InvAnfFirmaOeffnen(Grund));
  EXPECT_NE(Grund.find("verlangt"), std::string::npos) << Grund;
  TFrmFirmaWahl Wieder(Grund);
  Wieder.show();
  std::string Datenbank;
  auto Uhr = BeimModalFenster<TFrmFirmaServer>([&](TFrmFirmaServer* D) {
    Datenbank = Kind<QLineEdit>(D, "edtDatenbank")->text().toStdString();
    Kind<QLineEdit>(D, "edtKennwort")->setText("richtig");
    Kind<QPushButton>(D, "BtnOk")->click();
  });
  Kind<QPushButton>(Wieder, "btnOeffnen")->click();
  EXPECT_EQ(Datenbank, "firma_kw");
  EXPECT_EQ(Wieder.result(), KWD_MR_OK) << Wieder.Grund();
  EXPECT_FALSE(fs::exists(Home / ".pgpass")) << "stored without the tick";
  // Only this process's setting carries it, for the services' connections.
  EXPECT_NE(std::string(std::getenv("WWS_DB")).find("password=richtig"), std::string::npos);
  EXPECT_EQ(Ini().find("richtig"), std::string::npos);
}

TEST_F(TFrmFirmaWahlTest, TheRealProgramAsksOnceKeepsTheChoiceAndTheEnvironmentAndDbWinForTheirRun) {
  const std::string Erlaubt = Firmendatei("erlaubt.db");
  const std::string Verboten = Firmendatei("verboten.db");
  // In this company the user may not run the module: the program ends with 2,
  // which tells from outside which company it opened.
  KWDDatenbank_Set(TDbConnection::Open(Verboten));
  RechtSetzen("kasse", wpfInventuranforderungen, false);
  KWDDatenbank_Set(nullptr);
  TUmgebungsWert Benutzer("WWS_USER", "kasse");
  TTempOrdner Bilder;
  TUmgebungsWert Fotos("WWS_FOTOS", Bilder.Pfad().string());
  auto Starten = [&](const std::string& ATour, const std::vector<std::string>& AArgumente) {
    TUmgebungsWert Tour("WWS_FOTOS_TOUR", ATour);
    TKindProzess Kind(INVANF_PFAD, AArgumente);
    const auto Ende = Kind.Warten(60s);
    return Ende ? *Ende : TKindErgebnis{};
  };

  // Nothing set: the dialog asks; cancelled, the program ends with 0.
  TKindErgebnis Ende = Starten("FrmFirmaWahl:btnAbbrechen:abbrechen", {});
  EXPECT_EQ(Ende.Exit, 0) << Ende.Err;
  EXPECT_TRUE(fs::exists(Bilder.Pfad() / "abbrechen.png"));

  // The choice made in the dialog (here in this process) serves the next
  // start without asking: the start dialog comes first.
  {
    TFrmFirmaWahl Dialog;
    Dialog.show();
    auto Datei = DateiWaehlen(Erlaubt);
    Kind<QPushButton>(Dialog, "btnDatei")->click();
    ASSERT_EQ(Dialog.result(), KWD_MR_OK);
    KWDDatenbank_Set(nullptr);
    ::unsetenv("WWS_DB");
  }
  Ende = Starten("FrmIAStart:BtnEnde:start", {});
  EXPECT_EQ(Ende.Exit, 0) << Ende.Err;
  EXPECT_TRUE(fs::exists(Bilder.Pfad() / "start.png"));

  // "Firma..." in the start dialog asks again; "Abbrechen" keeps the company.
  Ende = Starten("FrmIAStart:BtnFirma,FrmFirmaWahl:btnAbbrechen:zurueck,FrmIAStart:BtnEnde:wieder", {});
  EXPECT_EQ(Ende.Exit, 0) << Ende.Err;
  EXPECT_TRUE(fs::exists(Bilder.Pfad() / "wieder.png"));

  // The environment and --db win over the settings file for their run.
  TUmgebungsWert Antwort("WWS_ANTWORT", "nein");  // the refusal of the right, headless
  {
    TUmgebungsWert Db("WWS_DB", Verboten);
    EXPECT_EQ(Starten("FrmIAStart:BtnEnde", {}).Exit, 2);
  }
  EXPECT_EQ(Starten("FrmIAStart:BtnEnde", {"--db", Verboten}).Exit, 2);
  EXPECT_EQ(Ini(), "WWS_DB=" + Erlaubt + "\n");
}
