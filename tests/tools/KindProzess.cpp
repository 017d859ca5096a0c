#include "tests/tools/KindProzess.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
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
  // No terminal and no input: the program runs as in a script, also when
  // the tests themselves run in a terminal.
  posix_spawn_file_actions_addopen(&aktionen, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
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

TKindErgebnis KindAmTerminal(const std::string& AProgramm, const std::vector<std::string>& AArgumente,
                             const std::string& AFrage, const std::vector<std::string>& AAntworten) {
  std::vector<char*> argv{const_cast<char*>(AProgramm.c_str())};
  for (const auto& a : AArgumente) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  int terminal = -1;
  const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
  if (pid < 0) throw std::runtime_error("forkpty");
  if (pid == 0) {
    execv(AProgramm.c_str(), argv.data());
    _exit(127);
  }
  TKindErgebnis erg;
  size_t beantwortet = 0;
  size_t gesucht = 0;  // where to look for the next question
  const auto ende = std::chrono::steady_clock::now() + std::chrono::minutes(2);
  for (;;) {
    pollfd p{terminal, POLLIN, 0};
    if (poll(&p, 1, 100) > 0) {
      char puffer[4096];
      const ssize_t n = read(terminal, puffer, sizeof puffer);
      if (n <= 0) break;  // the child closed the terminal: it has ended
      erg.Aus.append(puffer, static_cast<size_t>(n));
    }
    if (const auto pos = erg.Aus.find(AFrage, gesucht); pos != std::string::npos && beantwortet < AAntworten.size()) {
      const std::string antwort = AAntworten[beantwortet++] + "\n";
      if (write(terminal, antwort.data(), antwort.size()) < 0) break;
      gesucht = pos + AFrage.size();
    }
    if (std::chrono::steady_clock::now() > ende) {
      kill(pid, SIGKILL);
      break;
    }
  }
  int status = 0;
  waitpid(pid, &status, 0);
  close(terminal);
  erg.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return erg;
}
