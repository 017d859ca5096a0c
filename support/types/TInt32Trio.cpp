#include "support/types/TInt32Trio.h"

std::string TInt32Trio::ToString() const {
  return std::to_string(I1) + "." + std::to_string(I2) + "." + std::to_string(I3);
}
