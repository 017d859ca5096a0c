#pragma once
// TQLX_InvAnfMani: the non-visual engine behind the main window. It works out
// which articles a request covers, creates requests, and (in the files that
// add them) completes and deletes requests under the common lock.
//
// Every method follows the suite's error convention: its body runs in
// KWDGuard under "TQLX_InvAnfMani.<Method>"; a failure is registered, Boolean
// results are then false and lists keep what was built so far.
#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/TInventurDetails.h"
#include "suite/ArtBestTypEigenschaften.h"
#include "support/list/TQLX_List.h"
#include "support/recordfile/RecordFileSchema.h"
#include "support/types/KWDDatum.h"
#include "support/types/TQLX_clMeldung.h"
#include "support/types/TVglInvAnf_Inv.h"

class TAAFile;
class TBFFile;
class TFvkFile;
class Tiafile;
class Tivfile;
class TvglInvAnf;
class TQLX_WGN_Iterator;
class TWGNMani;
class TSimplePriceReader;
class TInvDel;
class TQLX_PEP_Progress_SetPos;

using TInventurListe = TQLX_List<TInventurDetails>;
using TWarengruppenListe = TQLX_List<std::string>;
using TFilialListe = TQLX_List<int16_t>;
using TToDoListe = TQLX_List<TProduktID_Indizee>;
using TMeldungsListe = TQLX_List<TQLX_clMeldung>;
using TProduktIDListe = TQLX_List<TInt32Trio>;
// A locked article of the current batch: product id and its list position.
using TSperrBatch = TQLX_List<TInt32Quad>;

// What the booking added to one request (same position as in the request
// list) and has not yet written to the request file.
struct TIAZuwachs {
  double Soll = 0.0;
  double Ist = 0.0;
};
using TIAZuwachsListe = std::vector<TIAZuwachs>;

class TQLX_InvAnfMani {
 public:
  TQLX_InvAnfMani();
  ~TQLX_InvAnfMani();
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
  // error. A failure in the article selection books and opens nothing.
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
  // message each) or after a registered error. AMeldungen is assigned
  // whenever requests were given.
  bool InventurenLoeschen(const std::vector<TVglInvAnf_Inv>& AAnforderungen, std::vector<TQLX_clMeldung>& AMeldungen);

  // Steps of the completion and deletion, public for tests and benchmarks.
  // Books every to-do entry in locking passes and removes the booked ones;
  // what stays could not be locked, or failed (set aside and registered), or
  // the passes ended on a failure (registered). False when that failure was
  // the database's: nothing more can be done on it now.
  bool SollBestandBuchen(TInventurListe& AInventuren, TToDoListe& AToDo, TMeldungsListe& AMeldungen);
  // Tries to lock one article; with AMitMeldung a refusal fills AMeldung.
  bool SperrePID(const TInt32Trio& APId, bool AMitMeldung, TQLX_clMeldung& AMeldung);
  // Writes the stock-take records of one locked article for every request in
  // AEintrag.Ind that has none yet, and adds their values to the requests and
  // to AZuwachs. False (registered) when it failed: then nothing of the
  // article was written and no value added.
  bool IVSchreiben(TInventurListe& AInventuren, const TProduktID_Indizee& AEintrag, TIAZuwachsListe& AZuwachs);
  // Adds the unwritten growth to the stored request values where it exceeds
  // 0.005, inside the caller's booking, and clears what it wrote.
  void IAUpdate(TInventurListe& AInventuren, TIAZuwachsListe& AZuwachs);
  // Opens every request no remaining to-do entry refers to, where it is
  // still requested under the fiscal-year date it was loaded with.
  void InventurenOeffnen(TInventurListe& AInventuren, TToDoListe& AToDo);
  // Removes the listed articles from the request in locking passes; what
  // stays in AProdIds could not be locked (a message each) or failed. False
  // when the passes ended on a failure of the database (registered).
  bool ProduktAusInventurEntfernen(const TVglInvAnf_Inv& AAnforderung, TProduktIDListe& AProdIds,
                                   TMeldungsListe& AMeldungen);

