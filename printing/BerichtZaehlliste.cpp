#include "printing/BerichtZaehlliste.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <tuple>

#include "printing/DruckBarcode.h"
#include "printing/DruckGemeinsam.h"
#include "printing/IALLayoutPruefen.h"
#include "printing/IALListen.h"
#include "printing/IALTabelle.h"
#include "suite/TWGNMani.h"
#include "support/types/IABenennung.h"
#include "widgets/TKWDBerichtSeiten.h"

using IADruck::Q;
using IADruck::Zahl;

namespace {

constexpr int KRasterSpalten = 17;
using TZeile = TIALZeile;
using TArtikel = TIALListenArtikel;
using TListe = TIALListe;

// Heights in mm of what the barcodes add: the article's Code 128 with its
// number under the bars, and a row of per-size codes in the size grid.
constexpr double KStrichBalkenMm = 9;
constexpr double KStrichStreifenMm = 14;
// Modules of whole printer dots: 4 dots at 300 dpi (8 at 600) for Code 128,
// 3 (6) where a long number needs it, never below the 0.25 mm a hand
// scanner reads; a QR module at most 4 dots at 300 dpi.
constexpr double KStrichModulMm = 4 * 25.4 / 300;
constexpr double KStrichModulMinMm = 3 * 25.4 / 300;
constexpr double KQrModulMaxMm = 4 * 25.4 / 300;
// The row of QR codes is this much taller than a cell is wide: white above
// and below each code, away from the boxes of the row before.
constexpr double KQrReiheZugabeMm = 2.5;
// The size grid's label column.
constexpr double KRasterLabelMm = 20;

// What the parameters ask for.
struct TOptionen {
  bool Nullbestand, NurSammel, Raster, Soll, Kompakt, SeiteJeWG, Barcode, BarcodeJeGroesse;
  double Punkt;
};

// The font size the layout asks for; a bad value is refused with the
// layout's name and line (never clamped or replaced).
double Schriftgroesse(const TKWDBerichtDaten& ADaten, bool AKompakt) {
  const std::string Wert = ADaten.Param("Param_Schriftgroesse");
  if (Wert.empty()) return AKompakt ? 8 : 9;
  int Punkt = 0;
  if (IALSchriftgroesseLesen(Wert, Punkt)) return Punkt;
  const std::string Name = std::filesystem::path(ADaten.LayoutPfad).filename().string();
  std::string Fehler = IALLayoutFehler(ADaten.Layout, Name);
  if (Fehler.empty())
    Fehler = "Die Schriftgröße \u201E" + Wert + "\u201C für das Layout \u201E" + Name +
             "\u201C ist keine ganze Zahl von 6 bis 14 (Punkt).";
  throw std::runtime_error(Fehler);
}

// Column positions in mm from the left edge of the content.
struct TSpalten {
  double ArtNr, Artikel, Lieferant, VK, Soll, Gezaehlt, Ende;
};

TSpalten SpaltenFuer(const TOptionen& AOpt, double ABreite) {
  // widths: article number, supplier, price, target, counted; the article text takes the rest
  const double ArtNr = 31, Lief = AOpt.Kompakt ? 36 : 38, VK = 18, Soll = AOpt.Soll ? 14 : 0,
               Gez = AOpt.Kompakt ? 18 : 20;
  TSpalten S;
  S.ArtNr = 0;
  S.Artikel = ArtNr;
  S.Ende = ABreite;
  S.Gezaehlt = ABreite - Gez;
  S.Soll = S.Gezaehlt - Soll;
  S.VK = S.Soll - VK;
  S.Lieferant = S.VK - Lief;
  return S;
}

QString Groesse(int AIndex) { return QString::number(AIndex); }

class TZaehllisteDruck {
 public:
  TZaehllisteDruck(QPagedPaintDevice& AGeraet, const TKWDBerichtDaten& ADaten)
      : FDaten(ADaten), FSeiten(AGeraet, 15, 10, 12, 10) {
    FOpt.Nullbestand = ADaten.ParamJa("Param_Nullbestand");
    FOpt.NurSammel = ADaten.ParamJa("Param_NurSammel");
    FOpt.Raster = ADaten.ParamJa("Param_AnzProGroe");
    FOpt.Soll = ADaten.ParamJa("Param_Sollmenge", true);
    FOpt.Kompakt = ADaten.ParamJa("Param_Kompakt");
    FOpt.SeiteJeWG = ADaten.ParamJa("Param_SeiteJeWarengruppe", !FOpt.Kompakt);
    FOpt.Barcode = ADaten.ParamJa("Param_Barcode");
    FOpt.BarcodeJeGroesse = ADaten.ParamJa("Param_BarcodeJeGroesse") && FOpt.Raster;
    FOpt.Punkt = Schriftgroesse(ADaten, FOpt.Kompakt);
    FSp = SpaltenFuer(FOpt, FSeiten.InhaltBreiteMm());
    FUnvollstaendig = IALUnvollstaendigLesen(ADaten.Param("Param_Unvollstaendig"));
    FAnforderungen = IALAnforderungenLesen(ADaten.Param("Param_Anforderungen"), false);
    FWGNMani = GlobWGNMani_GetInstance();
  }
  ~TZaehllisteDruck() { GlobWGNMani_ReleaseInstance(FWGNMani); }
  TZaehllisteDruck(const TZaehllisteDruck&) = delete;
  TZaehllisteDruck& operator=(const TZaehllisteDruck&) = delete;

