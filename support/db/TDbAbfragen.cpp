#include "support/db/TDbAbfragen.h"

TDbStatement& TDbAbfragen::Holen(std::string_view ASql, bool AGanz) {
  TStatements& Liste = AGanz ? FGanz : FStatements;
  auto It = Liste.find(ASql);
  if (It == Liste.end())
    It = Liste.emplace(std::string(ASql), AGanz ? FVerbindung.PrepareGanz(ASql) : FVerbindung.Prepare(ASql)).first;
  else
    It->second->Reset();
  return *It->second;
}

TDbStatement& TDbAbfragen::GetWiederholt(const TWiederholung& ATeile, size_t AAnzahl, bool AGanz) {
  std::string Schluessel;
  Schluessel.reserve(ATeile.Kopf.size() + ATeile.Stueck.size() + ATeile.Trenner.size() + ATeile.Fuss.size() + 24);
  Schluessel.append(ATeile.Kopf).append(1, '\0').append(ATeile.Stueck).append(1, '\0').append(ATeile.Trenner);
  Schluessel.append(1, '\0').append(ATeile.Fuss).append(1, '\0').append(std::to_string(AAnzahl)).append(AGanz ? "G" : "S");
  auto It = FWiederholt.find(Schluessel);
  if (It != FWiederholt.end()) {
    It->second->Reset();
    return *It->second;
  }
  std::string Sql(ATeile.Kopf);
  for (size_t I = 0; I < AAnzahl; ++I) Sql.append(I ? ATeile.Trenner : std::string_view()).append(ATeile.Stueck);
  Sql.append(ATeile.Fuss);
  auto Stmt = AGanz ? FVerbindung.PrepareGanz(Sql) : FVerbindung.Prepare(Sql);
  return *FWiederholt.emplace(std::move(Schluessel), std::move(Stmt)).first->second;
}
