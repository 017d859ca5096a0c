#pragma once
// Who and where this process is, as the common lock records it for a holder,
// and whether a recorded process on this machine still runs.
#include <cstdint>
#include <string>

// The user: setting WWS_USER, else the login name of the effective user id.
std::string KWDBenutzer();
// This machine's host name (the holder's "Terminal").
std::string KWDRechnername();
// The workstation number of the suite: setting WWS_TERMINALNR, else "1".
std::string KWDTerminalNr();
// The program name for lock holders: the registered module when the program
// called KWDProgramm().Init, else the executable's name.
std::string KWDProgrammname();

// Start time of a process on this machine (clock ticks after boot, from
// /proc/PID/stat), or -1 when no such process exists. Together with the pid
// it names a process uniquely: a reused pid has a later start time.
int64_t KWDProzessStart(int64_t APid);
// True when the process APid started at AStart still runs on this machine.
bool KWDProzessLebt(int64_t APid, int64_t AStart);
