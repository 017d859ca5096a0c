// wws-admin as a user runs it: init, demo, param, usage errors.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <tuple>

#include "suite/TSimplePriceReader.h"
#include "support/types/KWDDatum.h"
#include "support/types/TKWD_ArtBestTyp.h"
#include "support/types/TQLX_IA_KZZaehlung.h"
#include "tests/fixtures/TestDb.h"
#include "tests/tools/KindProzess.h"

namespace fs = std::filesystem;

namespace {

TKindErgebnis Admin(const std::vector<std::string>& AArgumente) { return KindAusfuehren(WWS_ADMIN_PFAD, AArgumente); }

// A folder of its own for SQLite files the tool is to create.
class TTempOrdner {
 public:
  TTempOrdner() {
    char vorlage[] = "/tmp/wws-admin-test-XXXXXX";
    FPfad = mkdtemp(vorlage);
  }
  ~TTempOrdner() { fs::remove_all(FPfad); }
  std::string Datei(const std::string& AName) const { return (fs::path(FPfad) / AName).string(); }

 private:
  std::string FPfad;
};

int64_t Zahl(TDbConnection& ADb, const std::string& ASql) {
  auto s = ADb.Prepare(ASql);
  return s->Step() ? s->ColumnInt(0) : -1;
}

std::set<std::string> Texte(TDbConnection& ADb, const std::string& ASql) {
  std::set<std::string> werte;
  auto s = ADb.Prepare(ASql);
  while (s->Step()) werte.insert(s->ColumnText(0));
  return werte;
}

void ErwarteEineDeutscheZeile(const TKindErgebnis& AErg) {
  ASSERT_FALSE(AErg.Err.empty());
  EXPECT_EQ(AErg.Err.find('\n'), AErg.Err.size() - 1) << AErg.Err;  // exactly one line
  EXPECT_EQ(AErg.Err.rfind("wws-admin: ", 0), 0u) << AErg.Err;
}

}  // namespace

TEST(WwsAdminInit, RefusesToOverwriteAnExistingFileUnlessForced) {
  TTempOrdner ordner;
  const std::string datei = ordner.Datei("firma.db");
  { std::ofstream(datei) << "wichtige Daten"; }

  const auto erg = Admin({"init", "--db", datei});
  EXPECT_EQ(erg.Exit, 1);
  ErwarteEineDeutscheZeile(erg);
  EXPECT_NE(erg.Err.find("nicht überschrieben"), std::string::npos) << erg.Err;
  std::ifstream f(datei);
  std::string inhalt;
  std::getline(f, inhalt);
  EXPECT_EQ(inhalt, "wichtige Daten");

  ASSERT_EQ(Admin({"init", "--db", datei, "--force"}).Exit, 0);
  auto db = TDbConnection::Open(datei);
  EXPECT_EQ(Zahl(*db, "SELECT COUNT(*) FROM schema_version"), 3);  // recordfiles, services, suite
  EXPECT_EQ(Zahl(*db, "SELECT COUNT(*) FROM artikel"), 0);
}

TEST(WwsAdminInit, UsesWwsDbWhenNoDbIsGiven) {
  TTempOrdner ordner;
  const std::string datei = ordner.Datei("env.db");
  setenv("WWS_DB", datei.c_str(), 1);
  const auto erg = Admin({"init"});
  unsetenv("WWS_DB");
  EXPECT_EQ(erg.Exit, 0) << erg.Err;
  EXPECT_TRUE(fs::exists(datei));
}

// Removing the general row itself must not claim that general rights apply again.
TEST(WwsAdminRechte, RemovingTheRowForEveryUserSaysThatTheRightIsNowRefused) {
  TTempOrdner ordner;
  const std::string datei = ordner.Datei("rechte.db");
  ASSERT_EQ(Admin({"init", "--db", datei}).Exit, 0);
  const auto erg = Admin({"rights", "remove", "*", "0", "--db", datei});
  EXPECT_EQ(erg.Exit, 0) << erg.Err;
  EXPECT_EQ(erg.Aus.find("gelten wieder"), std::string::npos) << erg.Aus;
  EXPECT_NE(erg.Aus.find("nur noch die Rechte"), std::string::npos) << erg.Aus;
  auto db = TDbConnection::Open(datei);
  EXPECT_EQ(Zahl(*db, "SELECT COUNT(*) FROM benutzerrecht"), 0);
}

