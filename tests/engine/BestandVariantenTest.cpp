// Property: on the demo company, reading stock by key article by article and
// reading it in bulk with server-side filters give the same to-do list, for
// random sets of requests.
#include <gtest/gtest.h>

#include <random>

#include "engine/TInvAnfBestandsPruefung.h"
#include "suite/demo/DemoFirma.h"
#include "support/recordfile/Tiafile.h"
#include "tests/engine/EngineTestFirma.h"

namespace {

using TEintraege = std::vector<std::pair<TInt32Trio, std::vector<int32_t>>>;

TEintraege Eintraege(const TToDoListe& AToDo) {
  TEintraege E;
  for (const TProduktID_Indizee& P : AToDo) E.emplace_back(P.PId, P.Ind);
  return E;
}

class TBestandVariantenTest : public TEngineTest {
 protected:
  void SetUp() override {
    TEngineTest::SetUp();
    TDemoOptionen Opt;
    Opt.Seed = 7;
    Opt.Artikel = 600;
    Opt.Filialen = 5;
    Opt.Stichtag = D(2025, 6, 15);
    DemoFirmaErzeugen(*FDirekt, Opt);
  }

  // Every request of the company in the requested state.
  std::vector<TVglInvAnf_Inv> Angefordert() {
    Tiafile IA(*FDirekt);
    IA.SelectKey(Tiafile::KEY_ZAEHLSTATUS);
    IA.Key_KZZaehlung.SetKeyWertAndFilter('A');
    std::vector<TVglInvAnf_Inv> A;
    for (bool G = IA.Get_ge(); G; G = IA.Get_next())
      A.push_back(Anf(IA.Zaehldatum.GetWert(), IA.WG.GetWert(), IA.FilNr.GetWert(), IA.WiJahr.GetWert()));
    return A;
  }

  // Both stock checks of AAuswahl's to-do list must agree; returns how many entries were compared.
  int Vergleichen(const std::vector<TVglInvAnf_Inv>& AAuswahl, const std::string& ARunde) {
    TInvAnfObjekte Objekte;
    TInvAnfAuswahl Teile(TInvAnfAuswahl::Bedarf(Objekte));
    TInvAnfBestandsPruefung Pruefung(Objekte.BF, Objekte.FVK, Objekte.Fortschritt);
    TInventurListe Inventuren;
    TWarengruppenListe Warengruppen;
    TFilialListe Filialen;
    auto Btrieve = TInvAnfAuswahl::ToDoListeErzeugen();
    auto Sql = TInvAnfAuswahl::ToDoListeErzeugen();
    Teile.UnvollstaendigeInventurenLaden(AAuswahl, &Inventuren, &Warengruppen, &Filialen);
    Teile.Scannen(Inventuren, Warengruppen, *Btrieve);
    Sql->AddRange(Btrieve->ToArray());
    Pruefung.BestandPruefen_Btrieve(Inventuren, Filialen, *Btrieve);
    Pruefung.BestandPruefen_SQL(Inventuren, Filialen, *Sql);
    EXPECT_EQ(Eintraege(*Btrieve), Eintraege(*Sql)) << ARunde << ", " << Inventuren.Count() << " Anforderungen";
    return Btrieve->Count();
  }
};

TEST_P(TBestandVariantenTest, KeyReadsAndBulkReadsGiveTheSameToDoList) {
  std::mt19937 Zufall(20250615);
  // More requests in the requested state: random groups (also empty and
  // coarse ones) in random branches.
  const std::vector<std::string> Gruppen{"", "1", "2", "3", "11", "12", "21", "35", "4", "5", "6", "7"};
  TQLX_InvAnfMani Anleger;
  for (int I = 0; I < 30; ++I)
    Anleger.InventurAnlegen(D(2025, 7, 1) + Zufall() % 20, D(2025, 1, 1), Gruppen[Zufall() % Gruppen.size()],
                            1 + static_cast<int>(Zufall() % 5));
  const std::vector<TVglInvAnf_Inv> Alle = Angefordert();
  ASSERT_GT(Alle.size(), 10u);

  int Verglichen = 0;
  for (int Runde = 0; Runde < 12; ++Runde) {
    std::vector<TVglInvAnf_Inv> Auswahl;
    for (const auto& A : Alle)
      if (Zufall() % 3 == 0) Auswahl.push_back(A);
    if (Runde == 0) Auswahl = Alle;

    Verglichen += Vergleichen(Auswahl, "Runde " + std::to_string(Runde));

    // The whole selection agrees as well.
    AuswahlBeide(Auswahl);
  }
  EXPECT_GT(Verglichen, 100) << "die Stichproben prüften kaum Artikel";
}

// The requests of one branch alone: the key read takes that branch into its
// key and must still find exactly what the bulk read finds, though the other
// branches hold stock of the same articles.
TEST_P(TBestandVariantenTest, KeyReadsOfASingleBranchAgreeWithBulkReads) {
  TQLX_InvAnfMani Anleger;
  for (int Fil = 1; Fil <= 5; ++Fil) {
    Anleger.InventurAnlegen(D(2025, 7, 1), D(2025, 1, 1), "", Fil);
    Anleger.InventurAnlegen(D(2025, 7, 2), D(2025, 1, 1), "1", Fil);
  }
  const std::vector<TVglInvAnf_Inv> Alle = Angefordert();
  int Verglichen = 0;
  for (int Fil = 1; Fil <= 5; ++Fil) {
    std::vector<TVglInvAnf_Inv> Auswahl;
    for (const auto& A : Alle)
      if (A.FilNr == Fil) Auswahl.push_back(A);
    if (!Auswahl.empty()) Verglichen += Vergleichen(Auswahl, "Filiale " + std::to_string(Fil));
  }
  EXPECT_GT(Verglichen, 100) << "die Filialen prüften kaum Artikel";
}

WWS_SUITE_BACKENDS(TBestandVariantenTest);

}  // namespace
