// Removing a request's articles batch by batch under the common lock.
#include <stdexcept>

#include "engine/TInvAnfArtikelEntfernen.h"
#include "engine/TInvAnfSperrDurchgaenge.h"
#include "engine/TInvAnfStapelKlammer.h"
#include "suite/TInvDel.h"
#include "suite/WiJahr.h"
#include "support/framework/KWDGuard.h"

namespace {
constexpr const char* KEntfernen = "TQLX_InvAnfMani.ProduktAusInventurEntfernen";

class TEntfernen : public TInvAnfStapelArbeit {
 public:
  TEntfernen(TInvDel& ADel, const TVglInvAnf_Inv& AAnforderung, TProduktIDListe& AProdIds)
      : FDel(ADel), FAnf(AAnforderung), FErsterTag(ersterTag_WiJahr(AAnforderung.WiJahr)), FProdIds(AProdIds) {}

  int32_t Anzahl() const override { return FProdIds.Count(); }
  TInt32Trio PId(int32_t APos) const override { return FProdIds[APos]; }

  void Bearbeiten(const TSperrBatch& ABatch, TInvAnfStapelKlammer& AKlammer) override {
    for (const TInt32Quad& Q : ABatch)
      if (!FDel.DelInvProdID(FErsterTag, FAnf.Zaehldatum, FAnf.WG, FAnf.FilNr, TInt32Trio::Construct(Q.I1, Q.I2, Q.I3),
                             true))
        throw std::runtime_error("Der Artikel konnte nicht aus der Inventur entfernt werden");
    AKlammer.Abschliessen();
    // Positions are taken out only once the batch is in the database; a
    // failed batch leaves them, so the request is not deleted. Descending
    // positions: each deletion keeps the later positions valid.
    for (const TInt32Quad& Q : ABatch) FProdIds.Delete(Q.I4);
  }

 private:
  TInvDel& FDel;
  const TVglInvAnf_Inv& FAnf;
  TDate FErsterTag;
  TProduktIDListe& FProdIds;
};
}  // namespace

TInvAnfArtikelEntfernen::TInvAnfArtikelEntfernen(TInvDel& ADel, TInvAnfFortschritt& AFortschritt)
    : FDel(ADel), FFortschritt(AFortschritt) {}

bool TInvAnfArtikelEntfernen::ProduktAusInventurEntfernen(const TVglInvAnf_Inv& AAnforderung,
                                                          TProduktIDListe& AProdIds, TMeldungsListe& AMeldungen) {
  bool Weiter = true;
  KWDGuard(KEntfernen, [&] {
    TEntfernen Arbeit(FDel, AAnforderung, AProdIds);
    Weiter = TInvAnfSperrDurchgaenge(FFortschritt, KEntfernen).Ausfuehren(Arbeit, AMeldungen);
  });
  return Weiter;
}
