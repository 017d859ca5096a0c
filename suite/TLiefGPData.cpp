#include "suite/TLiefGPData.h"

#include "suite/GlobInstanz.h"
#include "support/framework/KWDGuard.h"

namespace {
TGlobInstanz<TLiefGPData>& Glob() {
  static TGlobInstanz<TLiefGPData> Instanz;
  return Instanz;
}
}  // namespace

TLiefGPSatz TLiefGPData::GetLiefDataByGep_EmptyDefault(const TIntPair& AGP) {
  return KWDGuard(
      "TLiefGPData.GetLiefDataByGep_EmptyDefault",
      [&] {
        if (AGP == TIntPair{}) return TLiefGPSatz{};
        if (auto Gefunden = FCache.find(AGP); Gefunden != FCache.end()) return Gefunden->second;
        auto& S = FSql.Get("SELECT name, kurzname, ort FROM lieferant WHERE gp1 = ? AND gp2 = ?");
        TAbfrageEnde Ende(S);
        S.BindInt(1, AGP.I1);
        S.BindInt(2, AGP.I2);
        TLiefGPSatz Satz{AGP, {}, {}, {}};
        if (S.Step()) {
          Satz.Name = S.ColumnText(0);
          Satz.Kurzname = S.ColumnText(1);
          Satz.Ort = S.ColumnText(2);
        }
        // unknown keys are kept too: a list prints many articles of one supplier
        FCache.emplace(AGP, Satz);
        return Satz;
      },
      TLiefGPSatz{});
}

TLiefGPData* GlobLiefGPData_GetInstance() { return Glob().Get(); }

void GlobLiefGPData_ReleaseInstance(TLiefGPData*& AInstanz) { Glob().Release(AInstanz, "GlobLiefGPData_ReleaseInstance"); }
