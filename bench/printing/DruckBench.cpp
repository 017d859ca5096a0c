// The count list of one large request (a branch carrying the full demo
// assortment): the selection that writes the count-list file against the
// plain read of the same stock-take records, side by side in one run, and
// the count list rendered to PDF in pages per second, and the same count
// list written as XLSX and CSV against the compact layout's rendering.
//
//   bench_druck [ARTIKEL [DB]]   default 23600 (a request of about 20,000 articles)
//
// DB: a SQLite file to keep the company in; when it is there already, it is
// used as it is (a company an earlier run built), so repeated runs skip the
// minute the company takes to build.
// A third line reads what the count list needs in two plain statements
// without writing anything: the least any selection must spend.
// Each measurement runs three times; the best of each is reported.
#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "engine/TQLX_InvAnfMani.h"
#include "printing/DruckLayouts.h"
#include "printing/IALDatei.h"
#include "printing/IALListen.h"
#include "printing/IALTabelle.h"
#include "printing/TIADrucken.h"
#include "suite/SuiteDatenbank.h"
#include "bench/BenchFirma.h"
#include "suite/TKWDLayoutDatei.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDOrdner.h"
#include "support/framework/TKWDInfo.h"
#include "support/recordfile/Tialfile.h"
#include "support/recordfile/Tivfile.h"
#include "support/tabelle/KWDTabelle.h"

namespace {

const TDate KWiJahr = EncodeDate(2025, 1, 1);
const TDate KTag = EncodeDate(2025, 11, 3);
constexpr int KFiliale = 1;

double Sekunden(const std::function<void()>& AArbeit) {
  double Beste = 1e9;
  for (int I = 0; I < 3; ++I) {
    const auto Start = std::chrono::steady_clock::now();
    AArbeit();
    Beste = std::min(Beste, std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count());
  }
  return Beste;
}

// The stock-take records of the request as the selection reads them, without doing anything with them.
long RohLesen() {
  Tivfile IV(RF_OPEN_NORMAL, -1);
  IV.SelectKey(Tivfile::KEY_ZAEHLLISTE);
  IV.WiJahr.SetFilterMinMax(KWiJahr);
  IV.Zaehldatum.SetFilterMinMax(KTag);
  IV.FilNr.SetFilterMinMax(KFiliale);
  IV.Bestandstyp.SetFilter(std::string_view(&KIALBestandstyp, 1));
  long Anzahl = 0;
  int64_t Summe = 0;
  for (bool G = IV.Get_first(); G; G = IV.Get_next()) {
    ++Anzahl;
    Summe += IV.ProduktId.GetWert().I3 + IV.Sollmenge.GetWert() + IV.GrVon.GetWert() + IV.GrBis.GetWert();
    for (int S = Tivfile::GRIndexMin(); S <= Tivfile::GRIndexMax(); ++S) Summe += IV.GetGR_MESU(S);
  }
  if (Summe == -1) std::puts("");  // keeps the reads
  return Anzahl;
}

// What the count list needs of the request, read as cheaply as the database
// allows, without writing anything: the stock-take records joined to the
// article's data in one statement, and the articles' prices in a second.
// The selection can be no faster than this.
long Untergrenze() {
  std::string Groessen;
  for (int S = 1; S <= 40; ++S) Groessen += ", i.gr" + std::to_string(S);
  static const std::string KWo =
      " WHERE i.wijahr >= ? AND i.wijahr < ? AND i.zaehldatum >= ? AND i.zaehldatum < ? AND i.filnr = ? "
      "AND i.bestandstyp = ?";
  const std::string Artikel =
      "SELECT i.prodid1, i.prodid2, i.prodid3, i.sollmenge, i.grvon, i.grbis" + Groessen +
      ", a.lief_gp1, a.lief_gp2, a.text1, a.text2, a.text3, a.pruefschaerfe, a.preis_grind, z.kennzahl1, "
      "z.kennzahl2, w.wgn, h.eingabedatum, h.artnr FROM inventur i "
      "LEFT JOIN artikel a ON a.prodid1 = i.prodid1 AND a.prodid2 = i.prodid2 AND a.prodid3 = i.prodid3 "
      "LEFT JOIN artikelkennzahl z ON z.prodid1 = i.prodid1 AND z.prodid2 = i.prodid2 AND z.prodid3 = i.prodid3 "
      "LEFT JOIN artikel_wg w ON w.wgsystem = 'EIGEN' AND w.prodid1 = i.prodid1 AND w.prodid2 = i.prodid2 "
      "AND w.prodid3 = i.prodid3 "
      "LEFT JOIN artnr_historie h ON h.prodid1 = i.prodid1 AND h.prodid2 = i.prodid2 AND h.prodid3 = i.prodid3" +
      KWo;
  const std::string Preise =
      "SELECT p.prodid1, p.prodid2, p.prodid3, p.preisart, p.filnr, p.grind, p.gueltig_ab, p.preis FROM inventur i "
      "JOIN artikelpreis p ON p.prodid1 = i.prodid1 AND p.prodid2 = i.prodid2 AND p.prodid3 = i.prodid3" + KWo;
  // Each column read as what it is: i integer, d double, t text.
  const std::string ArtikelArten = std::string(46, 'i') + "iitttti" + "ii" + "tdt";
  const std::string PreisArten = "iiitiidd";
  long Zeilen = 0;
  double Summe = 0;
  for (const auto& [Sql, Arten] : {std::pair{&Artikel, &ArtikelArten}, std::pair{&Preise, &PreisArten}}) {
    auto S = KWDDatenbank().Prepare(*Sql);
    S->BindDouble(1, EncodeDate(YearOf(KWiJahr), 1, 1));
    S->BindDouble(2, EncodeDate(YearOf(KWiJahr) + 1, 1, 1));
    S->BindDouble(3, KTag);
    S->BindDouble(4, KTag + 1);
    S->BindInt(5, KFiliale);
    S->BindText(6, std::string_view(&KIALBestandstyp, 1));
    while (S->Step()) {
      ++Zeilen;
      for (int C = 0; C < static_cast<int>(Arten->size()); ++C)
        Summe += (*Arten)[C] == 'i'   ? static_cast<double>(S->ColumnInt(C))
                 : (*Arten)[C] == 'd' ? S->ColumnDouble(C)
                                      : static_cast<double>(S->ColumnText(C).size());
    }
  }
  if (Summe == -1) std::puts("");  // keeps the reads
  return Zeilen;
}

}  // namespace

