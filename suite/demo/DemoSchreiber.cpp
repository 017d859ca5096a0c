#include "suite/demo/DemoSchreiber.h"

#include "support/db/TDbConnection.h"
#include "support/types/TKWD_ArtBestTyp.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

namespace {

// The column names are constants of the record-file and suite schemas.
std::vector<std::string> MitGroessen(std::vector<std::string> ASpalten) {
  for (int i = 1; i <= DEMO_GROESSEN; ++i) ASpalten.push_back("gr" + std::to_string(i));
  return ASpalten;
}

std::string Zeichen(char AZeichen) { return std::string(1, AZeichen); }
std::string BestTypZeichen(int ATyp) { return Zeichen(CKWD_ArtBestTyp_BFWert[ATyp]); }
std::string PruefschaerfeZeichen(int AWert) { return Zeichen(static_cast<char>('0' + AWert)); }
double Euro(int64_t ACent) { return static_cast<double>(ACent) / 100.0; }
constexpr const char* CSystem = "EIGEN";

}  // namespace

TDemoEinfueger::TDemoEinfueger(TDbConnection& AConnection, const std::string& ATabelle,
                               const std::vector<std::string>& ASpalten)
    : FSpalten(static_cast<int>(ASpalten.size())) {
  std::string spalten, platz;
  for (const auto& s : ASpalten) {
    spalten += (spalten.empty() ? "" : ", ") + s;
    platz += platz.empty() ? "?" : ", ?";
  }
  FStatement = AConnection.Prepare("INSERT INTO " + ATabelle + " (" + spalten + ") VALUES (" + platz + ")");
}

TDemoEinfueger::~TDemoEinfueger() = default;

TDemoEinfueger& TDemoEinfueger::Int(int64_t AWert) {
  FStatement->BindInt(++FIndex, AWert);
  return *this;
}
TDemoEinfueger& TDemoEinfueger::Dbl(double AWert) {
  FStatement->BindDouble(++FIndex, AWert);
  return *this;
}
TDemoEinfueger& TDemoEinfueger::Text(std::string_view AWert) {
  FStatement->BindText(++FIndex, AWert);
  return *this;
}

void TDemoEinfueger::Zeile() {
  if (FIndex != FSpalten) throw std::logic_error("Demodaten: Zeile mit falscher Spaltenzahl");
  FStatement->Run();
  FIndex = 0;
  ++FZeilen;
}

TDemoSchreiber::TDemoSchreiber(TDbConnection& AConnection)
    : FConnection(AConnection),
      FArtikel(AConnection, "artikel",
               {"prodid1", "prodid2", "prodid3", "lief_gp1", "lief_gp2", "text1", "text2", "text3", "pruefschaerfe",
                "preis_grind"}),
      FArtikelWG(AConnection, "artikel_wg", {"wgsystem", "prodid1", "prodid2", "prodid3", "wgn"}),
      FPreis(AConnection, "artikelpreis",
             {"prodid1", "prodid2", "prodid3", "preisart", "filnr", "grind", "gueltig_ab", "preis"}),
      FKennzahl(AConnection, "artikelkennzahl", {"prodid1", "prodid2", "prodid3", "kennzahl1", "kennzahl2"}),
      FArtNr(AConnection, "artnr_historie", {"prodid1", "prodid2", "prodid3", "eingabedatum", "artnr"}),
      FBestand(AConnection, "bestand",
               MitGroessen({"prodid1", "prodid2", "prodid3", "filnr", "bestandstyp", "bestand_a", "bestand_b",
                            "bestand_c"})),
      FVerkauf(AConnection, "filialverkauf",
               {"lfdnr", "prodid1", "prodid2", "prodid3", "filnr", "satzart", "bewegungsart", "datum", "menge"}),
      FInventur(AConnection, "inventur",
                MitGroessen({"wijahr", "zaehldatum", "filnr", "prodid1", "prodid2", "prodid3", "bestandstyp",
                             "satzkz", "sollmenge", "grvon", "grbis"})) {}

TDemoSchreiber::~TDemoSchreiber() = default;

void TDemoSchreiber::Stammdaten(const TDemoPlan& APlan) {
  TDemoEinfueger filiale(FConnection, "filiale", {"filnr", "name", "lv_benutzen"});
  for (const auto& f : APlan.Filialen) filiale.Int(f.Nr).Text(f.Name).Int(f.LV_Benutzen ? 1 : 0).Zeile();
  TDemoEinfueger gruppe(FConnection, "warengruppe", {"wgsystem", "wgn", "bezeichnung"});
  for (const auto& g : APlan.Warengruppen) gruppe.Text(CSystem).Text(g.Nr).Text(g.Text).Zeile();
  TDemoEinfueger lieferant(FConnection, "lieferant", {"gp1", "gp2", "name", "kurzname", "ort"});
  for (const auto& l : APlan.Lieferanten)
    lieferant.Int(l.Gep.I1).Int(l.Gep.I2).Text(l.Name).Text(l.Name.substr(0, l.Name.find(' '))).Text(l.Ort).Zeile();
}

