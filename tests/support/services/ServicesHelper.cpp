// The "other program" of the cross-process tests, on the company of WWS_DB.
// Prints "BEREIT" once it holds what it was asked to hold, then waits for a
// line on stdin (or its end) before it lets go.
//   services_helper sperre I1 I2 I3 PROGRAMM  lock one article; leave by normal exit
//   services_helper halten I1 I2 I3 SEKUNDEN  hold one article as wws-admin does
//   services_helper block                     hold block 11
//   services_helper buchung ANZAHL            write ANZAHL rows into table probe inside an open booking
#include <cstdio>
#include <iostream>
#include <string>

#include "support/db/KWDDatenbank.h"
#include "support/services/SperrVerwaltung.h"
#include "support/services/TCommonLock.h"
#include "support/services/TKWDBuchung.h"

namespace {

void Bereit() {
  std::cout << "BEREIT" << std::endl;
}

void Warten() {
  std::string Zeile;
  std::getline(std::cin, Zeile);
}

TInt32Trio Produkt(char** AArgv) {
  return TInt32Trio::Construct(std::stoi(AArgv[2]), std::stoi(AArgv[3]), std::stoi(AArgv[4]));
}

}  // namespace

int main(int AArgc, char** AArgv) {
  try {
    std::string Befehl = AArgc > 1 ? AArgv[1] : "";
    if (Befehl == "sperre" && AArgc == 6) {
      CommonLock().SetProgramm(AArgv[5]);
      CommonLock().DummyBlock(CQLX_Lock_Inventur);
      TQLX_clMeldung Meldung;
      bool Gesperrt = CommonLock().LockProdId(Produkt(AArgv), Meldung, false);
      CommonLock().DummyUnBlock(CQLX_Lock_Inventur);
      if (!Gesperrt) {
        std::cout << "BELEGT " << Meldung.ProzessId << std::endl;
        return 3;
      }
      Bereit();
      Warten();
      return 0;  // the lock goes with the program's end
    }
    if (Befehl == "halten" && AArgc == 6) {
      TQLX_clMeldung Meldung;
      return SperreHalten(Produkt(AArgv), std::stoi(AArgv[5]), "services_helper", Meldung, Bereit) ? 0 : 3;
    }
    if (Befehl == "block" && AArgc == 2) {
      CommonLock().DummyBlock(CQLX_Lock_Inventur);
      Bereit();
      Warten();
      CommonLock().DummyUnBlock(CQLX_Lock_Inventur);
      return 0;
    }
    if (Befehl == "buchung" && AArgc == 3) {
      int Nummer = 0;
      KWDBuchung().BuchungBeginn(CKWD_Buchung_Bestand, "services_helper.buchung", Nummer, 0);
      auto Stmt = KWDDatenbank().Prepare("INSERT INTO probe (x) VALUES (?)");
      for (int I = 0; I < std::stoi(AArgv[2]); ++I) {
        Stmt->Reset();
        Stmt->BindInt(1, I);
        Stmt->Execute();
      }
      KWDBuchung().BuchungFlush();
      Bereit();
      Warten();
      KWDBuchung().BuchungEnde("services_helper.buchung");
      return 0;
    }
    std::cerr << "Aufruf: services_helper sperre|halten|block|buchung ..." << std::endl;
    return 2;
  } catch (const std::exception& E) {
    std::cerr << "services_helper: " << E.what() << std::endl;
    return 1;
  }
}
