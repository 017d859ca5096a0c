// The count-list selection: one record per printed line of every article of
// the printed requests, written into this process's count-list file; the
// printed requests as they stand; the count list as a table.
#include "printing/IALSelektion.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cctype>
#include <cwctype>
#include <locale.h>
#include <map>

#include "engine/InvAnfLesen.h"
#include "engine/TIAWiJahre.h"
#include "printing/IABefehlsnamen.h"
#include "printing/IALArtikelVorrat.h"
#include "printing/IALDatei.h"
#include "printing/IALListen.h"
#include "suite/TArtikelTools.h"
#include "suite/TKWDLayoutDatei.h"
#include "suite/TLiefGPData.h"
#include "suite/TSimplePriceReader.h"
#include "suite/TWGNMani.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/framework/TKWDInfo.h"
#include "support/framework/TQLX_PEP_Progress_SetPos.h"
#include "support/recordfile/Tastafile.h"
#include "support/recordfile/Tialfile.h"
#include "support/recordfile/Tivfile.h"
#include "support/types/IABenennung.h"
#include "support/types/KWDUtf8.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

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

std::string Getrimmt(const std::string& AText) {
  const auto Anfang = AText.find_first_not_of(" \t\r\n\v\f");
  if (Anfang == std::string::npos) return {};
  return AText.substr(Anfang, AText.find_last_not_of(" \t\r\n\v\f") - Anfang + 1);
}

// AText's characters in lower case, whatever the process's locale (groups
// may carry umlauts); a byte that begins no UTF-8 character stands for itself.
std::u32string Gefaltet(const std::string& AText) {
  static const locale_t Utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  std::u32string Text = KWDUtf8Zeichenfolge(AText);
  for (char32_t& Z : Text)
    Z = Utf8 ? static_cast<char32_t>(towlower_l(static_cast<wint_t>(Z), Utf8))
             : static_cast<char32_t>(Z < 0x80 ? std::tolower(static_cast<int>(Z)) : Z);
  return Text;
}

// The request's product group: empty or "*" takes every article, otherwise
// the article's group must begin with it (letters in either case).
bool WGPasst(const std::u32string& AAnforderung, const std::u32string& AArtikelWG) {
  if (AAnforderung.empty() || AAnforderung == U"*") return true;
  return AArtikelWG.compare(0, AAnforderung.size(), AAnforderung) == 0;
}

}  // namespace

TIALSelektion::TIALSelektion() = default;

int TIALSelektion::AusfuehrenMitFortschritt(TDateTime AWiJahr, const std::vector<TIADruckZeile>& AZeilen,
                                            TQLX_PEP_Progress_SetPos* AFortschritt, void* AOwner) {
  std::unique_ptr<TQLX_PEP_Progress_SetPos> Eigener;
  if (!AFortschritt) Eigener = TQLX_PEP_Progress_SetPos::Create(AOwner);
  TQLX_PEP_Progress_SetPos& Fortschritt = AFortschritt ? *AFortschritt : *Eigener;
  Fortschritt.SetCaption("Daten werden aufbereitet ...");
  if (Fortschritt.Zaehler().empty()) Fortschritt.AddCounter("ArtikelNr", "Artikelnummer: ");
  Fortschritt.SetCounter("ArtikelNr", "");
  Fortschritt.SetStyle(TProgressBarStyle::pbstMarquee);
  Fortschritt.ProgressShow(false);
  struct TAufraeumen {
    TQLX_PEP_Progress_SetPos& F;
    ~TAufraeumen() {
      KWDGuardStill(KIADruckenIAL, [&] { F.ProgressHide(); });
    }
  } Aufraeumen{Fortschritt};
  return Ausfuehren(AWiJahr, AZeilen, &Fortschritt);
}

TIALSelektion::~TIALSelektion() {
  KWDZerstoeren("TIALSelektion.Destroy", {[&] { FIVFile.reset(); }, [&] { FASTAFile.reset(); },
                                          [&] { FSimplePrice.reset(); }, [&] { FArtikelTools.reset(); },
                                          [&] { GlobLiefGPData_ReleaseInstance(FLiefGPData); },
                                          [&] { GlobWGNMani_ReleaseInstance(FWGNMani); }});
}

