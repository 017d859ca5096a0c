#include "suite/TWGNMani.h"

#include <algorithm>
#include <optional>

#include "suite/GlobInstanz.h"
#include "suite/Warengruppe.h"
#include "support/framework/KWDGuard.h"

namespace {

std::string System(const std::string& ASystem) { return ASystem.empty() ? CWGSystem_Eigen : ASystem; }

// Lower case for comparing: ASCII letters and the German umlauts (UTF-8).
std::string KleinGeschrieben(const std::string& AText) {
  std::string Klein = AText;
  for (size_t i = 0; i < Klein.size(); ++i) {
    unsigned char Z = static_cast<unsigned char>(Klein[i]);
    if (Z >= 'A' && Z <= 'Z') {
      Klein[i] = static_cast<char>(Z - 'A' + 'a');
    } else if (Z == 0xC3 && i + 1 < Klein.size()) {
      unsigned char N = static_cast<unsigned char>(Klein[i + 1]);
      if (N == 0x84 || N == 0x96 || N == 0x9C) Klein[i + 1] = static_cast<char>(N + 0x20);  // Ä Ö Ü
      ++i;
    }
  }
  return Klein;
}

TGlobInstanz<TWGNMani>& Glob() {
  static TGlobInstanz<TWGNMani> Instanz;
  return Instanz;
}

}  // namespace

std::optional<std::string> TWGNMani::GruppeLesen(const TInt32Trio& APId, const std::string& ASystem) {
  auto& S = FSql.Get("SELECT wgn FROM artikel_wg WHERE wgsystem = ? AND prodid1 = ? AND prodid2 = ? AND prodid3 = ?");
  TAbfrageEnde Ende(S);
  S.BindText(1, System(ASystem));
  BindProdId(S, 2, APId);
  if (!S.Step()) return std::nullopt;
  return S.ColumnText(0);
}

std::string TWGNMani::Get_MaxWGN4ProdId(const TInt32Trio& APId, const std::string& ASystem) {
  return KWDGuard(
      "TWGNMani.Get_MaxWGN4ProdId", [&] { return GruppeLesen(APId, ASystem).value_or(std::string()); },
      std::string());
}

bool TWGNMani::Get_MaxWGN4ProdId(const TInt32Trio& APId, std::string& AWGNNr, std::string& AWG) {
  AWGNNr.clear();
  AWG.clear();
  return KWDGuard(
      "TWGNMani.Get_MaxWGN4ProdId",
      [&] {
        auto Gruppe = GruppeLesen(APId, CWGSystem_Eigen);
        if (!Gruppe) return false;
        AWGNNr = *Gruppe;
        AWG = std::move(*Gruppe);
        return true;
      },
      false);
}

std::string TWGNMani::Get_GWNText(const std::string& AWG, const std::string& AWGNNr) {
  return KWDGuard(
      "TWGNMani.Get_GWNText",
      [&] {
        auto& S = FSql.Get("SELECT bezeichnung FROM warengruppe WHERE wgsystem = ? AND wgn = ?");
        TAbfrageEnde Ende(S);
        S.BindText(1, CWGSystem_Eigen);
        S.BindText(2, AWGNNr.empty() ? AWG : AWGNNr);
        return S.Step() ? S.ColumnText(0) : std::string();
      },
      std::string());
}

std::vector<TWarengruppe> TWGNMani::Warengruppen(const std::string& ASystem) {
  std::vector<TWarengruppe> Liste;
  KWDGuard("TWGNMani.Warengruppen", [&] {
    auto& S = FSql.Get("SELECT wgn, bezeichnung FROM warengruppe WHERE wgsystem = ?");
    TAbfrageEnde Ende(S);
    S.BindText(1, System(ASystem));
    while (S.Step()) Liste.push_back({S.ColumnText(0), S.ColumnText(1)});
    // byte order in code: the database's collation may not sort "10" after "1" the same way
    std::sort(Liste.begin(), Liste.end(), [](const auto& A, const auto& B) { return A.WGNr < B.WGNr; });
  });
  return Liste;
}

std::vector<TWarengruppe> TWGNMani::WGNSuchen(const std::string& ASuchtext, const std::string& ASystem) {
  std::vector<TWarengruppe> Treffer;
  KWDGuard("TWGNMani.WGNSuchen", [&] {
    const std::string Suche = KleinGeschrieben(WGNormalisiert(ASuchtext));
    for (auto& Gruppe : Warengruppen(ASystem))
      if (Gruppe.WGNr.starts_with(Suche) || KleinGeschrieben(Gruppe.Bezeichnung).find(Suche) != std::string::npos)
        Treffer.push_back(std::move(Gruppe));
  });
  return Treffer;
}

TWGNMani* GlobWGNMani_GetInstance() { return Glob().Get(); }

void GlobWGNMani_ReleaseInstance(TWGNMani*& AInstanz) { Glob().Release(AInstanz, "GlobWGNMani_ReleaseInstance"); }
