// The print commands of the main window: the count list ("Druck IAL") with
// its dialogs and report step, and the overview of the fiscal year.
#include "printing/TIADrucken.h"

#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <filesystem>

#include "engine/TIAWiJahre.h"
#include "printing/BerichtZaehlliste.h"
#include "printing/DruckBerichte.h"
#include "printing/DruckLayouts.h"
#include "printing/IABefehlsnamen.h"
#include "printing/IALDatei.h"
#include "printing/IALLayoutPruefen.h"
#include "printing/TfrmIALOptions.h"
#include "widgets/KWDWidgets.h"
#include "widgets/TKWDForm.h"
#include "widgets/TLayoutform.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDOrdner.h"
#include "support/framework/KWDUhr.h"
#include "support/framework/KWDWork.h"
#include "support/framework/TKWDInfo.h"
#include "support/framework/TKWDProgramm.h"
#include "support/framework/TQLX_PEP_Progress_SetPos.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/recordfile/Tialfile.h"
#include "support/tabelle/KWDTabelle.h"
#include "support/types/IABenennung.h"

namespace {

// The name with every occurrence of its last three characters removed
// (characters, not bytes: a name may end in umlauts).
std::string OhneLetzteDrei(const std::string& AName) {
  size_t Anfang = AName.size();
  for (int Zeichen = 0; Zeichen < 3 && Anfang > 0; ++Zeichen) {
    --Anfang;
    while (Anfang > 0 && (static_cast<unsigned char>(AName[Anfang]) & 0xC0) == 0x80) --Anfang;
  }
  const std::string Ende = AName.substr(Anfang);
  if (Ende.empty()) return AName;
  std::string Ergebnis;
  for (size_t I = 0; I < AName.size();) {
    if (AName.compare(I, Ende.size(), Ende) == 0) {
      I += Ende.size();
    } else {
      Ergebnis += AName[I++];
    }
  }
  return Ergebnis;
}

// The system's standard conversion of a date-time: the date alone when it
// has no time of day.
std::string DateTimeToStr(TDateTime AWert) {
  return AWert == DateOf(AWert) ? FormatDatum(AWert) : FormatDatumZeit(AWert);
}

const char* JN(bool AJa) { return AJa ? "J" : "N"; }

// The options dialog keeps the layout printed last under this name.
const std::string KLayoutWert = "Layout";

// The layout the dialog offers first: the one this user printed last while
// it is there, else the standard count list (never the first by name, the
// blind list, which lacks the target quantities).
std::string VorgewaehltesLayout(const TKWDForm& AOptionen) {
  const std::string Zuletzt = AOptionen.FormWert(KLayoutWert);
  std::error_code Fehler;
  if (!Zuletzt.empty() && Zuletzt.find('/') == std::string::npos &&
      std::filesystem::is_regular_file(GetDirWwsByName(KWD_ORDNER_LAYOUT, Zuletzt, true), Fehler))
    return Zuletzt;
  return KIALStandardLayout;
}

}  // namespace

void IALLayoutInputVorbereiten(TQLX_LayoutDialog_InputData& AInput) {
  AInput.Init();
  AInput.Ordner = C_KWDFolder_Value[KWD_ORDNER_LAYOUT];
  AInput.Praefixe = {"ial__"};
  AInput.Art = 'F';
  AInput.Pflegen = true;
  // The parameters the count list knows, in the words of the options dialog.
  AInput.ParameterTexte = {{"AnzProGroe", "Sollbestand für alle Größen (Größenraster)"},
                           {"Sollmenge", "Sollmengen drucken"},
                           {"SeiteJeWarengruppe", "Neue Seite je Warengruppe"},
                           {"Kompakt", "Kompakte Zeilen"},
                           {"Barcode", "Strichcode der Artikelnummer"},
                           {"BarcodeJeGroesse", "QR-Code je Größe"},
                           {"Schriftgroesse", "Schriftgröße (Punkt)"},
                           {"Nullbestand", "Artikel mit Nullbestand drucken"},
                           {"NurSammel", "Nur Sammelartikel drucken"}};
}

TIADrucken::TIADrucken(QWidget* AOwner) : FOwner(AOwner), FCrystalRDC(std::make_unique<TCrystalRDCn>(AOwner)) {
  DruckBerichteRegistrieren();
}

TIADrucken::~TIADrucken() {
  KWDZerstoeren("TIADrucken.Destroy", {[&] { FCrystalRDC.reset(); }});
}