  int Drucken() {
    FListen = IALListenLesen();
    IALListenAuswaehlen(FListen, FOpt.Nullbestand, FOpt.NurSammel);
    // A still-requested request without a single line gets its own (empty) list: its mark must show.
    for (const TIALAnforderung& A : FUnvollstaendig)
      if (std::none_of(FListen.begin(), FListen.end(),
                       [&](const TListe& L) { return L.Zaehldatum == A.Zaehldatum && L.FilNr == A.FilNr; }))
        FListen.push_back({A.Zaehldatum, A.FilNr, {}, {}});

    if (FListen.empty()) {
      FListen.push_back({});
      LeereListe(FListen.back());
    } else {
      for (const TListe& L : FListen) {
        if (L.Artikel.empty())
          LeereListe(L);
        else
          Liste(L);
      }
    }
    QPainter Maler;
    if (!Maler.begin(&FSeiten.Geraet())) throw std::runtime_error("Die Zählliste kann nicht gezeichnet werden.");
    const int Seiten = FSeiten.Zeichnen(Maler);
    Maler.end();
    return Seiten;
  }

 private:
  double Mm(double A) const { return FSeiten.Mm(A); }
  QRectF Spalte(const QRectF& AZeile, double AVon, double ABis) const {
    return QRectF(AZeile.left() + Mm(AVon), AZeile.top(), Mm(ABis - AVon), AZeile.height());
  }

  static QString Gruppe(const TZeile& AZeile) {
    if (AZeile.WG.empty()) return QStringLiteral("ohne Warengruppe");
    return Q(AZeile.WG) + (AZeile.WGText.empty() ? QString() : QStringLiteral(" ") + Q(AZeile.WGText));
  }

  // The requests this list prints, by group with its name: "Warengruppe 3
  // Kinderbekleidung", "alle Warengruppen"; empty when the report was not told.
  QString Anforderung(const TListe& AListe) const {
    QStringList Gruppen;
    for (const TIALAnforderung& A : FAnforderungen) {
      if (A.Zaehldatum != AListe.Zaehldatum || A.FilNr != AListe.FilNr) continue;
      const std::string Name = A.WG.empty() || A.WG == "*" ? std::string() : FWGNMani->Get_GWNText(A.WG, A.WG);
      Gruppen << Q(IAWarengruppeText(A.WG)) + (Name.empty() ? QString() : QStringLiteral(" ") + Q(Name));
    }
    return Gruppen.join(QStringLiteral(", "));
  }

  // The still-requested requests among this list's: their groups, for the header's mark.
  std::vector<std::string> Unvollstaendige(const TListe& AListe) const {
    std::vector<std::string> Gruppen;
    for (const TIALAnforderung& A : FUnvollstaendig)
      if (A.Zaehldatum == AListe.Zaehldatum && A.FilNr == AListe.FilNr) Gruppen.push_back(A.WG);
    return Gruppen;
  }

  void Abschnitt(const TListe& AListe) {
    const TListe* L = &AListe;
    const double KopfMm = Unvollstaendige(AListe).empty() ? 31 : 38;
    FSeiten.Abschnitt(
        KopfMm, [this, L](QPainter& P, const QRectF& R, const TKWDBerichtSeiten::TSeite& S) { Kopf(P, R, S, *L); }, 7,
        [this](QPainter& P, const QRectF& R, const TKWDBerichtSeiten::TSeite&) {
          IADruck::Fusszeile(P, R, FSeiten, Q(FDaten.Layout.Titel));
        });
  }

