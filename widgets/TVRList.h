#pragma once
// The row store behind a TVTKWDVRList: column definitions and rows of typed
// cells, offered to Qt as a table model. Colours, alignment and formatted
// numbers come from the model's roles, so painting a row reads nothing but
// that row's own cells.
//
// Rows are identified by TVRNode, a pointer to the row. It stays valid while
// the row exists, across sorting, until ClearRows or the store's end. The
// row's position (Index) follows the current order: next row, row count and
// "cell by row" all work on that order.
//
// Building rows: NewRow() gives a buffer with one cell per column; fill its
// cells, AddRow(buffer) copies them into a new row; the buffer may be reused
// (its cells stay as they were) and is disposed of by its unique_ptr. The
// store keeps the storage of cleared rows, so a list refilled with one
// buffer allocates next to nothing.
// AddRow(std::move(buffer)) takes the cells over without copying; the buffer
// is empty afterwards (one NewRow per row).
//
// Model signals: inside an update bracket (BeginUpdate/EndUpdate, which the
// view opens with its own bracket) added rows are not announced one by one;
// they are announced together by Uebernehmen or the last EndUpdate. Outside
// a bracket AddRow announces its row at once. Changed rows (check state and
// type, RowChanged) inside a bracket are announced by one signal at its end.
#include <QAbstractTableModel>
#include <QColor>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/types/KWDDatum.h"

// Value type of a column or a cell (the suite's ordinals).
enum TVRValueType : int {
  vrtNone = 0,
  vrtInteger = 1,
  vrtChar = 4,
  vrtText = 6,
  vrtDateTime = 7,
  vrtFloat = 10,
};

// 0: the value as it is; 1: formatted with FormatStr ("%12.2n": German
// number with thousands separators and two decimals, right-aligned).
enum TVRFormatType : int { vrfNone = 0, vrfFormatStr = 1 };

struct TVRColumn {
  std::string Caption;
  TVRValueType VRType = vrtNone;
  TVRFormatType FormatType = vrfNone;
  std::string FormatStr;
  bool Visible = true;
  // The further per-column flag: a click on the header sorts by this column
  // (again: the other direction). Columns without it ignore header clicks.
  bool Sortierbar = false;
};

enum class TVRCheckState { Unchecked, Checked };
enum class TVRCheckType { None, CheckBox };  // a check box shows in column 0

struct TVRCell {
  TVRValueType Typ = vrtNone;
  int64_t Ganz = 0;   // integer
  double Zahl = 0;    // floating point, date-time
  std::string Text;   // text, character (one byte)
};

struct TVRZeile {
  std::vector<TVRCell> Zellen;
  int Index = 0;  // position in the store's current order
  TVRCheckState CheckState = TVRCheckState::Unchecked;
  TVRCheckType CheckType = TVRCheckType::None;
  bool Initialisiert = false;  // the view's init-node step ran for it
};
using TVRNode = TVRZeile*;

// A prepared row: one cell per column of the store when it was made.
// Setting a cell outside that range throws std::out_of_range.
class TVRRow {
 public:
  explicit TVRRow(int ASpalten) : FZellen(static_cast<std::size_t>(ASpalten)) {}
  void SetText(int ACol, std::string AWert);
  void SetDateTime(int ACol, TDateTime AWert);
  void SetInteger(int ACol, int64_t AWert);
  void SetFloat(int ACol, double AWert);
  void SetChar(int ACol, char AWert);
  // Every cell back to "no value".
  void Clear();
  const std::vector<TVRCell>& Zellen() const { return FZellen; }

 private:
  friend class TVRList;
  TVRCell& Zelle(int ACol);
  std::vector<TVRCell> FZellen;
};

