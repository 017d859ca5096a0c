#pragma once
// Text handling between this interface and PostgreSQL, kept apart so it can
// be tested without a server.
#include <optional>
#include <string>
#include <string_view>

// "?" placeholders become $1, $2, ... except inside quoted text, quoted names,
// dollar-quoted bodies and comments. AAnzahl receives the number found.
std::string PgPlatzhalterNummerieren(std::string_view ASql, int& AAnzahl);

// A plain "INSERT INTO t (a, b) VALUES (?, ?)": one row of placeholders and
// nothing after it. Returns the text up to the row and the row itself, so
// that several rows can go as one statement; nullopt for any other statement.
struct TPgInsertForm {
  std::string Kopf;   // "INSERT INTO t (a, b) VALUES "
  std::string Zeile;  // "(?, ?)"
};
std::optional<TPgInsertForm> PgInsertForm(std::string_view ASql);
// The statement for AZeilen rows, with numbered placeholders.
std::string PgInsertZeilen(const TPgInsertForm& AForm, size_t AZeilen);

// PostgreSQL text cannot hold a NUL byte. Texts are therefore stored with
// 0x00 -> 0x01 0x01 and 0x01 -> 0x01 0x02: reversible, and a prefix-free code
// that keeps the bytewise order of any two texts, so keys sort the same as
// on SQLite. Everything else passes unchanged.
std::string PgTextKodieren(std::string_view AText);
std::string PgTextDekodieren(std::string_view AGespeichert);