  void LeereListe(const TListe& AListe) {
    Abschnitt(AListe);
    FSeiten.Band(14, [this](QPainter& P, const QRectF& R) {
      P.setFont(KWDDruck::Schrift(FOpt.Punkt));
      KWDDruck::Text(P, R, QStringLiteral("Für die gewählten Inventuren und Druckoptionen gibt es keine Artikel."),
                     Qt::AlignLeft);
    });
  }

  void Liste(const TListe& AListe) {
    Abschnitt(AListe);
    std::string LetzteGruppe = "\x01";  // no group yet
    int Kontext = -1;
    int64_t SollSumme = 0;
    for (const TArtikel& A : AListe.Artikel) {
      if (A.Kopf().WG != LetzteGruppe || Kontext < 0) {
        if (Kontext >= 0 && FOpt.SeiteJeWG) FSeiten.Seitenumbruch();
        LetzteGruppe = A.Kopf().WG;
        const QString Text = QStringLiteral("Warengruppe ") + Gruppe(A.Kopf());
        // A page that begins with the heading needs no reminder; one that
        // begins within the group names it in its header as continued.
        Kontext = FSeiten.Kontext(Text.toStdString());
        FSeiten.Band(
            8, [this, Text](QPainter& P, const QRectF& R) { IADruck::Gruppenkopf(P, R, FSeiten, Text, FOpt.Punkt); },
            true, FSeiten.Kontext({}));
      }
      Artikel(A, Kontext);
      SollSumme += A.Kopf().Sollmenge;
    }
    Schluss(AListe, SollSumme);
  }

  // An article: its line, then (with the size grid) one grid per file line,
  // all on one page.
  void Artikel(const TArtikel& AArtikel, int AKontext) {
    const TArtikel* A = &AArtikel;
    const double Hoehe = FOpt.Kompakt ? 6 : 10.5;
    const bool Raster = FOpt.Raster;
    const bool Strich = FOpt.Barcode && !A->Kopf().QArtNr.empty();
    FSeiten.Band(
        Hoehe + (Strich ? KStrichStreifenMm : 0),
        [this, A, Hoehe, Strich](QPainter& P, const QRectF& R) {
          Artikelzeile(P, QRectF(R.left(), R.top(), R.width(), Mm(Hoehe)), *A);
          if (Strich) Strichcode(P, QRectF(R.left(), R.top() + Mm(Hoehe), R.width(), R.height() - Mm(Hoehe)), *A);
          if (!FOpt.Raster) {
            P.save();
            P.setPen(QPen(QColor(170, 170, 170), Mm(0.1)));
            P.drawLine(QPointF(R.left(), R.bottom()), QPointF(R.right(), R.bottom()));
            P.restore();
          }
        },
        Raster, AKontext);
    if (!Raster) return;
    const double Reihe = FOpt.Kompakt ? 4.2 : 4.8;
    const double RasterHoehe = Reihe * (FOpt.Soll ? 2 : 1) + (FOpt.Kompakt ? 6 : 7.5) + 2 +
                               (FOpt.BarcodeJeGroesse && !A->Kopf().QArtNr.empty() ? RasterZelleMm() + KQrReiheZugabeMm : 0);
    for (size_t I = 0; I < A->Zeilen.size(); ++I) {
      const TZeile* Z = &A->Zeilen[I];
      FSeiten.Band(
          RasterHoehe, [this, Z, Reihe](QPainter& P, const QRectF& R) { Groessenraster(P, R, *Z, Reihe); },
          I + 1 < A->Zeilen.size(), AKontext);
    }
  }

