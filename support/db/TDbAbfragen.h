#pragma once
// Prepared statements of one object on one connection: a statement is
// prepared at its first use and reused, so a statement whose text is a code
// constant (or depends only on a count) is parsed once per object.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "support/db/TDbConnection.h"

class TDbAbfragen {
 public:
  explicit TDbAbfragen(TDbConnection& AVerbindung) : FVerbindung(AVerbindung) {}

  // The statement for ASql, reset and ready to bind. GetGanz: a query with a
  // small result, read whole (TDbConnection::PrepareGanz).
  TDbStatement& Get(std::string_view ASql) { return Holen(ASql, false); }
  TDbStatement& GetGanz(std::string_view ASql) { return Holen(ASql, true); }

  // A statement for many keys at once: AKopf, then AStueck AAnzahl times
  // joined by ATrenner, then AFuss. Found again by its parts, so a long
  // text is built only once.
  struct TWiederholung {
    std::string_view Kopf, Stueck, Trenner, Fuss;
  };
  TDbStatement& GetWiederholt(const TWiederholung& ATeile, size_t AAnzahl, bool AGanz = false);

  TDbConnection& Verbindung() const { return FVerbindung; }

 private:
  struct THash {
    using is_transparent = void;
    size_t operator()(std::string_view A) const { return std::hash<std::string_view>{}(A); }
  };
  using TStatements = std::unordered_map<std::string, std::unique_ptr<TDbStatement>, THash, std::equal_to<>>;

  TDbStatement& Holen(std::string_view ASql, bool AGanz);

  TDbConnection& FVerbindung;
  TStatements FStatements, FGanz;
  TStatements FWiederholt;  // by the parts, count and kind
};
