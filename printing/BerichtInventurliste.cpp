#include "printing/BerichtInventurliste.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "engine/InvAnfLesen.h"
#include "printing/DruckGemeinsam.h"
#include "printing/IALTabelle.h"
#include "suite/TFilialTabelle.h"
#include "suite/TWGNMani.h"
#include "widgets/TKWDBerichtSeiten.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

using IADruck::Q;
using IADruck::Zahl;

namespace {

struct TSummen {
  double Soll = 0, Ist = 0, Differenz = 0;
  int Anzahl = 0;
  void Dazu(const TiaSatz& AS) {
    Soll += AS.EKSoll;
    Ist += AS.EKIst;
    Differenz += IADifferenz(AS.EKSoll, AS.EKIst);
    ++Anzahl;
  }
};

TDate WiJahrParameter(const TKWDBerichtDaten& ADaten) {
  const std::string Text = ADaten.Param("Param_WiJahr");
  TDate Jahr = 0;
  if (!TryParseDatum(Text.substr(0, 10), Jahr))
    throw std::runtime_error("Der Parameter Param_WiJahr (\u201E" + Text + "\u201C) ist kein Datum.");
  return Jahr;
}

// Column edges in mm: counting date, group, branch, target, actual, difference, state.
constexpr double KSp[] = {0, 21, 66, 78, 101, 124, 146};

class TInventurlisteDruck {
 public:
  TInventurlisteDruck(QPagedPaintDevice& AGeraet, const TKWDBerichtDaten& ADaten)
      : FDaten(ADaten), FSeiten(AGeraet, 15, 10, 12, 10) {}

  int Drucken() {
    Einlesen();
    FSeiten.Abschnitt(
        22, [this](QPainter& P, const QRectF& R, const TKWDBerichtSeiten::TSeite& S) { Kopf(P, R, S); }, 7,
        [this](QPainter& P, const QRectF& R, const TKWDBerichtSeiten::TSeite&) {
          IADruck::Fusszeile(P, R, FSeiten, QString());
        });
    if (FSaetze.empty()) {
      FSeiten.Band(12, [this](QPainter& P, const QRectF& R) {
        P.setFont(KWDDruck::Schrift(9));
        KWDDruck::Text(P, R, QStringLiteral("Für dieses Wirtschaftsjahr gibt es keine Inventuranforderungen."),
                       Qt::AlignLeft);
      });
    }
    TSummen Gesamt;
    for (size_t I = 0; I < FSaetze.size();) {
      const int32_t Fil = FSaetze[I].FilNr;
      const QString Titel = QStringLiteral("Filiale %1").arg(Fil) +
                            (FFilialen.count(Fil) ? QStringLiteral(" \u2013 ") + Q(FFilialen[Fil]) : QString());
      FSeiten.Band(
          8, [this, Titel](QPainter& P, const QRectF& R) { IADruck::Gruppenkopf(P, R, FSeiten, Titel, 9); }, true);
      TSummen Filiale;
      for (; I < FSaetze.size() && FSaetze[I].FilNr == Fil; ++I) {
        const TiaSatz* S = &FSaetze[I];
        FSeiten.Band(5.5, [this, S](QPainter& P, const QRectF& R) { Zeile(P, R, *S); });
        Filiale.Dazu(*S);
        Gesamt.Dazu(*S);
      }
      FSeiten.Band(8, [this, Filiale, Fil](QPainter& P, const QRectF& R) {
        Summe(P, R, QStringLiteral("Summe Filiale %1").arg(Fil), Filiale, false);
      });
    }
    FSeiten.Band(11, [this, Gesamt](QPainter& P, const QRectF& R) {
      Summe(P, R, QStringLiteral("Gesamtsumme"), Gesamt, true);
    });
    QPainter Maler;
    if (!Maler.begin(&AGeraet())) throw std::runtime_error("Die Inventurliste kann nicht gezeichnet werden.");
    const int Seiten = FSeiten.Zeichnen(Maler);
    Maler.end();
    return Seiten;
  }

 private:
  QPagedPaintDevice& AGeraet() { return FSeiten.Geraet(); }
  double Mm(double A) const { return FSeiten.Mm(A); }
  QRectF Spalte(const QRectF& AZeile, int ASpalte) const {
    const double Von = KSp[ASpalte];
    const double Bis = ASpalte + 1 < static_cast<int>(std::size(KSp)) ? KSp[ASpalte + 1] : FSeiten.InhaltBreiteMm();
    return QRectF(AZeile.left() + Mm(Von), AZeile.top(), Mm(Bis - Von), AZeile.height());
  }

  void Einlesen() {
    const TDate Jahr = WiJahrParameter(FDaten);
    // Grouped by branch; within a branch in the main window's order.
    FSaetze = IAAnforderungenDesJahres(Jahr);
    std::stable_sort(FSaetze.begin(), FSaetze.end(),
                     [](const TiaSatz& A, const TiaSatz& B) { return A.FilNr < B.FilNr; });
    TFilialTabelle* Filialen = GlobFilialTabelle_GetInstance();
    for (const TFiliale& F : Filialen->Filialen()) FFilialen[F.FilNr] = F.Name;
    GlobFilialTabelle_ReleaseInstance(Filialen);
    TWGNMani* WGN = GlobWGNMani_GetInstance();
    for (const TiaSatz& S : FSaetze)
      if (!S.WG.empty() && !FGruppen.count(S.WG)) FGruppen[S.WG] = WGN->Get_GWNText(S.WG, S.WG);
    GlobWGNMani_ReleaseInstance(WGN);
  }

