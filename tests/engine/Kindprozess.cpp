#include "tests/engine/Kindprozess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

TKindprozess TKindprozess::Starten(const std::vector<std::string>& AArgs, bool AMitAusgabe) {
  TKindprozess K;
  std::vector<char*> Argv;
  for (const auto& A : AArgs) Argv.push_back(const_cast<char*>(A.c_str()));
  Argv.push_back(nullptr);
  posix_spawn_file_actions_t Aktionen;
  posix_spawn_file_actions_init(&Aktionen);
  int Rohr[2] = {-1, -1};
  if (AMitAusgabe && pipe(Rohr) == 0) {
    posix_spawn_file_actions_adddup2(&Aktionen, Rohr[1], 1);
    posix_spawn_file_actions_addclose(&Aktionen, Rohr[0]);
    posix_spawn_file_actions_addclose(&Aktionen, Rohr[1]);
  }
  if (posix_spawn(&K.Pid, Argv[0], &Aktionen, nullptr, Argv.data(), environ) != 0) K.Pid = -1;
  posix_spawn_file_actions_destroy(&Aktionen);
  if (Rohr[1] >= 0) close(Rohr[1]);
  K.Ausgabe = Rohr[0];
  return K;
}

bool TKindprozess::AufZeileWarten(const std::string& APraefix) {
  std::string Zeile;
  char C = 0;
  while (Ausgabe >= 0 && read(Ausgabe, &C, 1) == 1) {
    if (C != '\n') {
      Zeile += C;
      continue;
    }
    if (Zeile.rfind(APraefix, 0) == 0) return true;
    Zeile.clear();
  }
  return false;
}

int TKindprozess::Ende() {
  int Status = 0;
  if (Pid > 0) waitpid(Pid, &Status, 0);
  if (Ausgabe >= 0) close(Ausgabe);
  Ausgabe = -1;
  Pid = -1;
  return WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status);
}

void TKindprozess::Signal(int ASignal) const {
  if (Pid > 0) kill(Pid, ASignal);
}
