#pragma once
// Supplier data by partner key, shared by the process
// (GlobLiefGPData_GetInstance / GlobLiefGPData_ReleaseInstance). Each supplier
// is read once and kept while the instance lives.
#include <map>
#include <string>

#include "suite/SuiteAbfrage.h"
#include "support/types/TInt32Trio.h"

struct TLiefGPSatz {
  TIntPair GP;           // partner key
  std::string Name;      // the name lists print
  std::string Kurzname;
  std::string Ort;
};

class TLiefGPData {
 public:
  // The supplier with partner key AGP; an empty record (empty texts) when
  // there is none, when AGP is 0/0, or after a registered error.
  TLiefGPSatz GetLiefDataByGep_EmptyDefault(const TIntPair& AGP);

 private:
  TSuiteAbfragen FSql;
  std::map<TIntPair, TLiefGPSatz> FCache;
};

TLiefGPData* GlobLiefGPData_GetInstance();
// Gives the instance back and sets AInstanz to nullptr.
void GlobLiefGPData_ReleaseInstance(TLiefGPData*& AInstanz);
