#pragma once
// TQLX_DBFile: the suite's navigational record-file interface (select a key,
// set key values and filters, read first/next/ge/equal, extended filters,
// insert, update) over one table of the company database.
//
// Reading: every read opens a scan in the selected key's order (ties broken
// by the identifying key) that Get_next continues; the found flag says whether
// the last read delivered a record. Scans stream row by row from the backend,
// so a large result is never loaded whole, whatever the read behaviour.
// Filters are conditions of the query, so "ends reading where the segment
// differs" holds for filtered key segments that start the key, which is how
// callers use them.
//
// SQL: every statement is prepared once per file object and kept by its shape
// (read kind, key, which segments and filters, which fields); values are always
// parameters. Inside a transaction writes go through TDbStatement::Run so the
// backend can send them together. Errors throw EDbError (from the backend,
// prefixed with the table) or std::runtime_error / std::logic_error for misuse.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "support/recordfile/RecordFileSchema.h"
#include "support/recordfile/TDatenfeld.h"

class TDbConnection;
class TDbStatement;

enum TWrDoOn { wrdonInsert = 1, wrdonUpdate = 2 };

// Open modes: 2 reads and writes (shared with the other programs of the
// suite), 0 only reads. The second argument of Create is the old layer's
// record-length override; only -1 (the table's own layout) exists here.
inline constexpr int RF_OPEN_LESEN = 0;
inline constexpr int RF_OPEN_NORMAL = 2;

// Extended-filter comparison codes (1 equal, 4 not equal, as the suite uses
// them; 2, 3, 5, 6 for >, <, >=, <=) and connections (1 AND, 2 OR).
// Consecutive OR terms form one group, true when any of them holds; the AND
// terms and the OR groups must all hold: "pid = x AND kind = 'F' AND
// (branch = 1 OR branch = 2)".
inline constexpr int RF_VGL_GLEICH = 1;
inline constexpr int RF_VGL_UNGLEICH = 4;
inline constexpr int RF_VERK_UND = 1;
inline constexpr int RF_VERK_ODER = 2;

class TQLX_DBFile {
 public:
  // Works on AConnection (not owned), which must outlive the file object.
  TQLX_DBFile(TDbConnection& AConnection, const TTabellenDef& ADef, int AOpenMode, int AKanal);
  virtual ~TQLX_DBFile();
  TQLX_DBFile(const TQLX_DBFile&) = delete;
  TQLX_DBFile& operator=(const TQLX_DBFile&) = delete;

  const TTabellenDef& Def() const { return FDef; }

  // Keys and reading (normal mode: key filters and field filters apply).
  void SelectKey(int16_t AKeyNr);
  int16_t KeyNr() const { return FKeyNr; }
  bool Found() const { return FFound; }
  bool Get_first();  // first record in key order
  bool Get_ge();     // first record at or after the set key values
  bool Get_equal();  // first record whose set key values are equal (read equal)
  bool Get_next();

  // Extended mode: conditions on field values taken when added.
  void ExtendedFilterClear();
  void ExtendedFilterAdd(const TDatenfeld& AFeld, int AVergleich, int AVerknuepfung);
  void ExtendedFilterFinalize();
  // Turns the set key values of the selected key into equal/AND terms and
  // finalizes the extended filter.
  void KeyWerteToExtendedFiltern();
  // 1 (default) or 2 (a large result, read once): both stream row by row.
  void LeseVerhalten_SQL_Set(int AVerhalten);
  int LeseVerhalten_SQL() const { return FLeseVerhalten; }
  bool Get_first_extMode();
  bool Get_ge_extMode();
  bool Get_next_extMode();

  // Many keys in one read: set the key values of the selected key's leading
  // segments as for Get_equal and add them to the key list, as often as
  // needed (every key with the same segments set); then read the records
  // equal to any of them. Field filters and used fields apply as to every
  // read (segment filters do not: the keys say what is equal). The records
  // come in no promised order (sorting them would cost more than the read);
  // KeyListePosition() is the position (from 0) of the key the current record
  // belongs to, and Get_next goes on. KeyListeSenden() sends the read at once: on PostgreSQL the reads
  // of several files sent one after another then share one round trip, taken
  // in by Get_first_KeyListe (which sends it itself when it was not sent).
  // With SetSperrendLesen, PostgreSQL reads each key by a statement of its own.
  void KeyListeLeeren();
  void KeyListeAnfuegen();
  int32_t KeyListeAnzahl() const { return static_cast<int32_t>(FKeyListe.size()); }
  void KeyListeSenden();
  bool Get_first_KeyListe();
  int32_t KeyListePosition() const { return FKeyListePos; }

  // Adds the buffer values of AFelder (Integer or Extended fields) to the
  // stored values of the record whose selected key is set in full, in the
  // database itself (value = value + addend): programs adding to the same
  // record at the same time never lose each other's part. No record is made
  // when there is none. Inside a transaction it travels with the other writes.
  void WertErhoehen(std::initializer_list<const TDatenfeld*> AFelder);

  // Only these fields are read (the identifying key's fields always are);
  // an empty list reads every field again.
  void SetUsedField(std::initializer_list<const TDatenfeld*> AFelder);

  // Removes every filter of fields and key segments; key values stay.
  void FilterClear();

  // Reads inside a transaction lock the records they deliver until it ends,
  // so no other program changes or deletes them meanwhile; a lock another
  // program holds is waited for (PostgreSQL: FOR UPDATE). On SQLite a
  // transaction holds the database's write lock from its start, which
  // excludes every other writer already. Outside a transaction nothing stays
  // locked.
  void SetSperrendLesen(bool ASperren);

