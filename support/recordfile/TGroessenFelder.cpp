#include "support/recordfile/TGroessenFelder.h"

#include <stdexcept>
#include <string>

TGroessenFelder::TGroessenFelder(TQLX_DBFile& AFile) {
  for (int i = GRIndexMin(); i <= GRIndexMax(); ++i)
    FFelder.push_back(std::make_unique<TIntegerFeld>(AFile, "gr" + std::to_string(i)));
}

TIntegerFeld& TGroessenFelder::Feld(int AIndex) const {
  if (AIndex < GRIndexMin() || AIndex > GRIndexMax())
    throw std::out_of_range("Größenindex " + std::to_string(AIndex) + " außerhalb 1 bis " +
                            std::to_string(GRIndexMax()));
  return *FFelder[AIndex - GRIndexMin()];
}
