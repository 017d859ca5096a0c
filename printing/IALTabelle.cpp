#include "printing/IALTabelle.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "engine/InvAnfLesen.h"
#include "engine/TIAWiJahre.h"
#include "printing/IALScancode.h"
#include "suite/TFilialTabelle.h"
#include "suite/TWGNMani.h"
#include "support/framework/KWDUhr.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

namespace {

using TArt = TKWDTabelle::TArt;

std::string Filialname(int32_t AFilNr) {
  TFilialTabelle* Filialen = GlobFilialTabelle_GetInstance();
  const TFiliale* F = Filialen->Filialen().GetFilialeByNr(AFilNr);
  std::string Name = F ? F->Name : std::string();
  GlobFilialTabelle_ReleaseInstance(Filialen);
  return Name;
}

double Cent(double ABetrag) {
  const double Gerundet = std::round(ABetrag * 100.0) / 100.0;
  return Gerundet == 0.0 ? 0.0 : Gerundet;
}

}  // namespace

double IADifferenz(double ASoll, double AIst) {
  const double D = AIst - ASoll;
  return (std::fabs(D) < 0.005 || std::fabs(AIst) < 0.005) ? 0.0 : D;
}

std::string IALAnforderungText(const TIALAnforderung& AAnf, const std::string& AFilialname) {
  std::string Text = "Filiale " + std::to_string(AAnf.FilNr);
  if (!AFilialname.empty()) Text += " \u2013 " + AFilialname;
  Text += ", Zähldatum " + FormatDatum(AAnf.Zaehldatum);
  if (AAnf.WG == "*")
    Text += ", alle Warengruppen";
  else if (!AAnf.WG.empty())
    Text += ", Warengruppe " + AAnf.WG;
  return Text;
}

