// wws-admin: creates companies (empty or with demo data) and looks after the
// shared company data: article locks, parameters, user rights, messages.
#include <CLI/CLI.hpp>
#include <iostream>

#include "support/db/TDbConnection.h"
#include "support/framework/KWDEinstellungen.h"
#include "support/framework/KWDSettings.h"
#include "support/framework/TKWDInfo.h"
#include "tools/common/CliDeutsch.h"
#include "tools/wws-admin/AdminKontext.h"

namespace {

constexpr int CExitFehler = 1;
constexpr int CExitAufruf = 2;

// A server's texts may span lines; the user reads one.
std::string EineZeile(std::string AText) {
  for (char& Zeichen : AText)
    if (Zeichen == '\n' || Zeichen == '\r') Zeichen = ' ';
  while (!AText.empty() && AText.back() == ' ') AText.pop_back();
  return AText;
}

int Melden(const std::string& AText, const std::exception& AE, int AExit) {
  // The suite log keeps the full story; the user gets one line.
  KWDInfo().RegisterException("wws-admin", AE, false);
  std::cerr << "wws-admin: " << EineZeile(AText) << "\n";
  return AExit;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Verwaltung der Firmendatenbank der Warenwirtschaft", "wws-admin"};
  CliDeutschEinrichten(app, "Rückgabewerte: 0 erledigt, 1 Fehler, 2 Aufruf oder Eingabe abgelehnt.");
  app.require_subcommand(1);
  app.fallthrough();  // --db and --json may stand before or after the command
  TAdminKontext kontext;
  app.add_option("--db", kontext.Db, "Firma: Pfad der SQLite-Datei oder postgresql://-Adresse (sonst WWS_DB)")
      ->type_name(CLI_TYP_ORT);
  app.add_flag("--json", kontext.Json, "Ausgabe als JSON, wo ein Befehl sie anbietet");
  KommandoFirmaAnmelden(app, kontext);
  KommandoLocksAnmelden(app, kontext);
  KommandoParamAnmelden(app, kontext);
  KommandoRightsAnmelden(app, kontext);
  KommandoMessagesAnmelden(app, kontext);
  KommandoFilialenAnmelden(app, kontext);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e);  // --help
    return Melden(CliFehlerText(app, e), e, CExitAufruf);
  }
  try {
    KWDEinstellungenPruefen();
    if (kontext.Aktion) kontext.Aktion();
    return 0;
  } catch (const EKWDEinstellung& e) {
    return Melden(e.what(), e, CExitAufruf);
  } catch (const EAdminAufruf& e) {
    return Melden(std::string(e.what()) + " Hilfe: wws-admin --help", e, CExitAufruf);
  } catch (const EAdminAbgelehnt& e) {
    return Melden(e.what(), e, CExitAufruf);
  } catch (const EAdminFehler& e) {
    return Melden(e.what(), e, CExitFehler);
  } catch (const ECompanyDbError& e) {
    return Melden(e.what(), e, CExitFehler);
  } catch (const EDbError& e) {
    return Melden(std::string("Fehler der Datenbank: ") + e.what(), e, CExitFehler);
  } catch (const std::invalid_argument& e) {
    return Melden(e.what(), e, CExitAufruf);  // the services' own German refusals of a value
  } catch (const std::exception& e) {
    return Melden(std::string("Unerwarteter Fehler: ") + e.what(), e, CExitFehler);
  }
}
