#include "ServicesTestUmgebung.h"

#include <cstdlib>

#include "support/db/KWDDatenbank.h"
#include "support/recordfile/RecordFileSchema.h"
#include "support/services/ServicesSchema.h"

void TServicesTest::SetUp() {
  FDb = std::make_unique<TTestDb>(GetParam());
  FDb->InstallAsCompany();
  // The record files make it a company that the helper program may open.
  RecordFileSchemaEnsure(KWDDatenbank());
  ServicesSchemaEnsure(KWDDatenbank());
  FPresenter = std::make_shared<TAufzeichnenderPresenter>();
  KWDMeldungPresenterSet(FPresenter);
}

void TServicesTest::TearDown() {
  KWDMeldungPresenterSet(nullptr);
  unsetenv("WWS_USER");
  KWDDatenbank_Set(nullptr);
  FDb.reset();
}
