#pragma once
// Replaces a small file in a suite folder as a whole: written under a fresh
// name beside it and renamed over it, so a reader never sees half of it.
// The fresh name is created exclusively (O_EXCL, O_NOFOLLOW), so a link or
// file that someone placed in a shared folder is never written through.
#include <string>

// The new file is created with AModus less the user's umask (0600 for a
// file only its owner may read). Throws std::runtime_error with a German
// text naming APfad; a file of a SQLite database is never replaced.
void KWDDateiErsetzen(const std::string& APfad, const std::string& AInhalt, unsigned AModus = 0666);

// True when APfad is a SQLite database or one of the files SQLite and the
// common lock keep beside it (log, shared memory, journal, block file): an
// export or a PDF named like that would destroy a company.
bool KWDIstDatenbankDatei(const std::string& APfad);

// The German sentence that refuses APfad as the target of a written file.
std::string KWDDatenbankDateiText(const std::string& APfad);
