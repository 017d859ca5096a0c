#pragma once
// The suite's date-time: days since 30.12.1899 as a double (fraction = time of day).
#include <string>

using TDateTime = double;
using TDate = double;

// 02.12.1973: the suite's "no date" value (e.g. a request not yet completed).
inline constexpr TDateTime KWD_KEIN_DATUM = 27000.0;

struct TDatumTeile {
  int Jahr = 1899;
  int Monat = 12;
  int Tag = 30;
};

// Throws std::invalid_argument for a date that does not exist (31.02., month 13 ...).
TDate EncodeDate(int AJahr, int AMonat, int ATag);
bool TryEncodeDate(int AJahr, int AMonat, int ATag, TDate& ADatum);
TDatumTeile DecodeDate(TDateTime ADatum);
int YearOf(TDateTime ADatum);
TDateTime EncodeTime(int AStunde, int AMinute, int ASekunde);
// Whole days of a date-time (drops the time of day, also for dates before 1899).
TDate DateOf(TDateTime ADatum);
// "dd.mm.yyyy"
std::string FormatDatum(TDateTime ADatum);
// Accepts "dd.mm.yyyy" and "yyyy-mm-dd"; false for anything else or an impossible date.
bool TryParseDatum(const std::string& AText, TDate& ADatum);
// "yyyy-mm-dd", for machine-readable output
std::string FormatDatumIso(TDateTime ADatum);
