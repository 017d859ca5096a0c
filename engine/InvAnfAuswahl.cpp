// Article selection: which articles each request covers, and the count of
// one request's articles.
#include <algorithm>
#include <span>

#include "engine/InvAnfIntern.h"
#include "engine/TQLX_InvAnfMani.h"
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

using InvAnfIntern::Bereit;

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
}  // namespace

bool TQLX_InvAnfMani::UnvollstaendigeInventurenLaden(const std::vector<TVglInvAnf_Inv>& AAnforderungen,
                                                     TInventurListe* AInventuren, TWarengruppenListe* AWarengruppen,
                                                     TFilialListe* AFilialen) {
  return KWDGuard("TQLX_InvAnfMani.UnvollstaendigeInventurenLaden", [&] {
    if (!AInventuren || !AWarengruppen || !AFilialen) return;
    AInventuren->Clear();
    AWarengruppen->Clear();
    AFilialen->Clear();

    IAFile_CiNoC();
    Tiafile& IA = Bereit(FIAFile, "Die Anforderungsdatei");
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
      ProgressDo(0, 0);
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

bool TQLX_InvAnfMani::AlleWarengruppenLeer(const TInventurListe& AInventuren) {
  for (const TInventurDetails& D : AInventuren)
    if (!Getrimmt(D.InvAnf.WG).empty()) return false;
  return true;
}

bool TQLX_InvAnfMani::ProduktIDs_ToDoListeLaden(TInventurListe& AInventuren, TWarengruppenListe& AWarengruppen,
                                                TFilialListe& AFilialen, TToDoListe& AToDo) {
  bool Alle = true;  // every step ran through
  const bool Gelaufen = KWDGuard("TQLX_InvAnfMani.ProduktIDs_ToDoListeLaden", [&] {
    AToDo.Clear();
    ProgressCaption(KBestimme, "Warengruppe", true);
    const bool AlleLeer = AlleWarengruppenLeer(AInventuren);
    if (AlleLeer)
      Alle = AAScan(AInventuren, AToDo) && Alle;
    else
      Alle = WGNScan(AInventuren, AWarengruppen, AToDo) && Alle;
    ProgressCaption(KBestimme, "Bestände", true);
    Alle = BestandPruefen(AInventuren, AFilialen, AToDo) && Alle;
    ProgressCaption(KBestimme, "Vorhandener Sollbestand", true);
    Alle = TeilAnforderungen_Entfernen(AInventuren, AToDo) && Alle;
    if (!AlleLeer) {
      ProgressCaption(KBestimme, "Pruefschärfe", true);
      Alle = PruefschaerfeChecken(AToDo) && Alle;
    }
  });
  return Gelaufen && Alle;
}

bool TQLX_InvAnfMani::AAScan(TInventurListe& AInventuren, TToDoListe& AToDo) {
  return KWDGuard("TQLX_InvAnfMani.AAScan", [&] {
    // Every article starts with every request; the stock check removes the
    // requests whose branch lacks it.
    TProduktID_Indizee Eintrag;
    Eintrag.clear();
    for (int32_t I = 0; I < AInventuren.Count(); ++I) Eintrag.Ind.push_back(I);

    AAFile_CiNoC();
    TAAFile& AA = Bereit(FAAFile, "Die Artikeldatei");
    AA.SetUsedField({&AA.ProduktId, &AA.Pruefschaerfe});
    AA.ExtendedFilterClear();
    AA.ExtendedFilterFinalize();
    bool Gefunden = AA.Get_first_extMode();
    while (Gefunden) {
      if (Char2ArtPrusch(AA.Pruefschaerfe.GetWert()) > 1) {
        Eintrag.PId = AA.ProduktId.GetWert();
        AToDo.Add(Eintrag);
      }
      if (AToDo.Count() % KScanTakt == 0) ProgressDo(0, 0);
      Gefunden = AA.Get_next_extMode();
    }
    AToDo.Sort();
  });
}

bool TQLX_InvAnfMani::WGNScan(TInventurListe& AInventuren, TWarengruppenListe& AWarengruppen, TToDoListe& AToDo) {
  const InvAnfIntern::TDienstFehler Dienste({"TQLX_WGN_Iterator", "TWGNMani"});
  const bool Gelaufen = KWDGuard("TQLX_InvAnfMani.WGNScan", [&] {
    WGNIter_CiN();
    TQLX_WGN_Iterator& Iter = Bereit(FWGNIter, "Der Warengruppen-Iterator");
    for (const std::string& G : AWarengruppen) {
      // Finer requests under G need each article's own group to tell them apart.
      bool Tiefer = false;
      for (const TInventurDetails& D : AInventuren)
        Tiefer = Tiefer || (D.InvAnf.WG.size() > G.size() && BeginntMit(D.InvAnf.WG, G));
      if (Tiefer) WGNMani_CiN();
      if (Tiefer && !FWGNMani) throw std::runtime_error("Die Warengruppenverwaltung ist nicht verfügbar");
      if (!Iter.Move_First(G, "EIGEN")) continue;
      do {
        TProduktID_Indizee Eintrag;
        Eintrag.clear();
        Eintrag.PId = Iter.Current_Produkt_ID();
        const std::string ArtikelWG = Tiefer ? FWGNMani->Get_MaxWGN4ProdId(Eintrag.PId, "") : G;
        for (int32_t I = 0; I < AInventuren.Count(); ++I)
          if (BeginntMit(ArtikelWG, AInventuren.GetItem_Ptr(I)->InvAnf.WG)) Eintrag.Ind.push_back(I);
        AToDo.Add(std::move(Eintrag));
        if (AToDo.Count() % KScanTakt == 0) ProgressDo(0, 0);
      } while (Iter.Move_Next());
    }
    TQLX_List_Helper<TProduktID_Indizee>::SortAndRemoveDuplicates(AToDo);
  });
  // An iterator that failed has found no articles rather than all of them.
  return !Dienste.Aufgetreten() && Gelaufen;
}

bool TQLX_InvAnfMani::BestandPruefen(TInventurListe& AInventuren, TFilialListe& AFilialen, TToDoListe& AToDo) {
  if (GDBConnector().GetDBArt() == 1) return BestandPruefen_Btrieve(AInventuren, AFilialen, AToDo);
  return BestandPruefen_SQL(AInventuren, AFilialen, AToDo);
}

bool TQLX_InvAnfMani::TeilAnforderungen_Entfernen(TInventurListe& AInventuren, TToDoListe& AToDo) {
  return KWDGuard("TQLX_InvAnfMani.TeilAnforderungen_Entfernen", [&] {
    int Gelesen = 0;
    for (int32_t Q = 0; Q < AInventuren.Count(); ++Q) {
      const TInventurDetails& Anf = *AInventuren.GetItem_Ptr(Q);
      IVFile_CiNoC();
      Tivfile& IV = Bereit(FIVFile, "Die Inventurdatei");
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
        if (++Gelesen % KListenTakt == 0) ProgressDo(0, 0);
        Gefunden = IV.Get_next();
      }
    }
  });
}

bool TQLX_InvAnfMani::PruefschaerfeChecken(TToDoListe& AToDo) {
  const InvAnfIntern::TDienstFehler Dienste({"TArtikelTools"});
  const bool Gelaufen = KWDGuard("TQLX_InvAnfMani.PruefschaerfeChecken", [&] {
    TArtikelTools Tools;
    int Geprueft = 0;
    for (int32_t Pos = AToDo.Count() - 1; Pos >= 0; --Pos) {
      if (Tools.Pruefschaerfe_4_Prodid(AToDo.GetItem_Ptr(Pos)->PId) < 2) AToDo.Delete(Pos);
      if (++Geprueft % KListenTakt == 0) ProgressDo(0, 0);
    }
  });
  return !Dienste.Aufgetreten() && Gelaufen;
}

void TQLX_InvAnfMani::InventurAnforderungArtZaehlen(const TVglInvAnf_Inv& AAnforderung, int& ATotal, int& ADa) {
  TInventurListe Inventuren;
  TWarengruppenListe Warengruppen;
  TFilialListe Filialen;
  auto ToDo = ToDoListeErzeugen();
  ProgressShow(false);
  KWDGuard("TQLX_InvAnfMani.InventurAnforderungArtZaehlen", [&] {
    ProgressCaption("Lade Inventureliste", "", true);
    // Counts of a list a failed step left half built would mislead: then
    // neither is assigned (the failure is registered).
    if (!UnvollstaendigeInventurenLaden({AAnforderung}, &Inventuren, &Warengruppen, &Filialen)) return;
    if (Inventuren.IsEmpty()) return;
    ProgressCaption(KBestimme, "Warengruppe", true);
    const bool MitWG = !Getrimmt(AAnforderung.WG).empty();
    bool Alle = MitWG ? WGNScan(Inventuren, Warengruppen, *ToDo) : AAScan(Inventuren, *ToDo);
    ProgressCaption(KBestimme, "Bestände", true);
    Alle = BestandPruefen(Inventuren, Filialen, *ToDo) && Alle;
    if (MitWG) {
      ProgressCaption(KBestimme, "Pruefschärfe", true);
      Alle = PruefschaerfeChecken(*ToDo) && Alle;
    }
    const int Total = ToDo->Count();
    ProgressCaption(KBestimme, "Vorhandener Sollbestand", true);
    Alle = TeilAnforderungen_Entfernen(Inventuren, *ToDo) && Alle;
    if (!Alle) return;
    ATotal = Total;
    ADa = Total - ToDo->Count();
  });
  ProgressHide();
}
