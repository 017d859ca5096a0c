#pragma once
// The count-list file of this process: "IALfile." followed by the process id
// (ProzessIdFormated) in the suite's data folder. The selection writes it,
// the count-list report reads it; the print removes it once the report is
// made. Its name is not handed to the report viewer: both sides build it.
#include <string>

std::string IALDateiName();
std::string IALDateiPfad();
// Removes the count-list files (and SQLite's files beside them) that
// processes left which no longer run, e.g. after a crash. Files of other
// users are left alone. Returns how many files went.
int IALAltdateienEntfernen();
