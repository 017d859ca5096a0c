#include "support/recordfile/RecordFileSchema.h"

#include <algorithm>
#include <stdexcept>

#include "support/db/KWDDatenbank.h"
#include "support/db/TDbConnection.h"

namespace {

using A = TFeldArt;

// Appends gr1 .. gr40: the quantity per size index.
std::vector<TFeldDef> MitGroessen(std::vector<TFeldDef> AFelder) {
  for (int i = 1; i <= RF_GROESSEN; ++i) AFelder.push_back({"gr" + std::to_string(i), A::Integer});
  return AFelder;
}

}  // namespace

// Request file: one record per stock-take request.
const TTabellenDef& RFTabelle_Inventuranforderung() {
  static const TTabellenDef Def{
      "inventuranforderung",
      {
          // identity: counting date, product group ('' = all groups), branch
          {"zaehldatum", A::DateTime},
          {"wg", A::String},
          {"filnr", A::Integer},
          // completion date (27000.0 until completed), fiscal year (a date in it)
          {"abschlussdatum", A::DateTime},
          {"wijahr", A::DateTime},
          // target and actual value at purchase prices
          {"ek_soll", A::Extended},
          {"ek_ist", A::Extended},
          // counting state character
          {"kz_zaehlung", A::Char},
          // creation date and time (hhmm as integer, 14:05 -> 1405)
          {"anlagedatum", A::DateTime},
          {"anlagezeit", A::Integer},
      },
      {
          {"anforderung", {"zaehldatum", "wg", "filnr"}, true},  // 0 request key
          {"zaehlstatus", {"kz_zaehlung"}, false},                // 1 counting-state key
          {"wijahr", {"wijahr"}, false},                          // 2 fiscal-year key
      },
      0};
  return Def;
}

// Stock-take file: booked target stock, one record per article, branch,
// counting date and stock type.
const TTabellenDef& RFTabelle_Inventur() {
  static const TTabellenDef Def{
      "inventur",
      MitGroessen({
          // identity: fiscal year (date), counting date, branch, product id, stock type
          {"wijahr", A::DateTime},
          {"zaehldatum", A::DateTime},
          {"filnr", A::Integer},
          {"prodid", A::Int32Trio},
          {"bestandstyp", A::Char},
          // record flag (' ' for a booked target stock)
          {"satzkz", A::Char},
          // target quantity (sum of the sizes) and the size range in use
          {"sollmenge", A::Integer},
          {"grvon", A::Integer},
          {"grbis", A::Integer},
      }),
      {
          {"datum_filiale", {"wijahr", "zaehldatum", "filnr", "prodid", "bestandstyp"}, true},  // 0
          {"produkt", {"prodid", "wijahr", "zaehldatum", "filnr", "bestandstyp"}, false},       // 1
          {"zaehlliste", {"wijahr", "zaehldatum", "filnr", "bestandstyp", "prodid"}, false},    // 2
      },
      0};
  return Def;
}

// Stock file: stock per article, branch and stock type, per size.
const TTabellenDef& RFTabelle_Bestand() {
  static const TTabellenDef Def{
      "bestand",
      MitGroessen({
          {"prodid", A::Int32Trio},
          {"filnr", A::Integer},
          {"bestandstyp", A::Char},
          // stock figures A, B, C: a record counts when A <= B or C <> 0
          {"bestand_a", A::Integer},
          {"bestand_b", A::Integer},
          {"bestand_c", A::Integer},
      }),
      {
          {"produkt_filiale", {"prodid", "filnr", "bestandstyp"}, true},  // 0 product-branch key
          {"filiale", {"filnr", "prodid", "bestandstyp"}, false},         // 1
      },
      0};
  return Def;
}

// Branch-sales file: movements per article and branch.
const TTabellenDef& RFTabelle_Filialverkauf() {
  static const TTabellenDef Def{
      "filialverkauf",
      {
          // record number, unique over the table (identifies a movement)
          {"lfdnr", A::Integer},
          {"prodid", A::Int32Trio},
          {"filnr", A::Integer},
          // record kind ('F' = branch record) and movement type ("23")
          {"satzart", A::Char},
          {"bewegungsart", A::String},
          {"datum", A::DateTime},
          {"menge", A::Integer},
      },
      {
          {"produkt", {"prodid", "filnr", "satzart", "bewegungsart"}, false},  // 0 product key
          {"satz", {"lfdnr"}, true},                                           // 1
          {"filiale", {"filnr", "satzart", "bewegungsart"}, false},            // 2
      },
      1};
  return Def;
}

