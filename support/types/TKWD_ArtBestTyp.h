#pragma once
// Stock type of a stock record (Artikelbestandstyp): 24 values, ordinals 0 to
// 23, stored as one character in the stock and stock-take files.
//
//   ordinal 0..9    characters '0'..'9'
//   ordinal 10..23  characters 'A'..'N'
#include <cstdint>

enum class TKWD_ArtBestTyp : uint8_t {};
inline constexpr int KKWD_ARTBESTTYP_ANZAHL = 24;

// The stored character of each stock type, indexed by ordinal.
extern const char CKWD_ArtBestTyp_BFWert[KKWD_ARTBESTTYP_ANZAHL];

inline constexpr TKWD_ArtBestTyp ArtBestTyp(int AOrdinal) { return static_cast<TKWD_ArtBestTyp>(AOrdinal); }
inline constexpr int Ord(TKWD_ArtBestTyp ATyp) { return static_cast<int>(ATyp); }

// False for a character no stock type uses (ATyp stays unchanged).
bool TryChar_2_ArtBestTyp(char AZeichen, TKWD_ArtBestTyp& ATyp);
// A character no stock type uses gives ordinal 0, which the booking never
// accepts; lower-case letters are taken as their upper-case form.
TKWD_ArtBestTyp Char_2_ArtBestTyp(char AZeichen);
// The character for an ordinal; '0' (type 0) outside 0..23.
char ArtBestTyp_2_Char(TKWD_ArtBestTyp ATyp);
