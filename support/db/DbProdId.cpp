#include "support/db/DbProdId.h"

#include <string>

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

int BindProdIdListen(TDbStatement& AStatement, int AIndex, const std::vector<TInt32Trio>& APIds) {
  std::string Listen[3] = {"{", "{", "{"};
  for (size_t I = 0; I < APIds.size(); ++I) {
    const char* Trenner = I ? "," : "";
    Listen[0] += Trenner + std::to_string(APIds[I].I1);
    Listen[1] += Trenner + std::to_string(APIds[I].I2);
    Listen[2] += Trenner + std::to_string(APIds[I].I3);
  }
  for (int K = 0; K < 3; ++K) AStatement.BindText(AIndex + K, Listen[K] + "}");
  return AIndex + 3;
}
