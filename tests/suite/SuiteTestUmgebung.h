#pragma once
// A fresh company per test on every available backend, with all schema parts
// and a small company builder. Errors the services register are recorded:
// a test fails when one was registered that it did not expect.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "support/framework/KWDMeldungPresenter.h"
#include "support/types/KWDDatum.h"
#include "tests/fixtures/SuiteFixture.h"
#include "tests/fixtures/TestDb.h"

class TSuiteTest : public ::testing::TestWithParam<TDbBackend> {
 protected:
  void SetUp() override;
  void TearDown() override;

  TKleineFirma& Firma() { return *FFirma; }
  // Registered errors so far; clears them (the test expected them).
  std::vector<std::string> FehlerAbholen();

  static TDate D(int AJahr, int AMonat, int ATag) { return EncodeDate(AJahr, AMonat, ATag); }
  static TInt32Trio P(int A1, int A2 = 0, int A3 = 0) { return TInt32Trio::Construct(A1, A2, A3); }

  std::unique_ptr<TTestDb> FDb;
  std::unique_ptr<TDbConnection> FDirekt;  // a connection of its own, for building and checking
  std::unique_ptr<TKleineFirma> FFirma;
  std::filesystem::path FLog;
};

#define WWS_SUITE_BACKENDS(Suite) \
  INSTANTIATE_TEST_SUITE_P(Backends, Suite, ::testing::ValuesIn(TTestDb::Available()), TTestDbName)
