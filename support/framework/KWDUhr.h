#pragma once
// The clock. Setting WWS_TODAY=YYYY-MM-DD fixes the date (the time of day
// stays the real one); tests can fix both through KWDUhrSet.
#include <functional>

#include "support/types/KWDDatum.h"

TDate kwd_Date();      // today, whole days
TDateTime kwd_Now();   // now, with time of day

// Replaces the clock (returns now); an empty function restores the real one.
using TKWDUhr = std::function<TDateTime()>;
TKWDUhr KWDUhrSet(TKWDUhr AUhr);
