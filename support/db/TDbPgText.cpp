#include "support/db/TDbPgText.h"

#include <cctype>

namespace {
// Index just past a quoted section opened at APos with AZeichen; doubled
// quote characters stay inside. ABackslash: E'...' text, where \ escapes.
size_t QuoteEnde(std::string_view ASql, size_t APos, char AZeichen, bool ABackslash) {
  for (size_t I = APos + 1; I < ASql.size(); ++I) {
    if (ABackslash && ASql[I] == '\\') {
      ++I;
      continue;
    }
    if (ASql[I] == AZeichen) {
      if (I + 1 < ASql.size() && ASql[I + 1] == AZeichen) {
        ++I;
        continue;
      }
      return I + 1;
    }
  }
  return ASql.size();
}

// $tag$ ... $tag$ (tag may be empty); returns APos unchanged if none starts here.
size_t DollarEnde(std::string_view ASql, size_t APos) {
  size_t I = APos + 1;
  while (I < ASql.size() && (std::isalnum(static_cast<unsigned char>(ASql[I])) || ASql[I] == '_')) ++I;
  if (I >= ASql.size() || ASql[I] != '$') return APos;
  if (I > APos + 1 && std::isdigit(static_cast<unsigned char>(ASql[APos + 1]))) return APos;  // $1 is a parameter
  const std::string_view Tag = ASql.substr(APos, I - APos + 1);
  const size_t Ende = ASql.find(Tag, I + 1);
  return Ende == std::string_view::npos ? ASql.size() : Ende + Tag.size();
}
}  // namespace

std::string PgPlatzhalterNummerieren(std::string_view ASql, int& AAnzahl) {
  std::string Ergebnis;
  Ergebnis.reserve(ASql.size() + 16);
  AAnzahl = 0;
  size_t I = 0;
  while (I < ASql.size()) {
    const char Z = ASql[I];
    size_t Weiter = I + 1;
    if (Z == '\'') {
      const bool Escape = I > 0 && (ASql[I - 1] == 'E' || ASql[I - 1] == 'e') &&
                          (I < 2 || !(std::isalnum(static_cast<unsigned char>(ASql[I - 2])) || ASql[I - 2] == '_'));
      Weiter = QuoteEnde(ASql, I, '\'', Escape);
    } else if (Z == '"') {
      Weiter = QuoteEnde(ASql, I, '"', false);
    } else if (Z == '-' && I + 1 < ASql.size() && ASql[I + 1] == '-') {
      const size_t Zeile = ASql.find('\n', I);
      Weiter = Zeile == std::string_view::npos ? ASql.size() : Zeile + 1;
    } else if (Z == '/' && I + 1 < ASql.size() && ASql[I + 1] == '*') {
      const size_t Ende = ASql.find("*/", I + 2);
      Weiter = Ende == std::string_view::npos ? ASql.size() : Ende + 2;
    } else if (Z == '$') {
      const size_t Ende = DollarEnde(ASql, I);
      if (Ende != I) Weiter = Ende;
    } else if (Z == '?') {
      Ergebnis += '$' + std::to_string(++AAnzahl);
      I = Weiter;
      continue;
    }
    Ergebnis.append(ASql.substr(I, Weiter - I));
    I = Weiter;
  }
  return Ergebnis;
}

std::optional<TPgInsertForm> PgInsertForm(std::string_view ASql) {
  // Placeholders, quotes, comments or dollar signs before the row, or
  // anything after it (ON CONFLICT, RETURNING, a second statement), would
  // change what repeating the row means: only this exact shape is taken.
  // (Read by hand: a static regex would be gone before the statements that
  // static objects prepare while the program ends.)
  size_t I = 0;
  auto Leer = [&] {
    while (I < ASql.size() && std::isspace(static_cast<unsigned char>(ASql[I]))) ++I;
  };
  auto Wort = [&](std::string_view AWort) {
    if (ASql.size() - I < AWort.size()) return false;
    for (size_t K = 0; K < AWort.size(); ++K)
      if (std::toupper(static_cast<unsigned char>(ASql[I + K])) != AWort[K]) return false;
    I += AWort.size();
    return true;
  };
  auto Zeichen = [&](char AZeichen) {
    if (I >= ASql.size() || ASql[I] != AZeichen) return false;
    ++I;
    return true;
  };
  auto NameZeichen = [](char AZ) { return std::isalnum(static_cast<unsigned char>(AZ)) || AZ == '_'; };
  Leer();
  const size_t Anfang = I;
  auto Trenner = [&] { return I < ASql.size() && std::isspace(static_cast<unsigned char>(ASql[I])); };
  if (!Wort("INSERT") || !Trenner()) return std::nullopt;
  Leer();
  if (!Wort("INTO") || !Trenner()) return std::nullopt;
  Leer();
  if (I >= ASql.size() || std::isdigit(static_cast<unsigned char>(ASql[I])) || !NameZeichen(ASql[I]))
    return std::nullopt;
  while (I < ASql.size() && NameZeichen(ASql[I])) ++I;
  Leer();
  if (!Zeichen('(')) return std::nullopt;
  while (I < ASql.size() &&
         (NameZeichen(ASql[I]) || ASql[I] == ',' || std::isspace(static_cast<unsigned char>(ASql[I]))))
    ++I;
  if (!Zeichen(')')) return std::nullopt;
  Leer();
  if (!Wort("VALUES")) return std::nullopt;
  Leer();
  const size_t Zeile = I;
  if (!Zeichen('(')) return std::nullopt;
  do {
    Leer();
    if (!Zeichen('?')) return std::nullopt;
    Leer();
  } while (Zeichen(','));
  if (!Zeichen(')')) return std::nullopt;
  const size_t ZeilenEnde = I;
  Leer();
  if (I != ASql.size()) return std::nullopt;
  return TPgInsertForm{std::string(ASql.substr(Anfang, Zeile - Anfang)),
                       std::string(ASql.substr(Zeile, ZeilenEnde - Zeile))};
}

std::string PgInsertZeilen(const TPgInsertForm& AForm, size_t AZeilen) {
  std::string Sql = AForm.Kopf;
  Sql.reserve(AForm.Kopf.size() + AZeilen * (AForm.Zeile.size() + 2));
  for (size_t I = 0; I < AZeilen; ++I) Sql += (I ? ", " : "") + AForm.Zeile;
  int Anzahl = 0;
  return PgPlatzhalterNummerieren(Sql, Anzahl);
}

std::string PgTextKodieren(std::string_view AText) {
  std::string Ergebnis;
  Ergebnis.reserve(AText.size());
  for (const char Z : AText) {
    if (Z == '\0' || Z == '\x01') {
      Ergebnis += '\x01';
      Ergebnis += Z == '\0' ? '\x01' : '\x02';
    } else {
      Ergebnis += Z;
    }
  }
  return Ergebnis;
}

std::string PgTextDekodieren(std::string_view AGespeichert) {
  if (AGespeichert.find('\x01') == std::string_view::npos) return std::string(AGespeichert);
  std::string Ergebnis;
  Ergebnis.reserve(AGespeichert.size());
  for (size_t I = 0; I < AGespeichert.size(); ++I) {
    if (AGespeichert[I] == '\x01' && I + 1 < AGespeichert.size()) {
      Ergebnis += AGespeichert[++I] == '\x01' ? '\0' : '\x01';
    } else {
      Ergebnis += AGespeichert[I];
    }
  }
  return Ergebnis;
}
