#pragma once
// A presenter that answers from a script and records what it was shown:
// for tests and for automation (invanf-cli). Installs itself on construction
// and restores the previous presenter when the returned scope ends.
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "support/framework/KWDMeldungPresenter.h"

class TKWDSkriptPresenter : public TKWDMeldungPresenter {
 public:
  // Answers queued with Antworten are used in order; when the queue is empty
  // a question gets AStandard and a notice gets KWD_MR_OK.
  explicit TKWDSkriptPresenter(int AStandard = KWD_MR_NO) : FStandard(AStandard) {}
  int Zeigen(const TKWDMeldung& AMeldung) override;
  void Antworten(std::initializer_list<int> AAntworten);
  std::vector<TKWDMeldung> Gezeigt() const;
  void Leeren();

 private:
  mutable std::mutex FMutex;
  int FStandard;
  std::deque<int> FAntworten;
  std::vector<TKWDMeldung> FGezeigt;
};

// Installs a scripted presenter for the scope and restores the old one after.
class TKWDSkriptPresenterScope {
 public:
  explicit TKWDSkriptPresenterScope(int AStandard = KWD_MR_NO);
  ~TKWDSkriptPresenterScope();
  TKWDSkriptPresenterScope(const TKWDSkriptPresenterScope&) = delete;
  TKWDSkriptPresenterScope& operator=(const TKWDSkriptPresenterScope&) = delete;
  TKWDSkriptPresenter& operator*() const { return *FPresenter; }
  TKWDSkriptPresenter* operator->() const { return FPresenter.get(); }

 private:
  std::shared_ptr<TKWDSkriptPresenter> FPresenter;
  std::shared_ptr<TKWDMeldungPresenter> FAlt;
};
