#include "Kindprozess.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

std::string ServicesHelper() { return WWS_SERVICES_HELPER; }

TKindprozess::TKindprozess(const std::vector<std::string>& AArgumente) {
  int Ein[2], Aus[2];
  if (pipe(Ein) != 0 || pipe(Aus) != 0) throw std::runtime_error("pipe");
  FPid = fork();
  if (FPid < 0) throw std::runtime_error("fork");
  if (FPid == 0) {
    dup2(Ein[0], 0);
    dup2(Aus[1], 1);
    close(Ein[0]);
    close(Ein[1]);
    close(Aus[0]);
    close(Aus[1]);
    std::vector<char*> Argv;
    for (const auto& A : AArgumente) Argv.push_back(const_cast<char*>(A.c_str()));
    Argv.push_back(nullptr);
    execv(Argv[0], Argv.data());
    _exit(127);
  }
  close(Ein[0]);
  close(Aus[1]);
  FEingabe = Ein[1];
  FAusgabe = Aus[0];
}

TKindprozess::~TKindprozess() {
  if (!FBeendet) {
    kill(FPid, SIGKILL);
    Warten();
  }
  if (FEingabe >= 0) close(FEingabe);
  if (FAusgabe >= 0) close(FAusgabe);
}

std::string TKindprozess::ZeileLesen(int ASekunden) {
  auto Ende = std::chrono::steady_clock::now() + std::chrono::seconds(ASekunden);
  for (;;) {
    if (auto Pos = FPuffer.find('\n'); Pos != std::string::npos) {
      std::string Zeile = FPuffer.substr(0, Pos);
      FPuffer.erase(0, Pos + 1);
      return Zeile;
    }
    auto Rest = std::chrono::duration_cast<std::chrono::milliseconds>(Ende - std::chrono::steady_clock::now());
    if (Rest.count() <= 0) return {};
    pollfd P{FAusgabe, POLLIN, 0};
    if (poll(&P, 1, static_cast<int>(Rest.count())) <= 0) continue;
    char Puffer[256];
    ssize_t N = read(FAusgabe, Puffer, sizeof Puffer);
    if (N <= 0) return {};
    FPuffer.append(Puffer, static_cast<size_t>(N));
  }
}

void TKindprozess::ZeileSchreiben(const std::string& AZeile) {
  std::string Text = AZeile + "\n";
  if (write(FEingabe, Text.data(), Text.size()) != static_cast<ssize_t>(Text.size()))
    throw std::runtime_error("write to child");
}

void TKindprozess::Toeten(int ASignal) { kill(FPid, ASignal); }

int TKindprozess::Warten() {
  int Status = 0;
  while (waitpid(FPid, &Status, 0) < 0 && errno == EINTR) {
  }
  FBeendet = true;
  if (WIFSIGNALED(Status)) return 128 + WTERMSIG(Status);
  return WEXITSTATUS(Status);
}
