// invanf-cli complete / delete: the requests named on the command line go to
// the engine; articles other programs kept locked come back as a table or
// as JSON, and exit code 3 says to release them and run again.
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "engine/TQLX_InvAnfMani.h"
#include "support/framework/TKWDInfo.h"
#include "support/recordfile/Tiafile.h"
#include "support/types/TQLX_IA_KZZaehlung.h"
#include "tools/invanf-cli/CliKommandos.h"

namespace {

using json = nlohmann::ordered_json;

TVglInvAnf_Inv Anforderung(TDate AJahr, TDate ADatum, const std::string& AWG, int AFiliale) {
  TVglInvAnf_Inv A;
  A.FilNr = static_cast<int16_t>(AFiliale);
  A.WG = AWG;
  A.WiJahr = YearOf(AJahr);
  A.Zaehldatum = ADatum;
  A.KZZaehlung = static_cast<uint8_t>(TQLX_IA_KZZaehlung::iazAngefordert);
  return A;
}

}  // namespace

// The requests the options name; false (message on stderr) when they do not fit.
bool AnforderungenLesen(const TCliOptionen& AOpt, bool AAlleErlaubt, std::vector<TVglInvAnf_Inv>& AAnf) {
  TDate Jahr = 0;
  if (!DatumLesen(AOpt.Jahr, "Das Wirtschaftsjahr", Jahr)) return false;
  if (AOpt.AlleAngeforderten) {
    if (!AAlleErlaubt || !AOpt.Daten.empty()) {
      std::cerr << "invanf-cli: --all-requested gibt es nur beim Vervollständigen und nicht zusammen mit --date.\n";
      return false;
    }
    Tiafile IA(RF_OPEN_NORMAL, -1);
    IA.WiJahr.SetFilterMinMax(Jahr);
    IA.SelectKey(Tiafile::KEY_ANFORDERUNG);
    const char Angefordert = CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung::iazAngefordert);
    for (bool G = IA.Get_first(); G; G = IA.Get_next())
      if (IA.KZZaehlung.GetWert() == Angefordert)
        AAnf.push_back(Anforderung(Jahr, IA.Zaehldatum.GetWert(), IA.WG.GetWert(), IA.FilNr.GetWert()));
    return true;
  }
  const size_t N = AOpt.Daten.size();
  if (N == 0 || AOpt.Filialen.size() != N || (AOpt.WGs.size() > 1 && AOpt.WGs.size() != N)) {
    std::cerr << "invanf-cli: Jede Inventur braucht ein --date und eine --branch (--wg einmal für alle oder je "
                 "Inventur einmal).\n";
    return false;
  }
  for (size_t I = 0; I < N; ++I) {
    TDate Datum = 0;
    if (!DatumLesen(AOpt.Daten[I], "Das Zähldatum", Datum)) return false;
    const std::string WG = AOpt.WGs.empty() ? "" : AOpt.WGs.size() == 1 ? AOpt.WGs[0] : AOpt.WGs[I];
    AAnf.push_back(Anforderung(Jahr, Datum, WG, AOpt.Filialen[I]));
  }
  // A request that does not exist is named back, not reported as done.
  Tiafile IA(RF_OPEN_NORMAL, -1);
  IA.SelectKey(Tiafile::KEY_ANFORDERUNG);
  for (const TVglInvAnf_Inv& A : AAnf) {
    IA.Key_Zaehldatum.SetKeyWert(A.Zaehldatum);
    IA.Key_WG.SetKeyWert(A.WG);
    IA.Key_FilNr.SetKeyWert(A.FilNr);
    if (!IA.Get_equal()) {
      std::cerr << "invanf-cli: Eine Inventur vom " << FormatDatum(A.Zaehldatum) << " für Warengruppe \"" << A.WG
                << "\" und Filiale " << A.FilNr << " gibt es nicht.\n";
      return false;
    }
  }
  return true;
}

namespace {

void MeldungenAusgeben(bool AOk, const std::vector<TQLX_clMeldung>& AMeldungen, bool AJson, const char* AText) {
  if (AJson) {
    json Liste = json::array();
    for (const TQLX_clMeldung& M : AMeldungen)
      Liste.push_back({{"artikel", M.Artikel},
                       {"gesperrt_seit", FormatDatumZeit(M.GesperrtSeit)},
                       {"programm", M.Programm},
                       {"terminal", M.Terminal},
                       {"terminal_nr", M.TerminalNr},
                       {"prozess_id", M.ProzessId}});
    std::cout << json{{"ok", AOk}, {"meldungen", Liste}}.dump(2) << "\n";
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

template <class F>
int Ausfuehren(const TCliOptionen& AOpt, bool AAlleErlaubt, const char* AText, F AOperation) {
  std::vector<TVglInvAnf_Inv> Anf;
  if (!AnforderungenLesen(AOpt, AAlleErlaubt, Anf)) return CLI_ABGELEHNT;
  std::vector<TQLX_clMeldung> Meldungen;
  bool Ok = false;
  {
    TQLX_InvAnfMani Mani;
    Ok = AOperation(Mani, Anf, Meldungen);
    // Errors surface when the engine ends; they are in the registry until then.
    Ok = Ok && KWDInfo().Anstehend().empty();
  }
  MeldungenAusgeben(Ok, Meldungen, AOpt.Json, AText);
  if (!Meldungen.empty()) return CLI_GESPERRT;
  return Ok ? CLI_OK : CLI_FEHLER;
}

}  // namespace

int CliVervollstaendigen(const TCliOptionen& AOpt) {
  return Ausfuehren(AOpt, true,
                    "Es konnten nicht alle Inventuren vollständig angefordert werden, da folgende Artikel gesperrt "
                    "waren. Bitte geben Sie diese Artikel frei. Im Anschluss kann eine neue Vervollständigung "
                    "gestartet werden.",
                    [](TQLX_InvAnfMani& AMani, const std::vector<TVglInvAnf_Inv>& AAnf, std::vector<TQLX_clMeldung>& AM) {
                      return AMani.InventurAnforderungVervollstaendigen(AAnf, AM);
                    });
}

int CliLoeschen(const TCliOptionen& AOpt) {
  return Ausfuehren(AOpt, false,
                    "Es konnten nicht alle Inventuren vollständig gelöscht werden, da folgende Artikel gesperrt "
                    "waren. Bitte geben Sie diese Artikel frei. Im Anschluss kann das Löschen erneut gestartet werden.",
                    [](TQLX_InvAnfMani& AMani, const std::vector<TVglInvAnf_Inv>& AAnf, std::vector<TQLX_clMeldung>& AM) {
                      return AMani.InventurenLoeschen(AAnf, AM);
                    });
}
