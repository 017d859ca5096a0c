#include "printing/IALDatei.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "support/framework/KWDOrdner.h"
#include "support/framework/TKWDProgramm.h"

namespace {
constexpr std::string_view KPraefix = "IALfile.";

// The process id of a count-list file's name ("IALfile.00012345", also with
// "-wal" or "-shm"), 0 for any other name.
long ProzessDerDatei(const std::string& AName) {
  if (AName.rfind(KPraefix, 0) != 0) return 0;
  long Pid = 0;
  size_t I = KPraefix.size();
  for (; I < AName.size() && AName[I] >= '0' && AName[I] <= '9' && Pid < 100000000; ++I) Pid = Pid * 10 + (AName[I] - '0');
  if (I == KPraefix.size()) return 0;
  const std::string Rest = AName.substr(I);
  return Rest.empty() || Rest == "-wal" || Rest == "-shm" || Rest == "-journal" ? Pid : 0;
}

bool Laeuft(long APid) { return ::kill(static_cast<pid_t>(APid), 0) == 0 || errno == EPERM; }
}  // namespace

std::string IALDateiName() { return std::string(KPraefix) + KWDProgramm().ProzessIdFormated(); }

std::string IALDateiPfad() { return GetDirWwsByName(KWD_ORDNER_DATEN, IALDateiName(), true); }

int IALAltdateienEntfernen() {
  namespace fs = std::filesystem;
  int Entfernt = 0;
  std::error_code F;
  const long Eigene = static_cast<long>(::getpid());
  for (const auto& Eintrag : fs::directory_iterator(GetDirWwsByName(KWD_ORDNER_DATEN, "", true), F)) {
    const std::string Name = Eintrag.path().filename().string();
    const long Pid = ProzessDerDatei(Name);
    if (Pid <= 0 || Pid == Eigene || Laeuft(Pid)) continue;
    struct stat Info {};
    if (::lstat(Eintrag.path().c_str(), &Info) != 0) continue;
    if (!S_ISLNK(Info.st_mode) && Info.st_uid != ::geteuid()) continue;
    if (fs::remove(Eintrag.path(), F)) ++Entfernt;
  }
  return Entfernt;
}
