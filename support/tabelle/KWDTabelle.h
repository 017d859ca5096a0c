#pragma once
// A table for spreadsheet programs: a few title rows, one header row, typed
// columns and the rows, plus what a workbook's document properties say.
// Written as XLSX (KWDTabelleXlsx) or as CSV (KWDTabelleCsv); both are
// written beside their place and renamed in, so a reader never sees half a
// file, and both throw std::runtime_error with a German text naming the
// file (a full disk says so).
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

struct TKWDTabelle {
  enum class TArt {
    Text,      // written as text, never as a formula
    Ganzzahl,  // "1.234"
    Betrag,    // "1.234,56"
    Datum,     // a TDateTime, "dd.mm.yyyy"
  };
  struct TSpalte {
    std::string Titel;
    TArt Art = TArt::Text;
    double Breite = 12;  // in characters
  };
  // Empty: an empty cell. A number in a text column or a text in a number
  // column is written as what it is.
  using TZelle = std::variant<std::monostate, std::string, double>;

  std::string Blatt = "Tabelle1";  // the worksheet's name (at most 31 characters)
  // Document properties of the workbook.
  std::string Titel, Betreff, Firma, Stichworte, Kommentar;
  std::vector<std::string> Kopfzeilen;  // above the header row, the first in bold
  std::vector<TSpalte> Spalten;
  std::vector<std::vector<TZelle>> Zeilen;
  // Instead of Zeilen, for long tables: hands every row to its argument, in
  // order, each time it is called (so a count list of many articles is not
  // held a second time as cells).
  using TZeilenZiel = std::function<void(const std::vector<TZelle>&)>;
  std::function<void(const TZeilenZiel&)> ZeilenGeben;

  // Hands every row (ZeilenGeben when set, else Zeilen) to AZiel; returns how many.
  size_t ZeilenDurchlaufen(const TZeilenZiel& AZiel) const;
  // The index of column ATitel; -1 when there is none.
  int Spalte(const std::string& ATitel) const;
};

// True for a text a spreadsheet program would take as the start of a
// formula ("=", "+", "-", "@", or a tab or carriage return first).
bool KWDTabelleFormelAnfang(const std::string& AText);

// The table as CSV text: UTF-8 with a byte-order mark, ";" between fields,
// "," as decimal comma, fields quoted where needed, lines ended by CR LF.
// The title rows are left out (the first line is the header); a text that
// would start a formula gets a leading apostrophe.
std::string KWDTabelleCsvText(const TKWDTabelle& ATabelle);
// Each writer returns the number of rows written.
size_t KWDTabelleCsv(const TKWDTabelle& ATabelle, const std::string& APfad);
// The table as an XLSX workbook: title rows, the header row frozen with an
// autofilter, German number and date formats, the document properties.
size_t KWDTabelleXlsx(const TKWDTabelle& ATabelle, const std::string& APfad);
enum class TKWDTabellenFormat { Xlsx, Csv };
size_t KWDTabelleSchreiben(const TKWDTabelle& ATabelle, const std::string& APfad, TKWDTabellenFormat AFormat);

// AText with every byte that is no part of valid UTF-8 replaced by U+FFFD
// (other programs may have stored Latin-1): spreadsheet files must be UTF-8.
std::string KWDTabelleUtf8(const std::string& AText);
// True when AText is valid UTF-8 throughout (KWDTabelleUtf8 would leave it as it is).
bool KWDTabelleIstUtf8(std::string_view AText);
