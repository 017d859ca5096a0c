#include "app/TIAStatusText.h"

TIAStatusText& TIAStatusText::Teil(int AAnzahl, const std::string& AWas, const std::string& AWarum) {
  if (AAnzahl > 0) FTeile.push_back({AAnzahl, AWas, AWarum});
  return *this;
}

std::string TIAStatusText::Text(const std::string& ALeer) const {
  if (FTeile.empty()) return ALeer;
  std::string Text;
  for (size_t I = 0; I < FTeile.size(); ++I) {
    const TTeil& T = FTeile[I];
    if (I > 0) Text += ", ";
    Text += std::to_string(T.Anzahl);
    if (I == 0) Text += T.Anzahl == 1 ? " Inventur" : " Inventuren";
    Text += " " + T.Was;
    if (!T.Warum.empty()) Text += " (" + T.Warum + ")";
  }
  return Text;
}

std::string TIAStatusText::Gruende(const std::vector<std::string>& AGruende, size_t AHoechstens) {
  std::string Text;
  for (size_t I = 0; I < AGruende.size() && I < AHoechstens; ++I) Text += (I > 0 ? "; " : "") + AGruende[I];
  if (AGruende.size() > AHoechstens) Text += "; \u2026";
  return Text;
}
