// Completing requests: book the target stock of every article the requests
// cover, batch by batch under the common lock, then open the requests whose
// articles are all booked.
#include <cmath>
#include <stdexcept>
#include <vector>

#include "engine/InvAnfIntern.h"
#include "engine/TQLX_InvAnfMani.h"
#include "support/framework/KWDGuard.h"
#include "support/recordfile/Tiafile.h"
#include "support/services/TKWDBuchung.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

using InvAnfIntern::Bereit;

namespace {
constexpr const char* KBuchen = "TQLX_InvAnfMani.SollBestandBuchen";
constexpr const char* KOeffnen = "TQLX_InvAnfMani.InventurenOeffnen";
constexpr double KSchwelle = 0.005;  // as IAUpdate: smaller growth waits for the next batch

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
        UnvollstaendigeInventurenLaden(AAnforderungen, &Inventuren, &Warengruppen, &Filialen);
        if (Inventuren.IsEmpty()) return true;
        ProgressCaption("Bestimme Artikelliste", "", true);
        ProduktIDs_ToDoListeLaden(Inventuren, Warengruppen, Filialen, *ToDo);
        ProgressCaption("Sollbestand einbuchen", "", false);
        SollBestandBuchen(Inventuren, *ToDo, Meldungen);
        ProgressCaption("Passe Inventuren an", "", true);
        InventurenOeffnen(Inventuren, *ToDo);
        AMeldungen = Meldungen.ToArray();
        return ToDo->IsEmpty();
      },
      false);
  ProgressHide();
  return Ergebnis;
}

void TQLX_InvAnfMani::SollBestandBuchen(TInventurListe& AInventuren, TToDoListe& AToDo, TMeldungsListe& AMeldungen) {
  TIAZuwachsListe Zuwachs(static_cast<size_t>(AInventuren.Count()));
  KWDGuard(KBuchen, [&] {
    SperrDurchgaenge(
        [&] { return AToDo.Count(); }, [&](int32_t APos) { return AToDo.GetItem_Ptr(APos)->PId; },
        KBuchen,
        [&](const TSperrBatch& ABatch, const std::function<void()>& AAbschliessen) {
          TSummenStand Vorher;
          Vorher.Merken(AInventuren, Zuwachs);
          std::vector<TProduktID_Indizee> Entnommen;
          try {
            std::vector<TProduktID_Indizee> Eintraege;
            for (const TInt32Quad& Q : ABatch) Eintraege.push_back(*AToDo.GetItem_Ptr(Q.I4));
            // Prices first: their read then travels with the batch's others.
            PreiseVorladen(Eintraege);
            const TBatchVorrat Vorrat = BatchVorratLesen(AInventuren, Eintraege);
            FBatchVorrat = &Vorrat;
            TZeigerZuruecksetzen VorratEnde(FBatchVorrat);
            // Descending positions: each deletion keeps the later positions valid.
            for (const TInt32Quad& Q : ABatch) {
              Entnommen.push_back(*AToDo.GetItem_Ptr(Q.I4));
              AToDo.Delete(Q.I4);
              // A failed article (registered) may have broken the transaction:
              // the whole batch goes back rather than commit half of it.
              if (!IVSchreiben(AInventuren, Entnommen.back(), Zuwachs))
                throw std::runtime_error("Der Sollbestand des Artikels " + Entnommen.back().PId.ToString() +
                                         " konnte nicht gebucht werden");
            }
            IAUpdate(AInventuren, Zuwachs);
            // Records whose values did not reach the request must not stay.
            for (const TIAZuwachs& Z : Zuwachs)
              if (std::fabs(Z.Soll) > KSchwelle || std::fabs(Z.Ist) > KSchwelle)
                throw std::runtime_error("Die Werte der Inventuranforderungen konnten nicht geschrieben werden");
            AAbschliessen();
          } catch (...) {
            // Nothing of the batch is in the database: its articles are not
            // booked and the sums are as before.
            Vorher.Zuruecksetzen(AInventuren, Zuwachs);
            Zurueckstellen(AToDo, Entnommen);
            throw;
          }
        },
        AMeldungen);
  });
}

void TQLX_InvAnfMani::InventurenOeffnen(TInventurListe& AInventuren, TToDoListe& AToDo) {
  KWDGuard(KOeffnen, [&] {
    std::vector<bool> Fertig(static_cast<size_t>(AInventuren.Count()), true);
    for (const TProduktID_Indizee& E : AToDo)
      for (int32_t P : E.Ind) Fertig[static_cast<size_t>(P)] = false;
    bool Einer = false;
    for (bool F : Fertig) Einer = Einer || F;
    if (!Einer) return;

    TBuchungsKlammer Buchung(KOeffnen, CKWD_Buchung_Bestand);
    for (int32_t P = 0; P < AInventuren.Count(); ++P) {
      if (!Fertig[static_cast<size_t>(P)]) continue;
      const TInventurDetails& D = *AInventuren.GetItem_Ptr(P);
      IAFile_CiNoC();
      Tiafile& IA = Bereit(FIAFile, "Die Anforderungsdatei");
      IA.SelectKey(Tiafile::KEY_ANFORDERUNG);
      IA.Key_Zaehldatum.SetKeyWert(D.InvAnf.Zaehldatum);
      IA.Key_WG.SetKeyWert(D.InvAnf.WG);
      IA.Key_FilNr.SetKeyWert(D.InvAnf.FilNr);
      if (IA.Get_equal()) {
        IA.KZZaehlung.SetWert(CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung::iazEroeffnet));
        IA.WriteRecord(wrdonUpdate);
      }
    }
    Buchung.Ende();
  });
}
