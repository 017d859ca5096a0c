#include "support/db/TDbAbfragen.h"

TDbStatement& TDbAbfragen::Holen(std::string_view ASql, bool AGanz) {
  auto& Eintrag = FStatements[(AGanz ? "G" : "S") + std::string(ASql)];
  if (!Eintrag)
    Eintrag = AGanz ? FVerbindung.PrepareGanz(ASql) : FVerbindung.Prepare(ASql);
  else
    Eintrag->Reset();
  return *Eintrag;
}
