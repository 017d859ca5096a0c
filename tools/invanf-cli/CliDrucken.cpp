// invanf-cli print-ial and print-list: what both builds share. The count
// list as XLSX or CSV needs no Qt; its PDF, the files per request and the
// overview are made in CliDruckenPdf.cpp (with Qt) or refused (without).
#include "tools/invanf-cli/CliDrucken.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

#include "printing/DruckLayouts.h"
#include "printing/IABefehlsnamen.h"
#include "printing/IALDatei.h"
#include "printing/IALLayoutPruefen.h"
#include "printing/IALSelektion.h"
#include "suite/TKWDLayoutDatei.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDOrdner.h"
#include "support/framework/TKWDInfo.h"
#include "support/framework/TKWDProgramm.h"
#include "support/recordfile/Tialfile.h"
#include "support/types/KWDZahlFormat.h"
#include "tools/common/CliDeutsch.h"
#include "tools/common/CliJson.h"
#include "tools/invanf-cli/CliPruefen.h"
#include "tools/invanf-cli/CliZiel.h"

namespace {

// The count-list layout NAME, as given or with "ial__" before and ".rpt" after it.
bool LayoutLesen(const std::string& AName, TCliLayout& ALayout) {
  std::vector<std::string> Kandidaten{AName, AName + ".rpt", "ial__" + AName, "ial__" + AName + ".rpt"};
  for (const std::string& Datei : Kandidaten) {
    if (Datei.rfind("ial__", 0) != 0 || Datei.find('/') != std::string::npos) continue;
    const std::string Pfad = GetDirWwsByName(KWD_ORDNER_LAYOUT, Datei, true);
    std::error_code F;
    if (!std::filesystem::is_regular_file(Pfad, F)) continue;
    const TKWDLayoutDatei Layout = TKWDLayoutDatei::Lesen(Pfad);
    if (const std::string Fehler = IALLayoutFehler(Layout, Datei); !Fehler.empty()) return CliAbgelehnt(Fehler);
    ALayout = {Datei, Layout};
    return true;
  }
  std::string Liste;
  std::error_code F;
  for (const auto& E : std::filesystem::directory_iterator(GetDirWwsByName(KWD_ORDNER_LAYOUT, "", true), F))
    if (E.path().filename().string().rfind("ial__", 0) == 0) Liste += " " + E.path().filename().string();
  return CliAbgelehnt("Ein Zähllisten-Layout \u201E" + AName + "\u201C gibt es nicht. Vorhanden:" + Liste);
}

// "1.358.366 Zeilen auf 2 Tabellenblättern": a user opening only the first sheet learns there are more.
std::string Umfang(const TKWDTabellenErgebnis& AE, TKWDTabellenFormat AFormat) {
  std::string Text = FormatZahlDe(static_cast<double>(AE.Zeilen), 0) + (AE.Zeilen == 1 ? " Zeile" : " Zeilen");
  if (AFormat == TKWDTabellenFormat::Xlsx && AE.Blaetter > 1)
    Text += " auf " + std::to_string(AE.Blaetter) + " Tabellenblättern";
  return Text;
}

}  // namespace

int CliDruckErgebnis(bool AOk, int ASeiten, const std::string& APdf, bool AJson, const std::string& AWas, int AZeilen,
                     const TCliTabellen& ATabellen, const std::vector<TKWDTabellenErgebnis>& AGeschrieben) {
  AOk = AOk && KWDInfo().Anstehend().empty();
  if (!AOk) return CLI_FEHLER;
  if (AJson) {
    nlohmann::ordered_json J;
    if (!APdf.empty()) J["pdf"] = APdf;
    if (!APdf.empty()) J["seiten"] = ASeiten;
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
      std::cout << AWas << ": " << ASeiten << (ASeiten == 1 ? " Seite" : " Seiten") << " in "
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
  if (!(FPdf.empty() && FJeInventur.empty()) && !PdfMoeglich()) return CLI_ABGELEHNT;
  DruckLayoutsInstallieren();
  TCliLayout Layout;
  if (!LayoutLesen(FLayout, Layout)) return CLI_ABGELEHNT;

  std::vector<TIADruckZeile> Zeilen;
  for (const TiaSatz& A : Anforderungen) Zeilen.push_back({A.Zaehldatum, A.FilNr, A.WG.empty() ? "*" : A.WG});
  // A request still requested lacks articles: printed only when the user says so (--yes).
  std::vector<TIALAnforderung> Unvollstaendige = TIALSelektion::AnforderungenLesen(Jahr, Zeilen);
  if (!TIALSelektion::UnvollstaendigeBestaetigt(Unvollstaendige)) {
    CliAbgelehnt("Nichts gedruckt; mit --yes wird trotzdem gedruckt, jede Seite trägt dann den Vermerk.");
    return CLI_ABGELEHNT;
  }
  if (!FJeInventur.empty()) return JeInventurAblegen(AOpt, Jahr, Layout, Zeilen);
  TCliTabellen Tabellen;
  if (!FXlsx.empty()) Tabellen.emplace_back(FXlsx, TKWDTabellenFormat::Xlsx);
  if (!FCsv.empty()) Tabellen.emplace_back(FCsv, TKWDTabellenFormat::Csv);
  if (!FPdf.empty()) return PdfDrucken(AOpt, Jahr, Layout, Zeilen, Tabellen);
  return TabellenSchreiben(AOpt, Jahr, Layout, Zeilen, std::move(Unvollstaendige), Tabellen);
}

int TCliDrucken::TabellenSchreiben(const TCliOptionen& AOpt, TDate AJahr, const TCliLayout& ALayout,
                                   const std::vector<TIADruckZeile>& AZeilen,
                                   std::vector<TIALAnforderung> AAnforderungen, const TCliTabellen& ATabellen) {
  const TIALOptionen Optionen = IALOptionenMitLayout({FNullbestand, FAlleGroessen, FSammel}, ALayout.Layout);
  TIALTabellenKopf Kopf = IALTabellenKopf(ALayout.Layout, KWDProgramm().GetTextMandant(), AJahr);
  Kopf.Anforderungen = std::move(AAnforderungen);
  // The count-list file goes on every way out.
  struct TDateiWeg {
    ~TDateiWeg() {
      KWDGuardStill(KIADruckenIAL, [] { Tialfile::DateienEntfernen(IALDateiPfad()); });
    }
  } DateiWeg;
  TIALSelektion Selektion;
  const int Zeilen = Selektion.AusfuehrenMitFortschritt(AJahr, AZeilen, nullptr);
  std::vector<TKWDTabellenErgebnis> Geschrieben;
  const bool Ok = KWDGuard(KIADruckenIAL, [&] {
    if (!KWDInfo().Anstehend().empty()) return;
    const TKWDTabelle Tabelle = IALZaehllisteTabelle(Kopf, Optionen.Nullbestand, Optionen.NurSammel);
    for (const auto& [Ziel, Format] : ATabellen) Geschrieben.push_back(KWDTabelleSchreiben(Tabelle, Ziel, Format));
  });
  return CliDruckErgebnis(Ok, 0, "", AOpt.Json, "Inventuraufnahmeliste", Zeilen, ATabellen, Geschrieben);
}
