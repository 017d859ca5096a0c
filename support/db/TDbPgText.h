#pragma once
// Text handling between this interface and PostgreSQL, kept apart so it can
// be tested without a server.
#include <string>
#include <string_view>

// "?" placeholders become $1, $2, ... except inside quoted text, quoted names,
// dollar-quoted bodies and comments. AAnzahl receives the number found.
std::string PgPlatzhalterNummerieren(std::string_view ASql, int& AAnzahl);

// PostgreSQL text cannot hold a NUL byte. Texts are therefore stored with
// 0x00 -> 0x01 0x01 and 0x01 -> 0x01 0x02: reversible, and a prefix-free code
// that keeps the bytewise order of any two texts, so keys sort the same as
// on SQLite. Everything else passes unchanged.
std::string PgTextKodieren(std::string_view AText);
std::string PgTextDekodieren(std::string_view AGespeichert);
