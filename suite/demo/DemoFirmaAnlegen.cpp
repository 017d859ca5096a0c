#include "suite/demo/DemoFirmaAnlegen.h"

#include "support/services/TParameter.h"

TDemoSchreiber::TZaehler DemoFirmaAnlegen(const std::string& AOrt, const TDemoOptionen& AOptionen, bool AErsetzen,
                                          const TDemoFortschritt& AFortschritt) {
  TDemoSchreiber::TZaehler Zaehler;
  SuiteDatenbankNeu(AOrt, AErsetzen, [&](TDbConnection& AFirma) {
    Zaehler = DemoFirmaErzeugen(AFirma, AOptionen, AFortschritt);
    KWDParameter().SetIntegerValueByName("STARTMON", 1);
  });
  return Zaehler;
}
