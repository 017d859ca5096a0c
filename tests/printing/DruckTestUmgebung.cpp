#include "tests/printing/DruckTestUmgebung.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QRegularExpression>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <map>

#include "printing/IALDatei.h"
#include "suite/TKWDLayoutDatei.h"
#include "support/framework/KWDOrdner.h"
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

std::string Ausgabe(const std::string& ABefehl, int* AExit) {
  std::string Aus;
  FILE* Rohr = ::popen(ABefehl.c_str(), "r");
  if (!Rohr) return Aus;
  char Puffer[65536];
  for (size_t N; (N = std::fread(Puffer, 1, sizeof Puffer, Rohr)) > 0;) Aus.append(Puffer, N);
  const int Status = ::pclose(Rohr);
  if (AExit) *AExit = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
  return Aus;
}

namespace {

// One page image, strip by strip: the strip a code first appears in gives its order.
TGelesen SeiteLesen(const QString& APng, const std::filesystem::path& AOrdner) {
  const QImage Seite(APng);
  const int Streifen = 236, Schritt = 118;  // 20 mm and 10 mm at 300 dpi
  std::string Dateien;
  int Anzahl = 0;
  for (int Y = 0; Y < Seite.height(); Y += Schritt, ++Anzahl) {
    const std::string Datei = (AOrdner / ("streifen-" + std::to_string(Anzahl) + ".png")).string();
    Seite.copy(0, Y, Seite.width(), std::min(Streifen, Seite.height() - Y)).save(QString::fromStdString(Datei));
    Dateien += " '" + Datei + "'";
  }
  const std::string Xml = Ausgabe("zbarimg --nodbus --xml -q" + Dateien + " 2>/dev/null");
  TGelesen G;
  const QRegularExpression Muster(
      QStringLiteral("streifen-(\\d+)\\.png|<symbol type='([^']+)'[^>]*><data><!\\[CDATA\\[([^\\]]*)\\]\\]>"));
  std::map<int, std::vector<std::string>> JeStreifen;
  int Aktuell = -1;
  for (auto It = Muster.globalMatch(QString::fromStdString(Xml)); It.hasNext();) {
    const auto M = It.next();
    if (M.captured(1).size()) {
      Aktuell = M.captured(1).toInt();
    } else if (M.captured(2) == QLatin1String("CODE-128")) {
      JeStreifen[Aktuell].push_back(M.captured(3).toStdString());
    } else if (M.captured(2) == QLatin1String("QR-Code")) {
      G.Qr.insert(M.captured(3).toStdString());
    }
  }
  for (const auto& [Nr, Codes] : JeStreifen)
    for (const std::string& C : Codes)
      if (std::find(G.Code128.begin(), G.Code128.end(), C) == G.Code128.end()) G.Code128.push_back(C);
  return G;
}

}  // namespace

std::vector<TGelesen> PdfCodesLesen(const std::string& APdf, const std::filesystem::path& AOrdner) {
  std::filesystem::create_directories(AOrdner);
  Ausgabe("pdftoppm -r 300 -png '" + APdf + "' '" + (AOrdner / "seite").string() + "' 2>/dev/null");
  // pdftoppm pads the page numbers to one width: the names sort as the pages.
  const QStringList Seiten =
      QDir(QString::fromStdString(AOrdner.string())).entryList({QStringLiteral("seite-*.png")}, QDir::Files, QDir::Name);
  std::vector<TGelesen> Gelesen;
  for (const QString& Seite : Seiten) {
    const std::filesystem::path Streifen = AOrdner / ("streifen" + std::to_string(Gelesen.size()));
    std::filesystem::create_directories(Streifen);
    Gelesen.push_back(SeiteLesen(QDir(QString::fromStdString(AOrdner.string())).filePath(Seite), Streifen));
  }
  return Gelesen;
}

std::vector<std::string> TDruckTest::ScannerArtikel(TDate AWiJahr, TDate AZaehldat) {
  Firma().Warengruppe("12", "Hosen").Filiale(3, "Kiel");
  std::vector<std::string> Nummern;
  for (int I = 1; I <= 6; ++I) {
    char Nr[32];
    std::snprintf(Nr, sizeof Nr, "1111-%06d", 1100 + I * 7);
    Nummern.push_back(Nr);
  }
  Nummern.push_back("221-000031/2");
  Nummern.push_back("A7");
  for (size_t I = 0; I < Nummern.size(); ++I) {
    const TInt32Trio Id = P(static_cast<int>(I) + 1);
    Firma().Artikel(Id, "12", '5', "Artikel " + std::to_string(I)).ArtNr(Id, 45000, Nummern[I]);
    Inventur(AWiJahr, AZaehldat, 3, Id, '1', I == 2 ? std::vector<std::pair<int, int>>{{1, 1}, {19, 2}}
                                                    : std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {3, 1}});
  }
  return Nummern;
}

TQLX_SelectedLayout_List TDruckTest::Layout(const std::string& ADatei) {
  const TKWDLayoutDatei L = TKWDLayoutDatei::Lesen(GetDirWwsByName(KWD_ORDNER_LAYOUT, ADatei, true));
  TQLX_SelectedLayout_List Liste;
  Liste.push_back({ADatei, ADatei, L.Titel, L.ParameterZeilen()});
  return Liste;
}
