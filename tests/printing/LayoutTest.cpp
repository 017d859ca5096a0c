// The layout files and the layout dialog: what it lists, what it returns,
// and how copies are made, renamed, edited and deleted while the shipped
// layouts stay as they are.
#include <gtest/gtest.h>

#include <QInputDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "printing/DruckLayouts.h"
#include "widgets/TLayoutform.h"
#include "widgets/TVTKWDVRList.h"
#include "support/framework/KWDOrdner.h"
#include "support/framework/TKWDSkriptPresenter.h"
#include "tests/widgets/WidgetTestHilfe.h"

namespace fs = std::filesystem;

namespace {

TEST(LayoutDatei, ReadsSectionsCommentsAndParametersInOrder) {
  const TKWDLayoutDatei L = TKWDLayoutDatei::AusText(
      "\xEF\xBB\xBF# Kommentar\n; noch einer\n\n[layout]\n TITEL = Zählliste Süd \nBericht=Zaehlliste\n"
      "Geschuetzt=j\nNeu=egal\n[Parameter]\nNullbestand = J\nText=a=b\n",
      "x.rpt");
  EXPECT_EQ(L.Titel, "Zählliste Süd");
  EXPECT_EQ(L.Bericht, "Zaehlliste");
  EXPECT_TRUE(L.Geschuetzt);
  EXPECT_EQ(L.ParameterZeilen(), (std::vector<std::string>{"Nullbestand=J", "Text=a=b"}));
  const TKWDLayoutDatei Wieder = TKWDLayoutDatei::AusText(L.AlsText(), "x.rpt");
  EXPECT_EQ(Wieder.Titel, L.Titel);
  EXPECT_EQ(Wieder.Parameter, L.Parameter);
  EXPECT_TRUE(Wieder.Geschuetzt);
}

TEST(LayoutDatei, ErrorsNameTheLine) {
  auto Fehler = [](const std::string& AText) {
    try {
      TKWDLayoutDatei::AusText(AText, "ial__x.rpt");
    } catch (const std::runtime_error& E) {
      return std::string(E.what());
    }
    return std::string();
  };
  EXPECT_NE(Fehler("[Layout]\nBericht=Z\n[Parameter]\nohne Gleich\n").find("Zeile 4"), std::string::npos);
  EXPECT_NE(Fehler("[Layout]\nBericht=Z\n[Parameter]\nmit blank=J\n").find("Zeile 4"), std::string::npos);
  EXPECT_NE(Fehler("Titel=x\n").find("Zeile 1"), std::string::npos);
  EXPECT_NE(Fehler("[Layout]\n[Sonstiges]\n").find("Zeile 2"), std::string::npos);
  EXPECT_NE(Fehler("[Layout]\nTitel=ohne Bericht\n").find("keinen Bericht"), std::string::npos);
  TKWDLayoutDatei L;
  int Zeile = 0;
  EXPECT_FALSE(L.ParameterZeilenSetzen({"A=1", "", "kaputt"}, Zeile));
  EXPECT_EQ(Zeile, 3);
  EXPECT_TRUE(L.Parameter.empty()) << "nothing changes on a bad line";
}

// A huge file named like a layout once took minutes and gigabytes to print;
// it is refused unread, a layout just below the limit still reads.
TEST(LayoutDatei, AHugeFileIsRefusedUnread) {
  const fs::path Ordner = fs::temp_directory_path() / ("wws-layout-gross-" + std::to_string(::getpid()));
  fs::create_directories(Ordner);
  const std::string Kopf = "[Layout]\nBericht=Zaehlliste\nTitel=";
  auto Schreiben = [&](const char* AName, size_t AGroesse) {
    std::ofstream(Ordner / AName, std::ios::binary) << Kopf << std::string(AGroesse - Kopf.size() - 1, 'x') << "\n";
    return (Ordner / AName).string();
  };
  const TKWDLayoutDatei Knapp = TKWDLayoutDatei::Lesen(Schreiben("ial__knapp.rpt", TKWDLayoutDatei::KMaxGroesse));
  EXPECT_EQ(Knapp.Titel.size(), TKWDLayoutDatei::KMaxGroesse - Kopf.size() - 1);
  const std::string Gross = Schreiben("ial__gross.rpt", 50u * 1024 * 1024);
  try {
    TKWDLayoutDatei::Lesen(Gross);
    ADD_FAILURE() << "a 50 MB layout was read";
  } catch (const std::runtime_error& E) {
    EXPECT_NE(std::string(E.what()).find("ist zu groß für ein Layout (höchstens 64 KB)"), std::string::npos) << E.what();
  }
  fs::remove_all(Ordner);
}

class Layoutform : public ::testing::Test {
 protected:
  void SetUp() override {
    FHome = fs::temp_directory_path() / ("wws-layout-test-" + std::to_string(::getpid()));
    fs::remove_all(FHome);
    ::setenv("WWS_HOME", FHome.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (FHome / "config").c_str(), 1);
    ::setenv("WWS_MANDANT", "Testfirma", 1);
    EXPECT_EQ(DruckLayoutsInstallieren(), 7);
    EXPECT_EQ(DruckLayoutsInstallieren(), 0) << "a layout that is there stays";
    FInput.Init();
    FInput.Ordner = "Layout";
    FInput.Praefixe = {"ial__"};
    FInput.Art = 'F';
    FInput.Pflegen = true;
    // Not listed: another prefix, a folder; listed as faulty: a broken file.
    std::ofstream(Pfad("fremd.rpt")) << "[Layout]\nBericht=Zaehlliste\n";
    fs::create_directories(Pfad("ial__ordner"));
    std::ofstream(Pfad("ial__kaputt.rpt")) << "[Layout]\nTitel=Kaputt\n";
  }
  void TearDown() override {
    ::unsetenv("WWS_HOME");
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("WWS_MANDANT");
    fs::remove_all(FHome);
  }
  std::string Pfad(const std::string& ADatei) const { return (FHome / "Layout" / ADatei).string(); }
  static std::vector<std::string> Parameter(TLayoutform* AForm) {
    auto* Liste = Kind<TVTKWDVRList>(AForm, "vrParameter");
    std::vector<std::string> P;
    for (TVRNode N = Liste->GetFirst(); N; N = Liste->GetNext(N)) P.push_back(Liste->GetText(N, 0) + "=" + Liste->GetText(N, 1));
    return P;
  }
  // Answers the title question with ATitel.
  static std::unique_ptr<QTimer> TitelAntwort(const QString& ATitel) {
    return BeimModalFenster<QInputDialog>([ATitel](QInputDialog* D) {
      D->setTextValue(ATitel);
      D->accept();
    });
  }