// Article file: article master data.
const TTabellenDef& RFTabelle_Artikel() {
  static const TTabellenDef Def{
      "artikel",
      {
          {"prodid", A::Int32Trio},
          // supplier partner key
          {"lief_gp", A::IntPair},
          {"text1", A::String},
          {"text2", A::String},
          {"text3", A::String},
          // check strictness character ('0'..'9'); articles below 2 are not counted
          {"pruefschaerfe", A::Char},
          // size index whose price is the article's price
          {"preis_grind", A::Integer},
      },
      {
          {"produkt", {"prodid"}, true},    // 0 product key
          {"lieferant", {"lief_gp"}, false},  // 1
      },
      0};
  return Def;
}

// Per-article figures file: two integers per article.
const TTabellenDef& RFTabelle_Artikelkennzahl() {
  static const TTabellenDef Def{"artikelkennzahl",
                                {
                                    {"prodid", A::Int32Trio},
                                    {"kennzahl1", A::Integer},
                                    {"kennzahl2", A::Integer},
                                },
                                {
                                    {"produkt", {"prodid"}, true},  // 0 product key
                                },
                                0};
  return Def;
}

// Article-number history file: the article numbers an article had, by entry date.
const TTabellenDef& RFTabelle_ArtNrHistorie() {
  static const TTabellenDef Def{"artnr_historie",
                                {
                                    {"prodid", A::Int32Trio},
                                    {"eingabedatum", A::DateTime},
                                    {"artnr", A::String},
                                },
                                {
                                    {"produkt", {"prodid", "eingabedatum", "artnr"}, true},  // 0
                                },
                                0};
  return Def;
}

// Count-list file: one record per printed line; lives in its own per-process
// SQLite file ("IALfile." + process id), never in the company database.
const TTabellenDef& RFTabelle_Zaehlliste() {
  static const TTabellenDef Def{
      "zaehlliste",
      MitGroessen({
          {"zeilennr", A::Integer},
          {"wijahr", A::DateTime},
          {"zaehldatum", A::DateTime},
          {"filnr", A::Integer},
          {"prodid", A::Int32Trio},
          {"qartnr", A::String},
          {"text1", A::String},
          {"text2", A::String},
          {"pruefschaerfe", A::Char},
          {"text3", A::String},
          // size range of this printed line
          {"zeile_grvon", A::Integer},
          {"zeile_grbis", A::Integer},
          // product group number, product group, its text
          {"wgnr", A::String},
          {"wg", A::String},
          {"wgtext", A::String},
          {"lieferant", A::String},
          {"sollmenge", A::Integer},
          {"vkpreis", A::Extended},
          {"zeilenteil", A::Integer},
          {"kennzahl1", A::Integer},
          {"kennzahl2", A::Integer},
          // the stock-take record's size range
          {"grvon", A::Integer},
          {"grbis", A::Integer},
      }),
      {
          {"zeile", {"zeilennr"}, true},  // 0
      },
      0};
  return Def;
}

std::vector<std::string> RFSpalten(const TFeldDef& AFeld) {
  switch (AFeld.Art) {
    case A::Int32Trio:
      return {AFeld.Name + "1", AFeld.Name + "2", AFeld.Name + "3"};
    case A::IntPair:
      return {AFeld.Name + "1", AFeld.Name + "2"};
    default:
      return {AFeld.Name};
  }
}

namespace {

const TFeldDef& FeldSuchen(const TTabellenDef& ADef, const std::string& AName) {
  for (const auto& F : ADef.Felder)
    if (F.Name == AName) return F;
  throw std::logic_error("Satzdatei " + ADef.Tabelle + ": Feld " + AName + " unbekannt");
}

std::string SpaltenTyp(TFeldArt AArt) {
  switch (AArt) {
    case A::Char:
    case A::String:
      return "TEXT NOT NULL DEFAULT ''";
    case A::Extended:
    case A::DateTime:
      return "DOUBLE PRECISION NOT NULL DEFAULT 0";
    default:
      return "INTEGER NOT NULL DEFAULT 0";
  }
}

std::string Liste(const std::vector<std::string>& ASpalten) {
  std::string S;
  for (const auto& Sp : ASpalten) S += (S.empty() ? "" : ", ") + Sp;
  return S;
}

}  // namespace

std::vector<std::string> RFKeySpalten(const TTabellenDef& ADef, int AKey) {
  std::vector<std::string> Spalten;
  auto Anfuegen = [&](const TKeyDef& AKeyDef) {
    for (const auto& Name : AKeyDef.Felder)
      for (auto& Sp : RFSpalten(FeldSuchen(ADef, Name)))
        if (std::find(Spalten.begin(), Spalten.end(), Sp) == Spalten.end()) Spalten.push_back(Sp);
  };
  const TKeyDef& Key = ADef.Keys.at(AKey);
  Anfuegen(Key);
  if (!Key.Unique) Anfuegen(ADef.Keys.at(ADef.IdentKey));
  return Spalten;
}

