// What booking a batch reads: booked pairs, counted stock and branch-sale
// marks of all its articles, each kind in one key-list read of its record
// file. On PostgreSQL the booked pairs, the stock and whatever was sent
// before (prices, the requests' check) travel in one round trip, the
// branch-sale marks (where no stock decides) in a second, instead of up to
// sixty round trips per batch.
#include <algorithm>
#include <vector>

#include "engine/InvAnfIntern.h"
#include "engine/TInvAnfSollBuchung.h"
#include "suite/TSimplePriceReader.h"
#include "support/recordfile/TBFFile.h"
#include "support/recordfile/TFvkFile.h"
#include "support/recordfile/Tivfile.h"
#include "support/types/TKWD_ArtBestTyp.h"

TInvAnfSollBuchung::TVorrat TInvAnfSollBuchung::BatchVorratLesen(const TInventurListe& AInventuren,
                                                                 const std::vector<TProduktID_Indizee>& AEintraege) {
  TVorrat V;
  V.Eigenschaften = Get_ArtBestTyp_Eigenschaften();

  // Every (article, request) pair once, and every (article, branch) pair once.
  std::vector<std::pair<TInt32Trio, int32_t>> Paare;
  std::vector<TArtikelFiliale> Filialpaare;
  for (const TProduktID_Indizee& E : AEintraege)
    for (int32_t Q : E.Ind) {
      Paare.emplace_back(E.PId, Q);
      Filialpaare.emplace_back(E.PId, AInventuren.GetItem_Ptr(Q)->InvAnf.FilNr);
    }
  std::sort(Paare.begin(), Paare.end());
  Paare.erase(std::unique(Paare.begin(), Paare.end()), Paare.end());
  std::sort(Filialpaare.begin(), Filialpaare.end());
  Filialpaare.erase(std::unique(Filialpaare.begin(), Filialpaare.end()), Filialpaare.end());

  // Pairs another program booked since the selection: the request's records
  // of the article (a stock-take record does not name its request; the key
  // list's position does).
  Tivfile& IV = FBedarf.IV.Neu();
  IV.SelectKey(Tivfile::KEY_DATUM_FILIALE);
  IV.SetUsedField({&IV.ProduktId});
  for (const auto& [PId, Q] : Paare) {
    const TInventurDetails& A = *AInventuren.GetItem_Ptr(Q);
    IV.Key_WiJahr.SetKeyWert(A.WiJahr);
    IV.Key_Zaehldatum.SetKeyWert(A.InvAnf.Zaehldatum);
    IV.Key_FilNr.SetKeyWert(A.InvAnf.FilNr);
    IV.Key_ProduktId.SetKeyWert(PId);
    IV.KeyListeAnfuegen();
  }
  IV.KeyListeSenden();

  // Counted stock: figures and stock type decide, as in the selection.
  TBFFile& BF = FBedarf.BF.Neu();
  BF.SelectKey(TBFFile::KEY_PRODUKT_FILIALE);
  for (const auto& [PId, FilNr] : Filialpaare) {
    BF.Key_ProduktId.SetKeyWert(PId);
    BF.Key_FilNr.SetKeyWert(FilNr);
    BF.KeyListeAnfuegen();
  }
  BF.KeyListeSenden();

  for (bool G = IV.Get_first_KeyListe(); G; G = IV.Get_next())
    V.Gebucht.insert(Paare[static_cast<size_t>(IV.KeyListePosition())]);
  for (bool G = BF.Get_first_KeyListe(); G; G = BF.Get_next()) {
    TBestandsSatz Satz;
    Satz.Bestandstyp = BF.Bestandstyp.GetWert() ? BF.Bestandstyp.GetWert() : ' ';
    if (!InvAnfIntern::BestandZaehlt(BF.BestandA.GetWert(), BF.BestandB.GetWert(), BF.BestandC.GetWert()) ||
        !InvAnfIntern::BestandsTypGezaehlt(Ord(Char_2_ArtBestTyp(Satz.Bestandstyp))))
      continue;
    for (int G2 = 0; G2 < RF_GROESSEN; ++G2) Satz.Menge[static_cast<size_t>(G2)] = BF.GetGR_MESU(G2 + 1);
    V.Bestand[Filialpaare[static_cast<size_t>(BF.KeyListePosition())]].push_back(Satz);
  }
  // In stock-type order, as a read by key gives them.
  for (auto& [Paar, Saetze] : V.Bestand)
    std::stable_sort(Saetze.begin(), Saetze.end(), [](const TBestandsSatz& A, const TBestandsSatz& B) {
      return static_cast<unsigned char>(A.Bestandstyp) < static_cast<unsigned char>(B.Bestandstyp);
    });

  // Branch-sale marks, only where no counted stock decides.
  TFvkFile& FVK = FBedarf.FVK.Neu();
  FVK.SelectKey(TFvkFile::KEY_PRODUKT);
  FVK.SetUsedField({&FVK.ProduktId});
  FVK.Satzart.SetFilterMinMax('F');
  FVK.Bewegungsart.SetFilterMinMax(std::string("23"));
  std::vector<TArtikelFiliale> OhneBestand;
  for (const TArtikelFiliale& P : Filialpaare) {
    if (V.Bestand.count(P)) continue;
    OhneBestand.push_back(P);
    FVK.Key_ProduktId.SetKeyWert(P.first);
    FVK.Key_FilNr.SetKeyWert(P.second);
    FVK.KeyListeAnfuegen();
  }
  for (bool G = FVK.Get_first_KeyListe(); G; G = FVK.Get_next())
    V.Verkauf.insert(OhneBestand[static_cast<size_t>(FVK.KeyListePosition())]);
  return V;
}

void TInvAnfSollBuchung::PreiseVorladen(const std::vector<TProduktID_Indizee>& AEintraege) {
  std::vector<TInt32Trio> PIds;
  for (const TProduktID_Indizee& E : AEintraege) PIds.push_back(E.PId);
  FBedarf.SPReader.Dienst().Vorladen(PIds, 'E');  // the booking values purchase prices only
}
