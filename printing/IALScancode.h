#pragma once
// What the count list's barcodes carry, without Qt: the printed codes
// (DruckBarcode.h) and the spreadsheet's code column say the same.
#include <string>

namespace IADruck {

// The text a size cell's code carries: the article number, "/" and the size
// index with two digits ("A-100/03").
std::string GroessenCode(const std::string& AArtNr, int AGroesse);

// False for a text no barcode of ours may carry: empty, or with control
// characters (C0, DEL, C1), which a scanner would type as keys (a tab jumps
// to the next field).
bool CodeTauglich(const std::string& AText);

}  // namespace IADruck
