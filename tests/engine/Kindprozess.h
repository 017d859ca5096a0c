#pragma once
// Real second programs for the cross-program tests: start, read their
// output line by line, wait for their end.
#include <sys/types.h>

#include <string>
#include <vector>

struct TKindprozess {
  pid_t Pid = -1;
  int Ausgabe = -1;  // read end of its stdout, when asked for

  // Starts AArgs[0] with the test's environment; AMitAusgabe pipes stdout.
  static TKindprozess Starten(const std::vector<std::string>& AArgs, bool AMitAusgabe = false);
  // Reads stdout until a line beginning with APraefix (true) or its end (false).
  bool AufZeileWarten(const std::string& APraefix);
  // Waits for the end: exit code, or 128 + signal.
  int Ende();
  void Signal(int ASignal) const;
};
