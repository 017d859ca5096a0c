#include "tests/printing/DruckTestUmgebung.h"

#include <QBuffer>
#include <QFile>
#include <QPdfDocument>
#include <QPdfSelection>
#include <unistd.h>

#include "printing/IALDatei.h"
#include "support/framework/KWDUhr.h"
#include "support/recordfile/Tialfile.h"
#include "support/recordfile/Tivfile.h"

void TDruckTest::SetUp() {
  TSuiteTest::SetUp();
  FHome = std::filesystem::temp_directory_path() / ("wws-druck-test-" + std::to_string(::getpid()));
  std::filesystem::remove_all(FHome);
  std::filesystem::create_directories(FHome);
  ::setenv("WWS_HOME", FHome.c_str(), 1);
  ::setenv("WWS_MANDANT", KMandant, 1);
  ::setenv("XDG_CONFIG_HOME", (FHome / "config").c_str(), 1);
  KWDUhrSet([] { return EncodeDate(2026, 7, 5) + EncodeTime(10, 30, 0); });
}

void TDruckTest::TearDown() {
  KWDUhrSet({});
  ::unsetenv("WWS_HOME");
  ::unsetenv("WWS_MANDANT");
  ::unsetenv("XDG_CONFIG_HOME");
  std::error_code F;
  std::filesystem::remove_all(FHome, F);
  TSuiteTest::TearDown();
}

void TDruckTest::Inventur(TDate AWiJahr, TDate AZaehldat, int AFilNr, const TInt32Trio& APId, char ABestandstyp,
                          const std::vector<std::pair<int, int>>& AMengen) {
  Tivfile IV(*FDirekt);
  IV.ClearRecord();
  IV.WiJahr.SetWert(AWiJahr);
  IV.Zaehldatum.SetWert(AZaehldat);
  IV.FilNr.SetWert(AFilNr);
  IV.ProduktId.SetWert(APId);
  IV.Bestandstyp.SetWert(ABestandstyp);
  IV.SatzKZ.SetWert(' ');
  for (const auto& [Groesse, Menge] : AMengen) IV.SetGR_MESU(Groesse, Menge);
  IV.WriteRecord(wrdonInsert);
}

void TDruckTest::InventurGroessen(TDate AWiJahr, TDate AZaehldat, int AFilNr, const TInt32Trio& APId, int AVon,
                                  int ABis) {
  std::vector<std::pair<int, int>> Mengen;
  for (int G = AVon; G <= ABis; ++G) Mengen.emplace_back(G, 1);
  Inventur(AWiJahr, AZaehldat, AFilNr, APId, '1', Mengen);
}

void TDruckTest::Kennzahlen(const TInt32Trio& APId, int A1, int A2) {
  auto S = FDirekt->Prepare(
      "INSERT INTO artikelkennzahl (prodid1, prodid2, prodid3, kennzahl1, kennzahl2) VALUES (?, ?, ?, ?, ?)");
  S->BindInt(1, APId.I1);
  S->BindInt(2, APId.I2);
  S->BindInt(3, APId.I3);
  S->BindInt(4, A1);
  S->BindInt(5, A2);
  S->Execute();
}

void TDruckTest::ArtikelTexte(const TInt32Trio& APId, const std::string& AText2, const std::string& AText3,
                              int APreisGrInd) {
  auto S = FDirekt->Prepare(
      "UPDATE artikel SET text2 = ?, text3 = ?, preis_grind = ? WHERE prodid1 = ? AND prodid2 = ? AND prodid3 = ?");
  S->BindText(1, AText2);
  S->BindText(2, AText3);
  S->BindInt(3, APreisGrInd);
  S->BindInt(4, APId.I1);
  S->BindInt(5, APId.I2);
  S->BindInt(6, APId.I3);
  S->Execute();
}

std::vector<TIALTestZeile> TDruckTest::Zaehlliste() const {
  Tialfile F;
  F.SetFileName(IALDateiPfad());
  F.OpenIn();
  std::vector<TIALTestZeile> Zeilen;
  for (bool G = F.Get_first(); G; G = F.Get_next()) {
    TIALTestZeile Z;
    Z.ZeilenNr = F.ZeilenNr.GetWert();
    Z.WiJahr = F.WiJahr.GetWert();
    Z.Zaehldatum = F.Zaehldatum.GetWert();
    Z.FilNr = F.FilNr.GetWert();
    Z.PId = F.ProduktId.GetWert();
    Z.QArtNr = F.QArtNr.GetWert();
    Z.Text1 = F.Text1.GetWert();
    Z.Text2 = F.Text2.GetWert();
    Z.Text3 = F.Text3.GetWert();
    Z.WGNr = F.WGNr.GetWert();
    Z.WG = F.WG.GetWert();
    Z.WGText = F.WGText.GetWert();
    Z.Lieferant = F.Lieferant.GetWert();
    Z.Pruefschaerfe = F.Pruefschaerfe.GetWert();
    Z.Sollmenge = F.Sollmenge.GetWert();
    Z.VKPreis = F.VKPreis.GetWert();
    Z.Teil = F.Zeilenteil.GetWert();
    Z.Kennzahl1 = F.Kennzahl1.GetWert();
    Z.Kennzahl2 = F.Kennzahl2.GetWert();
    Z.ZeileVon = F.ZeileGrVon.GetWert();
    Z.ZeileBis = F.ZeileGrBis.GetWert();
    Z.GrVon = F.GrVon.GetWert();
    Z.GrBis = F.GrBis.GetWert();
    for (int I = 1; I <= 40; ++I) Z.Menge[static_cast<size_t>(I - 1)] = F.GetGR_MESU(I);
    Zeilen.push_back(Z);
  }
  return Zeilen;
}

QStringList PdfText(const QByteArray& APdf) {
  QByteArray Daten = APdf;
  QBuffer Puffer(&Daten);
  Puffer.open(QIODevice::ReadOnly);
  QPdfDocument Dokument;
  Dokument.load(&Puffer);
  QStringList Seiten;
  if (Dokument.status() != QPdfDocument::Status::Ready) return Seiten;
  for (int S = 0; S < Dokument.pageCount(); ++S) Seiten << Dokument.getAllText(S).text();
  return Seiten;
}

QStringList PdfDateiText(const std::string& APfad) {
  QFile Datei(QString::fromStdString(APfad));
  if (!Datei.open(QIODevice::ReadOnly)) return {};
  return PdfText(Datei.readAll());
}
