#pragma once
// Article selection: which articles each request covers. An article belongs
// to a request when it lies in the request's product group, is present in
// the request's branch (TInvAnfBestandsPruefung), has a check strictness of
// at least 2, and has no target stock booked for the request yet.
//
// Each step registers its own failure under the engine's name for it
// ("TQLX_InvAnfMani.WGNScan", ...) and is then false; the pipeline goes on,
// but a list a failed step left is not to be trusted.
#include <memory>
#include <vector>

#include "engine/InvAnfListen.h"
#include "engine/TInvAnfDatei.h"
#include "support/types/TVglInvAnf_Inv.h"

class TAAFile;
class TBFFile;
class TFvkFile;
class Tiafile;
class Tivfile;
class TQLX_WGN_Iterator;
class TInvAnfWGNMani;
class TInvAnfFortschritt;
class TInvAnfObjekte;

class TInvAnfAuswahl {
 public:
  // What the selection reads (BF and FVK: its stock check's) and shows its
  // progress on.
  struct TBedarf {
    TInvAnfDatei<Tiafile>& IA;
    TInvAnfDatei<TAAFile>& AA;
    TInvAnfDatei<Tivfile>& IV;
    TInvAnfDatei<TBFFile>& BF;
    TInvAnfDatei<TFvkFile>& FVK;
    TInvAnfDienst<TQLX_WGN_Iterator>& WGNIter;
    TInvAnfWGNMani& WGNMani;
    TInvAnfFortschritt& Fortschritt;
  };
  // Those of the engine's holder.
  static TBedarf Bedarf(TInvAnfObjekte& AObjekte);

  explicit TInvAnfAuswahl(const TBedarf& ABedarf);

  // A to-do list sorted by product id, as every step expects it.
  static std::unique_ptr<TToDoListe> ToDoListeErzeugen();

  // The given requests that are still requested under exactly their fiscal
  // year, counting date, product group and branch, sorted by the length of
  // their group; the coarsest groups among them and their branches (sorted).
  bool UnvollstaendigeInventurenLaden(const std::vector<TVglInvAnf_Inv>& AAnforderungen, TInventurListe* AInventuren,
                                      TWarengruppenListe* AWarengruppen, TFilialListe* AFilialen);
  // The to-do list of the loaded requests: every article with the requests
  // that still need its target stock. False when any step failed.
  bool ProduktIDs_ToDoListeLaden(TInventurListe& AInventuren, TWarengruppenListe& AWarengruppen,
                                 TFilialListe& AFilialen, TToDoListe& AToDo);
  // Its first step: the articles of the requests' groups (all articles when
  // no request names one), each with every request whose group holds it.
  bool Scannen(TInventurListe& AInventuren, TWarengruppenListe& AWarengruppen, TToDoListe& AToDo);
  // For the one loaded request: ATotal articles it covers, ADa of them with
  // target stock already. Neither is assigned when a step failed.
  void ArtikelZaehlen(TInventurListe& AInventuren, TWarengruppenListe& AWarengruppen, TFilialListe& AFilialen,
                      int& ATotal, int& ADa);

 private:
  bool AAScan(TInventurListe& AInventuren, TToDoListe& AToDo);
  bool WGNScan(TInventurListe& AInventuren, TWarengruppenListe& AWarengruppen, TToDoListe& AToDo);
  // The stock check the database kind calls for.
  bool BestandPruefen(TInventurListe& AInventuren, TFilialListe& AFilialen, TToDoListe& AToDo);
  bool TeilAnforderungen_Entfernen(TInventurListe& AInventuren, TToDoListe& AToDo);
  bool PruefschaerfeChecken(TToDoListe& AToDo);

  TBedarf FBedarf;
};
