#include "support/services/SperrVerwaltung.h"

#include <chrono>
#include <thread>

#include "support/db/TDbConnection.h"
#include "support/services/TCommonLock.h"

std::vector<TSperrEintrag> SperrenListe(TDbConnection& AConnection) {
  std::vector<TSperrEintrag> Liste;
  auto Stmt = AConnection.Prepare(std::string("SELECT ") + CSperrSpalten +
                                  " FROM artikelsperre ORDER BY prodid1, prodid2, prodid3");
  while (Stmt->Step()) Liste.push_back({SperrZeileAusStatement(*Stmt), false});
  for (auto& Eintrag : Liste) Eintrag.Lebt = SperrHalterLebt(AConnection, Eintrag.Zeile.Halter);
  return Liste;
}

int SperrenToteFreigeben(TDbConnection& AConnection) {
  int Anzahl = 0;
  for (const auto& Eintrag : SperrenListe(AConnection))
    if (!Eintrag.Lebt && SperrZeileEntfernen(AConnection, Eintrag.Zeile)) ++Anzahl;
  return Anzahl;
}

int SperrenHalterFreigeben(TDbConnection& AConnection, int64_t AProzessId, const std::string& ATerminal) {
  auto Stmt = AConnection.Prepare("DELETE FROM artikelsperre WHERE prozessid = ? AND (? = '' OR terminal = ?)");
  Stmt->BindInt(1, AProzessId);
  Stmt->BindText(2, ATerminal);
  Stmt->BindText(3, ATerminal);
  return static_cast<int>(Stmt->Execute());
}

bool SperreHalten(const TInt32Trio& AProdId, int ASekunden, const std::string& AProgramm, TQLX_clMeldung& AMeldung,
                  const std::function<void()>& ABereit) {
  TCommonLock Sperre;
  Sperre.SetProgramm(AProgramm);
  Sperre.DummyBlock(CQLX_Lock_Inventur);
  bool Gesperrt = false;
  try {
    Gesperrt = Sperre.LockProdId(AProdId, AMeldung, false);
  } catch (...) {
    Sperre.DummyUnBlock(CQLX_Lock_Inventur);
    throw;
  }
  Sperre.DummyUnBlock(CQLX_Lock_Inventur);
  if (!Gesperrt) return false;
  if (ABereit) ABereit();
  std::this_thread::sleep_for(std::chrono::seconds(ASekunden));
  Sperre.DummyBlock(CQLX_Lock_Inventur);
  Sperre.UnlockProdId(AProdId, false);
  Sperre.DummyUnBlock(CQLX_Lock_Inventur);
  return true;
}
