// A SQLite company of the first schema version keeps every stock and price
// row when its stock and price tables are rebuilt in the order of their keys,
// and the keys still refuse duplicates.
#include <gtest/gtest.h>

#include "suite/SuiteDatenbank.h"
#include "support/db/KWDDatenbank.h"
#include "support/recordfile/RecordFileSchema.h"
#include "tests/fixtures/TestDb.h"

namespace {

std::string Text(TDbConnection& ADb, const std::string& ASql) {
  auto S = ADb.Prepare(ASql);
  return S->Step() ? S->ColumnText(0) : "";
}

}  // namespace

TEST(TabellenNachSchluesselTest, AlteFirmaBehaeltAlleZeilenUndSchluessel) {
  TTestDb Db(TDbBackend::SQLite);
  auto Conn = Db.Open();
  // The tables as the first version created them, with rows.
  for (const std::string& Sql : RFTabelleDDL(RFTabelle_Bestand())) Conn->ExecScript(Sql);
  Conn->ExecScript(
      "CREATE TABLE artikelpreis (prodid1 INTEGER NOT NULL, prodid2 INTEGER NOT NULL, prodid3 INTEGER NOT NULL, "
      "preisart TEXT NOT NULL, filnr INTEGER NOT NULL DEFAULT 0, grind INTEGER NOT NULL DEFAULT 0, "
      "gueltig_ab DOUBLE PRECISION NOT NULL, preis DOUBLE PRECISION NOT NULL, "
      "PRIMARY KEY (prodid1, prodid2, prodid3, preisart, filnr, grind, gueltig_ab));"
      "CREATE TABLE schema_version (part TEXT PRIMARY KEY, version INTEGER NOT NULL);"
      "INSERT INTO schema_version VALUES ('recordfiles', 1), ('suite', 1);");
  for (int A = 1; A <= 300; ++A) {
    auto B = Conn->Prepare("INSERT INTO bestand (prodid1, prodid2, prodid3, filnr, bestandstyp, bestand_c, gr3) "
                           "VALUES (?, 1, 1, ?, ?, 1, ?)");
    for (int F = 1; F <= 3; ++F) {
      B->BindInt(1, A);
      B->BindInt(2, F);
      B->BindText(3, F == 2 ? "A" : "1");
      B->BindInt(4, A * F);
      B->Execute();
      B->Reset();
    }
    auto P = Conn->Prepare("INSERT INTO artikelpreis VALUES (?, 1, 1, 'E', 0, 0, 45000, ?)");
    P->BindInt(1, A);
    P->BindDouble(2, A / 4.0);
    P->Execute();
  }
  const std::string BestandVorher = Text(*Conn, "SELECT count(*) || '/' || sum(gr3 * filnr) FROM bestand");
  const std::string PreiseVorher = Text(*Conn, "SELECT count(*) || '/' || sum(preis) FROM artikelpreis");

  KWDDatenbank_Set(std::move(Conn));
  TDbConnection& Firma = SuiteDatenbankOeffnen();
  EXPECT_EQ(Text(Firma, "SELECT count(*) || '/' || sum(gr3 * filnr) FROM bestand"), BestandVorher);
  EXPECT_EQ(Text(Firma, "SELECT count(*) || '/' || sum(preis) FROM artikelpreis"), PreiseVorher);
  for (const char* Tabelle : {"bestand", "artikelpreis"}) {
    auto S = Firma.Prepare("SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = ?");
    S->BindText(1, Tabelle);
    ASSERT_TRUE(S->Step()) << Tabelle;
    EXPECT_NE(S->ColumnText(0).find("WITHOUT ROWID"), std::string::npos) << Tabelle;
  }
  EXPECT_EQ(Text(Firma, "SELECT count(*) FROM sqlite_schema WHERE type = 'index' AND name = 'bestand_filiale'"), "1");
  EXPECT_THROW(Firma.ExecScript("INSERT INTO bestand (prodid1, prodid2, prodid3, filnr, bestandstyp) "
                                "VALUES (7, 1, 1, 2, 'A')"),
               EDbError);
  EXPECT_THROW(Firma.ExecScript("INSERT INTO artikelpreis VALUES (7, 1, 1, 'E', 0, 0, 45000, 1.0)"), EDbError);
  EXPECT_EQ(Text(Firma, "PRAGMA integrity_check"), "ok");
  KWDDatenbank_Set(nullptr);
}
