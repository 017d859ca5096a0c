#pragma once
// The settings every program checks once at its start, before it touches
// anything: a value it cannot work with ends it with the setting's name
// rather than being replaced by a guess later.

// Throws EKWDEinstellung (KWDSettings.h) for the first setting at fault.
void KWDEinstellungenPruefen();
