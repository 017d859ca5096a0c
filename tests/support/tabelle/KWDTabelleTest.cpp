// The spreadsheet writers: CSV exactly as German spreadsheet programs read
// it, and an XLSX workbook that stays readable whatever bytes a text brings.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "support/tabelle/KWDTabelle.h"

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

TEST(KWDTabelle, XlsxWithForeignBytesStaysReadableAndTextsStayText) {
  const std::string Pfad =
      (std::filesystem::temp_directory_path() / ("tabelle-" + std::to_string(::getpid()) + ".xlsx")).string();
  KWDTabelleSchreiben(Beispiel(), Pfad, TKWDTabellenFormat::Xlsx);
  FILE* Rohr = ::popen(("/usr/bin/python3 " WWS_TABELLE_LESEN " '" + Pfad + "'").c_str(), "r");
  ASSERT_NE(Rohr, nullptr);
  std::string Aus;
  char Puffer[4096];
  for (size_t N; (N = std::fread(Puffer, 1, sizeof Puffer, Rohr)) > 0;) Aus.append(Puffer, N);
  EXPECT_EQ(::pclose(Rohr), 0) << Aus;
  std::filesystem::remove(Pfad);
  for (const char* Text : {"\"=HYPERLINK(\\\"x\\\")\"", "\"Latin-1 \xEF\xBF\xBD und Steuer zeichen \"",
                           "\"20.03.2026\"", "-1234.5", "\"Titel, nicht in der CSV\""})
    EXPECT_NE(Aus.find(Text), std::string::npos) << Text << " in " << Aus;
  EXPECT_EQ(Aus.find("\"f\""), std::string::npos) << "no formula cell";
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
