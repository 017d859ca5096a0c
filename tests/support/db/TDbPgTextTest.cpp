// The PostgreSQL text helpers, without a server: placeholder numbering and
// the NUL-safe, order-keeping text code.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/db/TDbPgText.h"

namespace {

std::string Nummeriert(std::string_view ASql, int AErwartet) {
  int Anzahl = -1;
  std::string Ergebnis = PgPlatzhalterNummerieren(ASql, Anzahl);
  EXPECT_EQ(Anzahl, AErwartet) << ASql;
  return Ergebnis;
}

TEST(TDbPgTextTest, PlaceholdersOutsideQuotesAndCommentsOnly) {
  EXPECT_EQ(Nummeriert("SELECT a FROM t WHERE b = ? AND c > ?", 2), "SELECT a FROM t WHERE b = $1 AND c > $2");
  EXPECT_EQ(Nummeriert("SELECT '?', 'it''s ?', \"co?l\" FROM t WHERE x=?", 1),
            "SELECT '?', 'it''s ?', \"co?l\" FROM t WHERE x=$1");
  EXPECT_EQ(Nummeriert("SELECT E'a\\'?' , ? -- why?\n, ? /* and ? */", 2),
            "SELECT E'a\\'?' , $1 -- why?\n, $2 /* and ? */");
  EXPECT_EQ(Nummeriert("SELECT $$ ? $$, $q$ it's ? $q$, ?", 1), "SELECT $$ ? $$, $q$ it's ? $q$, $1");
  // A plain quote after a name ending in E is no escape string.
  EXPECT_EQ(Nummeriert("SELECT 1 FROM t WHERE name='a\\' AND b = ?", 1),
            "SELECT 1 FROM t WHERE name='a\\' AND b = $1");
  EXPECT_EQ(Nummeriert("SELECT 'unterminated ?", 0), "SELECT 'unterminated ?");
}

// Only an INSERT whose one row is nothing but placeholders may be repeated
// row after row; anything that would change its meaning stays one statement.
TEST(TDbPgTextTest, OnlyAPlainInsertOfPlaceholdersTakesSeveralRows) {
  const auto Form = PgInsertForm("INSERT INTO satz (nr, text) VALUES (?, ?)");
  ASSERT_TRUE(Form);
  EXPECT_EQ(PgInsertZeilen(*Form, 1), "INSERT INTO satz (nr, text) VALUES ($1, $2)");
  EXPECT_EQ(PgInsertZeilen(*Form, 3), "INSERT INTO satz (nr, text) VALUES ($1, $2), ($3, $4), ($5, $6)");
  EXPECT_TRUE(PgInsertForm("  insert into t(a,b)values(?,?)  "));
  for (const char* Sql : {"INSERT INTO t (a) VALUES (?) ON CONFLICT DO NOTHING", "INSERT INTO t (a) VALUES (?) RETURNING a",
                          "INSERT INTO t (a, b) VALUES (?, 'x')", "INSERT INTO t (a) SELECT ?",
                          "INSERT INTO t (a) VALUES (?); DELETE FROM t", "INSERT INTO t (a) VALUES (?), (?)",
                          "UPDATE t SET a = ?", "WITH x AS (SELECT 1) INSERT INTO t (a) VALUES (?)",
                          "INSERT INTO t (a) VALUES (?) -- ?", "", "INSERT", "INSERT INTO", "INSERT INTO t (a) VALUES (",
                          "INSERT INTO 1t (a) VALUES (?)"})
    EXPECT_FALSE(PgInsertForm(Sql)) << Sql;
}

TEST(TDbPgTextTest, TextCodeIsReversibleAndKeepsByteOrder) {
  std::mt19937 Zufall(42);
  std::vector<std::string> Texte{"", std::string(1, '\0'), "\x01", "\x02", std::string("\0\xff", 2), "\x01\x01"};
  for (int N = 0; N < 400; ++N) {
    std::string Text(Zufall() % 6, ' ');
    for (auto& Z : Text) Z = static_cast<char>("\x00\x01\x02\x7f\xc3\xff" [Zufall() % 6]);
    Texte.push_back(Text);
  }
  for (const auto& Text : Texte) {
    const auto Kodiert = PgTextKodieren(Text);
    EXPECT_EQ(Kodiert.find('\0'), std::string::npos);
    EXPECT_EQ(PgTextDekodieren(Kodiert), Text);
  }
  auto Sortiert = Texte;
  std::sort(Sortiert.begin(), Sortiert.end());
  std::vector<std::string> Kodiert;
  for (const auto& Text : Sortiert) Kodiert.push_back(PgTextKodieren(Text));
  EXPECT_TRUE(std::is_sorted(Kodiert.begin(), Kodiert.end())) << "order of stored texts differs";
}

}  // namespace
