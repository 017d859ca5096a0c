// The batch bracket of the locking passes: a batch left by a failure is
// rolled back before its locks are released, and they before block 11.
#include <gtest/gtest.h>
#include <signal.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "engine/TInvAnfStapelKlammer.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDPause.h"
#include "support/services/DienstAufrufe.h"
#include "support/services/SperrVerwaltung.h"
#include "tests/engine/BuchungsTestFirma.h"

namespace {

class TStapelKlammerTest : public TBuchungsTest {};

// Released inside the still open booking, the locks would come back with
// its rollback (or, outside it, could not be released at all): whatever the
// batch wrote is gone, none of its articles stays locked, and another
// program takes them, block 11 included, at once.
TEST_P(TStapelKlammerTest, FailedBatchIsRolledBackThenUnlockedThenUnblocked) {
  Aufbauen(3);
  ASSERT_TRUE(CommonLock().LockProdId(P(1), false));  // held, with its lock row, since before the batch
  try {
    TInvAnfStapelKlammer Klammer("Test.Stapel");
    {
      TInvAnfStapelKlammer::TSperrSchritt Schritt(Klammer);
      ASSERT_EQ(Schritt.SperrePIDs({P(1), P(2)}, 1), (std::vector<bool>{true, true}));
    }
    Klammer.BuchungOeffnen();
    auto Schreiben = KWDDatenbank().Prepare("UPDATE inventuranforderung SET ek_soll = ?");
    Schreiben->BindDouble(1, 99.0);
    Schreiben->Execute();
    throw std::runtime_error("Platte voll");
  } catch (const std::runtime_error& E) {
    EXPECT_STREQ(E.what(), "Platte voll");
  }
  EXPECT_FALSE(KWDBuchung().Offen());
  EXPECT_EQ(std::get<0>(Stand().Anforderungen.at("10@1")), 0.0);
  for (int I : {1, 2}) EXPECT_FALSE(CommonLock().Haelt(P(I))) << I;
  EXPECT_TRUE(SperrenListe(*FDirekt).empty());
  TKindprozess Halter = Halten(P(1), 1);
  Halter.Ende();
}

// Every batch opens its booking before its lock step (on SQLite after
// block 11, which it holds to the end) and releases its locks inside it; a
// batch that locks nothing opens and rolls back one. Held until the fourth
// pause, the article is booked in pass 5 without a message.
TEST_P(TStapelKlammerTest, BatchCallsLockAndBookingInItsOrder) {
  Aufbauen(1);
  TKindprozess Halter = Halten(P(1), 60);
  KWDPauseSet([&](int) {
    if (++FPausen < 4) return;
    Halter.Signal(SIGTERM);
    Halter.Ende();
  });
  std::vector<std::string> Aufrufe;
  GDienstAufrufe = [&](std::string_view A) { Aufrufe.emplace_back(A); };
  std::vector<TQLX_clMeldung> Meldungen;
  EXPECT_TRUE(TQLX_InvAnfMani().InventurAnforderungVervollstaendigen(Anforderungen(), Meldungen));
  GDienstAufrufe = nullptr;
  EXPECT_TRUE(Meldungen.empty());

  const bool BlockVorBuchung = GetParam() == TDbBackend::SQLite;
  std::vector<std::string> Erwartet;
  auto Stapel = [&](std::initializer_list<const char*> AInBuchung) {
    if (BlockVorBuchung) Erwartet.emplace_back("Block");
    Erwartet.emplace_back("BuchungBeginn");
    Erwartet.insert(Erwartet.end(), AInBuchung.begin(), AInBuchung.end());
    if (BlockVorBuchung) Erwartet.emplace_back("UnBlock");
  };
  for (int Durchgang = 1; Durchgang <= 4; ++Durchgang)
    Stapel({"Block", "LockProdIds", "LockProdId", "UnBlock", "BuchungAbbrechen"});
  Stapel({"Block", "LockProdIds", "UnBlock", "BuchungFlush", "Block", "UnlockProdIds", "UnBlock", "BuchungEnde"});
  Erwartet.insert(Erwartet.end(), {"BuchungBeginn", "BuchungEnde"});  // the request opened
  EXPECT_EQ(Aufrufe, Erwartet);
}

WWS_SUITE_BACKENDS(TStapelKlammerTest);

}  // namespace
