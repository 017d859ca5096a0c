// Construction, destruction, lazy creators and progress of the engine.
#include "engine/TQLX_InvAnfMani.h"

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

TQLX_InvAnfMani::TQLX_InvAnfMani() {
  KWDGuard("TQLX_InvAnfMani.Create", [&] { FProgress = TQLX_PEP_Progress_SetPos::Create(nullptr); });
}

TQLX_InvAnfMani::~TQLX_InvAnfMani() {
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

void TQLX_InvAnfMani::AAFile_CiNoC() { DateiBereitstellen("TQLX_InvAnfMani.AAFile_CiNoC", FAAFile); }
void TQLX_InvAnfMani::BFFile_CiNoC() { DateiBereitstellen("TQLX_InvAnfMani.BFFile_CiNoC", FBFFile); }
void TQLX_InvAnfMani::FVKFile_CiNoC() { DateiBereitstellen("TQLX_InvAnfMani.FVKFile_CiNoC", FFVKFile); }
void TQLX_InvAnfMani::IAFile_CiNoC() { DateiBereitstellen("TQLX_InvAnfMani.IAFile_CiNoC", FIAFile); }
void TQLX_InvAnfMani::IVFile_CiNoC() { DateiBereitstellen("TQLX_InvAnfMani.IVFile_CiNoC", FIVFile); }

void TQLX_InvAnfMani::InvDel_CiN() { DienstBereitstellen("TQLX_InvAnfMani.InvDel_CiN", FInvDel); }
void TQLX_InvAnfMani::SPReader_CiN() { DienstBereitstellen("TQLX_InvAnfMani.SPReader_CiN", FSPReader); }
void TQLX_InvAnfMani::VglInvAnf_CiN() { DienstBereitstellen("TQLX_InvAnfMani.VglInvAnf_CiN", FvglInvAnf); }
void TQLX_InvAnfMani::WGNIter_CiN() { DienstBereitstellen("TQLX_InvAnfMani.WGNIter_CiN", FWGNIter); }

void TQLX_InvAnfMani::WGNMani_CiN() {
  KWDGuard("TQLX_InvAnfMani.WGNMani_CiN", [&] {
    if (!FWGNMani) FWGNMani = GlobWGNMani_GetInstance();
  });
}

std::unique_ptr<TToDoListe> TQLX_InvAnfMani::ToDoListeErzeugen() {
  return std::make_unique<TToDoListe>(TProduktID_Indizee::ComparerGet());
}

void TQLX_InvAnfMani::ProgressCaption(const std::string& ACaption, const std::string& ADetail, bool AMarquee) {
  KWDGuard("TQLX_InvAnfMani.ProgressCaption", [&] {
    if (!FProgress) return;  // the window could not be made: work on without it
    FProgress->SetCaption(ACaption);
    FProgress->SetDetail(ADetail);
    FProgress->SetStyle(AMarquee ? TProgressBarStyle::pbstMarquee : TProgressBarStyle::pbstNormal);
  });
}

void TQLX_InvAnfMani::ProgressDo(int APos, int AMax) {
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

void TQLX_InvAnfMani::ProgressShow(bool AModal) {
  KWDGuard("TQLX_InvAnfMani.ProgressShow", [&] {
    if (FProgress) FProgress->ProgressShow(AModal);
  });
}

void TQLX_InvAnfMani::ProgressHide() {
  KWDGuard("TQLX_InvAnfMani.ProgressHide", [&] {
    if (FProgress) FProgress->ProgressHide();
  });
}