  void Kopf(QPainter& P, const QRectF& R, const TKWDBerichtSeiten::TSeite& S, const TListe& L) const {
    double Y = R.top();
    auto Zeile = [&](double AHoeheMm) {
      const QRectF Z(R.left(), Y, R.width(), Mm(AHoeheMm));
      Y += Mm(AHoeheMm);
      return Z;
    };
    QRectF Z = Zeile(4.5);
    P.setFont(KWDDruck::Schrift(8));
    KWDDruck::Text(P, Z, Q(FDaten.Param("Param_TextMandant")), Qt::AlignLeft);
    KWDDruck::Text(P, Z, QStringLiteral("Seite %1 von %2").arg(S.Nr).arg(S.Von), Qt::AlignRight);
    Z = Zeile(8);
    P.setFont(KWDDruck::Schrift(15, true));
    KWDDruck::Text(P, Z, QStringLiteral("Inventuraufnahmeliste"), Qt::AlignLeft);
    P.setFont(KWDDruck::Schrift(9));
    KWDDruck::Text(P, Z, QStringLiteral("Wirtschaftsjahr ") + Q(FDaten.Param("Param_TextWiJahr")), Qt::AlignRight);
    Z = Zeile(6.5);
    P.setFont(KWDDruck::Schrift(11, true));
    const QString Filiale =
        L.FilNr == 0 && L.Zaehldatum == 0
            ? QString()
            : QStringLiteral("Filiale %1").arg(L.FilNr) +
                  (L.Filialname.empty() ? QString() : QStringLiteral(" \u2013 ") + Q(L.Filialname));
    KWDDruck::Text(P, Z, Filiale, Qt::AlignLeft);
    if (L.Zaehldatum != 0)
      KWDDruck::Text(P, Z, QStringLiteral("Zähldatum ") + Q(FormatDatum(L.Zaehldatum)), Qt::AlignRight);
    // The request the list belongs to; the groups within it are headings in the body.
    Z = Zeile(5.5);
    P.setFont(KWDDruck::Schrift(9.5, true));
    const QString Links = Anforderung(L);
    // The request keeps its whole name; the remarks on the right take the room left beside it.
    const double LinksBreite =
        Links.isEmpty() ? 0 : std::min(Z.width() * 0.6, QFontMetricsF(P.font(), P.device()).horizontalAdvance(Links));
    KWDDruck::Text(P, QRectF(Z.left(), Z.top(), LinksBreite, Z.height()), Links, Qt::AlignLeft);
    QStringList Rechts;  // what the counter must know first, first: a long group name gets shortened
    if (!FOpt.Soll) Rechts << QStringLiteral("Blindliste: ohne Sollmengen");
    if (const std::string Weiter = FSeiten.KontextText(S.Kontext); !Weiter.empty())
      Rechts << Q(Weiter) + QStringLiteral(" (Fortsetzung)");
    P.setFont(KWDDruck::Schrift(8));
    KWDDruck::Text(P, Z.adjusted(LinksBreite + Mm(5), 0, 0, 0), Rechts.join(QStringLiteral(" \u00B7 ")),
                   Qt::AlignRight, 0, 0.8);
    if (const std::vector<std::string> Gruppen = Unvollstaendige(L); !Gruppen.empty()) {
      // The list may lack articles: said on every page, where the counter looks first.
      Z = Zeile(7);
      const QRectF Kasten = Z.adjusted(0, Mm(0.5), 0, -Mm(0.5));
      P.save();
      P.fillRect(Kasten, QColor(255, 228, 220));
      P.setPen(QPen(QColor(190, 0, 0), Mm(0.4)));
      P.drawRect(Kasten);
      P.setPen(QColor(160, 0, 0));
      P.setFont(KWDDruck::Schrift(9, true));
      QString Welche;
      for (const std::string& G : Gruppen)
        Welche += (Welche.isEmpty() ? QString() : QStringLiteral(", ")) + Q(IAWarengruppeText(G));
      KWDDruck::Text(P, Kasten,
                     QStringLiteral("ACHTUNG: noch nicht vollständig angefordert (%1) \u2013 diese Liste zeigt "
                                    "nicht alle Artikel.")
                         .arg(Welche),
                     Qt::AlignLeft, Mm(1.5), 0.7);
      P.restore();
    }
    // Column headings.
    Z = Zeile(6.5);
    P.setFont(KWDDruck::Schrift(FOpt.Punkt - 1, true));
    const QRectF Unten(Z.left(), Z.top() + Mm(1.5), Z.width(), Z.height() - Mm(1.5));
    KWDDruck::Text(P, Spalte(Unten, FSp.ArtNr, FSp.Artikel), QStringLiteral("Art.-Nr."), Qt::AlignLeft, Mm(0.8));
    KWDDruck::Text(P, Spalte(Unten, FSp.Artikel, FSp.Lieferant), QStringLiteral("Artikel"), Qt::AlignLeft, Mm(0.8));
    KWDDruck::Text(P, Spalte(Unten, FSp.Lieferant, FSp.VK), QStringLiteral("Lieferant"), Qt::AlignLeft, Mm(0.8));
    KWDDruck::Text(P, Spalte(Unten, FSp.VK, FSp.Soll), QStringLiteral("VK-Preis"), Qt::AlignRight, Mm(0.8));
    if (FOpt.Soll) KWDDruck::Text(P, Spalte(Unten, FSp.Soll, FSp.Gezaehlt), QStringLiteral("Soll"), Qt::AlignRight, Mm(0.8));
    KWDDruck::Text(P, Spalte(Unten, FSp.Gezaehlt, FSp.Ende), QStringLiteral("Gezählt"), Qt::AlignCenter);
    KWDDruck::Linie(P, R.left(), R.right(), Z.bottom(), Mm(0.3));
  }

