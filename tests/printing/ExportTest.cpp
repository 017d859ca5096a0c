// The count list and the request list as a spreadsheet user gets them: the
// XLSX read back with openpyxl and the CSV with Python's csv module (both
// through /usr/bin/python3, independent of the writer), and the barcodes of
// a printed count list read back by zbarimg from 300 dpi images.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "printing/DruckBarcode.h"
#include "printing/DruckLayouts.h"
#include "printing/IALDatei.h"
#include "printing/IALTabelle.h"
#include "printing/TIADrucken.h"
#include "suite/TKWDLayoutDatei.h"
#include "support/framework/KWDOrdner.h"
#include "support/tabelle/KWDTabelle.h"
#include "tests/printing/DruckTestUmgebung.h"

namespace fs = std::filesystem;
using json = nlohmann::json;

namespace {

// The output of a command line (stdout), with its exit code.
std::string Ausgabe(const std::string& ABefehl, int& AExit) {
  std::string Aus;
  FILE* Rohr = ::popen(ABefehl.c_str(), "r");
  if (!Rohr) return Aus;
  char Puffer[65536];
  for (size_t N; (N = std::fread(Puffer, 1, sizeof Puffer, Rohr)) > 0;) Aus.append(Puffer, N);
  AExit = ::pclose(Rohr);
  return Aus;
}

json TabelleLesen(const std::string& APfad) {
  int Exit = -1;
  const std::string Aus = Ausgabe("/usr/bin/python3 " WWS_TABELLE_LESEN " '" + APfad + "'", Exit);
  EXPECT_EQ(Exit, 0) << Aus;
  return json::parse(Aus, nullptr, false);
}

std::string Kette(const json& AWert) {
  if (AWert.is_string()) return AWert.get<std::string>();
  if (AWert.is_number()) return std::to_string(AWert.get<long long>());
  return "";
}

class Export : public TDruckTest {
 protected:
  void SetUp() override {
    TDruckTest::SetUp();
    DruckLayoutsInstallieren();
    Firma().Warengruppe("12", "Hosen für Größen").Filiale(3, "Kiel-Süd").Lieferant({7, 1}, "Müller & Söhne €");
    Firma().Artikel(P(1), "12", '5', "Hose blau € ä", {7, 1}).ArtNr(P(1), 45000, "A-100");
    // Texts a spreadsheet program would run as formulas.
    Firma().Artikel(P(2), "12", '5', "=HYPERLINK(\"http://x\";\"klick\")").ArtNr(P(2), 45000, "B-200");
    ArtikelTexte(P(2), "+1", "@SUMME(A1)", 1);
    Firma().Artikel(P(3), "12", '5', "-2 Rabatt").ArtNr(P(3), 45000, "C-300");
    Inventur(KJahr, KTag, 3, P(1), '1', {{3, 2}, {4, 7}});
    Inventur(KJahr, KTag, 3, P(2), '1', {{1, 1}});
    Inventur(KJahr, KTag, 3, P(3), '1', {{20, 4}});
  }

  TQLX_SelectedLayout_List Layout(const std::string& ADatei) const {
    const TKWDLayoutDatei L = TKWDLayoutDatei::Lesen(GetDirWwsByName(KWD_ORDNER_LAYOUT, ADatei, true));
    TQLX_SelectedLayout_List Liste;
    Liste.push_back({ADatei, ADatei, L.Titel, L.ParameterZeilen()});
    return Liste;
  }

