// The main window's request list: columns, filling with the year's requests,
// row colours, marking and the marked requests as request keys.
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/TFrmIAMain.h"
#include "app/TIASollEKDelegate.h"
#include "engine/InvAnfLesen.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDWork.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

namespace {

struct TQLX_VRInvAus_Spalten_Rec {
  const char* Caption;
  TVRValueType VRType;
  TVRFormatType FormatType;
  const char* FormatStr;
  bool Visible;
};

// In the order of TIAListenSpalte.
constexpr TQLX_VRInvAus_Spalten_Rec CVRInvAus_Spalten[] = {
    {"", vrtNone, vrfNone, "", true},
    {"Zähldatum", vrtText, vrfNone, "", true},
    {"Zähldatum_Value", vrtDateTime, vrfNone, "", false},
    {"WG", vrtText, vrfNone, "", true},
    {"Filiale", vrtInteger, vrfNone, "", true},
    {"Soll-EK", vrtFloat, vrfFormatStr, "%12.2n", true},
    {"Ist-EK", vrtFloat, vrfFormatStr, "%12.2n", true},
    {"Differenz", vrtFloat, vrfFormatStr, "%12.2n", true},
    {"Status", vrtText, vrfNone, "", true},
    {"Status_KZ", vrtChar, vrfNone, "", false},
};

// Widths of the visible columns; the status column takes the rest.
constexpr int CSpaltenBreite[] = {26, 96, 0, 70, 64, 124, 124, 124, 160, 0};

// Actual minus target; none below half a cent, and none while nothing was
// counted (an actual value of zero is no shortfall yet).
double Differenz(double ASoll, double AIst) {
  const double D = AIst - ASoll;
  return std::fabs(D) < 0.005 || std::fabs(AIst) < 0.005 ? 0.0 : D;
}

// The row colour of a counting state; invalid: the list's own colours.
QColor ZustandsFarbe(TQLX_IA_KZZaehlung AZustand) {
  switch (AZustand) {
    case TQLX_IA_KZZaehlung::iazAngefordert: return {255, 140, 0};  // dark orange
    case TQLX_IA_KZZaehlung::iazEroeffnet:
    case TQLX_IA_KZZaehlung::iazInZaehlung: return {50, 205, 50};  // lime green
    case TQLX_IA_KZZaehlung::iazGezaehlt: return {255, 165, 0};    // orange
    case TQLX_IA_KZZaehlung::iazLoeschen: return {255, 0, 0};      // red
    default: return {};
  }
}

}  // namespace

void TFrmIAMain::VRList_Init() {
  KWDGuard("TFrmIAMain.VRList_Init", [&] {
    if (vrInvList->VRList()) return;
    TVTKWDVRList::TUpdate Klammer(*vrInvList);
    vrInvList->SetVRList(new TVRList);
    TVRList& Liste = *vrInvList->VRList();
    for (const TQLX_VRInvAus_Spalten_Rec& S : CVRInvAus_Spalten) {
      TVRColumn& Spalte = Liste.AddColumn();
      Spalte.Caption = S.Caption;
      Spalte.VRType = S.VRType;
      Spalte.FormatType = S.FormatType;
      Spalte.FormatStr = S.FormatStr;
      Spalte.Visible = S.Visible;
      // A header click leaves the list in its given order: sorted by one
      // column, the date texts would stand on rows of other dates.
      Spalte.Sortierbar = false;
    }
    vrInvList->VRListUebernehmen(true);
    vrInvList->ZeilenInitialisieren();
    for (int I = 0; I < Liste.ColumnCount(); ++I)
      if (CSpaltenBreite[I] > 0) vrInvList->setColumnWidth(I, CSpaltenBreite[I]);
    // A group may have nine characters; all of them stay readable in the list's font.
    const int Rand = 2 * (vrInvList->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, vrInvList) + 1) + 8;
    vrInvList->setColumnWidth(
        colWG, std::max(CSpaltenBreite[colWG],
                            vrInvList->fontMetrics().horizontalAdvance(QStringLiteral("-99999999")) + Rand));
    // A requested request's target value is marked as incomplete; the mark
    // and a value in the millions fit beside each other.
    vrInvList->setItemDelegateForColumn(
        colSollEK, new TIASollEKDelegate([this](int AZeile) { return SollUnvollstaendig(AZeile); }, vrInvList));
    vrInvList->setColumnWidth(
        colSollEK, std::max(CSpaltenBreite[colSollEK],
                            TIASollEKDelegate::Breite(vrInvList->font(), QStringLiteral("9.999.999,99")) + Rand));
  });
}

