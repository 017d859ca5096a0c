#include "widgets/TVTKWDVRList.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStyledItemDelegate>

#include "support/framework/KWDGuard.h"

namespace {
// Whole rows are selected, so no single cell shows the focus frame.
class TZeilenDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* AOption, const QModelIndex& AIndex) const override {
    QStyledItemDelegate::initStyleOption(AOption, AIndex);
    AOption->state &= ~QStyle::State_HasFocus;
  }
};

// A column without values (the check-box column) needs only the box's width.
constexpr int KKastenSpalte = 26;
}  // namespace

TVTKWDVRList::TVTKWDVRList(QWidget* AParent) : QTableView(AParent) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);
  setWordWrap(false);
  setShowGrid(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setItemDelegate(new TZeilenDelegate(this));

  setAlternatingRowColors(true);
  QPalette P = palette();
  P.setColor(QPalette::AlternateBase, P.color(QPalette::Button));
  setPalette(P);

  // Arial as the suite's lists use it; where it is missing fontconfig's
  // substitute (Liberation Sans, DejaVu Sans) takes its place.
  QFont Schrift(QStringLiteral("Arial"));
  Schrift.setStyleHint(QFont::SansSerif);
  Schrift.setPointSizeF(QApplication::font().pointSizeF());
  setFont(Schrift);

  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(KZeilenHoehe);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

  QHeaderView* Kopf = horizontalHeader();
  Kopf->setSectionsMovable(true);
  Kopf->setSectionsClickable(true);
  Kopf->setSectionResizeMode(QHeaderView::Interactive);
  Kopf->setHighlightSections(false);
  Kopf->setStretchLastSection(true);  // row colours reach the right edge
  Kopf->setSortIndicatorShown(true);
  Kopf->setSortIndicator(-1, Qt::AscendingOrder);
  connect(Kopf, &QHeaderView::sectionClicked, this, [this](int ASpalte) { HeaderGeklickt(ASpalte); });
}

TVTKWDVRList::~TVTKWDVRList() = default;

void TVTKWDVRList::SetVRList(TVRList* AVRList) {
  if (AVRList == FVRList) return;
  TVRList* Alt = FVRList;
  FVRList = AVRList;
  if (FVRList) {
    FVRList->setParent(this);
    FVRList->SetZeilenFarbe(FZeilenFarbe);
    for (int I = 0; I < FUpdate; ++I) FVRList->BeginUpdate();
  }
  setModel(FVRList);
  delete Alt;
  SpaltenAnwenden();
}

void TVTKWDVRList::SpaltenAnwenden() {
  if (!FVRList) return;
  for (int I = 0; I < FVRList->columnCount(); ++I) {
    const TVRColumn& Spalte = FVRList->Column(I);
    setColumnHidden(I, !Spalte.Visible);
    if (Spalte.VRType == vrtNone && Spalte.Caption.empty()) setColumnWidth(I, KKastenSpalte);
  }
}

void TVTKWDVRList::VRListUebernehmen(bool ASpalten) {
  if (!FVRList) return;
  FVRList->Uebernehmen(ASpalten);
  if (ASpalten) SpaltenAnwenden();
}

void TVTKWDVRList::ZeilenInitialisieren(bool AAlle) {
  if (!FVRList) return;
  for (TVRNode Z = FVRList->First(); Z; Z = FVRList->Next(Z)) {
    if (Z->Initialisiert && !AAlle) continue;
    Z->Initialisiert = true;
    if (OnInitNode) OnInitNode(Z);
  }
}

TVRNode TVTKWDVRList::GetFirst() const { return FVRList ? FVRList->First() : nullptr; }
TVRNode TVTKWDVRList::GetNext(TVRNode ANode) const { return FVRList ? FVRList->Next(ANode) : nullptr; }
TVRNode TVTKWDVRList::GetPrevious(TVRNode ANode) const { return FVRList ? FVRList->Previous(ANode) : nullptr; }
TVRNode TVTKWDVRList::GetLast() const { return FVRList ? FVRList->Last() : nullptr; }

TVRNode TVTKWDVRList::GetFirstSelected() const {
  if (!FVRList || !selectionModel()) return nullptr;
  const QModelIndexList Zeilen = selectionModel()->selectedRows();
  if (Zeilen.isEmpty()) return nullptr;
  return FVRList->Node(Zeilen.front().row());
}

