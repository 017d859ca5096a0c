// wws-admin: creates companies (empty or with demo data) and looks after the
// shared company data: article locks, parameters, user rights, messages.
#include <CLI/CLI.hpp>
#include <iostream>

#include "support/db/TDbConnection.h"
#include "support/framework/TKWDInfo.h"
#include "tools/wws-admin/AdminKontext.h"

namespace {

constexpr int CExitFehler = 1;
constexpr int CExitAufruf = 2;

// CLI11 speaks English; the user gets the German kind of mistake first and
// CLI11's detail (it names the option) after it.
std::string AufrufText(const CLI::ParseError& AE) {
  const std::string art = AE.get_name();
  std::string text = "Der Aufruf ist fehlerhaft";
  if (art == "RequiredError") text = "Eine notwendige Angabe fehlt";
  else if (art == "ExtrasError") text = "Unbekannte oder überzählige Angabe";
  else if (art == "ConversionError") text = "Ein Wert ist nicht lesbar";
  else if (art == "ValidationError") text = "Ein Wert ist ungültig";
  else if (art == "ArgumentMismatch") text = "Falsche Zahl von Werten";
  else if (art == "ExcludesError") text = "Diese Angaben schließen sich aus";
  else if (art == "RequiresError") text = "Eine Angabe verlangt eine weitere";
  return text + " (" + AE.what() + "). Hilfe: wws-admin --help";
}

int Melden(const std::string& AText, const std::exception& AE, int AExit) {
  // The suite log keeps the full story; the user gets one line.
  KWDInfo().RegisterException("wws-admin", AE, false);
  std::cerr << "wws-admin: " << AText << "\n";
  return AExit;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Verwaltung der Firmendatenbank der Warenwirtschaft", "wws-admin"};
  app.require_subcommand(1);
  app.fallthrough();  // --db and --json may stand before or after the command
  TAdminKontext kontext;
  app.add_option("--db", kontext.Db, "Firma: Pfad der SQLite-Datei oder postgresql://-Adresse (sonst WWS_DB)");
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
    return Melden(AufrufText(e), e, CExitAufruf);
  }
  try {
    if (kontext.Aktion) kontext.Aktion();
    return 0;
  } catch (const EAdminAufruf& e) {
    return Melden(std::string(e.what()) + " Hilfe: wws-admin --help", e, CExitAufruf);
  } catch (const EAdminFehler& e) {
    return Melden(e.what(), e, CExitFehler);
  } catch (const ECompanyDbError& e) {
    return Melden(e.what(), e, CExitFehler);
  } catch (const EDbError& e) {
    return Melden(std::string("Fehler der Datenbank: ") + e.what(), e, CExitFehler);
  } catch (const std::invalid_argument& e) {
    return Melden(e.what(), e, CExitFehler);  // the services' own German refusals
  } catch (const std::exception& e) {
    return Melden(std::string("Unerwarteter Fehler: ") + e.what(), e, CExitFehler);
  }
}
