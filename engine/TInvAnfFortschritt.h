#pragma once
// The engine's progress window. Without one (it could not be made) its
// calls do nothing and the work goes on; each call registers its own
// failure ("TQLX_InvAnfMani.ProgressDo", ...).
#include <memory>
#include <string>

class TQLX_PEP_Progress_SetPos;

class TInvAnfFortschritt {
 public:
  TInvAnfFortschritt();
  ~TInvAnfFortschritt();
  TInvAnfFortschritt(const TInvAnfFortschritt&) = delete;
  TInvAnfFortschritt& operator=(const TInvAnfFortschritt&) = delete;

  void ProgressCaption(const std::string& ACaption, const std::string& ADetail, bool AMarquee);
  // Marquee: one step on and the window's messages run; else maximum and position.
  void ProgressDo(int APos, int AMax);
  void ProgressShow(bool AModal);
  void ProgressHide();
  // The window goes (the engine's end frees it in the suite's order).
  void Freigeben();

  // The window shown for one operation and hidden on every way out, also
  // when a failure of the database passes on to the caller's guard.
  class TSichtbar {
   public:
    explicit TSichtbar(TInvAnfFortschritt& AFortschritt) : FFortschritt(AFortschritt) {
      FFortschritt.ProgressShow(false);
    }
    ~TSichtbar() { FFortschritt.ProgressHide(); }
    TSichtbar(const TSichtbar&) = delete;
    TSichtbar& operator=(const TSichtbar&) = delete;

   private:
    TInvAnfFortschritt& FFortschritt;
  };

 private:
  std::unique_ptr<TQLX_PEP_Progress_SetPos> FProgress;
};
