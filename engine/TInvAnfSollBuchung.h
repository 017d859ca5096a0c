#pragma once
// Booking target stock, the batch work of completion: for each locked
// article its stock-take records per request and counted stock type, valued
// at purchase price, and the requests' values grown by as much; and, once the
// passes are through, opening the requests whose articles are all booked.
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "engine/InvAnfListen.h"
#include "engine/TInvAnfDatei.h"
#include "suite/ArtBestTypEigenschaften.h"
#include "support/recordfile/RecordFileSchema.h"

class TBFFile;
class TFvkFile;
class Tiafile;
class Tivfile;
class TSimplePriceReader;
class TInvAnfFortschritt;

class TInvAnfSollBuchung {
 public:
  // What booking reads, writes and shows its progress on.
  struct TBedarf {
    TInvAnfDatei<Tiafile>& IA;
    TInvAnfDatei<Tivfile>& IV;
    TInvAnfDatei<TBFFile>& BF;
    TInvAnfDatei<TFvkFile>& FVK;
    TInvAnfDienst<TSimplePriceReader>& SPReader;
    TInvAnfFortschritt& Fortschritt;
  };
  explicit TInvAnfSollBuchung(const TBedarf& ABedarf);

  // Books every to-do entry in locking passes (TInvAnfSperrDurchgaenge) and
  // removes the booked ones. What stays could not be locked (a message each
  // in pass 5), or failed (set aside and registered as
  // "TQLX_InvAnfMani.IVSchreiben"), or the passes ended on a failure
  // (registered as "TQLX_InvAnfMani.SollBestandBuchen"; a failure of a step
  // for the whole batch, not the database's: as "TQLX_InvAnfMani.IAUpdate").
  // Each batch first
  // makes sure its requests still stand (locked until it is committed): one
  // deleted or no longer requested meanwhile gets nothing more. False when
  // the database failed: nothing more can be done on it now.
  bool SollBestandBuchen(TInventurListe& AInventuren, TToDoListe& AToDo, TMeldungsListe& AMeldungen);
  // Opens every request no remaining to-do entry refers to, where it is
  // still requested under the fiscal-year date it was loaded with.
  void InventurenOeffnen(TInventurListe& AInventuren, TToDoListe& AToDo);

 private:
  class TArbeit;  // the work the passes hand each batch to

  // What the booking added to one request (same position as in the request
  // list) and has not yet written to the request file.
  struct TZuwachs {
    double Soll = 0.0;
    double Ist = 0.0;
  };
  // What booking a batch reads, fetched for all its articles in a few
  // statements instead of several per article and request: under the
  // batch's locks and inside its transaction, so it is what the booking sees.
  using TArtikelFiliale = std::pair<TInt32Trio, int32_t>;
  struct TBestandsSatz {
    char Bestandstyp = ' ';
    std::array<int32_t, RF_GROESSEN> Menge{};  // size 1 at [0]
  };
  struct TVorrat {
    std::set<std::pair<TInt32Trio, int32_t>> Gebucht;  // (article, request position) with stock-take records
    std::map<TArtikelFiliale, std::vector<TBestandsSatz>> Bestand;  // counted stock records, by stock type
    std::set<TArtikelFiliale> Verkauf;  // without counted stock, present through a branch sale
    TArtBestTyp_Eigenschaften Eigenschaften;  // read once per batch, not per article
  };

  TVorrat BatchVorratLesen(const TInventurListe& AInventuren, const std::vector<TProduktID_Indizee>& AEintraege);
  // The purchase prices of the batch's articles, read in one go for IVSchreiben.
  void PreiseVorladen(const std::vector<TProduktID_Indizee>& AEintraege);
  // Writes the stock-take records of one locked article for every request in
  // AEintrag.Ind that has none yet, and adds their values to the requests
  // and to AZuwachs. Everything is read and valued before anything is
  // written; a failure is thrown, and the batch goes back whole.
  void IVSchreiben(TInventurListe& AInventuren, const TProduktID_Indizee& AEintrag, const TVorrat& AVorrat,
                   std::vector<TZuwachs>& AZuwachs);
  // Adds the unwritten growth to the stored request values where it exceeds
  // 0.005, inside the batch's booking, and clears what it wrote.
  void IAUpdate(TInventurListe& AInventuren, std::vector<TZuwachs>& AZuwachs);
  // Inside a batch's booking: whether the requests at APositionen still
  // stand as they were loaded (same fiscal-year date, still requested).
  // They are read with a lock held until the booking ends, so no other
  // program deletes or changes them before the batch is committed. Sending
  // lets the read travel with the batch's others; it returns what it sent,
  // which AnforderungenLesen takes to mark the ones no longer standing in AWeg.
  // The read waits on the request file: no new use of it (IA.Neu()) between
  // the two.
  std::vector<int32_t> AnforderungenSenden(const TInventurListe& AInventuren, std::vector<int32_t> APositionen,
                                           const std::vector<bool>& AWeg);
  void AnforderungenLesen(const TInventurListe& AInventuren, const std::vector<int32_t>& AGesendet,
                          std::vector<bool>& AWeg);

  TBedarf FBedarf;
};
