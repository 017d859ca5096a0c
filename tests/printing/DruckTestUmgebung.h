#pragma once
// A company per test (every available backend) with its own suite folder
// (layouts, lists, the count-list file), a fixed client text and a fixed
// clock (Sunday 05.07.2026, 10:30), and helpers to build stock-take records
// with sizes and to read back the count-list file and a PDF's text.
#include <QByteArray>
#include <QStringList>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/fixtures/SuiteTestUmgebung.h"

// One line of the count-list file.
struct TIALTestZeile {
  int32_t ZeilenNr = 0;
  TDateTime WiJahr = 0, Zaehldatum = 0;
  int32_t FilNr = 0;
  TInt32Trio PId;
  std::string QArtNr, Text1, Text2, Text3, WGNr, WG, WGText, Lieferant;
  char Pruefschaerfe = 0;
  int32_t Sollmenge = 0;
  double VKPreis = 0;
  int32_t Teil = 0, Kennzahl1 = 0, Kennzahl2 = 0;
  int32_t ZeileVon = 0, ZeileBis = 0, GrVon = 0, GrBis = 0;
  std::array<int32_t, 40> Menge{};
};

// The text of each page of a PDF (empty when it is none).
QStringList PdfText(const QByteArray& APdf);
QStringList PdfDateiText(const std::string& APfad);

class TDruckTest : public TSuiteTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A stock-take record with the given size quantities (index, quantity).
  void Inventur(TDate AWiJahr, TDate AZaehldat, int AFilNr, const TInt32Trio& APId, char ABestandstyp,
                const std::vector<std::pair<int, int>>& AMengen);
  // Sizes AVon..ABis, quantity 1 each.
  void InventurGroessen(TDate AWiJahr, TDate AZaehldat, int AFilNr, const TInt32Trio& APId, int AVon, int ABis);
  void Kennzahlen(const TInt32Trio& APId, int A1, int A2);
  void ArtikelTexte(const TInt32Trio& APId, const std::string& AText2, const std::string& AText3, int APreisGrInd);

  std::vector<TIALTestZeile> Zaehlliste() const;

  std::filesystem::path FHome;
  static constexpr const char* KMandant = "Testfirma Nord";
};
