#pragma once
// A real child process with its output: the program under test runs exactly
// as a user or another program of the suite would start it.
#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

struct TKindErgebnis {
  int Exit = -1;
  std::string Aus;  // stdout
  std::string Err;  // stderr
};

class TKindProzess {
 public:
  // Starts AProgramm with AArgumente; stdin is /dev/null, stdout comes
  // through a pipe, stderr goes to a file read at the end.
  TKindProzess(const std::string& AProgramm, const std::vector<std::string>& AArgumente);
  ~TKindProzess();  // kills a child still running
  TKindProzess(const TKindProzess&) = delete;
  TKindProzess& operator=(const TKindProzess&) = delete;

  // The next line of stdout, or nothing when none came within AWarten.
  std::optional<std::string> Zeile(std::chrono::milliseconds AWarten);
  void Signal(int ASignal);
  // Waits for the end; nothing when it did not end within AWarten.
  std::optional<TKindErgebnis> Warten(std::chrono::milliseconds AWarten);
  pid_t Pid() const { return FPid; }

 private:
  pid_t FPid = -1;
  int FAus = -1;
  std::string FPuffer;
  std::string FErrDatei;
};

// Runs the program to its end (at most 10 minutes).
TKindErgebnis KindAusfuehren(const std::string& AProgramm, const std::vector<std::string>& AArgumente);

// Runs the program on a terminal of its own (stdin, stdout and stderr):
// waits for each question ending in AFrage and answers it with the next of
// AAntworten. Aus holds everything the terminal showed.
TKindErgebnis KindAmTerminal(const std::string& AProgramm, const std::vector<std::string>& AArgumente,
                             const std::string& AFrage, const std::vector<std::string>& AAntworten);
