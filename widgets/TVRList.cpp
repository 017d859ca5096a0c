#include "widgets/TVRList.h"

#include <QBrush>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "support/framework/KWDGuard.h"
#include "support/framework/KWDWork.h"
#include "support/types/KWDZahlFormat.h"

namespace {

bool IstZahl(TVRValueType ATyp) { return ATyp == vrtInteger || ATyp == vrtFloat || ATyp == vrtDateTime; }

double ZahlWert(const TVRCell& AZelle) {
  return AZelle.Typ == vrtInteger ? static_cast<double>(AZelle.Ganz) : AZelle.Zahl;
}

// A row's sort key, taken out once per sort: comparing keys side by side in
// one array touches no row, which keeps sorting 10,000 rows and more fast.
struct TSortSchluessel {
  int Rang = 0;  // 0 empty, 1 number, 2 text
  bool Ganz = false;
  int64_t GanzWert = 0;
  double Zahl = 0;
  const std::string* Text = nullptr;
  TVRZeile* Zeile = nullptr;
};

TSortSchluessel Schluessel(const TVRCell* AZelle, TVRZeile* AZeile) {
  TSortSchluessel S;
  S.Zeile = AZeile;
  if (!AZelle || AZelle->Typ == vrtNone) return S;
  if (IstZahl(AZelle->Typ)) {
    S.Rang = 1;
    S.Ganz = AZelle->Typ == vrtInteger;
    S.GanzWert = AZelle->Ganz;
    S.Zahl = ZahlWert(*AZelle);
  } else {
    S.Rang = 2;
    S.Text = &AZelle->Text;
  }
  return S;
}

// Sort order of two cells: empty first, then numbers by value, then texts bytewise.
int Vergleichen(const TSortSchluessel& A, const TSortSchluessel& B) {
  if (A.Rang != B.Rang) return A.Rang < B.Rang ? -1 : 1;
  if (A.Rang == 0) return 0;
  if (A.Rang == 1) {
    if (A.Ganz && B.Ganz) return A.GanzWert < B.GanzWert ? -1 : (B.GanzWert < A.GanzWert ? 1 : 0);
    return A.Zahl < B.Zahl ? -1 : (B.Zahl < A.Zahl ? 1 : 0);
  }
  return A.Text->compare(*B.Text);
}

std::string Entleert(std::string AText) {
  const auto B = AText.find_first_not_of(' ');
  if (B == std::string::npos) return {};
  return AText.substr(B, AText.find_last_not_of(' ') - B + 1);
}

}  // namespace

QColor KWDLesbareSchrift(const QColor& AHintergrund) {
  // Relative luminance (sRGB); black reads better above about 0.18, which
  // also keeps black on pure red, orange and green.
  auto Kanal = [](double C) { return C <= 0.03928 ? C / 12.92 : std::pow((C + 0.055) / 1.055, 2.4); };
  const double L = 0.2126 * Kanal(AHintergrund.redF()) + 0.7152 * Kanal(AHintergrund.greenF()) +
                   0.0722 * Kanal(AHintergrund.blueF());
  return L > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
}

// ---- TVRRow ----

TVRCell& TVRRow::Zelle(int ACol) {
  if (ACol < 0 || ACol >= static_cast<int>(FZellen.size()))
    throw std::out_of_range("Spalte " + std::to_string(ACol) + " gibt es nicht (die Zeile hat " +
                            std::to_string(FZellen.size()) + " Spalten).");
  return FZellen[static_cast<std::size_t>(ACol)];
}

void TVRRow::SetText(int ACol, std::string AWert) {
  auto& Z = Zelle(ACol);
  Z = {vrtText, 0, 0, std::move(AWert)};
}

void TVRRow::SetDateTime(int ACol, TDateTime AWert) { Zelle(ACol) = {vrtDateTime, 0, AWert, {}}; }
void TVRRow::SetInteger(int ACol, int64_t AWert) { Zelle(ACol) = {vrtInteger, AWert, 0, {}}; }
void TVRRow::SetFloat(int ACol, double AWert) { Zelle(ACol) = {vrtFloat, 0, AWert, {}}; }
void TVRRow::SetChar(int ACol, char AWert) { Zelle(ACol) = {vrtChar, 0, 0, std::string(1, AWert)}; }

void TVRRow::Clear() { std::fill(FZellen.begin(), FZellen.end(), TVRCell{}); }

// ---- TVRList ----

TVRList::TVRList(QObject* AParent) : QAbstractTableModel(AParent) {}

TVRList::~TVRList() = default;

TVRColumn& TVRList::AddColumn() {
  FSpalten.emplace_back();
  return FSpalten.back();
}

