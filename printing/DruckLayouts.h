#pragma once
// The report layouts shipped with the program (printing/layouts): the count
// lists "ial__*.rpt" and the overview "IA-Liste.rpt". They are built into the
// program and written into the suite's layout folder where they are missing,
// so a first print (or a user who deleted one) always finds them; a layout
// that is there is never overwritten.
#include <string>
#include <vector>

// File names of the shipped layouts.
std::vector<std::string> DruckLayoutsMitgeliefert();
// Writes every shipped layout that is missing in the layout folder; returns
// how many were written. Throws std::runtime_error when one cannot be written.
int DruckLayoutsInstallieren();
