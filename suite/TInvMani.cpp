#include "suite/TInvMani.h"

#include <algorithm>

#include "support/framework/KWDGuard.h"

namespace {
// Walks the distinct values along the index that starts with wijahr, one
// index probe per fiscal year, instead of reading every stock-take record.
constexpr const char* CAnforderungJahre =
    "WITH RECURSIVE j(w) AS ("
    " SELECT min(wijahr) FROM inventuranforderung"
    " UNION ALL SELECT (SELECT min(wijahr) FROM inventuranforderung WHERE wijahr > j.w) FROM j WHERE j.w IS NOT NULL"
    ") SELECT w FROM j WHERE w IS NOT NULL";
constexpr const char* CInventurJahre =
    "WITH RECURSIVE j(w) AS ("
    " SELECT min(wijahr) FROM inventur"
    " UNION ALL SELECT (SELECT min(wijahr) FROM inventur WHERE wijahr > j.w) FROM j WHERE j.w IS NOT NULL"
    ") SELECT w FROM j WHERE w IS NOT NULL";
}  // namespace

std::vector<TDate> TInvMani::Inv_get_WiJahrArray() {
  std::vector<TDate> Jahre;
  KWDGuard("TInvMani.Inv_get_WiJahrArray", [&] {
    for (const char* Sql : {CAnforderungJahre, CInventurJahre}) {
      auto& S = FSql.Get(Sql);
      TAbfrageEnde Ende(S);
      while (S.Step()) {
        const TDate Jahr = DateOf(S.ColumnDouble(0));
        // 0 and below: a record without fiscal year, not a year to offer
        if (Jahr > 0) Jahre.push_back(Jahr);
      }
    }
    std::sort(Jahre.begin(), Jahre.end());
    Jahre.erase(std::unique(Jahre.begin(), Jahre.end()), Jahre.end());
  });
  return Jahre;
}
