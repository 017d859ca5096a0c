#pragma once
// The requests as every reader outside the engine's own passes gets them:
// the fiscal year's requests in the main window's order, and one request by
// its key. Whether a request "stands" in a fiscal year has one answer,
// IAImWiJahr, also where the engine re-reads a request under lock.
#include <optional>
#include <string>
#include <vector>

#include "support/recordfile/Tiafile.h"
#include "support/types/TVglInvAnf_Inv.h"

// The requests stored under the fiscal year that begins on AWiJahr, by
// counting date, within a date by branch, else in key order (counting date,
// group, branch): the order of the main window's list, of invanf-cli list
// and of the exported request list.
std::vector<TiaSatz> IAAnforderungenDesJahres(TDate AWiJahr);

// True when a request stored with the fiscal-year date AGespeichert belongs
// to the fiscal year AWiJahr (the calendar year of its first day). A fiscal
// year is named by that calendar year, as the request key and the suite's
// deletion service name it; so a request found under its key stands in the
// year when its stored date lies in that calendar year.
bool IAImWiJahr(TDateTime AGespeichert, int32_t AWiJahr);

// The request stored under counting date, group and branch, in any fiscal
// year; none when there is none.
std::optional<TiaSatz> IAAnforderungLesen(TDate AZaehldatum, const std::string& AWG, int AFilNr);
// The request AAnf names when it stands in AAnf.WiJahr. Its state is the
// caller's question (AAnf.KZZaehlung is not compared).
std::optional<TiaSatz> IAAnforderungLesen(const TVglInvAnf_Inv& AAnf);
// The same on AIA (a file the caller keeps; its key and filters are reset).
std::optional<TiaSatz> IAAnforderungLesen(Tiafile& AIA, const TVglInvAnf_Inv& AAnf);

// The request key the engine takes for a stored request.
TVglInvAnf_Inv IAAnforderungSchluessel(const TiaSatz& ASatz);
// The key of the request in the fiscal year beginning on AWiJahr (state not set).
TVglInvAnf_Inv IAAnforderungSchluessel(TDate AWiJahr, TDate AZaehldatum, const std::string& AWG, int AFilNr);
