#pragma once
// How several markdowns that apply to one article combine in the stock-take
// valuation (parameter "INVABWBE" stores the method's character).
#include <array>

enum class TQLX_Inv_MultiAbwertung_Vorgehen : int {
  imaMaximum = 1,      // the highest markdown applies
  imaSumme = 2,        // the markdowns are added
  imaMultiplikativ = 3 // 100 % minus the product of (100 % minus each markdown)
};
inline constexpr int KQLX_INV_MULTIABWERTUNG_ANZAHL = 3;

// Indexed by method - 1, in method order.
extern const std::array<const char*, KQLX_INV_MULTIABWERTUNG_ANZAHL> CQLX_Inv_MultiAbwertung_Vorgehen2Text;
// Stored characters: 'H' (höchster), 'S' (Summe), 'M' (multipliziert).
extern const std::array<char, KQLX_INV_MULTIABWERTUNG_ANZAHL> CQLX_Inv_MultiAbwertung_Vorgehen2Char;

// The method's number 1..3 for a stored character (lower case accepted); 0
// for a character of no method.
int Inv_MultiAbwertung_Vorgehen4Char(char AZeichen);
// The stored character of method 1..3; the character of method 1 otherwise.
char Inv_MultiAbwertung_Vorgehen2Char(int AVorgehen);
