#include "suite/SuiteAbfrage.h"

#include "support/db/KWDDatenbank.h"
#include "support/types/TInt32Trio.h"

TDbConnection& TSuiteAbfragen::Verbindung() {
  if (!FAbfragen) FAbfragen.emplace(KWDDatenbank());
  return FAbfragen->Verbindung();
}

TDbStatement& TSuiteAbfragen::Get(std::string_view ASql) {
  Verbindung();
  return FAbfragen->Get(ASql);
}

TDbStatement& TSuiteAbfragen::GetGanz(std::string_view ASql) {
  Verbindung();
  return FAbfragen->GetGanz(ASql);
}

TDbStatement& TSuiteAbfragen::GetWiederholt(const TDbAbfragen::TWiederholung& ATeile, size_t AAnzahl, bool AGanz) {
  Verbindung();
  return FAbfragen->GetWiederholt(ATeile, AAnzahl, AGanz);
}

TAbfrageEnde::~TAbfrageEnde() {
  try {
    FStatement.Reset();
  } catch (...) {
    // A failed reset surfaces at the statement's next use; a destructor must not throw.
  }
}

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
