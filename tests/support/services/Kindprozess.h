#pragma once
// A real second process for cross-program tests: the helper program, with
// its stdin and stdout connected to the test.
#include <sys/types.h>

#include <string>
#include <vector>

class TKindprozess {
 public:
  explicit TKindprozess(const std::vector<std::string>& AArgumente);
  ~TKindprozess();  // kills and reaps a child still running
  TKindprozess(const TKindprozess&) = delete;
  TKindprozess& operator=(const TKindprozess&) = delete;

  pid_t Pid() const { return FPid; }
  // The next line of its output; empty when none came within ASekunden.
  std::string ZeileLesen(int ASekunden = 30);
  void ZeileSchreiben(const std::string& AZeile);
  void Toeten(int ASignal);
  // Waits for the end; the exit code, or 128 + signal.
  int Warten();

 private:
  pid_t FPid = -1;
  int FEingabe = -1;   // its stdin
  int FAusgabe = -1;   // its stdout
  std::string FPuffer;
  bool FBeendet = false;
};

// The helper program's path.
std::string ServicesHelper();
