#include "support/framework/KWDDateiErsetzen.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <stdexcept>

#include "support/framework/KWDSystemFehler.h"

namespace {

bool BeginntAlsDatenbank(const std::string& APfad) {
  static constexpr char KKopf[] = "SQLite format 3";  // with its zero byte: 16 bytes
  std::array<char, sizeof KKopf> Kopf{};
  const int Datei = ::open(APfad.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (Datei < 0) return false;
  const ssize_t N = ::read(Datei, Kopf.data(), Kopf.size());
  ::close(Datei);
  return N == static_cast<ssize_t>(Kopf.size()) && std::memcmp(Kopf.data(), KKopf, Kopf.size()) == 0;
}

// 0, or the errno of the first failed write.
int AllesSchreiben(int ADatei, const char* ADaten, size_t ALaenge) {
  for (size_t Geschrieben = 0; Geschrieben < ALaenge;) {
    const ssize_t N = ::write(ADatei, ADaten + Geschrieben, ALaenge - Geschrieben);
    if (N < 0 && errno == EINTR) continue;
    if (N < 0) return errno;
    Geschrieben += static_cast<size_t>(N);
  }
  return 0;
}

// AFuellen writes the content into the open file and returns 0 or an errno value.
void Ersetzen(const TKWDDateiZiel& AZiel, unsigned AModus, const std::function<int(int)>& AFuellen) {
  auto Fehler = [&](int AErrno) {
    return std::runtime_error(KWDDateiFehlerText(AZiel.Angabe(), KWDSystemFehlerText(AErrno)));
  };
  // A fresh name, created exclusively and never through a link; the mode
  // follows the user's umask as any file the suite writes.
  std::random_device Zufall;
  std::string Temp;
  int Datei = -1;
  for (int Versuch = 0; Datei < 0 && Versuch < 100; ++Versuch) {
    Temp = AZiel.Pfad() + ".neu." + std::to_string(::getpid()) + "." + std::to_string(Zufall());
    Datei = ::open(Temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, static_cast<mode_t>(AModus));
    if (Datei < 0 && errno != EEXIST) break;
  }
  if (Datei < 0) throw Fehler(errno);
  int Fehlernr = 0;
  try {
    Fehlernr = AFuellen(Datei);
  } catch (...) {
    // Whatever made the content failed: nothing of it stays.
    ::close(Datei);
    ::unlink(Temp.c_str());
    throw;
  }
  // On the disk before the name points to it: after a crash the old file or the whole new one.
  if (Fehlernr == 0 && ::fsync(Datei) != 0) Fehlernr = errno;
  if (::close(Datei) != 0 && Fehlernr == 0) Fehlernr = errno;
  if (Fehlernr != 0) {
    ::unlink(Temp.c_str());
    throw Fehler(Fehlernr);
  }
  // What stood at the place when it was resolved may have been swapped for
  // a link or a device meanwhile: the rename would replace that.
  struct stat Info {};
  if (::lstat(AZiel.Pfad().c_str(), &Info) == 0 && !S_ISREG(Info.st_mode)) {
    ::unlink(Temp.c_str());
    throw EKWDZielAbgelehnt(
        KWDDateiFehlerText(AZiel.Angabe(), "an ihrer Stelle steht jetzt keine gewöhnliche Datei mehr"));
  }
  if (std::rename(Temp.c_str(), AZiel.Pfad().c_str()) != 0) {
    const int Nr = errno;
    ::unlink(Temp.c_str());
    throw Fehler(Nr);
  }
}

}  // namespace

bool KWDIstDatenbankDatei(const std::string& APfad) {
  if (BeginntAlsDatenbank(APfad)) return true;
  // The files beside a database carry no header of their own (or are empty):
  // they are known by the database they belong to.
  for (const char* Rest : {"-wal", "-shm", "-journal", ".block11"}) {
    const size_t L = std::strlen(Rest);
    if (APfad.size() > L && APfad.compare(APfad.size() - L, L, Rest) == 0 &&
        BeginntAlsDatenbank(APfad.substr(0, APfad.size() - L)))
      return true;
  }
  return false;
}

std::string KWDDatenbankDateiText(const std::string& APfad) {
  return "Die Datei \u201E" + APfad +
         "\u201C gehört zu einer Datenbank und wird nicht überschrieben; bitte einen "
         "anderen Dateinamen wählen.";
}

void KWDDateiErsetzen(const TKWDDateiZiel& AZiel, const std::string& AInhalt, unsigned AModus) {
  Ersetzen(AZiel, AModus, [&](int ADatei) { return AllesSchreiben(ADatei, AInhalt.data(), AInhalt.size()); });
}

void KWDDateiErsetzen(const std::string& APfad, const std::string& AInhalt, unsigned AModus) {
  KWDDateiErsetzen(TKWDDateiZiel(APfad), AInhalt, AModus);
}

void KWDDateiErsetzenStueckweise(const TKWDDateiZiel& AZiel,
                                 const std::function<void(const TKWDStueckSchreiber&)>& AFuellen, unsigned AModus) {
  Ersetzen(AZiel, AModus, [&](int ADatei) {
    int Fehlernr = 0;
    AFuellen([&](std::string_view AStueck) {
      if (Fehlernr == 0) Fehlernr = AllesSchreiben(ADatei, AStueck.data(), AStueck.size());
    });
    return Fehlernr;
  });
}

void KWDDateiErsetzenAus(const TKWDDateiZiel& AZiel, const std::string& AQuelle, unsigned AModus) {
  Ersetzen(AZiel, AModus, [&](int ADatei) {
    const int Quelle = ::open(AQuelle.c_str(), O_RDONLY | O_CLOEXEC);
    if (Quelle < 0) return errno;
    std::array<char, 1 << 16> Puffer{};
    int Fehlernr = 0;
    for (;;) {
      const ssize_t N = ::read(Quelle, Puffer.data(), Puffer.size());
      if (N < 0 && errno == EINTR) continue;
      if (N <= 0) {
        if (N < 0) Fehlernr = errno;
        break;
      }
      if ((Fehlernr = AllesSchreiben(ADatei, Puffer.data(), static_cast<size_t>(N))) != 0) break;
    }
    ::close(Quelle);
    return Fehlernr;
  });
}
