#include "app/InvAnfFirma.h"

#include <cstdlib>
#include <filesystem>

#include "suite/SuiteDatenbank.h"
#include "suite/demo/DemoFirmaAnlegen.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDLog.h"
#include "support/framework/KWDSettings.h"
#include "support/framework/KWDUhr.h"
#include "support/framework/TQLX_PEP_Progress_SetPos.h"
#include "support/types/KWDZahlFormat.h"

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

bool InvAnfDemoAnlegen(const std::string& AOrt, bool AErsetzen, void* AOwner, std::string& AGrund) {
  TWwsDbMerker Vorher;
  std::error_code Fehler;
  std::filesystem::create_directories(std::filesystem::path(AOrt).parent_path(), Fehler);
  try {
    auto Fortschritt = TQLX_PEP_Progress_SetPos::Create(AOwner);
    Fortschritt->SetCaption("Demofirma anlegen");
    Fortschritt->SetDetail(AOrt);
    Fortschritt->AddCounter("Artikel", "Artikel: ");
    Fortschritt->ProgressShow(true);
    struct TAusblenden {
      TQLX_PEP_Progress_SetPos& F;
      ~TAusblenden() { F.ProgressHide(); }
    } Ausblenden{*Fortschritt};
    TDemoOptionen Optionen;
    Optionen.Stichtag = kwd_Date();  // the demo's fiscal years hang on today
    DemoFirmaAnlegen(AOrt, Optionen, AErsetzen, [&](int64_t AFertig, int64_t AGesamt) {
      Fortschritt->SetMax(static_cast<int>(AGesamt));
      Fortschritt->SetPos(static_cast<int>(AFertig));
      Fortschritt->SetCounter("Artikel", FormatZahlDe(static_cast<double>(AFertig), 0) + " von " +
                                             FormatZahlDe(static_cast<double>(AGesamt), 0));
    });
  } catch (const std::exception& E) {
    KWDDatenbank_Set(nullptr);
    AGrund = std::string("Die Demofirma lässt sich nicht anlegen: ") + E.what();
    KWDLogSchreiben("invanf.DemoAnlegen", AGrund);
    return false;
  }
  // Built whole: opened the way every chosen company is, and WWS_DB stays on it.
  if (!InvAnfFirmaWechseln(AOrt, AGrund)) return false;
  Vorher.Behalten();
  return true;
}
