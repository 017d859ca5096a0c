// The stock check of the article selection, read by key or in bulk.
#include <algorithm>
#include <vector>

#include "engine/InvAnfIntern.h"
#include "engine/TInvAnfBestandsPruefung.h"
#include "engine/TInvAnfFortschritt.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDGuard.h"
#include "support/recordfile/TBFFile.h"
#include "support/recordfile/TFvkFile.h"
#include "support/recordfile/TQLX_DBLesestrecke.h"
#include "support/types/TKWD_ArtBestTyp.h"

namespace {
constexpr char KSatzartFiliale = 'F';
constexpr const char* KBewegungVerkauf = "23";

void SortiertEinfuegen(std::vector<int16_t>& AMenge, int16_t AWert) {
  const auto Pos = std::lower_bound(AMenge.begin(), AMenge.end(), AWert);
  if (Pos == AMenge.end() || *Pos != AWert) AMenge.insert(Pos, AWert);
}

bool Enthalten(const std::vector<int16_t>& ASortiert, int16_t AWert) {
  return std::binary_search(ASortiert.begin(), ASortiert.end(), AWert);
}

// Deletes to-do entries while the stock check walks the list from its end,
// without shifting the tail once per deleted entry (quadratic on large lists):
// deleted entries gather in a gap just behind the current position, kept ones
// are swapped past it, and the gap goes in one range delete. The destructor
// closes the gap on a failure too, so the list stays as far as the check got.
class TToDoVerdichter {
 public:
  explicit TToDoVerdichter(TToDoListe& AToDo) : FToDo(AToDo), FAnfang(AToDo.Count()), FEnde(AToDo.Count()) {}
  ~TToDoVerdichter() { Schliessen(); }
  TToDoVerdichter(const TToDoVerdichter&) = delete;
  TToDoVerdichter& operator=(const TToDoVerdichter&) = delete;

  // APos: the next position of a walk from the last to the first.
  void Loeschen(int32_t APos) { FAnfang = APos; }
  void Behalten(int32_t APos) {
    if (FAnfang < FEnde) FToDo.Exchange(APos, FEnde - 1);
    FAnfang = APos;
    --FEnde;
  }
  void Schliessen() {
    if (FAnfang < FEnde) FToDo.DeleteRange(FAnfang, FEnde - FAnfang);
    FEnde = FAnfang;
  }

 private:
  TToDoListe& FToDo;
  int32_t FAnfang, FEnde;  // the gap [FAnfang, FEnde) of deleted entries
};

bool BestandssatzZaehlt(const TBFFile& ABF) {
  return InvAnfIntern::BestandZaehlt(ABF.BestandA.GetWert(), ABF.BestandB.GetWert(), ABF.BestandC.GetWert()) &&
         InvAnfIntern::BestandsTypGezaehlt(Ord(Char_2_ArtBestTyp(ABF.Bestandstyp.GetWert())));
}

// Keeps the positions of AInd whose request branch is in APresent (sorted);
// true when any remains.
bool IndFiltern(const TInventurListe& AInventuren, std::vector<int32_t>& AInd, const std::vector<int16_t>& APresent) {
  for (auto I = static_cast<int32_t>(AInd.size()) - 1; I >= 0; --I)
    if (!Enthalten(APresent, AInventuren.GetItem_Ptr(AInd[static_cast<size_t>(I)])->InvAnf.FilNr))
      AInd.erase(AInd.begin() + I);
  return !AInd.empty();
}
}  // namespace

TInvAnfBestandsPruefung::TInvAnfBestandsPruefung(TInvAnfDatei<TBFFile>& ABF, TInvAnfDatei<TFvkFile>& AFVK,
                                                 TInvAnfFortschritt& AFortschritt)
    : FBF(ABF), FFVK(AFVK), FFortschritt(AFortschritt) {}

// Both ways read the same fields in the same key order.
void TInvAnfBestandsPruefung::DateienVorbereiten(TBFFile& ABF, TFvkFile& AFVK) {
  ABF.SelectKey(TBFFile::KEY_PRODUKT_FILIALE);
  ABF.SetUsedField({&ABF.ProduktId, &ABF.FilNr, &ABF.Bestandstyp, &ABF.BestandA, &ABF.BestandB, &ABF.BestandC});
  AFVK.SelectKey(TFvkFile::KEY_PRODUKT);
  AFVK.SetUsedField({&AFVK.ProduktId, &AFVK.FilNr, &AFVK.Satzart, &AFVK.Bewegungsart});
}

