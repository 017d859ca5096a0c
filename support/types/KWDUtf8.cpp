#include "support/types/KWDUtf8.h"

#include <algorithm>

namespace {

// The length of the valid UTF-8 character at T[I]; 0 when there is none.
size_t Utf8Zeichen(const unsigned char* T, size_t I, size_t N) {
  const unsigned char Z = T[I];
  if (Z < 0x80) return 1;
  const size_t Laenge = (Z >> 5) == 0x6 ? 2 : (Z >> 4) == 0xE ? 3 : (Z >> 3) == 0x1E ? 4 : 0;
  bool Gut = Laenge > 0 && I + Laenge <= N;
  for (size_t K = 1; Gut && K < Laenge; ++K) Gut = (T[I + K] & 0xC0) == 0x80;
  // Overlong forms, surrogates and code points beyond U+10FFFF.
  if (Gut && Laenge == 2) Gut = Z >= 0xC2;
  if (Gut && Laenge == 3) Gut = !(Z == 0xE0 && T[I + 1] < 0xA0) && !(Z == 0xED && T[I + 1] >= 0xA0);
  if (Gut && Laenge == 4) Gut = Z <= 0xF4 && !(Z == 0xF0 && T[I + 1] < 0x90) && !(Z == 0xF4 && T[I + 1] >= 0x90);
  return Gut ? Laenge : 0;
}

}  // namespace

bool KWDIstUtf8(std::string_view AText) {
  const auto* T = reinterpret_cast<const unsigned char*>(AText.data());
  for (size_t I = 0, L = 0; I < AText.size(); I += L)
    if ((L = Utf8Zeichen(T, I, AText.size())) == 0) return false;
  return true;
}

size_t KWDUtf8Zeichen(std::string_view AText) {
  return static_cast<size_t>(
      std::count_if(AText.begin(), AText.end(), [](unsigned char Z) { return (Z & 0xC0) != 0x80; }));
}

std::u32string KWDUtf8Zeichenfolge(std::string_view AText) {
  const auto* T = reinterpret_cast<const unsigned char*>(AText.data());
  const size_t N = AText.size();
  std::u32string Aus;
  Aus.reserve(N);
  for (size_t I = 0; I < N;) {
    const size_t Laenge = Utf8Zeichen(T, I, N);
    if (Laenge <= 1) {
      Aus.push_back(T[I++]);
      continue;
    }
    char32_t Z = T[I] & (0x7F >> Laenge);
    for (size_t K = 1; K < Laenge; ++K) Z = (Z << 6) | (T[I + K] & 0x3F);
    Aus.push_back(Z);
    I += Laenge;
  }
  return Aus;
}

std::string KWDUtf8Ersetzen(std::string_view AText) {
  // Nearly every text is valid already: then it is copied whole.
  if (KWDIstUtf8(AText)) return std::string(AText);
  std::string Aus;
  Aus.reserve(AText.size());
  const auto* T = reinterpret_cast<const unsigned char*>(AText.data());
  const size_t N = AText.size();
  for (size_t I = 0; I < N;) {
    if (const size_t Laenge = Utf8Zeichen(T, I, N)) {
      Aus.append(AText.substr(I, Laenge));
      I += Laenge;
    } else {
      Aus += "\xEF\xBF\xBD";
      ++I;
    }
  }
  return Aus;
}

std::string KWDUtf8AngabeFehler(int AArgc, const char* const* AArgv) {
  for (int I = 1; I < AArgc; ++I)
    if (AArgv[I] && !KWDIstUtf8(AArgv[I]))
      return "Die Angabe \u201E" + KWDUtf8Ersetzen(AArgv[I]) +
             "\u201C ist kein gültiger UTF-8-Text (ein Zeichen in einer anderen Kodierung, abgeschnitten oder in einer "
             "unzulässigen Form); bitte prüfen Sie die Eingabe.";
  return {};
}
