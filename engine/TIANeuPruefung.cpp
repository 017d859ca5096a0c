#include "engine/TIANeuPruefung.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>

#include "engine/InvAnfNamen.h"
#include "suite/TFilialTabelle.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/framework/KWDUhr.h"
#include "support/framework/TKWDInfo.h"
#include "support/types/KWDUtf8.h"

namespace {
constexpr const char* KGruppe = "INVANF";
constexpr size_t KWGLaenge = 9;  // the edit field's maximum length

int Hinweis(int ANr, void* AOwner) { return KWDInfo().ShowMeldung(KWD_MB_HINWEIS, KGruppe, ANr, {}, AOwner); }
bool Frage(int ANr, void* AOwner) { return KWDInfo().ShowMeldung(KWD_MB_JANEIN, KGruppe, ANr, {}, AOwner) == KWD_MR_YES; }
}  // namespace

bool TIANeuPruefung::TryStrToInt(const std::string& AText, int& AWert) {
  size_t I = 0;
  bool Negativ = false;
  if (I < AText.size() && (AText[I] == '+' || AText[I] == '-')) Negativ = AText[I++] == '-';
  int Basis = 10;
  if (I < AText.size() && AText[I] == '$') {
    Basis = 16;
    ++I;
  } else if (I + 1 < AText.size() && AText[I] == '0' && (AText[I + 1] == 'x' || AText[I + 1] == 'X')) {
    Basis = 16;
    I += 2;
  }
  // from_chars would take a second sign here ("--5", "$-1"): a digit must follow.
  if (I >= AText.size() || !std::isxdigit(static_cast<unsigned char>(AText[I])) ||
      (Basis == 10 && !std::isdigit(static_cast<unsigned char>(AText[I]))))
    return false;
  int64_t Wert = 0;
  const char* Ende = AText.data() + AText.size();
  const auto [Rest, Fehler] = std::from_chars(AText.data() + I, Ende, Wert, Basis);
  if (Fehler != std::errc() || Rest != Ende) return false;
  if (Negativ) Wert = -Wert;
  // Hex may spell the full 32-bit pattern ($FFFFFFFF is -1), decimal may not.
  if (Basis == 16 && Wert > INT32_MAX && Wert <= static_cast<int64_t>(UINT32_MAX)) Wert -= (int64_t(1) << 32);
  if (Wert < INT32_MIN || Wert > INT32_MAX) return false;
  AWert = static_cast<int>(Wert);
  return true;
}

int TIANeuPruefung::ZeileAlsZahl(const std::string& AZeile) {
  int Wert = 0;
  return TryStrToInt(AZeile, Wert) ? Wert : 0;
}

int TIANeuPruefung::DatumPruefen(TDate ADatum, TDate AWiJahr, TDate AWiJahrLastDay, TDate AHeute) {
  if (ADatum < AHeute) return 1002;
  if (ADatum < AWiJahr) return 1001;
  // Once the last day has passed, the main window has asked already.
  if (ADatum > AWiJahrLastDay && AWiJahrLastDay >= AHeute) return 1010;
  return 0;
}

TIANeuPruefung::TFilialArten TIANeuPruefung::FilialenPruefen(const std::vector<std::string>& AZeilen,
                                                             const TFilialen& AFilialen) {
  bool LV = false;
  bool OhneLV = false;
  for (const std::string& Zeile : AZeilen) {
    // A number beyond the 16-bit branch key is no branch; wrapped, 65537
    // would pass as branch 1.
    const int Nr = ZeileAlsZahl(Zeile);
    const TFiliale* Fil = Nr == 0 || Nr < INT16_MIN || Nr > INT16_MAX ? nullptr : AFilialen.GetFilialeByNr(Nr);
    if (!Fil) {
      LV = OhneLV = true;
    } else if (Fil->LV_Benutzen) {
      LV = true;
    } else {
      OhneLV = true;
    }
    if (LV && OhneLV) break;
  }
  if (AZeilen.empty()) return TFilialArten::Keine;
  if (LV && OhneLV) return TFilialArten::Gemischt;
  return LV ? TFilialArten::NurLV : TFilialArten::OhneLV;
}

