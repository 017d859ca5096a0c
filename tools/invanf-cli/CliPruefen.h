#pragma once
// What invanf-cli checks before it touches anything: the company may be
// written, a date exists, a fiscal year is one the program offers, a branch
// is one of the company's, a product group has no control characters, and a
// named request exists under exactly the given fiscal year. Each function
// returns false after writing one German line to stderr (exit code 2).
#include <cstdint>
#include <string>

#include "engine/InvAnfLesen.h"
#include "support/types/KWDDatum.h"

// Writes one German line to stderr; false, so a check can return it.
bool CliAbgelehnt(const std::string& AText);

// False when the company may only be read.
bool CliSchreibbar();

// The user's rights as the window checks them: to run the module (112, 119,
// 120), and with AAendern to create or delete requests (112, 119, 121).
// False after the refusal naming the missing rights.
bool CliRechtePruefen(bool AAendern);

// A date of the calendar the suite computes with (01.01.1900 to 31.12.9998:
// a fiscal year and the two months after it must fit behind every date).
bool DatumLesen(const std::string& AText, const char* AWas, TDate& ADatum);

// The first day of one of the fiscal years `invanf-cli years` lists.
bool WiJahrLesen(const std::string& AText, TDate& AWiJahr);

// A whole decimal number within the 16-bit key range, blanks around it
// allowed; needs no company, so the command line is checked before it opens.
bool FilialnummerLesen(const std::string& AText, int16_t& ANr);
// A branch of the company's branch table, given as a whole decimal number
// within the 16-bit key range; refusals name the text as typed.
bool FilialeLesen(const std::string& AText, int16_t& AFiliale);

// A product group to look up: no control characters; blanks at its end
// are no part of it.
bool WarengruppeLesen(const std::string& AText, std::string& AWG);

// The request of counting date, group and branch stored under the fiscal
// year AWiJahr; any other is "not found" (said on stderr with AMelden).
bool AnforderungFinden(TDate AWiJahr, TDate ADatum, const std::string& AWG, int16_t AFiliale, TiaSatz& ASatz,
                       bool AMelden = true);

// "vom 01.04.2026, Warengruppe „12“, Filiale 2" (a request as the messages name it).
std::string AnforderungText(TDate ADatum, const std::string& AWG, int AFiliale);
