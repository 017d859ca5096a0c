#pragma once
// Field objects of a record file: each holds its value in the file's record
// buffer and knows its column(s). Key segments set key values of one key.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "support/recordfile/RecordFileSchema.h"
#include "support/types/KWDDatum.h"
#include "support/types/TInt32Trio.h"

class TQLX_DBFile;
class TDbStatement;

// One field value of any kind (Extended and TDateTime share double).
using TFeldWertVar = std::variant<char, int32_t, double, std::string, TInt32Trio, TIntPair>;

template <TFeldArt A> struct TFeldTyp;
template <> struct TFeldTyp<TFeldArt::Char> { using T = char; };
template <> struct TFeldTyp<TFeldArt::Integer> { using T = int32_t; };
template <> struct TFeldTyp<TFeldArt::Extended> { using T = double; };
template <> struct TFeldTyp<TFeldArt::DateTime> { using T = TDateTime; };
template <> struct TFeldTyp<TFeldArt::String> { using T = std::string; };
template <> struct TFeldTyp<TFeldArt::Int32Trio> { using T = TInt32Trio; };
template <> struct TFeldTyp<TFeldArt::IntPair> { using T = TIntPair; };

// Binds a value as the field kind's parameters from AParam on; returns the next
// parameter index. Reads a value from its columns starting at ASpalte.
int RFWertBinden(TDbStatement& AStmt, int AParam, TFeldArt AArt, const TFeldWertVar& AWert);
void RFWertLesen(const TDbStatement& AStmt, int ASpalte, TFeldArt AArt, TFeldWertVar& AWert);
TFeldWertVar RFLeerwert(TFeldArt AArt);
// A value appended to array literals for PostgreSQL, one list per column of
// its kind from AListen[AErste] on (as "{1,2": the caller closes them);
// returns the next list. RFListenTyp names the columns' array type.
size_t RFWertInListe(std::vector<std::string>& AListen, size_t AErste, TFeldArt AArt, const TFeldWertVar& AWert);
const char* RFListenTyp(TFeldArt AArt);
// The same stored value: same kind and equal, doubles bit for bit (so that
// -0.0 and 0.0 stay apart and a NaN equals itself).
bool RFWertGleich(const TFeldWertVar& A, const TFeldWertVar& B);

class TDatenfeld {
 public:
  TDatenfeld(TQLX_DBFile& AFile, const std::string& AName);
  TDatenfeld(const TDatenfeld&) = delete;
  TDatenfeld& operator=(const TDatenfeld&) = delete;

  const std::string& Name() const { return FDef->Name; }
  TFeldArt Art() const { return FDef->Art; }
  int DefIndex() const { return FDefIndex; }
  TQLX_DBFile& File() const { return FFile; }

  const TFeldWertVar& Wert() const { return FWert; }
  void WertSetzen(const TFeldWertVar& AWert) { FWert = AWert; }
  void Clear() {
    // A text keeps its buffer: a record cleared for every write allocates nothing.
    if (auto* Text = std::get_if<std::string>(&FWert))
      Text->clear();
    else
      FWert = RFLeerwert(FDef->Art);
  }

 protected:
  friend class TQLX_DBFile;  // reads a row straight into FWert
  TQLX_DBFile& FFile;
  const TFeldDef* FDef;
  int FDefIndex;
  TFeldWertVar FWert;
};

// TDatenfeld_Gen<TFeldArt::Integer> etc.: typed access to one field.
template <TFeldArt A>
class TDatenfeld_Gen : public TDatenfeld {
 public:
  using T = typename TFeldTyp<A>::T;
  using TDatenfeld::TDatenfeld;

  const T& GetWert() const { return std::get<T>(FWert); }
  void SetWert(const T& AWert) { FWert = AWert; }

  // Reads keep only records whose value equals AWert (one-value filter) or
  // lies within [AMin, AMax].
  void SetFilterMinMax(const T& AWert);
  void SetFilterMinMax(const T& AMin, const T& AMax);
  // Char fields: reads keep records whose character is one of AZeichen.
  void SetFilter(std::string_view AZeichen)
    requires(A == TFeldArt::Char);
};

using TCharFeld = TDatenfeld_Gen<TFeldArt::Char>;
using TIntegerFeld = TDatenfeld_Gen<TFeldArt::Integer>;
using TExtendedFeld = TDatenfeld_Gen<TFeldArt::Extended>;
using TDateTimeFeld = TDatenfeld_Gen<TFeldArt::DateTime>;
using TStringFeld = TDatenfeld_Gen<TFeldArt::String>;
using TInt32TrioFeld = TDatenfeld_Gen<TFeldArt::Int32Trio>;
using TIntPairFeld = TDatenfeld_Gen<TFeldArt::IntPair>;

// One segment of one key: sets that key's value for the segment.
template <TFeldArt A>
class TDatenKeyFeld {
 public:
  using T = typename TFeldTyp<A>::T;
  TDatenKeyFeld(TQLX_DBFile& AFile, int16_t AKeyNr, TDatenfeld_Gen<A>& AFeld);

  void SetKeyWert(const T& AWert);
  // Also ends reading where the segment's value differs.
  void SetKeyWertAndFilter(const T& AWert);
  int16_t KeyNr() const { return FKeyNr; }
  int Segment() const { return FSegment; }

 private:
  TQLX_DBFile& FFile;
  int16_t FKeyNr;
  int FSegment;
};

using TDatumDatenKeyFeld = TDatenKeyFeld<TFeldArt::DateTime>;
using TStringDatenKeyFeld = TDatenKeyFeld<TFeldArt::String>;
using TIntegerDatenKeyFeld = TDatenKeyFeld<TFeldArt::Integer>;
using TInt32TrioDatenKeyFeld = TDatenKeyFeld<TFeldArt::Int32Trio>;
using TCharDatenKeyFeld = TDatenKeyFeld<TFeldArt::Char>;
