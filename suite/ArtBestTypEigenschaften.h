#pragma once
// Properties of the 24 stock types (table artbesttyp), cached for the process.
//
// The actual-value flag (IstWert) says that stock of the type counts as
// counted from the start: completion adds its value to the request's actual
// value as well as to its target value. For the five stock kinds that may be
// out of the house (advised, approval, complaint, return, reserved) the
// company decides it through the stock-take parameters "INVAVIS", "INVAUSWA",
// "INVREKLA", "INVRETOU", "INVRESER" (the table names the parameter of each
// such type); every other type takes the flag stored in the table.
#include <array>
#include <string>

#include "support/types/TKWD_ArtBestTyp.h"

struct TArtBestTyp_Eigenschaft {
  std::string Bezeichnung;
  std::string Parameter;  // the stock-take parameter that decides IstWert, or ""
  bool IstWert = false;   // the actual-value flag
};

struct TArtBestTyp_Eigenschaften {
  std::array<TArtBestTyp_Eigenschaft, KKWD_ARTBESTTYP_ANZAHL> Typ;
  // "INVBFWEC": stock regarded as counted that changes into a kind to be
  // counted stays regarded as counted.
  bool WechselBleibtGezaehlt = false;

  const TArtBestTyp_Eigenschaft& operator[](int AOrdinal) const { return Typ.at(static_cast<size_t>(AOrdinal)); }
};

// The cached table; read on first use. When it cannot be read the error is
// registered under "Get_ArtBestTyp_Eigenschaften" and every flag reads false
// (all stock must be counted), and the next call tries again.
TArtBestTyp_Eigenschaften Get_ArtBestTyp_Eigenschaften();
// Reads the table and the six stock-kind parameters again (after they were
// saved). A failure is registered under "ArtBestTypEigenschaften_Update" and
// leaves the cache empty, so the next Get reads again.
void ArtBestTypEigenschaften_Update();