const void* TIADrucken::Klammerhalter() const {
  // The main window's own bracket, so that it refuses to close while printing.
  if (auto* Form = dynamic_cast<TKWDForm*>(FOwner)) return static_cast<const void*>(Form);
  return FOwner ? static_cast<const void*>(FOwner) : static_cast<const void*>(this);
}

void TIADrucken::NachVorne() {
  if (!FOwner) return;
  FOwner->raise();
  FOwner->activateWindow();
}

std::string TIADrucken::WiJahrtoStr(TDateTime AWiJahr) { return IAWiJahrBeschreiben(DateOf(AWiJahr), 0).Text; }

std::string TIADrucken::ExportDateiName(const std::string& AName) {
  const TDatumTeile Heute = DecodeDate(kwd_Date());
  char Datum[16];
  std::snprintf(Datum, sizeof Datum, "%4.4d%2.2d%2.2d", Heute.Jahr, Heute.Monat, Heute.Tag);
  return GetDirWwsByName("Listen", AName + Datum + ".rpt", true);
}

void TIADrucken::IALBefehl(const char* AName, TDateTime AWiJahr, TQLX_SelectedLayout_List& ALayouts,
                           const TIADruckZeilenQuelle& AZeilen, QWidget* AListe, const std::function<bool()>& AGewaehlt,
                           const std::string& ATun, const TIALSchritt& ASchritt) {
  KWDGuard(AName, [&] {
    TKWDWorkBracket Klammer(Klammerhalter(), AName, 30);
    if (!Klammer.Offen()) return;
    FGeschrieben = 0;
    std::unique_ptr<TLayoutform> Layoutdialog;
    // The way back, on every path: dialog freed, focus on the list, window in front.
    struct TZurueck {
      TIADrucken& D;
      const char* Name;
      QWidget* Liste;
      std::unique_ptr<TLayoutform>& Dialog;
      ~TZurueck() {
        KWDGuardStill(Name, [&] {
          Dialog.reset();
          if (Liste) Liste->setFocus();
          D.NachVorne();
          KWDInfoProcessMessages(0);
        });
      }
    } Zurueck{*this, AName, AListe, Layoutdialog};

    // Said before any dialog: without a request the dialogs would lead to an empty page.
    if (AGewaehlt && !AGewaehlt()) {
      KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "INVANF", 1003, {}, FOwner);
      return;
    }
    TfrmIALOptions* Optionen = frmIALOptions_CiN();
    if (!Optionen || Optionen->exec() != KWD_MR_OK) return;
    DruckLayoutsInstallieren();
    TQLX_LayoutDialog_InputData Input;
    IALLayoutInputVorbereiten(Input);
    Layoutdialog = std::make_unique<TLayoutform>(nullptr);
    TQLX_SelectedLayout_List Wahl = ALayouts;
    if (Wahl.empty()) Wahl.push_back({VorgewaehltesLayout(*Optionen), {}, {}, {}});
    if (!Layoutdialog->Execute(Input, Wahl)) return;
    ALayouts = Wahl;
    // Not kept (settings file not writable): logged, the command goes on.
    KWDGuardStill(AName, [&] { Optionen->FormWertSetzen(KLayoutWert, ALayouts.front().FileName); });
    LayoutPruefen(ALayouts);

    // The rows once, before anything is selected: a request still requested is asked about first.
    std::vector<TIADruckZeile> Zeilen = AZeilen ? AZeilen() : std::vector<TIADruckZeile>{};
    std::vector<TIALAnforderung> Anforderungen = TIALSelektion::AnforderungenLesen(AWiJahr, Zeilen);
    if (!TIALSelektion::UnvollstaendigeBestaetigt(Anforderungen, ATun, FOwner)) return;
    ASchritt(Optionen->Optionen(), Zeilen, Anforderungen);
  });
}

void TIADrucken::DruckenIALExecute(TDateTime AWiJahr, TQLX_SelectedLayout_List& ALayouts,
                                   TIADruckZeilenQuelle AZeilen, QWidget* AListe, std::function<bool()> AGewaehlt) {
  IALBefehl(KIADruckenIAL, AWiJahr, ALayouts, AZeilen, AListe, AGewaehlt, "drucken",
            [&](const TIALOptionen& AOptionen, std::vector<TIADruckZeile>& AZeilenJetzt,
                std::vector<TIALAnforderung>& AAnforderungen) {
              DruckauftragSetzen(AWiJahr, ALayouts, AOptionen, [Z = AZeilenJetzt] { return Z; });
              FAnforderungen = std::move(AAnforderungen);
              SelektionMitFortschritt();
              DruckenIALExecute_Crystal();
              KWDGuardStill(KIADruckenIAL, [] { Tialfile::DateienEntfernen(IALDateiPfad()); });
            });
}

