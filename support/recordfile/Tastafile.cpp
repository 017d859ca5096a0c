#include "support/recordfile/Tastafile.h"

#include "support/db/KWDDatenbank.h"

Tastafile::Tastafile(int AOpenMode, int AKanal) : Tastafile(KWDDatenbank(), AOpenMode, AKanal) {}

Tastafile::Tastafile(TDbConnection& AConnection, int AOpenMode, int AKanal)
    : TQLX_DBFile(AConnection, RFTabelle_ArtNrHistorie(), AOpenMode, AKanal) {}
