// The locking passes that completion and deletion share: lock a batch of
// articles inside block 11, work on it, unlock it, and come back later for
// the articles other programs held.
#include "engine/TQLX_InvAnfMani.h"
#include "suite/TArtikelTools.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDPause.h"
#include "support/services/TCommonLock.h"

namespace {
constexpr int KBatchGroesse = 20;
constexpr int KDurchgaenge = 5;
constexpr int KPauseMs = 2000;

// Holds block 11 for one lock or unlock step; released also on failure.
class TBlockSchritt {
 public:
  TBlockSchritt() { CommonLock().DummyBlock(CQLX_Lock_Inventur); }
  ~TBlockSchritt() {
    KWDGuard("TQLX_InvAnfMani.DummyUnBlock", [] { CommonLock().DummyUnBlock(CQLX_Lock_Inventur); });
  }
  TBlockSchritt(const TBlockSchritt&) = delete;
  TBlockSchritt& operator=(const TBlockSchritt&) = delete;
};

TInt32Trio BatchPId(const TInt32Quad& AQ) { return TInt32Trio::Construct(AQ.I1, AQ.I2, AQ.I3); }

// The unlock step of a batch. When the batch is left by an exception the
// locks are released all the same, so no article stays locked by a failure.
class TBatchSperren {
 public:
  explicit TBatchSperren(TSperrBatch& ABatch) : FBatch(ABatch) {}
  ~TBatchSperren() {
    if (!FBatch.IsEmpty())
      KWDGuard("TQLX_InvAnfMani.SollBestandBuchen", [&] { Entsperren(); }, false);
  }
  TBatchSperren(const TBatchSperren&) = delete;
  TBatchSperren& operator=(const TBatchSperren&) = delete;

  void Entsperren() {
    if (FBatch.IsEmpty()) return;
    TBlockSchritt Block;
    for (const TInt32Quad& Q : FBatch) CommonLock().UnlockProdId(BatchPId(Q), false);
    FBatch.Clear();
  }

 private:
  TSperrBatch& FBatch;
};
}  // namespace

bool TQLX_InvAnfMani::SperrePID(const TInt32Trio& APId, bool AMitMeldung, TQLX_clMeldung& AMeldung) {
  return KWDGuard(
      "TQLX_InvAnfMani.SperrePID",
      [&] {
        if (!AMitMeldung) return CommonLock().LockProdId(APId, false);
        AMeldung.Clear();
        return CommonLock().LockProdId(APId, AMeldung, false);
      },
      false);
}

void TQLX_InvAnfMani::SperrDurchgaenge(const std::function<int32_t()>& AAnzahl,
                                       const std::function<TInt32Trio(int32_t)>& APId,
                                       const std::function<void(const TSperrBatch&)>& ABearbeiten,
                                       TMeldungsListe& AMeldungen) {
  const int32_t Total = AAnzahl();
  TSperrBatch Batch;
  TArtikelTools Artikel;
  for (int Durchgang = 1; Durchgang <= KDurchgaenge; ++Durchgang) {
    const bool MitMeldung = Durchgang == KDurchgaenge;
    int32_t Pos = AAnzahl() - 1;
    while (Pos >= 0) {
      TBatchSperren Sperren(Batch);
      {
        TBlockSchritt Block;
        TQLX_clMeldung Meldung;
        while (Batch.Count() < KBatchGroesse && Pos >= 0) {
          const TInt32Trio PId = APId(Pos);
          if (SperrePID(PId, MitMeldung, Meldung)) {
            Batch.Add(TInt32Quad::Construct(PId.I1, PId.I2, PId.I3, Pos));
          } else if (MitMeldung) {
            if (Meldung.Artikel.empty()) Meldung.Artikel = Artikel.ProduktID_2_ArtNr_Formatted(PId, false);
            if (Meldung.ProduktId.IsEmpty()) Meldung.ProduktId = PId;
            AMeldungen.Add(Meldung);
          }
          --Pos;
        }
      }
      if (!Batch.IsEmpty()) ABearbeiten(Batch);
      Sperren.Entsperren();
      ProgressDo(Total - AAnzahl(), Total);
    }
    if (AAnzahl() == 0) return;
    KWDPause(KPauseMs);
  }
}
