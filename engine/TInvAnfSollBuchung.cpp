// Booking target stock batch by batch under the common lock, and opening the
// requests whose articles are all booked.
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "engine/InvAnfIntern.h"
#include "engine/InvAnfLesen.h"
#include "engine/InvAnfNamen.h"
#include "engine/TInvAnfSollBuchung.h"
#include "engine/TInvAnfSperrDurchgaenge.h"
#include "engine/TInvAnfStapelKlammer.h"
#include "suite/TArtikelTools.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/EKWDSatzFehler.h"
#include "support/framework/KWDGuard.h"
#include "support/recordfile/Tiafile.h"
#include "support/services/TKWDBuchung.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

namespace {
constexpr const char* KBuchen = KInvAnfSollBestandBuchen;
constexpr const char* KOeffnen = "TQLX_InvAnfMani.InventurenOeffnen";
constexpr const char* KStapel = "TQLX_InvAnfMani.IAUpdate";

// Runs a step the whole batch shares: its failure is no article's and ends
// the passes, registered once (EInvAnfStapelFehler). A failure of the
// database passes as it is. ANachSchreiben: the step follows the articles'
// writes; where the backend sends writes ahead (PostgreSQL) and answers them
// with the next statement that waits, a database error there may be an
// article's own and goes the articles' way.
template <class F>
void FuerDenStapel(F&& ASchritt, bool ANachSchreiben = false) {
  try {
    std::forward<F>(ASchritt)();
  } catch (const std::exception& E) {
    if (KWDEndetArbeit(E)) throw;
    if (ANachSchreiben && dynamic_cast<const EDbError*>(&E) && KWDDatenbank().Backend() == TDbBackend::PostgreSQL)
      throw;
    throw EInvAnfStapelFehler(KStapel, std::current_exception());
  }
}

// Puts entries back at their sorted place in the to-do list.
void InListeZurueck(TToDoListe& AToDo, const std::vector<TProduktID_Indizee>& AEintraege) {
  for (const TProduktID_Indizee& E : AEintraege) {
    int32_t Pos = 0;
    if (!AToDo.BinarySearch(E, Pos)) AToDo.Insert(Pos, E);
  }
}
}  // namespace

class TInvAnfSollBuchung::TArbeit : public TInvAnfStapelArbeit {
 public:
  TArbeit(TInvAnfSollBuchung& ABuchung, TInventurListe& AInventuren, TToDoListe& AToDo)
      : FBuchung(ABuchung),
        FInventuren(AInventuren),
        FToDo(AToDo),
        FZuwachs(static_cast<size_t>(AInventuren.Count())),
        FWeg(static_cast<size_t>(AInventuren.Count()), false) {}

  int32_t Anzahl() const override { return FToDo.Count(); }
  TInt32Trio PId(int32_t APos) const override { return FToDo.GetItem_Ptr(APos)->PId; }

  void Bearbeiten(const TSperrBatch& ABatch, TInvAnfStapelKlammer& AKlammer) override {
    // The request values before the batch, so a batch whose transaction
    // fails leaves them as the database still has them.
    std::vector<std::pair<double, double>> Werte;
    for (const TInventurDetails& D : FInventuren) Werte.emplace_back(D.EKSoll, D.EKIst);
    const std::vector<TZuwachs> Zuwachs = FZuwachs;
    std::vector<TProduktID_Indizee> Entnommen;
    try {
      std::vector<TProduktID_Indizee> Eintraege;
      std::vector<int32_t> Positionen;
      for (const TInt32Quad& Q : ABatch) {
        Eintraege.push_back(*FToDo.GetItem_Ptr(Q.I4));
        Positionen.insert(Positionen.end(), Eintraege.back().Ind.begin(), Eintraege.back().Ind.end());
      }
      OhneWeg(Eintraege);
      // First the batch's requests, locked until it is committed: one
      // another program deleted meanwhile gets nothing more. Their read and
      // the prices' travel with the batch's others.
      TVorrat Vorrat;
      FuerDenStapel([&] {
        const std::vector<int32_t> Geprueft = FBuchung.AnforderungenSenden(FInventuren, Positionen, FWeg);
        FBuchung.PreiseVorladen(Eintraege);
        Vorrat = FBuchung.BatchVorratLesen(FInventuren, Eintraege);
        FBuchung.AnforderungenLesen(FInventuren, Geprueft, FWeg);
      });
      OhneWeg(Eintraege);
      // Descending positions: each deletion keeps the later positions valid.
      for (size_t I = 0; I < Eintraege.size(); ++I) {
        const int32_t Pos = ABatch[static_cast<int32_t>(I)].I4;
        Entnommen.push_back(*FToDo.GetItem_Ptr(Pos));
        FToDo.Delete(Pos);
        // A failure ends the batch: it goes back whole rather than commit half of it.
        FBuchung.IVSchreiben(FInventuren, Eintraege[I], Vorrat, FZuwachs);
      }
      for (size_t Q = 0; Q < FWeg.size(); ++Q)
        if (FWeg[Q]) FZuwachs[Q] = TZuwachs{};
      FuerDenStapel([&] { FBuchung.IAUpdate(FInventuren, FZuwachs); }, true);
      AKlammer.Abschliessen();
    } catch (...) {
      // Nothing of the batch is in the database: its articles are not
      // booked and the sums are as before.
      for (int32_t I = 0; I < FInventuren.Count(); ++I) {
        FInventuren.GetItem_Ptr(I)->EKSoll = Werte[static_cast<size_t>(I)].first;
        FInventuren.GetItem_Ptr(I)->EKIst = Werte[static_cast<size_t>(I)].second;
      }
      FZuwachs = Zuwachs;
      InListeZurueck(FToDo, Entnommen);
      throw;
    }
  }

