// The count lists as files where the user wants them: "Zählliste
// exportieren ..." (one XLSX or CSV for the ticked requests) and
// "Zähllisten je Filiale ablegen ..." (one PDF, and an XLSX if chosen, per
// request, so head office can send each branch its own list).
#include <filesystem>

#include "printing/DruckLayouts.h"
#include "printing/IABefehlsnamen.h"
#include "printing/TIADrucken.h"
#include "printing/TfrmIALOptions.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/framework/KWDWork.h"
#include "support/framework/TKWDInfo.h"
#include "support/types/IABenennung.h"
#include "support/types/KWDZahlFormat.h"
#include "widgets/KWDDateiWahl.h"

namespace {

// Whether an XLSX goes beside each filed PDF, as the user ticked it last.
const std::string KMitXlsxWert = "AblageMitXlsx";

std::string Zitat(const std::string& AText) { return "\u201E" + AText + "\u201C"; }

std::string Anzahl(size_t AZahl, const char* AEins, const char* AMehr) {
  return FormatZahlDe(static_cast<double>(AZahl), 0) + " " + (AZahl == 1 ? AEins : AMehr);
}

}  // namespace

std::string TIADrucken::ZaehllisteExportierenExecute(TDateTime AWiJahr, TQLX_SelectedLayout_List& ALayouts,
                                                     TIADruckZeilenQuelle AZeilen, QWidget* AListe,
                                                     std::function<bool()> AGewaehlt) {
  std::string Status;
  IALBefehl(KIAZaehllisteExportieren, AWiJahr, ALayouts, AZeilen, AListe, AGewaehlt, "exportieren",
            [&](const TIALOptionen& AOptionen, std::vector<TIADruckZeile>& AZeilenJetzt,
                std::vector<TIALAnforderung>& AAnforderungen) {
              TKWDDateiAntwort Wahl;
              if (!KWDDateiWaehlen(FOwner,
                                   KWDSpeichernFrage("Zählliste exportieren", KAblageZaehllisteExport,
                                                     ZaehllisteDateiName(AAnforderungen) + ".xlsx",
                                                     {TKWDExportFormat::Xlsx, TKWDExportFormat::Csv}),
                                   Wahl))
                return;
              const TKWDTabellenFormat Format =
                  Wahl.Format == TKWDExportFormat::Csv ? TKWDTabellenFormat::Csv : TKWDTabellenFormat::Xlsx;
              SetTabellenZiele({{Wahl.Pfad, Format}}, true);
              struct TZieleWeg {
                TIADrucken& D;
                ~TZieleWeg() { D.SetTabellenZiele({}, false); }
              } ZieleWeg{*this};
              const size_t Inventuren = AAnforderungen.size();
              if (!IALErzeugen(AWiJahr, ALayouts, AOptionen, AZeilenJetzt, std::move(AAnforderungen)) ||
                  FTabellenErgebnisse.empty())
                return;
              Status = "Zählliste von " + Anzahl(Inventuren, "Inventur", "Inventuren") + " als " + Zitat(Wahl.Pfad) +
                       " exportiert (" + Anzahl(FTabellenErgebnisse.front().Zeilen, "Zeile", "Zeilen") + ")";
            });
  return Status;
}

std::vector<TIAAblageDatei> TIADrucken::AblageDateien(TDateTime AWiJahr, const std::vector<TIADruckZeile>& AZeilen,
                                                      const std::string& AOrdner, bool AMitXlsx) {
  const std::vector<TIALAnforderung> Anforderungen = TIALSelektion::AnforderungenLesen(AWiJahr, AZeilen);
  std::vector<TIAAblageDatei> Dateien;
  for (size_t I = 0; I < AZeilen.size(); ++I) {
    const TIALAnforderung& A = Anforderungen[I];
    const std::filesystem::path Basis =
        std::filesystem::path(AOrdner) / IAZaehllisteDateiName(A.Zaehldatum, A.WG, A.FilNr);
    TIAAblageDatei D{AZeilen[I], A, Basis.string() + ".pdf", AMitXlsx ? Basis.string() + ".xlsx" : std::string()};
    Dateien.push_back(std::move(D));
  }
  return Dateien;
}

size_t TIADrucken::AblageSchreiben(TDateTime AWiJahr, const TQLX_SelectedLayout_List& ALayouts,
                                   const TIALOptionen& AOptionen, std::vector<TIAAblageDatei>& ADateien) {
  // The window's viewer stays as it was: the PDFs go to their files only.
  struct TZurueck {
    TIADrucken& D;
    std::string PdfZiel;
    ~TZurueck() {
      D.FCrystalRDC->SetPdfZiel(PdfZiel);
      D.SetTabellenZiele({}, false);
    }
  } Zurueck{*this, FCrystalRDC->PdfZiel()};
  size_t Geschrieben = 0;
  for (TIAAblageDatei& D : ADateien) {
    FCrystalRDC->SetPdfZiel(D.Pdf);
    if (D.Xlsx.empty())
      SetTabellenZiele({}, false);
    else
      SetTabellenZiele({{D.Xlsx, TKWDTabellenFormat::Xlsx}}, false);
    // Each request on its own, so each PDF holds its own list and its header names it.
    if (!IALErzeugen(AWiJahr, ALayouts, AOptionen, {D.Zeile}, {D.Anforderung})) break;
    D.Seiten = FCrystalRDC->Seiten();
    if (!D.Xlsx.empty()) D.XlsxZeilen = FTabellenErgebnisse.empty() ? 0 : FTabellenErgebnisse.front().Zeilen;
    ++Geschrieben;
  }
  return Geschrieben;
}