  void Kopf(QPainter& P, const QRectF& R, const TKWDBerichtSeiten::TSeite& S) const {
    QRectF Z(R.left(), R.top(), R.width(), Mm(4.5));
    P.setFont(KWDDruck::Schrift(8));
    KWDDruck::Text(P, Z, Q(FDaten.Param("Param_TextMandant")), Qt::AlignLeft);
    KWDDruck::Text(P, Z, QStringLiteral("Seite %1 von %2").arg(S.Nr).arg(S.Von), Qt::AlignRight);
    Z.translate(0, Z.height());
    Z.setHeight(Mm(9));
    P.setFont(KWDDruck::Schrift(14, true));
    const std::string Ueberschrift =
        FDaten.Layout.Titel.empty() ? std::string("Inventuren des Wirtschaftsjahres") : FDaten.Layout.Titel;
    KWDDruck::Text(P, Z, Q(Ueberschrift + " " + FDaten.Param("Param_TextWiJahr")), Qt::AlignLeft);
    Z.translate(0, Z.height());
    Z.setHeight(Mm(8.5));
    const QRectF Titel(Z.left(), Z.top() + Mm(3), Z.width(), Z.height() - Mm(3));
    P.setFont(KWDDruck::Schrift(8, true));
    const char* Namen[] = {"Zähldatum", "Warengruppe", "Filiale", "Soll-EK", "Ist-EK", "Differenz", "Status"};
    for (int I = 0; I < 7; ++I)
      KWDDruck::Text(P, Spalte(Titel, I), QString::fromUtf8(Namen[I]),
                     I >= 2 && I <= 5 ? Qt::AlignRight : Qt::AlignLeft, Mm(0.8));
    KWDDruck::Linie(P, R.left(), R.right(), Z.bottom(), Mm(0.3));
  }

  void Zeile(QPainter& P, const QRectF& R, const TiaSatz& S) const {
    P.setFont(KWDDruck::Schrift(8.5));
    const double Innen = Mm(0.8);
    KWDDruck::Text(P, Spalte(R, 0), Q(FormatDatum(S.Zaehldatum)), Qt::AlignLeft, Innen);
    QString Gruppe = QStringLiteral("alle");
    if (!S.WG.empty()) {
      const auto It = FGruppen.find(S.WG);
      Gruppe = Q(S.WG) + (It != FGruppen.end() && !It->second.empty() ? QStringLiteral(" ") + Q(It->second) : QString());
    }
    KWDDruck::Text(P, Spalte(R, 1), Gruppe, Qt::AlignLeft, Innen);
    KWDDruck::Text(P, Spalte(R, 2), QString::number(S.FilNr), Qt::AlignRight, Innen);
    KWDDruck::Text(P, Spalte(R, 3), Zahl(S.EKSoll, 2), Qt::AlignRight, Innen);
    KWDDruck::Text(P, Spalte(R, 4), Zahl(S.EKIst, 2), Qt::AlignRight, Innen);
    KWDDruck::Text(P, Spalte(R, 5), Zahl(IADifferenz(S.EKSoll, S.EKIst), 2), Qt::AlignRight, Innen);
    KWDDruck::Text(P, Spalte(R, 6),
                   QString::fromUtf8(CQLX_IA_KZZaehlung_2_String(Char_2_IA_KZZaehlung(S.KZZaehlung))), Qt::AlignLeft,
                   Mm(2.5));
  }

  void Summe(QPainter& P, const QRectF& R, const QString& ATitel, const TSummen& AS, bool AGesamt) const {
    const double Links = R.left() + Mm(KSp[3]);
    const double Rechts = R.left() + Mm(KSp[6]);
    KWDDruck::Linie(P, Links, Rechts, R.top() + Mm(0.8), Mm(AGesamt ? 0.35 : 0.2));
    const QRectF Z(R.left(), R.top() + Mm(1.2), R.width(), Mm(5.5));
    P.setFont(KWDDruck::Schrift(AGesamt ? 9 : 8.5, true));
    const double Innen = Mm(0.8);
    KWDDruck::Text(P, QRectF(Z.left(), Z.top(), Mm(KSp[3]), Z.height()),
                   ATitel + QStringLiteral(" (%1 %2)").arg(AS.Anzahl).arg(AS.Anzahl == 1 ? QStringLiteral("Inventur")
                                                                                          : QStringLiteral("Inventuren")),
                   Qt::AlignLeft, Innen);
    KWDDruck::Text(P, Spalte(Z, 3), Zahl(AS.Soll, 2), Qt::AlignRight, Innen);
    KWDDruck::Text(P, Spalte(Z, 4), Zahl(AS.Ist, 2), Qt::AlignRight, Innen);
    KWDDruck::Text(P, Spalte(Z, 5), Zahl(AS.Differenz, 2), Qt::AlignRight, Innen);
    if (AGesamt) {
      KWDDruck::Linie(P, Links, Rechts, Z.bottom() + Mm(0.6), Mm(0.2));
      KWDDruck::Linie(P, Links, Rechts, Z.bottom() + Mm(1.2), Mm(0.2));
    }
  }

  const TKWDBerichtDaten& FDaten;
  TKWDBerichtSeiten FSeiten;
  std::vector<TiaSatz> FSaetze;
  std::map<int32_t, std::string> FFilialen;
  std::map<std::string, std::string> FGruppen;
};

}  // namespace

bool TBerichtInventurliste::Tabelle(const TKWDBerichtDaten& ADaten, TKWDTabelle& ATabelle) {
  ATabelle = IAListeTabelle(WiJahrParameter(ADaten), ADaten.Param("Param_TextMandant"));
  return true;
}

int TBerichtInventurliste::Zeichnen(QPagedPaintDevice& AGeraet, const TKWDBerichtDaten& ADaten) {
  TInventurlisteDruck Druck(AGeraet, ADaten);
  return Druck.Drucken();
}
