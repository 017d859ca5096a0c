#include "tools/common/CliJson.h"
#include "tools/invanf-cli/CliKommandos.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "engine/InvAnfLesen.h"
#include "engine/TIANeuPruefung.h"
#include "engine/TIAWiJahre.h"
#include "engine/TQLX_InvAnfMani.h"
#include "suite/TFilialTabelle.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/framework/KWDUhr.h"
#include "support/framework/TKWDInfo.h"
#include "support/types/KWDZahlFormat.h"
#include "support/types/IABenennung.h"
#include "support/types/TQLX_IA_KZZaehlung.h"
#include "tools/invanf-cli/CliPruefen.h"

namespace {

using json = nlohmann::ordered_json;

// Errors the engine registered during the command: the result is not to be trusted.
bool FehlerAnstehend() { return !KWDInfo().Anstehend().empty(); }

// Actual minus target; 0 when it or the actual value is below half a cent.
double Differenz(double ASoll, double AIst) {
  const double D = AIst - ASoll;
  return (std::fabs(D) < 0.005 || std::fabs(AIst) < 0.005) ? 0.0 : D;
}

// An amount as the user reads it: in cents (and never "-0").
double Cent(double ABetrag) {
  const double Gerundet = std::round(ABetrag * 100.0) / 100.0;
  return Gerundet == 0.0 ? 0.0 : Gerundet;
}

json AnforderungJson(const TiaSatz& AS) {
  const char KZ = AS.KZZaehlung;
  return json{{"zaehldatum", FormatDatumIso(AS.Zaehldatum)},
              {"wg", AS.WG},
              {"filiale", AS.FilNr},
              {"soll_ek", Cent(AS.EKSoll)},
              {"ist_ek", Cent(AS.EKIst)},
              {"differenz", Cent(Differenz(AS.EKSoll, AS.EKIst))},
              {"status_kz", std::string(1, KZ)},
              {"status", CQLX_IA_KZZaehlung_2_String(Char_2_IA_KZZaehlung(KZ))}};
}

// Padded to ABreite characters as the terminal shows them (printf's widths
// count bytes: every umlaut would shift the columns after it).
std::string Links(const std::string& AText, size_t ABreite) {
  const size_t Zeichen = static_cast<size_t>(
      std::count_if(AText.begin(), AText.end(), [](unsigned char Z) { return (Z & 0xC0) != 0x80; }));
  return Zeichen >= ABreite ? AText : AText + std::string(ABreite - Zeichen, ' ');
}

void AnforderungenDrucken(const std::vector<TiaSatz>& ASaetze) {
  std::printf("%s  %s  %7s  %12s  %12s  %12s  %s\n", Links("Zähldatum", 10).c_str(), Links("WG", 9).c_str(), "Filiale",
              "Soll-EK", "Ist-EK", "Differenz", "Status");
  std::string Letztes;
  for (const TiaSatz& S : ASaetze) {
    // As in the main window: the date only on the first row of each date.
    const std::string Datum = FormatDatum(S.Zaehldatum);
    std::printf("%s  %s  %7d  %12s  %12s  %12s  %s\n", Links(Datum == Letztes ? "" : Datum, 10).c_str(),
                Links(S.WG.empty() ? "*" : S.WG, 9).c_str(), S.FilNr, KWDFormatN("%12.2n", S.EKSoll).c_str(),
                KWDFormatN("%12.2n", S.EKIst).c_str(), KWDFormatN("%12.2n", Differenz(S.EKSoll, S.EKIst)).c_str(),
                CQLX_IA_KZZaehlung_2_String(Char_2_IA_KZZaehlung(S.KZZaehlung)));
    Letztes = Datum;
  }
}

}  // namespace

