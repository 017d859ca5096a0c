#pragma once
// The user reads why a file or folder could not be used in German; the C
// library's own texts are English on most installations.
#include <string>

// A short German reason for an errno value ("keine Berechtigung", ...).
std::string KWDSystemFehlerText(int AErrno);