bool TIADrucken::IALDrucken(TDateTime AWiJahr, const TQLX_SelectedLayout_List& ALayouts, const TIALOptionen& AOptionen,
                            TIADruckZeilenQuelle AZeilen) {
  return KWDGuard(
      KIADruckenIAL,
      [&] {
        TKWDWorkBracket Klammer(Klammerhalter(), KIADruckenIAL, 30);
        if (!Klammer.Offen()) return false;
        FGeschrieben = 0;
        FTabellenErgebnisse.clear();
        DruckLayoutsInstallieren();
        LayoutPruefen(ALayouts);
        const std::vector<TIADruckZeile> Zeilen = AZeilen ? AZeilen() : std::vector<TIADruckZeile>{};
        return IALErzeugen(AWiJahr, ALayouts, AOptionen, Zeilen, TIALSelektion::AnforderungenLesen(AWiJahr, Zeilen));
      },
      false);
}

bool TIADrucken::IALErzeugen(TDateTime AWiJahr, const TQLX_SelectedLayout_List& ALayouts, const TIALOptionen& AOptionen,
                             const std::vector<TIADruckZeile>& AZeilen, std::vector<TIALAnforderung> AAnforderungen) {
  FGeschrieben = 0;
  FTabellenErgebnisse.clear();
  DruckauftragSetzen(AWiJahr, ALayouts, AOptionen, [AZeilen] { return AZeilen; });
  FAnforderungen = std::move(AAnforderungen);
  const int Vorher = FCrystalRDC->AnzahlGezeigt();
  // The count-list file goes on every way out, also when a spreadsheet file cannot be written.
  struct TDateiWeg {
    ~TDateiWeg() {
      KWDGuardStill(KIADruckenIAL, [] { Tialfile::DateienEntfernen(IALDateiPfad()); });
    }
  } DateiWeg;
  SelektionMitFortschritt();
  if (FOhnePdf) {
    BerichtEinrichten();
  } else {
    DruckenIALExecute_Crystal();
    if (FCrystalRDC->AnzahlGezeigt() <= Vorher || FCrystalRDC->Seiten() <= 0) return false;
  }
  TabellenSchreiben();
  return true;
}

void TIADrucken::DruckauftragSetzen(TDateTime AWiJahr, const TQLX_SelectedLayout_List& ALayouts,
                                    const TIALOptionen& AOptionen, TIADruckZeilenQuelle AZeilen) {
  FWiJahr = AWiJahr;
  FLayouts = &ALayouts;
  FOptionen = AOptionen;
  FZeilen = std::move(AZeilen);
}

void TIADrucken::SelektionMitFortschritt() {
  NachVorne();
  KWDInfoProcessMessages(0);
  {
    TKWDSanduhr Sanduhr;
    FGeschrieben = FSelektion.AusfuehrenMitFortschritt(FWiJahr, FZeilen ? FZeilen() : std::vector<TIADruckZeile>{},
                                                       FProgressDialog, FOwner);
  }
  KWDGuardStill(KIADruckenIAL, [&] {
    NachVorne();
    KWDInfoProcessMessages(0);
  });
}

void TIADrucken::DruckenIALExecute_Selektion() {
  FGeschrieben = FSelektion.Ausfuehren(FWiJahr, FZeilen ? FZeilen() : std::vector<TIADruckZeile>{});
}

void TIADrucken::DruckenIALExecute_Crystal() {
  KWDGuard(KIADruckenIALCrystal, [&] {
    BerichtEinrichten();
    FCrystalRDC->ShowReport();
    NachVorne();
    KWDInfoProcessMessages(0);
  });
}

