#pragma once
// Count-list file: the rows of one count-list print, private to the process
// that prints ("IALfile." + process id in the suite's data folder).
//
// Storage: a SQLite file of its own at that path holding one table,
// "zaehlliste" (columns as in RFTabelle_Zaehlliste(): zeilennr, wijahr,
// zaehldatum, filnr, prodid1..3, qartnr, texts, size range, gr1..gr40 ...),
// keyed by zeilennr as its row id. OpenOut starts it empty; the rows become
// visible to readers (the report) when the object is closed or freed. It is
// a working file: no WAL, no syncing, its journal in memory.
//
// The file is this user's alone: OpenOut removes what lies at the path (a
// leftover, or a link: as a link) and creates the file anew without following
// links, with rights 0600; OpenIn reads only a plain file of this user.
#include <string>

#include "support/recordfile/TGroessenFelder.h"
#include "support/recordfile/TQLX_DBFile.h"

class Tialfile : public TQLX_DBFile, public TGroessenFelder {
 public:
  static constexpr int16_t KEY_ZEILE = 0;  // row number

  Tialfile();  // Create without owner: not yet named or open
  ~Tialfile() override;

  // AName relative to the suite's data folder.
  void SetFileNameRel(const std::string& AName);
  void SetFileName(const std::string& APfad);
  const std::string& FileName() const { return FPfad; }
  // Starts the file empty for writing; -1 is the only record layout.
  void OpenOut(int AKanal);
  // Opens an existing count-list file for reading.
  void OpenIn();
  // Keeps what was appended and closes the file; also done when freed.
  void Close();
  void AppendRecord() { WriteRecord(wrdonInsert); }
  // Closes the file and removes it with SQLite's files beside it.
  void Entfernen();
  static void DateienEntfernen(const std::string& APfad);

  TIntegerFeld ZeilenNr{*this, "zeilennr"};
  TDateTimeFeld WiJahr{*this, "wijahr"};
  TDateTimeFeld Zaehldatum{*this, "zaehldatum"};
  TIntegerFeld FilNr{*this, "filnr"};
  TInt32TrioFeld ProduktId{*this, "prodid"};
  TStringFeld QArtNr{*this, "qartnr"};
  TStringFeld Text1{*this, "text1"};
  TStringFeld Text2{*this, "text2"};
  TCharFeld Pruefschaerfe{*this, "pruefschaerfe"};
  TStringFeld Text3{*this, "text3"};
  TIntegerFeld ZeileGrVon{*this, "zeile_grvon"};
  TIntegerFeld ZeileGrBis{*this, "zeile_grbis"};
  TStringFeld WGNr{*this, "wgnr"};
  TStringFeld WG{*this, "wg"};
  TStringFeld WGText{*this, "wgtext"};
  TStringFeld Lieferant{*this, "lieferant"};
  TIntegerFeld Sollmenge{*this, "sollmenge"};
  TExtendedFeld VKPreis{*this, "vkpreis"};
  TIntegerFeld Zeilenteil{*this, "zeilenteil"};
  TIntegerFeld Kennzahl1{*this, "kennzahl1"};
  TIntegerFeld Kennzahl2{*this, "kennzahl2"};
  TIntegerFeld GrVon{*this, "grvon"};
  TIntegerFeld GrBis{*this, "grbis"};

 private:
  std::string FPfad;
};
