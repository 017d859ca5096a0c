// invanf-cli built without the Qt layers: no print commands.
#include "tools/invanf-cli/CliDrucken.h"

void TCliDrucken::Registrieren(CLI::App&, TCliOptionen&) {}

bool TCliDrucken::Ausfuehren(const TCliOptionen&, int&) { return false; }
