#include "support/recordfile/TBFFile.h"

#include "support/db/KWDDatenbank.h"

TBFFile::TBFFile(int AOpenMode, int AKanal) : TBFFile(KWDDatenbank(), AOpenMode, AKanal) {}

TBFFile::TBFFile(TDbConnection& AConnection, int AOpenMode, int AKanal)
    : TQLX_DBFile(AConnection, RFTabelle_Bestand(), AOpenMode, AKanal), TGroessenFelder(static_cast<TQLX_DBFile&>(*this)) {}
