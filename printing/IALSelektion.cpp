// The count-list selection: one record per printed line of every article of
// the printed requests, written into this process's count-list file.
#include <QString>
#include <algorithm>
#include <array>
#include <chrono>
#include <map>

#include "printing/IABefehlsnamen.h"
#include "printing/IALArtikelVorrat.h"
#include "printing/IALDatei.h"
#include "printing/TIADrucken.h"
#include "suite/TArtikelTools.h"
#include "suite/TLiefGPData.h"
#include "suite/TSimplePriceReader.h"
#include "suite/TWGNMani.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/TKWDInfo.h"
#include "support/framework/TQLX_PEP_Progress_SetPos.h"
#include "support/recordfile/Tastafile.h"
#include "support/recordfile/Tialfile.h"
#include "support/recordfile/Tivfile.h"

namespace {

// Sizes per printed line: the count list's size grid has 17 columns.
constexpr int KGroessenJeZeile = 17;
// Stock-take records whose article data is read together.
constexpr size_t KBlock = 500;
// The progress line shows the article worked on; it is repainted at most
// this often, so its article number is looked up no more often either.
constexpr auto KAnzeigeAbstand = std::chrono::milliseconds(40);

// What the selection takes of one stock-take record.
struct TIVZeile {
  TInt32Trio PId;
  int32_t Sollmenge = 0;
  int32_t GrVon = 0;
  int32_t GrBis = 0;
  std::array<int32_t, RF_GROESSEN> Menge{};
};

// The request's product group: empty or "*" takes every article, otherwise
// the article's group must begin with it (letters in either case).
bool WGPasst(const QString& AAnforderung, const std::string& AArtikelWG) {
  if (AAnforderung.isEmpty() || AAnforderung == QLatin1String("*")) return true;
  return QString::fromStdString(AArtikelWG).startsWith(AAnforderung, Qt::CaseInsensitive);
}

}  // namespace

