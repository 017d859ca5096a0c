#include "support/framework/KWDDateiErsetzen.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <array>
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
  return "Die Datei \u201E" + APfad + "\u201C gehört zu einer Datenbank und wird nicht überschrieben; bitte einen "
         "anderen Dateinamen wählen.";
}

void KWDDateiErsetzen(const std::string& APfad, const std::string& AInhalt, unsigned AModus) {
  if (KWDIstDatenbankDatei(APfad)) throw std::runtime_error(KWDDatenbankDateiText(APfad));
  auto Fehler = [&](int AErrno) {
    return std::runtime_error("Die Datei \u201E" + APfad + "\u201C kann nicht geschrieben werden: " +
                              KWDSystemFehlerText(AErrno) + ".");
  };
  // A fresh name, created exclusively and never through a link; the mode
  // follows the user's umask as any file the suite writes.
  std::random_device Zufall;
  std::string Temp;
  int Datei = -1;
  for (int Versuch = 0; Datei < 0 && Versuch < 100; ++Versuch) {
    Temp = APfad + ".neu." + std::to_string(::getpid()) + "." + std::to_string(Zufall());
    Datei = ::open(Temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                   static_cast<mode_t>(AModus));
    if (Datei < 0 && errno != EEXIST) break;
  }
  if (Datei < 0) throw Fehler(errno);
  int Fehlernr = 0;
  for (size_t Geschrieben = 0; Fehlernr == 0 && Geschrieben < AInhalt.size();) {
    const ssize_t N = ::write(Datei, AInhalt.data() + Geschrieben, AInhalt.size() - Geschrieben);
    if (N < 0 && errno == EINTR) continue;
    if (N < 0) Fehlernr = errno;
    else Geschrieben += static_cast<size_t>(N);
  }
  if (::close(Datei) != 0 && Fehlernr == 0) Fehlernr = errno;
  if (Fehlernr == 0 && std::rename(Temp.c_str(), APfad.c_str()) != 0) Fehlernr = errno;
  if (Fehlernr != 0) {
    ::unlink(Temp.c_str());
    throw Fehler(Fehlernr);
  }
}