void TIALSelektion::Dienste_CiN() {
  if (!FWGNMani) FWGNMani = GlobWGNMani_GetInstance();
  if (!FLiefGPData) FLiefGPData = GlobLiefGPData_GetInstance();
  if (!FSimplePrice) FSimplePrice = std::make_unique<TSimplePriceReader>();
  if (!FArtikelTools) FArtikelTools = std::make_unique<TArtikelTools>();
}

int TIALSelektion::Ausfuehren(TDateTime AWiJahr, const std::vector<TIADruckZeile>& AZeilen,
                              TQLX_PEP_Progress_SetPos* AProgress) {
  int Geschrieben = 0;
  const bool Ok = KWDGuard(KIADruckenIALSelektion, [&] {
    IALAltdateienEntfernen();
    Tialfile IAL;
    IAL.SetFileNameRel(IALDateiName());
    IAL.OpenOut(-1);

    if (!FIVFile)
      FIVFile = std::make_unique<Tivfile>(RF_OPEN_NORMAL, -1);
    else
      FIVFile->ResetForReuse();
    Tivfile& IV = *FIVFile;
    IV.SelectKey(Tivfile::KEY_ZAEHLLISTE);
    IV.WiJahr.SetFilterMinMax(AWiJahr);
    Dienste_CiN();
    TIALArtikelVorrat Vorrat;
    FVorrat = &Vorrat;
    struct TVorratEnde {
      TIALArtikelVorrat*& V;
      ~TVorratEnde() { V = nullptr; }
    } VorratEnde{FVorrat};
    std::map<std::string, std::string> Gruppentexte;

    int32_t ZeilenNr = 1;
    auto LetzteAnzeige = std::chrono::steady_clock::now() - KAnzeigeAbstand;
    std::vector<TIVZeile> Block;
    Block.reserve(KBlock);
    std::vector<TInt32Trio> PIds;

    for (const TIADruckZeile& Anf : AZeilen) {
      const std::u32string AnfWG = Gefaltet(Getrimmt(Anf.WG));
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
          IAL.WiJahr.SetWert(AWiJahr);
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

          if (WGPasst(AnfWG, Gefaltet(WG))) {
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
              ++Geschrieben;
            }
          }

          if (AProgress) {
            const auto Jetzt = std::chrono::steady_clock::now();
            if (Jetzt - LetzteAnzeige >= KAnzeigeAbstand) {
              LetzteAnzeige = Jetzt;
              AProgress->SetCounter("ArtikelNr", FArtikelTools->ProduktID_2_ArtNr_Formatted(Z.PId, false));
              AProgress->StepIt();
            }
          }
          KWDInfoProcessMessages(333);
        }
      }
    }
  });
  return Ok ? Geschrieben : 0;
}

