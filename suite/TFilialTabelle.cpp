#include "suite/TFilialTabelle.h"

#include <algorithm>

#include "suite/GlobInstanz.h"
#include "suite/SuiteAbfrage.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDGuard.h"

namespace {
TGlobInstanz<TFilialTabelle>& Glob() {
  static TGlobInstanz<TFilialTabelle> Instanz;
  return Instanz;
}
}  // namespace

const TFiliale* TFilialen::GetFilialeByNr(int ANr) const {
  auto Stelle = std::lower_bound(FListe.begin(), FListe.end(), ANr,
                                 [](const TFiliale& F, int Nr) { return F.FilNr < Nr; });
  return Stelle != FListe.end() && Stelle->FilNr == ANr ? &*Stelle : nullptr;
}

std::vector<std::string> TFilialen::Zeilen() const {
  std::vector<std::string> Zeilen;
  for (const auto& F : FListe) Zeilen.push_back(std::to_string(F.FilNr));
  return Zeilen;
}

TFilialTabelle::TFilialTabelle() {
  KWDGuard("TFilialTabelle.Create", [&] { Neuladen(); });
}

void TFilialTabelle::Neuladen() {
  std::vector<TFiliale> Liste;
  auto S = KWDDatenbank().Prepare("SELECT filnr, name, lv_benutzen FROM filiale ORDER BY filnr");
  TAbfrageEnde Ende(*S);
  while (S->Step())
    Liste.push_back({static_cast<int16_t>(S->ColumnInt(0)), S->ColumnText(1), S->ColumnInt(2) != 0});
  FFilialen.FListe = std::move(Liste);
}

bool FilialeLVSetzen(int ANr, bool ALV_Benutzen) {
  auto S = KWDDatenbank().Prepare("UPDATE filiale SET lv_benutzen = ? WHERE filnr = ?");
  S->BindInt(1, ALV_Benutzen ? 1 : 0);
  S->BindInt(2, ANr);
  return S->Execute() > 0;
}

TFilialTabelle* GlobFilialTabelle_GetInstance() { return Glob().Get(); }

void GlobFilialTabelle_ReleaseInstance(TFilialTabelle*& AInstanz) {
  Glob().Release(AInstanz, "GlobFilialTabelle_ReleaseInstance");
}