  bool Zurueckstellbar() const override { return true; }
  void Zurueckstellen(int32_t APos, const std::exception& AFehler) override {
    const TProduktID_Indizee E = *FToDo.GetItem_Ptr(APos);
    const TKWDFehlerTeile Teile = KWDFehlerTeile(AFehler);
    KWDGuardRegistrieren("TQLX_InvAnfMani.IVSchreiben",
                         EKWDSatzFehler("Der Sollbestand des Artikels " +
                                            FArtikel.ProduktID_2_ArtNr_Formatted(E.PId, false) +
                                            " konnte nicht gebucht werden: " + Teile.Satz,
                                        Teile.Technisch),
                         true);
    FZurueckgestellt.push_back(E);
    FToDo.Delete(APos);
  }

  // After the passes: what was set aside goes back (its requests remain
  // requested), and requests gone meanwhile leave the list.
  void Aufraeumen() {
    InListeZurueck(FToDo, FZurueckgestellt);
    for (int32_t Pos = FToDo.Count() - 1; Pos >= 0; --Pos) {
      TProduktID_Indizee* E = FToDo.GetItem_Ptr(Pos);
      OhneWeg(E->Ind);
      if (E->Ind.empty()) FToDo.Delete(Pos);
    }
  }

 private:
  void OhneWeg(std::vector<int32_t>& AInd) const {
    std::erase_if(AInd, [&](int32_t P) { return FWeg[static_cast<size_t>(P)]; });
  }
  void OhneWeg(std::vector<TProduktID_Indizee>& AEintraege) const {
    for (TProduktID_Indizee& E : AEintraege) OhneWeg(E.Ind);
  }

  TInvAnfSollBuchung& FBuchung;
  TInventurListe& FInventuren;
  TToDoListe& FToDo;
  std::vector<TZuwachs> FZuwachs;
  // Requests deleted, or no longer requested, since they were loaded: no
  // batch writes anything more for them.
  std::vector<bool> FWeg;
  // Articles whose booking failed alone.
  std::vector<TProduktID_Indizee> FZurueckgestellt;
  TArtikelTools FArtikel;
};

TInvAnfSollBuchung::TInvAnfSollBuchung(const TBedarf& ABedarf) : FBedarf(ABedarf) {}

bool TInvAnfSollBuchung::SollBestandBuchen(TInventurListe& AInventuren, TToDoListe& AToDo,
                                           TMeldungsListe& AMeldungen) {
  TArbeit Arbeit(*this, AInventuren, AToDo);
  const bool Weiter = TInvAnfSperrDurchgaenge(FBedarf.Fortschritt, KBuchen).Ausfuehren(Arbeit, AMeldungen);
  Arbeit.Aufraeumen();
  return Weiter;
}

void TInvAnfSollBuchung::InventurenOeffnen(TInventurListe& AInventuren, TToDoListe& AToDo) {
  KWDGuard(KOeffnen, [&] {
    std::vector<bool> Fertig(static_cast<size_t>(AInventuren.Count()), true);
    for (const TProduktID_Indizee& E : AToDo)
      for (int32_t P : E.Ind) Fertig[static_cast<size_t>(P)] = false;
    std::vector<int32_t> Reihe;
    for (int32_t P = 0; P < AInventuren.Count(); ++P)
      if (Fertig[static_cast<size_t>(P)]) Reihe.push_back(P);
    if (Reihe.empty()) return;
    // In the request file's key order, as every batch locks them: in the
    // list's order another program's batch and this booking waited on each
    // other (deadlock).
    InvAnfIntern::InSchluesselFolge(AInventuren, Reihe);
    const char Angefordert = CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung::iazAngefordert);
    TBuchungsKlammer Buchung(KOeffnen, CKWD_Buchung_Bestand);
    for (int32_t P : Reihe) {
      const TInventurDetails& D = *AInventuren.GetItem_Ptr(P);
      Tiafile& IA = FBedarf.IA.Neu();
      InvAnfIntern::SchluesselSetzen(IA, D.InvAnf);
      // Locked until the end: a deletion begun meanwhile keeps its state.
      IA.SetSperrendLesen(true);
      if (IA.Get_equal() && IAImWiJahr(IA.WiJahr.GetWert(), D.InvAnf.WiJahr) &&
          IA.KZZaehlung.GetWert() == Angefordert) {
        IA.KZZaehlung.SetWert(CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung::iazEroeffnet));
        IA.WriteRecord(wrdonUpdate);
      }
    }
    Buchung.Ende();
  });
}
