#include "tools/invanf-cli/CliZiel.h"

#include <optional>

#include "support/framework/KWDDateiZiel.h"
#include "tools/invanf-cli/CliPruefen.h"

bool CliZielePruefen(const std::vector<TCliZiel>& AZiele) {
  std::vector<std::optional<TKWDDateiZiel>> Aufgeloest;
  for (const TCliZiel& Z : AZiele) {
    Aufgeloest.emplace_back();
    if (Z.Pfad.empty()) continue;
    try {
      Aufgeloest.back().emplace(Z.Pfad);
    } catch (const EKWDZielAbgelehnt& E) {
      return CliAbgelehnt(E.what());
    }
    for (size_t J = 0; J + 1 < Aufgeloest.size(); ++J)
      if (Aufgeloest[J] && Aufgeloest[J]->IstDieselbeDatei(*Aufgeloest.back()))
        return CliAbgelehnt(std::string(AZiele[J].Option) + " und " + Z.Option +
                            " nennen dieselbe Datei: bitte verschiedene Dateinamen angeben.");
  }
  for (size_t I = 0; I < AZiele.size(); ++I)
    if (Aufgeloest[I]) AZiele[I].Pfad = Aufgeloest[I]->Pfad();
  return true;
}

bool CliZielPruefen(const TCliZiel& AZiel) {
  if (AZiel.Pfad.empty()) return CliAbgelehnt(std::string("Bitte mit ") + AZiel.Option + " " + AZiel.Was + " angeben.");
  return CliZielePruefen({AZiel});
}
