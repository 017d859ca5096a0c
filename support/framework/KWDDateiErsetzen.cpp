#include "support/framework/KWDDateiErsetzen.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "support/framework/KWDSystemFehler.h"

void KWDDateiErsetzen(const std::string& APfad, const std::string& AInhalt) {
  auto Fehler = [&](int AErrno) {
    return std::runtime_error("Die Datei \u201E" + APfad + "\u201C kann nicht geschrieben werden: " +
                              KWDSystemFehlerText(AErrno) + ".");
  };
  std::string Vorlage = APfad + ".neu.XXXXXX";
  std::vector<char> Name(Vorlage.begin(), Vorlage.end());
  Name.push_back('\0');
  const int Datei = ::mkstemp(Name.data());
  if (Datei < 0) throw Fehler(errno);
  const std::string Temp(Name.data());
  int Fehlernr = 0;
  // Readable as the files the suite writes otherwise (mkstemp makes 0600).
  if (::fchmod(Datei, 0644) != 0) Fehlernr = errno;
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
