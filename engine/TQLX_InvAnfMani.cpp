// Counting one request's articles; completion and deletion are in files of
// their own, creation in InvAnfAnlegen.cpp.
#include "engine/TQLX_InvAnfMani.h"

#include "engine/TInvAnfAuswahl.h"
#include "support/framework/KWDGuard.h"

void TQLX_InvAnfMani::InventurAnforderungArtZaehlen(const TVglInvAnf_Inv& AAnforderung, int& ATotal, int& ADa) {
  TInventurListe Inventuren;
  TWarengruppenListe Warengruppen;
  TFilialListe Filialen;
  const TInvAnfFortschritt::TSichtbar Fenster(FObjekte.Fortschritt);
  KWDGuard("TQLX_InvAnfMani.InventurAnforderungArtZaehlen", [&] {
    FObjekte.Fortschritt.ProgressCaption("Lade Inventureliste", "", true);
    TInvAnfAuswahl Auswahl(TInvAnfAuswahl::Bedarf(FObjekte));
    // Counts of a list a failed step left half built would mislead: then
    // neither is assigned (the failure is registered).
    if (!Auswahl.UnvollstaendigeInventurenLaden({AAnforderung}, &Inventuren, &Warengruppen, &Filialen)) return;
    if (Inventuren.IsEmpty()) return;
    Auswahl.ArtikelZaehlen(Inventuren, Warengruppen, Filialen, ATotal, ADa);
  });
}
