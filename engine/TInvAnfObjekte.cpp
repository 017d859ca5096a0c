// The engine's owned objects, freed in the suite's order.
#include "engine/TInvAnfObjekte.h"

#include <stdexcept>

#include "suite/TInvDel.h"
#include "suite/TQLX_WGN_Iterator.h"
#include "suite/TSimplePriceReader.h"
#include "suite/TWGNMani.h"
#include "suite/TvglInvAnf.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/TKWDInfo.h"
#include "support/recordfile/TAAFile.h"
#include "support/recordfile/TBFFile.h"
#include "support/recordfile/TFvkFile.h"
#include "support/recordfile/Tiafile.h"
#include "support/recordfile/Tivfile.h"

TWGNMani& TInvAnfWGNMani::Dienst() {
  KWDGuard("TQLX_InvAnfMani.WGNMani_CiN", [&] {
    if (!FWGNMani) FWGNMani = GlobWGNMani_GetInstance();
  });
  if (!FWGNMani) throw std::runtime_error("Die Warengruppenverwaltung ist nicht verfügbar");
  return *FWGNMani;
}

void TInvAnfWGNMani::Freigeben() { GlobWGNMani_ReleaseInstance(FWGNMani); }

// Out of line: the files' and services' types are complete only here.
TInvAnfObjekte::TInvAnfObjekte() = default;

TInvAnfObjekte::~TInvAnfObjekte() {
  constexpr const char* KName = "TQLX_InvAnfMani.Destroy";
  KWDZerstoeren(KName, {
                           [&] { InvDel.Freigeben(); },
                           [&] { WGNMani.Freigeben(); },
                           [&] { SPReader.Freigeben(); },
                           [&] { WGNIter.Freigeben(); },
                           [&] { VglInvAnf.Freigeben(); },
                           [&] { IV.Freigeben(); },
                           [&] { FVK.Freigeben(); },
                           [&] { IA.Freigeben(); },
                           [&] { BF.Freigeben(); },
                           [&] { AA.Freigeben(); },
                           [&] { Fortschritt.Freigeben(); },
                           // Errors of the engine still pending surface once more before
                           // the end; one the user has seen already is not shown twice.
                           [&] {
                             KWDGuard("TQLX_InvAnfMani.DestructorException", [&] {
                               try {
                                 KWDInfo().FehlerRaise(KName, 0, "", "", 0, 0);
                               } catch (const EKWDFehler& E) {
                                 if (!E.Gemeldet()) throw;
                               }
                             });
                           },
                       });
}
