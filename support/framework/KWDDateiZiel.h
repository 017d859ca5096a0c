#pragma once
// The place a written file goes to, decided once before any work. Every
// file the programs write (PDF, XLSX, CSV, filed copies, layouts, settings,
// company builds) names its target through a TKWDDateiZiel and is then
// written by KWDDateiErsetzen (KWDDateiErsetzen.h).
//
// Contract of the constructor:
//  - Links are followed to the file they name, link after link (at most
//    40): a link the user keeps a file under stays a link, the file it
//    leads to is replaced. A link that leads nowhere names a new file there.
//  - The target is a regular file or a free name in an existing folder.
//    A folder, a device, a FIFO, a socket, and anything in /proc, /sys or
//    /dev (also reached through a link such as /dev/stdout) is refused.
//  - For TKWDZielArt::Datei (exports, copies, settings): a SQLite database
//    and the files beside it are refused (KWDIstDatenbankDatei), and so are
//    a file the user may not write and a folder the user may not write to.
//    TKWDZielArt::Firma (a company build replacing its database on
//    purpose) skips these; the build checks its place itself.
//  - A refusal throws EKWDZielAbgelehnt: what() is one German sentence
//    naming the path as the user gave it. Nothing is created or changed.
//
// From Qt code: construct it with the path a file dialog returned, catch
// EKWDZielAbgelehnt and show what() (the dialog may then ask again); pass
// the object on to KWDDateiErsetzen. Tools exit with 2 on a refusal.
#include <cstdint>
#include <stdexcept>
#include <string>

class EKWDZielAbgelehnt : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TKWDZielArt { Datei, Firma };

class TKWDDateiZiel {
 public:
  explicit TKWDDateiZiel(const std::string& APfad, TKWDZielArt AArt = TKWDZielArt::Datei);

  // The path as given, for messages.
  const std::string& Angabe() const { return FAngabe; }
  // The file that is written: its folder absolute without links, its last
  // name the one the last link led to.
  const std::string& Pfad() const { return FPfad; }
  const std::string& Ordner() const { return FOrdner; }
  // A file stood there when the target was resolved.
  bool Vorhanden() const { return FVorhanden; }

  // One file in any spelling: the same device and inode when both are
  // there (hard links, links, "./x" and "/abs/x"), else the same resolved
  // path (a new file named twice).
  bool IstDieselbeDatei(const TKWDDateiZiel& AAndere) const;

 private:
  std::string FAngabe;
  std::string FPfad;
  std::string FOrdner;
  bool FVorhanden = false;
  uint64_t FGeraet = 0;
  uint64_t FKnoten = 0;
};

// "Die Datei „APfad“ kann nicht geschrieben werden: AGrund." — the one form
// every refusal and write failure of a file takes.
std::string KWDDateiFehlerText(const std::string& APfad, const std::string& AGrund);