  // Record buffer and writing.
  void ClearRecord();
  // Fills what the file supplies for a new record (see the file classes).
  void PrepareWrite(TWrDoOn AModus);
  // wrdonInsert adds the buffer as a new record; wrdonUpdate rewrites the
  // record last read (or written), also when its key values changed.
  void WriteRecord(TWrDoOn AModus);
  // Deletes the record last read.
  void DeleteRecord();

  // A lazily created object asked for again: no key value, filter, extended
  // filter, used-field list or record survives; prepared statements do.
  void ResetForReuse();

  // Used by the field objects.
  void FeldRegistrieren(TDatenfeld& AFeld);
  void KeyWertSetzen(int16_t AKeyNr, int ASegment, const TFeldWertVar& AWert, bool AFilter);
  void FilterSetzen(const TDatenfeld& AFeld, int AArt, std::vector<TFeldWertVar> AWerte);
  int KeySegment(int16_t AKeyNr, const TDatenfeld& AFeld) const;
  static constexpr int FILTER_GLEICH = 1, FILTER_BEREICH = 2, FILTER_MENGE = 3;

 protected:
  // For files that open their own database (the count-list file).
  TQLX_DBFile(const TTabellenDef& ADef);
  void VerbindungSetzen(std::unique_ptr<TDbConnection> AEigene);
  TDbConnection* Verbindung() const { return FConn; }
  void SchliessenStatements();
  // Hooks of the file classes: what prepare write supplies, and what every
  // write of that kind supplies.
  virtual void SchreibenVorbereiten(TWrDoOn) {}
  virtual void SatzErgaenzen(TWrDoOn) {}

 private:
  struct TSegment {
    bool Gesetzt = false;
    bool Filter = false;
    TFeldWertVar Wert;
  };
  struct TFilter {
    int DefIndex;
    int Art;
    std::vector<TFeldWertVar> Werte;
  };
  struct TExtTerm {
    int DefIndex;
    int Vergleich;
    int Verknuepfung;
    TFeldWertVar Wert;
  };
  struct TLesePlan {
    std::unique_ptr<TDbStatement> Stmt;
    std::vector<std::pair<int, int>> Felder;  // def index, first column
  };
  enum class TLesen { Erster, AbKey, Gleich };

  bool Lesen(TLesen AArt, bool AExt);
  bool ZeileUebernehmen();
  TLesePlan& KeyListeAlsListenSenden(const std::string& AForm);
  // Ends the current scan and resets the key-list reads not yet taken in.
  void ScanBeenden();
  std::string SpaltenListe(std::vector<std::pair<int, int>>& APlan, int AErsteSpalte) const;
  std::string FilterBedingungen() const;
  int FilterBinden(TDbStatement& AStmt, int AParam) const;
  // The shape of a read (which statement it needs), in FFormPuffer.
  const std::string& Form(TLesen AArt, bool AExt, int APraefix) const;
  std::string LeseSql(TLesen AArt, bool AExt, int APraefix, std::vector<std::pair<int, int>>& APlan) const;
  int Binden(TDbStatement& AStmt, TLesen AArt, bool AExt, int APraefix) const;
  int GesetztesPraefix() const;
  // How many of the first APraefix segments are filtered: their key values
  // are equality terms already.
  int GefilterterVorlauf(int APraefix) const;
  void IdentMerken();
  // Binds the record buffer to FInsert (see FInsertGebunden).
  void InsertBinden();
  TDatenfeld& FeldNachDef(int ADefIndex) const;
  void OffenPruefen() const;
  void SchreibbarPruefen() const;
  [[noreturn]] void Weiterwerfen(const std::exception& AFehler) const;

  TDbConnection* FConn = nullptr;
  std::unique_ptr<TDbConnection> FEigeneConn;
  const TTabellenDef& FDef;
  int FOpenMode = RF_OPEN_NORMAL;
  std::vector<std::vector<std::string>> FSpalten;  // per def field
  std::vector<TDatenfeld*> FFelder;                // per def field
  std::vector<std::vector<int>> FKeyFelder;        // per key: def indices of its segments
  std::vector<std::vector<TSegment>> FKeyWerte;    // per key, per segment
  std::vector<TFilter> FFilter;
  std::vector<TExtTerm> FExt;
  bool FExtFertig = false;
  std::vector<bool> FBenutzt;  // empty: every field
  std::string FBenutztForm;    // FBenutzt as Form's part of it
  mutable std::string FFormPuffer;
  int16_t FKeyNr = 0;
  int FLeseVerhalten = 1;
  bool FSperrend = false;
  bool FFound = false;
  TLesePlan* FScan = nullptr;
  bool FScanExt = false;
  std::vector<TFeldWertVar> FIdent;  // identifying values of the current record
  bool FIdentGueltig = false;
  std::unordered_map<std::string, TLesePlan> FLesen;
  std::unique_ptr<TDbStatement> FInsert, FUpdate, FDelete;
  // The values FInsert holds bound, per def field: a statement keeps its
  // bindings, so an insert binds only the fields that changed since the last
  // (an append of similar rows rebinds a few of its many columns). Empty
  // when unknown (new statement, failed write).
  std::vector<TFeldWertVar> FInsertGebunden;
  std::unordered_map<std::string, std::unique_ptr<TDbStatement>> FErhoehen;  // by key and fields
  // The key list: the values of its set segments, per key.
  std::vector<std::vector<TFeldWertVar>> FKeyListe;
  std::vector<TLesePlan*> FKeyListeTeile;  // sent and not yet read, in order
  bool FKeyListeGesendet = false;
  int32_t FKeyListePos = -1;
};
