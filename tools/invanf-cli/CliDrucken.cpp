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
#include "support/types/KWDZahlFormat.h"
#include "engine/InvAnfLesen.h"
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

// "1.358.366 Zeilen auf 2 Tabellenblättern": a user opening only the first sheet learns there are more.
std::string Umfang(const TKWDTabellenErgebnis& AE, TKWDTabellenFormat AFormat) {
  std::string Text = FormatZahlDe(static_cast<double>(AE.Zeilen), 0) + (AE.Zeilen == 1 ? " Zeile" : " Zeilen");
  if (AFormat == TKWDTabellenFormat::Xlsx && AE.Blaetter > 1)
    Text += " auf " + std::to_string(AE.Blaetter) + " Tabellenblättern";
  return Text;
}

int Ergebnis(bool AOk, const TCrystalRDCn& ABericht, const std::string& APdf, bool AJson, const std::string& AWas,
             int AZeilen, const TTabellen& ATabellen = {}, const std::vector<TKWDTabellenErgebnis>& AGeschrieben = {}) {
  AOk = AOk && KWDInfo().Anstehend().empty();
  if (!AOk) return CLI_FEHLER;
  if (AJson) {
    nlohmann::ordered_json J;
    if (!APdf.empty()) J["pdf"] = APdf;
    if (!APdf.empty()) J["seiten"] = ABericht.Seiten();
    for (size_t I = 0; I < ATabellen.size(); ++I) {
      const char* Name = ATabellen[I].second == TKWDTabellenFormat::Xlsx ? "xlsx" : "csv";
      J[Name] = ATabellen[I].first;
      if (I < AGeschrieben.size()) {
        J[std::string(Name) + "_zeilen"] = AGeschrieben[I].Zeilen;
        if (ATabellen[I].second == TKWDTabellenFormat::Xlsx) J["xlsx_blaetter"] = AGeschrieben[I].Blaetter;
      }
    }
    if (AZeilen >= 0) J["zeilen"] = AZeilen;
    std::cout << CliJsonText(J) << "\n";
  } else {
    if (!APdf.empty())
      std::cout << AWas << ": " << ABericht.Seiten() << (ABericht.Seiten() == 1 ? " Seite" : " Seiten") << " in "
                << APdf << "\n";
    for (size_t I = 0; I < ATabellen.size(); ++I) {
      const auto& [Ziel, Format] = ATabellen[I];
      std::cout << AWas << (Format == TKWDTabellenFormat::Xlsx ? " als Arbeitsmappe in " : " als CSV-Datei in ")
                << Ziel;
      if (I < AGeschrieben.size()) std::cout << " (" << Umfang(AGeschrieben[I], Format) << ")";
      std::cout << "\n";
    }
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
  FIAL->add_option("--xlsx", FXlsx, "Die Zählliste als XLSX-Arbeitsmappe (eine Zeile je Artikel und Größe)")
      ->type_name(CLI_TYP_DATEI);
  FIAL->add_option("--csv", FCsv, "Die Zählliste als CSV-Datei (UTF-8, Semikolon, Dezimalkomma)")->type_name(CLI_TYP_DATEI);
  FIAL->add_option("--je-inventur", FJeInventur,
                   "Je Inventur eine PDF-Datei in diesen Ordner, benannt nach Zähldatum, Warengruppe und Filiale "
                   "(Zaehlliste_2026-03-20_WG3_Filiale1.pdf)")
      ->type_name(CLI_TYP_ORDNER);
  FIAL->add_flag("--mit-xlsx", FMitXlsx, "Mit --je-inventur: je Inventur auch eine XLSX-Arbeitsmappe (.xlsx)");
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
  if (!FJeInventur.empty() && !(FPdf.empty() && FXlsx.empty() && FCsv.empty())) {
    CliAbgelehnt("--je-inventur legt die Dateien selbst an: bitte ohne --pdf, --xlsx und --csv angeben.");
    return CLI_ABGELEHNT;
  }
  if (FMitXlsx && FJeInventur.empty()) {
    CliAbgelehnt("--mit-xlsx gilt nur mit --je-inventur ORDNER.");
    return CLI_ABGELEHNT;
  }
  if (FPdf.empty() && FXlsx.empty() && FCsv.empty() && FJeInventur.empty()) {
    CliAbgelehnt("Bitte mit --pdf, --xlsx, --csv oder --je-inventur angeben, welche Dateien entstehen sollen.");
    return CLI_ABGELEHNT;
  }
  if (!FJeInventur.empty()) {
    std::error_code F;
    if (!std::filesystem::is_directory(FJeInventur, F)) {
      CliAbgelehnt("Den Ordner \u201E" + FJeInventur + "\u201C gibt es nicht (--je-inventur).");
      return CLI_ABGELEHNT;
    }
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
  if (!FJeInventur.empty()) return JeInventurAblegen(AOpt, Jahr, Layouts, Zeilen);
  // The targets as the check resolved them.
  const std::string& Pdf = FPdf;
  TTabellen Tabellen;
  if (!FXlsx.empty()) Tabellen.emplace_back(FXlsx, TKWDTabellenFormat::Xlsx);
  if (!FCsv.empty()) Tabellen.emplace_back(FCsv, TKWDTabellenFormat::Csv);
  Drucken.CrystalRDC().SetPdfZiel(Pdf);
  Drucken.SetTabellenZiele(Tabellen, Pdf.empty());
  const bool Ok = Drucken.IALDrucken(Jahr, Layouts, {FNullbestand, FAlleGroessen, FSammel}, [&] { return Zeilen; });
  return Ergebnis(Ok, Drucken.CrystalRDC(), Pdf, AOpt.Json, "Inventuraufnahmeliste", Drucken.GeschriebeneZeilen(),
                  Tabellen, Drucken.TabellenErgebnisse());
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
  return Ergebnis(Ok, Drucken.CrystalRDC(), Pdf, AOpt.Json, "Liste der Inventuren", -1);
}

int TCliDrucken::JeInventurAblegen(const TCliOptionen& AOpt, TDate AJahr, const TQLX_SelectedLayout_List& ALayouts,
                                   const std::vector<TIADruckZeile>& AZeilen) {
  TIADrucken Drucken;
  // Every file is checked before any work: one that cannot be written refuses the whole run.
  std::vector<TIAAblageDatei> Dateien = Drucken.AblageDateien(AJahr, AZeilen, FJeInventur, FMitXlsx);
  for (TIAAblageDatei& D : Dateien)
    if (!CliZielePruefen({{D.Pdf, "--je-inventur", "die PDF-Datei"}, {D.Xlsx, "--je-inventur", "die Arbeitsmappe"}}))
      return CLI_ABGELEHNT;
  std::vector<TIAAblageDatei> Geschrieben;
  const bool Ok = Drucken.JeInventurAblegen(AJahr, ALayouts, {FNullbestand, FAlleGroessen, FSammel}, AZeilen,
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
