#pragma once
// The size quantities gr1 .. gr40 of a size-holding record file.
#include <memory>
#include <vector>

#include "support/recordfile/TDatenfeld.h"

class TGroessenFelder {
 public:
  explicit TGroessenFelder(TQLX_DBFile& AFile);
  // Lowest and highest size index a record holds.
  static constexpr int GRIndexMin() { return 1; }
  static constexpr int GRIndexMax() { return RF_GROESSEN; }
  // Size quantity AIndex (GRIndexMin .. GRIndexMax); std::out_of_range outside.
  int32_t GetGR_MESU(int AIndex) const { return Feld(AIndex).GetWert(); }
  void SetGR_MESU(int AIndex, int32_t AMenge) { Feld(AIndex).SetWert(AMenge); }
  TIntegerFeld& Feld(int AIndex) const;

 private:
  std::vector<std::unique_ptr<TIntegerFeld>> FFelder;
};
