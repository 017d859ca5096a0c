#include "support/types/KWDDatum.h"

#include <chrono>
#include <cmath>
#include <cstdio>
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
