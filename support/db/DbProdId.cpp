#include "support/db/DbProdId.h"

void BindProdId(TDbStatement& AStatement, int AIndex, const TInt32Trio& APId) {
  AStatement.BindInt(AIndex, APId.I1);
  AStatement.BindInt(AIndex + 1, APId.I2);
  AStatement.BindInt(AIndex + 2, APId.I3);
}

TInt32Trio ColumnProdId(const TDbStatement& AStatement, int ACol) {
  return TInt32Trio::Construct(static_cast<int32_t>(AStatement.ColumnInt(ACol)),
                               static_cast<int32_t>(AStatement.ColumnInt(ACol + 1)),
                               static_cast<int32_t>(AStatement.ColumnInt(ACol + 2)));
}
