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
#include "engine/TQLX_InvAnfMani.h"
#include "suite/ArtBestTypEigenschaften.h"
#include "suite/TSimplePriceReader.h"
#include "support/framework/KWDGuard.h"
#include "support/recordfile/TBFFile.h"
#include "support/recordfile/TFvkFile.h"
#include "support/recordfile/Tivfile.h"
#include "support/types/TKWD_ArtBestTyp.h"

using InvAnfIntern::Bereit;

namespace {
constexpr double KSchwelle = 0.005;
constexpr int KGroessen = TGroessenFelder::GRIndexMax() - TGroessenFelder::GRIndexMin() + 1;

// One stock-take record before it is written.
struct TIVSatz {
  int32_t Anforderung = 0;  // position in the request list
  char Bestandstyp = ' ';
  bool MitPrepare = true;   // a stock record; the zero record of a branch sale is written without
  std::array<int32_t, KGroessen> Menge{};
};
}  // namespace

bool TQLX_InvAnfMani::PaarGebucht(const TInventurDetails& AAnf, const TInt32Trio& APId) {
  IVFile_CiNoC();
  Tivfile& IV = Bereit(FIVFile, "Die Inventurdatei");
  IV.SelectKey(Tivfile::KEY_DATUM_FILIALE);
  IV.SetUsedField({&IV.ProduktId});
  IV.Key_WiJahr.SetKeyWert(AAnf.WiJahr);
  IV.Key_Zaehldatum.SetKeyWert(AAnf.InvAnf.Zaehldatum);
  IV.Key_FilNr.SetKeyWert(AAnf.InvAnf.FilNr);
  IV.Key_ProduktId.SetKeyWert(APId);
  const bool Da = IV.Get_equal();
  IVFile_CiNoC();  // ends the read at once
  return Da;
}

TQLX_InvAnfMani::TGebuchtePaare TQLX_InvAnfMani::GebuchtePaareLesen(
    const TInventurListe& AInventuren, const std::vector<TProduktID_Indizee>& AEintraege) {
  // The batch's requests grouped by what the stock-take key starts with.
  std::map<std::tuple<double, double, int>, std::vector<int32_t>> Gruppen;
  for (const TProduktID_Indizee& E : AEintraege)
    for (int32_t Q : E.Ind) {
      const TInventurDetails& A = *AInventuren.GetItem_Ptr(Q);
      auto& Liste = Gruppen[{A.WiJahr, A.InvAnf.Zaehldatum, A.InvAnf.FilNr}];
      if (std::find(Liste.begin(), Liste.end(), Q) == Liste.end()) Liste.push_back(Q);
    }
  if (!FSummenSql) FSummenSql = std::make_unique<TSuiteAbfragen>();
  TGebuchtePaare Gebucht;
  for (const auto& [Schluessel, Anforderungen] : Gruppen) {
    // One indexed look-up per article (an OR over the articles would scan
    // the branch's whole stock-take); the shape depends only on the count.
    std::string Sql;
    for (size_t I = 0; I < AEintraege.size(); ++I)
      Sql += std::string(I ? " UNION ALL " : "") +
             "SELECT prodid1, prodid2, prodid3 FROM inventur WHERE prodid1 = ? AND prodid2 = ? AND prodid3 = ? "
             "AND wijahr = ? AND zaehldatum = ? AND filnr = ?";
    TDbStatement& S = FSummenSql->Get(Sql);
    TAbfrageEnde Ende(S);
    int P = 1;
    for (const TProduktID_Indizee& E : AEintraege) {
      BindProdId(S, P, E.PId);
      S.BindDouble(P + 3, std::get<0>(Schluessel));
      S.BindDouble(P + 4, std::get<1>(Schluessel));
      S.BindInt(P + 5, std::get<2>(Schluessel));
      P += 6;
    }
    while (S.Step()) {
      const TInt32Trio PId = ColumnProdId(S, 0);
      for (int32_t Q : Anforderungen) Gebucht.insert({PId, Q});
    }
  }
  return Gebucht;
}

