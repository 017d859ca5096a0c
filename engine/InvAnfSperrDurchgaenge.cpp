// The locking passes that completion and deletion share: lock a batch of
// articles inside block 11, work on it, unlock it, and come back later for
// the articles other programs held.
#include <optional>
#include <string>
#include <vector>

#include "engine/InvAnfIntern.h"
#include "engine/TQLX_InvAnfMani.h"
#include "suite/TArtikelTools.h"
#include "support/db/TDbConnection.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDPause.h"
#include "support/services/TCommonLock.h"
#include "support/services/TKWDBuchung.h"

namespace {
constexpr int KBatchGroesse = 20;
constexpr int KDurchgaenge = 5;
constexpr int KPauseMs = 2000;

// Holds block 11 for one lock or unlock step; released also on failure.
class TBlockSchritt {
 public:
  TBlockSchritt() { CommonLock().DummyBlockFuerSperren(CQLX_Lock_Inventur); }
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
  explicit TBatchSperren(const TSperrBatch& ABatch) : FBatch(ABatch) {}
  ~TBatchSperren() {
    if (!FFrei)
      KWDGuard("TQLX_InvAnfMani.SollBestandBuchen", [&] { InvAnfIntern::AusfallUebergehen([&] { Entsperren(); }); },
               false);
  }
  TBatchSperren(const TBatchSperren&) = delete;
  TBatchSperren& operator=(const TBatchSperren&) = delete;

  // Done once it succeeded: a failed unlock inside the booking is tried again
  // after the rollback.
  void Entsperren() {
    if (FFrei) return;
    if (!FBatch.IsEmpty()) {
      TBlockSchritt Block;
      std::vector<TInt32Trio> PIds;
      PIds.reserve(static_cast<size_t>(FBatch.Count()));
      for (const TInt32Quad& Q : FBatch) PIds.push_back(BatchPId(Q));
      CommonLock().UnlockProdIds(PIds);
    }
    FFrei = true;
  }

 private:
  const TSperrBatch& FBatch;
  bool FFrei = false;
};
}  // namespace

bool TQLX_InvAnfMani::SperrePID(const TInt32Trio& APId, bool AMitMeldung, TQLX_clMeldung& AMeldung) {
  // A failing database is no refused lock: it ends the passes.
  return KWDGuard(
      "TQLX_InvAnfMani.SperrePID",
      [&] {
        return InvAnfIntern::AusfallDurchreichen([&] {
          if (!AMitMeldung) return CommonLock().LockProdId(APId, false);
          AMeldung.Clear();
          return CommonLock().LockProdId(APId, AMeldung, false);
        });
      },
      false);
}

std::vector<bool> TQLX_InvAnfMani::SperrePIDs(const std::vector<TInt32Trio>& APIds) {
  // A failure only costs speed: every id then takes the single path.
  return KWDGuard(
      "TQLX_InvAnfMani.SperrePID",
      [&] { return InvAnfIntern::AusfallDurchreichen([&] { return CommonLock().LockProdIds(APIds); }); },
      std::vector<bool>(APIds.size(), false));
}

void TQLX_InvAnfMani::SperrDurchgaenge(const std::function<int32_t()>& AAnzahl,
                                       const std::function<TInt32Trio(int32_t)>& APId, const std::string& ABuchung,
                                       const TBatchArbeit& ABearbeiten, TMeldungsListe& AMeldungen,
                                       bool& AAusgefallen, const TZurueckstellen& AZurueckstellen) {
  AAusgefallen = false;
  try {
    Durchgaenge(AAnzahl, APId, ABuchung, ABearbeiten, AMeldungen, AZurueckstellen);
  } catch (const InvAnfIntern::TDatenbankAusfall& A) {
    AAusgefallen = true;
    std::rethrow_exception(A.Fehler);
  } catch (const std::exception& E) {
    AAusgefallen = InvAnfIntern::DatenbankAusfall(E);
    throw;
  }
}