const TVRColumn& TVRList::Column(int ACol) const {
  if (ACol < 0 || ACol >= ColumnCount())
    throw std::out_of_range("Spalte " + std::to_string(ACol) + " gibt es nicht (die Liste hat " +
                            std::to_string(ColumnCount()) + " Spalten).");
  return FSpalten[static_cast<std::size_t>(ACol)];
}

void TVRList::ClearRows() {
  // The rows' storage stays for the next filling: refilling a list of about
  // the same size allocates next to nothing.
  if (FAngekuendigtZeilen > 0) {
    beginRemoveRows({}, 0, FAngekuendigtZeilen - 1);
    FZeilen.clear();
    FBelegt = 0;
    FAngekuendigtZeilen = 0;
    endRemoveRows();
  } else {
    FZeilen.clear();
    FBelegt = 0;
  }
}

TVRZeile& TVRList::NeueZeile() {
  // Room first, so that nothing is half added when memory runs out.
  if (FZeilen.size() == FZeilen.capacity()) FZeilen.reserve(std::max<std::size_t>(64, FZeilen.capacity() * 2));
  TVRZeile& Zeile = FBelegt < FSpeicher.size() ? FSpeicher[FBelegt] : FSpeicher.emplace_back();
  ++FBelegt;
  Zeile.Index = RowCount();
  Zeile.CheckState = TVRCheckState::Unchecked;
  Zeile.CheckType = TVRCheckType::None;
  Zeile.Initialisiert = false;
  FZeilen.push_back(&Zeile);
  return Zeile;
}

TVRNode TVRList::AddRow(const TVRRow& ARow) {
  TVRZeile& Zeile = NeueZeile();
  try {
    Zeile.Zellen = ARow.Zellen();  // into the cells a cleared row left: no allocation
  } catch (...) {
    FZeilen.pop_back();
    --FBelegt;
    throw;
  }
  if (FUpdate == 0) ZeilenAnkuendigen();
  return &Zeile;
}

TVRNode TVRList::AddRow(TVRRow&& ARow) {
  TVRZeile& Zeile = NeueZeile();
  Zeile.Zellen = std::move(ARow.FZellen);
  ARow.FZellen.clear();
  if (FUpdate == 0) ZeilenAnkuendigen();
  return &Zeile;
}

TVRNode TVRList::Node(int ARow) const {
  if (ARow < 0 || ARow >= RowCount()) return nullptr;
  return FZeilen[static_cast<std::size_t>(ARow)];
}

const TVRCell* TVRList::Zelle(TVRNode ANode, int ACol) const {
  if (!ANode || ACol < 0 || ACol >= static_cast<int>(ANode->Zellen.size())) return nullptr;
  return &ANode->Zellen[static_cast<std::size_t>(ACol)];
}

QString TVRList::AnzeigeText(TVRNode ANode, int ACol) const {
  return QString::fromStdString(CellText(ANode, ACol));
}

std::string TVRList::CellText(TVRNode ANode, int ACol) const {
  const TVRCell* Z = Zelle(ANode, ACol);
  if (!Z) return {};
  switch (Z->Typ) {
    case vrtNone: return {};
    case vrtText:
    case vrtChar: return Z->Text;
    case vrtInteger: return std::to_string(Z->Ganz);
    case vrtDateTime:
      if (Z->Zahl == 0) return {};
      return Z->Zahl == std::floor(Z->Zahl) ? FormatDatum(Z->Zahl) : FormatDatumZeit(Z->Zahl);
    case vrtFloat: {
      const TVRColumn* Spalte = ACol < ColumnCount() ? &FSpalten[static_cast<std::size_t>(ACol)] : nullptr;
      if (Spalte && Spalte->FormatType == vrfFormatStr && !Spalte->FormatStr.empty()) {
        try {
          return Entleert(KWDFormatN(Spalte->FormatStr, Z->Zahl));
        } catch (const std::invalid_argument&) {
          // a format the suite does not know: show the number plainly
        }
      }
      return FormatZahlDe(Z->Zahl, 2);
    }
  }
  return {};
}

int64_t TVRList::CellInteger(TVRNode ANode, int ACol) const {
  const TVRCell* Z = Zelle(ANode, ACol);
  if (!Z) return 0;
  switch (Z->Typ) {
    case vrtInteger: return Z->Ganz;
    case vrtFloat:
    case vrtDateTime: return static_cast<int64_t>(std::llround(Z->Zahl));
    case vrtText:
    case vrtChar: {
      try {
        std::size_t Ende = 0;
        const long long Wert = std::stoll(Z->Text, &Ende);
        return Ende == Z->Text.size() ? Wert : 0;
      } catch (const std::exception&) {
        return 0;
      }
    }
    case vrtNone: return 0;
  }
  return 0;
}

