#pragma once
// The checks of a new request (counting date, branches, product group) and
// how one entry turns into requests, without a window: the new-request dialog
// and invanf-cli share them. Notices and questions go through
// KWDInfo().ShowMeldung (group "INVANF") with AOwner as owner window.
#include <string>
#include <vector>

#include "support/types/KWDDatum.h"

class TFilialen;

// Where the input focus belongs after a failed check.
enum class TIANeuFokus { Keiner, Datum, Filialen };

struct TIANeuEingabe {
  TDate Datum = 0;                        // counting date
  std::string WG;                         // product-group text as entered
  std::vector<std::string> FilialZeilen;  // texts of the ticked branch lines, in list order
  TDate WiJahr = 0;                       // first day of the fiscal year
  TDate WiJahrLastDay = 0;                // last day without question 1010
};

class TIANeuPruefung {
 public:
  // The whole check in order (date, branches, product group); stops at the
  // first failure, which has shown its message. AFokus says where the focus
  // belongs then.
  static bool TestData(const TIANeuEingabe& AEingabe, const TFilialen& AFilialen, void* AOwner, TIANeuFokus& AFokus);

  // 0 when the counting date passes without a message, else the number of
  // the notice (1001, 1002) or 1010 for the question to ask.
  static int DatumPruefen(TDate ADatum, TDate AWiJahr, TDate AWiJahrLastDay, TDate AHeute);

  enum class TFilialArten { Keine, Gemischt, NurLV, OhneLV };
  // The kinds of the ticked branches: a line that is no branch of the
  // company (0, text, unknown number, a number beyond the 16-bit key)
  // counts as both kinds.
  static TFilialArten FilialenPruefen(const std::vector<std::string>& AZeilen, const TFilialen& AFilialen);

  // True when the product-group entry is acceptable: at most one character
  // after trailing blanks are dropped, or a whole number without blanks, of
  // at most nine characters, and no character WGZeichenPruefen refuses.
  static bool WGPruefen(const std::string& AWG);
  // True when the text may name a product group at all: valid UTF-8 without
  // control characters. The command line applies it to every group it is
  // given, looked up or created.
  static bool WGZeichenPruefen(const std::string& AWG);
  // How a product group is stored and looked up: without blanks at its end
  // (the entry field pads with them; they are no part of the group).
  static std::string WGOhneEndBlanks(const std::string& AWG);

  // True when the entry stands for ten groups: its last character, blanks at
  // its end dropped as everywhere else, is "*" ("* " is the star as well).
  static bool Stern(const std::string& AWG);
  // The product groups one entry makes per branch: a star entry (Stern) gives
  // ten groups (the text before the "*" followed by 0 .. 9), an entry of
  // blanks only the empty group (all groups), anything else the entry as it
  // is (blanks at its end included; InventurAnlegen drops them).
  static std::vector<std::string> Warengruppen(const std::string& AWG);

  // Day after which a new request asks first: the fiscal year's end plus two months.
  static TDate WiJahrLastDay(TDate AWiJahr);

  // A line text as the check list gives it, as an integer; 0 when it is none.
  static int ZeileAlsZahl(const std::string& AZeile);
  // A product-group or list-line text as a 32-bit integer: optional sign,
  // decimal digits, or hex after "$" or "0x"; false for anything else.
  static bool TryStrToInt(const std::string& AText, int& AWert);
};
