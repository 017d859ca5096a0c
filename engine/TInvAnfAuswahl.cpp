// Article selection: which articles each request covers, and the count of
// one request's articles.
#include <algorithm>
#include <span>

#include "engine/InvAnfIntern.h"
#include "engine/TInvAnfAuswahl.h"
#include "engine/TInvAnfBestandsPruefung.h"
#include "engine/TInvAnfFortschritt.h"
#include "engine/TInvAnfObjekte.h"
#include "suite/GDBConnector.h"
#include "suite/TArtikelTools.h"
#include "suite/TQLX_WGN_Iterator.h"
#include "suite/TWGNMani.h"
#include "support/framework/KWDGuard.h"
#include "support/list/TQLX_List_Helper.h"
#include "support/recordfile/TAAFile.h"
#include "support/recordfile/Tiafile.h"
#include "support/recordfile/Tivfile.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

namespace {
constexpr const char* KBestimme = "Bestimme Artikelliste";
constexpr int KScanTakt = 10000;
constexpr int KListenTakt = 1001;

std::string Getrimmt(const std::string& AText) {
  const auto Anfang = AText.find_first_not_of(' ');
  if (Anfang == std::string::npos) return {};
  return AText.substr(Anfang, AText.find_last_not_of(' ') - Anfang + 1);
}

bool BeginntMit(const std::string& AText, const std::string& APraefix) {
  return AText.compare(0, APraefix.size(), APraefix) == 0;
}

// True when every request's group is empty after trimming (or there are none).
bool AlleWarengruppenLeer(const TInventurListe& AInventuren) {
  for (const TInventurDetails& D : AInventuren)
    if (!Getrimmt(D.InvAnf.WG).empty()) return false;
  return true;
}
}  // namespace

TInvAnfAuswahl::TBedarf TInvAnfAuswahl::Bedarf(TInvAnfObjekte& AObjekte) {
  return {AObjekte.IA, AObjekte.AA, AObjekte.IV, AObjekte.BF, AObjekte.FVK, AObjekte.WGNIter, AObjekte.WGNMani,
          AObjekte.Fortschritt};
}

TInvAnfAuswahl::TInvAnfAuswahl(const TBedarf& ABedarf) : FBedarf(ABedarf) {}

std::unique_ptr<TToDoListe> TInvAnfAuswahl::ToDoListeErzeugen() {
  return std::make_unique<TToDoListe>(TProduktID_Indizee::ComparerGet());
}

bool TInvAnfAuswahl::UnvollstaendigeInventurenLaden(const std::vector<TVglInvAnf_Inv>& AAnforderungen,
                                                     TInventurListe* AInventuren, TWarengruppenListe* AWarengruppen,
                                                     TFilialListe* AFilialen) {
  return KWDGuard("TQLX_InvAnfMani.UnvollstaendigeInventurenLaden", [&] {
    if (!AInventuren || !AWarengruppen || !AFilialen) return;
    AInventuren->Clear();
    AWarengruppen->Clear();
    AFilialen->Clear();

    Tiafile& IA = FBedarf.IA.Neu();
    IA.SelectKey(Tiafile::KEY_ZAEHLSTATUS);
    IA.Key_KZZaehlung.SetKeyWertAndFilter(CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung::iazAngefordert));
    bool Gefunden = IA.Get_ge();
    while (Gefunden) {
      TInventurDetails D;
      D.Clear();
      D.InvAnf.FilNr = static_cast<int16_t>(IA.FilNr.GetWert());
      D.InvAnf.WG = IA.WG.GetWert();
      D.InvAnf.WiJahr = YearOf(IA.WiJahr.GetWert());
      D.InvAnf.Zaehldatum = IA.Zaehldatum.GetWert();
      D.InvAnf.KZZaehlung = static_cast<uint8_t>(Char_2_IA_KZZaehlung(IA.KZZaehlung.GetWert()));
      D.WiJahr = IA.WiJahr.GetWert();
      D.EKSoll = IA.EKSoll.GetWert();
      D.EKIst = IA.EKIst.GetWert();
      if (std::find(AAnforderungen.begin(), AAnforderungen.end(), D.InvAnf) != AAnforderungen.end())
        AInventuren->Add(D);
      Gefunden = IA.Get_next();
      FBedarf.Fortschritt.ProgressDo(0, 0);
    }

    // Coarse groups first, so a finer group finds its coarser one already
    // listed. Stable, so equal runs give equal request positions.
    std::vector<TInventurDetails> Sortiert = AInventuren->ToArray();
    std::stable_sort(Sortiert.begin(), Sortiert.end(), [](const TInventurDetails& A, const TInventurDetails& B) {
      return A.InvAnf.WG.size() < B.InvAnf.WG.size();
    });
    AInventuren->Clear();
    AInventuren->AddRange(std::span<const TInventurDetails>(Sortiert));

    for (const TInventurDetails& D : *AInventuren) {
      bool Abgedeckt = false;
      for (const std::string& G : *AWarengruppen)
        if (BeginntMit(D.InvAnf.WG, G)) {
          Abgedeckt = true;
          break;
        }
      if (!Abgedeckt) AWarengruppen->Add(D.InvAnf.WG);
      AFilialen->AddIfNotContained(D.InvAnf.FilNr);
    }
    AFilialen->Sort();
  });
}