namespace {
// Characters (not bytes) of a valid UTF-8 text; -1 when it is not valid UTF-8.
int Zeichenzahl(const std::string& AText) { return KWDIstUtf8(AText) ? static_cast<int>(KWDUtf8Zeichen(AText)) : -1; }
}  // namespace

bool TIANeuPruefung::WGZeichenPruefen(const std::string& AWG) {
  for (const char C : AWG)
    if (static_cast<unsigned char>(C) < 0x20 || C == 0x7F) return false;
  return Zeichenzahl(AWG) >= 0;
}

std::string TIANeuPruefung::WGOhneEndBlanks(const std::string& AWG) {
  const auto Ende = AWG.find_last_not_of(' ');
  return Ende == std::string::npos ? std::string() : AWG.substr(0, Ende + 1);
}

bool TIANeuPruefung::WGPruefen(const std::string& AWG) {
  if (!WGZeichenPruefen(AWG)) return false;
  std::string Text = WGOhneEndBlanks(AWG);
  const int Zeichen = Zeichenzahl(Text);
  if (Zeichen <= 1) return true;
  if (Zeichen > static_cast<int>(KWGLaenge)) return false;  // longer than the entry field holds
  for (char& C : Text)
    if (C == ' ') C = '*';
  int Wert = 0;
  return TryStrToInt(Text, Wert);
}

bool TIANeuPruefung::TestData(const TIANeuEingabe& AEingabe, const TFilialen& AFilialen, void* AOwner,
                              TIANeuFokus& AFokus) {
  AFokus = TIANeuFokus::Keiner;
  return KWDGuard(
      KIANeuTestData,
      [&] {
        const int DatumNr = DatumPruefen(AEingabe.Datum, AEingabe.WiJahr, AEingabe.WiJahrLastDay, kwd_Date());
        if (DatumNr == 1001 || DatumNr == 1002) {
          Hinweis(DatumNr, AOwner);
          AFokus = TIANeuFokus::Datum;
          return false;
        }
        if (DatumNr == 1010 && !Frage(1010, AOwner)) {
          AFokus = TIANeuFokus::Datum;
          return false;
        }
        switch (FilialenPruefen(AEingabe.FilialZeilen, AFilialen)) {
          case TFilialArten::Keine:
            Hinweis(1011, AOwner);
            return false;
          case TFilialArten::Gemischt:
            Hinweis(1015, AOwner);
            AFokus = TIANeuFokus::Filialen;
            return false;
          case TFilialArten::NurLV:
            if (!Frage(1016, AOwner)) return false;
            break;
          case TFilialArten::OhneLV:
            break;
        }
        if (!WGPruefen(AEingabe.WG)) {
          Hinweis(1012, AOwner);
          return false;
        }
        return true;
      },
      false);
}

bool TIANeuPruefung::Stern(const std::string& AWG) {
  const std::string WG = WGOhneEndBlanks(AWG);
  return !WG.empty() && WG.back() == '*';
}

std::vector<std::string> TIANeuPruefung::Warengruppen(const std::string& AWG) {
  if (Stern(AWG)) {
    std::vector<std::string> Gruppen;
    const std::string WG = WGOhneEndBlanks(AWG);
    const std::string Stamm = WG.substr(0, WG.size() - 1);
    for (char Ziffer = '0'; Ziffer <= '9'; ++Ziffer) Gruppen.push_back(Stamm + Ziffer);
    return Gruppen;
  }
  if (AWG.find_first_not_of(' ') == std::string::npos) return {""};
  return {AWG};
}

TDate TIANeuPruefung::WiJahrLastDay(TDate AWiJahr) {
  const TDatumTeile T = DecodeDate(AWiJahr);
  int J = T.Jahr + 1;
  int M = T.Monat + 2;
  int D = T.Tag;
  if (M > 12) {
    M -= 12;
    ++J;
  }
  if (M == 2) D = std::min(D, 28);
  if (M == 4 || M == 6 || M == 9 || M == 11) D = std::min(D, 30);
  return EncodeDate(J, M, D) - 1;
}
