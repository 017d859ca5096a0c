// The spreadsheet writers: CSV exactly as German spreadsheet programs read
// it, and an XLSX workbook that stays readable whatever bytes a text brings.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

#include "support/tabelle/KWDTabelle.h"
#include "tests/support/framework/TestUmgebung.h"

namespace {

TKWDTabelle Beispiel() {
  using TArt = TKWDTabelle::TArt;
  TKWDTabelle T;
  T.Kopfzeilen = {"Titel, nicht in der CSV"};
  T.Spalten = {{"Text", TArt::Text}, {"Menge", TArt::Ganzzahl}, {"Betrag", TArt::Betrag}, {"Datum", TArt::Datum}};
  T.Zeilen = {
      {std::string("Hose \"Süd\"; 5 €"), 1234.0, -1234.5, 46101.0},
      {std::string("=HYPERLINK(\"x\")"), -0.0, -0.001, {}},
      {std::string("+1"), 2.4, 0.006, 2.0},
      {std::string("-2"), {}, {}, {}},
      {std::string("@A1"), {}, {}, {}},
      {std::string("zwei\nZeilen"), {}, {}, {}},
      {std::string("Latin-1 \xE4 und Steuer\x01zeichen "), {}, {}, {}},
  };
  return T;
}

TEST(KWDTabelle, CsvIsWhatGermanSpreadsheetProgramsOpen) {
  EXPECT_EQ(KWDTabelleCsvText(Beispiel()),
            "\xEF\xBB\xBF"
            "Text;Menge;Betrag;Datum\r\n"
            "\"Hose \"\"Süd\"\"; 5 €\";1234;-1234,50;20.03.2026\r\n"
            "\"'=HYPERLINK(\"\"x\"\")\";0;0,00;\r\n"
            "\"'+1\";2;0,01;01.01.1900\r\n"
            "\"'-2\";;;\r\n"
            "\"'@A1\";;;\r\n"
            "\"zwei\nZeilen\";;;\r\n"
            "\"Latin-1 \xEF\xBF\xBD und Steuer\x01zeichen \";;;\r\n");
}

std::string Lesen(const std::string& APfad) {
  FILE* Rohr = ::popen(("/usr/bin/python3 " WWS_TABELLE_LESEN " '" + APfad + "'").c_str(), "r");
  std::string Aus;
  char Puffer[4096];
  for (size_t N; Rohr && (N = std::fread(Puffer, 1, sizeof Puffer, Rohr)) > 0;) Aus.append(Puffer, N);
  EXPECT_EQ(Rohr ? ::pclose(Rohr) : -1, 0) << Aus;
  return Aus;
}

TEST(KWDTabelle, XlsxWithForeignBytesStaysReadableAndTextsStayText) {
  const std::string Pfad =
      (std::filesystem::temp_directory_path() / ("tabelle-" + std::to_string(::getpid()) + ".xlsx")).string();
  KWDTabelleSchreiben(Beispiel(), Pfad, TKWDTabellenFormat::Xlsx);
  const std::string Aus = Lesen(Pfad);
  std::filesystem::remove(Pfad);
  for (const char* Text : {"\"=HYPERLINK(\\\"x\\\")\"", "\"Latin-1 \xEF\xBF\xBD und Steuer zeichen \"",
                           "\"20.03.2026\"", "-1234.5", "\"Titel, nicht in der CSV\""})
    EXPECT_NE(Aus.find(Text), std::string::npos) << Text << " in " << Aus;
  EXPECT_EQ(Aus.find("\"f\""), std::string::npos) << "no formula cell";
}

// A table longer than a worksheet goes on over further worksheets, each with
// the title rows and the header and named after the rows it holds; every
// row is there once, in order. A text longer than a cell holds keeps its
// first 32,767 characters and the log says so. (The limit is the test's:
// 8 rows per sheet, 4 of them title, blank and header.)
TEST(KWDTabelle, XlsxGoesOnOverSheetsAndCutsOnlyWhatNoCellHolds) {
  TTestLog Log;
  TTempOrdner Ordner;
  TKWDTabelle T;
  T.Blatt = "Zählliste";
  T.Kopfzeilen = {"Titel", "Filiale 3"};
  T.Spalten = {{"Nr", TKWDTabelle::TArt::Ganzzahl}, {"Text", TKWDTabelle::TArt::Text}};
  const std::string Lang = std::string(40000, 'x');
  for (int I = 1; I <= 10; ++I) T.Zeilen.push_back({double(I), I == 7 ? Lang : std::string("z") + std::to_string(I)});
  const std::string Pfad = (Ordner.Pfad() / "lang.xlsx").string();
  const TKWDTabellenErgebnis E = KWDTabelleXlsx(T, Pfad, 8);
  EXPECT_EQ(E.Zeilen, 10u);
  EXPECT_EQ(E.Blaetter, 3u);
  const auto J = nlohmann::json::parse(Lesen(Pfad));
  std::vector<std::string> Namen;
  std::vector<double> Nummern;
  for (const auto& B : J["blaetter"]) {
    Namen.push_back(B["blatt"]);
    EXPECT_EQ(B["titel"], nlohmann::json({"Titel", "Filiale 3"}));
    EXPECT_EQ(B["kopf"], nlohmann::json({"Nr", "Text"}));
    EXPECT_EQ(B["fixiert"], "A5");
    for (const auto& Z : B["zeilen"]) {
      Nummern.push_back(Z[0]);
      if (Z[0] == 7) {
        EXPECT_EQ(Z[1], Lang.substr(0, KWDXlsxZeichenMax));
      }
    }
  }
  EXPECT_EQ(Namen, (std::vector<std::string>{"Zählliste 1-4", "Zählliste 5-8", "Zählliste 9-10"}));
  EXPECT_EQ(Nummern, (std::vector<double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_NE(Log.Inhalt().find("1 Text auf 32767 Zeichen gekürzt (so viele fasst eine Zelle), zuerst Zeile 7, Spalte "
                              "\u201EText\u201C"),
            std::string::npos)
      << Log.Inhalt();
}

// A target whose folder is missing names the file; nothing is left behind.
TEST(KWDTabelle, ATargetThatCannotBeWrittenIsNamed) {
  for (auto Format : {TKWDTabellenFormat::Xlsx, TKWDTabellenFormat::Csv}) {
    try {
      KWDTabelleSchreiben(Beispiel(), "/gibt/es/nicht/liste", Format);
      ADD_FAILURE() << "written";
    } catch (const std::runtime_error& E) {
      EXPECT_NE(std::string(E.what()).find("\u201E/gibt/es/nicht/liste\u201C kann nicht geschrieben werden"),
                std::string::npos)
          << E.what();
    }
  }
}

}  // namespace
