#include "app/InvAnfFirma.h"

#include <cstdlib>
#include <filesystem>

#include "app/FirmaOrt.h"
#include "suite/SuiteDatenbank.h"
#include "suite/SuiteDatenbankNeu.h"
#include "suite/demo/DemoFirmaAnlegen.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/EKWDSatzFehler.h"
#include "support/framework/KWDLog.h"
#include "support/framework/KWDSettings.h"
#include "support/framework/KWDUhr.h"
#include "support/framework/TQLX_PEP_Progress_SetPos.h"
#include "support/types/KWDZahlFormat.h"

namespace {
// The sentence for the user; both parts for the log.
std::string Gescheitert(const char* AName, const std::exception& AE) {
  const TKWDFehlerTeile Teile = KWDFehlerTeile(AE);
  KWDLogSchreiben(AName, KWDFehlerLogText(Teile));
  return Teile.Satz;
}
}  // namespace

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
    AGrund = Gescheitert("invanf.FirmaOeffnen", E);
    return false;
  }
}

bool InvAnfFirmaWechseln(const std::string& AOrt, std::string& AGrund, bool* ALeer) {
  TWwsDbMerker Vorher;
  if (ALeer) *ALeer = false;
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
    const auto* KeineFirma = dynamic_cast<const EDbKeineFirma*>(&E);
    if (ALeer) *ALeer = KeineFirma && KeineFirma->Leer;
    AGrund = Gescheitert("invanf.FirmaWechseln", E);
    return false;
  }
}

std::string InvAnfDemoOrt() { return KWDXdgPfad("XDG_DATA_HOME", ".local/share", "wws/demo.db"); }

bool InvAnfFirmaAnlegen(const std::string& AOrt, bool ADemo, bool AErsetzen, void* AOwner, std::string& AGrund) {
  TWwsDbMerker Vorher;
  std::error_code Fehler;
  if (!IstServerOrt(AOrt)) std::filesystem::create_directories(std::filesystem::path(AOrt).parent_path(), Fehler);
  try {
    auto Fortschritt = TQLX_PEP_Progress_SetPos::Create(AOwner);
    Fortschritt->SetCaption(ADemo ? "Demofirma anlegen" : "Firma anlegen");
    Fortschritt->SetDetail(FirmaBeschreiben(AOrt).Ort);  // never a password
    if (ADemo) Fortschritt->AddCounter("Artikel", "Artikel: ");
    Fortschritt->ProgressShow(true);
    struct TAusblenden {
      TQLX_PEP_Progress_SetPos& F;
      ~TAusblenden() { F.ProgressHide(); }
    } Ausblenden{*Fortschritt};
    if (ADemo) {
      TDemoOptionen Optionen;
      Optionen.Stichtag = kwd_Date();  // the demo's fiscal years hang on today
      DemoFirmaAnlegen(AOrt, Optionen, AErsetzen, [&](int64_t AFertig, int64_t AGesamt) {
        Fortschritt->SetMax(static_cast<int>(AGesamt));
        Fortschritt->SetPos(static_cast<int>(AFertig));
        Fortschritt->SetCounter("Artikel", FormatZahlDe(static_cast<double>(AFertig), 0) + " von " +
                                               FormatZahlDe(static_cast<double>(AGesamt), 0));
      });
    } else {
      SuiteDatenbankNeu(AOrt, AErsetzen, [](TDbConnection&) {});
    }
  } catch (const std::exception& E) {
    KWDDatenbank_Set(nullptr);
    AGrund = (ADemo ? "Die Demofirma wurde nicht angelegt: " : "Die Firma wurde nicht angelegt: ") +
             Gescheitert("invanf.FirmaAnlegen", E);
    return false;
  }
  // Built whole: opened the way every chosen company is, and WWS_DB stays on it.
  if (!InvAnfFirmaWechseln(AOrt, AGrund)) return false;
  Vorher.Behalten();
  return true;
}