bool TInvAnfAuswahl::ProduktIDs_ToDoListeLaden(TInventurListe& AInventuren, TWarengruppenListe& AWarengruppen,
                                                TFilialListe& AFilialen, TToDoListe& AToDo) {
  bool Alle = true;  // every step ran through
  const bool Gelaufen = KWDGuard("TQLX_InvAnfMani.ProduktIDs_ToDoListeLaden", [&] {
    AToDo.Clear();
    FBedarf.Fortschritt.ProgressCaption(KBestimme, "Warengruppe", true);
    Alle = Scannen(AInventuren, AWarengruppen, AToDo) && Alle;
    FBedarf.Fortschritt.ProgressCaption(KBestimme, "Bestände", true);
    Alle = BestandPruefen(AInventuren, AFilialen, AToDo) && Alle;
    FBedarf.Fortschritt.ProgressCaption(KBestimme, "Vorhandener Sollbestand", true);
    Alle = TeilAnforderungen_Entfernen(AInventuren, AToDo) && Alle;
    // AAScan already left out the articles checked too loosely.
    if (!AlleWarengruppenLeer(AInventuren)) {
      FBedarf.Fortschritt.ProgressCaption(KBestimme, "Pruefschärfe", true);
      Alle = PruefschaerfeChecken(AToDo) && Alle;
    }
  });
  return Gelaufen && Alle;
}

bool TInvAnfAuswahl::Scannen(TInventurListe& AInventuren, TWarengruppenListe& AWarengruppen, TToDoListe& AToDo) {
  return AlleWarengruppenLeer(AInventuren) ? AAScan(AInventuren, AToDo) : WGNScan(AInventuren, AWarengruppen, AToDo);
}

bool TInvAnfAuswahl::AAScan(TInventurListe& AInventuren, TToDoListe& AToDo) {
  return KWDGuard("TQLX_InvAnfMani.AAScan", [&] {
    // Every article starts with every request; the stock check removes the
    // requests whose branch lacks it.
    TProduktID_Indizee Eintrag;
    Eintrag.clear();
    for (int32_t I = 0; I < AInventuren.Count(); ++I) Eintrag.Ind.push_back(I);

    TAAFile& AA = FBedarf.AA.Neu();
    AA.SetUsedField({&AA.ProduktId, &AA.Pruefschaerfe});
    AA.ExtendedFilterClear();
    AA.ExtendedFilterFinalize();
    bool Gefunden = AA.Get_first_extMode();
    while (Gefunden) {
      if (Char2ArtPrusch(AA.Pruefschaerfe.GetWert()) > 1) {
        Eintrag.PId = AA.ProduktId.GetWert();
        AToDo.Add(Eintrag);
      }
      if (AToDo.Count() % KScanTakt == 0) FBedarf.Fortschritt.ProgressDo(0, 0);
      Gefunden = AA.Get_next_extMode();
    }
    AToDo.Sort();
  });
}

bool TInvAnfAuswahl::WGNScan(TInventurListe& AInventuren, TWarengruppenListe& AWarengruppen, TToDoListe& AToDo) {
  const InvAnfIntern::TDienstFehler Dienste({"TQLX_WGN_Iterator", "TWGNMani"});
  const bool Gelaufen = KWDGuard("TQLX_InvAnfMani.WGNScan", [&] {
    TQLX_WGN_Iterator& Iter = FBedarf.WGNIter.Dienst();
    for (const std::string& G : AWarengruppen) {
      // Finer requests under G need each article's own group to tell them apart.
      bool Tiefer = false;
      for (const TInventurDetails& D : AInventuren)
        Tiefer = Tiefer || (D.InvAnf.WG.size() > G.size() && BeginntMit(D.InvAnf.WG, G));
      TWGNMani* Mani = Tiefer ? &FBedarf.WGNMani.Dienst() : nullptr;
      if (!Iter.Move_First(G, "EIGEN")) continue;
      do {
        TProduktID_Indizee Eintrag;
        Eintrag.clear();
        Eintrag.PId = Iter.Current_Produkt_ID();
        const std::string ArtikelWG = Mani ? Mani->Get_MaxWGN4ProdId(Eintrag.PId, "") : G;
        for (int32_t I = 0; I < AInventuren.Count(); ++I)
          if (BeginntMit(ArtikelWG, AInventuren.GetItem_Ptr(I)->InvAnf.WG)) Eintrag.Ind.push_back(I);
        AToDo.Add(std::move(Eintrag));
        if (AToDo.Count() % KScanTakt == 0) FBedarf.Fortschritt.ProgressDo(0, 0);
      } while (Iter.Move_Next());
    }
    TQLX_List_Helper<TProduktID_Indizee>::SortAndRemoveDuplicates(AToDo);
  });
  // An iterator that failed has found no articles rather than all of them.
  return !Dienste.Aufgetreten() && Gelaufen;
}

