// invanf-cli print-ial and print-list as PDF files, made by the desktop
// program's print code (TIADrucken) with Qt rendering offscreen; only these
// commands start Qt.
#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "printing/TIADrucken.h"
#include "support/framework/KWDLog.h"
#include "support/framework/TKWDInfo.h"
#include "support/types/KWDZahlFormat.h"
#include "tools/common/CliJson.h"
#include "tools/invanf-cli/CliDrucken.h"
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

// The layout as the layout dialog hands it to the print code.
TQLX_SelectedLayout_List Gewaehlt(const TCliLayout& ALayout) {
  TQLX_SelectedLayout_List Layouts;
  Layouts.push_back({ALayout.Datei, ALayout.Datei, ALayout.Layout.Titel, ALayout.Layout.ParameterZeilen()});
  return Layouts;
}

}  // namespace

bool TCliDrucken::PdfMoeglich() { return true; }

int TCliDrucken::PdfDrucken(const TCliOptionen& AOpt, TDate AJahr, const TCliLayout& ALayout,
                            const std::vector<TIADruckZeile>& AZeilen, const TCliTabellen& ATabellen) {
  auto Qt = QtStarten();
  const TQLX_SelectedLayout_List Layouts = Gewaehlt(ALayout);
  TIADrucken Drucken;
  Drucken.CrystalRDC().SetPdfZiel(FPdf);
  Drucken.SetTabellenZiele(ATabellen);
  const bool Ok = Drucken.IALDrucken(AJahr, Layouts, {FNullbestand, FAlleGroessen, FSammel}, [&] { return AZeilen; });
  return CliDruckErgebnis(Ok, Drucken.CrystalRDC().Seiten(), FPdf, AOpt.Json, "Inventuraufnahmeliste",
                          Drucken.GeschriebeneZeilen(), ATabellen, Drucken.TabellenErgebnisse());
}

int TCliDrucken::ListeDrucken(const TCliOptionen& AOpt) {
  TDate Jahr = 0;
  if (!WiJahrLesen(AOpt.Jahr, Jahr) || !CliZielPruefen({FPdf, "--pdf", "die PDF-Datei"})) return CLI_ABGELEHNT;
  auto Qt = QtStarten();
  const std::string& Pdf = FPdf;
  TIADrucken Drucken;
  Drucken.CrystalRDC().SetPdfZiel(Pdf);
  const int Vorher = Drucken.CrystalRDC().AnzahlGezeigt();
  Drucken.DruckenInvListeExecute(Jahr);
  const bool Ok = Drucken.CrystalRDC().AnzahlGezeigt() > Vorher && Drucken.CrystalRDC().Seiten() > 0;
  return CliDruckErgebnis(Ok, Drucken.CrystalRDC().Seiten(), Pdf, AOpt.Json, "Liste der Inventuren", -1, {}, {});
}

int TCliDrucken::JeInventurAblegen(const TCliOptionen& AOpt, TDate AJahr, const TCliLayout& ALayout,
                                   const std::vector<TIADruckZeile>& AZeilen) {
  auto Qt = QtStarten();
  const TQLX_SelectedLayout_List Layouts = Gewaehlt(ALayout);
  TIADrucken Drucken;
  // Every file is checked before any work: one that cannot be written refuses the whole run.
  std::vector<TIAAblageDatei> Dateien = Drucken.AblageDateien(AJahr, AZeilen, FJeInventur, FMitXlsx);
  for (TIAAblageDatei& D : Dateien)
    if (!CliZielePruefen({{D.Pdf, "--je-inventur", "die PDF-Datei"}, {D.Xlsx, "--je-inventur", "die Arbeitsmappe"}}))
      return CLI_ABGELEHNT;
  std::vector<TIAAblageDatei> Geschrieben;
  const bool Ok = Drucken.JeInventurAblegen(AJahr, Layouts, {FNullbestand, FAlleGroessen, FSammel}, AZeilen,
                                            FJeInventur, FMitXlsx, Geschrieben);
  if (AOpt.Json) {
    nlohmann::ordered_json J{{"ordner", FJeInventur}, {"dateien", nlohmann::ordered_json::array()}};
    for (const TIAAblageDatei& D : Geschrieben) {
      nlohmann::ordered_json E{{"zaehldatum", FormatDatum(D.Anforderung.Zaehldatum)},
                               {"wg", D.Anforderung.WG},
                               {"filiale", D.Anforderung.FilNr},
                               {"pdf", D.Pdf},
                               {"seiten", D.Seiten}};
      if (!D.Xlsx.empty()) E["xlsx"] = D.Xlsx;
      J["dateien"].push_back(E);
    }
    std::cout << CliJsonText(J) << "\n";
  } else {
    for (const TIAAblageDatei& D : Geschrieben) {
      std::cout << "Inventuraufnahmeliste: " << D.Seiten << (D.Seiten == 1 ? " Seite" : " Seiten") << " in " << D.Pdf
                << "\n";
      if (!D.Xlsx.empty())
        std::cout << "Inventuraufnahmeliste als Arbeitsmappe in " << D.Xlsx << " ("
                  << FormatZahlDe(static_cast<double>(D.XlsxZeilen), 0) << (D.XlsxZeilen == 1 ? " Zeile" : " Zeilen")
                  << ")\n";
    }
    std::cout << Geschrieben.size() << (Geschrieben.size() == 1 ? " Zählliste" : " Zähllisten") << " abgelegt in "
              << FJeInventur << "\n";
  }
  return Ok && KWDInfo().Anstehend().empty() ? CLI_OK : CLI_FEHLER;
}
