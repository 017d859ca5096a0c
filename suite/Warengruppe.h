#pragma once
// Product-group keys. A key is text; a sub-group's key begins with its
// parent's key, and the empty key stands for all groups. Blanks around a key
// (an entry field pads it) carry no meaning.
#include <string>
#include <string_view>

inline constexpr const char* CWGSystem_Eigen = "EIGEN";

// AWG without blanks at either end.
std::string WGNormalisiert(std::string_view AWG);
// True when AArtikelWG lies in the group AWG (or AWG is empty).
bool WGEnthaelt(std::string_view AWG, std::string_view AArtikelWG);
// True when one group lies in the other: some article could belong to both.
bool WGUeberlappt(std::string_view AWG1, std::string_view AWG2);
