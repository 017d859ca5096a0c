#include "support/tabelle/KWDTabelle.h"

#include <algorithm>

int TKWDTabelle::Spalte(const std::string& ATitel) const {
  for (size_t I = 0; I < Spalten.size(); ++I)
    if (Spalten[I].Titel == ATitel) return static_cast<int>(I);
  return -1;
}

bool KWDTabelleFormelAnfang(const std::string& AText) {
  return !AText.empty() && std::string_view("=+-@\t\r").find(AText.front()) != std::string_view::npos;
}

size_t KWDTabelleSchreiben(const TKWDTabelle& ATabelle, const std::string& APfad, TKWDTabellenFormat AFormat) {
  return AFormat == TKWDTabellenFormat::Xlsx ? KWDTabelleXlsx(ATabelle, APfad) : KWDTabelleCsv(ATabelle, APfad);
}

size_t TKWDTabelle::ZeilenDurchlaufen(const TZeilenZiel& AZiel) const {
  if (!ZeilenGeben) {
    for (const auto& Zeile : Zeilen) AZiel(Zeile);
    return Zeilen.size();
  }
  size_t Anzahl = 0;
  ZeilenGeben([&](const std::vector<TZelle>& AZeile) {
    ++Anzahl;
    AZiel(AZeile);
  });
  return Anzahl;
}

namespace {

// The length of the valid UTF-8 character at AText[I]; 0 when there is none.
size_t Utf8Zeichen(const unsigned char* T, size_t I, size_t N) {
  const unsigned char Z = T[I];
  if (Z < 0x80) return 1;
  const size_t Laenge = (Z >> 5) == 0x6 ? 2 : (Z >> 4) == 0xE ? 3 : (Z >> 3) == 0x1E ? 4 : 0;
  bool Gut = Laenge > 0 && I + Laenge <= N;
  for (size_t K = 1; Gut && K < Laenge; ++K) Gut = (T[I + K] & 0xC0) == 0x80;
  // Overlong forms and surrogates are no valid UTF-8 either.
  if (Gut && Laenge == 2) Gut = Z >= 0xC2;
  if (Gut && Laenge == 3) Gut = !(Z == 0xE0 && T[I + 1] < 0xA0) && !(Z == 0xED && T[I + 1] >= 0xA0);
  if (Gut && Laenge == 4) Gut = Z <= 0xF4 && !(Z == 0xF0 && T[I + 1] < 0x90) && !(Z == 0xF4 && T[I + 1] >= 0x90);
  return Gut ? Laenge : 0;
}

}  // namespace

bool KWDTabelleIstUtf8(std::string_view AText) {
  const auto* T = reinterpret_cast<const unsigned char*>(AText.data());
  for (size_t I = 0, L = 0; I < AText.size(); I += L)
    if ((L = Utf8Zeichen(T, I, AText.size())) == 0) return false;
  return true;
}

std::string KWDTabelleUtf8(const std::string& AText) {
  // Nearly every text is valid already: then it is copied whole.
  if (KWDTabelleIstUtf8(AText)) return AText;
  std::string Aus;
  Aus.reserve(AText.size());
  const auto* T = reinterpret_cast<const unsigned char*>(AText.data());
  const size_t N = AText.size();
  for (size_t I = 0; I < N;) {
    if (const size_t Laenge = Utf8Zeichen(T, I, N)) {
      Aus.append(AText, I, Laenge);
      I += Laenge;
    } else {
      Aus += "\xEF\xBF\xBD";
      ++I;
    }
  }
  return Aus;
}
