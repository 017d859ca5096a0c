#pragma once
// The shipped layouts' texts, built into the program from printing/layouts
// by CMake (DruckLayoutsText.cpp in the build folder).
#include <span>
#include <string_view>

struct TDruckLayoutText {
  std::string_view Name;
  std::string_view Text;
};

std::span<const TDruckLayoutText> DruckLayoutTexte();