  void Artikelzeile(QPainter& P, const QRectF& R, const TArtikel& A) const {
    const TZeile& K = A.Kopf();
    const double Innen = Mm(0.8);
    const QRectF Oben = FOpt.Kompakt ? R : QRectF(R.left(), R.top() + Mm(0.8), R.width(), Mm(5));
    const QRectF Unten(R.left(), Oben.bottom(), R.width(), Mm(4));
    const QFont Normal = KWDDruck::Schrift(FOpt.Punkt);
    const QFont Fett = KWDDruck::Schrift(FOpt.Punkt, true);
    const QFont Klein = KWDDruck::Schrift(FOpt.Punkt - 1.5);

    P.setFont(Fett);
    // The article number is never shortened: rather set smaller.
    KWDDruck::Text(P, Spalte(Oben, FSp.ArtNr, FSp.Artikel), Q(K.QArtNr), Qt::AlignLeft, Innen, 0.6);
    if (A.Fehlt()) {
      // No supplier or price to show: the id the counter needs gets their room.
      P.setFont(Normal);
      KWDDruck::Text(P, Spalte(Oben, FSp.Artikel, FSp.Soll),
                     QStringLiteral("Artikel fehlt im Stamm (Produkt-ID %1)").arg(Q(K.PId.ToString())), Qt::AlignLeft,
                     Innen);
    } else if (FOpt.Kompakt) {
      // One narrow line: no room for a bold text; the texts are shortened.
      QString Text = Q(K.Text1);
      if (!K.Text2.empty()) Text += QStringLiteral(", ") + Q(K.Text2);
      P.setFont(Normal);
      KWDDruck::Text(P, Spalte(Oben, FSp.Artikel, FSp.Lieferant), Text, Qt::AlignLeft, Innen);
      KWDDruck::Text(P, Spalte(Oben, FSp.Lieferant, FSp.VK), Q(K.Lieferant), Qt::AlignLeft, Innen);
      KWDDruck::Text(P, Spalte(Oben, FSp.VK, FSp.Soll), Zahl(K.VKPreis, 2), Qt::AlignRight, Innen);
    } else {
      // The first text runs on into the supplier's column, the supplier
      // stands below it: long article names stay whole.
      KWDDruck::Text(P, Spalte(Oben, FSp.Artikel, FSp.VK), Q(K.Text1), Qt::AlignLeft, Innen);
      P.setFont(Normal);
      KWDDruck::Text(P, Spalte(Oben, FSp.VK, FSp.Soll), Zahl(K.VKPreis, 2), Qt::AlignRight, Innen);
      QString Zusatz = Q(K.Text2);
      if (!K.Text3.empty()) Zusatz += (Zusatz.isEmpty() ? QString() : QStringLiteral(" \u00B7 ")) + Q(K.Text3);
      P.setFont(Klein);
      P.setPen(QColor(60, 60, 60));
      KWDDruck::Text(P, Spalte(Unten, FSp.Artikel, FSp.Lieferant), Zusatz, Qt::AlignLeft, Innen);
      P.setPen(Qt::black);
      P.setFont(KWDDruck::Schrift(FOpt.Punkt - 1));
      // Below the price the line is free: the supplier may use it.
      KWDDruck::Text(P, Spalte(Unten, FSp.Lieferant, FSp.Soll), Q(K.Lieferant), Qt::AlignLeft, Innen);
    }
    if (FOpt.Soll) {
      P.setFont(Fett);
      KWDDruck::Text(P, Spalte(Oben, FSp.Soll, FSp.Gezaehlt), Zahl(K.Sollmenge, 0), Qt::AlignRight, Innen);
    }
    // The box for the counted quantity of the whole article.
    const QRectF Kasten = FOpt.Kompakt ? Spalte(R, FSp.Gezaehlt, FSp.Ende).adjusted(Mm(2), Mm(0.7), -Mm(1), -Mm(0.7))
                                       : Spalte(R, FSp.Gezaehlt, FSp.Ende).adjusted(Mm(2), Mm(1.2), -Mm(1), -Mm(1.2));
    KWDDruck::Kasten(P, Kasten, Mm(0.25));
  }

