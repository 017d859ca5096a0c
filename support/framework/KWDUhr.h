#pragma once
// The clock. Setting WWS_TODAY=YYYY-MM-DD fixes the date (the time of day
// stays the real one); tests can fix both through KWDUhrSet.
#include <functional>
#include <optional>

#include "support/types/KWDDatum.h"

// Throw EKWDEinstellung (KWDSettings.h) while WWS_TODAY is set to anything
// KWDHeuteFest refuses: a date the user did not ask for is never used.
TDate kwd_Date();      // today, whole days
TDateTime kwd_Now();   // now, with time of day

// The date WWS_TODAY fixes; nothing when it is unset or empty. A text that
// is no date (JJJJ-MM-TT or TT.MM.JJJJ), or a date outside 01.01.1900 to
// 31.12.9998 (the dates the programs compute fiscal years with), throws
// EKWDEinstellung.
std::optional<TDate> KWDHeuteFest();

// Replaces the clock (returns now); an empty function restores the real one.
using TKWDUhr = std::function<TDateTime()>;
TKWDUhr KWDUhrSet(TKWDUhr AUhr);
