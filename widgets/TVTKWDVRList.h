#pragma once
// The suite's virtual list view: a table view over a TVRList row store that
// the view owns. Whole rows are selected, one at a time; rows alternate in
// the button-face colour; column 0 carries the rows' check boxes; the header
// resizes and drags columns and shows the sort arrow. Rows are 21 pixels
// high, the body font is Arial (fontconfig's substitute where it is missing).
// Nothing is created per row, so 10,000 rows and more stay fast.
//
// Filling, as the forms do it:
//
//   TVTKWDVRList::TUpdate Klammer(*vrList);        // painting suspended
//   if (!vrList->VRList()) {
//     vrList->SetVRList(new TVRList);
//     TVRColumn& C = vrList->VRList()->AddColumn(); C.Caption = "Filiale"; C.VRType = vrtInteger; ...
//     vrList->VRListUebernehmen(true);             // columns and rows
//     vrList->ZeilenInitialisieren();
//   }
//   vrList->VRList()->ClearRows();
//   auto Zeile = vrList->VRList()->NewRow();
//   for (...) { Zeile->SetInteger(4, Filiale); ...; vrList->VRList()->AddRow(*Zeile); }
//   vrList->VRListUebernehmen(false);              // the new rows, one model signal
//   vrList->ZeilenInitialisieren();                // OnInitNode for each new row
//   vrList->Sortieren(4);
//
// Every update bracket is matched (TUpdate does it on every way out); the
// view repaints after the last EndUpdate.
#include <QTableView>
#include <functional>
#include <string>

#include "widgets/TVRList.h"

class TVTKWDVRList : public QTableView {
  Q_OBJECT
 public:
  static constexpr int KZeilenHoehe = 21;

  explicit TVTKWDVRList(QWidget* AParent = nullptr);
  ~TVTKWDVRList() override;

  // The row store; nullptr until one is set. SetVRList takes ownership.
  TVRList* VRList() const { return FVRList; }
  void SetVRList(TVRList* AVRList);

  // The two refresh steps: take over the store's rows (with ASpalten also
  // its column definitions: captions, visibility, alignment), then run the
  // init-node step for every row that has not had it (AAlle: for all rows).
  void VRListUebernehmen(bool ASpalten);
  void ZeilenInitialisieren(bool AAlle = false);

  // Rows in the list's order; nullptr past the end or without a store.
  TVRNode GetFirst() const;
  TVRNode GetNext(TVRNode ANode) const;
  TVRNode GetPrevious(TVRNode ANode) const;
  TVRNode GetLast() const;
  int RowCount() const { return FVRList ? FVRList->RowCount() : 0; }

  // The selected row (one at a time), nullptr when none.
  TVRNode GetFirstSelected() const;
  // ASelected true: selects the row (and makes it current, scrolled into
  // view); false: clears its selection.
  void SetSelected(TVRNode ANode, bool ASelected = true);

  // Marked (checked) rows, top to bottom.
  TVRNode GetFirstChecked() const;
  TVRNode GetNextChecked(TVRNode ANode) const;
  TVRCheckState GetCheckState(TVRNode ANode) const;
  void SetCheckState(TVRNode ANode, TVRCheckState AState);
  TVRCheckType GetCheckType(TVRNode ANode) const;
  void SetCheckType(TVRNode ANode, TVRCheckType AType);

  // Update bracket: painting and model announcements wait until the last
  // EndUpdate. An EndUpdate without a Begin is ignored.
  void BeginUpdate();
  void EndUpdate();
  int UpdateTiefe() const { return FUpdate; }
  class TUpdate {
   public:
    explicit TUpdate(TVTKWDVRList& AListe) : FListe(AListe) { FListe.BeginUpdate(); }
    ~TUpdate() { FListe.EndUpdate(); }
    TUpdate(const TUpdate&) = delete;
    TUpdate& operator=(const TUpdate&) = delete;

   private:
    TVTKWDVRList& FListe;
  };

  void RepaintNode(TVRNode ANode);

  // Stable sort of all rows by column ACol (see TVRList::Sort); shows the
  // arrow on that column and runs the init-node step for uninitialised rows.
  void Sortieren(int ACol, bool AAufsteigend = true);

  // A cell of a row by column index.
  std::string GetText(TVRNode ANode, int ACol) const;
  int64_t GetInteger(TVRNode ANode, int ACol) const;
  TDateTime GetDateTime(TVRNode ANode, int ACol) const;
  char GetChar(TVRNode ANode, int ACol) const;

  // Form hooks. OnInitNode runs once per row (ZeilenInitialisieren, Sortieren),
  // e.g. to give it a check box. OnZeilenFarbe colours whole rows (see
  // TVRList::SetZeilenFarbe). OnHeaderClick runs before a sortable column
  // sorts itself.
  std::function<void(TVRNode)> OnInitNode;
  void SetOnZeilenFarbe(TVRList::TZeilenFarbe AFarbe);
  std::function<void(int)> OnHeaderClick;

 protected:
  // Whole-row lists: Home and End go to the first and last row, as in any
  // list (a table would stay in the row and go to its first or last column).
  QModelIndex moveCursor(CursorAction AAktion, Qt::KeyboardModifiers AModifier) override;

 private:
  void SpaltenAnwenden();
  void HeaderGeklickt(int ASpalte);
  TVRList* FVRList = nullptr;
  TVRList::TZeilenFarbe FZeilenFarbe;
  int FUpdate = 0;
  int FSortSpalte = -1;
  bool FSortAufsteigend = true;
};