void TFrmIAMain::Fuelle_VRListAusIAFile() {
  KWDGuard("TFrmIAMain.Fuelle_VRListAusIAFile", [&] {
    TVTKWDVRList::TUpdate Klammer(*vrInvList);
    VRList_Init();
    if (!vrInvList->VRList()) return;  // registered by VRList_Init
    vrInvList->VRList()->ClearRows();
    FDatumTextZeilen = -1;
    // Added in the order the list shows them, so each date's text lands on
    // the first row of that date.
    const std::vector<TiaSatz> Saetze = IAAnforderungenDesJahres(FWiJahr);
    for (const TiaSatz& Satz : Saetze) FuelleZeile(Satz);
    vrInvList->VRListUebernehmen(false);
    vrInvList->ZeilenInitialisieren(false);
    // Stable sorts: by branch, then by counting date; the rows are in that
    // order already, the sort keeps it.
    vrInvList->Sortieren(colFiliale);
    vrInvList->Sortieren(colZaehldatumWert);
    FDatumTextZeilen = -1;  // the last row is another one now
  });
}

std::string TFrmIAMain::LetzterDatumText() const {
  const TVRList& Liste = *vrInvList->VRList();
  if (FDatumTextZeilen == Liste.RowCount()) return FDatumText;
  for (TVRNode Zeile = Liste.Last(); Zeile; Zeile = Liste.Previous(Zeile)) {
    std::string Text = Liste.CellText(Zeile, colZaehldatum);
    if (!Text.empty()) return Text;
  }
  return {};
}

void TFrmIAMain::FuelleZeile(const TiaSatz& ASatz) {
  KWDGuard("TFrmIAMain.FuelleZeile", [&] {
    TVTKWDVRList::TUpdate Klammer(*vrInvList);
    TVRList& Liste = *vrInvList->VRList();
    const std::string Letzter = LetzterDatumText();
    // The prepared row, one cell per column; every row sets all its cells.
    if (!FZeile || static_cast<int>(FZeile->Zellen().size()) != Liste.ColumnCount())
      FZeile = std::make_unique<TVRRow>(Liste.ColumnCount());
    TVRRow& Zeile = *FZeile;
    // The rows of one date follow one another: its text is formatted once.
    const bool WieVorher = FDatumTextZeilen == Liste.RowCount() && FDatumWert == ASatz.Zaehldatum;
    const std::string Datum = WieVorher ? FDatumText : FormatDatum(ASatz.Zaehldatum);
    const bool DatumZeigen = Datum != Letzter;
    Zeile.SetText(colZaehldatum, DatumZeigen ? Datum : std::string());
    Zeile.SetDateTime(colZaehldatumWert, ASatz.Zaehldatum);
    Zeile.SetText(colWG, ASatz.WG.empty() ? std::string("*") : ASatz.WG);
    Zeile.SetInteger(colFiliale, ASatz.FilNr);
    Zeile.SetFloat(colSollEK, ASatz.EKSoll);
    Zeile.SetFloat(colIstEK, ASatz.EKIst);
    Zeile.SetFloat(colDifferenz, Differenz(ASatz.EKSoll, ASatz.EKIst));
    Zeile.SetChar(colStatusKZ, ASatz.KZZaehlung);
    Zeile.SetText(colStatus, CQLX_IA_KZZaehlung_2_String(Char_2_IA_KZZaehlung(ASatz.KZZaehlung)));
    Liste.AddRow(Zeile);
    FDatumText = Datum;  // equal to Letzter where it is not shown
    FDatumWert = ASatz.Zaehldatum;
    FDatumTextZeilen = Liste.RowCount();
  });
}

void TFrmIAMain::vrInvListInitNode(TVRNode ANode) {
  KWDGuard("TFrmIAMain.vrInvListInitNode", [&] { vrInvList->SetCheckType(ANode, TVRCheckType::CheckBox); });
}

QColor TFrmIAMain::vrInvListBeforeCellPaint(TVRNode ANode) {
  QColor Farbe;
  // Asked while the list paints: an error is logged, never shown (a message
  // box opened from a paint would paint the list again and fail again).
  KWDGuardStill("TFrmIAMain.vrInvListBeforeCellPaint",
                [&] { Farbe = ZustandsFarbe(Char_2_IA_KZZaehlung(vrInvList->GetChar(ANode, colStatusKZ))); });
  return Farbe;
}