  // The article number as Code 128 under the article's line, from the
  // left edge of the article number's column; the rest of the strip stays
  // empty, so nothing is printed into the quiet zones.
  void Strichcode(QPainter& P, const QRectF& R, const TArtikel& A) const {
    const std::string& Nummer = A.Kopf().QArtNr;
    const int Module = IADruck::Code128Module(Nummer);
    if (Module <= 0) return;
    const double Platz = FSp.Gezaehlt - 2;
    const double Modul =
        (Module + 2 * IADruck::KCode128Ruhezone) * KStrichModulMm <= Platz ? KStrichModulMm : KStrichModulMinMm;
    P.setFont(KWDDruck::Schrift(std::max(6.0, FOpt.Punkt - 1.5)));
    const QRectF Streifen(R.left(), R.top() + Mm(1), Mm(Platz), R.height() - Mm(1.5));
    if (!IADruck::Code128Malen(P, Streifen, Nummer, Mm(Modul), Mm(KStrichBalkenMm))) {
      // Too long for the page or not encodable: say so instead of a code no scanner reads.
      P.setFont(KWDDruck::Schrift(FOpt.Punkt - 1.5));
      KWDDruck::Text(P, Streifen, QStringLiteral("(kein Strichcode: Artikelnummer nicht darstellbar)"), Qt::AlignLeft);
    }
  }

  double RasterZelleMm() const { return (FSeiten.InhaltBreiteMm() - KRasterLabelMm) / KRasterSpalten; }

  // One file line's sizes: the size row, the target row, the row of boxes.
  void Groessenraster(QPainter& P, const QRectF& R, const TZeile& Z, double AReiheMm) const {
    const double Label = KRasterLabelMm;
    const double Zelle = RasterZelleMm();
    const double Staerke = Mm(0.15);
    const double Zaehlen = FOpt.Kompakt ? 6 : 7.5;
    double Y = R.top();
    auto Reihe = [&](const QString& ATitel, double AHoeheMm, auto AZelle) {
      const QRectF Zeile(R.left(), Y, R.width(), Mm(AHoeheMm));
      P.setFont(KWDDruck::Schrift(FOpt.Punkt - 1.5));
      KWDDruck::Text(P, Spalte(Zeile, 0, Label), ATitel, Qt::AlignLeft, Mm(0.8));
      for (int I = Z.Von; I <= Z.Bis && I - Z.Von < KRasterSpalten; ++I) {
        const double X = Label + Zelle * (I - Z.Von);
        AZelle(Spalte(Zeile, X, X + Zelle), I);
      }
      Y += Mm(AHoeheMm);
    };
    Reihe(QStringLiteral("Größe"), AReiheMm, [&](const QRectF& C, int I) {
      P.fillRect(C, QColor(235, 235, 235));
      KWDDruck::Kasten(P, C, Staerke);
      P.setFont(KWDDruck::Schrift(FOpt.Punkt - 1, true));
      KWDDruck::Text(P, C, Groesse(I), Qt::AlignCenter);
    });
    if (FOpt.Soll)
      Reihe(QStringLiteral("Soll"), AReiheMm, [&](const QRectF& C, int I) {
        KWDDruck::Kasten(P, C, Staerke);
        P.setFont(KWDDruck::Schrift(FOpt.Punkt - 1));
        KWDDruck::Text(P, C, Zahl(Z.Menge[static_cast<size_t>(I - 1)], 0), Qt::AlignCenter);
      });
    Reihe(QStringLiteral("Gezählt"), Zaehlen, [&](const QRectF& C, int) { KWDDruck::Kasten(P, C, Mm(0.25)); });
    if (FOpt.BarcodeJeGroesse && !Z.QArtNr.empty())
      Reihe(QStringLiteral("Code"), Zelle + KQrReiheZugabeMm, [&](const QRectF& C, int I) {
        IADruck::QrMalen(P, C, IADruck::GroessenCode(Z.QArtNr, I), Mm(KQrModulMaxMm));
      });
  }

