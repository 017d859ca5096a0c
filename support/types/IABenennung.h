#pragma once
// How a request is named where the user reads about it: in questions, in
// the main window's status line, on the count list.
#include <string>

#include "support/types/KWDDatum.h"

// "Warengruppe 12"; "alle Warengruppen" for a request without group ("" or "*").
std::string IAWarengruppeText(const std::string& AWG);
// "20.03.2026, Warengruppe 12, Filiale 3".
std::string IAAnforderungText(TDate AZaehldatum, const std::string& AWG, int AFilNr);
