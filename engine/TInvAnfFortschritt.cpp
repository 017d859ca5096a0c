// The engine's progress window.
#include "engine/TInvAnfFortschritt.h"

#include "support/framework/KWDGuard.h"
#include "support/framework/TKWDInfo.h"
#include "support/framework/TQLX_PEP_Progress_SetPos.h"

TInvAnfFortschritt::TInvAnfFortschritt() {
  KWDGuard("TQLX_InvAnfMani.Create", [&] { FProgress = TQLX_PEP_Progress_SetPos::Create(nullptr); });
}

TInvAnfFortschritt::~TInvAnfFortschritt() = default;

void TInvAnfFortschritt::Freigeben() { FProgress.reset(); }

void TInvAnfFortschritt::ProgressCaption(const std::string& ACaption, const std::string& ADetail, bool AMarquee) {
  KWDGuard("TQLX_InvAnfMani.ProgressCaption", [&] {
    if (!FProgress) return;  // the window could not be made: work on without it
    FProgress->SetCaption(ACaption);
    FProgress->SetDetail(ADetail);
    FProgress->SetStyle(AMarquee ? TProgressBarStyle::pbstMarquee : TProgressBarStyle::pbstNormal);
  });
}

void TInvAnfFortschritt::ProgressDo(int APos, int AMax) {
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

void TInvAnfFortschritt::ProgressShow(bool AModal) {
  KWDGuard("TQLX_InvAnfMani.ProgressShow", [&] {
    if (FProgress) FProgress->ProgressShow(AModal);
  });
}

void TInvAnfFortschritt::ProgressHide() {
  KWDGuard("TQLX_InvAnfMani.ProgressHide", [&] {
    if (FProgress) FProgress->ProgressHide();
  });
}