bool TInvAnfAuswahl::BestandPruefen(TInventurListe& AInventuren, TFilialListe& AFilialen, TToDoListe& AToDo) {
  TInvAnfBestandsPruefung Pruefung(FBedarf.BF, FBedarf.FVK, FBedarf.Fortschritt);
  if (GDBConnector().GetDBArt() == 1) return Pruefung.BestandPruefen_Btrieve(AInventuren, AFilialen, AToDo);
  return Pruefung.BestandPruefen_SQL(AInventuren, AFilialen, AToDo);
}

bool TInvAnfAuswahl::TeilAnforderungen_Entfernen(TInventurListe& AInventuren, TToDoListe& AToDo) {
  return KWDGuard("TQLX_InvAnfMani.TeilAnforderungen_Entfernen", [&] {
    int Gelesen = 0;
    for (int32_t Q = 0; Q < AInventuren.Count(); ++Q) {
      const TInventurDetails& Anf = *AInventuren.GetItem_Ptr(Q);
      Tivfile& IV = FBedarf.IV.Neu();
      IV.SelectKey(Tivfile::KEY_DATUM_FILIALE);
      IV.SetUsedField({&IV.FilNr, &IV.ProduktId});
      IV.Key_WiJahr.SetKeyWertAndFilter(Anf.WiJahr);
      IV.Key_Zaehldatum.SetKeyWertAndFilter(Anf.InvAnf.Zaehldatum);
      IV.Key_FilNr.SetKeyWertAndFilter(Anf.InvAnf.FilNr);
      bool Gefunden = IV.Get_ge();
      TProduktID_Indizee Suche;
      while (Gefunden) {
        // One record per stock type: the second and later ones of an article
        // find Q already gone and change nothing.
        Suche.PId = IV.ProduktId.GetWert();
        int32_t Pos = 0;
        if (AToDo.BinarySearch(Suche, Pos)) {
          TProduktID_Indizee* Eintrag = AToDo.GetItem_Ptr(Pos);
          Eintrag->RemoveInd(Q);
          if (Eintrag->Ind.empty()) AToDo.Delete(Pos);
        }
        if (++Gelesen % KListenTakt == 0) FBedarf.Fortschritt.ProgressDo(0, 0);
        Gefunden = IV.Get_next();
      }
    }
  });
}

bool TInvAnfAuswahl::PruefschaerfeChecken(TToDoListe& AToDo) {
  const InvAnfIntern::TDienstFehler Dienste({"TArtikelTools"});
  const bool Gelaufen = KWDGuard("TQLX_InvAnfMani.PruefschaerfeChecken", [&] {
    TArtikelTools Tools;
    int Geprueft = 0;
    for (int32_t Pos = AToDo.Count() - 1; Pos >= 0; --Pos) {
      if (Tools.Pruefschaerfe_4_Prodid(AToDo.GetItem_Ptr(Pos)->PId) < 2) AToDo.Delete(Pos);
      if (++Geprueft % KListenTakt == 0) FBedarf.Fortschritt.ProgressDo(0, 0);
    }
  });
  return !Dienste.Aufgetreten() && Gelaufen;
}

void TInvAnfAuswahl::ArtikelZaehlen(TInventurListe& AInventuren, TWarengruppenListe& AWarengruppen,
                                    TFilialListe& AFilialen, int& ATotal, int& ADa) {
  auto ToDo = ToDoListeErzeugen();
  FBedarf.Fortschritt.ProgressCaption(KBestimme, "Warengruppe", true);
  bool Alle = Scannen(AInventuren, AWarengruppen, *ToDo);
  FBedarf.Fortschritt.ProgressCaption(KBestimme, "Bestände", true);
  Alle = BestandPruefen(AInventuren, AFilialen, *ToDo) && Alle;
  if (!AlleWarengruppenLeer(AInventuren)) {
    FBedarf.Fortschritt.ProgressCaption(KBestimme, "Pruefschärfe", true);
    Alle = PruefschaerfeChecken(*ToDo) && Alle;
  }
  const int Total = ToDo->Count();
  FBedarf.Fortschritt.ProgressCaption(KBestimme, "Vorhandener Sollbestand", true);
  Alle = TeilAnforderungen_Entfernen(AInventuren, *ToDo) && Alle;
  // Counts of a list a failed step left half built would mislead.
  if (!Alle) return;
  ATotal = Total;
  ADa = Total - ToDo->Count();
}
