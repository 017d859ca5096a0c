#include "tools/invanf-cli/CliDrucken.h"

#include <CLI/CLI.hpp>
#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "printing/DruckLayouts.h"
#include "printing/IALLayoutPruefen.h"
#include "printing/TIADrucken.h"
#include "suite/TKWDLayoutDatei.h"
#include "support/framework/KWDLog.h"
#include "support/framework/KWDOrdner.h"
#include "support/framework/TKWDInfo.h"
#include "support/recordfile/Tiafile.h"
#include "tools/common/CliDeutsch.h"
#include "tools/common/CliJson.h"
#include "tools/invanf-cli/CliPruefen.h"
#include "tools/invanf-cli/CliZiel.h"

namespace {

// Qt's own notes (English, e.g. about a missing XDG_RUNTIME_DIR under cron)
// go to the suite log: stderr carries only the program's German lines.
void QtMeldungInsLog(QtMsgType, const QMessageLogContext&, const QString& AText) {
  KWDLogSchreiben("Qt", AText.toStdString());
}

// Qt draws the PDF without a display.
std::unique_ptr<QGuiApplication> QtStarten() {
  if (QGuiApplication::instance()) return nullptr;
  qInstallMessageHandler(QtMeldungInsLog);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int Argc = 1;
  static char Name[] = "invanf-cli";
  static char* Argv[] = {Name, nullptr};
  return std::make_unique<QGuiApplication>(Argc, Argv);
}

// The count-list layout NAME, as given or with "ial__" before and ".rpt" after it.
bool LayoutLesen(const std::string& AName, TQLX_SelectedLayout_List& ALayouts) {
  std::vector<std::string> Kandidaten{AName, AName + ".rpt", "ial__" + AName, "ial__" + AName + ".rpt"};
  for (const std::string& Datei : Kandidaten) {
    if (Datei.rfind("ial__", 0) != 0 || Datei.find('/') != std::string::npos) continue;
    const std::string Pfad = GetDirWwsByName(KWD_ORDNER_LAYOUT, Datei, true);
    std::error_code F;
    if (!std::filesystem::is_regular_file(Pfad, F)) continue;
    const TKWDLayoutDatei Layout = TKWDLayoutDatei::Lesen(Pfad);
    if (const std::string Fehler = IALLayoutFehler(Layout, Datei); !Fehler.empty()) return CliAbgelehnt(Fehler);
    ALayouts.clear();
    ALayouts.push_back({Datei, Datei, Layout.Titel, Layout.ParameterZeilen()});
    return true;
  }
  std::string Liste;
  std::error_code F;
  for (const auto& E : std::filesystem::directory_iterator(GetDirWwsByName(KWD_ORDNER_LAYOUT, "", true), F))
    if (E.path().filename().string().rfind("ial__", 0) == 0) Liste += " " + E.path().filename().string();
  return CliAbgelehnt("Ein Zähllisten-Layout \u201E" + AName + "\u201C gibt es nicht. Vorhanden:" + Liste);
}

// The spreadsheet files print-ial writes besides (or instead of) the PDF.
using TTabellen = std::vector<TIADrucken::TTabellenZiel>;

int Ergebnis(bool AOk, const TCrystalRDCn& ABericht, const std::string& APdf, bool AJson, const std::string& AWas,
             int AZeilen, const TTabellen& ATabellen = {}) {
  AOk = AOk && KWDInfo().Anstehend().empty();
  if (!AOk) return CLI_FEHLER;
  if (AJson) {
    nlohmann::ordered_json J;
    if (!APdf.empty()) J["pdf"] = APdf;
    if (!APdf.empty()) J["seiten"] = ABericht.Seiten();
    for (const auto& [Ziel, Format] : ATabellen) J[Format == TKWDTabellenFormat::Xlsx ? "xlsx" : "csv"] = Ziel;
    if (AZeilen >= 0) J["zeilen"] = AZeilen;
    std::cout << CliJsonText(J) << "\n";
  } else {
    if (!APdf.empty())
      std::cout << AWas << ": " << ABericht.Seiten() << (ABericht.Seiten() == 1 ? " Seite" : " Seiten") << " in "
                << APdf << "\n";
    for (const auto& [Ziel, Format] : ATabellen)
      std::cout << AWas << (Format == TKWDTabellenFormat::Xlsx ? " als Arbeitsmappe in " : " als CSV-Datei in ")
                << Ziel << "\n";
  }
  return CLI_OK;
}

}  // namespace

