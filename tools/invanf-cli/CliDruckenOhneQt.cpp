// invanf-cli built without the Qt layers: no print commands, but the list's export.
#include "tools/invanf-cli/CliDrucken.h"

void TCliDrucken::Registrieren(CLI::App& AApp, TCliOptionen&) { FListeExport.Registrieren(AApp); }

bool TCliDrucken::Ausfuehren(const TCliOptionen& AOpt, int& AExit) { return FListeExport.Ausfuehren(AOpt, AExit); }
