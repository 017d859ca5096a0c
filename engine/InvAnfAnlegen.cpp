// Creating a request: one record in the request file, in the requested state.
#include "engine/InvAnfIntern.h"
#include "engine/TQLX_InvAnfMani.h"
#include "suite/TvglInvAnf.h"
#include "support/db/TDbConnection.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDLog.h"
#include "support/framework/KWDUhr.h"
#include "support/recordfile/Tiafile.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

using InvAnfIntern::Bereit;

bool TQLX_InvAnfMani::InventurAnlegen(TDate AZaehldat, TDate AWiJahr, const std::string& AWG, int AFiliale) {
  return KWDGuard(
      "TQLX_InvAnfMani.InventurAnlegen",
      [&] {
        VglInvAnf_CiN();
        if (!Bereit(FvglInvAnf, "Der Anforderungsdienst").Inventurnochfrei(AWG, AZaehldat, static_cast<int16_t>(AFiliale)))
          return false;

        IAFile_CiNoC();
        Tiafile& IA = Bereit(FIAFile, "Die Anforderungsdatei");
        IA.ClearRecord();
        IA.Zaehldatum.SetWert(AZaehldat);
        IA.WG.SetWert(AWG);
        IA.FilNr.SetWert(AFiliale);
        IA.WiJahr.SetWert(AWiJahr);
        IA.Abschlussdatum.SetWert(KWD_KEIN_DATUM);
        IA.KZZaehlung.SetWert(CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung::iazAngefordert));
        IA.Anlagedatum.SetWert(kwd_Date());
        IA.Anlagezeit.SetWert(ZeitHHMM(kwd_Now()));
        IA.PrepareWrite(wrdonInsert);
        try {
          IA.WriteRecord(wrdonInsert);
        } catch (const EDbError& E) {
          // Another program made the same request between the check and the
          // insert: the request key refused ours, so the combination is taken.
          if (!E.IsUniqueViolation()) throw;
          KWDLogSchreiben("TQLX_InvAnfMani.InventurAnlegen",
                          std::string("Anforderung schon vorhanden (gleichzeitig angelegt): ") + E.what());
          return false;
        }
        return true;
      },
      false);
}
