#include "tools/invanf-cli/CliExport.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>

#include "printing/IALTabelle.h"
#include "support/framework/TKWDInfo.h"
#include "support/framework/TKWDProgramm.h"
#include "support/tabelle/KWDTabelle.h"
#include "tools/common/CliDeutsch.h"
#include "tools/common/CliJson.h"
#include "tools/invanf-cli/CliPruefen.h"
#include "tools/invanf-cli/CliZiel.h"

void TCliListeExport::Registrieren(CLI::App& AApp) {
  FListe = AApp.get_subcommand("list");
  FListe->add_option("--xlsx", FXlsx, "Die Liste als XLSX-Arbeitsmappe in diese Datei schreiben")->type_name(CLI_TYP_DATEI);
  FListe->add_option("--csv", FCsv, "Die Liste als CSV-Datei (UTF-8, Semikolon) in diese Datei schreiben")
      ->type_name(CLI_TYP_DATEI);
}

bool TCliListeExport::Ausfuehren(const TCliOptionen& AOpt, int& AExit) {
  if (!FListe || !*FListe || (FXlsx.empty() && FCsv.empty())) return false;
  AExit = CLI_ABGELEHNT;
  TDate Jahr = 0;
  if (!WiJahrLesen(AOpt.Jahr, Jahr)) return true;
  if (!CliZielePruefen({{FXlsx, "--xlsx", "die Arbeitsmappe"}, {FCsv, "--csv", "die CSV-Datei"}})) return true;
  const TKWDTabelle Tabelle = IAListeTabelle(Jahr, KWDProgramm().GetTextMandant());
  nlohmann::ordered_json J{{"zeilen", Tabelle.Zeilen.size()}};
  for (const auto& [Pfad, Format, Name] : {std::tuple{FXlsx, TKWDTabellenFormat::Xlsx, "xlsx"},
                                           std::tuple{FCsv, TKWDTabellenFormat::Csv, "csv"}}) {
    if (Pfad.empty()) continue;
    const std::string& Ziel = Pfad;  // resolved by the check
    KWDTabelleSchreiben(Tabelle, Ziel, Format);
    J[Name] = Ziel;
    if (!AOpt.Json)
      std::cout << "Liste der Inventuren: " << Tabelle.Zeilen.size()
                << (Tabelle.Zeilen.size() == 1 ? " Inventur" : " Inventuren") << " in " << Ziel << "\n";
  }
  if (AOpt.Json) std::cout << CliJsonText(J) << "\n";
  AExit = KWDInfo().Anstehend().empty() ? CLI_OK : CLI_FEHLER;
  return true;
}
