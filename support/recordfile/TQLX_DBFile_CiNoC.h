#pragma once
// The "_CiNoC" step of a record file its owner creates on first need: create
// it when absent, else reset the existing object for reuse, so that no key
// value, filter or record of an earlier use survives.
#include <memory>

#include "support/recordfile/TQLX_DBFile.h"

template <class F>
void DBFile_CiNoC(std::unique_ptr<F>& AFeld, int AOpenMode = RF_OPEN_NORMAL, int AKanal = -1) {
  if (AFeld)
    AFeld->ResetForReuse();
  else
    AFeld = std::make_unique<F>(AOpenMode, AKanal);
}
