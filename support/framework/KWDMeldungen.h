#pragma once
// The message catalogue: numbered texts per group, "%s" replaced by the
// arguments in order, "%1:s" by the argument of that index ("%%" is a
// percent sign). Built in: group "INVANF"
// 1001 to 1019 and "STANDARD" 997 (its text is its single argument). A
// replaceable text source lets a database-stored catalogue take over later.
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Built-in text with placeholders, or nullopt for an unknown number.
std::optional<std::string> KWDMeldungVorlageIntern(const std::string& AGruppe, int ANr);

// A text source answers the raw text (with placeholders) of a number, or
// nullopt to fall back to the built-in catalogue.
using TKWDMeldungQuelle = std::function<std::optional<std::string>(const std::string& AGruppe, int ANr)>;
// Replaces the source; an empty function removes it. Returns the old one.
TKWDMeldungQuelle KWDMeldungQuelleSet(TKWDMeldungQuelle AQuelle);

// The finished text. An unknown number still gives a readable text naming
// group, number and arguments, so nothing the user must see is swallowed.
std::string KWDMeldungText(const std::string& AGruppe, int ANr, const std::vector<std::string>& AArgs = {});

// "%s" and "%N:s" substitution; missing arguments become empty, extra ones
// are ignored.
std::string KWDMeldungEinsetzen(const std::string& AVorlage, const std::vector<std::string>& AArgs);
