#pragma once
// The suite's request key record: what the main window hands to the engine
// for each request it acts on.
#include <cstdint>
#include <string>

#include "support/types/KWDDatum.h"

struct TVglInvAnf_Inv {
  int16_t FilNr = 0;            // branch number
  std::string WG;               // product group; empty: all product groups
  int32_t WiJahr = 0;           // fiscal year: calendar year of its first day
  TDateTime Zaehldatum = 0.0;   // counting date
  uint8_t KZZaehlung = 0;       // counting state, an ordinal of TQLX_IA_KZZaehlung

  void Clear() { *this = TVglInvAnf_Inv{}; }
  friend bool operator==(const TVglInvAnf_Inv&, const TVglInvAnf_Inv&) = default;
};
