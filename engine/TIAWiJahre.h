#pragma once
// The fiscal years offered for choice: the known ones, completed up to today,
// and which of them contains today. Shared by the start dialog and invanf-cli.
#include <string>
#include <vector>

#include "support/types/KWDDatum.h"

struct TIAWiJahr {
  TDate Beginn = 0;   // first day
  TDate Ende = 0;     // last day
  std::string Text;   // "dd.mm.yyyy - dd.mm.yyyy"
  bool EnthaeltHeute = false;
};

// Completes AWiJahre (first days, latest last): after the last known year,
// every following year that starts before today; with none known, the
// current year (from AStartMonat), preceded by the previous one during the
// first two months of the current one.
void IAWiJahreFuellen(std::vector<TDate>& AWiJahre, int AStartMonat, TDate AHeute);

// The year starting on ABeginn, with its text and whether it contains AHeute.
TIAWiJahr IAWiJahrBeschreiben(TDate ABeginn, TDate AHeute);

// The years to offer, in order; the preselected one is the last that contains today.
std::vector<TIAWiJahr> IAWiJahreAngebot(const std::vector<TDate>& ABekannt, int AStartMonat, TDate AHeute);

// The years the program offers the company on AHeute, built as the start
// dialog builds them: the known years of the stock-take data
// (TInvMani::Inv_get_WiJahrArray) completed with the parameter "STARTMON".
// A fiscal year exists for the program only when it is one of these. After a
// registered error ("IAWiJahreDerFirma"), what was built so far.
std::vector<TIAWiJahr> IAWiJahreDerFirma(TDate AHeute);
// True when AWiJahr is the first day of a year IAWiJahreDerFirma offers.
bool IAWiJahrAngeboten(TDate AWiJahr, TDate AHeute);
