#include "printing/IALListen.h"

#include <algorithm>
#include <tuple>

#include "printing/IALDatei.h"
#include "suite/TFilialTabelle.h"
#include "support/recordfile/Tialfile.h"

std::vector<TIALListe> IALListenLesen() {
  Tialfile Datei;
  Datei.SetFileName(IALDateiPfad());
  Datei.OpenIn();
  Datei.SelectKey(Tialfile::KEY_ZEILE);
  std::vector<TIALListe> Listen;
  for (bool G = Datei.Get_first(); G; G = Datei.Get_next()) {
    TIALZeile Z;
    Z.Zaehldatum = Datei.Zaehldatum.GetWert();
    Z.FilNr = Datei.FilNr.GetWert();
    Z.PId = Datei.ProduktId.GetWert();
    Z.QArtNr = Datei.QArtNr.GetWert();
    Z.Text1 = Datei.Text1.GetWert();
    Z.Text2 = Datei.Text2.GetWert();
    Z.Text3 = Datei.Text3.GetWert();
    Z.WG = Datei.WG.GetWert();
    Z.WGText = Datei.WGText.GetWert();
    Z.Lieferant = Datei.Lieferant.GetWert();
    Z.Pruefschaerfe = Datei.Pruefschaerfe.GetWert();
    Z.Sollmenge = Datei.Sollmenge.GetWert();
    Z.VKPreis = Datei.VKPreis.GetWert();
    Z.Teil = Datei.Zeilenteil.GetWert();
    Z.Kennzahl1 = Datei.Kennzahl1.GetWert();
    Z.Von = Datei.ZeileGrVon.GetWert();
    Z.Bis = Datei.ZeileGrBis.GetWert();
    for (int I = Tialfile::GRIndexMin(); I <= Tialfile::GRIndexMax(); ++I)
      Z.Menge[static_cast<size_t>(I - Tialfile::GRIndexMin())] = Datei.GetGR_MESU(I);

    auto Liste = std::find_if(Listen.begin(), Listen.end(), [&](const TIALListe& L) {
      return L.Zaehldatum == Z.Zaehldatum && L.FilNr == Z.FilNr;
    });
    if (Liste == Listen.end()) {
      Listen.push_back({Z.Zaehldatum, Z.FilNr, {}, {}});
      Liste = std::prev(Listen.end());
    }
    // A further line of the same article continues it.
    if (Z.Teil > 0 && !Liste->Artikel.empty() && Liste->Artikel.back().Kopf().PId == Z.PId)
      Liste->Artikel.back().Zeilen.push_back(std::move(Z));
    else
      Liste->Artikel.push_back({{std::move(Z)}});
  }
  if (!Listen.empty()) {
    TFilialTabelle* Filialen = GlobFilialTabelle_GetInstance();
    for (TIALListe& L : Listen)
      if (const TFiliale* F = Filialen->Filialen().GetFilialeByNr(L.FilNr)) L.Filialname = F->Name;
    GlobFilialTabelle_ReleaseInstance(Filialen);
  }
  return Listen;
}

void IALListenAuswaehlen(std::vector<TIALListe>& AListen, bool ANullbestand, bool ANurSammel) {
  for (TIALListe& L : AListen) {
    std::erase_if(L.Artikel, [&](const TIALListenArtikel& A) {
      return (!ANullbestand && A.Kopf().Sollmenge == 0) || (ANurSammel && A.Kopf().Kennzahl1 <= 0);
    });
    std::stable_sort(L.Artikel.begin(), L.Artikel.end(), [](const TIALListenArtikel& A, const TIALListenArtikel& B) {
      const TIALZeile& X = A.Kopf();
      const TIALZeile& Y = B.Kopf();
      return std::tuple(X.WG.empty(), X.WG, X.QArtNr.empty(), X.QArtNr, X.PId) <
             std::tuple(Y.WG.empty(), Y.WG, Y.QArtNr.empty(), Y.QArtNr, Y.PId);
    });
  }
}
