#pragma once
// A table for spreadsheet programs: a few title rows, one header row, typed
// columns and the rows, plus what a workbook's document properties say.
// Written as XLSX (KWDTabelleXlsx) or as CSV (KWDTabelleCsv) through the
// suite's one file writer (KWDDateiErsetzen.h): the target is resolved and
// checked before any work (EKWDZielAbgelehnt), the file is written beside
// its place and renamed in, so a reader never sees half a file and a failed
// write leaves the old file as it was; failures throw std::runtime_error
// with a German text naming the file (a full disk says so).
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
  // With ZeilenGeben: how many rows it gives, without making them (else
  // the rows are counted by a pass through ZeilenGeben).
  std::function<size_t()> ZeilenZaehlen;
  // A line the CSV carries before its header (the XLSX says it in its
  // title rows): what no form of the table may lose, such as the mark of a
  // count list that lacks articles.
  std::string Vermerk;

  // Hands every row (ZeilenGeben when set, else Zeilen) to AZiel; returns how many.
  size_t ZeilenDurchlaufen(const TZeilenZiel& AZiel) const;
  // The number of rows ZeilenDurchlaufen gives.
  size_t Anzahl() const;
  // The index of column ATitel; -1 when there is none.
  int Spalte(const std::string& ATitel) const;
};

// True for a text a spreadsheet program would take as the start of a
// formula ("=", "+", "-", "@", or a tab or carriage return first).
bool KWDTabelleFormelAnfang(const std::string& AText);

// What a writer wrote: every row of the table, on this many worksheets.
struct TKWDTabellenErgebnis {
  size_t Zeilen = 0;
  size_t Blaetter = 1;
};

// The table as CSV text: UTF-8 with a byte-order mark, ";" between fields,
// "," as decimal comma, fields quoted where needed, lines ended by CR LF.
// The title rows are left out (the first line is the header, or the
// Vermerk when there is one); a text that would start a formula gets a
// leading apostrophe.
std::string KWDTabelleCsvText(const TKWDTabelle& ATabelle);
TKWDTabellenErgebnis KWDTabelleCsv(const TKWDTabelle& ATabelle, const std::string& APfad);

// The rows a worksheet of the XLSX format holds.
inline constexpr size_t KWDXlsxZeilenMax = 1048576;
// The most characters (UTF-16 units, as spreadsheet programs count) a cell
// holds; a longer text is cut there and the log says so.
inline constexpr size_t KWDXlsxZeichenMax = 32767;
// The table as an XLSX workbook: title rows, the header row frozen with an
// autofilter, German number and date formats, the document properties.
// A table longer than one worksheet of AZeilenJeBlatt rows (title rows and
// header included) goes on over further worksheets, each with the title
// rows and the header again and named after the rows it holds ("Zählliste
// 1-1048570"); no row is ever left out. Every call of the library is
// checked; its own notes never reach stderr (they go to the suite log).
// Columns of a table held in Zeilen are as wide as their longest text.
TKWDTabellenErgebnis KWDTabelleXlsx(const TKWDTabelle& ATabelle, const std::string& APfad,
                                    size_t AZeilenJeBlatt = KWDXlsxZeilenMax);
enum class TKWDTabellenFormat { Xlsx, Csv };
TKWDTabellenErgebnis KWDTabelleSchreiben(const TKWDTabelle& ATabelle, const std::string& APfad,
                                         TKWDTabellenFormat AFormat);