  // Article selection, public for the completion and for tests and
  // benchmarks that drive the steps one by one. Each step is false after a
  // registered failure; the pipeline then goes on, but its list is not to
  // be trusted: ProduktIDs_ToDoListeLaden is false when any step failed.
  bool UnvollstaendigeInventurenLaden(const std::vector<TVglInvAnf_Inv>& AAnforderungen, TInventurListe* AInventuren,
                                      TWarengruppenListe* AWarengruppen, TFilialListe* AFilialen);
  bool ProduktIDs_ToDoListeLaden(TInventurListe& AInventuren, TWarengruppenListe& AWarengruppen,
                                 TFilialListe& AFilialen, TToDoListe& AToDo);
  bool AAScan(TInventurListe& AInventuren, TToDoListe& AToDo);
  bool WGNScan(TInventurListe& AInventuren, TWarengruppenListe& AWarengruppen, TToDoListe& AToDo);
  bool BestandPruefen_Btrieve(TInventurListe& AInventuren, TFilialListe& AFilialen, TToDoListe& AToDo);
  bool BestandPruefen_SQL(TInventurListe& AInventuren, TFilialListe& AFilialen, TToDoListe& AToDo);
  bool TeilAnforderungen_Entfernen(TInventurListe& AInventuren, TToDoListe& AToDo);
  bool PruefschaerfeChecken(TToDoListe& AToDo);

  // A to-do list sorted by product id, as every step expects it.
  static std::unique_ptr<TToDoListe> ToDoListeErzeugen();

  // Progress window.
  void ProgressCaption(const std::string& ACaption, const std::string& ADetail, bool AMarquee);
  void ProgressDo(int APos, int AMax);
  void ProgressShow(bool AModal);
  void ProgressHide();
  TQLX_PEP_Progress_SetPos* Progress() const { return FProgress.get(); }

  // Lazy creators: "_CiNoC" creates the record file or resets it for reuse;
  // "_CiN" creates the service when absent.
  void AAFile_CiNoC();
  void BFFile_CiNoC();
  void FVKFile_CiNoC();
  void IAFile_CiNoC();
  void IVFile_CiNoC();
  void InvDel_CiN();
  void SPReader_CiN();
  void VglInvAnf_CiN();
  void WGNIter_CiN();
  void WGNMani_CiN();

  // The owned objects, for the operations built on top of these (completion,
  // deletion) and for tests; null until first needed.
  TAAFile* AAFile() const { return FAAFile.get(); }
  TBFFile* BFFile() const { return FBFFile.get(); }
  TFvkFile* FVKFile() const { return FFVKFile.get(); }
  Tiafile* IAFile() const { return FIAFile.get(); }
  Tivfile* IVFile() const { return FIVFile.get(); }
  TvglInvAnf* VglInvAnf() const { return FvglInvAnf.get(); }
  TSimplePriceReader* SPReader() const { return FSPReader.get(); }
  TInvDel* InvDel() const { return FInvDel.get(); }

 private:
  // The stock check the database kind calls for.
  bool BestandPruefen(TInventurListe& AInventuren, TFilialListe& AFilialen, TToDoListe& AToDo);
  // True when every request's group is empty after trimming (or there are none).
  static bool AlleWarengruppenLeer(const TInventurListe& AInventuren);

