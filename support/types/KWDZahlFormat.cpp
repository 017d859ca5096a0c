#include "support/types/KWDZahlFormat.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {
std::string Gruppieren(const std::string& AZiffern) {
  std::string Text;
  const std::size_t N = AZiffern.size();
  for (std::size_t I = 0; I < N; ++I) {
    if (I > 0 && (N - I) % 3 == 0) Text += '.';
    Text += AZiffern[I];
  }
  return Text;
}
}  // namespace

std::string FormatZahlDe(double AWert, int ADezimalen) {
  if (std::isnan(AWert)) return "NAN";
  if (std::isinf(AWert)) return AWert < 0 ? "-INF" : "INF";
  if (ADezimalen < 0) ADezimalen = 0;
  if (ADezimalen > 15) ADezimalen = 15;
  // Round half away from zero in the decimal scale, then let printf write the
  // already whole number so no second rounding happens.
  const long double Skaliert = std::round(static_cast<long double>(std::fabs(AWert)) * std::pow(10.0L, ADezimalen));
  char Puffer[512];
  std::snprintf(Puffer, sizeof Puffer, "%.0Lf", Skaliert);
  std::string Ziffern = Puffer;
  if (Ziffern.size() <= static_cast<std::size_t>(ADezimalen))
    Ziffern.insert(0, static_cast<std::size_t>(ADezimalen) + 1 - Ziffern.size(), '0');
  const std::string Ganz = Ziffern.substr(0, Ziffern.size() - ADezimalen);
  const std::string Bruch = Ziffern.substr(Ziffern.size() - ADezimalen);
  const bool Null = Ziffern.find_first_not_of('0') == std::string::npos;
  std::string Text = (AWert < 0 && !Null ? "-" : "") + Gruppieren(Ganz);
  if (ADezimalen > 0) Text += "," + Bruch;
  return Text;
}

std::string KWDFormatN(const std::string& AFormat, double AWert) {
  // Parsed by hand: list views format every visible amount cell with it.
  std::size_t I = 0;
  const auto Zahl = [&](std::size_t AMaxStellen, bool& AGefunden) {
    int Wert = 0;
    AGefunden = false;
    for (std::size_t N = 0; N < AMaxStellen && I < AFormat.size() && std::isdigit(static_cast<unsigned char>(AFormat[I]));
         ++N, ++I) {
      Wert = Wert * 10 + (AFormat[I] - '0');
      AGefunden = true;
    }
    return Wert;
  };
  bool Gefunden = false;
  if (I >= AFormat.size() || AFormat[I++] != '%') throw std::invalid_argument("Ungültiges Zahlenformat: " + AFormat);
  const bool Links = I < AFormat.size() && AFormat[I] == '-';
  if (Links) ++I;
  const int Breite = Zahl(3, Gefunden);
  int Dezimalen = 2;
  if (I < AFormat.size() && AFormat[I] == '.') {
    ++I;
    Dezimalen = Zahl(2, Gefunden);
    if (!Gefunden) throw std::invalid_argument("Ungültiges Zahlenformat: " + AFormat);
  }
  if (I + 1 != AFormat.size() || AFormat[I] != 'n') throw std::invalid_argument("Ungültiges Zahlenformat: " + AFormat);
  std::string Text = FormatZahlDe(AWert, Dezimalen);
  if (Text.size() < static_cast<std::size_t>(Breite)) {
    const std::string Fuell(Breite - Text.size(), ' ');
    Text = Links ? Text + Fuell : Fuell + Text;
  }
  return Text;
}
