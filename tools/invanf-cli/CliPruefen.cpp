#include "tools/invanf-cli/CliPruefen.h"

#include <iostream>

#include "engine/TIANeuPruefung.h"
#include "engine/TIAWiJahre.h"
#include "suite/TFilialTabelle.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDMeldungen.h"
#include "support/framework/KWDUhr.h"
#include "tools/invanf-cli/CliPresenter.h"

namespace {

std::string Zitat(const std::string& AText) { return "\u201E" + AText + "\u201C"; }

}  // namespace

bool CliAbgelehnt(const std::string& AText) {
  std::cerr << "invanf-cli: " << AText << "\n";
  return false;
}

bool CliSchreibbar() {
  if (!KWDDatenbank().NurLesen()) return true;
  return CliAbgelehnt("Die Firma " + KWDDatenbank().Ort() +
                   " darf von Ihnen nur gelesen werden: Inventuren lassen sich hier nicht anlegen, "
                   "vervollständigen oder löschen.");
}

bool DatumLesen(const std::string& AText, const char* AWas, TDate& ADatum) {
  TDate Datum = 0;
  if (TryParseDatum(AText, Datum) && YearOf(Datum) >= 1900 && YearOf(Datum) <= 9998) {
    ADatum = Datum;
    return true;
  }
  return CliAbgelehnt(std::string(AWas) + " " + Zitat(AText) +
                   " ist kein gültiges Datum (erwartet JJJJ-MM-TT oder TT.MM.JJJJ, vom 01.01.1900 bis 31.12.9998).");
}

bool WiJahrLesen(const std::string& AText, TDate& AWiJahr) {
  TDate Datum = 0;
  if (!DatumLesen(AText, "Das Wirtschaftsjahr", Datum)) return false;
  std::string Angebot;
  for (const TIAWiJahr& J : IAWiJahreDerFirma(kwd_Date())) {
    if (J.Beginn == Datum) {
      AWiJahr = Datum;
      return true;
    }
    Angebot += (Angebot.empty() ? "" : ", ") + FormatDatumIso(J.Beginn);
  }
  return CliAbgelehnt("Ein Wirtschaftsjahr, das am " + FormatDatum(Datum) +
                   " beginnt, bietet das Programm nicht an. Angeboten: " + (Angebot.empty() ? "keines" : Angebot) +
                   " (siehe invanf-cli years).");
}

bool FilialeLesen(int64_t ANr, int16_t& AFiliale) {
  if (ANr < INT16_MIN || ANr > INT16_MAX)
    return CliAbgelehnt("Die Filialnummer " + std::to_string(ANr) +
                     " liegt außerhalb des gültigen Bereichs (-32768 bis 32767).");
  TFilialTabelle* Tabelle = GlobFilialTabelle_GetInstance();
  const bool Vorhanden = Tabelle->Filialen().GetFilialeByNr(static_cast<int>(ANr)) != nullptr;
  GlobFilialTabelle_ReleaseInstance(Tabelle);
  if (!Vorhanden) return CliAbgelehnt("Die Filiale " + std::to_string(ANr) + " gibt es in dieser Firma nicht.");
  AFiliale = static_cast<int16_t>(ANr);
  return true;
}

bool WarengruppeLesen(const std::string& AText, std::string& AWG) {
  if (!TIANeuPruefung::WGZeichenPruefen(AText))
    return CliAbgelehnt(CliEineZeile(KWDMeldungText("INVANF", 1012, {})));
  AWG = TIANeuPruefung::WGOhneEndBlanks(AText);
  return true;
}

bool AnforderungFinden(TDate AWiJahr, TDate ADatum, const std::string& AWG, int16_t AFiliale, TiaSatz& ASatz) {
  Tiafile IA(RF_OPEN_NORMAL, -1);
  IA.SelectKey(Tiafile::KEY_ANFORDERUNG);
  IA.Key_Zaehldatum.SetKeyWert(ADatum);
  IA.Key_WG.SetKeyWert(AWG);
  IA.Key_FilNr.SetKeyWert(AFiliale);
  if (IA.Get_equal() && DateOf(IA.WiJahr.GetWert()) == AWiJahr) {
    ASatz = IA.GetSatz();
    return true;
  }
  return CliAbgelehnt("Eine Inventur " + AnforderungText(ADatum, AWG, AFiliale) + " gibt es nicht (im Wirtschaftsjahr " +
                   IAWiJahrBeschreiben(AWiJahr, kwd_Date()).Text + ").");
}

std::string AnforderungText(TDate ADatum, const std::string& AWG, int AFiliale) {
  return "vom " + FormatDatum(ADatum) + ", Warengruppe " + Zitat(AWG.empty() ? "*" : AWG) + ", Filiale " +
         std::to_string(AFiliale);
}
