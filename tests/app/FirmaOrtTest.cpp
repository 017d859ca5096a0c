// The server place built from the dialog's fields and read back, and the
// program's command line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "app/FirmaOrt.h"
#include "app/FirmaSpeicher.h"
#include "app/InvAnfOptionen.h"
#include "tests/support/framework/TestUmgebung.h"

TEST(FirmaOrtTest, TheServerFieldsMakeAUriThatReadsBackAndKeepsNoPassword) {
  const std::vector<TPgZiel> Ziele = {
      {"db.example.org", "5433", "firma", "kasse"},
      {"/run/postgresql", "5432", "firma eins", "müller"},
      {"::1", "5432", "f/ü?#&", "a@b:c"},
  };
  for (const TPgZiel& Z : Ziele) {
    SCOPED_TRACE(Z.Host);
    const std::string Ort = PgUri(Z);
    ASSERT_TRUE(IstServerOrt(Ort)) << Ort;
    const auto Zurueck = PgZielLesen(Ort);
    ASSERT_TRUE(Zurueck) << Ort;
    EXPECT_EQ(Zurueck->Host, Z.Host);
    EXPECT_EQ(Zurueck->Port, Z.Port);
    EXPECT_EQ(Zurueck->Datenbank, Z.Datenbank);
    EXPECT_EQ(Zurueck->Benutzer, Z.Benutzer);
    // With a password for this run only: read back the same, stored without it.
    const std::string MitKennwort = PgUri(Z, "ge:h&im");
    EXPECT_EQ(PgZielLesen(MitKennwort)->Datenbank, Z.Datenbank);
    EXPECT_EQ(PgZielLesen(OhneKennwort(MitKennwort))->Host, Z.Host);
    EXPECT_EQ(OhneKennwort(MitKennwort).find("h%26im"), std::string::npos) << OhneKennwort(MitKennwort);
  }
  EXPECT_EQ(PgUri({"db", "5432", "firma", "kasse"}), "postgresql://kasse@db:5432/firma");
  EXPECT_EQ(FirmaBeschreiben("/home/a/filiale.db").Name, "filiale");
  EXPECT_EQ(FirmaBeschreiben("postgresql://kasse@db:5432/firma").Ort, "kasse@db:5432/firma");
  EXPECT_FALSE(PgZielLesen("/home/a/filiale.db"));
}

TEST(InvAnfOptionenTest, KnownOptionsAreTakenAndEverythingElseIsRefusedInOneGermanLine) {
  struct TFall {
    std::vector<const char*> Argumente;
    std::string Fehler;  // a word of the refusal; empty: accepted
  };
  const std::vector<TFall> Faelle = {
      {{}, ""},
      {{"--db", "/tmp/f.db", "--firma"}, ""},
      {{"--db=postgresql://a@b/c"}, ""},
      {{"--demo"}, ""},
      {{"-h"}, ""},
      {{"--version"}, ""},
      {{"--db"}, "braucht einen Wert"},
      {{"--db="}, "braucht einen Wert"},
      {{"--db", "a", "--db", "b"}, "nur einmal"},
      {{"--demo", "--db", "a"}, "schließen einander aus"},
      {{"--gibt-es-nicht"}, "Unbekannte Option \u201E--gibt-es-nicht\u201C"},
      {{"-platform"}, "Unbekannte Option"},
      {{"firma.db"}, "Unerwartetes Argument"},
      {{"--db", "/tmp/\xE4.db"}, "kein gültiger UTF-8-Text"},
  };
  for (const TFall& F : Faelle) {
    std::vector<const char*> Argv{"invanf"};
    Argv.insert(Argv.end(), F.Argumente.begin(), F.Argumente.end());
    const TInvAnfOptionen O = InvAnfOptionenLesen(static_cast<int>(Argv.size()), Argv.data());
    SCOPED_TRACE(Argv.size() > 1 ? Argv[1] : "(keine)");
    if (F.Fehler.empty()) {
      EXPECT_EQ(O.Fehler, "");
    } else {
      EXPECT_NE(O.Fehler.find(F.Fehler), std::string::npos) << O.Fehler;
      EXPECT_TRUE(O.Fehler.starts_with("invanf: ")) << O.Fehler;
      EXPECT_NE(O.Fehler.find("invanf --help"), std::string::npos) << O.Fehler;
    }
  }
  const char* Argv[] = {"invanf", "--db", "/tmp/f.db", "--firma"};
  const TInvAnfOptionen O = InvAnfOptionenLesen(4, Argv);
  EXPECT_EQ(O.Db, std::optional<std::string>("/tmp/f.db"));
  EXPECT_TRUE(O.Firma);
}

// The settings file is written as every file: through the link the user
// keeps it under (the link stays), never over a device a link leads to, and
// a folder that cannot be made is named in German.
TEST(FirmaSpeicherTest, TheSettingsFileIsWrittenLikeEveryFile) {
  namespace fs = std::filesystem;
  TTempOrdner Ordner;
  const fs::path Echt = Ordner.Pfad() / "echt.ini", Ini = Ordner.Pfad() / "conf/wws/wws.ini";
  TUmgebungsWert Xdg("XDG_CONFIG_HOME", (Ordner.Pfad() / "conf").string());
  fs::create_directories(Ini.parent_path());
  std::ofstream(Echt) << "WWS_USER=kasse\n";
  fs::create_symlink(Echt, Ini);
  FirmaEinstellen("/x/firma.db");
  EXPECT_TRUE(fs::is_symlink(Ini));
  std::ifstream Ein(Echt);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(Ein), {}), "WWS_USER=kasse\nWWS_DB=/x/firma.db\n");
  fs::remove(Ini);
  fs::create_symlink("/dev/null", Ini);
  auto Fehler = [](const std::function<void()>& AAufruf) -> std::string {
    try {
      AAufruf();
    } catch (const std::exception& E) {
      return E.what();
    }
    return "";
  };
  EXPECT_NE(Fehler([] { FirmaEinstellen("/x/firma.db"); }).find("keine gewöhnliche Datei"), std::string::npos);
  EXPECT_EQ(fs::read_symlink(Ini), "/dev/null");
  TUmgebungsWert Datei("XDG_CONFIG_HOME", Echt.string());
  EXPECT_NE(Fehler([] { FirmaEinstellen("/x/firma.db"); }).find("lässt sich nicht anlegen: ein Teil des Pfades ist kein Ordner"),
            std::string::npos);
}
