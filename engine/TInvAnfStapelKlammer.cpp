#include "engine/TInvAnfStapelKlammer.h"

#include <vector>

#include "support/framework/KWDGuard.h"

TInvAnfBlockSchritt::TInvAnfBlockSchritt() { CommonLock().DummyBlockFuerSperren(CQLX_Lock_Inventur); }

TInvAnfBlockSchritt::~TInvAnfBlockSchritt() {
  // A destructor: a failed database is no news here and must not pass on.
  KWDGuard("TQLX_InvAnfMani.DummyUnBlock",
           [] { KWDAusfallUebergehen([] { CommonLock().DummyUnBlock(CQLX_Lock_Inventur); }); });
}

TInvAnfStapelKlammer::TInvAnfStapelKlammer(const std::string& ABuchung)
    : FBuchung(ABuchung), FInBuchung(CommonLock().SperrtInBuchung()) {
  if (!FInBuchung) return;
  if (CommonLock().BlockVorBuchung()) FBlock.emplace();
  FKlammer.emplace(FBuchung, CKWD_Buchung_Bestand);
  FSperrenInBuchung.emplace(CommonLock());
}

TInvAnfStapelKlammer::~TInvAnfStapelKlammer() {
  FSperrenInBuchung.reset();
  FKlammer.reset();  // rolls back unless committed; never throws
  if (!FFrei) KWDGuardStill(FBuchung, [&] { KWDAusfallUebergehen([&] { Entsperren(); }); });
  FBlock.reset();
}

void TInvAnfStapelKlammer::Hinzufuegen(const TInt32Trio& APId, int32_t APos) {
  FBatch.Add(TInt32Quad::Construct(APId.I1, APId.I2, APId.I3, APos));
}

void TInvAnfStapelKlammer::BuchungOeffnen() {
  if (!FKlammer) FKlammer.emplace(FBuchung, CKWD_Buchung_Bestand);
}

void TInvAnfStapelKlammer::Abschliessen() {
  FKlammer->Flush();
  if (FInBuchung) Entsperren();
  FKlammer->Ende();
}

void TInvAnfStapelKlammer::Beenden() {
  FSperrenInBuchung.reset();
  FKlammer.reset();
  Entsperren();
  FBlock.reset();
}

// Done once it succeeded: a failed release inside the booking is tried
// again after the rollback.
void TInvAnfStapelKlammer::Entsperren() {
  if (FFrei) return;
  if (!FBatch.IsEmpty()) {
    TInvAnfBlockSchritt Block;
    std::vector<TInt32Trio> PIds;
    PIds.reserve(static_cast<size_t>(FBatch.Count()));
    for (const TInt32Quad& Q : FBatch) PIds.push_back(TInt32Trio::Construct(Q.I1, Q.I2, Q.I3));
    CommonLock().UnlockProdIds(PIds);
  }
  FFrei = true;
}