TEST(WwsAdminAufruf, UsageErrorsExitWithTwoAndOneGermanLine) {
  const std::vector<std::vector<std::string>> falsch{
      {},                                        // no command
      {"gibtsnicht"},                            // unknown command
      {"demo", "--articles", "viele"},           // not a number
      {"demo", "--articles", "0"},               // out of range
      {"locks", "hold", "1-000001"},             // --seconds missing
      {"locks", "release", "--db", "/tmp/x.db"}, // neither --dead nor --pid
      {"demo", "--stichtag", "31.02.2026", "--db", "/tmp/wws-admin-nie.db"},
      {"demo", "--stichtag", "1800-01-01", "--db", "/tmp/wws-admin-nie.db"},
      {"rights", "grant", "anna", "alles"},      // a right is a number
      {"param", "set", "STARTMON"},              // value missing
  };
  for (const auto& args : falsch) {
    const auto erg = Admin(args);
    EXPECT_EQ(erg.Exit, 2) << ::testing::PrintToString(args) << erg.Err;
    ErwarteEineDeutscheZeile(erg);
    EXPECT_NE(erg.Err.find("Hilfe"), std::string::npos) << erg.Err;
    for (const char* englisch : {"argument", "required", "convert", "not in range", "expected", "Value"})
      EXPECT_EQ(erg.Err.find(englisch), std::string::npos) << erg.Err;
  }
  // The message names what it does not know.
  EXPECT_NE(Admin({"gibtsnicht"}).Err.find("Unbekannter Befehl \u201Egibtsnicht\u201C"), std::string::npos);
  EXPECT_NE(Admin({"locks", "list", "--alle"}).Err.find("Unbekannte Option \u201E--alle\u201C"), std::string::npos);
  EXPECT_NE(Admin({"demo", "--articles", "0"}).Err.find("\u201E0\u201C f\u00FCr --articles liegt nicht zwischen 1"),
            std::string::npos);
  const auto hilfe = Admin({"locks", "hold", "--help"});
  EXPECT_EQ(hilfe.Exit, 0);
  EXPECT_NE(hilfe.Aus.find("Aufruf: wws-admin locks hold [OPTIONEN] ARTIKELNUMMER"), std::string::npos) << hilfe.Aus;
  EXPECT_NE(hilfe.Aus.find("--seconds ZAHL (0 bis 86400) (Pflicht)"), std::string::npos) << hilfe.Aus;
  EXPECT_FALSE(fs::exists("/tmp/wws-admin-nie.db"));
}

TEST(WwsAdminDemo, SameSeedGivesTheSameContentAndAnotherSeedDoesNot) {
  TTempOrdner ordner;
  auto demo = [&](const std::string& AName, const std::string& ASeed) {
    const auto erg = Admin({"demo", "--db", ordner.Datei(AName), "--seed", ASeed, "--articles", "400",
                            "--stichtag", "2026-03-15"});
    EXPECT_EQ(erg.Exit, 0) << erg.Err;
  };
  demo("a.db", "7");
  demo("b.db", "7");
  demo("c.db", "8");
  // Every row of every filled table, in insertion order.
  auto inhalt = [&](const std::string& AName) {
    auto db = TDbConnection::Open(ordner.Datei(AName));
    std::string alles;
    for (const char* tabelle : {"filiale", "warengruppe", "lieferant", "artikel", "artikel_wg", "artikelpreis",
                                "artikelkennzahl", "artnr_historie", "bestand", "filialverkauf", "inventur",
                                "inventuranforderung", "parameter"}) {
      auto s = db->Prepare(std::string("SELECT * FROM ") + tabelle);
      while (s->Step())
        for (int c = 0; c < s->ColumnCount(); ++c) alles += s->ColumnText(c) + (c + 1 < s->ColumnCount() ? "|" : "\n");
    }
    return alles;
  };
  const std::string a = inhalt("a.db");
  EXPECT_GT(a.size(), 100000u);
  EXPECT_TRUE(a == inhalt("b.db"));
  EXPECT_FALSE(a == inhalt("c.db"));
}

class WwsAdminBackend : public ::testing::TestWithParam<TDbBackend> {};

