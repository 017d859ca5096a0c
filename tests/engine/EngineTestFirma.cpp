#include "tests/engine/EngineTestFirma.h"

#include <cstdlib>

#include "support/recordfile/TBFFile.h"
#include "support/recordfile/TFvkFile.h"
#include "support/types/TKWD_ArtBestTyp.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

void TEngineTest::Bestand(const TInt32Trio& APId, int AFil, int ATyp, int AA, int AB, int AC) {
  TBFFile BF(*FDirekt);
  BF.ClearRecord();
  BF.ProduktId.SetWert(APId);
  BF.FilNr.SetWert(AFil);
  BF.Bestandstyp.SetWert(CKWD_ArtBestTyp_BFWert[ATyp]);
  BF.BestandA.SetWert(AA);
  BF.BestandB.SetWert(AB);
  BF.BestandC.SetWert(AC);
  BF.SetGR_MESU(1, 3);
  BF.WriteRecord(wrdonInsert);
}

void TEngineTest::Verkauf(const TInt32Trio& APId, int AFil, char ASatzart, const std::string& ABewegung) {
  TFvkFile FVK(*FDirekt);
  FVK.ClearRecord();
  FVK.LfdNr.SetWert(++FLfdNr);
  FVK.ProduktId.SetWert(APId);
  FVK.FilNr.SetWert(AFil);
  FVK.Satzart.SetWert(ASatzart);
  FVK.Bewegungsart.SetWert(ABewegung);
  FVK.Menge.SetWert(1);
  FVK.WriteRecord(wrdonInsert);
}

TVglInvAnf_Inv TEngineTest::Anf(TDate AZaehldat, const std::string& AWG, int AFil, TDate AWiJahr) {
  TVglInvAnf_Inv A;
  A.FilNr = static_cast<int16_t>(AFil);
  A.WG = AWG;
  A.WiJahr = YearOf(AWiJahr);
  A.Zaehldatum = AZaehldat;
  A.KZZaehlung = static_cast<uint8_t>(TQLX_IA_KZZaehlung::iazAngefordert);
  return A;
}

TEngineTest::TAuswahl TEngineTest::AlsAuswahl(const TInventurListe& AInventuren, const TToDoListe& AToDo) {
  TAuswahl Ergebnis;
  for (const TProduktID_Indizee& E : AToDo) {
    auto& Anf = Ergebnis[E.PId];
    for (int32_t Q : E.Ind) {
      const TInventurDetails& D = *AInventuren.GetItem_Ptr(Q);
      Anf.insert(D.InvAnf.WG + "@" + std::to_string(D.InvAnf.FilNr));
    }
  }
  return Ergebnis;
}

TEngineTest::TAuswahl TEngineTest::Auswahl(const std::vector<TVglInvAnf_Inv>& AAnf, int AArt,
                                           std::vector<std::string>* AWarengruppen, std::vector<int16_t>* AFilialen) {
  ::setenv("WWS_DB_KIND", AArt == 1 ? "1" : "2", 1);
  TInvAnfObjekte Objekte;
  TInvAnfAuswahl Auswahl(TInvAnfAuswahl::Bedarf(Objekte));
  TInventurListe Inventuren;
  TWarengruppenListe Warengruppen;
  TFilialListe Filialen;
  auto ToDo = TInvAnfAuswahl::ToDoListeErzeugen();
  Auswahl.UnvollstaendigeInventurenLaden(AAnf, &Inventuren, &Warengruppen, &Filialen);
  Auswahl.ProduktIDs_ToDoListeLaden(Inventuren, Warengruppen, Filialen, *ToDo);
  ::unsetenv("WWS_DB_KIND");
  // Kept sorted by product id, one entry per article.
  for (int32_t I = 1; I < ToDo->Count(); ++I)
    EXPECT_LT(TInt32Trio::Compare(ToDo->GetItem_Ptr(I - 1)->PId, ToDo->GetItem_Ptr(I)->PId), 0);
  if (AWarengruppen) *AWarengruppen = Warengruppen.ToArray();
  if (AFilialen) *AFilialen = Filialen.ToArray();
  return AlsAuswahl(Inventuren, *ToDo);
}

TEngineTest::TAuswahl TEngineTest::AuswahlBeide(const std::vector<TVglInvAnf_Inv>& AAnf) {
  const TAuswahl Schluessel = Auswahl(AAnf, 1);
  EXPECT_EQ(Schluessel, Auswahl(AAnf, 2)) << "Lesen per Schlüssel und Massenlesen wählen verschieden aus";
  return Schluessel;
}
