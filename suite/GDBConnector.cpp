#include "suite/GDBConnector.h"

#include <stdexcept>

#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDLog.h"
#include "support/framework/KWDSettings.h"

int TDBConnector::GetDBArt() {
  return KWDGuard(
      "TDBConnector.GetDBArt",
      [] {
        const auto Erzwungen = KWDSetting("WWS_DB_KIND");
        if (Erzwungen && (*Erzwungen == "1" || *Erzwungen == "2")) return *Erzwungen == "1" ? 1 : 2;
        if (Erzwungen && !Erzwungen->empty())
          KWDLogSchreiben("TDBConnector.GetDBArt",
                          "Einstellung WWS_DB_KIND=\"" + *Erzwungen + "\" ist weder 1 noch 2 und wird ignoriert.");
        return KWDDatenbank().Backend() == TDbBackend::SQLite ? 1 : 2;
      },
      2);
}

TDBConnector& GDBConnector() {
  static TDBConnector Connector;
  return Connector;
}
