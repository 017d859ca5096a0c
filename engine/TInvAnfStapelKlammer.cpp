#include "engine/TInvAnfStapelKlammer.h"

#include <vector>

#include "support/framework/KWDGuard.h"

TInvAnfBlockSchritt::TInvAnfBlockSchritt() { CommonLock().DummyBlockFuerSperren(CQLX_Lock_Inventur); }

TInvAnfBlockSchritt::~TInvAnfBlockSchritt() {
  // A destructor: a failed database is no news here and must not pass on.
  KWDGuard("TQLX_InvAnfMani.DummyUnBlock",
           [] { KWDAusfallUebergehen([] { CommonLock().DummyUnBlock(CQLX_Lock_Inventur); }); });
}

std::vector<bool> TInvAnfStapelKlammer::TSperrSchritt::SperrePIDs(const std::vector<TInt32Trio>& APIds,
                                                                 int32_t AErstePos) {
  // Any other failure only costs speed: every id then takes the single path.
  const std::vector<bool> Gesperrt = KWDGuard(
      "TQLX_InvAnfMani.SperrePID", [&] { return CommonLock().LockProdIds(APIds); },
      std::vector<bool>(APIds.size(), false));
  for (size_t I = 0; I < APIds.size(); ++I)
    if (Gesperrt[I]) FKlammer.Hinzufuegen(APIds[I], AErstePos - static_cast<int32_t>(I));
  return Gesperrt;
}

bool TInvAnfStapelKlammer::TSperrSchritt::SperrePID(const TInt32Trio& APId, int32_t APos, bool AMitMeldung,
                                                    TQLX_clMeldung& AMeldung) {
  // A failing database is no refused lock: the guard lets it pass and the passes end.
  const bool Gesperrt = KWDGuard(
      "TQLX_InvAnfMani.SperrePID",
      [&] {
        if (!AMitMeldung) return CommonLock().LockProdId(APId, false);
        AMeldung.Clear();
        return CommonLock().LockProdId(APId, AMeldung, false);
      },
      false);
  if (Gesperrt) FKlammer.Hinzufuegen(APId, APos);
  return Gesperrt;
}

TInvAnfStapelKlammer::TInvAnfStapelKlammer(const std::string& ABuchung)
    : FBuchung(ABuchung), FInBuchung(CommonLock().SperrtInBuchung()) {
  if (!FInBuchung) return;
  if (CommonLock().BlockVorBuchung()) FBlock.emplace();
  FKlammer.emplace(FBuchung, CKWD_Buchung_Bestand);
  FSperrenInBuchung.emplace(CommonLock());
}

TInvAnfStapelKlammer::~TInvAnfStapelKlammer() { Ende(true); }

// In descending position, the order the work takes its entries out of its
// list in, whatever order the lock step obtained them in.
void TInvAnfStapelKlammer::Hinzufuegen(const TInt32Trio& APId, int32_t APos) {
  int32_t Ziel = FBatch.Count();
  while (Ziel > 0 && FBatch.GetItem_Ptr(Ziel - 1)->I4 < APos) --Ziel;
  FBatch.Insert(Ziel, TInt32Quad::Construct(APId.I1, APId.I2, APId.I3, APos));
}

void TInvAnfStapelKlammer::BuchungOeffnen() {
  if (!FKlammer) FKlammer.emplace(FBuchung, CKWD_Buchung_Bestand);
}

void TInvAnfStapelKlammer::Abschliessen() {
  FKlammer->Flush();
  if (FInBuchung) Entsperren();
  FKlammer->Ende();
}

void TInvAnfStapelKlammer::Beenden() { Ende(false); }

void TInvAnfStapelKlammer::Ende(bool AStill) {
  FSperrenInBuchung.reset();
  FKlammer.reset();  // rolls back unless committed; never throws
  if (!AStill)
    Entsperren();
  else if (!FFrei)
    KWDGuardStill(FBuchung, [&] { KWDAusfallUebergehen([&] { Entsperren(); }); });
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