TDateTime TVRList::CellDateTime(TVRNode ANode, int ACol) const {
  const TVRCell* Z = Zelle(ANode, ACol);
  if (!Z) return 0;
  switch (Z->Typ) {
    case vrtDateTime:
    case vrtFloat: return Z->Zahl;
    case vrtInteger: return static_cast<double>(Z->Ganz);
    case vrtText: {
      TDate Datum = 0;
      return TryParseDatum(Z->Text, Datum) ? Datum : 0;
    }
    default: return 0;
  }
}

char TVRList::CellChar(TVRNode ANode, int ACol) const {
  const TVRCell* Z = Zelle(ANode, ACol);
  if (!Z || (Z->Typ != vrtChar && Z->Typ != vrtText) || Z->Text.empty()) return '\0';
  return Z->Text.front();
}

void TVRList::RowChanged(TVRNode ANode) {
  if (!ANode || ANode->Index >= FAngekuendigtZeilen || FAngekuendigtSpalten == 0) return;
  // Inside an update bracket the changes are announced together at its end.
  if (FUpdate > 0) {
    FGeaendert = true;
    return;
  }
  emit dataChanged(index(ANode->Index, 0), index(ANode->Index, FAngekuendigtSpalten - 1));
}

void TVRList::SetCheckState(TVRNode ANode, TVRCheckState AState) {
  if (!ANode || ANode->CheckState == AState) return;
  ANode->CheckState = AState;
  RowChanged(ANode);
}

void TVRList::SetCheckType(TVRNode ANode, TVRCheckType AType) {
  if (!ANode || ANode->CheckType == AType) return;
  ANode->CheckType = AType;
  RowChanged(ANode);
}

