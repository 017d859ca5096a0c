// invanf-cli complete / delete: the requests named on the command line go to
// the engine; articles other programs kept locked come back as a table or
// as JSON, and exit code 3 says to release them and run again.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>

#include "engine/InvAnfLesen.h"
#include "engine/TQLX_InvAnfMani.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/framework/TKWDInfo.h"
#include "support/types/IABenennung.h"
#include "support/types/TQLX_IA_KZZaehlung.h"
#include "tools/common/CliJson.h"
#include "tools/invanf-cli/CliKommandos.h"
#include "tools/invanf-cli/CliPruefen.h"

namespace {
using json = nlohmann::ordered_json;
}  // namespace

// The requests the options name, each as it is stored; false (message on
// stderr) when one of them does not fit or does not exist in the year.
bool AnforderungenLesen(const TCliOptionen& AOpt, bool AAlleErlaubt, std::vector<TiaSatz>& AAnf,
                        std::vector<TiaSatz>* AFehlend) {
  TDate Jahr = 0;
  if (!WiJahrLesen(AOpt.Jahr, Jahr)) return false;
  if (AOpt.AlleAngeforderten) {
    if (!AAlleErlaubt || !AOpt.Daten.empty() || !AOpt.WGs.empty() || !AOpt.Filialen.empty())
      return CliAbgelehnt("--all-requested gibt es nur beim Vervollständigen und nicht zusammen mit --date, --wg "
                       "oder --branch.");
    const char Angefordert = CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung::iazAngefordert);
    for (const TiaSatz& S : IAAnforderungenDesJahres(Jahr))
      if (S.KZZaehlung == Angefordert) AAnf.push_back(S);
    return true;
  }
  const size_t N = AOpt.Daten.size();
  if (N == 0 || AOpt.Filialen.size() != N || (AOpt.WGs.size() > 1 && AOpt.WGs.size() != N))
    return CliAbgelehnt("Jede Inventur braucht ein --date und eine --branch (--wg einmal für alle oder je Inventur "
                     "einmal).");
  for (size_t I = 0; I < N; ++I) {
    TDate Datum = 0;
    std::string WG;
    int16_t Filiale = 0;
    TiaSatz Satz;
    if (!DatumLesen(AOpt.Daten[I], "Das Zähldatum", Datum) ||
        !WarengruppeLesen(AOpt.WGs.empty() ? "" : AOpt.WGs.size() == 1 ? AOpt.WGs[0] : AOpt.WGs[I], WG) ||
        !FilialeLesen(AOpt.Filialen[I], Filiale))
      return false;
    std::vector<TiaSatz>* Ziel = &AAnf;
    if (!AnforderungFinden(Jahr, Datum, WG, Filiale, Satz, AFehlend == nullptr)) {
      if (!AFehlend) return false;
      Satz.Zaehldatum = Datum;
      Satz.WG = WG;
      Satz.FilNr = Filiale;
      Satz.WiJahr = Jahr;
      Ziel = AFehlend;
    }
    // A request named twice is one request.
    const bool Doppelt = std::any_of(Ziel->begin(), Ziel->end(), [&Satz](const TiaSatz& A) {
      return A.Zaehldatum == Satz.Zaehldatum && A.WG == Satz.WG && A.FilNr == Satz.FilNr;
    });
    if (!Doppelt) Ziel->push_back(Satz);
  }
  return true;
}

