#include "tests/suite/SuiteTestUmgebung.h"

#include <unistd.h>

#include <cstdlib>

#include "suite/SuiteDatenbank.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/TKWDInfo.h"

void TSuiteTest::SetUp() {
  FLog = std::filesystem::temp_directory_path() / ("wws-suite-test-" + std::to_string(getpid()) + ".log");
  ::setenv("WWS_LOG", FLog.c_str(), 1);
  ::unsetenv("WWS_DB_KIND");
  FDb = std::make_unique<TTestDb>(GetParam());
  FDb->InstallAsCompany();
  SuiteDatenbankOeffnen();
  FDirekt = FDb->Open();
  FFirma = std::make_unique<TKleineFirma>(*FDirekt);
}

std::vector<std::string> TSuiteTest::FehlerAbholen() {
  std::vector<std::string> Namen;
  for (const auto& F : KWDInfo().Anstehend()) Namen.push_back(F.Name + ": " + F.Text);
  KWDInfo().FehlerTerminate("suite_test");
  return Namen;
}

void TSuiteTest::TearDown() {
  EXPECT_EQ(FehlerAbholen(), std::vector<std::string>{}) << "unerwartet registrierte Fehler";
  FFirma.reset();
  FDirekt.reset();
  KWDDatenbank_Set(nullptr);
  FDb.reset();
  std::error_code F;
  std::filesystem::remove(FLog, F);
}
