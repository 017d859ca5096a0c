#include "support/recordfile/TFvkFile.h"

#include "support/db/KWDDatenbank.h"

TFvkFile::TFvkFile(int AOpenMode, int AKanal) : TFvkFile(KWDDatenbank(), AOpenMode, AKanal) {}

TFvkFile::TFvkFile(TDbConnection& AConnection, int AOpenMode, int AKanal)
    : TQLX_DBFile(AConnection, RFTabelle_Filialverkauf(), AOpenMode, AKanal) {}
