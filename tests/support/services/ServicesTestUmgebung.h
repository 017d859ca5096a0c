#pragma once
// A fresh company per test, on every available backend, with the services
// schema and a presenter that records every message shown.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/framework/KWDMeldungPresenter.h"
#include "tests/fixtures/TestDb.h"

class TAufzeichnenderPresenter : public TKWDMeldungPresenter {
 public:
  int Zeigen(const TKWDMeldung& AMeldung) override {
    Gezeigt.push_back(AMeldung);
    return KWD_MR_OK;
  }
  std::vector<TKWDMeldung> Gezeigt;
};

class TServicesTest : public ::testing::TestWithParam<TDbBackend> {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<TTestDb> FDb;
  std::shared_ptr<TAufzeichnenderPresenter> FPresenter;
};

#define WWS_SERVICES_BACKENDS(Suite) \
  INSTANTIATE_TEST_SUITE_P(Backends, Suite, ::testing::ValuesIn(TTestDb::Available()), TTestDbName)
