// Booking one locked article: its stock-take records per request and stock
// type, valued at purchase price, and the growth of the request values.
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <numeric>
#include <vector>

#include "engine/InvAnfIntern.h"
#include "engine/TInvAnfSollBuchung.h"
#include "suite/TSimplePriceReader.h"
#include "support/recordfile/Tiafile.h"
#include "support/recordfile/Tivfile.h"
#include "support/types/TKWD_ArtBestTyp.h"

namespace {
constexpr double KSchwelle = 0.005;
constexpr int KGroessen = TGroessenFelder::GRIndexMax() - TGroessenFelder::GRIndexMin() + 1;
static_assert(KGroessen == RF_GROESSEN);

// One stock-take record before it is written.
struct TIVSatz {
  int32_t Anforderung = 0;  // position in the request list
  char Bestandstyp = ' ';
  bool MitPrepare = true;   // a stock record; the zero record of a branch sale is written without
  std::array<int32_t, KGroessen> Menge{};
};
}  // namespace

void TInvAnfSollBuchung::IVSchreiben(TInventurListe& AInventuren, const TProduktID_Indizee& AEintrag,
                                     const TVorrat& AVorrat, std::vector<TZuwachs>& AZuwachs) {
  TSimplePriceReader& Preise = FBedarf.SPReader.Dienst();
  Preise.SetProdId(AEintrag.PId);

  // Everything is read and valued first and only then written, so a
  // failure while reading leaves none of the article's records behind.
  std::vector<TIVSatz> Saetze;
  std::vector<TZuwachs> Werte(AEintrag.Ind.size());
  for (size_t S = 0; S < AEintrag.Ind.size(); ++S) {
    const int32_t Q = AEintrag.Ind[S];
    const TInventurDetails& Anf = *AInventuren.GetItem_Ptr(Q);
    // Another program may have booked the pair since the selection:
    // under the article's lock and inside this booking that is certain.
    if (AVorrat.Gebucht.count({AEintrag.PId, Q})) continue;

    Preise.SetDatum(Anf.InvAnf.Zaehldatum);
    Preise.SetSelekted(TQLX_Preis_Sys_Mand_Fil::Construct(Anf.InvAnf.FilNr));
    const TArtikelFiliale Paar{AEintrag.PId, Anf.InvAnf.FilNr};
    if (auto It = AVorrat.Bestand.find(Paar); It != AVorrat.Bestand.end()) {
      for (const TBestandsSatz& B : It->second) {
        TIVSatz Satz;
        Satz.Anforderung = Q;
        Satz.Bestandstyp = B.Bestandstyp;
        Satz.Menge = B.Menge;
        double Wert = 0.0;
        for (size_t G = 0; G < B.Menge.size(); ++G)
          if (B.Menge[G] != 0) Wert += B.Menge[G] * Preise.GEK_4_Art_Dat_Fil_GrInd(static_cast<int8_t>(G), "");
        Werte[S].Soll += Wert;
        if (AVorrat.Eigenschaften[Ord(Char_2_ArtBestTyp(B.Bestandstyp))].IstWert) Werte[S].Ist += Wert;
        Saetze.push_back(Satz);
      }
    } else if (AVorrat.Verkauf.count(Paar)) {
      // Present only through a branch sale: one zero record under stock type 1.
      TIVSatz Satz;
      Satz.Anforderung = Q;
      Satz.Bestandstyp = CKWD_ArtBestTyp_BFWert[1];
      Satz.MitPrepare = false;
      Saetze.push_back(Satz);
    }
  }

  Tivfile& IV = FBedarf.IV.Neu();
  for (const TIVSatz& Satz : Saetze) {
    const TInventurDetails& Anf = *AInventuren.GetItem_Ptr(Satz.Anforderung);
    IV.ClearRecord();
    IV.WiJahr.SetWert(Anf.WiJahr);
    IV.ProduktId.SetWert(AEintrag.PId);
    IV.FilNr.SetWert(Anf.InvAnf.FilNr);
    IV.SatzKZ.SetWert(' ');
    IV.Zaehldatum.SetWert(Anf.InvAnf.Zaehldatum);
    IV.Bestandstyp.SetWert(Satz.Bestandstyp);
    for (int I = TGroessenFelder::GRIndexMin(); I <= TGroessenFelder::GRIndexMax(); ++I)
      IV.SetGR_MESU(I, Satz.Menge[static_cast<size_t>(I - TGroessenFelder::GRIndexMin())]);
    if (Satz.MitPrepare) IV.PrepareWrite(wrdonInsert);
    IV.WriteRecord(wrdonInsert);
  }

  for (size_t S = 0; S < AEintrag.Ind.size(); ++S) {
    const int32_t Q = AEintrag.Ind[S];
    TInventurDetails& Anf = *AInventuren.GetItem_Ptr(Q);
    Anf.EKSoll += Werte[S].Soll;
    Anf.EKIst += Werte[S].Ist;
    AZuwachs[static_cast<size_t>(Q)].Soll += Werte[S].Soll;
    AZuwachs[static_cast<size_t>(Q)].Ist += Werte[S].Ist;
  }
}

void TInvAnfSollBuchung::IAUpdate(TInventurListe& AInventuren, std::vector<TZuwachs>& AZuwachs) {
  // The growth is added in the database (not a total computed from values
  // read earlier), so a program booking other articles of the same request
  // at the same time never loses its part. Requests in key order, so two
  // programs take the row locks in the same order.
  std::vector<int32_t> Reihe(static_cast<size_t>(AInventuren.Count()));
  std::iota(Reihe.begin(), Reihe.end(), 0);
  InvAnfIntern::InSchluesselFolge(AInventuren, Reihe);
  for (int32_t Q : Reihe) {
    TZuwachs& Z = AZuwachs.at(static_cast<size_t>(Q));
    if (std::fabs(Z.Soll) <= KSchwelle && std::fabs(Z.Ist) <= KSchwelle) continue;
    const TVglInvAnf_Inv& A = AInventuren.GetItem_Ptr(Q)->InvAnf;
    Tiafile& IA = FBedarf.IA.Neu();
    InvAnfIntern::SchluesselSetzen(IA, A);
    IA.EKSoll.SetWert(Z.Soll);
    IA.EKIst.SetWert(Z.Ist);
    IA.WertErhoehen({&IA.EKSoll, &IA.EKIst});
    Z = TZuwachs{};
  }
}
