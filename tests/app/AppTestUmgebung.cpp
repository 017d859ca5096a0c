#include "tests/app/AppTestUmgebung.h"

#include <QTest>

#include "support/framework/KWDUhr.h"

void TAppTest::SetUp() {
  TSuiteTest::SetUp();
  FXdg = std::make_unique<TUmgebungsWert>("XDG_CONFIG_HOME", FOrdner.Pfad().string());
  ::unsetenv("WWS_RTYP");
  ::unsetenv("WWS_TODAY");
  ::unsetenv("WWS_ANTWORT");
  Heute(2025, 2, 15);
  FMeldungen = std::make_unique<TKWDSkriptPresenterScope>(KWD_MR_NO);
}

void TAppTest::TearDown() {
  FNeu.reset();
  FHaupt.reset();
  FStart.reset();
  KWDUhrSet({});
  FMeldungen.reset();
  FXdg.reset();
  TSuiteTest::TearDown();
}

void TAppTest::Heute(int AJahr, int AMonat, int ATag) {
  const TDateTime Jetzt = EncodeDate(AJahr, AMonat, ATag) + 0.5;
  KWDUhrSet([Jetzt] { return Jetzt; });
}

TFrmIAStart& TAppTest::Start() {
  if (!FStart) FStart = std::make_unique<TFrmIAStart>();
  return *FStart;
}

TFrmIAMain& TAppTest::Haupt() {
  Start();
  if (!FHaupt) {
    FHaupt = std::make_unique<TFrmIAMain>();
    FNeu = std::make_unique<TFrmIANeu>();
  }
  return *FHaupt;
}

TFrmIAMain& TAppTest::HauptZeigen(TDate AWiJahr) {
  TFrmIAMain& H = Haupt();
  H.SetWiJahr(AWiJahr);
  H.show();
  QApplication::setActiveWindow(&H);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&H));
  return H;
}

void TAppTest::Anforderung(TDate AZaehldat, const std::string& AWG, int AFilNr, TDate AWiJahr, char AZustand,
                           double ASoll, double AIst) {
  Firma().Anforderung(AZaehldat, AWG, AFilNr, AWiJahr, AZustand);
  auto S = FDirekt->Prepare(
      "UPDATE inventuranforderung SET ek_soll = ?, ek_ist = ? WHERE zaehldatum = ? AND wg = ? AND filnr = ?");
  S->BindDouble(1, ASoll);
  S->BindDouble(2, AIst);
  S->BindDouble(3, AZaehldat);
  S->BindText(4, AWG);
  S->BindInt(5, AFilNr);
  S->Execute();
}

std::vector<std::vector<std::string>> TAppTest::Zeilen() {
  std::vector<std::vector<std::string>> Ergebnis;
  TVTKWDVRList* L = Liste();
  for (TVRNode N = L->GetFirst(); N; N = L->GetNext(N)) {
    std::vector<std::string> Zeile;
    for (int S = 0; S <= colStatusKZ; ++S) Zeile.push_back(L->VRList()->CellText(N, S));
    Ergebnis.push_back(std::move(Zeile));
  }
  return Ergebnis;
}

std::vector<std::string> TAppTest::Gezeigt() const {
  std::vector<std::string> Liste;
  for (const TKWDMeldung& M : (*FMeldungen)->Gezeigt()) Liste.push_back(M.Gruppe + " " + std::to_string(M.Nr));
  return Liste;
}
