// Completing requests: book the target stock of every article the requests
// cover, batch by batch under the common lock, then open the requests whose
// articles are all booked.
#include "engine/TInvAnfAuswahl.h"
#include "engine/TInvAnfSollBuchung.h"
#include "engine/TQLX_InvAnfMani.h"
#include "support/framework/KWDGuard.h"

bool TQLX_InvAnfMani::InventurAnforderungVervollstaendigen(const std::vector<TVglInvAnf_Inv>& AAnforderungen,
                                                           std::vector<TQLX_clMeldung>& AMeldungen) {
  TInventurListe Inventuren;
  TWarengruppenListe Warengruppen;
  TFilialListe Filialen;
  auto ToDo = TInvAnfAuswahl::ToDoListeErzeugen();
  TMeldungsListe Meldungen;
  TInvAnfFortschritt& Fortschritt = FObjekte.Fortschritt;
  const TInvAnfFortschritt::TSichtbar Fenster(Fortschritt);
  return KWDGuard(
      "TQLX_InvAnfMani.InventurAnforderungVervollstaendigen",
      [&] {
        Fortschritt.ProgressCaption("Lade Inventureliste", "", true);
        TInvAnfAuswahl Auswahl(TInvAnfAuswahl::Bedarf(FObjekte));
        if (!Auswahl.UnvollstaendigeInventurenLaden(AAnforderungen, &Inventuren, &Warengruppen, &Filialen))
          return false;
        if (Inventuren.IsEmpty()) return true;
        Fortschritt.ProgressCaption("Bestimme Artikelliste", "", true);
        // A list a failed step left half built may hold articles the requests
        // do not cover, and lacks others: nothing is booked or opened from it.
        if (!Auswahl.ProduktIDs_ToDoListeLaden(Inventuren, Warengruppen, Filialen, *ToDo)) {
          AMeldungen = Meldungen.ToArray();
          return false;
        }
        Fortschritt.ProgressCaption("Sollbestand einbuchen", "", false);
        TInvAnfSollBuchung Buchung(
            {FObjekte.IA, FObjekte.IV, FObjekte.BF, FObjekte.FVK, FObjekte.SPReader, Fortschritt});
        if (!Buchung.SollBestandBuchen(Inventuren, *ToDo, Meldungen)) {
          // The database failed: opening would only fail again. A rerun
          // books the rest and opens them.
          AMeldungen = Meldungen.ToArray();
          return false;
        }
        Fortschritt.ProgressCaption("Passe Inventuren an", "", true);
        Buchung.InventurenOeffnen(Inventuren, *ToDo);
        AMeldungen = Meldungen.ToArray();
        return ToDo->IsEmpty();
      },
      false);
}
