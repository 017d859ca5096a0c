#include "suite/TQLX_WGN_Iterator.h"

#include "suite/Warengruppe.h"
#include "support/framework/KWDGuard.h"
#include "support/types/KWDUtf8.h"

namespace {

constexpr const char* CErsteSeite =
    "SELECT prodid1, prodid2, prodid3, wgn FROM artikel_wg "
    "WHERE wgsystem = ? AND substr(wgn, 1, ?) = ? "
    "ORDER BY prodid1, prodid2, prodid3 LIMIT ?";
constexpr const char* CFolgeSeite =
    "SELECT prodid1, prodid2, prodid3, wgn FROM artikel_wg "
    "WHERE wgsystem = ? AND substr(wgn, 1, ?) = ? AND (prodid1, prodid2, prodid3) > (?, ?, ?) "
    "ORDER BY prodid1, prodid2, prodid3 LIMIT ?";

}  // namespace

bool TQLX_WGN_Iterator::SeiteLaden(bool AErste) {
  const TInt32Trio Letzte = FSeite.empty() ? TInt32Trio{} : FSeite.back().PId;
  FSeite.clear();
  FPos = 0;
  auto& S = FSql.Get(AErste ? CErsteSeite : CFolgeSeite);
  TAbfrageEnde Ende(S);
  S.BindText(1, FSystem);
  S.BindInt(2, static_cast<int64_t>(KWDUtf8Zeichen(FWG)));  // SQL substr() counts characters, not bytes
  S.BindText(3, FWG);
  int Naechster = 4;
  if (!AErste) {
    BindProdId(S, 4, Letzte);
    Naechster = 7;
  }
  S.BindInt(Naechster, CSeitenGroesse);
  while (S.Step()) FSeite.push_back({ColumnProdId(S, 0), S.ColumnText(3)});
  FLetzteSeite = FSeite.size() < static_cast<size_t>(CSeitenGroesse);
  return !FSeite.empty();
}

bool TQLX_WGN_Iterator::Move_First(const std::string& AWG, const std::string& ASystem) {
  FSeite.clear();
  FPos = 0;
  FLetzteSeite = true;
  return KWDGuard(
      "TQLX_WGN_Iterator.Move_First",
      [&] {
        FWG = WGNormalisiert(AWG);
        FSystem = ASystem.empty() ? CWGSystem_Eigen : ASystem;
        return SeiteLaden(true);
      },
      false);
}

TInt32Trio TQLX_WGN_Iterator::Current_Produkt_ID() const {
  return FPos < FSeite.size() ? FSeite[FPos].PId : TInt32Trio{};
}

std::string TQLX_WGN_Iterator::Current_WGN() const { return FPos < FSeite.size() ? FSeite[FPos].WGN : std::string(); }

bool TQLX_WGN_Iterator::Move_Next() {
  return KWDGuard(
      "TQLX_WGN_Iterator.Move_Next",
      [&] {
        if (FPos >= FSeite.size()) return false;
        if (++FPos < FSeite.size()) return true;
        if (FLetzteSeite) return false;
        return SeiteLaden(false);
      },
      false);
}
