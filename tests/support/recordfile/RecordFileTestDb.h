#pragma once
// A fresh company database with the record-file tables, once per backend.
#include <gtest/gtest.h>

#include <memory>

#include "support/db/TDbConnection.h"
#include "support/recordfile/RecordFileSchema.h"
#include "tests/fixtures/TestDb.h"

class RecordFileTest : public ::testing::TestWithParam<TDbBackend> {
 protected:
  void SetUp() override {
    FDb = std::make_unique<TTestDb>(GetParam());
    FConn = FDb->Open();
    RecordFileSchemaEnsure(*FConn);
  }
  void TearDown() override {
    FConn.reset();
    FDb.reset();
  }
  TDbConnection& Conn() { return *FConn; }

  std::unique_ptr<TTestDb> FDb;
  std::unique_ptr<TDbConnection> FConn;
};
