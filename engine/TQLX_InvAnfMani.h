#pragma once
// TQLX_InvAnfMani: the non-visual engine behind the main window. It works out
// which articles a request covers, creates requests, and (in the files that
// add them) completes and deletes requests under the common lock.
//
// Every method follows the suite's error convention: its body runs in
// KWDGuard under "TQLX_InvAnfMani.<Method>"; a failure is registered, Boolean
// results are then false and lists keep what was built so far.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/TInventurDetails.h"
#include "support/list/TQLX_List.h"
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

class TQLX_InvAnfMani {
 public:
  TQLX_InvAnfMani();
  ~TQLX_InvAnfMani();
  TQLX_InvAnfMani(const TQLX_InvAnfMani&) = delete;
  TQLX_InvAnfMani& operator=(const TQLX_InvAnfMani&) = delete;

  // Writes a new request in the requested state. False when the combination
  // of counting date, group and branch is taken (also when another program
  // created it a moment earlier) or after a registered error.
  bool InventurAnlegen(TDate AZaehldat, TDate AWiJahr, const std::string& AWG, int AFiliale);

  // ATotal: articles the request covers; ADa: how many of them already have
  // target stock. Neither is assigned when the request is not (or no longer)
  // in the requested state.
  void InventurAnforderungArtZaehlen(const TVglInvAnf_Inv& AAnforderung, int& ATotal, int& ADa);

  // Article selection, public for the completion and for tests and
  // benchmarks that drive the steps one by one.
  void UnvollstaendigeInventurenLaden(const std::vector<TVglInvAnf_Inv>& AAnforderungen, TInventurListe* AInventuren,
                                      TWarengruppenListe* AWarengruppen, TFilialListe* AFilialen);
  void ProduktIDs_ToDoListeLaden(TInventurListe& AInventuren, TWarengruppenListe& AWarengruppen,
                                 TFilialListe& AFilialen, TToDoListe& AToDo);
  void AAScan(TInventurListe& AInventuren, TToDoListe& AToDo);
  void WGNScan(TInventurListe& AInventuren, TWarengruppenListe& AWarengruppen, TToDoListe& AToDo);
  void BestandPruefen_Btrieve(TInventurListe& AInventuren, TFilialListe& AFilialen, TToDoListe& AToDo);
  void BestandPruefen_SQL(TInventurListe& AInventuren, TFilialListe& AFilialen, TToDoListe& AToDo);
  void TeilAnforderungen_Entfernen(TInventurListe& AInventuren, TToDoListe& AToDo);
  void PruefschaerfeChecken(TToDoListe& AToDo);

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
  void BestandPruefen(TInventurListe& AInventuren, TFilialListe& AFilialen, TToDoListe& AToDo);
  // True when every request's group is empty after trimming (or there are none).
  static bool AlleWarengruppenLeer(const TInventurListe& AInventuren);

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
};