void TDemoSchreiber::Artikel(const TDemoArtikel& AArt, const std::vector<TDemoInventurZeile>& AInventur,
                             const std::vector<TDemoAnforderung>& AAnforderungen) {
  FArtikel.ProdId(AArt.PId)
      .Int(AArt.Lieferant->Gep.I1)
      .Int(AArt.Lieferant->Gep.I2)
      .Text(AArt.Text1)
      .Text(AArt.Text2)
      .Text(AArt.Text3)
      .Text(PruefschaerfeZeichen(AArt.Pruefschaerfe))
      .Int(AArt.PreisGrInd)
      .Zeile();
  FArtikelWG.Text(CSystem).ProdId(AArt.PId).Text(AArt.WG->Nr).Zeile();
  for (const auto& p : AArt.Preise)
    FPreis.ProdId(AArt.PId).Text(p.Einkauf ? "E" : "V").Int(p.FilNr).Int(p.GrInd).Dbl(p.GueltigAb).Dbl(Euro(p.Cent)).Zeile();
  if (AArt.HatKennzahlen) FKennzahl.ProdId(AArt.PId).Int(AArt.Kennzahl1).Int(AArt.Kennzahl2).Zeile();
  for (const auto& n : AArt.ArtNummern) FArtNr.ProdId(AArt.PId).Dbl(n.Eingabedatum).Text(n.ArtNr).Zeile();
  for (const auto& b : AArt.Bestaende) {
    FBestand.ProdId(AArt.PId).Int(b.FilNr).Text(BestTypZeichen(b.BestTyp)).Int(b.A).Int(b.B).Int(b.C);
    for (int32_t m : b.Menge) FBestand.Int(m);
    FBestand.Zeile();
  }
  // Record numbers: eight per article, so they stay unique in any chunk order.
  int64_t lfd = AArt.Index * 8;
  for (const auto& v : AArt.Verkaeufe)
    FVerkauf.Int(++lfd)
        .ProdId(AArt.PId)
        .Int(v.FilNr)
        .Text(Zeichen(v.Satzart))
        .Text(v.Bewegungsart)
        .Dbl(v.Datum)
        .Int(v.Menge)
        .Zeile();
  for (const auto& z : AInventur) {
    const TDemoAnforderung& a = AAnforderungen[z.Anforderung];
    FInventur.Dbl(a.WiJahr)
        .Dbl(a.Zaehldatum)
        .Int(a.FilNr)
        .ProdId(AArt.PId)
        .Text(BestTypZeichen(z.BestTyp))
        .Text(" ")
        .Int(z.Sollmenge)
        .Int(AArt.GrVon)
        .Int(AArt.GrBis);
    for (int32_t m : z.Menge) FInventur.Int(m);
    FInventur.Zeile();
  }
}

void TDemoSchreiber::Anforderungen(const std::vector<TDemoAnforderung>& AAnforderungen) {
  TDemoEinfueger anf(FConnection, "inventuranforderung",
                     {"zaehldatum", "wg", "filnr", "abschlussdatum", "wijahr", "ek_soll", "ek_ist", "kz_zaehlung",
                      "anlagedatum", "anlagezeit"});
  for (const auto& a : AAnforderungen)
    anf.Dbl(a.Zaehldatum)
        .Text(a.WG)
        .Int(a.FilNr)
        .Dbl(a.Abschlussdatum)
        .Dbl(a.WiJahr)
        .Dbl(Euro(a.EKSollCent))
        .Dbl(Euro(a.EKIstCent))
        .Text(Zeichen(CQLX_IA_KZZaehlung_2_Char(a.Status)))
        .Dbl(a.ErstellDatum)
        .Int(a.ErstellZeit)
        .Zeile();
  FAnforderungen = anf.Zeilen();
}

TDemoSchreiber::TZaehler TDemoSchreiber::Zaehler() const {
  TZaehler z;
  z.Artikel = FArtikel.Zeilen();
  z.Bestaende = FBestand.Zeilen();
  z.Filialverkaeufe = FVerkauf.Zeilen();
  z.Preise = FPreis.Zeilen();
  z.ArtNummern = FArtNr.Zeilen();
  z.Inventurzeilen = FInventur.Zeilen();
  z.Anforderungen = FAnforderungen;
  return z;
}
