// The engine's owned objects: made on first need, freed in the suite's order.
#include "engine/TInvAnfObjekte.h"

#include <stdexcept>

#include "engine/InvAnfIntern.h"
#include "suite/TInvDel.h"
#include "suite/TQLX_WGN_Iterator.h"
#include "suite/TSimplePriceReader.h"
#include "suite/TWGNMani.h"
#include "suite/TvglInvAnf.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/TKWDInfo.h"
#include "support/framework/TQLX_PEP_Progress_SetPos.h"
#include "support/recordfile/TAAFile.h"
#include "support/recordfile/TBFFile.h"
#include "support/recordfile/TFvkFile.h"
#include "support/recordfile/Tiafile.h"
#include "support/recordfile/Tivfile.h"

using InvAnfIntern::Bereit;

namespace {
// Record files are opened shared for reading and writing, in the table's own layout.
constexpr int KOpenMode = RF_OPEN_NORMAL;
constexpr int KKanal = -1;

// Creates the file when absent, else resets it so no key value or filter of
// an earlier use survives. The field keeps its value when creation fails.
template <class F>
void DateiBereitstellen(const char* AName, std::unique_ptr<F>& AFeld) {
  KWDGuard(AName, [&] {
    if (AFeld)
      AFeld->ResetForReuse();
    else
      AFeld = std::make_unique<F>(KOpenMode, KKanal);
  });
}

template <class S>
void DienstBereitstellen(const char* AName, std::unique_ptr<S>& AFeld) {
  KWDGuard(AName, [&] {
    if (!AFeld) AFeld = std::make_unique<S>();
  });
}
}  // namespace

TInvAnfObjekte::TInvAnfObjekte() {
  KWDGuard("TQLX_InvAnfMani.Create", [&] { FProgress = TQLX_PEP_Progress_SetPos::Create(nullptr); });
}

TInvAnfObjekte::~TInvAnfObjekte() {
  constexpr const char* KName = "TQLX_InvAnfMani.Destroy";
  KWDZerstoeren(KName, {
                           [&] { FInvDel.reset(); },
                           [&] { GlobWGNMani_ReleaseInstance(FWGNMani); },
                           [&] { FSPReader.reset(); },
                           [&] { FWGNIter.reset(); },
                           [&] { FvglInvAnf.reset(); },
                           [&] { FIVFile.reset(); },
                           [&] { FFVKFile.reset(); },
                           [&] { FIAFile.reset(); },
                           [&] { FBFFile.reset(); },
                           [&] { FAAFile.reset(); },
                           [&] { FProgress.reset(); },
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

void TInvAnfObjekte::AAFile_CiNoC() { DateiBereitstellen("TQLX_InvAnfMani.AAFile_CiNoC", FAAFile); }
void TInvAnfObjekte::BFFile_CiNoC() { DateiBereitstellen("TQLX_InvAnfMani.BFFile_CiNoC", FBFFile); }
void TInvAnfObjekte::FVKFile_CiNoC() { DateiBereitstellen("TQLX_InvAnfMani.FVKFile_CiNoC", FFVKFile); }
void TInvAnfObjekte::IAFile_CiNoC() { DateiBereitstellen("TQLX_InvAnfMani.IAFile_CiNoC", FIAFile); }
void TInvAnfObjekte::IVFile_CiNoC() { DateiBereitstellen("TQLX_InvAnfMani.IVFile_CiNoC", FIVFile); }

void TInvAnfObjekte::InvDel_CiN() { DienstBereitstellen("TQLX_InvAnfMani.InvDel_CiN", FInvDel); }
void TInvAnfObjekte::SPReader_CiN() { DienstBereitstellen("TQLX_InvAnfMani.SPReader_CiN", FSPReader); }
void TInvAnfObjekte::VglInvAnf_CiN() { DienstBereitstellen("TQLX_InvAnfMani.VglInvAnf_CiN", FvglInvAnf); }
void TInvAnfObjekte::WGNIter_CiN() { DienstBereitstellen("TQLX_InvAnfMani.WGNIter_CiN", FWGNIter); }

void TInvAnfObjekte::WGNMani_CiN() {
  KWDGuard("TQLX_InvAnfMani.WGNMani_CiN", [&] {
    if (!FWGNMani) FWGNMani = GlobWGNMani_GetInstance();
  });
}

TAAFile& TInvAnfObjekte::AAFile() {
  AAFile_CiNoC();
  return Bereit(FAAFile, "Die Artikeldatei");
}
TBFFile& TInvAnfObjekte::BFFile() {
  BFFile_CiNoC();
  return Bereit(FBFFile, "Die Bestandsdatei");
}
TFvkFile& TInvAnfObjekte::FVKFile() {
  FVKFile_CiNoC();
  return Bereit(FFVKFile, "Die Filialverkaufsdatei");
}
Tiafile& TInvAnfObjekte::IAFile() {
  IAFile_CiNoC();
  return Bereit(FIAFile, "Die Anforderungsdatei");
}
Tivfile& TInvAnfObjekte::IVFile() {
  IVFile_CiNoC();
  return Bereit(FIVFile, "Die Inventurdatei");
}
TvglInvAnf& TInvAnfObjekte::VglInvAnf() {
  VglInvAnf_CiN();
  return Bereit(FvglInvAnf, "Der Anforderungsdienst");
}
TQLX_WGN_Iterator& TInvAnfObjekte::WGNIter() {
  WGNIter_CiN();
  return Bereit(FWGNIter, "Der Warengruppen-Iterator");
}
TWGNMani& TInvAnfObjekte::WGNMani() {
  WGNMani_CiN();
  if (!FWGNMani) throw std::runtime_error("Die Warengruppenverwaltung ist nicht verfügbar");
  return *FWGNMani;
}
TSimplePriceReader& TInvAnfObjekte::SPReader() {
  SPReader_CiN();
  return Bereit(FSPReader, "Der Preisleser");
}
TInvDel& TInvAnfObjekte::InvDel() {
  InvDel_CiN();
  return Bereit(FInvDel, "Der Inventur-Löschdienst");
}

void TInvAnfObjekte::ProgressCaption(const std::string& ACaption, const std::string& ADetail, bool AMarquee) {
  KWDGuard("TQLX_InvAnfMani.ProgressCaption", [&] {
    if (!FProgress) return;  // the window could not be made: work on without it
    FProgress->SetCaption(ACaption);
    FProgress->SetDetail(ADetail);
    FProgress->SetStyle(AMarquee ? TProgressBarStyle::pbstMarquee : TProgressBarStyle::pbstNormal);
  });
}

void TInvAnfObjekte::ProgressDo(int APos, int AMax) {
  KWDGuard("TQLX_InvAnfMani.ProgressDo", [&] {
    if (!FProgress) return;
    if (FProgress->Style() == TProgressBarStyle::pbstMarquee) {
      FProgress->StepIt();
      KWDInfoProcessMessages(300);
      return;
    }
    if (FProgress->Max() != AMax) FProgress->SetMax(AMax);
    if (FProgress->Pos() != APos) FProgress->SetPos(APos);
  });
}

void TInvAnfObjekte::ProgressShow(bool AModal) {
  KWDGuard("TQLX_InvAnfMani.ProgressShow", [&] {
    if (FProgress) FProgress->ProgressShow(AModal);
  });
}

void TInvAnfObjekte::ProgressHide() {
  KWDGuard("TQLX_InvAnfMani.ProgressHide", [&] {
    if (FProgress) FProgress->ProgressHide();
  });
}
