#pragma once
// The record files as tables of the company database (schema part
// "recordfiles"). The table descriptions below are the one source for the DDL
// and for the file classes' field lists, so column names exist only once.
// Column conventions (any program writing these tables directly relies on them):
//   - product id: three INTEGER columns <name>1, <name>2, <name>3 (prodid1..3)
//   - a TIntPair: two INTEGER columns <name>1, <name>2
//   - dates: DOUBLE PRECISION, days since 30.12.1899 (27000.0 = no date)
//   - one-character codes and texts: TEXT ('' = blank/none)
//   - sizes: gr1 .. gr40 INTEGER, one column per size index
//   - every column NOT NULL with a zero/empty default
#include <string>
#include <vector>

class TDbConnection;

enum class TFeldArt { Char, Integer, Extended, DateTime, String, Int32Trio, IntPair };

struct TFeldDef {
  std::string Name;  // column name; the column prefix for Int32Trio / IntPair
  TFeldArt Art;
};

struct TKeyDef {
  std::string Name;                 // index name suffix
  std::vector<std::string> Felder;  // key segments, field names in order
  bool Unique = false;
};

struct TTabellenDef {
  std::string Tabelle;
  std::vector<TFeldDef> Felder;
  std::vector<TKeyDef> Keys;  // index = key number
  int IdentKey = 0;           // the UNIQUE key that identifies a record (for updates)
};

// Number of size indices a size-holding record carries (1 .. RF_GROESSEN).
inline constexpr int RF_GROESSEN = 40;

// Creates or upgrades the record-file tables; throws EDbError / ECompanyDbError.
void RecordFileSchemaEnsure(TDbConnection& AConnection);

// The table descriptions (stable names: other programs write these tables).
const TTabellenDef& RFTabelle_Inventuranforderung();  // Tiafile
const TTabellenDef& RFTabelle_Inventur();             // Tivfile
const TTabellenDef& RFTabelle_Bestand();              // TBFFile
const TTabellenDef& RFTabelle_Filialverkauf();        // TFvkFile
const TTabellenDef& RFTabelle_Artikel();              // TAAFile
const TTabellenDef& RFTabelle_Artikelkennzahl();      // Trenrfile
const TTabellenDef& RFTabelle_ArtNrHistorie();        // Tastafile
const TTabellenDef& RFTabelle_Zaehlliste();           // Tialfile (own per-process file)

// The statements that create one table with its indexes (code constants only).
std::vector<std::string> RFTabelleDDL(const TTabellenDef& ADef);
// SQLite: the same table keyed by its row id, for a table whose identifying
// key is one Integer field (the count-list file's row number). Rows are
// stored in that order and no index is kept beside them, so an append costs
// one insert into the table alone.
std::vector<std::string> RFTabelleRowidDDL(const TTabellenDef& ADef);
// Column names of a field, in storage order (three for Int32Trio, two for IntPair).
std::vector<std::string> RFSpalten(const TFeldDef& AFeld);
// Columns that order a key: its segments, then the identifying key's columns
// not yet named, so that every key gives one deterministic order.
std::vector<std::string> RFKeySpalten(const TTabellenDef& ADef, int AKey);