  fs::path FHome;
  TQLX_LayoutDialog_InputData FInput;
};

TEST_F(Layoutform, ListsThePrefixedLayoutsAndReturnsTheChosenOne) {
  TLayoutform Form;
  TQLX_SelectedLayout_List Gewaehlt;
  std::vector<std::string> Dateien, Param;
  bool KopierenAn = false, AendernAn = true, OkBeiKaputt = true;
  auto Uhr = BeimModalFenster<TLayoutform>([&](TLayoutform* F) {
    Dateien = F->Dateien();
    ASSERT_TRUE(F->LayoutWaehlen("ial__kaputt.rpt"));
    OkBeiKaputt = Kind<QPushButton>(F, "btnOK")->isEnabled();
    ASSERT_TRUE(F->LayoutWaehlen("ial__Groessen.rpt"));
    Param = Parameter(F);
    KopierenAn = Kind<QPushButton>(F, "btnKopieren")->isEnabled();
    AendernAn = Kind<QPushButton>(F, "btnUmbenennen")->isEnabled() ||
                Kind<QPushButton>(F, "btnParameter")->isEnabled() || Kind<QPushButton>(F, "btnLoeschen")->isEnabled();
    Kind<QPushButton>(F, "btnOK")->click();
  });
  ASSERT_TRUE(Form.Execute(FInput, Gewaehlt));
  EXPECT_EQ(Dateien, (std::vector<std::string>{"ial__Blindliste.rpt", "ial__BlindlisteScanner.rpt", "ial__Kompakt.rpt",
                                               "ial__Standard.rpt", "ial__Groessen.rpt", "ial__Scanner.rpt",
                                               "ial__kaputt.rpt"}));
  EXPECT_FALSE(OkBeiKaputt);
  EXPECT_EQ(Param, (std::vector<std::string>{"AnzProGroe=J", "SeiteJeWarengruppe=N"}));
  EXPECT_TRUE(KopierenAn);
  EXPECT_FALSE(AendernAn) << "shipped layouts are only copied";
  ASSERT_EQ(Gewaehlt.size(), 1u);
  EXPECT_EQ(Gewaehlt[0].FileName, "ial__Groessen.rpt");
  EXPECT_EQ(Gewaehlt[0].Name, "ial__Groessen.rpt");
  EXPECT_EQ(Gewaehlt[0].Titel, "Zählliste mit Größen und Sollmengen");
  EXPECT_EQ(Gewaehlt[0].Parameter, Param);

  // Cancelled: false, and the list keeps what it had; the last choice comes preselected.
  std::string Vorgewaehlt;
  auto Abbruch = BeimModalFenster<TLayoutform>([&](TLayoutform* F) {
    auto* Liste = Kind<TVTKWDVRList>(F, "vrLayouts");
    Vorgewaehlt = Liste->GetText(Liste->GetFirstSelected(), 1);
    F->reject();
  });
  TLayoutform Zweite;
  EXPECT_FALSE(Zweite.Execute(FInput, Gewaehlt));
  EXPECT_EQ(Vorgewaehlt, "ial__Groessen.rpt");
  EXPECT_EQ(Gewaehlt[0].FileName, "ial__Groessen.rpt");
}

TEST_F(Layoutform, CopyRenameEditAndDeleteACopyShippedOnesStay) {
  const std::string StandardVorher = TKWDLayoutDatei::Lesen(Pfad("ial__Standard.rpt")).AlsText();
  TKWDSkriptPresenterScope Meldungen(KWD_MR_YES);
  TLayoutform Form;
  TQLX_SelectedLayout_List Gewaehlt;
  std::vector<std::string> NachKopie, NachUmbenennen;
  auto Uhr = BeimModalFenster<TLayoutform>([&](TLayoutform* F) {
    ASSERT_TRUE(F->LayoutWaehlen("ial__Standard.rpt"));
    // Changing a shipped layout does nothing.
    F->btnUmbenennenClick();
    F->btnParameterClick();
    F->btnLoeschenClick();
    {
      auto Antwort = TitelAntwort(QStringLiteral("Zählliste Süd"));
      F->btnKopierenClick();
    }
    NachKopie = F->Dateien();
    {
      auto Antwort = TitelAntwort(QStringLiteral("Zählliste Nord"));
      F->btnUmbenennenClick();
    }
    NachUmbenennen = F->Dateien();
    {
      // A bad line is refused and the dialog stays; then the good lines are kept.
      int Versuche = 0;
      auto Bearbeiten = BeimModalFenster<TKWDForm>([&](TKWDForm* D) {
        auto* Text = Kind<QPlainTextEdit>(D, "memParameter");
        auto* Speichern = Kind<QPushButton>(D, "btnSpeichern");
        Text->setPlainText(QStringLiteral("Nullbestand=J\nkaputt\n"));
        Speichern->click();
        ++Versuche;
        EXPECT_TRUE(D->isVisible());
        Text->setPlainText(QStringLiteral("Nullbestand=J\n\nKompakt = J\n"));
        Speichern->click();
      });
      F->btnParameterClick();
      EXPECT_EQ(Versuche, 1);
    }
    Kind<QPushButton>(F, "btnOK")->click();
  });
  ASSERT_TRUE(Form.Execute(FInput, Gewaehlt));
  EXPECT_NE(std::find(NachKopie.begin(), NachKopie.end(), "ial__Zaehlliste_Sued.rpt"), NachKopie.end());
  EXPECT_NE(std::find(NachUmbenennen.begin(), NachUmbenennen.end(), "ial__Zaehlliste_Nord.rpt"), NachUmbenennen.end());
  EXPECT_FALSE(fs::exists(Pfad("ial__Zaehlliste_Sued.rpt")));
  ASSERT_EQ(Gewaehlt.size(), 1u);
  EXPECT_EQ(Gewaehlt[0].FileName, "ial__Zaehlliste_Nord.rpt");
  EXPECT_EQ(Gewaehlt[0].Titel, "Zählliste Nord");
  EXPECT_EQ(Gewaehlt[0].Parameter, (std::vector<std::string>{"Nullbestand=J", "Kompakt=J"}));
  const TKWDLayoutDatei Kopie = TKWDLayoutDatei::Lesen(Pfad("ial__Zaehlliste_Nord.rpt"));
  EXPECT_FALSE(Kopie.Geschuetzt);
  EXPECT_EQ(Kopie.Bericht, "Zaehlliste");
  EXPECT_EQ(TKWDLayoutDatei::Lesen(Pfad("ial__Standard.rpt")).AlsText(), StandardVorher);
  ASSERT_EQ(Meldungen->Gezeigt().size(), 1u) << "only the bad parameter line was reported";

  // Deleting the copy asks first: No keeps it, Yes removes it.
  auto Loeschen = BeimModalFenster<TLayoutform>([&](TLayoutform* F) {
    ASSERT_TRUE(F->LayoutWaehlen("ial__Zaehlliste_Nord.rpt"));
    Meldungen->Antworten({KWD_MR_NO, KWD_MR_YES});
    F->btnLoeschenClick();
    EXPECT_TRUE(fs::exists(Pfad("ial__Zaehlliste_Nord.rpt")));
    F->btnLoeschenClick();
    F->reject();
  });
  TLayoutform Zweite;
  EXPECT_FALSE(Zweite.Execute(FInput, Gewaehlt));
  EXPECT_FALSE(fs::exists(Pfad("ial__Zaehlliste_Nord.rpt")));
  EXPECT_EQ(Meldungen->Gezeigt().back().Art, KWD_MB_JANEIN);
  EXPECT_TRUE(fs::exists(Pfad("ial__Standard.rpt")));
}

// A long title is kept whole; the file name made from it stays short enough
// for the file system (a 300-character title could not be copied at all).
TEST_F(Layoutform, ALongTitleIsKeptAndItsFileNameStaysShort) {
  TKWDSkriptPresenterScope Meldungen(KWD_MR_YES);
  TLayoutform Form;
  TQLX_SelectedLayout_List Gewaehlt;
  const QString Lang = QString(300, QLatin1Char('x'));
  auto Uhr = BeimModalFenster<TLayoutform>([&](TLayoutform* F) {
    ASSERT_TRUE(F->LayoutWaehlen("ial__Standard.rpt"));
    {
      auto Antwort = TitelAntwort(Lang);
      F->btnKopierenClick();
    }
    Kind<QPushButton>(F, "btnOK")->click();
  });
  ASSERT_TRUE(Form.Execute(FInput, Gewaehlt));
  EXPECT_TRUE(Meldungen->Gezeigt().empty());
  ASSERT_EQ(Gewaehlt.size(), 1u);
  EXPECT_EQ(Gewaehlt[0].Titel, Lang.toStdString());
  EXPECT_LE(Gewaehlt[0].FileName.size(), 100u) << Gewaehlt[0].FileName;
  EXPECT_EQ(TKWDLayoutDatei::Lesen(Pfad(Gewaehlt[0].FileName)).Titel, Lang.toStdString());
}

// The layout folder may be shared: links planted under the names a writer
// would once have used beside a layout (".neu." and the process id) are
// never written through, and every write leaves no file of its own behind.
TEST_F(Layoutform, WritingALayoutNeverWritesThroughAPlantedLink) {
  const fs::path Opfer = FHome / "opfer.txt";
  std::ofstream(Opfer) << "bleibt";
  const std::string Pid = std::to_string(::getpid());
  fs::remove(Pfad("ial__Kompakt.rpt"));
  for (const char* Name : {"ial__Kompakt.rpt", "ial__eigen.rpt"})
    fs::create_symlink(Opfer, Pfad(std::string(Name) + ".neu." + Pid));
  EXPECT_EQ(DruckLayoutsInstallieren(), 1);
  TKWDLayoutDatei Eigen = TKWDLayoutDatei::Lesen(Pfad("ial__Standard.rpt"));
  Eigen.Geschuetzt = false;
  Eigen.Schreiben(Pfad("ial__eigen.rpt"));
  std::ifstream Ein(Opfer);
  std::string Inhalt((std::istreambuf_iterator<char>(Ein)), std::istreambuf_iterator<char>());
  EXPECT_EQ(Inhalt, "bleibt");
  EXPECT_TRUE(TKWDLayoutDatei::Lesen(Pfad("ial__Kompakt.rpt")).Geschuetzt);
  EXPECT_FALSE(TKWDLayoutDatei::Lesen(Pfad("ial__eigen.rpt")).Geschuetzt);
  int Reste = 0;
  for (const auto& E : fs::directory_iterator(FHome / "Layout"))
    if (E.path().filename().string().find(".neu.") != std::string::npos && !fs::is_symlink(E.symlink_status())) ++Reste;
  EXPECT_EQ(Reste, 0) << "no temporary file stays";
}

TEST_F(Layoutform, WithoutMaintenanceOnlyTheChoice) {
  FInput.Pflegen = false;
  auto Anzahl = [this] { return std::distance(fs::directory_iterator(FHome / "Layout"), fs::directory_iterator()); };
  const auto Vorher = Anzahl();
  TLayoutform Form;
  TQLX_SelectedLayout_List Gewaehlt;
  bool Sichtbar = true;
  auto Uhr = BeimModalFenster<TLayoutform>([&](TLayoutform* F) {
    Sichtbar = Kind<QPushButton>(F, "btnKopieren")->isVisible() || Kind<QPushButton>(F, "btnLoeschen")->isVisible();
    F->btnKopierenClick();
    QTest::keyClick(Kind<TVTKWDVRList>(F, "vrLayouts"), Qt::Key_Return);
  });
  ASSERT_TRUE(Form.Execute(FInput, Gewaehlt));
  EXPECT_FALSE(Sichtbar);
  EXPECT_EQ(Gewaehlt[0].FileName, "ial__Blindliste.rpt") << "the first layout is preselected";
  EXPECT_EQ(Anzahl(), Vorher) << "no copy without maintenance";
}

}  // namespace