TEST_P(WwsAdminBackend, DemoCompanyHasThePromisedShape) {
  TTestDb firma(GetParam());
  const auto erg = Admin({"demo", "--db", firma.Ort(), "--force", "--articles", "600", "--seed", "3",
                          "--stichtag", "2026-03-15", "--json"});
  ASSERT_EQ(erg.Exit, 0) << erg.Err;
  EXPECT_NE(erg.Aus.find("\"artikel\":600"), std::string::npos) << erg.Aus;
  auto db = firma.Open();

  EXPECT_GE(Zahl(*db, "SELECT COUNT(*) FROM filiale"), 12);
  EXPECT_GE(Zahl(*db, "SELECT COUNT(*) FROM filiale WHERE lv_benutzen = 1"), 1);
  EXPECT_GE(Zahl(*db, "SELECT COUNT(*) FROM filiale WHERE lv_benutzen = 0"), 1);

  // Group tree: depth 2 to 4 under the articles, every group's parent exists.
  EXPECT_EQ(Zahl(*db, "SELECT MAX(LENGTH(w.wgn)) FROM artikel_wg w"), 4);
  EXPECT_EQ(Zahl(*db, "SELECT MIN(LENGTH(w.wgn)) FROM artikel_wg w"), 2);
  EXPECT_EQ(Zahl(*db, "SELECT COUNT(*) FROM warengruppe g WHERE LENGTH(g.wgn) > 1 AND NOT EXISTS "
                      "(SELECT 1 FROM warengruppe p WHERE p.wgn = SUBSTR(g.wgn, 1, LENGTH(g.wgn) - 1))"),
            0);

  // Size runs beyond 17 and 34 sizes, check strictness 0 to 3 with most 2 or 3.
  EXPECT_GT(Zahl(*db, "SELECT COUNT(*) FROM inventur WHERE grbis - grvon + 1 > 34"), 0);
  EXPECT_GT(Zahl(*db, "SELECT COUNT(*) FROM inventur WHERE grbis - grvon + 1 BETWEEN 18 AND 34"), 0);
  EXPECT_EQ(Texte(*db, "SELECT DISTINCT pruefschaerfe FROM artikel"), (std::set<std::string>{"0", "1", "2", "3"}));
  EXPECT_GT(Zahl(*db, "SELECT COUNT(*) FROM artikel WHERE pruefschaerfe IN ('2', '3')"), 600 / 2);

  // Stock: not counted types 17 to 23, records with figure A above B, and
  // presence through a marking branch sale alone.
  auto s = db->Prepare("SELECT COUNT(*) FROM bestand WHERE bestandstyp IN (?, ?, ?, ?, ?, ?, ?)");
  for (int typ = 17; typ <= 23; ++typ) s->BindText(typ - 16, std::string(1, CKWD_ArtBestTyp_BFWert[typ]));
  ASSERT_TRUE(s->Step());
  EXPECT_GT(s->ColumnInt(0), 0);
  EXPECT_GT(Zahl(*db, "SELECT COUNT(DISTINCT bestandstyp) FROM bestand"), 10);
  EXPECT_GT(Zahl(*db, "SELECT COUNT(*) FROM bestand WHERE bestand_a > bestand_b AND bestand_c = 0"), 0);
  EXPECT_GT(Zahl(*db, "SELECT COUNT(*) FROM filialverkauf v WHERE satzart = 'F' AND bewegungsart = '23' AND NOT "
                      "EXISTS (SELECT 1 FROM bestand b WHERE b.prodid1 = v.prodid1 AND b.prodid2 = v.prodid2 AND "
                      "b.prodid3 = v.prodid3 AND b.filnr = v.filnr)"),
            0);

  // Requests in every counting state; stock-take data of two earlier years.
  std::set<std::string> alle;
  for (int i = 0; i < KQLX_IA_KZZAEHLUNG_ANZAHL; ++i) alle.insert(std::string(1, CQLX_IA_KZZaehlung_2_Char(i)));
  EXPECT_EQ(Texte(*db, "SELECT DISTINCT kz_zaehlung FROM inventuranforderung"), alle);
  std::set<std::string> jahre;
  auto j = db->Prepare("SELECT DISTINCT wijahr FROM inventur ORDER BY wijahr");
  while (j->Step()) jahre.insert(FormatDatum(j->ColumnDouble(0)));
  EXPECT_EQ(jahre, (std::set<std::string>{"01.01.2024", "01.01.2025", "01.01.2026"}));

  // A request's target value is what its booked rows are worth: nothing is
  // booked for requests the demo has not completed.
  EXPECT_EQ(Zahl(*db, "SELECT COUNT(*) FROM inventuranforderung a WHERE ek_soll > 0 AND NOT EXISTS (SELECT 1 FROM "
                      "inventur i WHERE i.wijahr = a.wijahr AND i.zaehldatum = a.zaehldatum AND i.filnr = a.filnr)"),
            0);
  EXPECT_GT(Zahl(*db, "SELECT COUNT(*) FROM artnr_historie h GROUP BY prodid1, prodid2, prodid3 ORDER BY 1 DESC"), 1);
}