void TVTKWDVRList::SetSelected(TVRNode ANode, bool ASelected) {
  if (!FVRList || !ANode || !selectionModel()) return;
  FVRList->Uebernehmen(false);  // a row the view has not seen cannot be selected
  int Spalte = 0;
  while (Spalte < FVRList->columnCount() && isColumnHidden(Spalte)) ++Spalte;
  const QModelIndex Index = FVRList->index(ANode->Index, Spalte);
  if (!Index.isValid()) return;
  if (ASelected) {
    selectionModel()->setCurrentIndex(Index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(Index);
  } else {
    selectionModel()->select(Index, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
  }
}

TVRNode TVTKWDVRList::GetFirstChecked() const {
  for (TVRNode Z = GetFirst(); Z; Z = GetNext(Z))
    if (Z->CheckState == TVRCheckState::Checked) return Z;
  return nullptr;
}

TVRNode TVTKWDVRList::GetNextChecked(TVRNode ANode) const {
  for (TVRNode Z = GetNext(ANode); Z; Z = GetNext(Z))
    if (Z->CheckState == TVRCheckState::Checked) return Z;
  return nullptr;
}

TVRCheckState TVTKWDVRList::GetCheckState(TVRNode ANode) const {
  return ANode ? ANode->CheckState : TVRCheckState::Unchecked;
}

void TVTKWDVRList::SetCheckState(TVRNode ANode, TVRCheckState AState) {
  if (FVRList) FVRList->SetCheckState(ANode, AState);
}

TVRCheckType TVTKWDVRList::GetCheckType(TVRNode ANode) const { return ANode ? ANode->CheckType : TVRCheckType::None; }

void TVTKWDVRList::SetCheckType(TVRNode ANode, TVRCheckType AType) {
  if (FVRList) FVRList->SetCheckType(ANode, AType);
}

void TVTKWDVRList::BeginUpdate() {
  if (FUpdate++ == 0) setUpdatesEnabled(false);
  if (FVRList) FVRList->BeginUpdate();
}

void TVTKWDVRList::EndUpdate() {
  if (FUpdate == 0) return;
  if (FVRList) FVRList->EndUpdate();
  if (--FUpdate == 0) {
    setUpdatesEnabled(true);
    viewport()->update();
  }
}

void TVTKWDVRList::RepaintNode(TVRNode ANode) {
  if (!FVRList || !ANode) return;
  const QModelIndex Index = FVRList->index(ANode->Index, 0);
  if (!Index.isValid()) return;
  const QRect Zeile(0, rowViewportPosition(ANode->Index), viewport()->width(), rowHeight(ANode->Index));
  viewport()->update(Zeile);
}

void TVTKWDVRList::Sortieren(int ACol, bool AAufsteigend) {
  if (!FVRList) return;
  FVRList->Sort(ACol, AAufsteigend);
  FSortSpalte = ACol;
  FSortAufsteigend = AAufsteigend;
  horizontalHeader()->setSortIndicator(ACol, AAufsteigend ? Qt::AscendingOrder : Qt::DescendingOrder);
  ZeilenInitialisieren();
}

void TVTKWDVRList::HeaderGeklickt(int ASpalte) {
  KWDGuard("TVTKWDVRList.HeaderClick", [&] {
    if (OnHeaderClick) OnHeaderClick(ASpalte);
    if (!FVRList || ASpalte < 0 || ASpalte >= FVRList->ColumnCount() || !FVRList->Column(ASpalte).Sortierbar) {
      // The arrow stays where the rows are really sorted.
      horizontalHeader()->setSortIndicator(FSortSpalte, FSortAufsteigend ? Qt::AscendingOrder : Qt::DescendingOrder);
      return;
    }
    Sortieren(ASpalte, FSortSpalte == ASpalte ? !FSortAufsteigend : true);
  });
}

std::string TVTKWDVRList::GetText(TVRNode ANode, int ACol) const {
  return FVRList ? FVRList->CellText(ANode, ACol) : std::string();
}
int64_t TVTKWDVRList::GetInteger(TVRNode ANode, int ACol) const {
  return FVRList ? FVRList->CellInteger(ANode, ACol) : 0;
}
TDateTime TVTKWDVRList::GetDateTime(TVRNode ANode, int ACol) const {
  return FVRList ? FVRList->CellDateTime(ANode, ACol) : 0;
}
char TVTKWDVRList::GetChar(TVRNode ANode, int ACol) const { return FVRList ? FVRList->CellChar(ANode, ACol) : '\0'; }

void TVTKWDVRList::SetOnZeilenFarbe(TVRList::TZeilenFarbe AFarbe) {
  FZeilenFarbe = std::move(AFarbe);
  if (FVRList) FVRList->SetZeilenFarbe(FZeilenFarbe);
}

QModelIndex TVTKWDVRList::moveCursor(CursorAction AAktion, Qt::KeyboardModifiers AModifier) {
  if ((AAktion == MoveHome || AAktion == MoveEnd) && selectionBehavior() == SelectRows) {
    AModifier |= Qt::ControlModifier;
    // Without a current row (a refilled list) the table would go to the
    // first row for every key; End goes to the last.
    if (AAktion == MoveEnd && !currentIndex().isValid() && model() && model()->rowCount() > 0) {
      int Spalte = 0;
      while (Spalte < model()->columnCount() - 1 && isColumnHidden(Spalte)) ++Spalte;
      return model()->index(model()->rowCount() - 1, Spalte);
    }
  }
  return QTableView::moveCursor(AAktion, AModifier);
}
