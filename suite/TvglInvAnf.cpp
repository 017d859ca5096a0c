#include "suite/TvglInvAnf.h"

#include <string_view>

#include "suite/Warengruppe.h"
#include "support/framework/KWDGuard.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

namespace {
// The advisory-lock class of request creation, shared by every program of the suite.
constexpr int32_t KAnlegenSperre = 0x49414E4C;  // "IANL"
}  // namespace

bool TvglInvAnf::Inventurnochfrei(const std::string& AWG, TDate AZaehldat, int16_t AFiliale) {
  return KWDGuard(
      "TvglInvAnf.Inventurnochfrei",
      [&] {
        auto& S = FSql.Get(
            "SELECT wg FROM inventuranforderung WHERE zaehldatum >= ? AND zaehldatum < ? AND filnr = ?");
        TAbfrageEnde Ende(S);
        const TDate Tag = DateOf(AZaehldat);
        S.BindDouble(1, Tag);
        S.BindDouble(2, Tag + 1);
        S.BindInt(3, AFiliale);
        while (S.Step())
          if (WGUeberlappt(AWG, S.ColumnText(0))) return false;
        return true;
      },
      false);
}

void TvglInvAnf::AnlegenSperren(TDate AZaehldat, int16_t AFiliale) {
  if (FSql.Verbindung().Backend() != TDbBackend::PostgreSQL) return;
  auto& S = FSql.GetGanz("SELECT pg_advisory_xact_lock(?, ?)");
  TAbfrageEnde Ende(S);
  // Two 32-bit keys: the kind of lock, then counting day and branch mixed;
  // two days or branches sharing a key only wait for each other.
  S.BindInt(1, KAnlegenSperre);
  const auto Tag = static_cast<int64_t>(DateOf(AZaehldat));
  S.BindInt(2, static_cast<int32_t>(static_cast<uint32_t>(Tag * 40009 + AFiliale)));
  S.Step();
}

bool TvglInvAnf::FilialeVorhanden(int AFiliale) {
  auto& S = FSql.GetGanz("SELECT 1 FROM filiale WHERE filnr = ?");
  TAbfrageEnde Ende(S);
  S.BindInt(1, AFiliale);
  return S.Step();
}

bool TvglInvAnf::IrgendeineInventurNichtAbgeschlossen() {
  return KWDGuard(
      "TvglInvAnf.IrgendeineInventurNichtAbgeschlossen",
      [&] {
        auto& S = FSql.Get(
            "SELECT 1 FROM inventuranforderung WHERE kz_zaehlung <> ? AND kz_zaehlung <> ? LIMIT 1");
        TAbfrageEnde Ende(S);
        const char Gebucht = CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung::iazGebucht);
        const char Loeschen = CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung::iazLoeschen);
        S.BindText(1, std::string_view(&Gebucht, 1));
        S.BindText(2, std::string_view(&Loeschen, 1));
        return S.Step();
      },
      true);
}
