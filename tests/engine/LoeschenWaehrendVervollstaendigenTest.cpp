// Deleting requests while another program completes them: two real programs
// racing at many offsets never leave target stock without its request, and a
// deletion cut short is found and finished by the next one.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <optional>

#include "tests/engine/BuchungsTestFirma.h"

namespace {

class TLoeschenWaehrendVervollstaendigenTest : public TBuchungsTest {
 protected:
  TKindprozess Starten(bool ALoeschen) {
    std::vector<std::string> Args{ENGINE_VERVOLLSTAENDIGEN_KIND, "20"};
    if (ALoeschen) Args.push_back("loeschen");
    return TKindprozess::Starten(Args);
  }
  void Zuruecksetzen() {
    FDirekt->ExecScript("DELETE FROM inventur; DELETE FROM inventuranforderung");
    Firma().Anforderung(ZAEHLTAG, "10", 1, WIJAHR).Anforderung(ZAEHLTAG, "20", 1, WIJAHR);
  }
};

TEST_P(TLoeschenWaehrendVervollstaendigenTest, NoRecordOutlivesItsRequestAtAnyOffset) {
  Aufbauen(120);
  // How long a completion takes here, so the deletions start all over it.
  Zuruecksetzen();
  const auto Start = std::chrono::steady_clock::now();
  ASSERT_EQ(Starten(false).Ende(), 0);
  const auto Dauer =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - Start).count();
  ASSERT_EQ(Stand().Saetze.size(), 160u);

  constexpr int KVersuche = 24;
  for (int Versuch = 0; Versuch < KVersuche; ++Versuch) {
    Zuruecksetzen();
    // Every other time article 7 is booked already and another program
    // holds it throughout: the deletion must stop short of it.
    const bool Gehalten = Versuch % 2 == 1;
    std::optional<TKindprozess> Halter;
    if (Gehalten) {
      Firma().Inventursatz(WIJAHR, ZAEHLTAG, 1, P(7), '1', 3);
      FDirekt->ExecScript("UPDATE inventuranforderung SET ek_soll = 6.21 WHERE wg = '10'");
      Halter.emplace(Halten(P(7), 60));
    }
    // From before the completion starts to after it has ended.
    const auto Versatz = Dauer * Versuch / (KVersuche - 4);
    TKindprozess Vervollstaendigen = Starten(false);
    usleep(static_cast<useconds_t>(Versatz));
    TKindprozess Loeschen = Starten(true);
    const int V = Vervollstaendigen.Ende();
    const int L = Loeschen.Ende();
    SCOPED_TRACE("Versuch " + std::to_string(Versuch) + " nach " + std::to_string(Versatz / 1000) + " ms");
    EXPECT_TRUE(V == 0 || V == 3) << V;
    EXPECT_TRUE(L == 0 || L == 3) << L;
    KeinSatzOhneAnforderung();
    if (Halter) {
      // Stopped short of the held article: the request stays with it.
      EXPECT_EQ(L, 3);
      EXPECT_EQ(Stand().Saetze, (decltype(TStand::Saetze){{{7, 1, '1'}, 3}}));
      Halter->Signal(SIGTERM);
      Halter->Ende();
    }
    EXPECT_EQ(LebendeSperren(), 0);

    // Whatever the first deletion left, the next finds and finishes.
    if (!Stand().Anforderungen.empty()) {
      EXPECT_EQ(Starten(true).Ende(), 0);
    }
    const TStand S = Stand();
    EXPECT_TRUE(S.Saetze.empty()) << S.Saetze.size() << " Sätze übrig";
    EXPECT_TRUE(S.Anforderungen.empty());
  }
}

WWS_SUITE_BACKENDS(TLoeschenWaehrendVervollstaendigenTest);

}  // namespace
