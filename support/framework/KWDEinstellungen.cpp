#include "support/framework/KWDEinstellungen.h"

#include "support/framework/KWDUhr.h"

void KWDEinstellungenPruefen() { KWDHeuteFest(); }