void TIADrucken::BerichtEinrichten() {
  if (!FLayouts || FLayouts->empty()) throw std::runtime_error("Für die Inventuraufnahmeliste ist kein Layout gewählt.");
  const TQLX_SelectedLayout& Layout = FLayouts->front();
  TCrystalRDCn& C = *FCrystalRDC;
  C.Clear();
  C.SetReport(GetDirWwsByName(KWD_ORDNER_LAYOUT, Layout.FileName, true));
  C.SetReportName(-1, OhneLetzteDrei(Layout.Name));
  C.SetParameter(-1, "Param_TextWiJahr", WiJahrtoStr(FWiJahr));
  C.SetParameter(-1, "Param_TextMandant", KWDProgramm().GetTextMandant());
  C.SetParameter(-1, "Param_Nullbestand", JN(FOptionen.Nullbestand));
  C.SetParameter(-1, "Param_AnzProGroe", JN(FOptionen.AnzProGroe));
  C.SetParameter(-1, "Param_NurSammel", JN(FOptionen.NurSammel));
  for (const std::string& Zeile : Layout.Parameter) {
    const auto Gleich = Zeile.find('=');
    if (Gleich == std::string::npos) continue;
    C.SetParameter(-1, "Param_" + Zeile.substr(0, Gleich), Zeile.substr(Gleich + 1));
  }
  // After the layout's lines, so that none can change which requests the pages name.
  C.SetParameter(-1, "Param_Anforderungen", IALAnforderungenParameter(FAnforderungen, false));
  // Last, so that no layout line can hide that a list lacks articles.
  if (const std::string U = IALUnvollstaendigParameter(FAnforderungen); !U.empty())
    C.SetParameter(-1, "Param_Unvollstaendig", U);
  C.SetTitle(-1, "Inventuraufnahmeliste");
  C.SetWindowMaximized(true);
  C.SetEnableExportAction(false);
  C.SetEnableKomAction(true);
  C.SetExportDiskfileName(ExportDateiName("Inventuraufnahmeliste-"));
  C.SetAblage(ZaehllisteDateiName(FAnforderungen), KAblageZaehlliste);
}

std::string TIADrucken::ZaehllisteDateiName(const std::vector<TIALAnforderung>& AAnforderungen) {
  if (AAnforderungen.size() == 1)
    return IAZaehllisteDateiName(AAnforderungen[0].Zaehldatum, AAnforderungen[0].WG, AAnforderungen[0].FilNr);
  std::vector<TDate> Daten;
  for (const TIALAnforderung& A : AAnforderungen) Daten.push_back(DateOf(A.Zaehldatum));
  return IAZaehllistenDateiName(Daten);
}

void TIADrucken::TabellenSchreiben() {
  FTabellenErgebnisse.clear();
  if (FTabellenZiele.empty()) return;
  TKWDBerichtDaten Daten;
  Daten.LayoutPfad = FCrystalRDC->Report();
  Daten.Layout = TKWDLayoutDatei::Lesen(Daten.LayoutPfad);
  Daten.Parameter = FCrystalRDC->Parameter();
  TIALTabellenKopf Kopf = IALTabellenKopf(Daten);
  Kopf.Anforderungen = FAnforderungen;
  const TKWDTabelle Tabelle =
      IALZaehllisteTabelle(Kopf, Daten.ParamJa("Param_Nullbestand"), Daten.ParamJa("Param_NurSammel"));
  for (const auto& [Ziel, Format] : FTabellenZiele)
    FTabellenErgebnisse.push_back(KWDTabelleSchreiben(Tabelle, Ziel, Format));
}

void TIADrucken::LayoutPruefen(const TQLX_SelectedLayout_List& ALayouts) {
  if (ALayouts.empty()) throw std::runtime_error("Für die Inventuraufnahmeliste ist kein Layout gewählt.");
  const TKWDLayoutDatei Layout = TKWDLayoutDatei::Lesen(GetDirWwsByName(KWD_ORDNER_LAYOUT, ALayouts.front().FileName, true));
  if (const std::string Fehler = IALLayoutFehler(Layout, ALayouts.front().FileName); !Fehler.empty())
    throw std::runtime_error(Fehler);
}

void TIADrucken::DruckenInvListeExecute(TDateTime AWiJahr) {
  KWDGuard(KIADruckenInvListe, [&] {
    TKWDWorkBracket Klammer(Klammerhalter(), KIADruckenInvListe, 5);
    if (!Klammer.Offen()) return;
    DruckLayoutsInstallieren();
    const std::string Jahr = WiJahrtoStr(AWiJahr);
    TCrystalRDCn& C = *FCrystalRDC;
    C.Clear();
    C.SetReport(GetDirWwsByName(KWD_ORDNER_LAYOUT, "IA-Liste.rpt", true));
    C.SetReportName(-1, "ial__");
    C.SetParameter(-1, "Param_TextWiJahr", Jahr);
    C.SetParameter(-1, "Param_TextMandant", KWDProgramm().GetTextMandant());
    C.SetParameter(-1, "Param_WiJahr", DateTimeToStr(AWiJahr));
    C.SetTitle(-1, "Inventuren des Wirtschftsjahres " + Jahr);
    C.SetWindowMaximized(true);
    C.SetEnableExportAction(false);
    C.SetEnableKomAction(true);
    C.SetExportDiskfileName(ExportDateiName("Inventuren-Liste"));
    C.SetAblage(IAInventurenDateiName(AWiJahr), KAblageInventurliste);
    C.ShowReport();
  });
}