TKWDTabelle IALTabelle(std::vector<TIALListe> AListen, const TIALTabellenKopf& AKopf) {
  TKWDTabelle T;
  T.Blatt = "Zählliste";
  T.Titel = "Inventuraufnahmeliste";
  T.Firma = AKopf.Mandant;
  T.Stichworte = "Inventur; Zählliste";
  T.Kommentar = AKopf.Layout;
  T.Kopfzeilen.push_back("Inventuraufnahmeliste" + (AKopf.Layout.empty() ? std::string() : " \u2013 " + AKopf.Layout));
  if (!AKopf.Mandant.empty()) T.Kopfzeilen.push_back(AKopf.Mandant);
  T.Kopfzeilen.push_back("Wirtschaftsjahr " + AKopf.WiJahrText);

  std::vector<TIALAnforderung> Anforderungen = AKopf.Anforderungen;
  if (Anforderungen.empty())
    for (const TIALListe& L : AListen) Anforderungen.push_back({L.Zaehldatum, L.FilNr, "", false});
  std::string Betreff, Unvollstaendig;
  for (const TIALAnforderung& A : Anforderungen) {
    auto Liste = std::find_if(AListen.begin(), AListen.end(),
                              [&](const TIALListe& L) { return L.Zaehldatum == A.Zaehldatum && L.FilNr == A.FilNr; });
    const std::string Text =
        IALAnforderungText(A, Liste != AListen.end() ? Liste->Filialname : Filialname(A.FilNr));
    T.Kopfzeilen.push_back(Text + (A.Unvollstaendig ? " \u2013 ACHTUNG: noch nicht vollständig angefordert, die Liste "
                                                      "zeigt nicht alle Artikel"
                                                    : std::string()));
    Betreff += (Betreff.empty() ? "" : "; ") + Text;
    if (A.Unvollstaendig) Unvollstaendig += (Unvollstaendig.empty() ? "" : "; ") + Text;
  }
  // The CSV has no title rows: its first line carries the mark.
  if (!Unvollstaendig.empty())
    T.Vermerk = "ACHTUNG: noch nicht vollständig angefordert, die Liste zeigt nicht alle Artikel: " + Unvollstaendig;
  T.Betreff = Betreff + (Betreff.empty() ? "" : "; ") + "Wirtschaftsjahr " + AKopf.WiJahrText;
  if (!AKopf.Soll) T.Kopfzeilen.push_back("Blindliste: ohne Sollmengen");

  // The texts under the names the printed list gives them; the code is
  // what a scanner reads from the size's cell of a scanner list.
  T.Spalten = {{"Filiale", TArt::Ganzzahl, 8},       {"Zähldatum", TArt::Datum, 11},
               {"Warengruppe", TArt::Text, 12},      {"Warengruppentext", TArt::Text, 20},
               {"Artikelnummer", TArt::Text, 16},    {"Bezeichnung", TArt::Text, 30},
               {"Material, Farbe", TArt::Text, 22},  {"Modell", TArt::Text, 16},
               {"Lieferant", TArt::Text, 24},        {"Größe", TArt::Ganzzahl, 7},
               {"Scancode", TArt::Text, 18}};
  if (AKopf.Soll) T.Spalten.push_back({"Soll", TArt::Ganzzahl, 8});
  T.Spalten.push_back({"Gezählt", TArt::Ganzzahl, 9});

  auto Listen = std::make_shared<const std::vector<TIALListe>>(std::move(AListen));
  T.ZeilenZaehlen = [Listen] {
    size_t N = 0;
    for (const TIALListe& L : *Listen)
      for (const TIALListenArtikel& A : L.Artikel)
        for (const TIALZeile& Z : A.Zeilen) N += Z.Bis >= Z.Von ? static_cast<size_t>(Z.Bis - Z.Von + 1) : 0;
    return N;
  };
  T.ZeilenGeben = [Listen, Soll = AKopf.Soll](const TKWDTabelle::TZeilenZiel& AZiel) {
    std::vector<TKWDTabelle::TZelle> Zeile;
    for (const TIALListe& L : *Listen)
      for (const TIALListenArtikel& A : L.Artikel)
        for (const TIALZeile& Z : A.Zeilen) {
          // The line's cells once; its sizes then change only size, code and quantity.
          Zeile.assign({static_cast<double>(L.FilNr), L.Zaehldatum, Z.WG, Z.WGText, Z.QArtNr,
                        A.Fehlt() ? "Artikel fehlt im Stamm (Produkt-ID " + Z.PId.ToString() + ")" : Z.Text1,
                        Z.Text2, Z.Text3, Z.Lieferant, 0.0, TKWDTabelle::TZelle{}});
          constexpr size_t KGroesse = 9, KCode = 10;
          const bool Code = IADruck::CodeTauglich(Z.QArtNr);
          if (Soll) Zeile.emplace_back(0.0);
          Zeile.emplace_back();  // "Gezählt": to be filled in
          for (int G = Z.Von; G <= Z.Bis; ++G) {
            Zeile[KGroesse] = static_cast<double>(G);
            if (Code) Zeile[KCode] = IADruck::GroessenCode(Z.QArtNr, G);
            if (Soll) Zeile[KCode + 1] = static_cast<double>(Z.MengeVon(G));
            AZiel(Zeile);
          }
        }
  };
  return T;
}

