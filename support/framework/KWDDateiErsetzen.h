#pragma once
// Replaces a small file in a suite folder as a whole: written under a fresh
// name beside it and renamed over it, so a reader never sees half of it.
// The fresh name is created exclusively (O_EXCL, O_NOFOLLOW), so a link or
// file that someone placed in a shared folder is never written through.
#include <string>

// The new file is created with AModus less the user's umask (0600 for a
// file only its owner may read). Throws std::runtime_error with a German
// text naming APfad.
void KWDDateiErsetzen(const std::string& APfad, const std::string& AInhalt, unsigned AModus = 0666);