bool TQLX_InvAnfMani::IVSchreiben(TInventurListe& AInventuren, const TProduktID_Indizee& AEintrag,
                                  TIAZuwachsListe& AZuwachs) {
  return KWDGuard(
      "TQLX_InvAnfMani.IVSchreiben",
      [&] {
        SPReader_CiN();
        TSimplePriceReader& Preise = Bereit(FSPReader, "Der Preisleser");
        Preise.SetProdId(AEintrag.PId);
        const TArtBestTyp_Eigenschaften Eigenschaften = Get_ArtBestTyp_Eigenschaften();

        // Everything is read and valued first and only then written, so a
        // failure while reading leaves none of the article's records behind.
        std::vector<TIVSatz> Saetze;
        std::vector<TIAZuwachs> Werte(AEintrag.Ind.size());
        for (size_t S = 0; S < AEintrag.Ind.size(); ++S) {
          const int32_t Q = AEintrag.Ind[S];
          const TInventurDetails& Anf = *AInventuren.GetItem_Ptr(Q);

          // Another program may have booked the pair since the selection:
          // under the article's lock and inside this booking that is certain.
          if (FBatchGebucht) {
            if (FBatchGebucht->count({AEintrag.PId, Q})) continue;
          } else if (PaarGebucht(Anf, AEintrag.PId)) {
            continue;
          }

          Preise.SetDatum(Anf.InvAnf.Zaehldatum);
          Preise.SetSelekted(TQLX_Preis_Sys_Mand_Fil::Construct(Anf.InvAnf.FilNr));
          BFFile_CiNoC();
          TBFFile& BF = Bereit(FBFFile, "Die Bestandsdatei");
          BF.SelectKey(TBFFile::KEY_PRODUKT_FILIALE);
          BF.Key_ProduktId.SetKeyWertAndFilter(AEintrag.PId);
          BF.Key_FilNr.SetKeyWertAndFilter(Anf.InvAnf.FilNr);
          bool Geschrieben = false;
          for (bool G = BF.Get_ge(); G; G = BF.Get_next()) {
            const int Typ = Ord(Char_2_ArtBestTyp(BF.Bestandstyp.GetWert()));
            if (!InvAnfIntern::BestandZaehlt(BF.BestandA.GetWert(), BF.BestandB.GetWert(), BF.BestandC.GetWert()) ||
                !InvAnfIntern::BestandsTypGezaehlt(Typ))
              continue;
            TIVSatz Satz;
            Satz.Anforderung = Q;
            Satz.Bestandstyp = BF.Bestandstyp.GetWert();
            double Wert = 0.0;
            for (int I = TGroessenFelder::GRIndexMin(); I <= TGroessenFelder::GRIndexMax(); ++I) {
              const int32_t Menge = BF.GetGR_MESU(I);
              Satz.Menge[static_cast<size_t>(I - TGroessenFelder::GRIndexMin())] = Menge;
              if (Menge != 0) Wert += Menge * Preise.GEK_4_Art_Dat_Fil_GrInd(static_cast<int8_t>(I - 1), "");
            }
            Werte[S].Soll += Wert;
            if (Eigenschaften[Typ].IstWert) Werte[S].Ist += Wert;
            Saetze.push_back(Satz);
            Geschrieben = true;
          }
          if (Geschrieben) continue;

          // Present only through a branch sale: one zero record under stock type 1.
          FVKFile_CiNoC();
          TFvkFile& FVK = Bereit(FFVKFile, "Die Filialverkaufsdatei");
          FVK.SelectKey(TFvkFile::KEY_PRODUKT);
          FVK.Key_ProduktId.SetKeyWertAndFilter(AEintrag.PId);
          FVK.FilNr.SetFilterMinMax(Anf.InvAnf.FilNr);
          FVK.Satzart.SetFilterMinMax('F');
          FVK.Bewegungsart.SetFilterMinMax(std::string("23"));
          if (FVK.Get_equal()) {
            TIVSatz Satz;
            Satz.Anforderung = Q;
            Satz.Bestandstyp = CKWD_ArtBestTyp_BFWert[1];
            Satz.MitPrepare = false;
            Saetze.push_back(Satz);
          }
          // Ends the read: a scan left open past the commit would pin an old
          // snapshot, and the next booking could not begin.
          FVKFile_CiNoC();
        }

        IVFile_CiNoC();
        Tivfile& IV = Bereit(FIVFile, "Die Inventurdatei");
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
        return true;
      },
      false);
}

void TQLX_InvAnfMani::IAUpdate(TInventurListe& AInventuren, TIAZuwachsListe& AZuwachs) {
  KWDGuard("TQLX_InvAnfMani.IAUpdate", [&] { SummenErhoehen(AInventuren, AZuwachs); });
}

void TQLX_InvAnfMani::SummenErhoehen(TInventurListe& AInventuren, TIAZuwachsListe& AZuwachs) {
  // The growth is added in the database (not a total computed from values
  // read earlier), so a program booking other articles of the same request
  // at the same time never loses its part. Requests in key order, so two
  // programs take the row locks in the same order.
  std::vector<int32_t> Reihe(static_cast<size_t>(AInventuren.Count()));
  std::iota(Reihe.begin(), Reihe.end(), 0);
  std::sort(Reihe.begin(), Reihe.end(), [&](int32_t A, int32_t B) {
    const TVglInvAnf_Inv& X = AInventuren.GetItem_Ptr(A)->InvAnf;
    const TVglInvAnf_Inv& Y = AInventuren.GetItem_Ptr(B)->InvAnf;
    if (X.Zaehldatum != Y.Zaehldatum) return X.Zaehldatum < Y.Zaehldatum;
    if (X.WG != Y.WG) return X.WG < Y.WG;
    return X.FilNr < Y.FilNr;
  });
  if (!FSummenSql) FSummenSql = std::make_unique<TSuiteAbfragen>();
  for (int32_t Q : Reihe) {
    TIAZuwachs& Z = AZuwachs.at(static_cast<size_t>(Q));
    if (std::fabs(Z.Soll) <= KSchwelle && std::fabs(Z.Ist) <= KSchwelle) continue;
    const TVglInvAnf_Inv& A = AInventuren.GetItem_Ptr(Q)->InvAnf;
    TDbStatement& S = FSummenSql->Get(
        "UPDATE inventuranforderung SET ek_soll = ek_soll + ?, ek_ist = ek_ist + ? "
        "WHERE zaehldatum = ? AND wg = ? AND filnr = ?");
    S.BindDouble(1, Z.Soll);
    S.BindDouble(2, Z.Ist);
    S.BindDouble(3, A.Zaehldatum);
    S.BindText(4, A.WG);
    S.BindInt(5, A.FilNr);
    S.Run();
    Z = TIAZuwachs{};
  }
}