int main(int argc, char** argv) {
  const long Artikel = argc > 1 ? std::atol(argv[1]) : 23600;
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication App(argc, argv);
  const std::filesystem::path Ordner =
      std::filesystem::temp_directory_path() / ("bench-druck-" + std::to_string(::getpid()));
  std::filesystem::create_directories(Ordner);
  const std::string Ort = argc > 2 ? std::string(argv[2]) : (Ordner / "firma.db").string();
  const bool Vorhanden = argc > 2 && std::filesystem::exists(Ort);
  ::setenv("WWS_HOME", (Ordner / "wws").c_str(), 1);
  ::setenv("WWS_DB", Ort.c_str(), 1);
  KWDDatenbank_Set(TDbConnection::Open(Ort, true));
  TDbConnection& Db = Vorhanden ? SuiteDatenbankOeffnen() : SuiteDatenbankAnlegen();
  if (!Vorhanden) {
    BenchFirmaErzeugen(Db, Artikel);
    TQLX_InvAnfMani Mani;
    Mani.InventurAnlegen(KTag, KWiJahr, "", KFiliale);
    TVglInvAnf_Inv Anf;
    Anf.FilNr = KFiliale;
    Anf.WiJahr = YearOf(KWiJahr);
    Anf.Zaehldatum = KTag;
    Anf.KZZaehlung = 1;
    std::vector<TQLX_clMeldung> Meldungen;
    Mani.InventurAnforderungVervollstaendigen({Anf}, Meldungen);
  }

  long Saetze = 0;
  const double Roh = Sekunden([&] { Saetze = RohLesen(); });
  TIADrucken Drucken;
  const std::vector<TIADruckZeile> Zeilen{{KTag, KFiliale, "*"}};
  TQLX_SelectedLayout_List Layouts;
  DruckLayoutsInstallieren();
  int Geschrieben = 0;
  Drucken.DruckauftragSetzen(KWiJahr, Layouts, {}, [&] { return Zeilen; });
  const double Selektion = Sekunden([&] {
    Drucken.DruckenIALExecute_Selektion();
    Geschrieben = Drucken.GeschriebeneZeilen();
  });

  std::printf("%ld Artikel in der Firma, %ld Inventursaetze der Anforderung, %d Zeilen der Zaehlliste\n", Artikel,
              Saetze, Geschrieben);
  std::printf("%-34s %9s %8s\n", "Variante", "Sekunden", "x roh");
  std::printf("%-34s %9.3f %8.2f\n", "Inventursaetze roh lesen", Roh, 1.0);
  std::printf("%-34s %9.3f %8.2f\n", "Selektion (Zaehllistendatei)", Selektion, Roh > 0 ? Selektion / Roh : 0.0);
  const double Unten = Sekunden([] { Untergrenze(); });
  std::printf("%-34s %9.3f %8.2f\n", "Untergrenze: nur lesen, 2 Abfragen", Unten, Roh > 0 ? Unten / Roh : 0.0);

  // Rendering: the count-list file is written once, then rendered per layout.
  // BENCH_DRUCK_OHNE_BERICHT: the selection alone (the company folder still goes).
  std::vector<const char*> Berichte;
  double Kompakt = 0;
  if (!std::getenv("BENCH_DRUCK_OHNE_BERICHT")) {
    Berichte = {"ial__Standard.rpt", "ial__Groessen.rpt", "ial__Kompakt.rpt"};
    std::printf("%-34s %9s %8s %10s\n", "Layout", "Sekunden", "Seiten", "Seiten/s");
  }
  for (const char* Datei : Berichte) {
    const std::string Pfad = GetDirWwsByName(KWD_ORDNER_LAYOUT, Datei, true);
    const TKWDLayoutDatei L = TKWDLayoutDatei::Lesen(Pfad);
    Layouts.clear();
    Layouts.push_back({Datei, Datei, L.Titel, L.ParameterZeilen()});
    const std::string Ziel = (Ordner / (std::string(Datei) + ".pdf")).string();
    Drucken.CrystalRDC().SetPdfZiel(Ziel);
    int Seiten = 0;
    // The report step alone: the selection's file is kept for it.
    const double Zeit = Sekunden([&] {
      Drucken.CrystalRDC().Clear();
      Drucken.CrystalRDC().SetReport(Pfad);
      for (const std::string& Z : L.ParameterZeilen())
        Drucken.CrystalRDC().SetParameter(-1, "Param_" + Z.substr(0, Z.find('=')), Z.substr(Z.find('=') + 1));
      Drucken.CrystalRDC().SetParameter(-1, "Param_TextWiJahr", TIADrucken::WiJahrtoStr(KWiJahr));
      Drucken.CrystalRDC().ShowReport();
      Seiten = Drucken.CrystalRDC().Seiten();
    });
    std::printf("%-34s %9.3f %8d %10.1f\n", Datei, Zeit, Seiten, Zeit > 0 ? Seiten / Zeit : 0.0);
    if (std::string(Datei) == "ial__Kompakt.rpt") Kompakt = Zeit;
  }
  // The same count list as spreadsheet files, against the compact layout's
  // rendering (goal: at most half of it): the file read back as lists, the
  // table built, the file written.
  if (Kompakt > 0) {
    std::printf("%-34s %9s %8s %10s\n", "Export", "Sekunden", "Zeilen", "x Kompakt");
    for (const auto& [Name, Format, Endung] : {std::tuple{"XLSX (libxlsxwriter)", TKWDTabellenFormat::Xlsx, ".xlsx"},
                                               std::tuple{"CSV", TKWDTabellenFormat::Csv, ".csv"}}) {
      size_t Zeilen = 0;
      const double Zeit = Sekunden([&] {
        std::vector<TIALListe> Listen = IALListenLesen();
        IALListenAuswaehlen(Listen, false, false);
        TIALTabellenKopf Kopf;
        Kopf.WiJahrText = TIADrucken::WiJahrtoStr(KWiJahr);
        const TKWDTabelle Tabelle = IALTabelle(std::move(Listen), Kopf);
        Zeilen = KWDTabelleSchreiben(Tabelle, (Ordner / (std::string("zaehlliste") + Endung)).string(), Format).Zeilen;
      });
      std::printf("%-34s %9.3f %8zu %10.2f\n", Name, Zeit, Zeilen, Zeit / Kompakt);
    }
  }
  for (const auto& F : KWDInfo().Anstehend()) std::fprintf(stderr, "Fehler: %s: %s\n", F.Name.c_str(), F.Text.c_str());
  KWDDatenbank_Set(nullptr);
  std::filesystem::remove_all(Ordner);
  return 0;
}
