// The locking passes that completion and deletion share.
#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/TInvAnfFortschritt.h"
#include "engine/TInvAnfSperrDurchgaenge.h"
#include "engine/TInvAnfStapelKlammer.h"
#include "suite/TArtikelTools.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDPause.h"

namespace {
constexpr int KBatchGroesse = 20;
constexpr int KDurchgaenge = 5;
constexpr int KPauseMs = 2000;
}  // namespace

void TInvAnfStapelArbeit::Zurueckstellen(int32_t, const std::exception&) {}

TInvAnfSperrDurchgaenge::TInvAnfSperrDurchgaenge(TInvAnfFortschritt& AFortschritt, std::string ABuchung)
    : FFortschritt(AFortschritt), FBuchung(std::move(ABuchung)) {}

bool TInvAnfSperrDurchgaenge::Ausfuehren(TInvAnfStapelArbeit& AArbeit, TMeldungsListe& AMeldungen) {
  bool Ausgefallen = false;
  std::optional<EInvAnfStapelFehler> Stapelfehler;
  KWDGuard(FBuchung, [&] {
    try {
      Durchgaenge(AArbeit, AMeldungen);
    } catch (const EInvAnfStapelFehler& E) {
      Stapelfehler = E;
    } catch (const std::exception& E) {
      Ausgefallen = KWDEndetArbeit(E);
      throw;
    }
  });
  if (Stapelfehler) KWDGuard(Stapelfehler->Name(), [&] { std::rethrow_exception(Stapelfehler->Ursache()); });
  return !Ausgefallen;
}

void TInvAnfSperrDurchgaenge::Durchgaenge(TInvAnfStapelArbeit& AArbeit, TMeldungsListe& AMeldungen) {
  const int32_t Total = AArbeit.Anzahl();
  TArtikelTools Artikel;
  int FehlerInFolge = 0;  // articles set aside since the last batch that went in
  for (int Durchgang = 1; Durchgang <= KDurchgaenge; ++Durchgang) {
    const bool MitMeldung = Durchgang == KDurchgaenge;
    int32_t Pos = AArbeit.Anzahl() - 1;
    // The positions of a failed batch, booked again one per batch. They lie
    // above Pos in descending order, so neither a booked nor a set-aside
    // article moves a position still to come.
    std::vector<int32_t> Einzeln;
    while (Pos >= 0 || !Einzeln.empty()) {
      TInvAnfStapelKlammer Klammer(FBuchung);
      {
        TInvAnfStapelKlammer::TSperrSchritt Schritt(Klammer);
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
          const TInt32Trio PId = AArbeit.PId(P);
          if (!Schritt.SperrePID(PId, P, MitMeldung, Meldung)) Verweigert(PId);
        } else {
          while (Klammer.Batch().Count() < KBatchGroesse && Pos >= 0) {
            // As many positions as the batch still has room for, locked in
            // one go; what that refuses is asked for one by one.
            std::vector<TInt32Trio> PIds;
            for (int32_t P = Pos; P >= 0 && PIds.size() < static_cast<size_t>(KBatchGroesse - Klammer.Batch().Count());
                 --P)
              PIds.push_back(AArbeit.PId(P));
            const std::vector<bool> Gesperrt = Schritt.SperrePIDs(PIds, Pos);
            for (size_t I = 0; I < PIds.size(); ++I, --Pos)
              if (!Gesperrt[I] && !Schritt.SperrePID(PIds[I], Pos, MitMeldung, Meldung)) Verweigert(PIds[I]);
          }
        }
      }
      if (!Klammer.Batch().IsEmpty()) {
        Klammer.BuchungOeffnen();
        try {
          AArbeit.Bearbeiten(Klammer.Batch(), Klammer);
          FehlerInFolge = 0;
        } catch (const EInvAnfStapelFehler&) {
          throw;  // every batch would fail alike: no article of it is at fault
        } catch (const std::exception& E) {
          if (!AArbeit.Zurueckstellbar() || KWDEndetArbeit(E)) throw;
          // The batch goes back, and its locks are released, before its
          // articles are tried again.
          Klammer.Beenden();
          if (Klammer.Batch().Count() > 1) {
            for (const TInt32Quad& Q : Klammer.Batch()) Einzeln.push_back(Q.I4);
          } else {
            AArbeit.Zurueckstellen(Klammer.Batch()[0].I4, E);
            // So many failing in a row is no article's fault.
            if (++FehlerInFolge >= KBatchGroesse) throw;
          }
        }
      }
      Klammer.Beenden();  // a batch that locked nothing has nothing to commit
      FFortschritt.ProgressDo(Total - AArbeit.Anzahl(), Total);
    }
    if (AArbeit.Anzahl() == 0) return;
    KWDPause(KPauseMs);
  }
}