  // The locking passes shared by completion and deletion: up to five walks
  // from the last list position to the first, locking at most 20 articles
  // per batch inside block 11, handing each batch to ABearbeiten inside a
  // booking named ABuchung, unlocking, and pausing after every pass that
  // leaves entries. ABearbeiten writes the batch and calls AAbschliessen,
  // which commits it (it removes what it did from the list after that).
  // Refusals in pass 5 become messages. A batch's locks are released on
  // every way out; an exception of ABearbeiten rolls the batch back.
  // Without AZurueckstellen it ends the passes and is passed on. With it, a
  // failing article is set aside instead: the failed batch's articles are
  // booked again one per batch, and the one that fails alone goes to
  // AZurueckstellen (position, failure), which takes it out of the list; the
  // passes go on. A failure of the database itself (connection, disk, locks)
  // still ends them, and so do KBatchGroesse articles failing in a row.
  // AAusgefallen: the passes ended on a failure of the database, thrown
  // once, however many steps met it.
  using TBatchArbeit = std::function<void(const TSperrBatch& ABatch, const std::function<void()>& AAbschliessen)>;
  using TZurueckstellen = std::function<void(int32_t APos, const std::exception& AFehler)>;
  void SperrDurchgaenge(const std::function<int32_t()>& AAnzahl, const std::function<TInt32Trio(int32_t)>& APId,
                        const std::string& ABuchung, const TBatchArbeit& ABearbeiten, TMeldungsListe& AMeldungen,
                        bool& AAusgefallen, const TZurueckstellen& AZurueckstellen = {});
  void Durchgaenge(const std::function<int32_t()>& AAnzahl, const std::function<TInt32Trio(int32_t)>& APId,
                   const std::string& ABuchung, const TBatchArbeit& ABearbeiten, TMeldungsListe& AMeldungen,
                   const TZurueckstellen& AZurueckstellen);
  // Locks the ids in one step where they are free; one flag per id. A
  // refused or failed id is false and goes through SperrePID.
  std::vector<bool> SperrePIDs(const std::vector<TInt32Trio>& APIds);
  // What booking a batch reads, fetched for all its articles in a few
  // statements instead of several per article and request: under the
  // batch's locks and inside its transaction, so it is what the booking sees.
  using TArtikelFiliale = std::pair<TInt32Trio, int32_t>;
  struct TBestandsSatz {
    char Bestandstyp = ' ';
    std::array<int32_t, RF_GROESSEN> Menge{};  // size 1 at [0]
  };
  struct TBatchVorrat {
    std::set<std::pair<TInt32Trio, int32_t>> Gebucht;  // (article, request position) with stock-take records
    std::map<TArtikelFiliale, std::vector<TBestandsSatz>> Bestand;  // counted stock records, by stock type
    std::set<TArtikelFiliale> Verkauf;  // without counted stock, present through a branch sale
    TArtBestTyp_Eigenschaften Eigenschaften;  // read once per batch, not per article
  };
  TBatchVorrat BatchVorratLesen(const TInventurListe& AInventuren, const std::vector<TProduktID_Indizee>& AEintraege);
  // The purchase prices of the batch's articles, read in one go for IVSchreiben.
  void PreiseVorladen(const std::vector<TProduktID_Indizee>& AEintraege);
  // The bodies of IVSchreiben and IAUpdate: a failure is thrown, not registered.
  void SollSaetzeSchreiben(TInventurListe& AInventuren, const TProduktID_Indizee& AEintrag, TIAZuwachsListe& AZuwachs);
  void SummenErhoehen(TInventurListe& AInventuren, TIAZuwachsListe& AZuwachs);
  // Inside a batch's booking: whether the requests at APositionen still
  // stand as they were loaded (same fiscal-year date, still requested).
  // They are read with a lock held until the booking ends, so no other
  // program deletes or changes them before the batch is committed. Sending
  // lets the read travel with the batch's others; it returns what it sent,
  // which AnforderungenLesen takes to mark the ones no longer standing in AWeg.
  std::vector<int32_t> AnforderungenSenden(const TInventurListe& AInventuren, std::vector<int32_t> APositionen,
                                           const std::vector<bool>& AWeg);
  void AnforderungenLesen(const TInventurListe& AInventuren, const std::vector<int32_t>& AGesendet,
                          std::vector<bool>& AWeg);
  // True when the request exists under exactly AAnforderung's fiscal year,
  // counting date, product group and branch.
  bool AnforderungBesteht(const TVglInvAnf_Inv& AAnforderung);

  std::unique_ptr<TAAFile> FAAFile;
  std::unique_ptr<TBFFile> FBFFile;
  std::unique_ptr<TFvkFile> FFVKFile;
  std::unique_ptr<Tiafile> FIAFile;
  std::unique_ptr<Tivfile> FIVFile;
  std::unique_ptr<TvglInvAnf> FvglInvAnf;
  std::unique_ptr<TQLX_WGN_Iterator> FWGNIter;
  TWGNMani* FWGNMani = nullptr;  // the suite's shared manager: borrowed, given back
  std::unique_ptr<TSimplePriceReader> FSPReader;
  std::unique_ptr<TInvDel> FInvDel;
  std::unique_ptr<TQLX_PEP_Progress_SetPos> FProgress;
  // Set while a batch is booked. Null: IVSchreiben reads for its article alone.
  const TBatchVorrat* FBatchVorrat = nullptr;
};