void TVRList::Sort(int ACol, bool AAufsteigend) {
  ZeilenAnkuendigen();
  const QModelIndexList Alt = persistentIndexList();
  std::vector<TVRNode> AltZeilen;
  AltZeilen.reserve(static_cast<std::size_t>(Alt.size()));
  for (const QModelIndex& I : Alt) AltZeilen.push_back(Node(I.row()));

  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const auto C = static_cast<std::size_t>(ACol);
  std::vector<TSortSchluessel> Schluesselliste;
  Schluesselliste.reserve(FZeilen.size());
  for (TVRZeile* Z : FZeilen) Schluesselliste.push_back(Schluessel(C < Z->Zellen.size() ? &Z->Zellen[C] : nullptr, Z));
  auto Kleiner = [](const TSortSchluessel& A, const TSortSchluessel& B) { return Vergleichen(A, B) < 0; };
  if (AAufsteigend)
    std::stable_sort(Schluesselliste.begin(), Schluesselliste.end(), Kleiner);
  else
    std::stable_sort(Schluesselliste.begin(), Schluesselliste.end(), [&](const auto& A, const auto& B) { return Kleiner(B, A); });
  for (std::size_t I = 0; I < FZeilen.size(); ++I) {
    FZeilen[I] = Schluesselliste[I].Zeile;
    FZeilen[I]->Index = static_cast<int>(I);
  }

  QModelIndexList Neu;
  Neu.reserve(Alt.size());
  for (qsizetype I = 0; I < Alt.size(); ++I) {
    const TVRNode Zeile = AltZeilen[static_cast<std::size_t>(I)];
    Neu.push_back(Zeile ? index(Zeile->Index, Alt[I].column()) : QModelIndex());
  }
  changePersistentIndexList(Alt, Neu);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TVRList::EndUpdate() {
  if (FUpdate == 0) return;
  if (--FUpdate > 0) return;
  ZeilenAnkuendigen();
  if (FGeaendert && FAngekuendigtZeilen > 0 && FAngekuendigtSpalten > 0)
    emit dataChanged(index(0, 0), index(FAngekuendigtZeilen - 1, FAngekuendigtSpalten - 1));
  FGeaendert = false;
}

void TVRList::ZeilenAnkuendigen() {
  if (FAngekuendigtSpalten == 0 && !FSpalten.empty()) return;  // columns first: Uebernehmen(true)
  if (RowCount() <= FAngekuendigtZeilen) return;
  beginInsertRows({}, FAngekuendigtZeilen, RowCount() - 1);
  FAngekuendigtZeilen = RowCount();
  endInsertRows();
}

void TVRList::Uebernehmen(bool ASpalten) {
  if (ASpalten) {
    if (ColumnCount() != FAngekuendigtSpalten) {
      beginResetModel();
      FAngekuendigtSpalten = ColumnCount();
      FAngekuendigtZeilen = RowCount();
      endResetModel();
    } else if (FAngekuendigtSpalten > 0) {
      emit headerDataChanged(Qt::Horizontal, 0, FAngekuendigtSpalten - 1);
    }
  }
  ZeilenAnkuendigen();
}

void TVRList::SetZeilenFarbe(TZeilenFarbe AFarbe) {
  FZeilenFarbe = std::move(AFarbe);
  if (FAngekuendigtZeilen > 0 && FAngekuendigtSpalten > 0)
    emit dataChanged(index(0, 0), index(FAngekuendigtZeilen - 1, FAngekuendigtSpalten - 1),
                     {Qt::BackgroundRole, Qt::ForegroundRole});
}

QColor TVRList::Farbe(TVRNode ANode) const {
  if (!FZeilenFarbe) return {};
  // Asked while painting: an error is only logged; a message box opened from
  // inside a paint would paint again and fail again.
  QColor Farbe;
  KWDGuardStill("TVTKWDVRList.BeforeCellPaint", [&] { Farbe = FZeilenFarbe(ANode); });
  return Farbe;
}

int TVRList::rowCount(const QModelIndex& AParent) const { return AParent.isValid() ? 0 : FAngekuendigtZeilen; }

int TVRList::columnCount(const QModelIndex& AParent) const {
  return AParent.isValid() ? 0 : FAngekuendigtSpalten;
}

QVariant TVRList::data(const QModelIndex& AIndex, int ARole) const {
  const TVRNode Zeile = Node(AIndex.row());
  if (!Zeile) return {};
  const int Spalte = AIndex.column();
  switch (ARole) {
    case Qt::DisplayRole: return AnzeigeText(Zeile, Spalte);
    case Qt::TextAlignmentRole: {
      const TVRCell* Z = Zelle(Zeile, Spalte);
      const bool Rechts = Z && (Z->Typ == vrtInteger || Z->Typ == vrtFloat);
      const bool Links = Spalte < ColumnCount() && FSpalten[static_cast<std::size_t>(Spalte)].FormatStr.find('-') !=
                                                        std::string::npos;
      return QVariant::fromValue(Qt::Alignment((Rechts && !Links ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    }
    case Qt::CheckStateRole:
      if (Spalte == 0 && Zeile->CheckType == TVRCheckType::CheckBox)
        return Zeile->CheckState == TVRCheckState::Checked ? Qt::Checked : Qt::Unchecked;
      return {};
    case Qt::BackgroundRole: {
      const QColor F = Farbe(Zeile);
      return F.isValid() ? QVariant(QBrush(F)) : QVariant();
    }
    case Qt::ForegroundRole: {
      const QColor F = Farbe(Zeile);
      return F.isValid() ? QVariant(QBrush(KWDLesbareSchrift(F))) : QVariant();
    }
    default: return {};
  }
}

bool TVRList::setData(const QModelIndex& AIndex, const QVariant& AWert, int ARole) {
  const TVRNode Zeile = Node(AIndex.row());
  if (ARole != Qt::CheckStateRole || !Zeile || AIndex.column() != 0 || Zeile->CheckType != TVRCheckType::CheckBox)
    return false;
  // While a command runs, marks belong to it: a click must not change them.
  if (Working(nullptr)) return false;
  SetCheckState(Zeile, AWert.toInt() == Qt::Checked ? TVRCheckState::Checked : TVRCheckState::Unchecked);
  emit CheckStateGeklickt(Zeile);
  return true;
}

QVariant TVRList::headerData(int ASection, Qt::Orientation AOrientation, int ARole) const {
  if (AOrientation != Qt::Horizontal || ASection < 0 || ASection >= ColumnCount()) return {};
  const TVRColumn& Spalte = FSpalten[static_cast<std::size_t>(ASection)];
  if (ARole == Qt::DisplayRole) return QString::fromStdString(Spalte.Caption);
  if (ARole == Qt::TextAlignmentRole) {
    const bool Rechts = (Spalte.VRType == vrtInteger || Spalte.VRType == vrtFloat) &&
                        Spalte.FormatStr.find('-') == std::string::npos;
    return QVariant::fromValue(Qt::Alignment((Rechts ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
  }
  return {};
}

Qt::ItemFlags TVRList::flags(const QModelIndex& AIndex) const {
  const TVRNode Zeile = Node(AIndex.row());
  if (!Zeile) return Qt::NoItemFlags;
  Qt::ItemFlags F = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (AIndex.column() == 0 && Zeile->CheckType == TVRCheckType::CheckBox) F |= Qt::ItemIsUserCheckable;
  return F;
}
