#pragma once
// Barcodes on the count list, encoded by zint and painted with the report's
// painter as filled rectangles (sharp at any printer resolution).
//
// Code 128 carries an article number: bars of at least 0.25 mm (readable by
// a hand scanner from a laser print), the quiet zone of ten modules on each
// side kept free, the plain text under the bars. A QR code carries the
// article number and a size ("1111-001117/23") in a size cell, where a
// linear code would not fit.
#include <QRectF>
#include <string>

#include "printing/IALScancode.h"

class QPainter;

namespace IADruck {

// Modules of the quiet zone Code 128 needs on each side.
inline constexpr int KCode128Ruhezone = 10;
// Modules of white kept around a QR code in a size cell (the standard's 4
// would not fit; readers cope with 2 when nothing is printed close by).
inline constexpr int KQrRuhezone = 2;

// The number of modules of AText's Code 128 without quiet zones; 0 when it
// cannot be encoded (characters Code 128 does not have) or may not be
// (CodeTauglich: empty, control characters).
int Code128Module(const std::string& AText);
// Paints AText as Code 128 into ARect, left-aligned: quiet zone, bars of
// AModul device units each and ABalken high, then the text under them in
// the rest of ARect's height. False (nothing painted) when it cannot be
// encoded or does not fit ARect's width.
bool Code128Malen(QPainter& APainter, const QRectF& ARect, const std::string& AText, double AModul, double ABalken);
// Paints AText as a QR code (error correction level L), centred in ARect
// and as large as ARect allows with the quiet zone, but with modules of at
// most AModulMax device units. False when it cannot or may not be encoded.
bool QrMalen(QPainter& APainter, const QRectF& ARect, const std::string& AText, double AModulMax);

}  // namespace IADruck
