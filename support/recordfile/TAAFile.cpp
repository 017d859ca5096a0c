#include "support/recordfile/TAAFile.h"

#include "support/db/KWDDatenbank.h"

TAAFile::TAAFile(int AOpenMode, int AKanal) : TAAFile(KWDDatenbank(), AOpenMode, AKanal) {}

TAAFile::TAAFile(TDbConnection& AConnection, int AOpenMode, int AKanal)
    : TQLX_DBFile(AConnection, RFTabelle_Artikel(), AOpenMode, AKanal) {}