bool TInvAnfBestandsPruefung::BestandPruefen_Btrieve(TInventurListe& AInventuren, TFilialListe& AFilialen,
                                             TToDoListe& AToDo) {
  return KWDGuard("TQLX_InvAnfMani.BestandPruefen_Btrieve", [&] {
    if (AToDo.IsEmpty()) return;
    TBFFile& BF = FBF.Neu();
    TFvkFile& FVK = FFVK.Neu();
    DateienVorbereiten(BF, FVK);

    std::vector<int16_t> AnfFilialen;
    for (int16_t Fil : AFilialen) SortiertEinfuegen(AnfFilialen, Fil);
    std::vector<int16_t> Vorhanden;

    // Two short reads per article: one snapshot for all of them spares the
    // per-statement locking, which costs more than the reads.
    TQLX_DBLesestrecke Strecke(KWDDatenbank());
    TToDoVerdichter Verdichter(AToDo);
    for (int32_t Pos = AToDo.Count() - 1; Pos >= 0; --Pos) {
      TProduktID_Indizee* Eintrag = AToDo.GetItem_Ptr(Pos);
      Vorhanden.clear();

      FVK.ExtendedFilterClear();
      FVK.ProduktId.SetWert(Eintrag->PId);
      FVK.ExtendedFilterAdd(FVK.ProduktId, RF_VGL_GLEICH, RF_VERK_UND);
      FVK.Satzart.SetWert(KSatzartFiliale);
      FVK.ExtendedFilterAdd(FVK.Satzart, RF_VGL_GLEICH, RF_VERK_UND);
      FVK.Bewegungsart.SetWert(KBewegungVerkauf);
      FVK.ExtendedFilterAdd(FVK.Bewegungsart, RF_VGL_GLEICH, RF_VERK_UND);
      for (int16_t Fil : AnfFilialen) {
        FVK.FilNr.SetWert(Fil);
        FVK.ExtendedFilterAdd(FVK.FilNr, RF_VGL_GLEICH, RF_VERK_ODER);
      }
      FVK.ExtendedFilterFinalize();
      for (bool G = FVK.Get_ge_extMode(); G; G = FVK.Get_next_extMode())
        SortiertEinfuegen(Vorhanden, static_cast<int16_t>(FVK.FilNr.GetWert()));

      // One keyed read over the article's few stock records, not one per
      // request branch: every read is a statement with its own locking, and
      // that, not the rows, is what costs. With a single request branch the
      // key takes the branch as well, so the other branches' records stay unread.
      BF.Key_ProduktId.SetKeyWertAndFilter(Eintrag->PId);
      if (AnfFilialen.size() == 1) BF.Key_FilNr.SetKeyWertAndFilter(AnfFilialen.front());
      for (bool G = BF.Get_ge(); G; G = BF.Get_next()) {
        const auto Fil = static_cast<int16_t>(BF.FilNr.GetWert());
        if (Enthalten(AnfFilialen, Fil) && BestandssatzZaehlt(BF)) SortiertEinfuegen(Vorhanden, Fil);
      }

      std::vector<int32_t> Ind = Eintrag->Ind;
      if (IndFiltern(AInventuren, Ind, Vorhanden)) {
        Eintrag->Ind = std::move(Ind);
        Verdichter.Behalten(Pos);
      } else {
        Verdichter.Loeschen(Pos);
      }
      if (Pos % 1000 == 0) FFortschritt.ProgressDo(0, 0);
    }
  });
}

