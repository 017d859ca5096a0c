#include "tools/invanf-cli/CliDrucken.h"

#include <CLI/CLI.hpp>
#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include "printing/DruckLayouts.h"
#include "printing/TIADrucken.h"
#include "suite/TKWDLayoutDatei.h"
#include "support/framework/KWDLog.h"
#include "support/framework/KWDOrdner.h"
#include "support/framework/TKWDInfo.h"
#include "support/recordfile/Tiafile.h"
#include "tools/common/CliJson.h"
#include "tools/invanf-cli/CliPruefen.h"

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

// Checked before the selection runs, so a target that cannot take the PDF is
// refused input, not an error after minutes of work.
bool Pdfziel(const std::string& APfad) {
  if (APfad.empty()) return CliAbgelehnt("Bitte mit --pdf die PDF-Datei angeben.");
  const std::filesystem::path Ziel = std::filesystem::absolute(APfad);
  const std::filesystem::path Ordner = Ziel.parent_path();
  std::error_code F;
  if (!std::filesystem::is_directory(Ordner, F))
    return CliAbgelehnt("Den Ordner " + Ordner.string() + " für die PDF-Datei gibt es nicht.");
  if (std::filesystem::is_directory(Ziel, F))
    return CliAbgelehnt(Ziel.string() + " ist ein Ordner: bitte mit --pdf einen Dateinamen angeben, z. B. " +
                        (Ziel / "Zaehlliste.pdf").string() + ".");
  if (std::filesystem::exists(Ziel, F) && !std::filesystem::is_regular_file(Ziel, F))
    return CliAbgelehnt(Ziel.string() + " ist keine gewöhnliche Datei; die PDF-Datei kann dort nicht entstehen.");
  // The PDF is written beside its place and renamed: the folder must take a
  // new file, and a file already there must be one the user may replace.
  if (std::filesystem::exists(Ziel, F) && ::access(Ziel.c_str(), W_OK) != 0)
    return CliAbgelehnt("Die Datei " + Ziel.string() + " darf von Ihnen nicht überschrieben werden.");
  if (::access(Ordner.c_str(), W_OK) != 0)
    return CliAbgelehnt("In den Ordner " + Ordner.string() + " dürfen Sie nicht schreiben.");
  return true;
}

int Ergebnis(bool AOk, const TCrystalRDCn& ABericht, const std::string& APdf, bool AJson, const std::string& AWas,
             int AZeilen) {
  AOk = AOk && KWDInfo().Anstehend().empty();
  if (!AOk) return CLI_FEHLER;
  if (AJson) {
    nlohmann::ordered_json J{{"pdf", APdf}, {"seiten", ABericht.Seiten()}};
    if (AZeilen >= 0) J["zeilen"] = AZeilen;
    std::cout << CliJsonText(J) << "\n";
  } else {
    std::cout << AWas << ": " << ABericht.Seiten() << (ABericht.Seiten() == 1 ? " Seite" : " Seiten") << " in " << APdf
              << "\n";
  }
  return CLI_OK;
}

}  // namespace

void TCliDrucken::Registrieren(CLI::App& AApp, TCliOptionen& AOpt) {
  FIAL = AApp.add_subcommand("print-ial", "Inventuraufnahmeliste (Zählliste) von Inventuren als PDF drucken");
  FIAL->add_option("--year", AOpt.Jahr, "Erster Tag des Wirtschaftsjahres")->required();
  FIAL->add_option("--date", AOpt.Daten, "Zähldatum (je Inventur)");
  FIAL->add_option("--wg", AOpt.WGs, "Warengruppe (einmal für alle oder je Inventur)");
  FIAL->add_option("--branch", AOpt.Filialen, "Filiale (je Inventur)")->type_name("ZAHL");
  FIAL->add_option("--layout", FLayout, "Layout (Dateiname im Layout-Ordner, z. B. ial__Kompakt.rpt oder Kompakt)");
  FIAL->add_flag("--zero", FNullbestand, "Artikel mit Nullbestand drucken");
  FIAL->add_flag("--all-sizes", FAlleGroessen, "Sollbestand für alle Größen drucken");
  FIAL->add_flag("--collective", FSammel, "Nur Sammelartikel drucken");
  FIAL->add_option("--pdf", FPdf, "Die PDF-Datei, die entsteht")->required();
  FListe = AApp.add_subcommand("print-list", "Liste der Inventuren eines Wirtschaftsjahres als PDF drucken");
  FListe->add_option("--year", AOpt.Jahr, "Erster Tag des Wirtschaftsjahres")->required();
  FListe->add_option("--pdf", FPdf, "Die PDF-Datei, die entsteht")->required();
}

bool TCliDrucken::Ausfuehren(const TCliOptionen& AOpt, int& AExit) {
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
  if (!WiJahrLesen(AOpt.Jahr, Jahr) || !AnforderungenLesen(AOpt, false, Anforderungen) || !Pdfziel(FPdf))
    return CLI_ABGELEHNT;
  auto Qt = QtStarten();
  DruckLayoutsInstallieren();
  TQLX_SelectedLayout_List Layouts;
  if (!LayoutLesen(FLayout, Layouts)) return CLI_ABGELEHNT;

  std::vector<TIADruckZeile> Zeilen;
  for (const TiaSatz& A : Anforderungen) Zeilen.push_back({A.Zaehldatum, A.FilNr, A.WG.empty() ? "*" : A.WG});
  const std::string Pdf = std::filesystem::absolute(FPdf).string();
  TIADrucken Drucken;
  Drucken.CrystalRDC().SetPdfZiel(Pdf);
  const bool Ok = Drucken.IALDrucken(Jahr, Layouts, {FNullbestand, FAlleGroessen, FSammel}, [&] { return Zeilen; });
  return Ergebnis(Ok, Drucken.CrystalRDC(), Pdf, AOpt.Json, "Inventuraufnahmeliste", Drucken.GeschriebeneZeilen());
}

int TCliDrucken::ListeDrucken(const TCliOptionen& AOpt) {
  TDate Jahr = 0;
  if (!WiJahrLesen(AOpt.Jahr, Jahr) || !Pdfziel(FPdf)) return CLI_ABGELEHNT;
  auto Qt = QtStarten();
  const std::string Pdf = std::filesystem::absolute(FPdf).string();
  TIADrucken Drucken;
  Drucken.CrystalRDC().SetPdfZiel(Pdf);
  const int Vorher = Drucken.CrystalRDC().AnzahlGezeigt();
  Drucken.DruckenInvListeExecute(Jahr);
  const bool Ok = Drucken.CrystalRDC().AnzahlGezeigt() > Vorher && Drucken.CrystalRDC().Seiten() > 0;
  return Ergebnis(Ok, Drucken.CrystalRDC(), Pdf, AOpt.Json, "Liste der Inventuren", -1);
}
