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

struct TZeitTeile {
  int Stunde = 0;
  int Minute = 0;
  int Sekunde = 0;
  int Millisekunde = 0;
};

bool IsLeapYear(int AJahr);
// 28..31; 0 for a month outside 1..12.
int DaysInAMonth(int AJahr, int AMonat);
int MonthOf(TDateTime ADatum);
int DayOf(TDateTime ADatum);
// Keeps the time of day.
TDateTime IncDay(TDateTime ADatum, int ATage = 1);
// Same day ANumber months later; a day the target month lacks becomes its last
// day (31.01. + 1 month = 28.02. or 29.02.). Keeps the time of day.
TDateTime IncMonth(TDateTime ADatum, int AMonate = 1);
TDateTime IncYear(TDateTime ADatum, int AJahre = 1);
// 23:59:59.999 of the date's day.
TDateTime EndOfTheDay(TDateTime ADatum);
// Time of day of a date-time, rounded to the millisecond.
TZeitTeile DecodeTime(TDateTime ADatum);
// "dd.mm.yyyy hh:nn:ss"
std::string FormatDatumZeit(TDateTime ADatum);
// Time of day as the number hhmm (14:05 -> 1405), as the request file stores it.
int ZeitHHMM(TDateTime ADatum);
