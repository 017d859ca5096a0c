#include "suite/ArtBestTypEigenschaften.h"

#include <mutex>
#include <optional>

#include "suite/SuiteAbfrage.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDGuard.h"
#include "support/services/TParameter.h"

namespace {

std::mutex GMutex;
std::optional<TArtBestTyp_Eigenschaften> GCache;
std::string GCacheOrt;  // the company the cache was read from

TArtBestTyp_Eigenschaften Lesen() {
  TArtBestTyp_Eigenschaften Tabelle;
  auto S = KWDDatenbank().Prepare("SELECT besttyp, bezeichnung, parameter, istwert FROM artbesttyp");
  TAbfrageEnde Ende(*S);
  while (S->Step()) {
    const auto Typ = S->ColumnInt(0);
    if (Typ < 0 || Typ >= KKWD_ARTBESTTYP_ANZAHL) continue;
    auto& E = Tabelle.Typ[static_cast<size_t>(Typ)];
    E.Bezeichnung = S->ColumnText(1);
    E.Parameter = S->ColumnText(2);
    E.IstWert = S->ColumnInt(3) != 0;
  }
  for (auto& E : Tabelle.Typ)
    if (!E.Parameter.empty()) E.IstWert = KWDParameter().GetBooleanValueByName(E.Parameter);
  Tabelle.WechselBleibtGezaehlt = KWDParameter().GetBooleanValueByName("INVBFWEC");
  return Tabelle;
}

}  // namespace

TArtBestTyp_Eigenschaften Get_ArtBestTyp_Eigenschaften() {
  return KWDGuard(
      "Get_ArtBestTyp_Eigenschaften",
      [] {
        std::lock_guard Lock(GMutex);
        // another company (tools and tests switch) must not see this one's flags
        if (!GCache || GCacheOrt != KWDDatenbank().Ort()) {
          GCache.reset();
          GCache = Lesen();
          GCacheOrt = KWDDatenbank().Ort();
        }
        return *GCache;
      },
      TArtBestTyp_Eigenschaften{});
}

void ArtBestTypEigenschaften_Update() {
  std::lock_guard Lock(GMutex);
  GCache.reset();
  KWDGuard("ArtBestTypEigenschaften_Update", [] {
    GCache = Lesen();
    GCacheOrt = KWDDatenbank().Ort();
  });
}
