#pragma once
// How a request is named where the user reads about it: in questions, in
// the main window's status line, on the count list.
#include <string>
#include <vector>

#include "support/types/KWDDatum.h"

// "Warengruppe 12"; "alle Warengruppen" for a request without group ("" or "*").
std::string IAWarengruppeText(const std::string& AWG);
// "20.03.2026, Warengruppe 12, Filiale 3".
std::string IAAnforderungText(TDate AZaehldatum, const std::string& AWG, int AFilNr);
// The log's name of a request: "Inventur vom 20.03.2026, Warengruppe "12", Filiale 3"
// (the group as stored, quoted, so an empty one shows).
std::string IALogAnforderung(TDate AZaehldatum, const std::string& AWG, int AFilNr);

// File names the program suggests, without ending, readable and without
// blanks, umlauts or characters a file system or a mail program trips on.
// One request: "Zaehlliste_2026-03-20_WG3_Filiale1" ("alle-WG" for all groups).
std::string IAZaehllisteDateiName(TDate AZaehldatum, const std::string& AWG, int AFilNr);
// Several requests, by their counting dates: "Zaehllisten_2026-03-20_4_Inventuren",
// "Zaehllisten_2026-03-20_bis_2026-04-02_4_Inventuren"; one date: as above.
std::string IAZaehllistenDateiName(const std::vector<TDate>& AZaehldaten);
// The requests of a fiscal year: "Inventuren_2026"; a year that does not
// begin on 1 January: "Inventuren_2026-2027".
std::string IAInventurenDateiName(TDate AWiJahr);
