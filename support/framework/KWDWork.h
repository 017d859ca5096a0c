#pragma once
// The work bracket: one operation at a time per process. WorkStartTry opens
// it for an owner object under a qualified name; a second WorkStartTry while
// one is open returns false (also for the same owner), until WorkDone closes it.
#include <string>

// ASekunden: how long the operation may expect to run (kept for the log and
// for Working's callers; the bracket itself never times out, as a timeout
// would let a second command start while the first is still writing).
bool WorkStartTry(const void* AObjekt, const std::string& AName, int ASekunden);
// Closes the bracket opened for AObjekt; a WorkDone for another owner (or with
// no open bracket) does nothing, so an unbalanced call cannot release another
// command's bracket.
void WorkDone(const void* AObjekt);
// True while a bracket opened by AObjekt is open; with nullptr: any bracket.
bool Working(const void* AObjekt);
// Name of the open bracket's operation, empty when none.
std::string WorkName();

// Opens the bracket for a scope; Offen() tells whether it was granted.
class TKWDWorkBracket {
 public:
  TKWDWorkBracket(const void* AObjekt, const std::string& AName, int ASekunden)
      : FObjekt(AObjekt), FOffen(WorkStartTry(AObjekt, AName, ASekunden)) {}
  ~TKWDWorkBracket() {
    if (FOffen) WorkDone(FObjekt);
  }
  TKWDWorkBracket(const TKWDWorkBracket&) = delete;
  TKWDWorkBracket& operator=(const TKWDWorkBracket&) = delete;
  bool Offen() const { return FOffen; }

 private:
  const void* FObjekt;
  bool FOffen;
};
