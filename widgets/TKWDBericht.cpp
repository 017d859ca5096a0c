#include "widgets/TKWDBericht.h"

#include <charconv>
#include <map>
#include <mutex>

namespace {

std::mutex GMutex;
std::map<std::string, TKWDBerichtFabrik>& Arten() {
  static std::map<std::string, TKWDBerichtFabrik> A;
  return A;
}

constexpr std::string_view KPraefix = "Param_";

}  // namespace

std::string TKWDBerichtDaten::Param(const std::string& AName, const std::string& ADefault) const {
  for (auto It = Parameter.rbegin(); It != Parameter.rend(); ++It)
    if (It->first == AName) return It->second;
  if (AName.rfind(KPraefix, 0) == 0) {
    const std::string Eigener = AName.substr(KPraefix.size());
    for (auto It = Layout.Parameter.rbegin(); It != Layout.Parameter.rend(); ++It)
      if (It->first == Eigener) return It->second;
  }
  return ADefault;
}

bool TKWDBerichtDaten::ParamJa(const std::string& AName, bool ADefault) const {
  const std::string W = Param(AName, ADefault ? "J" : "N");
  return W == "J" || W == "j";
}

int TKWDBerichtDaten::ParamZahl(const std::string& AName, int ADefault, int AMin, int AMax) const {
  const std::string W = Param(AName);
  int Zahl = 0;
  const auto [Ende, Fehler] = std::from_chars(W.data(), W.data() + W.size(), Zahl);
  if (W.empty() || Fehler != std::errc() || Ende != W.data() + W.size()) return ADefault;
  return Zahl < AMin ? AMin : Zahl > AMax ? AMax : Zahl;
}

void KWDBerichtArtRegistrieren(const std::string& AName, TKWDBerichtFabrik AFabrik) {
  std::lock_guard Sperre(GMutex);
  Arten()[AName] = std::move(AFabrik);
}

std::unique_ptr<TKWDBerichtArt> KWDBerichtArtErzeugen(const std::string& AName) {
  std::lock_guard Sperre(GMutex);
  const auto It = Arten().find(AName);
  return It == Arten().end() || !It->second ? nullptr : It->second();
}
