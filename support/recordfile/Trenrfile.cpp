#include "support/recordfile/Trenrfile.h"

#include "support/db/KWDDatenbank.h"

Trenrfile::Trenrfile(int AOpenMode, int AKanal) : Trenrfile(KWDDatenbank(), AOpenMode, AKanal) {}

Trenrfile::Trenrfile(TDbConnection& AConnection, int AOpenMode, int AKanal)
    : TQLX_DBFile(AConnection, RFTabelle_Artikelkennzahl(), AOpenMode, AKanal) {}
