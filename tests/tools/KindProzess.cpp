#include "tests/tools/KindProzess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

TKindProzess::TKindProzess(const std::string& AProgramm, const std::vector<std::string>& AArgumente) {
  char vorlage[] = "/tmp/wws-kind-err-XXXXXX";
  const int err = mkstemp(vorlage);
  if (err < 0) throw std::runtime_error("mkstemp");
  FErrDatei = vorlage;
  int rohr[2];
  if (pipe(rohr) != 0) throw std::runtime_error("pipe");
  posix_spawn_file_actions_t aktionen;
  posix_spawn_file_actions_init(&aktionen);
  posix_spawn_file_actions_adddup2(&aktionen, rohr[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&aktionen, err, STDERR_FILENO);
  posix_spawn_file_actions_addclose(&aktionen, rohr[0]);
  std::vector<char*> argv{const_cast<char*>(AProgramm.c_str())};
  for (const auto& a : AArgumente) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const int rc = posix_spawn(&FPid, AProgramm.c_str(), &aktionen, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&aktionen);
  close(rohr[1]);
  close(err);
  FAus = rohr[0];
  if (rc != 0) throw std::runtime_error("posix_spawn " + AProgramm);
}

TKindProzess::~TKindProzess() {
  if (FPid > 0) {
    kill(FPid, SIGKILL);
    waitpid(FPid, nullptr, 0);
  }
  if (FAus >= 0) close(FAus);
  unlink(FErrDatei.c_str());
}

std::optional<std::string> TKindProzess::Zeile(std::chrono::milliseconds AWarten) {
  const auto ende = std::chrono::steady_clock::now() + AWarten;
  for (;;) {
    if (auto pos = FPuffer.find('\n'); pos != std::string::npos) {
      std::string z = FPuffer.substr(0, pos);
      FPuffer.erase(0, pos + 1);
      return z;
    }
    const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(ende - std::chrono::steady_clock::now());
    if (rest.count() <= 0) return std::nullopt;
    pollfd p{FAus, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(rest.count())) <= 0) continue;
    char puffer[4096];
    const ssize_t n = read(FAus, puffer, sizeof puffer);
    if (n <= 0) return std::nullopt;  // the child closed its output
    FPuffer.append(puffer, static_cast<size_t>(n));
  }
}

void TKindProzess::Signal(int ASignal) {
  if (FPid > 0) kill(FPid, ASignal);
}

std::optional<TKindErgebnis> TKindProzess::Warten(std::chrono::milliseconds AWarten) {
  const auto ende = std::chrono::steady_clock::now() + AWarten;
  TKindErgebnis erg;
  // Keep draining stdout so a chatty child never blocks on a full pipe.
  for (;;) {
    while (auto z = Zeile(std::chrono::milliseconds(20))) erg.Aus += *z + "\n";
    int status = 0;
    if (waitpid(FPid, &status, WNOHANG) == FPid) {
      FPid = -1;
      while (auto z = Zeile(std::chrono::milliseconds(0))) erg.Aus += *z + "\n";
      erg.Aus += FPuffer;
      erg.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      std::ifstream f(FErrDatei);
      std::stringstream s;
      s << f.rdbuf();
      erg.Err = s.str();
      return erg;
    }
    if (std::chrono::steady_clock::now() > ende) return std::nullopt;
  }
}

TKindErgebnis KindAusfuehren(const std::string& AProgramm, const std::vector<std::string>& AArgumente) {
  TKindProzess kind(AProgramm, AArgumente);
  if (auto erg = kind.Warten(std::chrono::minutes(10))) return *erg;
  throw std::runtime_error(AProgramm + " endet nicht");
}
