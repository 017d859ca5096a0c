// The new-request dialog and invanf-cli create share their checks: on the
// same demo company they refuse the same product groups with message 1012 and
// accept the same others.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>

#include "dialogs/TFrmIANeu.h"
#include "suite/SuiteDatenbank.h"
#include "widgets/TQLX_DatumsEingabe.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDMeldungen.h"
#include "support/framework/KWDUhr.h"
#include "support/framework/TKWDInfo.h"
#include "support/framework/TKWDSkriptPresenter.h"
#include "tests/fixtures/TestDb.h"
#include "tests/support/framework/TestUmgebung.h"
#include "tests/tools/KindProzess.h"
#include "tests/widgets/WidgetTestHilfe.h"

namespace {

class GleicheAblehnung : public ::testing::TestWithParam<TDbBackend> {
 protected:
  void SetUp() override {
    FFirma = std::make_unique<TTestDb>(GetParam());
    const auto Demo = KindAusfuehren(
        WWS_ADMIN_PFAD, {"demo", "--db", FFirma->Ort(), "--force", "--articles", "200", "--stichtag", "2026-03-15"});
    ASSERT_EQ(Demo.Exit, 0) << Demo.Err;
    FFirma->InstallAsCompany();
    SuiteDatenbankOeffnen();
    KWDUhrSet([] { return EncodeDate(2026, 3, 15) + 0.5; });
  }
  void TearDown() override {
    KWDUhrSet({});
    KWDInfo().FehlerTerminate("gleiche_ablehnung");
    KWDDatenbank_Set(nullptr);
  }

  TTestLog FLog;
  TTempOrdner FFormOrdner;
  TUmgebungsWert FXdg{"XDG_CONFIG_HOME", FFormOrdner.Pfad().string()};
  TUmgebungsWert FHeute{"WWS_TODAY", "2026-03-15"};
  std::unique_ptr<TTestDb> FFirma;
};

TEST_P(GleicheAblehnung, DialogAndCommandLineRefuseTheSameProductGroups) {
  // The first line of the message as invanf-cli writes it to stderr.
  const std::string Text1012 = KWDMeldungText("INVANF", 1012).substr(0, KWDMeldungText("INVANF", 1012).find('\n'));
  TKWDSkriptPresenterScope Antworten(KWD_MR_NO);
  TFrmIANeu Form;
  Form.SetWiJahr(EncodeDate(2026, 1, 1));
  Form.SetWiJahrLastDay(EncodeDate(2027, 2, 28));
  const auto Filiale2 = Kind<QListWidget>(Form, "chbFilialen")->findItems("2", Qt::MatchExactly);
  ASSERT_EQ(Filiale2.size(), 1);
  Filiale2.front()->setCheckState(Qt::Checked);

  int Verglichen = 0;
  // A day of its own per entry: the requests one entry creates never meet another's.
  TDate Tag = EncodeDate(2026, 4, 1);
  for (const std::string WG : {"5", "A", "*", "12", "12  ", "-3", "$1F", "12*", " 12", "1 2", "1A", "Ä1", "1\t2"}) {
    Tag += 1;
    Kind<TQLX_DatumsEingabe>(Form, "btnZaehldatum")->Date_Set(Tag);
    Antworten->Leeren();
    Kind<QLineEdit>(Form, "edtWg")->setText(QString::fromStdString(WG));
    const bool DialogNimmt = Form.TestData();
    std::vector<int> Nummern;
    for (const TKWDMeldung& M : Antworten->Gezeigt()) Nummern.push_back(M.Nr);
    EXPECT_EQ(Nummern, DialogNimmt ? std::vector<int>{} : std::vector<int>{1012}) << "[" << WG << "]";

    const auto Cli = KindAusfuehren(INVANF_CLI_PFAD, {"create", "--db", FFirma->Ort(), "--year", "2026-01-01",
                                                      "--date", FormatDatumIso(Tag), "--branch", "2", "--wg", WG});
    if (DialogNimmt) {
      EXPECT_EQ(Cli.Exit, 0) << "[" << WG << "] " << Cli.Err;
    } else {
      EXPECT_EQ(Cli.Exit, 2) << "[" << WG << "] " << Cli.Err;
      EXPECT_NE(Cli.Err.find(Text1012), std::string::npos) << "[" << WG << "] " << Cli.Err;
    }
    ++Verglichen;
  }
  EXPECT_EQ(Verglichen, 13);
}

INSTANTIATE_TEST_SUITE_P(Datenbanken, GleicheAblehnung, ::testing::ValuesIn(TTestDb::Available()), TTestDbName);

}  // namespace
