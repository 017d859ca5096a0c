#pragma once
// Test company for completion and deletion: articles in groups "10" and "20"
// with stock in branch 1 and purchase prices, requests over both groups, and
// the state a run leaves (records, request values and states) to compare.
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "tests/engine/EngineTestFirma.h"
#include "tests/engine/Kindprozess.h"

class TBuchungsTest : public TEngineTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // AAnzahl articles P(1..AAnzahl); odd ones in group "10", even ones in
  // "20"; each with stock type 1 (3 pieces), every third also type 3 (3
  // pieces); purchase price 2.00 + 0.01 * number. Requests "10" and "20" in
  // branch 1 on counting day ZAEHLTAG.
  void Aufbauen(int AAnzahl);
  std::vector<TVglInvAnf_Inv> Anforderungen() const;

  struct TStand {
    std::map<std::tuple<int, int, char>, int> Saetze;  // (article, branch, stock type) -> target quantity
    std::map<std::string, std::tuple<double, double, char>> Anforderungen;  // "WG@branch" -> target, actual, state
    bool operator==(const TStand&) const = default;
  };
  TStand Stand();
  // Target value of the stored records per request, at the articles' prices.
  std::map<std::string, double> Bewertung();
  // Stored target value equals the valuation of the stored records (to the
  // cent), for every request not being deleted: a deletion cut short has
  // removed records but keeps the values (it never changes them).
  void SummenPassenZuSaetzen();
  // Every stock-take record has its request (same fiscal-year date, counting
  // date and branch, a group covering the article), and the stored values
  // agree with the records (SummenPassenZuSaetzen).
  void KeinSatzOhneAnforderung();
  // Lock rows whose holder still runs.
  int LebendeSperren();

  // A trigger refuses the stock-take records of the articles ANummern (of
  // stock type ATyp only, unless it is 0) with the message "Platte voll".
  void SatzVerweigern(const std::vector<int>& ANummern, char ATyp = '\0');
  void SatzZulassen();

  // wws-admin holding article APId until it ends (or ASekunden pass).
  TKindprozess Halten(const TInt32Trio& APId, int ASekunden);

  static inline const TDate WIJAHR = EncodeDate(2025, 1, 1);
  static inline const TDate ZAEHLTAG = EncodeDate(2025, 6, 30);
  int FPausen = 0;
};
