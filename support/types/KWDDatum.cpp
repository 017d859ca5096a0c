#include "support/types/KWDDatum.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <algorithm>
#include <stdexcept>

namespace {
using namespace std::chrono;
// 30.12.1899 is day 0 of the suite's calendar.
constexpr sys_days kBasis = sys_days{year{1899} / December / 30};

bool ParseInts(const std::string& AText, const char* AFormat, int& A, int& B, int& C) {
  int Verbraucht = 0;
  if (std::sscanf(AText.c_str(), AFormat, &A, &B, &C, &Verbraucht) != 3) return false;
  return Verbraucht == static_cast<int>(AText.size());
}
}  // namespace

bool TryEncodeDate(int AJahr, int AMonat, int ATag, TDate& ADatum) {
  if (AJahr < 1 || AJahr > 9999 || AMonat < 1 || AMonat > 12 || ATag < 1 || ATag > 31) return false;
  year_month_day Ymd{year{AJahr}, month{static_cast<unsigned>(AMonat)}, day{static_cast<unsigned>(ATag)}};
  if (!Ymd.ok()) return false;
  ADatum = static_cast<double>((sys_days{Ymd} - kBasis).count());
  return true;
}

TDate EncodeDate(int AJahr, int AMonat, int ATag) {
  TDate Datum = 0;
  if (!TryEncodeDate(AJahr, AMonat, ATag, Datum))
    throw std::invalid_argument("Ungültiges Datum: " + std::to_string(ATag) + "." + std::to_string(AMonat) + "." +
                                std::to_string(AJahr));
  return Datum;
}

TDate DateOf(TDateTime ADatum) { return std::floor(ADatum); }

TDatumTeile DecodeDate(TDateTime ADatum) {
  year_month_day Ymd{kBasis + days{static_cast<long>(std::floor(ADatum))}};
  return {static_cast<int>(Ymd.year()), static_cast<int>(static_cast<unsigned>(Ymd.month())),
          static_cast<int>(static_cast<unsigned>(Ymd.day()))};
}

int YearOf(TDateTime ADatum) { return DecodeDate(ADatum).Jahr; }

TDateTime EncodeTime(int AStunde, int AMinute, int ASekunde) {
  return (AStunde * 3600.0 + AMinute * 60.0 + ASekunde) / 86400.0;
}

std::string FormatDatum(TDateTime ADatum) {
  TDatumTeile T = DecodeDate(ADatum);
  char Puffer[32];
  std::snprintf(Puffer, sizeof Puffer, "%02d.%02d.%04d", T.Tag, T.Monat, T.Jahr);
  return Puffer;
}

std::string FormatDatumIso(TDateTime ADatum) {
  TDatumTeile T = DecodeDate(ADatum);
  char Puffer[32];
  std::snprintf(Puffer, sizeof Puffer, "%04d-%02d-%02d", T.Jahr, T.Monat, T.Tag);
  return Puffer;
}

bool TryParseDatum(const std::string& AText, TDate& ADatum) {
  int A = 0, B = 0, C = 0;
  if (ParseInts(AText, "%2d.%2d.%4d%n", A, B, C)) return TryEncodeDate(C, B, A, ADatum);
  if (ParseInts(AText, "%4d-%2d-%2d%n", A, B, C)) return TryEncodeDate(A, B, C, ADatum);
  return false;
}

bool IsLeapYear(int AJahr) { return year{AJahr}.is_leap(); }

int DaysInAMonth(int AJahr, int AMonat) {
  if (AMonat < 1 || AMonat > 12) return 0;
  const year_month_day_last Letzter{year{AJahr} / month{static_cast<unsigned>(AMonat)} / last};
  return static_cast<int>(static_cast<unsigned>(Letzter.day()));
}

int MonthOf(TDateTime ADatum) { return DecodeDate(ADatum).Monat; }
int DayOf(TDateTime ADatum) { return DecodeDate(ADatum).Tag; }

TDateTime IncDay(TDateTime ADatum, int ATage) { return ADatum + ATage; }

namespace {
// Time of day as a non-negative fraction, also for dates before 1899.
double Tageszeit(TDateTime ADatum) { return ADatum - std::floor(ADatum); }
}  // namespace

TDateTime IncMonth(TDateTime ADatum, int AMonate) {
  const TDatumTeile T = DecodeDate(ADatum);
  // Month arithmetic on a zero-based month count so negative steps work too.
  const long Gesamt = static_cast<long>(T.Jahr) * 12 + (T.Monat - 1) + AMonate;
  const int Jahr = static_cast<int>(Gesamt >= 0 ? Gesamt / 12 : (Gesamt - 11) / 12);
  const int Monat = static_cast<int>(Gesamt - static_cast<long>(Jahr) * 12) + 1;
  const int Tag = std::min(T.Tag, DaysInAMonth(Jahr, Monat));
  return EncodeDate(Jahr, Monat, Tag) + Tageszeit(ADatum);
}

TDateTime IncYear(TDateTime ADatum, int AJahre) { return IncMonth(ADatum, 12 * AJahre); }

TDateTime EndOfTheDay(TDateTime ADatum) { return DateOf(ADatum) + (86400000.0 - 1.0) / 86400000.0; }

TZeitTeile DecodeTime(TDateTime ADatum) {
  long long Ms = std::llround(Tageszeit(ADatum) * 86400000.0);
  if (Ms >= 86400000) Ms = 86400000 - 1;  // a fraction a hair below 1 stays on its day
  return {static_cast<int>(Ms / 3600000), static_cast<int>(Ms / 60000 % 60), static_cast<int>(Ms / 1000 % 60),
          static_cast<int>(Ms % 1000)};
}

std::string FormatDatumZeit(TDateTime ADatum) {
  const TZeitTeile Z = DecodeTime(ADatum);
  char Puffer[16];
  std::snprintf(Puffer, sizeof Puffer, " %02d:%02d:%02d", Z.Stunde, Z.Minute, Z.Sekunde);
  return FormatDatum(ADatum) + Puffer;
}

int ZeitHHMM(TDateTime ADatum) {
  const TZeitTeile Z = DecodeTime(ADatum);
  return Z.Stunde * 100 + Z.Minute;
}
