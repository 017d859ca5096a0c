#include "printing/DruckBarcode.h"

#include <zint.h>

#include <QPainter>
#include <algorithm>
#include <memory>

#include "widgets/TKWDBerichtSeiten.h"

namespace IADruck {

namespace {

struct TZintLoeschen {
  void operator()(zint_symbol* S) const { ZBarcode_Delete(S); }
};
using TSymbol = std::unique_ptr<zint_symbol, TZintLoeschen>;

// The encoded symbol as vector rectangles, without quiet zones or text;
// nullptr when zint refuses the data.
TSymbol Kodieren(int ASymbologie, const std::string& AText) {
  if (!CodeTauglich(AText)) return nullptr;
  TSymbol S(ZBarcode_Create());
  if (!S) return nullptr;
  S->symbology = ASymbologie;
  S->show_hrt = 0;
  S->output_options = BARCODE_NO_QUIET_ZONES;
  S->input_mode = UNICODE_MODE;
  if (ASymbologie == BARCODE_QRCODE) S->option_1 = 1;  // level L: the smallest symbol
  const int Fehler = ZBarcode_Encode(S.get(), reinterpret_cast<const unsigned char*>(AText.data()),
                                     static_cast<int>(AText.size()));
  if (Fehler >= ZINT_ERROR || S->width <= 0) return nullptr;
  if (ZBarcode_Buffer_Vector(S.get(), 0) >= ZINT_ERROR || !S->vector || S->vector->width <= 0) return nullptr;
  return S;
}

// Paints the symbol's dark modules: one module AModulX wide, the whole
// symbol AHoehe high, from (AX, AY).
void Rechtecke(QPainter& APainter, const zint_symbol& ASymbol, double AX, double AY, double AModulX, double AHoehe) {
  const double ProEinheit = AModulX * ASymbol.width / ASymbol.vector->width;
  const double ProEinheitY = AHoehe / ASymbol.vector->height;
  APainter.save();
  APainter.setPen(Qt::NoPen);
  APainter.setBrush(Qt::black);
  for (const zint_vector_rect* R = ASymbol.vector->rectangles; R; R = R->next)
    APainter.drawRect(QRectF(AX + R->x * ProEinheit, AY + R->y * ProEinheitY, R->width * ProEinheit,
                             R->height * ProEinheitY));
  APainter.restore();
}

}  // namespace

int Code128Module(const std::string& AText) {
  const TSymbol S = Kodieren(BARCODE_CODE128, AText);
  return S ? S->width : 0;
}

bool Code128Malen(QPainter& APainter, const QRectF& ARect, const std::string& AText, double AModul, double ABalken) {
  const TSymbol S = Kodieren(BARCODE_CODE128, AText);
  if (!S) return false;
  const double Breite = AModul * (S->width + 2 * KCode128Ruhezone);
  if (Breite > ARect.width() + 0.5) return false;
  const double X = ARect.left() + AModul * KCode128Ruhezone;
  Rechtecke(APainter, *S, X, ARect.top(), AModul, ABalken);
  const QRectF Text(X, ARect.top() + ABalken, AModul * S->width, ARect.height() - ABalken);
  KWDDruck::Text(APainter, Text, QString::fromStdString(AText), Qt::AlignHCenter | Qt::AlignVCenter);
  return true;
}

bool QrMalen(QPainter& APainter, const QRectF& ARect, const std::string& AText, double AModulMax) {
  const TSymbol S = Kodieren(BARCODE_QRCODE, AText);
  if (!S) return false;
  const int Module = S->width + 2 * KQrRuhezone;
  const double Modul = std::min(AModulMax, std::min(ARect.width(), ARect.height()) / Module);
  const double Seite = Modul * S->width;
  Rechtecke(APainter, *S, ARect.center().x() - Seite / 2, ARect.center().y() - Seite / 2, Modul, Seite);
  return true;
}

}  // namespace IADruck