class TVRList : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TVRList(QObject* AParent = nullptr);
  ~TVRList() override;

  // Columns. AddColumn returns the new definition to fill; the view shows
  // columns once it takes them over (Uebernehmen with ASpalten).
  TVRColumn& AddColumn();
  int ColumnCount() const { return static_cast<int>(FSpalten.size()); }
  const TVRColumn& Column(int ACol) const;

  // Rows.
  void ClearRows();
  int RowCount() const { return static_cast<int>(FZeilen.size()); }
  std::unique_ptr<TVRRow> NewRow() const { return std::make_unique<TVRRow>(ColumnCount()); }
  TVRNode AddRow(const TVRRow& ARow);
  TVRNode AddRow(TVRRow&& ARow);
  TVRNode Node(int ARow) const;  // nullptr outside 0..RowCount()-1
  TVRNode First() const { return Node(0); }
  TVRNode Last() const { return Node(RowCount() - 1); }
  TVRNode Next(TVRNode ANode) const { return ANode ? Node(ANode->Index + 1) : nullptr; }
  TVRNode Previous(TVRNode ANode) const { return ANode ? Node(ANode->Index - 1) : nullptr; }

  // Cells read as a type; a cell of another type is converted (text to
  // number: 0 when it is none; a missing cell or row reads as empty / 0).
  std::string GetCellText(int ARow, int ACol) const { return CellText(Node(ARow), ACol); }
  std::string CellText(TVRNode ANode, int ACol) const;
  int64_t CellInteger(TVRNode ANode, int ACol) const;
  TDateTime CellDateTime(TVRNode ANode, int ACol) const;
  char CellChar(TVRNode ANode, int ACol) const;

  // Check state and type; a change repaints the row.
  void SetCheckState(TVRNode ANode, TVRCheckState AState);
  void SetCheckType(TVRNode ANode, TVRCheckType AType);
  // Asks the view to repaint the row.
  void RowChanged(TVRNode ANode);

  // Stable sort of all rows by one column: rows equal in that column keep
  // their order, so sorting by B and then by A orders by A, then B. Numbers
  // and dates compare by value, texts bytewise; empty cells come first.
  void Sort(int ACol, bool AAufsteigend = true);

  // Model-signal bracket (nestable; see above).
  void BeginUpdate() { ++FUpdate; }
  void EndUpdate();
  // Announces columns (with ASpalten) and rows the view has not seen yet.
  void Uebernehmen(bool ASpalten);

  // Background colour of a row, asked when a cell of it is painted; an
  // invalid colour leaves the list's own (alternating) background. The text
  // on a coloured row gets a readable colour of its own.
  using TZeilenFarbe = std::function<QColor(TVRNode)>;
  void SetZeilenFarbe(TZeilenFarbe AFarbe);

  // The text of a cell as shown: numbers and dates in German form.
  QString AnzeigeText(TVRNode ANode, int ACol) const;

  // QAbstractTableModel
  int rowCount(const QModelIndex& AParent = {}) const override;
  int columnCount(const QModelIndex& AParent = {}) const override;
  QVariant data(const QModelIndex& AIndex, int ARole) const override;
  bool setData(const QModelIndex& AIndex, const QVariant& AWert, int ARole) override;
  QVariant headerData(int ASection, Qt::Orientation AOrientation, int ARole) const override;
  Qt::ItemFlags flags(const QModelIndex& AIndex) const override;

 signals:
  // The user ticked or unticked a row's check box.
  void CheckStateGeklickt(TVRNode ANode);

 private:
  const TVRCell* Zelle(TVRNode ANode, int ACol) const;
  TVRZeile& NeueZeile();
  QColor Farbe(TVRNode ANode) const;
  void ZeilenAnkuendigen();
  std::vector<TVRColumn> FSpalten;
  // The rows live in FSpeicher (never moved: nodes stay valid), its first
  // FBelegt entries in use; FZeilen holds them in the current order. Cleared
  // rows keep their storage for the next filling.
  std::deque<TVRZeile> FSpeicher;
  std::size_t FBelegt = 0;
  std::vector<TVRZeile*> FZeilen;
  int FAngekuendigtZeilen = 0;   // rows the view knows
  int FAngekuendigtSpalten = 0;  // columns the view knows
  int FUpdate = 0;
  bool FGeaendert = false;  // a row changed inside the update bracket
  TZeilenFarbe FZeilenFarbe;
};

// Black or white, whichever reads better on AHintergrund.
QColor KWDLesbareSchrift(const QColor& AHintergrund);