TEST_P(WwsAdminBackend, ParamSetAndGetRoundTripAndBadValuesAreRefused) {
  TTestDb firma(GetParam());
  ASSERT_EQ(Admin({"init", "--db", firma.Ort(), "--force"}).Exit, 0);
  EXPECT_EQ(Admin({"param", "get", "INVABWMA", "--db", firma.Ort()}).Aus, "10000\n");  // the default
  ASSERT_EQ(Admin({"param", "set", "INVABWMA", "3333", "--db", firma.Ort()}).Exit, 0);
  EXPECT_EQ(Admin({"param", "get", "INVABWMA", "--db", firma.Ort()}).Aus, "3333\n");
  ASSERT_EQ(Admin({"--db", firma.Ort(), "param", "set", "EIGENER", "Text mit ' und ;"}).Exit, 0);
  EXPECT_EQ(Admin({"param", "get", "EIGENER", "--db", firma.Ort()}).Aus, "Text mit ' und ;\n");

  const auto falsch = Admin({"param", "set", "STARTMON", "13", "--db", firma.Ort()});
  EXPECT_EQ(falsch.Exit, 2) << "a value out of the parameter's range is refused input";
  ErwarteEineDeutscheZeile(falsch);
  EXPECT_EQ(Admin({"param", "get", "STARTMON", "--db", firma.Ort()}).Aus, "1\n");
  EXPECT_EQ(Admin({"param", "get", "GIBTSNICHT", "--db", firma.Ort()}).Exit, 1);
}

// The demo books target stock as completion would: every request's target
// value is its stock-take rows valued with the suite's own purchase prices.
TEST_P(WwsAdminBackend, RequestTargetValuesAgreeWithTheSuitesPurchasePrices) {
  TTestDb firma(GetParam());
  ASSERT_EQ(Admin({"demo", "--db", firma.Ort(), "--force", "--articles", "500", "--seed", "11", "--stichtag",
                   "2026-03-15"})
                .Exit,
            0);
  firma.InstallAsCompany();
  auto db = firma.Open();
  std::string spalten;
  for (int g = 1; g <= 40; ++g) spalten += ", i.gr" + std::to_string(g);
  auto zeilen = db->Prepare(
      "SELECT a.ek_soll, i.filnr, i.zaehldatum, i.prodid1, i.prodid2, i.prodid3" + spalten +
      ", a.wg FROM inventur i JOIN inventuranforderung a ON a.wijahr = i.wijahr AND a.zaehldatum = i.zaehldatum AND "
      "a.filnr = i.filnr JOIN artikel_wg w ON w.prodid1 = i.prodid1 AND w.prodid2 = i.prodid2 AND "
      "w.prodid3 = i.prodid3 AND SUBSTR(w.wgn, 1, LENGTH(a.wg)) = a.wg");
  // request (date, branch, group) -> stored and recomputed target value
  std::map<std::tuple<double, int64_t, std::string>, std::pair<double, double>> summen;
  TSimplePriceReader preise;
  while (zeilen->Step()) {
    auto& summe = summen[{zeilen->ColumnDouble(2), zeilen->ColumnInt(1), zeilen->ColumnText(46)}];
    summe.first = zeilen->ColumnDouble(0);
    preise.SetProdId(TInt32Trio::Construct(static_cast<int32_t>(zeilen->ColumnInt(3)),
                                           static_cast<int32_t>(zeilen->ColumnInt(4)),
                                           static_cast<int32_t>(zeilen->ColumnInt(5))));
    preise.SetDatum(zeilen->ColumnDouble(2));
    preise.SetSelekted(TQLX_Preis_Sys_Mand_Fil::Construct(static_cast<int>(zeilen->ColumnInt(1))));
    for (int g = 0; g < 40; ++g)
      if (const int64_t menge = zeilen->ColumnInt(6 + g); menge != 0)
        summe.second += static_cast<double>(menge) * preise.GEK_4_Art_Dat_Fil_GrInd(static_cast<int8_t>(g));
  }
  ASSERT_GT(summen.size(), 10u);
  for (const auto& [anforderung, summe] : summen)
    EXPECT_NEAR(summe.first, summe.second, 0.005)
        << FormatDatum(std::get<0>(anforderung)) << " Filiale " << std::get<1>(anforderung) << " WG "
        << std::get<2>(anforderung);
}

INSTANTIATE_TEST_SUITE_P(Datenbanken, WwsAdminBackend, ::testing::ValuesIn(TTestDb::Available()), TTestDbName);
