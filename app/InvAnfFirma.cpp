#include "app/InvAnfFirma.h"

#include <cstdlib>

#include "suite/SuiteDatenbank.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDLog.h"
#include "support/framework/KWDSettings.h"

TWwsDbMerker::TWwsDbMerker() {
  if (const char* Wert = std::getenv("WWS_DB")) {
    FGesetzt = true;
    FWert = Wert;
  }
}

TWwsDbMerker::~TWwsDbMerker() {
  if (FBehalten) return;
  if (FGesetzt)
    ::setenv("WWS_DB", FWert.c_str(), 1);
  else
    ::unsetenv("WWS_DB");
}

bool InvAnfFirmaOeffnen(std::string& AGrund) {
  const auto Ort = KWDSetting("WWS_DB");
  if (!Ort || Ort->empty()) {
    AGrund = "Es ist noch keine Firma eingestellt. Öffnen Sie eine Firmendatei oder eine Firma auf einem "
             "Datenbankserver, oder legen Sie zum Ausprobieren eine Demofirma an.";
    return false;
  }
  try {
    SuiteDatenbankOeffnen();
    return true;
  } catch (const std::exception& E) {
    KWDDatenbank_Set(nullptr);
    AGrund = std::string("Die Firma kann nicht geöffnet werden: ") + E.what();
    KWDLogSchreiben("invanf.FirmaOeffnen", AGrund);
    return false;
  }
}

bool InvAnfFirmaWechseln(const std::string& AOrt, std::string& AGrund) {
  TWwsDbMerker Vorher;
  try {
    // Refuses what is no company before anything of it is written.
    auto Verbindung = TDbConnection::OpenFirma(AOrt);
    KWDDatenbank_Set(std::move(Verbindung));
    ::setenv("WWS_DB", AOrt.c_str(), 1);
    SuiteDatenbankOeffnen();
    Vorher.Behalten();
    return true;
  } catch (const std::exception& E) {
    KWDDatenbank_Set(nullptr);
    AGrund = E.what();
    KWDLogSchreiben("invanf.FirmaWechseln", AGrund);
    return false;
  }
}

std::string InvAnfDemoOrt() { return KWDXdgPfad("XDG_DATA_HOME", ".local/share", "wws/demo.db"); }
