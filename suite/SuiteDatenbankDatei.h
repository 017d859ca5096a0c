#pragma once
// A SQLite company file replaced as a whole: the new company is written to a
// file of its own beside the old one and takes the old one's place only when
// it is complete.
#include <functional>
#include <stdexcept>
#include <string>

// The place cannot take a new company, or the company there cannot be
// replaced now. what() is one German sentence; nothing was changed.
class EFirmaAbgelehnt : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Creates a fresh, empty file beside APfad and calls AFuellen with its path;
// AFuellen makes it a company and closes every connection to it again. Then
// the file takes APfad's place (one rename, synced).
//
// A file at APfad is replaced only with AErsetzen. Before that, a SQLite
// database there gets its write-ahead log folded back into the file (SQLite
// itself does that, then removes the log), so no log of the old company is
// lost while it still stands, nor left to be read against the new file. A
// company another program has open is not replaced (EFirmaAbgelehnt): its
// log is in use. A process that was waiting to open the old file at that
// moment finds it no database rather than working on a file nobody sees.
//
// APfad is resolved once (TKWDDateiZiel of kind Firma): a link is followed
// to the company it names and stays; a folder, device or system entry is
// refused with EKWDZielAbgelehnt before anything is done.
//
// Any failure (a full disk, a failed write, an exception of AFuellen) removes
// the new file and throws on; APfad stays as it was. After a kill the new
// file stays behind under a hidden name; the next call for the same APfad
// removes it (a file whose builder still runs is kept: the builder holds a
// lock on it).
void SqliteDateiNeuAnlegen(const std::string& APfad, bool AErsetzen,
                           const std::function<void(const std::string& ANeu)>& AFuellen);
