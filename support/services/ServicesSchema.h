#pragma once
// Tables of the framework services (schema part "services"): parameters,
// user rights, message-text overrides and the article locks of the common lock.
#include "support/db/TDbConnection.h"

// Creates or upgrades the part; safe to call at every program start.
// A new company grants every right to every user (row "*", right 0), so a
// fresh demo works at once; `wws-admin rights` narrows it down.
void ServicesSchemaEnsure(TDbConnection& AConnection);