void TQLX_InvAnfMani::Durchgaenge(const std::function<int32_t()>& AAnzahl,
                                  const std::function<TInt32Trio(int32_t)>& APId, const std::string& ABuchung,
                                  const TBatchArbeit& ABearbeiten, TMeldungsListe& AMeldungen,
                                  const TZurueckstellen& AZurueckstellen) {
  const int32_t Total = AAnzahl();
  TArtikelTools Artikel;
  // The batch's booking holds its articles (TCommonLock::TInBuchung): lock
  // step, booking and unlock share one transaction, and block 11 spans the
  // batch. On SQLite the block is taken before the booking's write lock, so
  // no one waits for the block while holding that lock; on PostgreSQL the
  // lock step takes it inside the booking's transaction.
  const bool InBuchung = CommonLock().SperrtInBuchung();
  const bool BlockZuerst = InBuchung && CommonLock().BlockVorBuchung();
  int FehlerInFolge = 0;  // articles set aside since the last batch that went in
  for (int Durchgang = 1; Durchgang <= KDurchgaenge; ++Durchgang) {
    const bool MitMeldung = Durchgang == KDurchgaenge;
    int32_t Pos = AAnzahl() - 1;
    // The positions of a failed batch, booked again one per batch. They lie
    // above Pos in descending order, so neither a booked nor a set-aside
    // article moves a position still to come.
    std::vector<int32_t> Einzeln;
    while (Pos >= 0 || !Einzeln.empty()) {
      std::optional<TBlockSchritt> BatchBlock;
      if (BlockZuerst) BatchBlock.emplace();
      TSperrBatch Batch;
      TBatchSperren Sperren(Batch);
      std::optional<TBuchungsKlammer> Buchung;
      std::optional<TCommonLock::TInBuchung> SperrenInBuchung;
      if (InBuchung) {
        Buchung.emplace(ABuchung, CKWD_Buchung_Bestand);
        SperrenInBuchung.emplace(CommonLock());
      }
      {
        TBlockSchritt Block;
        TQLX_clMeldung Meldung;
        auto Verweigert = [&](const TInt32Trio& AVerweigert) {
          if (!MitMeldung) return;
          if (Meldung.Artikel.empty()) Meldung.Artikel = Artikel.ProduktID_2_ArtNr_Formatted(AVerweigert, false);
          if (Meldung.ProduktId.IsEmpty()) Meldung.ProduktId = AVerweigert;
          AMeldungen.Add(Meldung);
        };
        if (!Einzeln.empty()) {
          const int32_t P = Einzeln.front();
          Einzeln.erase(Einzeln.begin());
          const TInt32Trio PId = APId(P);
          if (SperrePID(PId, MitMeldung, Meldung))
            Batch.Add(TInt32Quad::Construct(PId.I1, PId.I2, PId.I3, P));
          else
            Verweigert(PId);
        } else {
          while (Batch.Count() < KBatchGroesse && Pos >= 0) {
            // As many positions as the batch still has room for, locked in
            // one go; what that refuses is asked for one by one as before.
            std::vector<TInt32Trio> PIds;
            for (int32_t P = Pos; P >= 0 && PIds.size() < static_cast<size_t>(KBatchGroesse - Batch.Count()); --P)
              PIds.push_back(APId(P));
            const std::vector<bool> Gesperrt = SperrePIDs(PIds);
            for (size_t I = 0; I < PIds.size(); ++I, --Pos) {
              const TInt32Trio& PId = PIds[I];
              if (Gesperrt[I] || SperrePID(PId, MitMeldung, Meldung))
                Batch.Add(TInt32Quad::Construct(PId.I1, PId.I2, PId.I3, Pos));
              else
                Verweigert(PId);
            }
          }
        }
      }
      if (!Batch.IsEmpty()) {
        if (!Buchung) Buchung.emplace(ABuchung, CKWD_Buchung_Bestand);
        try {
          ABearbeiten(Batch, [&] {
            Buchung->Flush();
            if (InBuchung) Sperren.Entsperren();
            Buchung->Ende();
          });
          FehlerInFolge = 0;
        } catch (const std::exception& E) {
          if (!AZurueckstellen || InvAnfIntern::DatenbankAusfall(E)) throw;
          // The batch goes back, and its locks are released, before its
          // articles are tried again.
          SperrenInBuchung.reset();
          Buchung.reset();
          Sperren.Entsperren();
          if (Batch.Count() > 1) {
            for (const TInt32Quad& Q : Batch) Einzeln.push_back(Q.I4);
          } else {
            AZurueckstellen(Batch[0].I4, E);
            // So many failing in a row is no article's fault.
            if (++FehlerInFolge >= KBatchGroesse) throw;
          }
        }
      }
      SperrenInBuchung.reset();
      Buchung.reset();  // a batch that locked nothing has nothing to commit
      Sperren.Entsperren();
      ProgressDo(Total - AAnzahl(), Total);
    }
    if (AAnzahl() == 0) return;
    KWDPause(KPauseMs);
  }
}
