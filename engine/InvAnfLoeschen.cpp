// Deleting requests: remove the booked target stock article by article under
// the common lock, then the request record once no article is left.
#include "engine/InvAnfIntern.h"
#include "engine/InvAnfLesen.h"
#include "engine/TInvAnfArtikelEntfernen.h"
#include "engine/TQLX_InvAnfMani.h"
#include "suite/TInvDel.h"
#include "suite/WiJahr.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDLog.h"
#include "support/framework/TKWDInfo.h"
#include "support/types/IABenennung.h"

bool TQLX_InvAnfMani::InventurenLoeschen(const std::vector<TVglInvAnf_Inv>& AAnforderungen,
                                         std::vector<TQLX_clMeldung>& AMeldungen) {
  if (AAnforderungen.empty()) return true;
  FObjekte.InvDel.Bereitstellen();
  bool Ergebnis = true;
  TInvAnfFortschritt& Fortschritt = FObjekte.Fortschritt;
  const TInvAnfFortschritt::TSichtbar Fenster(Fortschritt);
  TProduktIDListe ProdIds(TInt32Trio::ComparerGet());
  TMeldungsListe AnfMeldungen;
  TMeldungsListe Meldungen;
  const bool Durchgelaufen = KWDGuard("TQLX_InvAnfMani.InventurenLoeschen", [&] {
    TInvDel& Del = FObjekte.InvDel.Dienst();
    TInvAnfArtikelEntfernen Entfernen(Del, Fortschritt);
    for (const TVglInvAnf_Inv& Anf : AAnforderungen) {
      // Only the request of exactly this fiscal year: one stored under
      // another is not the one meant and keeps its target stock.
      if (!IAAnforderungLesen(FObjekte.IA.Neu(), Anf)) {
        KWDLogSchreiben("TQLX_InvAnfMani.InventurenLoeschen",
                        IALogAnforderung(Anf.Zaehldatum, Anf.WG, Anf.FilNr) + " gibt es im Wirtschaftsjahr " +
                            std::to_string(Anf.WiJahr) + " nicht: nichts gelöscht.");
        continue;
      }
      const TDate ErsterTag = ersterTag_WiJahr(Anf.WiJahr);
      Fortschritt.ProgressCaption("Lösche Inventur", "", true);
      Del.DelInvDelStart(ErsterTag, Anf.Zaehldatum, Anf.WG, Anf.FilNr);
      Fortschritt.ProgressCaption("Bestimme Artikelliste", "", true);
      // Emptied here as well, so ids a previous request kept are never
      // removed from this one, whatever the service does with the list.
      ProdIds.Clear();
      Del.ProdIDsInInventur(ErsterTag, Anf.Zaehldatum, Anf.WG, Anf.FilNr, ProdIds);
      Fortschritt.ProgressCaption("Enferne Artikel aus Inventur", "", true);
      if (!Entfernen.ProduktAusInventurEntfernen(Anf, ProdIds, AnfMeldungen)) {
        // The database failed: the next request would only fail again.
        Ergebnis = false;
        break;
      }
      if (!ProdIds.IsEmpty()) {
        Ergebnis = false;
      } else {
        Fortschritt.ProgressCaption("Lösche Inventursatz", "", true);
        KWDInfoProcessMessages(300);
        Del.DelInv(ErsterTag, Anf.Zaehldatum, Anf.WG, Anf.FilNr, true);
      }
      for (const TQLX_clMeldung& M : AnfMeldungen) Meldungen.Add(M);
      AnfMeldungen.Clear();
    }
  });
  for (const TQLX_clMeldung& M : AnfMeldungen) Meldungen.Add(M);
  AMeldungen = Meldungen.ToArray();
  return Ergebnis && Durchgelaufen;
}