namespace {

std::string SpaltenDDL(const TTabellenDef& ADef) {
  std::string Spalten;
  for (const auto& F : ADef.Felder)
    for (const auto& Sp : RFSpalten(F)) Spalten += (Spalten.empty() ? "" : ",\n  ") + Sp + " " + SpaltenTyp(F.Art);
  return Spalten;
}

std::string IndexDDL(const TTabellenDef& ADef, size_t AKey) {
  const TKeyDef& Key = ADef.Keys[AKey];
  return std::string(Key.Unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") + ADef.Tabelle + "_" + Key.Name + " ON " +
         ADef.Tabelle + " (" + Liste(RFKeySpalten(ADef, static_cast<int>(AKey))) + ")";
}

// SQLite: the statements that store a table in the order of its identifying
// key (WITHOUT ROWID), keeping its rows and its other indexes.
std::vector<std::string> RFTabelleNachIdentKeyDDL(const TTabellenDef& ADef) {
  std::string Namen;
  for (const auto& F : ADef.Felder)
    for (const auto& Sp : RFSpalten(F)) Namen += (Namen.empty() ? "" : ", ") + Sp;
  std::vector<std::string> DDL = SchemaTabelleNeuAnlegen(
      ADef.Tabelle, "  " + SpaltenDDL(ADef) + ",\n  PRIMARY KEY (" + Liste(RFKeySpalten(ADef, ADef.IdentKey)) + ")",
      "WITHOUT ROWID", Namen);
  // The identifying key is the table's own order now; the others stay indexes.
  for (size_t k = 0; k < ADef.Keys.size(); ++k)
    if (static_cast<int>(k) != ADef.IdentKey) DDL.push_back(IndexDDL(ADef, k));
  return DDL;
}

}  // namespace

std::vector<std::string> RFTabelleDDL(const TTabellenDef& ADef) {
  std::vector<std::string> DDL{"CREATE TABLE " + ADef.Tabelle + " (\n  " + SpaltenDDL(ADef) + "\n)"};
  for (size_t k = 0; k < ADef.Keys.size(); ++k) DDL.push_back(IndexDDL(ADef, k));
  return DDL;
}

std::vector<std::string> RFTabelleRowidDDL(const TTabellenDef& ADef) {
  const TKeyDef& Ident = ADef.Keys.at(ADef.IdentKey);
  if (Ident.Felder.size() != 1 || FeldSuchen(ADef, Ident.Felder[0]).Art != A::Integer)
    throw std::logic_error("Satzdatei " + ADef.Tabelle + ": der Schlüssel ist keine einzelne Ganzzahl");
  std::string Spalten;
  for (const auto& F : ADef.Felder)
    for (const auto& Sp : RFSpalten(F))
      Spalten += (Spalten.empty() ? "" : ",\n  ") + Sp + " " +
                 (Sp == Ident.Felder[0] ? std::string("INTEGER PRIMARY KEY") : SpaltenTyp(F.Art));
  std::vector<std::string> DDL{"CREATE TABLE " + ADef.Tabelle + " (\n  " + Spalten + "\n)"};
  for (size_t k = 0; k < ADef.Keys.size(); ++k)
    if (static_cast<int>(k) != ADef.IdentKey) DDL.push_back(IndexDDL(ADef, k));
  return DDL;
}

void RecordFileSchemaEnsure(TDbConnection& AConnection) {
  // Version 1: the seven shared record files. Later versions append
  // migrations; version 1 must stay as it is.
  std::vector<std::string> Version1;
  for (const TTabellenDef* Def : {&RFTabelle_Inventuranforderung(), &RFTabelle_Inventur(), &RFTabelle_Bestand(),
                                  &RFTabelle_Filialverkauf(), &RFTabelle_Artikel(), &RFTabelle_Artikelkennzahl(),
                                  &RFTabelle_ArtNrHistorie()}) {
    auto DDL = RFTabelleDDL(*Def);
    Version1.insert(Version1.end(), DDL.begin(), DDL.end());
  }
  // Version 2, SQLite: the stock file in the order of its product-branch
  // key. It is read article by article (stock check by key, booking), and a
  // row found through a separate index costs a second look-up in the table.
  // PostgreSQL keeps its heap and index; the version only counts there.
  std::vector<std::string> Version2;
  if (AConnection.Backend() == TDbBackend::SQLite) Version2 = RFTabelleNachIdentKeyDDL(RFTabelle_Bestand());
  SchemaPartEnsure(AConnection, "recordfiles", {Version1, Version2});
}
