#include "tools/wws-admin/AdminFirma.h"

#include <cstdlib>

#include "suite/SuiteDatenbank.h"
#include "support/db/KWDDatenbank.h"
#include "support/db/TDbConnection.h"
#include "support/framework/KWDDateiZiel.h"
#include "support/framework/KWDSettings.h"
#include "tools/wws-admin/AdminKontext.h"

std::string AdminFirmaOrt(const std::string& ADbOption) {
  if (!ADbOption.empty()) return ADbOption;
  if (auto ort = KWDSetting("WWS_DB"); ort && !ort->empty()) return *ort;
  throw EAdminFehler("Keine Firma angegeben: bitte --db ORT nennen oder die Einstellung WWS_DB setzen.");
}

namespace {

// Services that open connections of their own (the common lock) and child
// programs find the same company.
void Einstellen(const std::string& AOrt) { setenv("WWS_DB", AOrt.c_str(), 1); }

}  // namespace

TDbConnection& AdminFirmaOeffnen(const std::string& AOrt) {
  KWDDatenbank_Set(TDbConnection::OpenFirma(AOrt));
  Einstellen(AOrt);
  return SuiteDatenbankOeffnen();
}

TDbConnection& AdminFirmaZumSchreiben(const std::string& AOrt) {
  TDbConnection& Verbindung = AdminFirmaOeffnen(AOrt);
  if (Verbindung.NurLesen())
    throw EAdminAbgelehnt("Die Firma " + Verbindung.Ort() +
                          " darf von Ihnen nur gelesen werden; sie lässt sich hier nicht ändern.");
  return Verbindung;
}

TFirmaNeu AdminFirmaAnlegen(const std::string& AOrt, bool AErsetzen) {
  try {
    return SuiteDatenbankNeu(AOrt, AErsetzen, [](TDbConnection&) {});
  } catch (const EKWDZielAbgelehnt& e) {
    throw EAdminAbgelehnt(e.what());  // no place for a company: refused input
  } catch (const EFirmaBelegt& e) {
    throw EAdminAbgelehnt(e.what());
  } catch (const EFirmaAbgelehnt& e) {
    throw EAdminFehler(e.what());
  }
}
