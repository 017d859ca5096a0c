// wws-admin: creates companies (empty or with demo data) and looks after the
// shared company data: article locks, parameters, user rights, messages.
#include <CLI/CLI.hpp>
#include <clocale>
#include <iostream>

#include "support/db/TDbConnection.h"
#include "support/framework/KWDEinstellungen.h"
#include "support/framework/KWDSettings.h"
#include "support/framework/TKWDInfo.h"
#include "support/types/KWDUtf8.h"
#include "tools/common/CliDeutsch.h"
#include "tools/common/CliFehler.h"
#include "tools/wws-admin/AdminKontext.h"

namespace {

constexpr int CExitFehler = 1;
constexpr int CExitAufruf = 2;

}  // namespace

int main(int argc, char** argv) {
  // The technical texts of libpq and the system in the user's language;
  // numbers keep the C form (JSON, figures).
  std::setlocale(LC_MESSAGES, "");
  std::setlocale(LC_CTYPE, "");
  CLI::App app{"Verwaltung der Firmendatenbank der Warenwirtschaft", "wws-admin"};
  CliDeutschEinrichten(app, "Rückgabewerte: 0 erledigt, 1 Fehler, 2 Aufruf oder Eingabe abgelehnt.");
  app.require_subcommand(1);
  app.fallthrough();  // --db and --json may stand before or after the command
  TAdminKontext kontext;
  app.add_option("--db", kontext.Db, "Firma: Pfad der SQLite-Datei oder postgresql://-Adresse (sonst WWS_DB)")
      ->type_name(CLI_TYP_ORT);
  app.add_flag("--json", kontext.Json, "Ausgabe als JSON, wo ein Befehl sie anbietet");
  bool ausfuehrlich = false;
  app.add_flag("-v,--verbose", ausfuehrlich, "Bei einem Fehler auch die technischen Angaben (des Servers, des Systems) ausgeben");
  // The suite log keeps the full story; the user gets one line, and with
  // --verbose the technical text after it.
  auto Melden = [&ausfuehrlich](const std::exception& AE, int AExit, const std::string& AVorne = {}) {
    return CliFehlerMelden("wws-admin", AE, AExit, ausfuehrlich, AVorne);
  };
  KommandoFirmaAnmelden(app, kontext);
  KommandoLocksAnmelden(app, kontext);
  KommandoParamAnmelden(app, kontext);
  KommandoRightsAnmelden(app, kontext);
  KommandoMessagesAnmelden(app, kontext);
  KommandoFilialenAnmelden(app, kontext);

  if (const std::string fehler = KWDUtf8AngabeFehler(argc, argv); !fehler.empty()) {
    std::cerr << "wws-admin: " << fehler << "\n";
    return CExitAufruf;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e);  // --help
    KWDInfo().RegisterException("wws-admin", e, false);
    CliFehlerAusgeben("wws-admin", CliFehlerText(app, e), e.what(), ausfuehrlich);
    return CExitAufruf;
  }
  try {
    KWDEinstellungenPruefen();
    if (kontext.Aktion) kontext.Aktion();
    return 0;
  } catch (const EKWDEinstellung& e) {
    return Melden(e, CExitAufruf);
  } catch (const EAdminAufruf& e) {
    return Melden(EKWDSatzFehler(std::string(e.what()) + " Hilfe: wws-admin --help"), CExitAufruf);
  } catch (const EAdminAbgelehnt& e) {
    return Melden(e, CExitAufruf);
  } catch (const EAdminFehler& e) {
    return Melden(e, CExitFehler);
  } catch (const ECompanyDbError& e) {
    return Melden(e, CExitFehler);
  } catch (const EDbError& e) {
    return Melden(e, CExitFehler, "Fehler der Datenbank: ");
  } catch (const std::invalid_argument& e) {
    return Melden(e, CExitAufruf);  // the services' own German refusals of a value
  } catch (const std::exception& e) {
    return Melden(e, CExitFehler, "Unerwarteter Fehler: ");
  }
}