namespace {

// AAnforderungen: what became of each request, for JSON (the text has said it already).
void MeldungenAusgeben(bool AOk, const std::vector<TQLX_clMeldung>& AMeldungen, bool AJson, const char* AText,
                       const json& AAnforderungen = nullptr) {
  if (AJson) {
    json Liste = json::array();
    for (const TQLX_clMeldung& M : AMeldungen)
      Liste.push_back({{"artikel", M.Artikel},
                       {"gesperrt_seit", FormatDatumZeit(M.GesperrtSeit)},
                       {"programm", M.Programm},
                       {"terminal", M.Terminal},
                       {"terminal_nr", M.TerminalNr},
                       {"prozess_id", M.ProzessId}});
    json Ergebnis{{"ok", AOk}};
    if (!AAnforderungen.is_null()) Ergebnis["anforderungen"] = AAnforderungen;
    Ergebnis["meldungen"] = Liste;
    std::cout << CliJsonText(Ergebnis) << "\n";
    return;
  }
  if (AMeldungen.empty()) {
    std::cout << (AOk ? "Erledigt.\n" : "Nicht vollständig erledigt (siehe Fehlerprotokoll).\n");
    return;
  }
  std::cout << AText << "\n";
  std::printf("%-20s  %-19s  %-16s  %-16s  %-10s  %10s\n", "Artikel", "gesperrt seit", "Programm", "Terminal",
              "TerminalNr", "Prozess-ID");
  for (const TQLX_clMeldung& M : AMeldungen)
    std::printf("%-20s  %-19s  %-16s  %-16s  %-10s  %10d\n", M.Artikel.c_str(), FormatDatumZeit(M.GesperrtSeit).c_str(),
                M.Programm.c_str(), M.Terminal.c_str(), M.TerminalNr.c_str(), M.ProzessId);
}

// Another program may delete a request while it is completed: the engine then
// books nothing more for it, and "Erledigt." would be untrue. Names each such
// request on stderr; true when every one stands opened (or further).
bool AlleVervollstaendigt(const std::vector<TiaSatz>& ASaetze) {
  bool Alle = true;
  for (const TiaSatz& S : ASaetze) {
    const std::optional<TiaSatz> Jetzt = IAAnforderungLesen(IAAnforderungSchluessel(S));
    const bool Da = Jetzt.has_value();
    const auto Zustand = Da ? Char_2_IA_KZZaehlung(Jetzt->KZZaehlung) : TQLX_IA_KZZaehlung::iazLoeschen;
    if (Da && Zustand != TQLX_IA_KZZaehlung::iazAngefordert && Zustand != TQLX_IA_KZZaehlung::iazLoeschen) continue;
    Alle = false;
    CliAbgelehnt("Die Inventur " + AnforderungText(S.Zaehldatum, S.WG, S.FilNr) +
                 (Da ? " ist nicht vervollständigt, sondern \u201E" + std::string(CQLX_IA_KZZaehlung_2_String(Zustand)) +
                           "\u201C (ein anderes Programm hat sie inzwischen geändert)."
                     : " hat ein anderes Programm während des Vervollständigens gelöscht; sie ist nicht vervollständigt."));
  }
  return Alle;
}

template <class F, class P>
int Ausfuehren(const TCliOptionen& AOpt, const std::vector<TiaSatz>& ASaetze, const char* AText, F AOperation,
               P ANachher) {
  std::vector<TVglInvAnf_Inv> Anf;
  for (const TiaSatz& S : ASaetze) Anf.push_back(IAAnforderungSchluessel(S));
  std::vector<TQLX_clMeldung> Meldungen;
  bool Ok = false;
  {
    TQLX_InvAnfMani Mani;
    Ok = AOperation(Mani, Anf, Meldungen);
    // Errors surface when the engine ends; they are in the registry until then.
    Ok = Ok && KWDInfo().Anstehend().empty();
  }
  if (Ok && Meldungen.empty()) Ok = ANachher(ASaetze);
  MeldungenAusgeben(Ok, Meldungen, AOpt.Json, AText);
  if (!Meldungen.empty()) return CLI_GESPERRT;
  return Ok ? CLI_OK : CLI_FEHLER;
}

int Abbruch() { return KWDInfo().Anstehend().empty() ? CLI_ABGELEHNT : CLI_FEHLER; }

}  // namespace

int CliVervollstaendigen(const TCliOptionen& AOpt) {
  std::vector<TiaSatz> Saetze;
  if (!CliSchreibbar() || !AnforderungenLesen(AOpt, true, Saetze)) return Abbruch();
  // Only a requested request is completed; naming another is a mistake the
  // user hears about with its state, and nothing is done.
  bool Passt = true;
  for (const TiaSatz& S : Saetze) {
    const auto Zustand = Char_2_IA_KZZaehlung(S.KZZaehlung);
    if (Zustand == TQLX_IA_KZZaehlung::iazAngefordert) continue;
    CliAbgelehnt("Die Inventur " + AnforderungText(S.Zaehldatum, S.WG, S.FilNr) + " ist nicht angefordert, sondern \u201E" +
                 CQLX_IA_KZZaehlung_2_String(Zustand) + "\u201C; vervollständigt werden nur angeforderte Inventuren." +
                 (Zustand == TQLX_IA_KZZaehlung::iazLoeschen ? " Sie wartet auf ihr Löschen (invanf-cli delete)." : ""));
    Passt = false;
  }
  if (!Passt) return CLI_ABGELEHNT;
  if (Saetze.empty()) {
    if (AOpt.Json)
      std::cout << CliJsonText(json{{"ok", true}, {"meldungen", json::array()}}) << "\n";
    else
      std::cout << "Keine angeforderte Inventur in diesem Wirtschaftsjahr: nichts zu vervollständigen.\n";
    return CLI_OK;
  }
  return Ausfuehren(AOpt, Saetze,
                    "Es konnten nicht alle Inventuren vollständig angefordert werden, da folgende Artikel gesperrt "
                    "waren. Bitte geben Sie diese Artikel frei. Im Anschluss kann eine neue Vervollständigung "
                    "gestartet werden.",
                    [](TQLX_InvAnfMani& AMani, const std::vector<TVglInvAnf_Inv>& AAnf, std::vector<TQLX_clMeldung>& AM) {
                      return AMani.InventurAnforderungVervollstaendigen(AAnf, AM);
                    },
                    AlleVervollstaendigt);
}