int CliJahre(const TCliOptionen& AOpt) {
  const std::vector<TIAWiJahr> Angebot = IAWiJahreDerFirma(kwd_Date());
  int Auswahl = -1;
  for (size_t I = 0; I < Angebot.size(); ++I)
    if (Angebot[I].EnthaeltHeute) Auswahl = static_cast<int>(I);
  if (AOpt.Json) {
    json Liste = json::array();
    for (size_t I = 0; I < Angebot.size(); ++I)
      Liste.push_back({{"beginn", FormatDatumIso(Angebot[I].Beginn)},
                       {"ende", FormatDatumIso(Angebot[I].Ende)},
                       {"text", Angebot[I].Text},
                       {"vorausgewaehlt", static_cast<int>(I) == Auswahl}});
    std::cout << CliJsonText(Liste) << "\n";
  } else {
    for (size_t I = 0; I < Angebot.size(); ++I)
      std::cout << (static_cast<int>(I) == Auswahl ? "* " : "  ") << Angebot[I].Text << "\n";
  }
  return FehlerAnstehend() ? CLI_FEHLER : CLI_OK;
}

int CliListe(const TCliOptionen& AOpt) {
  TDate Jahr = 0;
  if (!WiJahrLesen(AOpt.Jahr, Jahr)) return FehlerAnstehend() ? CLI_FEHLER : CLI_ABGELEHNT;
  const std::vector<TiaSatz> Saetze = IAAnforderungenDesJahres(Jahr);
  if (AOpt.Json) {
    json Liste = json::array();
    for (const TiaSatz& S : Saetze) Liste.push_back(AnforderungJson(S));
    std::cout << CliJsonText(Liste) << "\n";
  } else {
    std::cout << "Inventuren für das Wirtschaftsjahr: " << IAWiJahrBeschreiben(Jahr, kwd_Date()).Text << "\n";
    AnforderungenDrucken(Saetze);
  }
  return CLI_OK;
}

int CliAnlegen(const TCliOptionen& AOpt) {
  if (!CliSchreibbar()) return CLI_ABGELEHNT;
  TDate Jahr = 0;
  TDate Datum = 0;
  if (!WiJahrLesen(AOpt.Jahr, Jahr) || !DatumLesen(AOpt.Datum, "Das Zähldatum", Datum))
    return FehlerAnstehend() ? CLI_FEHLER : CLI_ABGELEHNT;
  std::vector<int16_t> Filialen;
  for (const std::string& Nr : AOpt.Filialen) {
    int16_t Fil = 0;
    if (!FilialeLesen(Nr, Fil)) return CLI_ABGELEHNT;
    // A branch named twice is one branch (as one tick in the dialog), not a refused second request.
    if (std::find(Filialen.begin(), Filialen.end(), Fil) == Filialen.end()) Filialen.push_back(Fil);
  }
  const TDate LastDay = TIANeuPruefung::WiJahrLastDay(Jahr);
  // As the main window does before it opens the dialog.
  if (kwd_Date() > LastDay && KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1010) != KWD_MR_YES)
    return CLI_ABGELEHNT;

  TIANeuEingabe Eingabe;
  Eingabe.Datum = Datum;
  Eingabe.WG = AOpt.WG;
  Eingabe.WiJahr = Jahr;
  Eingabe.WiJahrLastDay = LastDay;
  for (int16_t Fil : Filialen) Eingabe.FilialZeilen.push_back(std::to_string(Fil));
  TFilialTabelle* Tabelle = GlobFilialTabelle_GetInstance();
  TIANeuFokus Fokus = TIANeuFokus::Keiner;
  const bool Angenommen = TIANeuPruefung::TestData(Eingabe, Tabelle->Filialen(), nullptr, Fokus);
  GlobFilialTabelle_ReleaseInstance(Tabelle);
  if (!Angenommen) return FehlerAnstehend() ? CLI_FEHLER : CLI_ABGELEHNT;

  std::vector<TiaSatz> Angelegt;
  int Abgelehnt = 0;
  bool Fehler = false;
  {
    TQLX_InvAnfMani Mani;
    for (int16_t Fil : Filialen)
      for (const std::string& WG : TIANeuPruefung::Warengruppen(AOpt.WG)) {
        if (Mani.InventurAnlegen(Datum, Jahr, WG, Fil)) {
          TiaSatz S;
          S.Zaehldatum = Datum;
          S.WG = TIANeuPruefung::WGOhneEndBlanks(WG);  // as stored
          S.FilNr = Fil;
          S.WiJahr = Jahr;
          S.Abschlussdatum = KWD_KEIN_DATUM;
          S.KZZaehlung = CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung::iazAngefordert);
          Angelegt.push_back(S);
        } else {
          KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "INVANF", 1005,
                                {IAWarengruppeText(TIANeuPruefung::WGOhneEndBlanks(WG)), std::to_string(Fil),
                                 FormatDatum(Datum)});
          ++Abgelehnt;
        }
      }
    Fehler = FehlerAnstehend();
  }
  if (AOpt.Json) {
    json Liste = json::array();
    for (const TiaSatz& S : Angelegt) Liste.push_back(AnforderungJson(S));
    std::cout << CliJsonText(Liste) << "\n";
  } else {
    std::cout << Angelegt.size() << " Inventuranforderung(en) angelegt, " << Abgelehnt << " abgelehnt.\n";
    if (!Angelegt.empty()) AnforderungenDrucken(Angelegt);
  }
  if (Fehler) return CLI_FEHLER;
  return Abgelehnt > 0 ? CLI_ABGELEHNT : CLI_OK;
}

