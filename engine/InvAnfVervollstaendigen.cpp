// Completing requests: book the target stock of every article the requests
// cover, batch by batch under the common lock, then open the requests whose
// articles are all booked.
#include <stdexcept>
#include <vector>

#include "engine/InvAnfIntern.h"
#include "engine/TQLX_InvAnfMani.h"
#include "suite/TArtikelTools.h"
#include "support/framework/KWDGuard.h"
#include "support/recordfile/Tiafile.h"
#include "support/services/TKWDBuchung.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

using InvAnfIntern::Bereit;

namespace {
constexpr const char* KBuchen = "TQLX_InvAnfMani.SollBestandBuchen";
constexpr const char* KOeffnen = "TQLX_InvAnfMani.InventurenOeffnen";

// The request values before a batch, so a batch whose transaction fails
// leaves them as the database still has them.
struct TSummenStand {
  std::vector<std::pair<double, double>> Werte;
  TIAZuwachsListe Zuwachs;

  void Merken(const TInventurListe& AInventuren, const TIAZuwachsListe& AZuwachs) {
    Werte.clear();
    for (const TInventurDetails& D : AInventuren) Werte.emplace_back(D.EKSoll, D.EKIst);
    Zuwachs = AZuwachs;
  }
  void Zuruecksetzen(TInventurListe& AInventuren, TIAZuwachsListe& AZuwachs) const {
    for (int32_t I = 0; I < AInventuren.Count(); ++I) {
      AInventuren.GetItem_Ptr(I)->EKSoll = Werte[static_cast<size_t>(I)].first;
      AInventuren.GetItem_Ptr(I)->EKIst = Werte[static_cast<size_t>(I)].second;
    }
    AZuwachs = Zuwachs;
  }
};

// Sets a pointer back to null on every way out of a scope.
template <class T>
class TZeigerZuruecksetzen {
 public:
  explicit TZeigerZuruecksetzen(T*& AZeiger) : FZeiger(AZeiger) {}
  ~TZeigerZuruecksetzen() { FZeiger = nullptr; }
  TZeigerZuruecksetzen(const TZeigerZuruecksetzen&) = delete;
  TZeigerZuruecksetzen& operator=(const TZeigerZuruecksetzen&) = delete;

 private:
  T*& FZeiger;
};

// Puts entries back at their sorted place in the to-do list.
void Zurueckstellen(TToDoListe& AToDo, const std::vector<TProduktID_Indizee>& AEintraege) {
  for (const TProduktID_Indizee& E : AEintraege) {
    int32_t Pos = 0;
    if (!AToDo.BinarySearch(E, Pos)) AToDo.Insert(Pos, E);
  }
}
}  // namespace

bool TQLX_InvAnfMani::InventurAnforderungVervollstaendigen(const std::vector<TVglInvAnf_Inv>& AAnforderungen,
                                                           std::vector<TQLX_clMeldung>& AMeldungen) {
  TInventurListe Inventuren;
  TWarengruppenListe Warengruppen;
  TFilialListe Filialen;
  auto ToDo = ToDoListeErzeugen();
  TMeldungsListe Meldungen;
  ProgressShow(false);
  const bool Ergebnis = KWDGuard(
      "TQLX_InvAnfMani.InventurAnforderungVervollstaendigen",
      [&] {
        ProgressCaption("Lade Inventureliste", "", true);
        if (!UnvollstaendigeInventurenLaden(AAnforderungen, &Inventuren, &Warengruppen, &Filialen)) return false;
        if (Inventuren.IsEmpty()) return true;
        ProgressCaption("Bestimme Artikelliste", "", true);
        // A list a failed step left half built may hold articles the requests
        // do not cover, and lacks others: nothing is booked or opened from it.
        if (!ProduktIDs_ToDoListeLaden(Inventuren, Warengruppen, Filialen, *ToDo)) {
          AMeldungen = Meldungen.ToArray();
          return false;
        }
        ProgressCaption("Sollbestand einbuchen", "", false);
        if (!SollBestandBuchen(Inventuren, *ToDo, Meldungen)) {
          // The database failed (registered once): opening would only fail
          // again. A rerun books the rest and opens them.
          AMeldungen = Meldungen.ToArray();
          return false;
        }
        ProgressCaption("Passe Inventuren an", "", true);
        InventurenOeffnen(Inventuren, *ToDo);
        AMeldungen = Meldungen.ToArray();
        return ToDo->IsEmpty();
      },
      false);
  ProgressHide();
  return Ergebnis;
}

