#pragma once
// The count list and the request list as spreadsheet tables (see
// support/tabelle/KWDTabelle.h for the files they become).
#include <string>
#include <vector>

#include "printing/IALListen.h"
#include "support/tabelle/KWDTabelle.h"

// A printed request, as the title rows name it.
struct TIALAnforderung {
  TDateTime Zaehldatum = 0;
  int32_t FilNr = 0;
  std::string WG;               // "*": all groups; empty: not known (not named)
  bool Unvollstaendig = false;  // still requested: its target stock is not completely booked
};

struct TIALTabellenKopf {
  std::string Mandant;
  std::string WiJahrText;  // "01.01.2026 - 31.12.2026"
  std::string Layout;      // the layout's title
  bool Soll = true;        // false: a blind list, no target column
  // The printed requests; empty: the lists' branches and dates.
  std::vector<TIALAnforderung> Anforderungen;
};

// One row per article and size of the lists (as IALListenAuswaehlen left
// them): branch, counting date, product group, article number, texts,
// supplier, size, target quantity (not in a blind list) and an empty column
// "Gezählt" to be filled in. The table keeps the lists and makes its rows
// as they are written.
TKWDTabelle IALTabelle(std::vector<TIALListe> AListen, const TIALTabellenKopf& AKopf);

// The requests of the fiscal year AWiJahr as the main window lists them
// (by counting date, then branch): counting date, product group, branch,
// target and actual value at purchase prices, difference, state.
TKWDTabelle IAListeTabelle(TDate AWiJahr, const std::string& AMandant);

// A request's difference as the main window shows it: actual minus target,
// 0 when it or the actual value is below half a cent (nothing counted yet).
double IADifferenz(double ASoll, double AIst);

// "Filiale 3 – Kiel, Zähldatum 20.03.2026, Warengruppe 12".
std::string IALAnforderungText(const TIALAnforderung& AAnf, const std::string& AFilialname);

// The printed requests that are still requested, as the count-list report
// gets them (parameter "Param_Unvollstaendig": "2026-03-20|3|12;..."), and back.
std::string IALUnvollstaendigParameter(const std::vector<TIALAnforderung>& AAnforderungen);
std::vector<TIALAnforderung> IALUnvollstaendigLesen(const std::string& AParameter);
// Every printed request in the same form ("Param_Anforderungen": the page
// headers name the request), or only the still-requested ones; read back
// with AUnvollstaendig as their mark.
std::string IALAnforderungenParameter(const std::vector<TIALAnforderung>& AAnforderungen, bool ANurUnvollstaendige);
std::vector<TIALAnforderung> IALAnforderungenLesen(const std::string& AParameter, bool AUnvollstaendig);
