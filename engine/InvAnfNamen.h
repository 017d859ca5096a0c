#pragma once
// Names the engine shares with other places for registering failures and
// logging: one spelling, so the log reads the same whoever writes it.
inline constexpr const char* KInvAnfSollBestandBuchen = "TQLX_InvAnfMani.SollBestandBuchen";
// The new-request dialog's check, run by the dialog and by the engine's
// check of its values.
inline constexpr const char* KIANeuTestData = "TFrmIANeu.TestData";
