#pragma once
// Counting state of a stock-take request, stored as one character in the
// request file.
//
//   ordinal  character  display text
//   0        ' '        "ohne Status"          (no state; also any unknown character)
//   1        'A'        "angefordert"          requested: written at creation
//   2        'E'        "eröffnet"             opened: completion booked every article
//   3        'Z'        "in Zählung"           set by the counting programs
//   4        'G'        "gezählt"              set by the counting programs
//   5        'B'        "gebucht"              set by the booking program
//   6        'L'        "Löschung angefordert" the main window deletes it on completion
//
// The character table proper starts at ordinal 1: its first entry is the
// requested state, its second the opened state.
#include <cstdint>

enum class TQLX_IA_KZZaehlung : uint8_t {
  iazOhne = 0,
  iazAngefordert = 1,
  iazEroeffnet = 2,
  iazInZaehlung = 3,
  iazGezaehlt = 4,
  iazGebucht = 5,
  iazLoeschen = 6,
};
inline constexpr int KQLX_IA_KZZAEHLUNG_ANZAHL = 7;

// Unknown characters give iazOhne: a state another program wrote that this
// module does not know is shown as "ohne Status", never as a known state.
TQLX_IA_KZZaehlung Char_2_IA_KZZaehlung(char AZeichen);
// An ordinal outside 0..6 gives ' '.
char CQLX_IA_KZZaehlung_2_Char(TQLX_IA_KZZaehlung AStatus);
char CQLX_IA_KZZaehlung_2_Char(int AOrdinal);
// Display text; an ordinal outside 0..6 gives "unbekannt".
const char* CQLX_IA_KZZaehlung_2_String(TQLX_IA_KZZaehlung AStatus);
const char* CQLX_IA_KZZaehlung_2_String(int AOrdinal);
