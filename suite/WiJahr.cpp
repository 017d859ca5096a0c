#include "suite/WiJahr.h"

#include "support/framework/KWDGuard.h"
#include "support/framework/KWDLog.h"
#include "support/services/TParameter.h"

TDate ersterTag_WiJahr(int AJahr) {
  return KWDGuard(
      "ersterTag_WiJahr",
      [&] {
        int Monat = KWDParameter().GetIntegerValueByName("STARTMON");
        if (Monat < 1 || Monat > 12) {
          KWDLogSchreiben("ersterTag_WiJahr", "Parameter STARTMON=" + std::to_string(Monat) +
                                                  " ist kein Monat; das Wirtschaftsjahr beginnt im Januar.");
          Monat = 1;
        }
        return EncodeDate(AJahr, Monat, 1);
      },
      0.0);
}