bool TIADrucken::JeInventurAblegen(TDateTime AWiJahr, const TQLX_SelectedLayout_List& ALayouts,
                                   const TIALOptionen& AOptionen, const std::vector<TIADruckZeile>& AZeilen,
                                   const std::string& AOrdner, bool AMitXlsx, std::vector<TIAAblageDatei>& ADateien) {
  ADateien.clear();
  return KWDGuard(
      KIAZaehllistenAblegen,
      [&] {
        TKWDWorkBracket Klammer(Klammerhalter(), KIAZaehllistenAblegen, 30);
        if (!Klammer.Offen()) return false;
        DruckLayoutsInstallieren();
        LayoutPruefen(ALayouts);
        std::vector<TIAAblageDatei> Dateien = AblageDateien(AWiJahr, AZeilen, AOrdner, AMitXlsx);
        const size_t Geschrieben = AblageSchreiben(AWiJahr, ALayouts, AOptionen, Dateien);
        Dateien.resize(Geschrieben);
        ADateien = std::move(Dateien);
        return Geschrieben == AZeilen.size();
      },
      false);
}

std::string TIADrucken::ZaehllistenAblegenExecute(TDateTime AWiJahr, TQLX_SelectedLayout_List& ALayouts,
                                                  TIADruckZeilenQuelle AZeilen, QWidget* AListe,
                                                  std::function<bool()> AGewaehlt) {
  std::string Status;
  IALBefehl(
      KIAZaehllistenAblegen, AWiJahr, ALayouts, AZeilen, AListe, AGewaehlt, "ablegen",
      [&](const TIALOptionen& AOptionen, std::vector<TIADruckZeile>& AZeilenJetzt, std::vector<TIALAnforderung>&) {
        TfrmIALOptions* Optionen = frmIALOptions_CiN();
        TKWDDateiFrage Frage = KWDSpeichernFrage("Zähllisten je Filiale ablegen", KAblageJeFiliale, {}, {});
        Frage.Ankreuzen = "Zu jeder Zählliste auch eine XLSX-Arbeitsmappe ablegen";
        Frage.Angekreuzt = Optionen && Optionen->FormWert(KMitXlsxWert) == "J";
        TKWDDateiAntwort Wahl;
        if (!KWDDateiWaehlen(FOwner, Frage, Wahl)) return;
        KWDGuardStill(KIAZaehllistenAblegen, [&] {
          if (Optionen) Optionen->FormWertSetzen(KMitXlsxWert, Wahl.Angekreuzt ? "J" : "N");
        });
        std::vector<TIAAblageDatei> Dateien = AblageDateien(AWiJahr, AZeilenJetzt, Wahl.Pfad, Wahl.Angekreuzt);

        // Files of an earlier filing are replaced only when the user says so.
        std::vector<std::string> Vorhanden;
        for (const TIAAblageDatei& D : Dateien)
          for (const std::string& P : {D.Pdf, D.Xlsx})
            if (std::error_code F; !P.empty() && std::filesystem::exists(std::filesystem::symlink_status(P, F)))
              Vorhanden.push_back(std::filesystem::path(P).filename().string());
        if (!Vorhanden.empty()) {
          std::string Namen = Vorhanden.front();
          if (Vorhanden.size() > 1) Namen += " und " + Anzahl(Vorhanden.size() - 1, "weitere", "weitere");
          if (KWDInfo().ShowMeldung(KWD_MB_JANEIN, "STANDARD", 997,
                                    {"Im Ordner " + Zitat(Wahl.Pfad) + " gibt es schon " +
                                     (Vorhanden.size() == 1 ? std::string("eine dieser Dateien")
                                                            : std::to_string(Vorhanden.size()) + " dieser Dateien") + " (" + Namen +
                                     ").\n\nErsetzen?"},
                                    FOwner, KWD_MR_NO) != KWD_MR_YES)
            return;
        }
        const size_t Geschrieben = AblageSchreiben(AWiJahr, ALayouts, AOptionen, Dateien);
        if (Geschrieben == 0) return;
        Status = (Geschrieben < Dateien.size() ? std::to_string(Geschrieben) + " von " : std::string()) +
                 Anzahl(Dateien.size(), "Zählliste", "Zähllisten") + " abgelegt in " + Zitat(Wahl.Pfad) +
                 (Wahl.Angekreuzt ? " (je PDF und XLSX-Arbeitsmappe)" : "");
      });
  return Status;
}
