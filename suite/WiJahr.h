#pragma once
// Fiscal years (Wirtschaftsjahre): a fiscal year is named by the calendar year
// of its first day and begins on the first of the month the parameter
// "STARTMON" names (1..12).
#include "support/types/KWDDatum.h"

// First day of the fiscal year AJahr. A stored "STARTMON" outside 1..12 is
// logged and taken as 1. An impossible year is registered under
// "ersterTag_WiJahr" and yields 0.
TDate ersterTag_WiJahr(int AJahr);