void TCliDrucken::Registrieren(CLI::App& AApp, TCliOptionen& AOpt) {
  FIAL = AApp.add_subcommand("print-ial", "Inventuraufnahmeliste (Zählliste) von Inventuren als PDF drucken");
  FIAL->add_option("--year", AOpt.Jahr, "Erster Tag des Wirtschaftsjahres")->required()->type_name(CLI_TYP_DATUM);
  FIAL->add_option("--date", AOpt.Daten, "Zähldatum (je Inventur)")->type_name(CLI_TYP_DATUM);
  FIAL->add_option("--wg", AOpt.WGs, "Warengruppe (einmal für alle oder je Inventur)")->type_name(CLI_TYP_WG);
  FIAL->add_option("--branch", AOpt.Filialen, "Filiale (je Inventur)")->type_name("ZAHL");
  FIAL->add_option("--layout", FLayout, "Layout (Dateiname im Layout-Ordner, z. B. ial__Kompakt.rpt oder Kompakt)")
      ->type_name(CLI_TYP_NAME);
  FIAL->add_flag("--zero", FNullbestand, "Artikel mit Nullbestand drucken");
  FIAL->add_flag("--all-sizes", FAlleGroessen, "Sollbestand für alle Größen drucken");
  FIAL->add_flag("--collective", FSammel, "Nur Sammelartikel drucken");
  FIAL->add_option("--pdf", FPdf, "Die PDF-Datei, die entsteht")->type_name(CLI_TYP_DATEI);
  FIAL->add_option("--xlsx", FXlsx, "Die Zählliste als Excel-Arbeitsmappe (eine Zeile je Artikel und Größe)")
      ->type_name(CLI_TYP_DATEI);
  FIAL->add_option("--csv", FCsv, "Die Zählliste als CSV-Datei (UTF-8, Semikolon, Dezimalkomma)")->type_name(CLI_TYP_DATEI);
  FListe = AApp.add_subcommand("print-list", "Liste der Inventuren eines Wirtschaftsjahres als PDF drucken");
  FListe->add_option("--year", AOpt.Jahr, "Erster Tag des Wirtschaftsjahres")->required()->type_name(CLI_TYP_DATUM);
  FListe->add_option("--pdf", FPdf, "Die PDF-Datei, die entsteht")->required()->type_name(CLI_TYP_DATEI);
  FListeExport.Registrieren(AApp);
}

bool TCliDrucken::Ausfuehren(const TCliOptionen& AOpt, int& AExit) {
  if (FListeExport.Ausfuehren(AOpt, AExit)) return true;
  if (FIAL && *FIAL) {
    AExit = IALDrucken(AOpt);
    return true;
  }
  if (FListe && *FListe) {
    AExit = ListeDrucken(AOpt);
    return true;
  }
  return false;
}

int TCliDrucken::IALDrucken(const TCliOptionen& AOpt) {
  TDate Jahr = 0;
  std::vector<TiaSatz> Anforderungen;
  if (!WiJahrLesen(AOpt.Jahr, Jahr) || !AnforderungenLesen(AOpt, false, Anforderungen)) return CLI_ABGELEHNT;
  if (FPdf.empty() && FXlsx.empty() && FCsv.empty()) {
    CliAbgelehnt("Bitte mit --pdf, --xlsx oder --csv angeben, welche Datei entstehen soll.");
    return CLI_ABGELEHNT;
  }
  if (!CliZielePruefen({{FPdf, "--pdf", "die PDF-Datei"},
                        {FXlsx, "--xlsx", "die Arbeitsmappe"},
                        {FCsv, "--csv", "die CSV-Datei"}}))
    return CLI_ABGELEHNT;
  auto Qt = QtStarten();
  DruckLayoutsInstallieren();
  TQLX_SelectedLayout_List Layouts;
  if (!LayoutLesen(FLayout, Layouts)) return CLI_ABGELEHNT;

  std::vector<TIADruckZeile> Zeilen;
  for (const TiaSatz& A : Anforderungen) Zeilen.push_back({A.Zaehldatum, A.FilNr, A.WG.empty() ? "*" : A.WG});
  TIADrucken Drucken;
  // A request still requested lacks articles: printed only when the user says so (--yes).
  if (!Drucken.UnvollstaendigeBestaetigt(Drucken.AnforderungenLesen(Jahr, Zeilen))) {
    CliAbgelehnt("Nichts gedruckt; mit --yes wird trotzdem gedruckt, jede Seite trägt dann den Vermerk.");
    return CLI_ABGELEHNT;
  }
  const std::string Pdf = FPdf.empty() ? std::string() : std::filesystem::absolute(FPdf).string();
  TTabellen Tabellen;
  if (!FXlsx.empty()) Tabellen.emplace_back(std::filesystem::absolute(FXlsx).string(), TKWDTabellenFormat::Xlsx);
  if (!FCsv.empty()) Tabellen.emplace_back(std::filesystem::absolute(FCsv).string(), TKWDTabellenFormat::Csv);
  Drucken.CrystalRDC().SetPdfZiel(Pdf);
  Drucken.SetTabellenZiele(Tabellen, Pdf.empty());
  const bool Ok = Drucken.IALDrucken(Jahr, Layouts, {FNullbestand, FAlleGroessen, FSammel}, [&] { return Zeilen; });
  return Ergebnis(Ok, Drucken.CrystalRDC(), Pdf, AOpt.Json, "Inventuraufnahmeliste", Drucken.GeschriebeneZeilen(),
                  Tabellen);
}

int TCliDrucken::ListeDrucken(const TCliOptionen& AOpt) {
  TDate Jahr = 0;
  if (!WiJahrLesen(AOpt.Jahr, Jahr) || !CliZielPruefen(FPdf, "--pdf", "die PDF-Datei")) return CLI_ABGELEHNT;
  auto Qt = QtStarten();
  const std::string Pdf = std::filesystem::absolute(FPdf).string();
  TIADrucken Drucken;
  Drucken.CrystalRDC().SetPdfZiel(Pdf);
  const int Vorher = Drucken.CrystalRDC().AnzahlGezeigt();
  Drucken.DruckenInvListeExecute(Jahr);
  const bool Ok = Drucken.CrystalRDC().AnzahlGezeigt() > Vorher && Drucken.CrystalRDC().Seiten() > 0;
  return Ergebnis(Ok, Drucken.CrystalRDC(), Pdf, AOpt.Json, "Liste der Inventuren", -1);
}
