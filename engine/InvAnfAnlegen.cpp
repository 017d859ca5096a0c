// Creating a request: one record in the request file, in the requested state.
#include <cstdint>
#include <string>

#include "engine/TIANeuPruefung.h"
#include "engine/TIAWiJahre.h"
#include "engine/TQLX_InvAnfMani.h"
#include "suite/TvglInvAnf.h"
#include "support/db/TDbConnection.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDLog.h"
#include "support/framework/KWDUhr.h"
#include "support/recordfile/Tiafile.h"
#include "support/services/TKWDBuchung.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

namespace {
constexpr const char* KName = "TQLX_InvAnfMani.InventurAnlegen";

bool Abgelehnt(const std::string& AGrund) {
  KWDLogSchreiben(KName, "Anforderung abgelehnt: " + AGrund);
  return false;
}
}  // namespace

bool TQLX_InvAnfMani::InventurAnlegen(TDate AZaehldat, TDate AWiJahr, const std::string& AWG, int AFiliale) {
  return KWDGuard(
      KName,
      [&] {
        // What no request may be made of: a branch number the 16-bit key
        // would wrap onto another branch, a branch the company does not
        // have, a fiscal year the program does not offer, a group with
        // control characters.
        if (AFiliale < INT16_MIN || AFiliale > INT16_MAX)
          return Abgelehnt("Filialnummer " + std::to_string(AFiliale) + " außerhalb des Schlüsselbereichs");
        if (!IAWiJahrAngeboten(AWiJahr, kwd_Date()))
          return Abgelehnt("Wirtschaftsjahr " + FormatDatum(AWiJahr) + " wird nicht angeboten");
        if (!TIANeuPruefung::WGZeichenPruefen(AWG)) return Abgelehnt("Warengruppe mit Steuerzeichen");
        const std::string WG = TIANeuPruefung::WGOhneEndBlanks(AWG);
        // The list shows a request without group as "*" and takes every "*"
        // out of the group it selects: a stored "*" would look like a request
        // for all groups and could never be completed or deleted.
        if (WG.find('*') != std::string::npos) return Abgelehnt("Warengruppe \"" + WG + "\" mit *");
        const auto Filiale = static_cast<int16_t>(AFiliale);

        TvglInvAnf& Dienst = FObjekte.VglInvAnf.Dienst();
        if (!Dienst.FilialeVorhanden(AFiliale))
          return Abgelehnt("Filiale " + std::to_string(AFiliale) + " gibt es nicht");
        Tiafile& IA = FObjekte.IA.Neu();

        // The check for an overlapping group and the insert are one step
        // across programs: two programs creating "1" and "12" for the same
        // day and branch must not both succeed.
        TBuchungsKlammer Klammer(KName);
        Dienst.AnlegenSperren(AZaehldat, Filiale);
        if (!Dienst.Inventurnochfrei(WG, AZaehldat, Filiale)) return false;

        IA.ClearRecord();
        IA.Zaehldatum.SetWert(AZaehldat);
        IA.WG.SetWert(WG);
        IA.FilNr.SetWert(Filiale);
        IA.WiJahr.SetWert(AWiJahr);
        IA.Abschlussdatum.SetWert(KWD_KEIN_DATUM);
        IA.KZZaehlung.SetWert(CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung::iazAngefordert));
        IA.Anlagedatum.SetWert(kwd_Date());
        IA.Anlagezeit.SetWert(ZeitHHMM(kwd_Now()));
        IA.PrepareWrite(wrdonInsert);
        try {
          IA.WriteRecord(wrdonInsert);
          Klammer.Ende();
        } catch (const EDbError& E) {
          // A program without the creation lock made the same request in
          // between: the request key refused ours, so the combination is taken.
          if (!E.IsUniqueViolation()) throw;
          KWDLogSchreiben(KName, std::string("Anforderung schon vorhanden (gleichzeitig angelegt): ") + E.what());
          return false;
        }
        return true;
      },
      false);
}
