#pragma once
// The pause between lock passes, replaceable so tests need not sleep.
#include <functional>

void KWDPause(int AMillisekunden);
using TKWDPauseHook = std::function<void(int)>;
// Replaces the pause; an empty function restores the real sleep. Returns the old one.
TKWDPauseHook KWDPauseSet(TKWDPauseHook AHook);
