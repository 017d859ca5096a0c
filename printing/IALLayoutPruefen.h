#pragma once
// What a count-list layout must be before anything is selected for it: a
// layout of the count-list report, with parameters the report can use as
// they stand (a bad value is named with the layout and its line, never
// silently replaced by a default or clamped).
#include <string>

struct TKWDLayoutDatei;

// The body text size a layout asks for: Schriftgroesse, a whole number of
// points from 6 to 14.
inline constexpr int KIALSchriftMin = 6;
inline constexpr int KIALSchriftMax = 14;

// Empty when ALayout (file name AName) fits the count list; else one German
// sentence saying what is wrong and where.
std::string IALLayoutFehler(const TKWDLayoutDatei& ALayout, const std::string& AName);
// The font size AWert (the parameter's value) as a number; false when it is
// none of the whole numbers above.
bool IALSchriftgroesseLesen(const std::string& AWert, int& APunkt);