  const TDate KJahr = D(2026, 1, 1);
  const TDate KTag = D(2026, 3, 20);
  const std::vector<TIADruckZeile> KZeilen{{KTag, 3, "12"}};
};

// Both files of the count list hold one row per article and size of the
// count-list file, the blind list no target; hostile texts stay text.
TEST_P(Export, CountListRowsEqualTheFileInBothFormats) {
  for (const std::string Datei : {"ial__Standard.rpt", "ial__Blindliste.rpt"}) {
    SCOPED_TRACE(Datei);
    const bool Blind = Datei == "ial__Blindliste.rpt";
    const std::string Xlsx = (FHome / "ial.xlsx").string(), Csv = (FHome / "ial.csv").string();
    const TQLX_SelectedLayout_List Layouts = Layout(Datei);
    {
      TIADrucken Drucken;
      Drucken.CrystalRDC().SetPdfZiel((FHome / "ial.pdf").string());
      Drucken.SetTabellenZiele({{Xlsx, TKWDTabellenFormat::Xlsx}, {Csv, TKWDTabellenFormat::Csv}});
      ASSERT_TRUE(Drucken.IALDrucken(KJahr, Layouts, {}, [this] { return KZeilen; }));
    }
    // The count-list file of the same print, made again and read here.
    TIADrucken Auswahl;
    Auswahl.DruckauftragSetzen(KJahr, Layouts, {}, [this] { return KZeilen; });
    Auswahl.DruckenIALExecute_Selektion();
    std::vector<std::vector<std::string>> Erwartet;
    for (const TIALTestZeile& Z : Zaehlliste())
      for (int G = Z.ZeileVon; G <= Z.ZeileBis; ++G) {
        std::vector<std::string> Zeile{"3",     "20.03.2026", Z.WG,         Z.WGText,
                                       Z.QArtNr, Z.Text1,      Z.Text2,      Z.Text3,
                                       Z.Lieferant, std::to_string(G), IADruck::GroessenCode(Z.QArtNr, G)};
        if (!Blind) Zeile.push_back(std::to_string(Z.Menge[static_cast<size_t>(G - 1)]));
        Zeile.push_back("");
        Erwartet.push_back(Zeile);
      }
    ASSERT_EQ(Erwartet.size(), 4u);
    std::vector<std::string> Kopf{"Filiale",         "Zähldatum", "Warengruppe", "Warengruppentext", "Artikelnummer",
                                  "Bezeichnung",     "Material, Farbe", "Modell", "Lieferant", "Größe", "Scancode"};
    if (!Blind) Kopf.push_back("Soll");
    Kopf.push_back("Gezählt");

    const json X = TabelleLesen(Xlsx);
    ASSERT_TRUE(X.is_object());
    EXPECT_EQ(X["kopf"].get<std::vector<std::string>>(), Kopf);
    std::vector<std::vector<std::string>> Gelesen;
    for (const json& Z : X["zeilen"]) {
      std::vector<std::string> Zeile;
      for (const json& W : Z) Zeile.push_back(Kette(W));
      Gelesen.push_back(Zeile);
    }
    auto Sortiert = [](auto AListe) {
      std::sort(AListe.begin(), AListe.end());
      return AListe;
    };
    EXPECT_EQ(Sortiert(Gelesen), Sortiert(Erwartet));
    const std::string Titel = X["titel"].dump();
    for (const char* Text : {"Testfirma Nord", "Wirtschaftsjahr 01.01.2026 - 31.12.2026",
                             "Filiale 3 \u2013 Kiel-Süd, Zähldatum 20.03.2026, Warengruppe 12"})
      EXPECT_NE(Titel.find(Text), std::string::npos) << Text << " in " << Titel;
    EXPECT_EQ(X["eigenschaften"]["titel"], "Inventuraufnahmeliste");
    EXPECT_NE(X["eigenschaften"]["betreff"].get<std::string>().find("Wirtschaftsjahr 01.01.2026 - 31.12.2026"),
              std::string::npos);
    // The header row stays when scrolling and carries the filter.
    const int KopfReihe = static_cast<int>(X["titel"].size()) + 2;
    EXPECT_EQ(X["fixiert"], "A" + std::to_string(KopfReihe + 1));
    EXPECT_EQ(X["filter"].get<std::string>().substr(0, 3), "A" + std::to_string(KopfReihe) + ":");
    // Every text a formula could hide in is a string cell, numbers and dates carry German formats.
    for (size_t R = 0; R < X["zeilen"].size(); ++R) {
      for (int S : {5, 6, 7}) {
        if (!X["zeilen"][R][S].is_null()) {
          EXPECT_EQ(X["typen"][R][S], "s") << R << "/" << S;
        }
      }
      EXPECT_EQ(X["formate"][R][1], "dd.mm.yyyy");
      EXPECT_EQ(X["formate"][R][9], "#,##0");
    }

    const json C = TabelleLesen(Csv);
    ASSERT_TRUE(C.is_object());
    EXPECT_TRUE(C["bom"].get<bool>());
    EXPECT_EQ(C["kopf"].get<std::vector<std::string>>(), Kopf);
    // In CSV a leading apostrophe keeps a text from being taken as a formula.
    for (auto& Zeile : Erwartet)
      for (std::string& Feld : Zeile)
        if (KWDTabelleFormelAnfang(Feld)) Feld = "'" + Feld;
    EXPECT_EQ(Sortiert(C["zeilen"].get<std::vector<std::vector<std::string>>>()), Sortiert(Erwartet));
  }
}

// The request list: rows as the main window lists the year's requests.
TEST_P(Export, RequestListRowsEqualTheRequests) {
  const std::string Lang = "Hamburg-Altona, Einkaufszentrum an der Ottenser Hauptstraße";
  Firma().Filiale(1, Lang);
  Firma().Anforderung(D(2026, 3, 10), "12", 3, KJahr, 'G').Anforderung(D(2026, 3, 10), "", 1, KJahr, 'A');
  Firma().Anforderung(D(2026, 2, 1), "21", 1, KJahr, 'E').Anforderung(D(2025, 2, 1), "21", 1, D(2025, 1, 1), 'E');
  auto Werte = FDirekt->Prepare("UPDATE inventuranforderung SET ek_soll = ?, ek_ist = ? WHERE wg = ?");
  for (const auto& [Soll, Ist, WG] : {std::tuple{1234.5, 1200.25, "12"}, std::tuple{99.99, 0.0, "21"}}) {
    Werte->Reset();
    Werte->BindDouble(1, Soll);
    Werte->BindDouble(2, Ist);
    Werte->BindText(3, WG);
    Werte->Execute();
  }
  // A requested request's target is marked as the window marks it.
  const std::vector<std::vector<std::string>> Erwartet{
      {"01.02.2026", "21", "", "1", Lang, "99,99", "", "0,00", "0,00", "eröffnet"},
      {"10.03.2026", "*", "alle", "1", Lang, "0,00", "unvollständig", "0,00", "0,00", "angefordert"},
      {"10.03.2026", "12", "Hosen für Größen", "3", "Kiel-Süd", "1234,50", "", "1200,25", "-34,25", "gezählt"}};
  const TKWDTabelle T = IAListeTabelle(KJahr, KMandant);
  const std::string Csv = (FHome / "liste.csv").string(), Xlsx = (FHome / "liste.xlsx").string();
  KWDTabelleSchreiben(T, Csv, TKWDTabellenFormat::Csv);
  KWDTabelleSchreiben(T, Xlsx, TKWDTabellenFormat::Xlsx);
  const json C = TabelleLesen(Csv);
  EXPECT_EQ(C["zeilen"].get<std::vector<std::vector<std::string>>>(), Erwartet);
  const json X = TabelleLesen(Xlsx);
  ASSERT_EQ(X["zeilen"].size(), Erwartet.size());
  EXPECT_EQ(X["zeilen"][2][0], "10.03.2026");
  EXPECT_DOUBLE_EQ(X["zeilen"][2][5].get<double>(), 1234.5);
  EXPECT_DOUBLE_EQ(X["zeilen"][2][8].get<double>(), -34.25);
  EXPECT_GE(X["breiten"][4].get<double>(), static_cast<double>(QString::fromStdString(Lang).size()))
      << "the branch's name is readable whole";
  EXPECT_EQ(X["formate"][2][5], "#,##0.00");
  EXPECT_EQ(X["titel"][0], "Inventuren des Wirtschaftsjahres 01.01.2026 - 31.12.2026");
}

WWS_SUITE_BACKENDS(Export);

}  // namespace