void TIADrucken::DruckenIALExecute_Selektion() {
  FGeschrieben = 0;
  KWDGuard(KIADruckenIALSelektion, [&] {
    IALAltdateienEntfernen();
    Tialfile IAL;
    IAL.SetFileNameRel(IALDateiName());
    IAL.OpenOut(-1);

    IVfile_CiNoC();
    Tivfile& IV = *FIVFile;
    IV.SelectKey(Tivfile::KEY_ZAEHLLISTE);
    IV.WiJahr.SetFilterMinMax(FWiJahr);
    Dienste_CiN();
    TIALArtikelVorrat Vorrat;
    FVorrat = &Vorrat;
    struct TVorratEnde {
      TIALArtikelVorrat*& V;
      ~TVorratEnde() { V = nullptr; }
    } VorratEnde{FVorrat};
    std::map<std::string, std::string> Gruppentexte;

    const std::vector<TIADruckZeile> Zeilen = FZeilen ? FZeilen() : std::vector<TIADruckZeile>{};
    int32_t ZeilenNr = 1;
    auto LetzteAnzeige = std::chrono::steady_clock::now() - KAnzeigeAbstand;
    std::vector<TIVZeile> Block;
    Block.reserve(KBlock);
    std::vector<TInt32Trio> PIds;

    for (const TIADruckZeile& Anf : Zeilen) {
      const QString AnfWG = QString::fromStdString(Anf.WG).trimmed();
      IV.Zaehldatum.SetFilterMinMax(Anf.Zaehldatum);
      IV.FilNr.SetFilterMinMax(Anf.FilNr);
      IV.Bestandstyp.SetFilter(std::string_view(&KIALBestandstyp, 1));
      bool Gefunden = IV.Get_first();
      while (Gefunden) {
        // A block of records first, then their article data in one go.
        Block.clear();
        PIds.clear();
        for (; Gefunden && Block.size() < KBlock; Gefunden = IV.Get_next()) {
          // Only the regular stock: the filter says so, the record confirms it.
          if (IV.Bestandstyp.GetWert() != KIALBestandstyp) continue;
          TIVZeile& Z = Block.emplace_back();
          Z.PId = IV.ProduktId.GetWert();
          Z.Sollmenge = IV.Sollmenge.GetWert();
          Z.GrVon = IV.GrVon.GetWert();
          Z.GrBis = IV.GrBis.GetWert();
          for (int G = Tivfile::GRIndexMin(); G <= Tivfile::GRIndexMax(); ++G)
            Z.Menge[static_cast<size_t>(G - Tivfile::GRIndexMin())] = IV.GetGR_MESU(G);
          PIds.push_back(Z.PId);
        }
        Vorrat.Lesen(PIds);
        FSimplePrice->Vorladen(PIds, 'V');

        for (const TIVZeile& Z : Block) {
          IAL.ClearRecord();
          IAL.WiJahr.SetWert(FWiJahr);
          IAL.Zaehldatum.SetWert(Anf.Zaehldatum);
          IAL.FilNr.SetWert(Anf.FilNr);
          IAL.ProduktId.SetWert(Z.PId);
          IAL.Sollmenge.SetWert(std::max<int32_t>(0, Z.Sollmenge));

          std::string WGNr, WG;
          const bool HatWG = Vorrat.Warengruppe(Z.PId, WGNr, WG);
          IAL.WGNr.SetWert(WGNr);
          IAL.WG.SetWert(WG);
          if (HatWG) {
            auto It = Gruppentexte.find(WG);
            if (It == Gruppentexte.end()) It = Gruppentexte.emplace(WG, FWGNMani->Get_GWNText(WG, WGNr)).first;
            IAL.WGText.SetWert(It->second);
          }

          if (WGPasst(AnfWG, WG)) {
            FSimplePrice->SetProdId(Z.PId);
            if (const TIALArtikel* A = Vorrat.Artikel(Z.PId)) {
              IAL.Lieferant.SetWert(FLiefGPData->GetLiefDataByGep_EmptyDefault(A->LiefGP).Name);
              FSimplePrice->SetDatum(Anf.Zaehldatum);
              FSimplePrice->SetSelekted(TQLX_Preis_Sys_Mand_Fil::Construct(Anf.FilNr));
              IAL.VKPreis.SetWert(FSimplePrice->SVK_4_Art_Dat_Fil_GrInd(static_cast<int8_t>(A->PreisGrInd - 1), {}));
              IAL.QArtNr.SetWert(GetQArtNr(Z.PId));
              IAL.Text1.SetWert(A->Text1);
              IAL.Text2.SetWert(A->Text2);
              IAL.Text3.SetWert(A->Text3);
              IAL.Pruefschaerfe.SetWert(A->Pruefschaerfe);
              IAL.Kennzahl1.SetWert(A->HatKennzahlen ? A->Kennzahl1 : 0);
              IAL.Kennzahl2.SetWert(A->HatKennzahlen ? A->Kennzahl2 : 1);
            }
            IAL.GrVon.SetWert(Z.GrVon);
            IAL.GrBis.SetWert(Z.GrBis);
            for (int G = Tialfile::GRIndexMin(); G <= Tialfile::GRIndexMax(); ++G)
              IAL.SetGR_MESU(G, Z.Menge[static_cast<size_t>(G - Tialfile::GRIndexMin())]);

            // One line per block of at most 17 sizes; none when the range is empty.
            const int32_t Anzahl = Z.GrBis - Z.GrVon + 1;
            const int32_t Teile = Anzahl <= 0 ? 0 : Anzahl / KGroessenJeZeile + (Anzahl % KGroessenJeZeile ? 1 : 0);
            for (int32_t P = 0; P < Teile; ++P) {
              const int32_t Von = Z.GrVon + KGroessenJeZeile * P;
              IAL.ZeileGrVon.SetWert(Von);
              IAL.ZeileGrBis.SetWert(std::min(Von + KGroessenJeZeile - 1, Z.GrBis));
              IAL.Zeilenteil.SetWert(P);
              IAL.ZeilenNr.SetWert(ZeilenNr++);
              IAL.AppendRecord();
              ++FGeschrieben;
            }
          }

          if (FProgress) {
            const auto Jetzt = std::chrono::steady_clock::now();
            if (Jetzt - LetzteAnzeige >= KAnzeigeAbstand) {
              LetzteAnzeige = Jetzt;
              FProgress->SetCounter("ArtikelNr", FArtikelTools->ProduktID_2_ArtNr_Formatted(Z.PId, false));
              FProgress->StepIt();
            }
          }
          KWDInfoProcessMessages(333);
        }
      }
    }
  });
}

std::string TIADrucken::GetQArtNr(const TInt32Trio& APId) {
  std::string ArtNr;
  KWDGuard("GetQArtNr", [&] {
    if (FVorrat && FVorrat->QArtNr(APId, ArtNr)) return;
    ASTAfile_CiNoC();
    Tastafile& Historie = *FASTAFile;
    Historie.SelectKey(Tastafile::KEY_PRODUKT);
    Historie.Key_ProduktId.SetKeyWert(APId);
    Historie.KeyWerteToExtendedFiltern();
    TDate Datum = 0;
    for (bool G = Historie.Get_first_extMode(); G; G = Historie.Get_next_extMode())
      QArtNrPruefen(Historie.Eingabedatum.GetWert(), Historie.ArtNr.GetWert(), Datum, ArtNr);
  });
  return ArtNr;
}
