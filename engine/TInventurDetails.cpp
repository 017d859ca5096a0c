#include "engine/TInventurDetails.h"

#include <algorithm>

#include "support/framework/KWDGuard.h"

void TProduktID_Indizee::AddInd(int32_t AInd) {
  KWDGuard("TProduktID_Indizee.AddInd", [&] {
    if (std::find(Ind.begin(), Ind.end(), AInd) == Ind.end()) Ind.push_back(AInd);
  });
}

void TProduktID_Indizee::RemoveInd(int32_t AInd) {
  KWDGuard("TProduktID_Indizee.RemoveInd", [&] {
    // From the back: of two equal entries the later one goes.
    const auto Treffer = std::find(Ind.rbegin(), Ind.rend(), AInd);
    if (Treffer != Ind.rend()) Ind.erase(std::next(Treffer).base());
  });
}

void TProduktID_FilNrn::AddFil(int32_t AFil) {
  KWDGuard("TProduktID_FilNrn.AddFil", [&] {
    const auto Fil = static_cast<int16_t>(AFil);
    if (std::find(FilNrn.rbegin(), FilNrn.rend(), Fil) == FilNrn.rend()) FilNrn.push_back(Fil);
  });
}
