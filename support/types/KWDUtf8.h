#pragma once
// UTF-8 as the suite stores and shows text. One strict check for every text
// a user gives (command lines, dialogs) and every text written for other
// programs: overlong forms, surrogates (U+D800..U+DFFF), code points above
// U+10FFFF and cut sequences are no UTF-8.
#include <string>
#include <string_view>

// True when AText is valid UTF-8 throughout.
bool KWDIstUtf8(std::string_view AText);

// The characters (code points) of AText, counting its bytes that begin
// one; in valid UTF-8 that is every character.
size_t KWDUtf8Zeichen(std::string_view AText);

// The code points of AText; a byte that begins no valid character stands
// for itself (its value), so text of other encodings still compares.
std::u32string KWDUtf8Zeichenfolge(std::string_view AText);
// AText with every byte that is no part of valid UTF-8 replaced by U+FFFD
// (other programs of the suite may have stored Latin-1); valid text is
// returned as it is.
std::string KWDUtf8Ersetzen(std::string_view AText);

// Empty when every argument of a command line is valid UTF-8; else one
// German sentence naming the first that is not. The programs check it
// before anything else (exit 2): such bytes never reach a company.
std::string KWDUtf8AngabeFehler(int AArgc, const char* const* AArgv);