bool TFrmIAMain::SollUnvollstaendig(int AZeile) const {
  bool Unvollstaendig = false;
  // Asked while the list paints: logged, never shown (as the row colour).
  KWDGuardStill("TFrmIAMain.SollUnvollstaendig", [&] {
    const TVRNode Zeile = vrInvList->VRList() ? vrInvList->VRList()->Node(AZeile) : nullptr;
    Unvollstaendig = Zeile && Char_2_IA_KZZaehlung(vrInvList->GetChar(Zeile, colStatusKZ)) ==
                                  TQLX_IA_KZZaehlung::iazAngefordert;
  });
  return Unvollstaendig;
}

void TFrmIAMain::vrInvListHeaderClick(int) {}

void TFrmIAMain::btnMarkierenClick() {
  KWDGuard("TFrmIAMain.btnMarkierenClick", [&] {
    const TKWDWorkBracket Arbeit(this, "TFrmIAMain.btnMarkierenClick", 5);
    if (!Arbeit.Offen()) return;
    TVTKWDVRList::TUpdate Klammer(*vrInvList);
    const TVRNode Zeile = vrInvList->GetFirstSelected();
    if (!Zeile) return;
    vrInvList->SetCheckState(Zeile, vrInvList->GetCheckState(Zeile) == TVRCheckState::Checked
                                        ? TVRCheckState::Unchecked
                                        : TVRCheckState::Checked);
    // Repeated presses mark successive rows.
    if (const TVRNode Naechste = vrInvList->GetNext(Zeile)) vrInvList->SetSelected(Naechste);
  });
}

void TFrmIAMain::btnAlleEinClick() {
  KWDGuard("TFrmIAMain.btnAlleEinClick", [&] {
    const TKWDWorkBracket Arbeit(this, "TFrmIAMain.btnAlleEinClick", 5);
    if (!Arbeit.Offen()) return;
    TVTKWDVRList::TUpdate Klammer(*vrInvList);
    for (TVRNode Zeile = vrInvList->GetFirst(); Zeile; Zeile = vrInvList->GetNext(Zeile))
      vrInvList->SetCheckState(Zeile, TVRCheckState::Checked);
  });
}

void TFrmIAMain::btnAlleUmsClick() {
  KWDGuard("TFrmIAMain.btnAlleUmsClick", [&] {
    const TKWDWorkBracket Arbeit(this, "TFrmIAMain.btnAlleUmsClick", 5);
    if (!Arbeit.Offen()) return;
    TVTKWDVRList::TUpdate Klammer(*vrInvList);
    for (TVRNode Zeile = vrInvList->GetFirst(); Zeile; Zeile = vrInvList->GetNext(Zeile))
      vrInvList->SetCheckState(Zeile, vrInvList->GetCheckState(Zeile) == TVRCheckState::Checked
                                          ? TVRCheckState::Unchecked
                                          : TVRCheckState::Checked);
  });
}

TVRNode TFrmIAMain::CheckSelectedNode() {
  return KWDGuard(
      "TFrmIAMain.CheckSelectedNode",
      [&]() -> TVRNode {
        const TVRNode Zeile = vrInvList->GetFirstSelected();
        if (Zeile) {
          vrInvList->SetCheckState(Zeile, TVRCheckState::Checked);
          vrInvList->RepaintNode(Zeile);
        }
        return Zeile;
      },
      TVRNode{nullptr});
}

std::vector<TVglInvAnf_Inv> TFrmIAMain::GetSelectedInfAnv() {
  return KWDGuard(
      "TFrmIAMain.GetSelectedInfAnv",
      [&] {
        std::vector<TVglInvAnf_Inv> Anforderungen;
        TVRNode Zeile = vrInvList->GetFirstChecked();
        if (!Zeile) Zeile = CheckSelectedNode();
        for (; Zeile; Zeile = vrInvList->GetNextChecked(Zeile)) {
          TVglInvAnf_Inv Anf;
          Anf.Clear();
          Anf.FilNr = static_cast<int16_t>(vrInvList->GetInteger(Zeile, colFiliale));
          Anf.WG = vrInvList->GetText(Zeile, colWG);
          std::erase(Anf.WG, '*');
          Anf.WiJahr = YearOf(FWiJahr);
          Anf.Zaehldatum = vrInvList->GetDateTime(Zeile, colZaehldatumWert);
          Anf.KZZaehlung = static_cast<uint8_t>(Char_2_IA_KZZaehlung(vrInvList->GetChar(Zeile, colStatusKZ)));
          Anforderungen.push_back(std::move(Anf));
        }
        return Anforderungen;
      },
      std::vector<TVglInvAnf_Inv>{});
}