int CliZaehlen(const TCliOptionen& AOpt) {
  TDate Jahr = 0;
  TDate Datum = 0;
  std::string WG;
  int16_t Filiale = 0;
  if (AOpt.Filialen.size() != 1) {
    CliAbgelehnt("Zum Zählen bitte genau eine Filiale angeben.");
    return CLI_ABGELEHNT;
  }
  if (!WiJahrLesen(AOpt.Jahr, Jahr) || !DatumLesen(AOpt.Datum, "Das Zähldatum", Datum) ||
      !WarengruppeLesen(AOpt.WG, WG) || !FilialeLesen(AOpt.Filialen.front(), Filiale))
    return FehlerAnstehend() ? CLI_FEHLER : CLI_ABGELEHNT;
  TiaSatz Satz;
  if (!AnforderungFinden(Jahr, Datum, WG, Filiale, Satz)) return FehlerAnstehend() ? CLI_FEHLER : CLI_ABGELEHNT;
  const auto Zustand = Char_2_IA_KZZaehlung(Satz.KZZaehlung);
  const std::string Name = AnforderungText(Datum, WG, Filiale);
  if (Zustand != TQLX_IA_KZZaehlung::iazAngefordert) {
    CliAbgelehnt("Die Inventur " + Name + " ist nicht angefordert, sondern \u201E" +
                 CQLX_IA_KZZaehlung_2_String(Zustand) + "\u201C; gezählt werden nur angeforderte Inventuren.");
    return CLI_ABGELEHNT;
  }
  TVglInvAnf_Inv Anf;
  Anf.FilNr = Filiale;
  Anf.WG = Satz.WG;
  Anf.WiJahr = YearOf(Jahr);
  Anf.Zaehldatum = Satz.Zaehldatum;
  Anf.KZZaehlung = static_cast<uint8_t>(Zustand);
  int Total = -1;  // stays when the request is no longer in the requested state
  int Da = -1;
  bool Fehler = false;
  {
    TQLX_InvAnfMani Mani;
    Mani.InventurAnforderungArtZaehlen(Anf, Total, Da);
    Fehler = FehlerAnstehend();
  }
  if (Fehler) return CLI_FEHLER;
  if (Total < 0) {
    CliAbgelehnt("Die Inventur " + Name + " ist inzwischen nicht mehr angefordert (ein anderes Programm hat sie geändert).");
    return CLI_ABGELEHNT;
  }
  if (AOpt.Json)
    std::cout << CliJsonText(json{{"total", Total}, {"da", Da}}, -1) << "\n";
  else
    std::cout << "Artikel gesamt: " << Total << ", davon mit Sollbestand: " << Da << "\n";
  return CLI_OK;
}
