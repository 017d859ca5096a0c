#pragma once
// The target stock the demo has already booked for its requests: stock-take
// rows of one article, exactly as completing the request would have written
// them, with the request values growing by their purchase-price value.
#include <functional>
#include <vector>

#include "suite/demo/DemoArtikel.h"

struct TDemoInventurZeile {
  size_t Anforderung = 0;  // position in TDemoPlan::Anforderungen
  int BestTyp = 1;
  int32_t Sollmenge = 0;
  std::array<int32_t, DEMO_GROESSEN> Menge{};
};

// AIstWert: whether a stock type's value counts into the actual value of a
// request not counted yet. Adds the booked values to the requests' sums in
// AAnforderungen.
std::vector<TDemoInventurZeile> DemoInventurBuchen(const TDemoArtikel& AArt,
                                                   std::vector<TDemoAnforderung>& AAnforderungen,
                                                   const TDemoStatus& AStatus,
                                                   const std::function<bool(int)>& AIstWert, uint64_t ASeed);
