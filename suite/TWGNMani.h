#pragma once
// The product-group manager: which group an article belongs to, the groups'
// texts and the search over them. One instance is shared by the whole process
// (GlobWGNMani_GetInstance / GlobWGNMani_ReleaseInstance).
#include <optional>
#include <string>
#include <vector>

#include "suite/SuiteAbfrage.h"
#include "support/types/TInt32Trio.h"

struct TWarengruppe {
  std::string WGNr;         // key, e.g. "105"
  std::string Bezeichnung;  // text
};

class TWGNMani {
 public:
  // The most detailed group of APId in the system ASystem ("" = "EIGEN"):
  // a key that begins with every coarser group containing the article.
  // "" when the article has no group there (or after a registered error).
  std::string Get_MaxWGN4ProdId(const TInt32Trio& APId, const std::string& ASystem);
  // The same for the own system, as the two texts a list prints: AWGNNr (the
  // product-group number) and AWG (the product group) both receive the key of
  // the article's most detailed group; in this suite a group's number is its
  // key. False (both emptied) when the article has no group.
  bool Get_MaxWGN4ProdId(const TInt32Trio& APId, std::string& AWGNNr, std::string& AWG);
  // Text of a group of the own system: the group AWGNNr, or AWG when AWGNNr is
  // empty (the pair Get_MaxWGN4ProdId gives); "" for an unknown group.
  std::string Get_GWNText(const std::string& AWG, const std::string& AWGNNr);
  // Every group of the system in key order, for the product-group search.
  std::vector<TWarengruppe> Warengruppen(const std::string& ASystem = "");
  // Groups whose key begins with ASuchtext or whose text contains it (letters
  // compared without regard to case); all groups for an empty text.
  std::vector<TWarengruppe> WGNSuchen(const std::string& ASuchtext, const std::string& ASystem = "");

 private:
  std::optional<std::string> GruppeLesen(const TInt32Trio& APId, const std::string& ASystem);

  TSuiteAbfragen FSql;
};

TWGNMani* GlobWGNMani_GetInstance();
// Gives the instance back and sets AInstanz to nullptr.
void GlobWGNMani_ReleaseInstance(TWGNMani*& AInstanz);