bool TQLX_InvAnfMani::SollBestandBuchen(TInventurListe& AInventuren, TToDoListe& AToDo, TMeldungsListe& AMeldungen) {
  TIAZuwachsListe Zuwachs(static_cast<size_t>(AInventuren.Count()));
  // Requests deleted, or no longer requested, since they were loaded: no
  // batch writes anything more for them.
  std::vector<bool> Weg(static_cast<size_t>(AInventuren.Count()), false);
  // Articles whose booking failed alone; they go back into the list at the end.
  std::vector<TProduktID_Indizee> Zurueckgestellt;
  TArtikelTools Artikel;
  bool Ausgefallen = false;
  KWDGuard(KBuchen, [&] {
    SperrDurchgaenge(
        [&] { return AToDo.Count(); }, [&](int32_t APos) { return AToDo.GetItem_Ptr(APos)->PId; },
        KBuchen,
        [&](const TSperrBatch& ABatch, const std::function<void()>& AAbschliessen) {
          TSummenStand Vorher;
          Vorher.Merken(AInventuren, Zuwachs);
          std::vector<TProduktID_Indizee> Entnommen;
          try {
            auto OhneWeg = [&](std::vector<TProduktID_Indizee>& AEintraege) {
              for (TProduktID_Indizee& E : AEintraege)
                std::erase_if(E.Ind, [&](int32_t P) { return Weg[static_cast<size_t>(P)]; });
            };
            std::vector<TProduktID_Indizee> Eintraege;
            std::vector<int32_t> Positionen;
            for (const TInt32Quad& Q : ABatch) {
              Eintraege.push_back(*AToDo.GetItem_Ptr(Q.I4));
              Positionen.insert(Positionen.end(), Eintraege.back().Ind.begin(), Eintraege.back().Ind.end());
            }
            OhneWeg(Eintraege);
            // First the batch's requests, locked until it is committed: one
            // another program deleted meanwhile gets nothing more. Their read
            // and the prices' travel with the batch's others.
            const std::vector<int32_t> Geprueft = AnforderungenSenden(AInventuren, Positionen, Weg);
            PreiseVorladen(Eintraege);
            const TBatchVorrat Vorrat = BatchVorratLesen(AInventuren, Eintraege);
            AnforderungenLesen(AInventuren, Geprueft, Weg);
            OhneWeg(Eintraege);
            FBatchVorrat = &Vorrat;
            TZeigerZuruecksetzen VorratEnde(FBatchVorrat);
            // Descending positions: each deletion keeps the later positions valid.
            for (size_t I = 0; I < Eintraege.size(); ++I) {
              const int32_t Pos = ABatch[static_cast<int32_t>(I)].I4;
              Entnommen.push_back(*AToDo.GetItem_Ptr(Pos));
              AToDo.Delete(Pos);
              // A failure ends the batch: it goes back whole rather than commit half of it.
              SollSaetzeSchreiben(AInventuren, Eintraege[I], Zuwachs);
            }
            for (size_t Q = 0; Q < Weg.size(); ++Q)
              if (Weg[Q]) Zuwachs[Q] = TIAZuwachs{};
            SummenErhoehen(AInventuren, Zuwachs);
            AAbschliessen();
          } catch (...) {
            // Nothing of the batch is in the database: its articles are not
            // booked and the sums are as before.
            Vorher.Zuruecksetzen(AInventuren, Zuwachs);
            Zurueckstellen(AToDo, Entnommen);
            throw;
          }
        },
        AMeldungen, Ausgefallen,
        [&](int32_t APos, const std::exception& AFehler) {
          const TProduktID_Indizee E = *AToDo.GetItem_Ptr(APos);
          KWDGuardRegistrieren("TQLX_InvAnfMani.IVSchreiben",
                               std::runtime_error("Der Sollbestand des Artikels " +
                                                  Artikel.ProduktID_2_ArtNr_Formatted(E.PId, false) +
                                                  " konnte nicht gebucht werden: " + AFehler.what()),
                               true);
          Zurueckgestellt.push_back(E);
          AToDo.Delete(APos);
        });
  });
  // Set aside, the articles stay unbooked: their requests remain requested.
  Zurueckstellen(AToDo, Zurueckgestellt);
  for (int32_t Pos = AToDo.Count() - 1; Pos >= 0; --Pos) {
    TProduktID_Indizee* E = AToDo.GetItem_Ptr(Pos);
    std::erase_if(E->Ind, [&](int32_t P) { return Weg[static_cast<size_t>(P)]; });
    if (E->Ind.empty()) AToDo.Delete(Pos);
  }
  return !Ausgefallen;
}

void TQLX_InvAnfMani::InventurenOeffnen(TInventurListe& AInventuren, TToDoListe& AToDo) {
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
      IAFile_CiNoC();
      Tiafile& IA = Bereit(FIAFile, "Die Anforderungsdatei");
      IA.SelectKey(Tiafile::KEY_ANFORDERUNG);
      IA.Key_Zaehldatum.SetKeyWert(D.InvAnf.Zaehldatum);
      IA.Key_WG.SetKeyWert(D.InvAnf.WG);
      IA.Key_FilNr.SetKeyWert(D.InvAnf.FilNr);
      // Locked until the end: a deletion begun meanwhile keeps its state.
      IA.SetSperrendLesen(true);
      if (IA.Get_equal() && IA.WiJahr.GetWert() == D.WiJahr && IA.KZZaehlung.GetWert() == Angefordert) {
        IA.KZZaehlung.SetWert(CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung::iazEroeffnet));
        IA.WriteRecord(wrdonUpdate);
      }
    }
    Buchung.Ende();
  });
}
