#include "tests/engine/BuchungsTestFirma.h"

#include <signal.h>

#include <algorithm>
#include <cmath>

#include "support/framework/KWDPause.h"
#include "support/services/SperrVerwaltung.h"

void TBuchungsTest::SetUp() {
  TEngineTest::SetUp();
  FPausen = 0;
  KWDPauseSet([this](int AMs) {
    EXPECT_EQ(AMs, 2000);
    ++FPausen;
  });
}

void TBuchungsTest::TearDown() {
  KWDPauseSet(nullptr);
  TEngineTest::TearDown();
}

void TBuchungsTest::Aufbauen(int AAnzahl) {
  Firma().Warengruppe("10", "Zehn").Warengruppe("20", "Zwanzig").Filiale(1, "Eins");
  for (int I = 1; I <= AAnzahl; ++I) {
    Firma().Artikel(P(I), I % 2 ? "10" : "20").ArtNr(P(I), D(2020, 1, 1), "A" + std::to_string(1000 + I));
    Firma().Preis('E', P(I), 0, 0, D(2020, 1, 1), 2.0 + 0.01 * I);
    Bestand(P(I), 1, 1);
    if (I % 3 == 0) Bestand(P(I), 1, 3);
  }
  Firma().Anforderung(ZAEHLTAG, "10", 1, WIJAHR).Anforderung(ZAEHLTAG, "20", 1, WIJAHR);
}

std::vector<TVglInvAnf_Inv> TBuchungsTest::Anforderungen() const {
  return {Anf(ZAEHLTAG, "10", 1, WIJAHR), Anf(ZAEHLTAG, "20", 1, WIJAHR)};
}

TBuchungsTest::TStand TBuchungsTest::Stand() {
  TStand S;
  auto Q = FDirekt->Prepare("SELECT prodid1, filnr, bestandstyp, sollmenge FROM inventur");
  while (Q->Step())
    S.Saetze[{static_cast<int>(Q->ColumnInt(0)), static_cast<int>(Q->ColumnInt(1)), Q->ColumnText(2).at(0)}] =
        static_cast<int>(Q->ColumnInt(3));
  auto A = FDirekt->Prepare("SELECT wg, filnr, ek_soll, ek_ist, kz_zaehlung FROM inventuranforderung");
  while (A->Step())
    S.Anforderungen[A->ColumnText(0) + "@" + std::to_string(A->ColumnInt(1))] = {
        std::round(A->ColumnDouble(2) * 100) / 100, std::round(A->ColumnDouble(3) * 100) / 100,
        A->ColumnText(4).at(0)};
  return S;
}

std::map<std::string, double> TBuchungsTest::Bewertung() {
  std::map<std::string, double> W;
  auto Q = FDirekt->Prepare("SELECT prodid1, filnr, sollmenge FROM inventur");
  while (Q->Step()) {
    const int Nr = static_cast<int>(Q->ColumnInt(0));
    W[std::string(Nr % 2 ? "10" : "20") + "@" + std::to_string(Q->ColumnInt(1))] +=
        Q->ColumnInt(2) * (2.0 + 0.01 * Nr);
  }
  return W;
}

void TBuchungsTest::SummenPassenZuSaetzen() {
  const auto W = Bewertung();
  for (const auto& [Name, Werte] : Stand().Anforderungen) {
    if (std::get<2>(Werte) == 'L') continue;
    const auto It = W.find(Name);
    EXPECT_NEAR(std::get<0>(Werte), It == W.end() ? 0.0 : It->second, 0.011) << Name;
  }
}

void TBuchungsTest::KeinSatzOhneAnforderung() {
  struct TAnf {
    double WiJahr, Zaehldatum;
    int FilNr;
    std::string WG;
  };
  std::vector<TAnf> Anforderungen;
  auto A = FDirekt->Prepare("SELECT wijahr, zaehldatum, filnr, wg FROM inventuranforderung");
  while (A->Step())
    Anforderungen.push_back({A->ColumnDouble(0), A->ColumnDouble(1), static_cast<int>(A->ColumnInt(2)), A->ColumnText(3)});
  std::map<int, std::string> Gruppe;
  auto G = FDirekt->Prepare("SELECT prodid1, wgn FROM artikel_wg WHERE wgsystem = 'EIGEN'");
  while (G->Step()) Gruppe[static_cast<int>(G->ColumnInt(0))] = G->ColumnText(1);
  auto S = FDirekt->Prepare("SELECT prodid1, wijahr, zaehldatum, filnr FROM inventur");
  std::vector<int> Ohne;
  while (S->Step()) {
    const int Nr = static_cast<int>(S->ColumnInt(0));
    const bool Hat = std::any_of(Anforderungen.begin(), Anforderungen.end(), [&](const TAnf& R) {
      return R.WiJahr == S->ColumnDouble(1) && R.Zaehldatum == S->ColumnDouble(2) && R.FilNr == S->ColumnInt(3) &&
             Gruppe[Nr].rfind(R.WG, 0) == 0;
    });
    if (!Hat) Ohne.push_back(Nr);
  }
  EXPECT_TRUE(Ohne.empty()) << Ohne.size() << " Sätze ohne ihre Anforderung, der erste von Artikel " << Ohne.front();
  SummenPassenZuSaetzen();
}

void TBuchungsTest::SatzVerweigern(const std::vector<int>& ANummern, char ATyp) {
  std::string Nr;
  for (int N : ANummern) Nr += (Nr.empty() ? "" : ", ") + std::to_string(N);
  Nr = "(" + Nr + ")";
  const std::string Typ = ATyp ? " AND NEW.bestandstyp = '" + std::string(1, ATyp) + "'" : "";
  if (GetParam() == TDbBackend::SQLite) {
    FDirekt->ExecScript("CREATE TRIGGER kaputt BEFORE INSERT ON inventur WHEN NEW.prodid1 IN " + Nr + Typ +
                        " BEGIN SELECT RAISE(ABORT, 'Platte voll'); END");
  } else {
    FDirekt->ExecScript("CREATE FUNCTION kaputt() RETURNS trigger AS $$ BEGIN IF NEW.prodid1 IN " + Nr + Typ +
                        " THEN RAISE EXCEPTION 'Platte voll'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql; "
                        "CREATE TRIGGER kaputt BEFORE INSERT ON inventur FOR EACH ROW EXECUTE FUNCTION kaputt()");
  }
}

void TBuchungsTest::SatzZulassen() {
  FDirekt->ExecScript(GetParam() == TDbBackend::SQLite ? "DROP TRIGGER kaputt"
                                                        : "DROP TRIGGER kaputt ON inventur; DROP FUNCTION kaputt()");
}

int TBuchungsTest::LebendeSperren() {
  int N = 0;
  for (const auto& E : SperrenListe(*FDirekt)) N += E.Lebt ? 1 : 0;
  return N;
}

TKindprozess TBuchungsTest::Halten(const TInt32Trio& APId, int ASekunden) {
  TKindprozess K = TKindprozess::Starten(
      {WWS_ADMIN_PFAD, "locks", "hold", APId.ToString(), "--seconds", std::to_string(ASekunden), "--program", "Kasse"},
      true);
  EXPECT_TRUE(K.AufZeileWarten("GESPERRT")) << "wws-admin hat die Sperre nicht gemeldet";
  return K;
}