namespace {

constexpr const char* KGesperrtLoeschen =
    "Es konnten nicht alle Inventuren vollständig gelöscht werden, da folgende Artikel gesperrt waren. Bitte geben "
    "Sie diese Artikel frei. Im Anschluss kann das Löschen erneut gestartet werden.";

// What became of a request named for deletion: the user learns it per
// request, so a run cut off can be finished by running it again.
enum class TLoeschErgebnis { Geloescht, NichtVorhanden, Gesperrt, Offen };

struct TLoeschZeile {
  TiaSatz Satz;
  TLoeschErgebnis Ergebnis;
};

void LoeschBerichtAusgeben(const std::vector<TLoeschZeile>& AZeilen, bool AJson, json& AListe) {
  static const char* const KText[] = {"Gelöscht", "Nicht (mehr) vorhanden", "Nicht gelöscht (gesperrte Artikel)",
                                      "Nicht gelöscht"};
  static const char* const KSchluessel[] = {"geloescht", "nicht_vorhanden", "gesperrt", "offen"};
  AListe = json::array();
  for (const TLoeschZeile& Z : AZeilen) {
    const auto E = static_cast<size_t>(Z.Ergebnis);
    if (AJson)
      AListe.push_back({{"zaehldatum", FormatDatumIso(Z.Satz.Zaehldatum)},
                        {"wg", Z.Satz.WG},
                        {"filiale", Z.Satz.FilNr},
                        {"ergebnis", KSchluessel[E]}});
    else
      std::cout << KText[E] << ": Inventur " << AnforderungText(Z.Satz.Zaehldatum, Z.Satz.WG, Z.Satz.FilNr) << "\n";
  }
}

}  // namespace

int CliLoeschen(const TCliOptionen& AOpt) {
  std::vector<TiaSatz> Saetze;
  std::vector<TiaSatz> Fehlend;
  if (!CliSchreibbar() || !AnforderungenLesen(AOpt, false, Saetze, &Fehlend)) return Abbruch();
  std::vector<TLoeschZeile> Zeilen;
  // A request that is gone needs no deleting: a run cut off is finished by
  // the same command, which names what it no longer finds.
  for (const TiaSatz& S : Fehlend) Zeilen.push_back({S, TLoeschErgebnis::NichtVorhanden});
  if (!Saetze.empty()) {
    // Asked as the window asks; without a terminal only --yes confirms.
    if (!AOpt.Ja && !AOpt.Terminal) {
      CliAbgelehnt("Löschen fragt vorher nach, und ohne Terminal kann niemand antworten: bitte mit --yes bestätigen.");
      return CLI_ABGELEHNT;
    }
    const int Antwort =
        Saetze.size() == 1
            ? KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1007,
                                    {Saetze[0].WG.empty() ? "*" : Saetze[0].WG, std::to_string(Saetze[0].FilNr),
                                     FormatDatum(Saetze[0].Zaehldatum), IAWarengruppeText(Saetze[0].WG)})
            : KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1013, {std::to_string(Saetze.size())});
    if (Antwort != KWD_MR_YES) {
      CliAbgelehnt("Nicht gelöscht.");
      return CLI_ABGELEHNT;
    }
  }
  for (const TiaSatz& S : Saetze) Zeilen.push_back({S, TLoeschErgebnis::Offen});
  json Liste;
  std::vector<TQLX_clMeldung> Meldungen;
  bool Ok = true;
  try {
    // One request after another, as the engine takes them, so each one's
    // outcome is known even when the database fails on a later one.
    TQLX_InvAnfMani Mani;
    for (TLoeschZeile& Z : Zeilen) {
      if (Z.Ergebnis != TLoeschErgebnis::Offen) continue;
      std::vector<TQLX_clMeldung> Gesperrt;
      const bool Ganz = Mani.InventurenLoeschen({IAAnforderungSchluessel(Z.Satz)}, Gesperrt);
      if (!KWDInfo().Anstehend().empty()) {
        Ok = false;  // a failure the engine registered ends the deletion, as in the engine
        break;
      }
      Z.Ergebnis = Ganz ? TLoeschErgebnis::Geloescht : TLoeschErgebnis::Gesperrt;
      Meldungen.insert(Meldungen.end(), Gesperrt.begin(), Gesperrt.end());
    }
  } catch (...) {
    // The database failed (main names it): what is done and what is left.
    LoeschBerichtAusgeben(Zeilen, AOpt.Json, Liste);
    if (AOpt.Json)
      MeldungenAusgeben(false, Meldungen, true, KGesperrtLoeschen, Liste);
    else
      std::cout << "Das Löschen wurde abgebrochen; derselbe Befehl löscht später, was noch vorhanden ist.\n";
    throw;
  }
  LoeschBerichtAusgeben(Zeilen, AOpt.Json, Liste);
  MeldungenAusgeben(Ok && Meldungen.empty(), Meldungen, AOpt.Json, KGesperrtLoeschen, Liste);
  if (!Meldungen.empty()) return CLI_GESPERRT;
  return Ok ? CLI_OK : CLI_FEHLER;
}
