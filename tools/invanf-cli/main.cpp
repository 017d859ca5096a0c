// invanf-cli: the stock-take requests of a company from the shell: the fiscal
// years, the requests of a year, creating requests, counting a request's
// articles, completing and deleting requests. Works on the company of WWS_DB (or --db).
#include <CLI/CLI.hpp>
#include <clocale>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <unistd.h>

#include "suite/SuiteDatenbank.h"
#include "support/db/TDbConnection.h"
#include "support/framework/KWDEinstellungen.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/framework/KWDSettings.h"
#include "support/framework/TKWDInfo.h"
#include "support/types/KWDUtf8.h"
#include "tools/common/CliDeutsch.h"
#include "tools/common/CliFehler.h"
#include "tools/invanf-cli/CliDrucken.h"
#include "tools/invanf-cli/CliKommandos.h"
#include "tools/invanf-cli/CliPresenter.h"
#include "tools/invanf-cli/CliPruefen.h"


int main(int argc, char** argv) {
  // The technical texts of libpq and the system in the user's language;
  // numbers keep the C form (JSON, figures).
  std::setlocale(LC_MESSAGES, "");
  std::setlocale(LC_CTYPE, "");
  CLI::App App{"Inventuranforderungen der Warenwirtschaft", "invanf-cli"};
  CliDeutschEinrichten(App,
                       "Rückgabewerte: 0 erledigt, 1 Fehler, 2 Aufruf oder Eingabe abgelehnt, 3 Artikel von anderen "
                       "Programmen gesperrt (freigeben und erneut starten).");
  App.require_subcommand(1);
  App.fallthrough();  // --db, --json and --yes may stand before or after the command
  std::string Db;
  TCliOptionen Opt;
  App.add_option("--db", Db, "Firma: Pfad der SQLite-Datei oder postgresql://-Adresse (sonst WWS_DB)")->type_name(CLI_TYP_ORT);
  App.add_flag("--json", Opt.Json, "Ausgabe als ein JSON-Dokument");
  App.add_flag("--yes", Opt.Ja, "Rückfragen mit Ja beantworten (sonst fragt ein Terminal nach, ohne Terminal: Nein)");
  bool Ausfuehrlich = false;
  App.add_flag("-v,--verbose", Ausfuehrlich, "Bei einem Fehler auch die technischen Angaben (des Servers, des Systems) ausgeben");

  auto* Jahre = App.add_subcommand("years", "Die angebotenen Wirtschaftsjahre (* = vorausgewählt)");
  auto* Liste = App.add_subcommand("list", "Die Inventuranforderungen eines Wirtschaftsjahres");
  Liste->add_option("--year", Opt.Jahr, "Erster Tag des Wirtschaftsjahres, wie invanf-cli years ihn nennt")
      ->required()
      ->type_name(CLI_TYP_DATUM);
  auto* Anlegen = App.add_subcommand("create", "Neue Inventuranforderungen anlegen");
  Anlegen->add_option("--year", Opt.Jahr, "Erster Tag des Wirtschaftsjahres")->required()->type_name(CLI_TYP_DATUM);
  Anlegen->add_option("--date", Opt.Datum, "Zähldatum")->required()->type_name(CLI_TYP_DATUM);
  Anlegen->add_option("--wg", Opt.WG, "Warengruppe (leer: alle; *: die Warengruppen 0 bis 9)")->type_name(CLI_TYP_WG);
  Anlegen->add_option("--branch", Opt.Filialen, "Filiale(n), durch Komma getrennt")
      ->required()
      ->delimiter(',')
      ->type_name("ZAHL");
  auto* Zaehlen = App.add_subcommand("count", "Artikel einer Inventuranforderung zählen");
  Zaehlen->add_option("--year", Opt.Jahr, "Erster Tag des Wirtschaftsjahres")->required()->type_name(CLI_TYP_DATUM);
  Zaehlen->add_option("--date", Opt.Datum, "Zähldatum")->required()->type_name(CLI_TYP_DATUM);
  Zaehlen->add_option("--wg", Opt.WG, "Warengruppe (leer: alle)")->type_name(CLI_TYP_WG);
  Zaehlen->add_option("--branch", Opt.Filialen, "Filiale")->required()->expected(1)->type_name("ZAHL");
  // One request per --date/--branch pair; --wg once for all or once per request.
  auto InventurenOptionen = [&](CLI::App* AKommando) {
    AKommando->add_option("--year", Opt.Jahr, "Erster Tag des Wirtschaftsjahres")->required()->type_name(CLI_TYP_DATUM);
    AKommando->add_option("--date", Opt.Daten, "Zähldatum (je Inventur)")->type_name(CLI_TYP_DATUM);
    AKommando->add_option("--wg", Opt.WGs, "Warengruppe (einmal für alle oder je Inventur)")->type_name(CLI_TYP_WG);
    AKommando->add_option("--branch", Opt.Filialen, "Filiale (je Inventur)")->type_name("ZAHL");
  };
  auto* Vervollst = App.add_subcommand("complete", "Inventuranforderungen vervollständigen (Sollbestand buchen)");
  InventurenOptionen(Vervollst);
  Vervollst->add_flag("--all-requested", Opt.AlleAngeforderten, "alle angeforderten Inventuren des Jahres");
  auto* Loeschen = App.add_subcommand("delete", "Inventuranforderungen mit ihrem Sollbestand löschen (fragt nach; ohne Terminal mit --yes bestätigen)");
  InventurenOptionen(Loeschen);
  TCliDrucken Drucken;
  Drucken.Registrieren(App, Opt);

  if (const std::string Fehler = KWDUtf8AngabeFehler(argc, argv); !Fehler.empty()) {
    std::cerr << "invanf-cli: " << Fehler << "\n";
    return CLI_ABGELEHNT;
  }
  try {
    App.parse(argc, argv);
  } catch (const CLI::ParseError& E) {
    if (E.get_exit_code() == 0) return App.exit(E);  // --help
    KWDInfo().RegisterException("invanf-cli", E, false);
    CliFehlerAusgeben("invanf-cli", CliFehlerText(App, E), E.what(), Ausfuehrlich);
    return CLI_ABGELEHNT;
  }

  for (const std::string& Filiale : Opt.Filialen)
    if (int16_t Nr = 0; !FilialnummerLesen(Filiale, Nr)) return CLI_ABGELEHNT;

  Opt.Terminal = isatty(STDIN_FILENO) != 0;
  KWDMeldungPresenterSet(std::make_shared<TCliPresenter>(Opt.Ja, Opt.Terminal, Ausfuehrlich));
  try {
    // The command's outermost guard is the catch below: a failure of the
    // database passes every guard inside (the engine's too) and ends the
    // command with one line, instead of each article or request failing alone.
    const TKWDGuardEbene Befehl;
    KWDEinstellungenPruefen();
    if (!Db.empty()) setenv("WWS_DB", Db.c_str(), 1);  // also for the common lock's own connection
    SuiteDatenbankOeffnen();
    // The rights the window asks for the same work: to run the module, and
    // to create or delete requests.
    if (!CliRechtePruefen(*Anlegen || *Loeschen)) return CLI_ABGELEHNT;
    if (int Exit = 0; Drucken.Ausfuehren(Opt, Exit)) return Exit;
    if (*Jahre) return CliJahre(Opt);
    if (*Liste) return CliListe(Opt);
    if (*Anlegen) return CliAnlegen(Opt);
    if (*Vervollst) return CliVervollstaendigen(Opt);
    if (*Loeschen) return CliLoeschen(Opt);
    return CliZaehlen(Opt);
  } catch (const EKWDEinstellung& E) {
    return CliFehlerMelden("invanf-cli", E, CLI_ABGELEHNT, Ausfuehrlich);
  } catch (const ECompanyDbError& E) {
    return CliFehlerMelden("invanf-cli", E, CLI_FEHLER, Ausfuehrlich);
  } catch (const std::exception& E) {
    return CliFehlerMelden("invanf-cli", E, CLI_FEHLER, Ausfuehrlich, "Fehler: ");
  }
}
