#include "support/framework/EKWDSatzFehler.h"

#include <new>
#include <system_error>

#include "support/framework/KWDSystemFehler.h"

// The base is built before the members take the texts over.
EKWDSatzFehler::EKWDSatzFehler(const std::string& ASatz, std::string ATechnisch)
    : std::runtime_error(ASatz.empty() ? ATechnisch : ASatz), FSatz(ASatz), FTechnisch(std::move(ATechnisch)) {}

TKWDFehlerTeile KWDFehlerTeile(const std::exception& AE) {
  if (const auto* S = dynamic_cast<const EKWDSatzFehler*>(&AE))
    return {S->Satz().empty() ? S->ErsatzSatz() : S->Satz(), S->Technisch()};
  if (dynamic_cast<const std::bad_alloc*>(&AE)) return {"Der Arbeitsspeicher reicht nicht aus.", AE.what()};
  if (const auto* S = dynamic_cast<const std::system_error*>(&AE)) {
    const bool Posix = S->code().category() == std::generic_category() || S->code().category() == std::system_category();
    return {"Ein Fehler des Betriebssystems ist aufgetreten" +
                (Posix ? ": " + KWDSystemFehlerText(S->code().value()) : std::string()) + ".",
            AE.what()};
  }
  const std::string Text = AE.what();
  return {Text.empty() ? "Es ist ein Fehler aufgetreten." : Text, {}};
}

std::string KWDFehlerLogText(const TKWDFehlerTeile& ATeile) {
  return ATeile.Technisch.empty() ? ATeile.Satz : ATeile.Satz + " -- technisch: " + ATeile.Technisch;
}
