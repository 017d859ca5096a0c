#pragma once
// TQLX_InvAnfMani: the non-visual engine behind the main window and
// invanf-cli. It creates requests, counts a request's articles, completes
// requests (books their target stock) and deletes them. The work is done by
// its parts: the article selection (TInvAnfAuswahl), the locking passes
// (TInvAnfSperrDurchgaenge) with the two kinds of batch work, booking target
// stock (TInvAnfSollBuchung) and removing articles (TInvAnfArtikelEntfernen),
// each on the record files and services it uses of those the engine owns
// (TInvAnfObjekte).
//
// Every method follows the suite's error convention: its body runs in
// KWDGuard under "TQLX_InvAnfMani.<Method>"; a failure is registered, Boolean
// results are then false and lists keep what was built so far.
#include <string>
#include <vector>

#include "engine/TInvAnfObjekte.h"
#include "support/types/KWDDatum.h"
#include "support/types/TQLX_clMeldung.h"
#include "support/types/TVglInvAnf_Inv.h"

class TQLX_InvAnfMani {
 public:
  TQLX_InvAnfMani() = default;
  TQLX_InvAnfMani(const TQLX_InvAnfMani&) = delete;
  TQLX_InvAnfMani& operator=(const TQLX_InvAnfMani&) = delete;

  // Writes a new request in the requested state, its group without the
  // blanks at its end. False when the combination of counting date, group
  // and branch is taken (also when another program creates it at the same
  // moment: check and insert are one transaction, serialised per day and
  // branch across programs) or after a registered error. Also false, a plain
  // refusal written to the suite log but not registered as an error, for a
  // branch outside the 16-bit key range or not in the branch table, a
  // fiscal-year date that is not the first day of a year the program offers
  // (IAWiJahreDerFirma), or a group with control characters.
  bool InventurAnlegen(TDate AZaehldat, TDate AWiJahr, const std::string& AWG, int AFiliale);

  // ATotal: articles the request covers; ADa: how many of them already have
  // target stock. Neither is assigned when the request is not (or no longer)
  // in the requested state under exactly its fiscal year, counting date,
  // product group and branch, or when the selection failed (registered).
  void InventurAnforderungArtZaehlen(const TVglInvAnf_Inv& AAnforderung, int& ATotal, int& ADa);

  // Books the target stock of the given requests that are still requested
  // under exactly their fiscal year, counting date, product group and branch,
  // then opens every request whose articles are all booked. True when all
  // were completed or there was nothing to do; false when articles stayed
  // unbooked (locked by others: one message each in AMeldungen; or failing:
  // set aside and registered, the others are booked) or after a registered
  // error. A failure in the article selection books and opens nothing, and
  // a failure of the database ends the work at once (registered once).
  // Each batch first makes sure its requests still stand (locked until the
  // batch is committed): one deleted or no longer requested meanwhile gets
  // nothing more. AMeldungen is assigned only when requests were loaded.
  bool InventurAnforderungVervollstaendigen(const std::vector<TVglInvAnf_Inv>& AAnforderungen,
                                            std::vector<TQLX_clMeldung>& AMeldungen);

  // Deletes the requests with their booked target stock. A request is acted
  // on only when it exists under exactly the given fiscal year, counting
  // date, product group and branch (else it is left alone and counts as
  // done). True when every request is gone (also for none); false when one
  // kept articles locked by others (it stays, with those articles, and a
  // message each) or after a registered error; a failure of the database
  // ends the work at once. AMeldungen is assigned whenever requests were given.
  bool InventurenLoeschen(const std::vector<TVglInvAnf_Inv>& AAnforderungen, std::vector<TQLX_clMeldung>& AMeldungen);

 private:
  TInvAnfObjekte FObjekte;
};
