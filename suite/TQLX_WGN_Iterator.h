#pragma once
// Walks the articles of a product group and all its sub-groups, in product-id
// order, without loading them all: the articles come from the database in
// pages, and no read stays open between two calls (the caller may run other
// queries on the same connection while it iterates).
#include <string>
#include <vector>

#include "suite/SuiteAbfrage.h"
#include "support/types/TInt32Trio.h"

class TQLX_WGN_Iterator {
 public:
  // Positions on the first article whose group in system ASystem ("" = "EIGEN")
  // begins with AWG (blanks around AWG ignored; an empty AWG covers every
  // assigned article). False when there is none, or after a registered error.
  bool Move_First(const std::string& AWG, const std::string& ASystem);
  // The current article; empty (0.0.0) when not positioned.
  TInt32Trio Current_Produkt_ID() const;
  // The current article's own (most detailed) group, as Get_MaxWGN4ProdId
  // would give it, without a further query; "" when not positioned.
  std::string Current_WGN() const;
  // Advances; false after the last article (the iterator is then finished).
  bool Move_Next();

  static constexpr int CSeitenGroesse = 1000;

 private:
  bool SeiteLaden(bool AErste);

  TSuiteAbfragen FSql;
  std::string FWG;
  std::string FSystem;
  struct TArtikel {
    TInt32Trio PId;
    std::string WGN;
  };
  std::vector<TArtikel> FSeite;
  size_t FPos = 0;
  bool FLetzteSeite = true;
};
