#pragma once
// The suite's stock-take deletion service: removes a request's booked target
// stock article by article, then the request. Every call names the request by
// the first day of its fiscal year, its counting date, product group and branch;
// a request of another fiscal year is not that request and stays untouched.
//
// Which stock-take records belong to a request: the records of its fiscal
// year (the calendar year of the first day, so a changed "STARTMON" does not
// hide them), counting day and branch whose article lies in its product
// group, and also those whose article no other request of that day and
// branch covers (an article that changed its group, or lost it, after the
// booking). So deleting a request never leaves target stock without a request.
//
// AProtokoll: write what was deleted to the suite log.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "suite/SuiteAbfrage.h"
#include "support/list/TQLX_List.h"
#include "support/types/KWDDatum.h"
#include "support/types/TInt32Trio.h"

class TInvDel {
 public:
  // Marks the request "Löschung angefordert", so a deletion cut short shows
  // in the list and is finished by the next run; a completion running at the
  // same time books nothing more for it. False when the request does not
  // exist in that fiscal year (or after a registered error).
  bool DelInvDelStart(TDate AWiJahrErsterTag, TDate AZaehldat, const std::string& AWG, int16_t AFiliale);

  // Empties AProdIds, then fills it with the request's articles (see above),
  // each once, in product-id order. After a registered error it is empty.
  void ProdIDsInInventur(TDate AWiJahrErsterTag, TDate AZaehldat, const std::string& AWG, int16_t AFiliale,
                         std::vector<TInt32Trio>& AProdIds);
  void ProdIDsInInventur(TDate AWiJahrErsterTag, TDate AZaehldat, const std::string& AWG, int16_t AFiliale,
                         TQLX_List<TInt32Trio>& AProdIds);

  // Deletes the stock-take records of article APId for the request (every
  // stock type). Runs on the company connection, so inside a booking bracket
  // it is part of that bracket: there the articles of one request are
  // collected and removed together, in one statement, when the bracket is
  // flushed or ended (a failure surfaces there). True when it ran or was
  // collected (also when nothing was there).
  bool DelInvProdID(TDate AWiJahrErsterTag, TDate AZaehldat, const std::string& AWG, int16_t AFiliale,
                    const TInt32Trio& APId, bool AProtokoll);

  // Deletes the request record, but only when none of its stock-take
  // records is left: a request is never deleted from under its target stock.
  // False when records are left or the request does not exist in that
  // fiscal year.
  bool DelInv(TDate AWiJahrErsterTag, TDate AZaehldat, const std::string& AWG, int16_t AFiliale, bool AProtokoll);

 private:
  std::vector<TInt32Trio> Artikel(TDate AWiJahrErsterTag, TDate AZaehldat, const std::string& AWG, int16_t AFiliale);

  // Articles of one request to remove with the open booking bracket.
  struct TAnstehend {
    TDate ErsterTag = 0, Zaehldat = 0;
    std::string WG;
    int16_t Filiale = 0;
    bool Protokoll = false;
    std::vector<TInt32Trio> PIds;
    int Buchung = -1;  // the bracket they belong to
  };
  // Sends the collected removals (one statement per hundred articles).
  void Entfernen(TAnstehend& AAnstehend);

  TSuiteAbfragen FSql;
  // Shared with the bracket's work, which finds it gone when this service is.
  std::shared_ptr<TAnstehend> FAnstehend = std::make_shared<TAnstehend>();
};
