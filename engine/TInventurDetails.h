#pragma once
// The engine's working records: one request as the engine sees it, one
// article of the to-do list, one article with the branches it is present in.
#include <cstdint>
#include <functional>
#include <vector>

#include "support/list/TQLX_Comparer.h"
#include "support/types/KWDDatum.h"
#include "support/types/TInt32Trio.h"
#include "support/types/TVglInvAnf_Inv.h"

struct TInventurDetails {
  TVglInvAnf_Inv InvAnf;  // branch, group, fiscal year (calendar year), counting date, state
  double EKSoll = 0.0;    // target purchase value as stored, growing while booking
  double EKIst = 0.0;     // actual purchase value
  TDate WiJahr = 0.0;     // fiscal-year date exactly as the request file holds it

  void Clear() {
    InvAnf.Clear();
    EKSoll = 0.0;
    EKIst = 0.0;
    WiJahr = 0.0;
  }
};

// One article of the to-do list with the positions (in the request list) of
// the requests that still have to book it.
struct TProduktID_Indizee {
  TInt32Trio PId;
  std::vector<int32_t> Ind;

  void clear() {
    PId.Clear();
    Ind.clear();
  }
  void AddInd(int32_t AInd);
  // Removes the last occurrence of AInd; unchanged when it is absent.
  void RemoveInd(int32_t AInd);
  static int Compare(const TProduktID_Indizee& A, const TProduktID_Indizee& B) {
    return TInt32Trio::Compare(A.PId, B.PId);
  }
  // A lambda, so sorting and searching the to-do list inline the comparison.
  static TComparer<TProduktID_Indizee> ComparerGet() {
    return TComparer<TProduktID_Indizee>([](const TProduktID_Indizee& A, const TProduktID_Indizee& B) { return Compare(A, B); });
  }
};

// One article with the branches it counts as present in (insertion order).
struct TProduktID_FilNrn {
  TInt32Trio PId;
  std::vector<int16_t> FilNrn;

  void clear() {
    PId.Clear();
    FilNrn.clear();
  }
  void AddFil(int32_t AFil);
  static int Compare(const TProduktID_FilNrn& A, const TProduktID_FilNrn& B) {
    return TInt32Trio::Compare(A.PId, B.PId);
  }
  static TComparer<TProduktID_FilNrn> ComparerGet() {
    return TComparer<TProduktID_FilNrn>([](const TProduktID_FilNrn& A, const TProduktID_FilNrn& B) { return Compare(A, B); });
  }
};
