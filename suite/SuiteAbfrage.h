#pragma once
// Prepared statements of one service object on the company connection
// (KWDDatenbank()). A statement is prepared at its first use and reused; the
// object binds to the connection it first used and must not outlive it.
#include <optional>
#include <string_view>

#include "support/db/TDbAbfragen.h"

class TSuiteAbfragen {
 public:
  // The statement for ASql (a code constant), reset and ready to bind.
  TDbStatement& Get(std::string_view ASql);
  // For a query with a small result (TDbConnection::PrepareGanz).
  TDbStatement& GetGanz(std::string_view ASql);
  TDbConnection& Verbindung();

 private:
  std::optional<TDbAbfragen> FAbfragen;
};

// Resets a statement when a read is left early: an unfinished read would keep
// a SQLite snapshot open or block the PostgreSQL connection for other queries.
class TAbfrageEnde {
 public:
  explicit TAbfrageEnde(TDbStatement& AStatement) : FStatement(AStatement) {}
  ~TAbfrageEnde();
  TAbfrageEnde(const TAbfrageEnde&) = delete;
  TAbfrageEnde& operator=(const TAbfrageEnde&) = delete;

 private:
  TDbStatement& FStatement;
};

// Binds a product id to three consecutive parameters starting at AIndex.
struct TInt32Trio;
void BindProdId(TDbStatement& AStatement, int AIndex, const TInt32Trio& APId);
// Reads a product id from three consecutive columns starting at ACol.
TInt32Trio ColumnProdId(const TDbStatement& AStatement, int ACol);
