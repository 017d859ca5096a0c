#pragma once
// Replaces a small file in a suite folder as a whole: written under a fresh
// name beside it and renamed over it, so a reader never sees half of it.
// The fresh name is created exclusively (O_EXCL, O_NOFOLLOW), so a link or
// file that someone placed in a shared folder is never written through.
#include <string>

// Throws std::runtime_error with a German text naming APfad.
void KWDDateiErsetzen(const std::string& APfad, const std::string& AInhalt);
