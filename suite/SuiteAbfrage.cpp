#include "suite/SuiteAbfrage.h"

#include "support/db/KWDDatenbank.h"

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