std::string TIALSelektion::GetQArtNr(const TInt32Trio& APId) {
  std::string ArtNr;
  KWDGuard("GetQArtNr", [&] {
    if (FVorrat && FVorrat->QArtNr(APId, ArtNr)) return;
    if (!FASTAFile)
      FASTAFile = std::make_unique<Tastafile>(RF_OPEN_NORMAL, -1);
    else
      FASTAFile->ResetForReuse();
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

std::vector<TIALAnforderung> TIALSelektion::AnforderungenLesen(TDateTime AWiJahr,
                                                               const std::vector<TIADruckZeile>& AZeilen) {
  std::vector<TIALAnforderung> Ergebnis;
  for (const TIADruckZeile& Z : AZeilen) {
    // As the request file holds the group: blanks at its end are no part of it.
    std::string WG = Z.WG == "*" ? std::string() : Z.WG;
    while (!WG.empty() && WG.back() == ' ') WG.pop_back();
    TIALAnforderung A{Z.Zaehldatum, Z.FilNr, WG.empty() ? std::string("*") : WG, false};
    const std::optional<TiaSatz> Satz = IAAnforderungLesen(IAAnforderungSchluessel(AWiJahr, Z.Zaehldatum, WG, Z.FilNr));
    if (Satz)
      A.Unvollstaendig = Char_2_IA_KZZaehlung(Satz->KZZaehlung) == TQLX_IA_KZZaehlung::iazAngefordert;
    Ergebnis.push_back(std::move(A));
  }
  return Ergebnis;
}

std::string TIALSelektion::UnvollstaendigText(const std::vector<TIALAnforderung>& AAnforderungen) {
  std::vector<std::string> Namen;
  for (const TIALAnforderung& A : AAnforderungen)
    if (A.Unvollstaendig)
      Namen.push_back("vom " + IAAnforderungText(A.Zaehldatum, A.WG, A.FilNr));
  if (Namen.empty()) return {};
  std::string Text = Namen.size() == 1 ? "Die Inventur " : "Die Inventuren ";
  for (size_t I = 0; I < Namen.size(); ++I) Text += (I == 0 ? "" : I + 1 == Namen.size() ? " und " : "; ") + Namen[I];
  Text += Namen.size() == 1 ? " ist" : " sind";
  Text += " noch nicht vollständig angefordert: der Sollbestand ist nicht vollständig gebucht (z. B. weil ein "
          "Vervollständigen abgebrochen wurde), die Zählliste zeigt nicht alle Artikel.";
  return Text;
}

TKWDTabelle IALZaehllisteTabelle(const TIALTabellenKopf& AKopf, bool ANullbestand, bool ANurSammel) {
  std::vector<TIALListe> Listen = IALListenLesen();
  IALListenAuswaehlen(Listen, ANullbestand, ANurSammel);
  return IALTabelle(std::move(Listen), AKopf);
}

namespace {
// The layout's own parameter AName ("Sollmenge"), the last of that name; else ADefault.
std::string LayoutParameter(const TKWDLayoutDatei& ALayout, const std::string& AName, const std::string& ADefault) {
  for (auto It = ALayout.Parameter.rbegin(); It != ALayout.Parameter.rend(); ++It)
    if (It->first == AName) return It->second;
  return ADefault;
}
bool LayoutJa(const TKWDLayoutDatei& ALayout, const std::string& AName, bool ADefault) {
  const std::string W = LayoutParameter(ALayout, AName, ADefault ? "J" : "N");
  return W == "J" || W == "j";
}
}  // namespace

TIALTabellenKopf IALTabellenKopf(const TKWDLayoutDatei& ALayout, const std::string& AMandant, TDate AWiJahr) {
  TIALTabellenKopf Kopf;
  Kopf.Mandant = AMandant;
  Kopf.WiJahrText = IAWiJahrBeschreiben(DateOf(AWiJahr), 0).Text;
  Kopf.Layout = ALayout.Titel;
  Kopf.Soll = LayoutJa(ALayout, "Sollmenge", true);
  return Kopf;
}

TIALOptionen IALOptionenMitLayout(TIALOptionen AOptionen, const TKWDLayoutDatei& ALayout) {
  AOptionen.Nullbestand = LayoutJa(ALayout, "Nullbestand", AOptionen.Nullbestand);
  AOptionen.AnzProGroe = LayoutJa(ALayout, "AnzProGroe", AOptionen.AnzProGroe);
  AOptionen.NurSammel = LayoutJa(ALayout, "NurSammel", AOptionen.NurSammel);
  return AOptionen;
}

bool TIALSelektion::UnvollstaendigeBestaetigt(const std::vector<TIALAnforderung>& AAnforderungen,
                                             const std::string& ATun, void* AOwner) {
  const std::string Text = UnvollstaendigText(AAnforderungen);
  if (Text.empty()) return true;
  return KWDInfo().ShowMeldung(KWD_MB_JANEIN, "STANDARD", 997, {Text + "\n\nTrotzdem " + ATun + "?"}, AOwner) ==
         KWD_MR_YES;
}
