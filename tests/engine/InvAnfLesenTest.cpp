// The one meaning of "the request stands in the fiscal year" that every
// reader of a request by its key shares.
#include <gtest/gtest.h>

#include "engine/InvAnfLesen.h"
#include "tests/fixtures/SuiteTestUmgebung.h"

namespace {

class TInvAnfLesenTest : public TSuiteTest {};

TEST_P(TInvAnfLesenTest, ARequestStandsInTheFiscalYearOfItsFirstDaysCalendarYear) {
  struct TFall {
    TDate Gespeichert;  // the fiscal year the request is stored under
    int Gefragt;        // the fiscal year asked for
    bool Steht;
  };
  // A fiscal year beginning in July (a changed STARTMON) is still named by its first day's year.
  const TFall Faelle[] = {{D(2025, 1, 1), 2025, true},  {D(2025, 7, 1), 2025, true},
                          {D(2025, 1, 1), 2024, false}, {D(2024, 7, 1), 2025, false},
                          {D(2025, 1, 1), 2026, false}};
  for (size_t I = 0; I < std::size(Faelle); ++I) {
    const TFall& F = Faelle[I];
    const TDate Tag = D(2025, 9, 1) + static_cast<double>(I);
    Firma().Anforderung(Tag, "7", 3, F.Gespeichert, 'L');
    const TVglInvAnf_Inv Schluessel = IAAnforderungSchluessel(D(F.Gefragt, 1, 1), Tag, "7", 3);
    EXPECT_EQ(IAImWiJahr(F.Gespeichert, F.Gefragt), F.Steht) << I;
    // The state is the caller's question: a request being deleted stands as well.
    EXPECT_EQ(IAAnforderungLesen(Schluessel).has_value(), F.Steht) << I;
    EXPECT_TRUE(IAAnforderungLesen(Tag, "7", 3).has_value()) << I;
  }
  EXPECT_FALSE(IAAnforderungLesen(IAAnforderungSchluessel(D(2025, 1, 1), D(2025, 9, 1), "8", 3)));
}

}  // namespace

WWS_SUITE_BACKENDS(TInvAnfLesenTest);
