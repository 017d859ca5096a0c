#pragma once
// Removing articles from a request, the batch work of deletion: each locked
// article's booked target stock goes through the suite's stock-take deletion
// service, batch by batch in the locking passes.
#include "engine/InvAnfListen.h"
#include "support/types/TVglInvAnf_Inv.h"

class TInvAnfFortschritt;
class TInvDel;

class TInvAnfArtikelEntfernen {
 public:
  TInvAnfArtikelEntfernen(TInvDel& ADel, TInvAnfFortschritt& AFortschritt);

  // Removes the listed articles from the request and takes each removed one
  // out of AProdIds; what stays could not be locked (a message each in
  // pass 5) or failed (registered as
  // "TQLX_InvAnfMani.ProduktAusInventurEntfernen"). False when the database
  // failed: nothing more can be done on it now.
  bool ProduktAusInventurEntfernen(const TVglInvAnf_Inv& AAnforderung, TProduktIDListe& AProdIds,
                                   TMeldungsListe& AMeldungen);

 private:
  TInvDel& FDel;
  TInvAnfFortschritt& FFortschritt;
};
