#include "support/framework/KWDDateiZiel.h"

#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "support/framework/KWDDateiErsetzen.h"
#include "support/framework/KWDSystemFehler.h"

namespace fs = std::filesystem;

namespace {

constexpr int KMaxVerknuepfungen = 40;  // as the kernel's own limit

const char* const KKeineDatei =
    "das ist keine gewöhnliche Datei (ein Gerät, eine Pipe oder ein Eintrag des Systems); dort kann keine Datei "
    "entstehen";

bool Unter(const std::string& AOrdner, const char* AWurzel) {
  const std::string W(AWurzel);
  return AOrdner == W || AOrdner.starts_with(W + "/");
}

// The kernel's own folders hold no files of ours, whatever name they are
// reached under.
bool SystemOrdner(const std::string& AOrdner) {
  if (Unter(AOrdner, "/proc") || Unter(AOrdner, "/sys") || Unter(AOrdner, "/dev")) return true;
  struct statfs Info {};
  if (::statfs(AOrdner.c_str(), &Info) != 0) return false;
  return Info.f_type == PROC_SUPER_MAGIC || Info.f_type == SYSFS_MAGIC || Info.f_type == DEVPTS_SUPER_MAGIC;
}

std::string Verknuepfung(const std::string& APfad) {
  std::string Ziel(PATH_MAX, '\0');
  const ssize_t N = ::readlink(APfad.c_str(), Ziel.data(), Ziel.size());
  if (N < 0) return {};
  Ziel.resize(static_cast<size_t>(N));
  return Ziel;
}

}  // namespace

std::string KWDDateiFehlerText(const std::string& APfad, const std::string& AGrund) {
  return "Die Datei \u201E" + APfad + "\u201C kann nicht geschrieben werden: " + AGrund + ".";
}

TKWDDateiZiel::TKWDDateiZiel(const std::string& APfad, TKWDZielArt AArt) : FAngabe(APfad) {
  auto Ablehnen = [&](const std::string& AGrund) { return EKWDZielAbgelehnt(KWDDateiFehlerText(APfad, AGrund)); };
  if (APfad.empty()) throw EKWDZielAbgelehnt("Es ist kein Dateiname angegeben.");
  std::error_code F;
  fs::path Aktuell = fs::absolute(APfad, F);
  if (F) throw Ablehnen(KWDSystemFehlerText(F.value()));
  for (int Schritt = 0;; ++Schritt) {
    if (Schritt > KMaxVerknuepfungen) throw Ablehnen("die Verknüpfungen führen im Kreis oder zu weit");
    const fs::path Name = Aktuell.filename();
    if (Name.empty() || Name == "." || Name == "..") {
      // "ordner/", "x/..": a folder's name, never a file's.
      struct stat Info {};
      throw Ablehnen(::stat(Aktuell.c_str(), &Info) == 0 && S_ISDIR(Info.st_mode)
                         ? KWDSystemFehlerText(EISDIR)
                         : std::string("der Name endet nicht mit einem Dateinamen"));
    }
    const std::unique_ptr<char, decltype(&std::free)> Echt(::realpath(Aktuell.parent_path().c_str(), nullptr),
                                                           &std::free);
    if (!Echt) throw Ablehnen(KWDSystemFehlerText(errno));
    FOrdner = Echt.get();
    if (SystemOrdner(FOrdner)) throw Ablehnen(KKeineDatei);
    const std::string Voll = (fs::path(FOrdner) / Name).string();
    struct stat Info {};
    if (::lstat(Voll.c_str(), &Info) != 0) {
      if (errno != ENOENT) throw Ablehnen(KWDSystemFehlerText(errno));
      FPfad = Voll;
      break;
    }
    if (S_ISLNK(Info.st_mode)) {
      const std::string Ziel = Verknuepfung(Voll);
      if (Ziel.empty()) throw Ablehnen(KWDSystemFehlerText(errno ? errno : ENOENT));
      Aktuell = fs::path(Ziel).is_absolute() ? fs::path(Ziel) : fs::path(FOrdner) / Ziel;
      continue;
    }
    if (S_ISDIR(Info.st_mode)) throw Ablehnen(KWDSystemFehlerText(EISDIR));
    if (!S_ISREG(Info.st_mode)) throw Ablehnen(KKeineDatei);
    FPfad = Voll;
    FVorhanden = true;
    FGeraet = static_cast<uint64_t>(Info.st_dev);
    FKnoten = static_cast<uint64_t>(Info.st_ino);
    break;
  }
  if (AArt == TKWDZielArt::Firma) return;

  if (KWDIstDatenbankDatei(FPfad)) throw EKWDZielAbgelehnt(KWDDatenbankDateiText(APfad));
  // The file is written beside its place and renamed: the folder must take
  // a new file, and a file already there must be one the user may replace.
  if (FVorhanden && ::access(FPfad.c_str(), W_OK) != 0 && errno != EROFS)
    throw EKWDZielAbgelehnt("Die Datei \u201E" + APfad + "\u201C darf von Ihnen nicht überschrieben werden.");
  if (::access(FOrdner.c_str(), W_OK | X_OK) != 0) {
    if (errno == EACCES || errno == EPERM)
      throw EKWDZielAbgelehnt("In den Ordner \u201E" + FOrdner + "\u201C dürfen Sie nicht schreiben.");
    throw Ablehnen(KWDSystemFehlerText(errno));
  }
}

bool TKWDDateiZiel::IstDieselbeDatei(const TKWDDateiZiel& AAndere) const {
  if (FVorhanden && AAndere.FVorhanden) return FGeraet == AAndere.FGeraet && FKnoten == AAndere.FKnoten;
  return FPfad == AAndere.FPfad;
}
