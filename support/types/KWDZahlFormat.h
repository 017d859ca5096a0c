#pragma once
// German number formatting as the suite's "%W.Dn" format: '.' groups
// thousands, ',' marks decimals, right-aligned in W characters (a longer
// number is never cut). Exact halves round away from zero; a value that rounds
// to zero shows no minus sign. NaN and infinities show as "NAN", "INF", "-INF".
#include <string>

// "1.234.567,89" for (1234567.891, 2).
std::string FormatZahlDe(double AWert, int ADezimalen);
// AFormat is "%[-][W][.D]n" ('-' aligns left; D defaults to 2), e.g. "%12.2n".
// Throws std::invalid_argument for any other format.
std::string KWDFormatN(const std::string& AFormat, double AWert);
