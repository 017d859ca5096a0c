#include "tools/invanf-cli/CliPruefen.h"

#include <charconv>
#include <iostream>

#include "engine/InvAnfLesen.h"
#include "engine/TIANeuPruefung.h"
#include "engine/TIAWiJahre.h"
#include "suite/TFilialTabelle.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDMeldungen.h"
#include "support/framework/KWDUhr.h"
#include "support/services/UserRechte.h"
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

bool CliRechtePruefen(bool AAendern) {
  if (!UserRechtePruefen({wpfWarenwirtschaft, wpfInventur, wpfInventuranforderungen}, "", 1, false, 0)) return false;
  return !AAendern ||
         UserRechtePruefen({wpfWarenwirtschaft, wpfInventur, wpfInventuranforderungAendern}, "", 1, false, 0);
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

bool FilialnummerLesen(const std::string& AText, int16_t& ANr) {
  const auto Anfang = AText.find_first_not_of(' ');
  const std::string Text =
      Anfang == std::string::npos ? std::string() : AText.substr(Anfang, AText.find_last_not_of(' ') - Anfang + 1);
  int64_t Nr = 0;
  const auto [Ende, Fehler] = std::from_chars(Text.data(), Text.data() + Text.size(), Nr);
  if (Text.empty() || Ende != Text.data() + Text.size() ||
      (Fehler != std::errc() && Fehler != std::errc::result_out_of_range))
    return CliAbgelehnt("Der Wert " + Zitat(AText) + " für --branch ist keine Filialnummer (eine ganze Zahl).");
  if (Fehler == std::errc::result_out_of_range || Nr < INT16_MIN || Nr > INT16_MAX)
    return CliAbgelehnt("Die Filialnummer " + Text + " liegt außerhalb des gültigen Bereichs (-32768 bis 32767).");
  ANr = static_cast<int16_t>(Nr);
  return true;
}

bool FilialeLesen(const std::string& AText, int16_t& AFiliale) {
  int16_t Nr = 0;
  if (!FilialnummerLesen(AText, Nr)) return false;
  TFilialTabelle* Tabelle = GlobFilialTabelle_GetInstance();
  const bool Vorhanden = Tabelle->Filialen().GetFilialeByNr(Nr) != nullptr;
  GlobFilialTabelle_ReleaseInstance(Tabelle);
  if (!Vorhanden) return CliAbgelehnt("Die Filiale " + std::to_string(Nr) + " gibt es in dieser Firma nicht.");
  AFiliale = Nr;
  return true;
}

bool WarengruppeLesen(const std::string& AText, std::string& AWG) {
  if (!TIANeuPruefung::WGZeichenPruefen(AText))
    return CliAbgelehnt(CliEineZeile(KWDMeldungText("INVANF", 1012, {})));
  AWG = TIANeuPruefung::WGOhneEndBlanks(AText);
  return true;
}

bool AnforderungFinden(TDate AWiJahr, TDate ADatum, const std::string& AWG, int16_t AFiliale, TiaSatz& ASatz,
                       bool AMelden) {
  const std::optional<TiaSatz> Satz = IAAnforderungLesen(IAAnforderungSchluessel(AWiJahr, ADatum, AWG, AFiliale));
  if (Satz) {
    ASatz = *Satz;
    return true;
  }
  if (!AMelden) return false;
  return CliAbgelehnt("Eine Inventur " + AnforderungText(ADatum, AWG, AFiliale) + " gibt es nicht (im Wirtschaftsjahr " +
                   IAWiJahrBeschreiben(AWiJahr, kwd_Date()).Text + ").");
}

std::string AnforderungText(TDate ADatum, const std::string& AWG, int AFiliale) {
  return "vom " + FormatDatum(ADatum) + ", Warengruppe " + Zitat(AWG.empty() ? "*" : AWG) + ", Filiale " +
         std::to_string(AFiliale);
}