bool TInvAnfBestandsPruefung::BestandPruefen_SQL(TInventurListe& AInventuren, TFilialListe& AFilialen, TToDoListe& AToDo) {
  return KWDGuard("TQLX_InvAnfMani.BestandPruefen_SQL", [&] {
    if (AToDo.IsEmpty()) return;  // nothing to match: spare the bulk reads
    TBFFile& BF = FBF.Neu();
    TFvkFile& FVK = FFVK.Neu();
    DateienVorbereiten(BF, FVK);

    TQLX_List<TProduktID_FilNrn> Vorhanden(TProduktID_FilNrn::ComparerGet());
    // Both files are read in product-id order, so a new article is almost
    // always appended; the search keeps it right when it is not.
    auto Eintragen = [&](const TInt32Trio& APId, int32_t AFil) {
      TProduktID_FilNrn Suche;
      Suche.PId = APId;
      int32_t Pos = 0;
      if (!Vorhanden.BinarySearch(Suche, Pos)) Vorhanden.Insert(Pos, Suche);
      Vorhanden.GetItem_Ptr(Pos)->AddFil(AFil);
    };
    auto FilialTerme = [&](TQLX_DBFile& ADatei, TIntegerFeld& AFeld) {
      for (int16_t Fil : AFilialen) {
        AFeld.SetWert(Fil);
        ADatei.ExtendedFilterAdd(AFeld, RF_VGL_GLEICH, RF_VERK_ODER);
      }
      ADatei.ExtendedFilterFinalize();
      ADatei.LeseVerhalten_SQL_Set(2);
    };

    FVK.ExtendedFilterClear();
    FVK.Satzart.SetWert(KSatzartFiliale);
    FVK.ExtendedFilterAdd(FVK.Satzart, RF_VGL_GLEICH, RF_VERK_UND);
    FVK.Bewegungsart.SetWert(KBewegungVerkauf);
    FVK.ExtendedFilterAdd(FVK.Bewegungsart, RF_VGL_GLEICH, RF_VERK_UND);
    FilialTerme(FVK, FVK.FilNr);
    for (bool G = FVK.Get_ge_extMode(); G; G = FVK.Get_next_extMode()) {
      Eintragen(FVK.ProduktId.GetWert(), FVK.FilNr.GetWert());
      FFortschritt.ProgressDo(0, 0);
    }

    // The server drops the stock types that are never counted. Type 0 is
    // dropped too: the key-reading check and the booking never accept it, and
    // an article counted here but never booked would keep both apart.
    BF.ExtendedFilterClear();
    for (int Typ = 0; Typ < KKWD_ARTBESTTYP_ANZAHL; ++Typ) {
      if (InvAnfIntern::BestandsTypGezaehlt(Typ)) continue;
      BF.Bestandstyp.SetWert(CKWD_ArtBestTyp_BFWert[Typ]);
      BF.ExtendedFilterAdd(BF.Bestandstyp, RF_VGL_UNGLEICH, RF_VERK_UND);
    }
    FilialTerme(BF, BF.FilNr);
    int Gelesen = 0;
    for (bool G = BF.Get_ge_extMode(); G; G = BF.Get_next_extMode()) {
      // Checked here as well: a character no stock type uses passes the filter.
      if (BestandssatzZaehlt(BF)) Eintragen(BF.ProduktId.GetWert(), BF.FilNr.GetWert());
      if (++Gelesen % 1001 == 0) FFortschritt.ProgressDo(0, 0);
    }

    std::vector<int16_t> Filialmenge;
    TProduktID_FilNrn Suche;
    TToDoVerdichter Verdichter(AToDo);
    for (int32_t Pos = AToDo.Count() - 1; Pos >= 0; --Pos) {
      TProduktID_Indizee* Eintrag = AToDo.GetItem_Ptr(Pos);
      Suche.PId = Eintrag->PId;
      int32_t VPos = 0;
      if (!Vorhanden.BinarySearch(Suche, VPos)) {
        Verdichter.Loeschen(Pos);
        continue;
      }
      const auto& FilNrn = Vorhanden.GetItem_Ptr(VPos)->FilNrn;
      Filialmenge.assign(FilNrn.begin(), FilNrn.end());
      std::sort(Filialmenge.begin(), Filialmenge.end());
      std::vector<int32_t> Ind = Eintrag->Ind;
      if (IndFiltern(AInventuren, Ind, Filialmenge)) {
        Eintrag->Ind = std::move(Ind);
        Verdichter.Behalten(Pos);
      } else {
        Verdichter.Loeschen(Pos);
      }
    }
  });
}
