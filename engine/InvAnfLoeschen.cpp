// Deleting requests: remove the booked target stock article by article under
// the common lock, then the request record once no article is left.
#include <functional>

#include "engine/InvAnfIntern.h"
#include "engine/TQLX_InvAnfMani.h"
#include "suite/TInvDel.h"
#include "suite/WiJahr.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDLog.h"
#include "support/framework/TKWDInfo.h"

using InvAnfIntern::Bereit;

namespace {
constexpr const char* KEntfernen = "TQLX_InvAnfMani.ProduktAusInventurEntfernen";
}  // namespace

bool TQLX_InvAnfMani::InventurenLoeschen(const std::vector<TVglInvAnf_Inv>& AAnforderungen,
                                         std::vector<TQLX_clMeldung>& AMeldungen) {
  if (AAnforderungen.empty()) return true;
  InvDel_CiN();
  bool Ergebnis = true;
  ProgressShow(false);
  TProduktIDListe ProdIds(TInt32Trio::ComparerGet());
  TMeldungsListe AnfMeldungen;
  TMeldungsListe Meldungen;
  const bool Durchgelaufen = KWDGuard("TQLX_InvAnfMani.InventurenLoeschen", [&] {
    TInvDel& Del = Bereit(FInvDel, "Der Inventur-Löschdienst");
    for (const TVglInvAnf_Inv& Anf : AAnforderungen) {
      // Only the request of exactly this fiscal year: one stored under
      // another is not the one meant and keeps its target stock.
      if (!AnforderungBesteht(Anf)) {
        KWDLogSchreiben("TQLX_InvAnfMani.InventurenLoeschen",
                        "Inventur vom " + FormatDatum(Anf.Zaehldatum) + ", Warengruppe \"" + Anf.WG + "\", Filiale " +
                            std::to_string(Anf.FilNr) + " gibt es im Wirtschaftsjahr " + std::to_string(Anf.WiJahr) +
                            " nicht: nichts gelöscht.");
        continue;
      }
      const TDate ErsterTag = ersterTag_WiJahr(Anf.WiJahr);
      ProgressCaption("Lösche Inventur", "", true);
      Del.DelInvDelStart(ErsterTag, Anf.Zaehldatum, Anf.WG, Anf.FilNr);
      ProgressCaption("Bestimme Artikelliste", "", true);
      // Emptied here as well, so ids a previous request kept are never
      // removed from this one, whatever the service does with the list.
      ProdIds.Clear();
      Del.ProdIDsInInventur(ErsterTag, Anf.Zaehldatum, Anf.WG, Anf.FilNr, ProdIds);
      ProgressCaption("Enferne Artikel aus Inventur", "", true);
      if (!ProduktAusInventurEntfernen(Anf, ProdIds, AnfMeldungen)) {
        // The database failed (registered once): the next request would only fail again.
        Ergebnis = false;
        break;
      }
      if (!ProdIds.IsEmpty()) {
        Ergebnis = false;
      } else {
        ProgressCaption("Lösche Inventursatz", "", true);
        KWDInfoProcessMessages(300);
        Del.DelInv(ErsterTag, Anf.Zaehldatum, Anf.WG, Anf.FilNr, true);
      }
      for (const TQLX_clMeldung& M : AnfMeldungen) Meldungen.Add(M);
      AnfMeldungen.Clear();
    }
  });
  for (const TQLX_clMeldung& M : AnfMeldungen) Meldungen.Add(M);
  AMeldungen = Meldungen.ToArray();
  ProgressHide();
  return Ergebnis && Durchgelaufen;
}

bool TQLX_InvAnfMani::ProduktAusInventurEntfernen(const TVglInvAnf_Inv& AAnforderung, TProduktIDListe& AProdIds,
                                                  TMeldungsListe& AMeldungen) {
  bool Ausgefallen = false;
  KWDGuard(KEntfernen, [&] {
    InvDel_CiN();
    TInvDel& Del = Bereit(FInvDel, "Der Inventur-Löschdienst");
    const TDate ErsterTag = ersterTag_WiJahr(AAnforderung.WiJahr);
    SperrDurchgaenge(
        [&] { return AProdIds.Count(); }, [&](int32_t APos) { return AProdIds[APos]; },
        KEntfernen,
        [&](const TSperrBatch& ABatch, const std::function<void()>& AAbschliessen) {
          // Positions are taken out only once the batch is in the database;
          // a failed batch leaves them, so the request is not deleted.
          for (const TInt32Quad& Q : ABatch)
            if (!Del.DelInvProdID(ErsterTag, AAnforderung.Zaehldatum, AAnforderung.WG, AAnforderung.FilNr,
                                  TInt32Trio::Construct(Q.I1, Q.I2, Q.I3), true))
              throw std::runtime_error("Der Artikel konnte nicht aus der Inventur entfernt werden");
          AAbschliessen();
          // Descending positions: each deletion keeps the later positions valid.
          for (const TInt32Quad& Q : ABatch) AProdIds.Delete(Q.I4);
        },
        AMeldungen, Ausgefallen);
  });
  return !Ausgefallen;
}