  // The end of a branch's list: how many articles, and who counted.
  void Schluss(const TListe& AListe, int64_t ASollSumme) {
    const size_t Anzahl = AListe.Artikel.size();
    const int KeineGruppe = FSeiten.Kontext({});
    FSeiten.Band(
        9,
        [this, Anzahl, ASollSumme](QPainter& P, const QRectF& R) {
          KWDDruck::Linie(P, R.left(), R.right(), R.top() + Mm(1.5), Mm(0.3));
          const QRectF Z(R.left(), R.top() + Mm(2), R.width(), Mm(6));
          P.setFont(KWDDruck::Schrift(FOpt.Punkt, true));
          KWDDruck::Text(P, Z, QStringLiteral("%1 Artikel").arg(Zahl(static_cast<double>(Anzahl), 0)), Qt::AlignLeft);
          if (FOpt.Soll)
            KWDDruck::Text(P, Z, QStringLiteral("Summe Soll: %1").arg(Zahl(static_cast<double>(ASollSumme), 0)),
                           Qt::AlignRight);
        },
        true, KeineGruppe);
    FSeiten.Band(26, [this](QPainter& P, const QRectF& R) {
      P.setFont(KWDDruck::Schrift(9));
      const double Mitte = R.width() / 2;
      auto Feld = [&](double AX, double AY, const QString& ATitel, double ABreiteMm) {
        const QRectF T(R.left() + AX, R.top() + Mm(AY), Mm(ABreiteMm), Mm(6));
        KWDDruck::Text(P, T, ATitel, Qt::AlignLeft);
        KWDDruck::Linie(P, T.left() + Mm(32), T.right(), T.bottom() - Mm(0.8), Mm(0.2));
      };
      Feld(0, 4, QStringLiteral("Gezählt von:"), 85);
      Feld(Mitte, 4, QStringLiteral("Datum:"), 85);
      Feld(0, 15, QStringLiteral("Kontrolliert von:"), 85);
      Feld(Mitte, 15, QStringLiteral("Unterschrift:"), 85);
    }, false, KeineGruppe);
  }

  const TKWDBerichtDaten& FDaten;
  TKWDBerichtSeiten FSeiten;
  TOptionen FOpt{};
  TSpalten FSp{};
  std::vector<TListe> FListen;
  std::vector<TIALAnforderung> FUnvollstaendig;
  std::vector<TIALAnforderung> FAnforderungen;
  TWGNMani* FWGNMani = nullptr;  // shared instance, given back on destruction
};

}  // namespace

int TBerichtZaehlliste::Zeichnen(QPagedPaintDevice& AGeraet, const TKWDBerichtDaten& ADaten) {
  TZaehllisteDruck Druck(AGeraet, ADaten);
  return Druck.Drucken();
}

TIALTabellenKopf IALTabellenKopf(const TKWDBerichtDaten& ADaten) {
  TIALTabellenKopf Kopf;
  Kopf.Mandant = ADaten.Param("Param_TextMandant");
  Kopf.WiJahrText = ADaten.Param("Param_TextWiJahr");
  Kopf.Layout = ADaten.Layout.Titel;
  Kopf.Soll = ADaten.ParamJa("Param_Sollmenge", true);
  return Kopf;
}

bool TBerichtZaehlliste::Tabelle(const TKWDBerichtDaten& ADaten, TKWDTabelle& ATabelle) {
  std::vector<TIALListe> Listen = IALListenLesen();
  IALListenAuswaehlen(Listen, ADaten.ParamJa("Param_Nullbestand"), ADaten.ParamJa("Param_NurSammel"));
  TIALTabellenKopf Kopf = IALTabellenKopf(ADaten);
  Kopf.Anforderungen = IALUnvollstaendigLesen(ADaten.Param("Param_Unvollstaendig"));
  if (!Kopf.Anforderungen.empty())
    for (const TIALListe& L : Listen)
      if (std::none_of(Kopf.Anforderungen.begin(), Kopf.Anforderungen.end(), [&](const TIALAnforderung& A) {
            return A.Zaehldatum == L.Zaehldatum && A.FilNr == L.FilNr;
          }))
        Kopf.Anforderungen.push_back({L.Zaehldatum, L.FilNr, "", false});
  ATabelle = IALTabelle(std::move(Listen), Kopf);
  return true;
}