TKWDTabelle IAListeTabelle(TDate AWiJahr, const std::string& AMandant) {
  const std::vector<TiaSatz> Saetze = IAAnforderungenDesJahres(AWiJahr);

  const std::string Jahr = IAWiJahrBeschreiben(AWiJahr, 0).Text;
  TKWDTabelle T;
  T.Blatt = "Inventuren";
  T.Titel = "Inventuren des Wirtschaftsjahres " + Jahr;
  T.Betreff = "Wirtschaftsjahr " + Jahr;
  T.Firma = AMandant;
  T.Stichworte = "Inventur; Inventuranforderungen";
  T.Kopfzeilen.push_back(T.Titel);
  if (!AMandant.empty()) T.Kopfzeilen.push_back(AMandant);
  T.Kopfzeilen.push_back("Stand " + FormatDatum(kwd_Date()));
  // As the window marks it: a requested request's target is not yet wholly booked.
  T.Spalten = {{"Zähldatum", TArt::Datum, 11},   {"Warengruppe", TArt::Text, 12}, {"Warengruppentext", TArt::Text, 20},
               {"Filiale", TArt::Ganzzahl, 8},    {"Filialname", TArt::Text, 18},  {"Soll-EK", TArt::Betrag, 14},
               {"Soll-EK-Hinweis", TArt::Text, 14}, {"Ist-EK", TArt::Betrag, 14},  {"Differenz", TArt::Betrag, 14},
               {"Status", TArt::Text, 16}};

  TFilialTabelle* Filialen = GlobFilialTabelle_GetInstance();
  TWGNMani* WGN = GlobWGNMani_GetInstance();
  for (const TiaSatz& S : Saetze) {
    const TFiliale* F = Filialen->Filialen().GetFilialeByNr(S.FilNr);
    const TQLX_IA_KZZaehlung Zustand = Char_2_IA_KZZaehlung(S.KZZaehlung);
    T.Zeilen.push_back({S.Zaehldatum, S.WG.empty() ? std::string("*") : S.WG,
                        S.WG.empty() ? std::string("alle") : WGN->Get_GWNText(S.WG, S.WG),
                        static_cast<double>(S.FilNr), F ? F->Name : std::string(), Cent(S.EKSoll),
                        Zustand == TQLX_IA_KZZaehlung::iazAngefordert ? std::string("unvollständig") : std::string(),
                        Cent(S.EKIst), Cent(IADifferenz(S.EKSoll, S.EKIst)),
                        std::string(CQLX_IA_KZZaehlung_2_String(Zustand))});
  }
  GlobWGNMani_ReleaseInstance(WGN);
  GlobFilialTabelle_ReleaseInstance(Filialen);
  return T;
}

std::string IALAnforderungenParameter(const std::vector<TIALAnforderung>& AAnforderungen, bool ANurUnvollstaendige) {
  std::string Text;
  for (const TIALAnforderung& A : AAnforderungen) {
    if (ANurUnvollstaendige && !A.Unvollstaendig) continue;
    if (!Text.empty()) Text += ';';
    Text += FormatDatumIso(A.Zaehldatum) + "|" + std::to_string(A.FilNr) + "|" + A.WG;
  }
  return Text;
}

std::string IALUnvollstaendigParameter(const std::vector<TIALAnforderung>& AAnforderungen) {
  return IALAnforderungenParameter(AAnforderungen, true);
}

std::vector<TIALAnforderung> IALUnvollstaendigLesen(const std::string& AParameter) {
  return IALAnforderungenLesen(AParameter, true);
}

std::vector<TIALAnforderung> IALAnforderungenLesen(const std::string& AParameter, bool AUnvollstaendig) {
  std::vector<TIALAnforderung> Liste;
  size_t Anfang = 0;
  while (Anfang < AParameter.size()) {
    size_t Ende = AParameter.find(';', Anfang);
    if (Ende == std::string::npos) Ende = AParameter.size();
    const std::string Eintrag = AParameter.substr(Anfang, Ende - Anfang);
    Anfang = Ende + 1;
    const size_t S1 = Eintrag.find('|');
    const size_t S2 = S1 == std::string::npos ? S1 : Eintrag.find('|', S1 + 1);
    TDate Datum = 0;
    if (S2 == std::string::npos || !TryParseDatum(Eintrag.substr(0, S1), Datum)) continue;
    TIALAnforderung A;
    A.Zaehldatum = Datum;
    A.FilNr = std::atoi(Eintrag.substr(S1 + 1, S2 - S1 - 1).c_str());
    A.WG = Eintrag.substr(S2 + 1);
    A.Unvollstaendig = AUnvollstaendig;
    Liste.push_back(A);
  }
  return Liste;
}
