#pragma once
// Prepared statements of one object on one connection: a statement is
// prepared at its first use and reused, so a statement whose text is a code
// constant (or depends only on a count) is parsed once per object.
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
  TDbConnection& Verbindung() const { return FVerbindung; }

 private:
  TDbStatement& Holen(std::string_view ASql, bool AGanz);

  TDbConnection& FVerbindung;
  std::unordered_map<std::string, std::unique_ptr<TDbStatement>> FStatements;
};
