// The virtual list view as the request list uses it: ten columns, check
// boxes, marks, selection, sorting, typed reads, update brackets, colours.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QAction>
#include <memory>
#include <vector>

#include "widgets/TVTKWDVRList.h"
#include "support/framework/KWDWork.h"
#include "support/framework/TKWDInfo.h"
#include "support/types/KWDDatum.h"
#include "tests/widgets/WidgetTestHilfe.h"
#include "tests/support/framework/TestUmgebung.h"

namespace {

struct TAnforderung {
  TDate Zaehldatum;
  std::string WG;
  int Filiale;
  double Soll, Ist;
  char Status;
};

// The request list's columns: 0 check box, 1 date text, 2 date value
// (hidden), 3 product group, 4 branch, 5-7 amounts, 8 state text, 9 state
// character (hidden).
void Spalten(TVTKWDVRList& AListe) {
  TVTKWDVRList::TUpdate Klammer(AListe);
  AListe.SetVRList(new TVRList);
  struct TDef {
    const char* Caption;
    TVRValueType Typ;
    bool Betrag;
    bool Sichtbar;
  };
  const TDef Defs[] = {{"", vrtNone, false, true},           {"Zähldatum", vrtText, false, true},
                       {"Zähldatum_Value", vrtDateTime, false, false}, {"WG", vrtText, false, true},
                       {"Filiale", vrtInteger, false, true},   {"Soll-EK", vrtFloat, true, true},
                       {"Ist-EK", vrtFloat, true, true},       {"Differenz", vrtFloat, true, true},
                       {"Status", vrtText, false, true},       {"Status_KZ", vrtChar, false, false}};
  for (const TDef& D : Defs) {
    TVRColumn& C = AListe.VRList()->AddColumn();
    C.Caption = D.Caption;
    C.VRType = D.Typ;
    C.FormatType = D.Betrag ? vrfFormatStr : vrfNone;
    C.FormatStr = D.Betrag ? "%12.2n" : "";
    C.Visible = D.Sichtbar;
    C.Sortierbar = true;
  }
  AListe.VRListUebernehmen(true);
  AListe.ZeilenInitialisieren();
}

void Fuellen(TVTKWDVRList& AListe, const std::vector<TAnforderung>& AZeilen) {
  TVTKWDVRList::TUpdate Klammer(AListe);
  AListe.VRList()->ClearRows();
  auto Zeile = AListe.VRList()->NewRow();
  for (const TAnforderung& A : AZeilen) {
    Zeile->SetText(1, FormatDatum(A.Zaehldatum));
    Zeile->SetDateTime(2, A.Zaehldatum);
    Zeile->SetText(3, A.WG.empty() ? "*" : A.WG);
    Zeile->SetInteger(4, A.Filiale);
    Zeile->SetFloat(5, A.Soll);
    Zeile->SetFloat(6, A.Ist);
    Zeile->SetFloat(7, A.Ist - A.Soll);
    Zeile->SetText(8, A.Status == 'A' ? "angefordert" : "offen");
    Zeile->SetChar(9, A.Status);
    AListe.VRList()->AddRow(*Zeile);
  }
  AListe.VRListUebernehmen(false);
  AListe.ZeilenInitialisieren();
}

class TVRListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FListe = std::make_unique<TVTKWDVRList>();
    FListe->setObjectName("vrInvList");
    FListe->OnInitNode = [this](TVRNode AZeile) { FListe->SetCheckType(AZeile, TVRCheckType::CheckBox); };
    Spalten(*FListe);
  }
  TVRNode Zeile(int I) const { return FListe->VRList()->Node(I); }
  std::vector<int> Filialen() const {
    std::vector<int> F;
    for (TVRNode Z = FListe->GetFirst(); Z; Z = FListe->GetNext(Z)) F.push_back(static_cast<int>(FListe->GetInteger(Z, 4)));
    return F;
  }
  std::unique_ptr<TVTKWDVRList> FListe;
};

const TDate D1 = EncodeDate(2026, 3, 10);
const TDate D2 = EncodeDate(2026, 3, 12);

}  // namespace

TEST_F(TVRListTest, MarksAndSelectionAsTheCommandsWalkThem) {
  Fuellen(*FListe, {{D1, "10", 1, 0, 0, 'A'}, {D1, "11", 2, 0, 0, 'A'}, {D2, "", 3, 0, 0, 'E'}, {D2, "12", 4, 0, 0, 'A'}});
  ASSERT_EQ(FListe->RowCount(), 4);
  EXPECT_EQ(FListe->GetCheckType(Zeile(3)), TVRCheckType::CheckBox) << "init-node ran for every row";
  EXPECT_EQ(FListe->GetFirstChecked(), nullptr);
  EXPECT_EQ(FListe->GetFirstSelected(), nullptr);

  // Marking walks like the Insert key: mark, select the next row.
  FListe->SetSelected(Zeile(0));
  for (int I = 0; I < 3; ++I) {
    TVRNode Z = FListe->GetFirstSelected();
    ASSERT_NE(Z, nullptr);
    FListe->SetCheckState(Z, FListe->GetCheckState(Z) == TVRCheckState::Checked ? TVRCheckState::Unchecked
                                                                                 : TVRCheckState::Checked);
    if (TVRNode N = FListe->GetNext(Z)) FListe->SetSelected(N);
  }
  std::vector<int> Markiert;
  for (TVRNode Z = FListe->GetFirstChecked(); Z; Z = FListe->GetNextChecked(Z)) Markiert.push_back(Z->Index);
  EXPECT_EQ(Markiert, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(FListe->GetFirstSelected(), Zeile(3));
  EXPECT_EQ(FListe->selectionModel()->selectedRows().size(), 1) << "one selected row at a time";

  // The model tells the view: the check state is what a check box paints.
  EXPECT_EQ(FListe->model()->index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
  EXPECT_EQ(FListe->model()->index(3, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);

  FListe->SetSelected(Zeile(3), false);
  EXPECT_EQ(FListe->GetFirstSelected(), nullptr);
}

TEST_F(TVRListTest, HomeAndEndGoToTheFirstAndLastRowAlsoWithoutACurrentRow) {
  Fuellen(*FListe, {{D1, "10", 1, 0, 0, 'A'}, {D1, "11", 2, 0, 0, 'A'}, {D2, "", 3, 0, 0, 'E'}});
  FListe->setFocus();
  ASSERT_FALSE(FListe->currentIndex().isValid());
  QTest::keyClick(FListe.get(), Qt::Key_End);
  EXPECT_EQ(FListe->GetFirstSelected(), Zeile(2));
  QTest::keyClick(FListe.get(), Qt::Key_Home);
  EXPECT_EQ(FListe->GetFirstSelected(), Zeile(0));
  QTest::keyClick(FListe.get(), Qt::Key_End);
  EXPECT_EQ(FListe->GetFirstSelected(), Zeile(2));
}

TEST_F(TVRListTest, ACheckBoxClickMarksTheRowButNotWhileACommandWorks) {
  Fuellen(*FListe, {{D1, "10", 1, 0, 0, 'A'}, {D1, "11", 2, 0, 0, 'A'}});
  FListe->resize(600, 200);
  FListe->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(FListe.get()));
  QSignalSpy Geklickt(FListe->VRList(), &TVRList::CheckStateGeklickt);
  const QRect Zelle = FListe->visualRect(FListe->model()->index(1, 0));
  const QPoint Kasten(Zelle.left() + 10, Zelle.center().y());

  int Besitzer = 0;
  ASSERT_TRUE(WorkStartTry(&Besitzer, "Test.Arbeit", 5));
  QTest::mouseClick(FListe->viewport(), Qt::LeftButton, {}, Kasten);
  EXPECT_EQ(FListe->GetCheckState(Zeile(1)), TVRCheckState::Unchecked);
  WorkDone(&Besitzer);

  QTest::mouseClick(FListe->viewport(), Qt::LeftButton, {}, Kasten);
  EXPECT_EQ(FListe->GetCheckState(Zeile(1)), TVRCheckState::Checked);
  EXPECT_EQ(Geklickt.count(), 1);
  EXPECT_EQ(FListe->GetFirstChecked(), Zeile(1));
}

TEST_F(TVRListTest, SortIsStableSoTwoSortsOrderByTheLastThenTheFirst) {
  // Sorted by branch, then by date: rows end up by date, then branch; equal
  // rows keep the order in which they came (product group shows it).
  Fuellen(*FListe, {{D2, "1", 2, 0, 0, 'A'},
                    {D1, "2", 2, 0, 0, 'A'},
                    {D2, "3", 1, 0, 0, 'A'},
                    {D1, "4", 1, 0, 0, 'A'},
                    {D2, "5", 1, 0, 0, 'A'},
                    {D1, "6", 2, 0, 0, 'A'}});
  FListe->SetSelected(Zeile(0));  // "1"
  FListe->Sortieren(4);
  FListe->Sortieren(2);
  std::vector<std::string> WG;
  for (TVRNode Z = FListe->GetFirst(); Z; Z = FListe->GetNext(Z)) WG.push_back(FListe->GetText(Z, 3));
  EXPECT_EQ(WG, (std::vector<std::string>{"4", "2", "6", "3", "5", "1"}));
  EXPECT_EQ(FListe->GetText(FListe->GetFirstSelected(), 3), "1") << "the selection stays on its row";
  EXPECT_EQ(FListe->GetFirstSelected(), FListe->GetLast());

  FListe->Sortieren(4, false);
  EXPECT_EQ(Filialen(), (std::vector<int>{2, 2, 2, 1, 1, 1}));
  EXPECT_EQ(FListe->GetText(FListe->GetFirst(), 3), "2") << "descending keeps equal rows in order, too";
  EXPECT_EQ(FListe->horizontalHeader()->sortIndicatorSection(), 4);
  EXPECT_EQ(FListe->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
}

TEST_F(TVRListTest, AHeaderClickSortsOnlyColumnsThatAllowIt) {
  Fuellen(*FListe, {{D1, "1", 3, 0, 0, 'A'}, {D1, "2", 1, 0, 0, 'A'}, {D1, "3", 2, 0, 0, 'A'}});
  FListe->resize(700, 200);
  FListe->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(FListe.get()));
  std::vector<int> Geklickt;
  FListe->OnHeaderClick = [&](int ASpalte) { Geklickt.push_back(ASpalte); };
  QHeaderView* Kopf = FListe->horizontalHeader();
  auto Klick = [&](int ASpalte) {
    QTest::mouseClick(Kopf->viewport(), Qt::LeftButton, {},
                      QPoint(Kopf->sectionViewportPosition(ASpalte) + 5, Kopf->height() / 2));
  };
  Klick(4);
  EXPECT_EQ(Filialen(), (std::vector<int>{1, 2, 3}));
  Klick(4);
  EXPECT_EQ(Filialen(), (std::vector<int>{3, 2, 1}));

  FListe->VRList()->Uebernehmen(false);
  const_cast<TVRColumn&>(FListe->VRList()->Column(3)).Sortierbar = false;
  Klick(3);
  EXPECT_EQ(Filialen(), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(Kopf->sortIndicatorSection(), 4) << "the arrow stays on the column the rows are sorted by";
  EXPECT_EQ(Geklickt, (std::vector<int>{4, 4, 3}));
}

TEST_F(TVRListTest, CellsReadAsTheirTypesAndAmountsShowInGermanForm) {
  Fuellen(*FListe, {{D1, "", 7, 100.0, 1334.56, 'A'}, {D2, "12", 8, 100.0, 90.0, 'E'}, {D2, "13", 9, 0, 0, 'A'}});
  TVRNode A = Zeile(0), B = Zeile(1), C = Zeile(2);
  EXPECT_EQ(FListe->GetText(A, 6), "1.334,56");
  EXPECT_EQ(FListe->GetText(A, 7), "1.234,56");
  EXPECT_EQ(FListe->GetText(B, 7), "-10,00");
  EXPECT_EQ(FListe->GetText(C, 7), "0,00");
  EXPECT_EQ(FListe->model()->index(1, 7).data().toString(), QString("-10,00")) << "what the view paints";
  EXPECT_EQ(FListe->model()->index(0, 7).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
            Qt::AlignRight);
  EXPECT_EQ(FListe->model()->index(0, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
            Qt::AlignLeft);

  EXPECT_EQ(FListe->GetInteger(B, 4), 8);
  EXPECT_EQ(FListe->GetDateTime(B, 2), D2);
  EXPECT_EQ(FListe->GetChar(B, 9), 'E');
  EXPECT_EQ(FListe->GetText(A, 3), "*");
  EXPECT_EQ(FListe->GetText(A, 1), "10.03.2026");
  EXPECT_EQ(FListe->GetText(A, 0), "") << "a cell without value";
  EXPECT_EQ(FListe->GetInteger(A, 1), 0) << "a date text is no integer";
  EXPECT_EQ(FListe->GetText(nullptr, 3), "");
  EXPECT_EQ(FListe->GetText(A, 42), "") << "a column that does not exist reads empty";
  EXPECT_EQ(FListe->VRList()->GetCellText(2, 3), "13");
  EXPECT_TRUE(FListe->isColumnHidden(2));
  EXPECT_TRUE(FListe->isColumnHidden(9));
  EXPECT_EQ(FListe->model()->headerData(1, Qt::Horizontal).toString(), QString("Zähldatum"));

  auto Zeile2 = FListe->VRList()->NewRow();
  EXPECT_THROW(Zeile2->SetText(10, "x"), std::out_of_range);
}

TEST_F(TVRListTest, UpdateBracketsNestAnnounceRowsOnceAndRepaintAfterTheLast) {
  FListe->resize(600, 300);
  FListe->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(FListe.get()));
  TMalZaehler Maler;
  FListe->viewport()->installEventFilter(&Maler);
  QSignalSpy Eingefuegt(FListe->model(), &QAbstractItemModel::rowsInserted);

  FListe->BeginUpdate();
  FListe->BeginUpdate();
  auto Puffer = FListe->VRList()->NewRow();
  for (int I = 0; I < 50; ++I) {
    Puffer->SetInteger(4, I);
    FListe->VRList()->AddRow(*Puffer);
  }
  FListe->SetCheckState(Zeile(0), TVRCheckState::Checked);
  FListe->EndUpdate();
  QTest::qWait(30);
  EXPECT_EQ(Eingefuegt.count(), 0) << "still inside the outer bracket";
  EXPECT_EQ(Maler.Anzahl, 0) << "no painting inside a bracket";
  EXPECT_FALSE(FListe->updatesEnabled());
  EXPECT_EQ(FListe->model()->rowCount(), 0);

  FListe->EndUpdate();
  EXPECT_EQ(Eingefuegt.count(), 1) << "all rows in one announcement";
  EXPECT_EQ(FListe->model()->rowCount(), 50);
  EXPECT_TRUE(FListe->updatesEnabled());
  QTRY_VERIFY(Maler.Anzahl > 0);

  FListe->EndUpdate();  // one too many: ignored
  EXPECT_EQ(FListe->UpdateTiefe(), 0);
  FListe->BeginUpdate();
  EXPECT_FALSE(FListe->updatesEnabled()) << "an unmatched end did not unbalance the bracket";
  FListe->EndUpdate();

  // Outside a bracket a row shows at once.
  Puffer->SetInteger(4, 99);
  FListe->VRList()->AddRow(*Puffer);
  EXPECT_EQ(FListe->model()->rowCount(), 51);
}

TEST_F(TVRListTest, TenThousandRowsFillInOneAnnouncementAndSort) {
  std::vector<TAnforderung> Zeilen;
  for (int I = 0; I < 10000; ++I)
    Zeilen.push_back({D1 + (I * 7919) % 365, std::to_string(I % 10), 1 + (I * 104729) % 60, 1.0 * I, 2.0 * I, 'A'});
  QSignalSpy Eingefuegt(FListe->model(), &QAbstractItemModel::rowsInserted);
  Fuellen(*FListe, Zeilen);
  EXPECT_EQ(Eingefuegt.count(), 1);
  ASSERT_EQ(FListe->RowCount(), 10000);

  FListe->Sortieren(4);
  FListe->Sortieren(2);
  int Fehler = 0;
  for (TVRNode Z = FListe->GetFirst(), N = FListe->GetNext(Z); N; Z = N, N = FListe->GetNext(N)) {
    const double DZ = FListe->GetDateTime(Z, 2), DN = FListe->GetDateTime(N, 2);
    if (DZ > DN || (DZ == DN && FListe->GetInteger(Z, 4) > FListe->GetInteger(N, 4))) ++Fehler;
    if (N->Index != Z->Index + 1) ++Fehler;
  }
  EXPECT_EQ(Fehler, 0);

  FListe->resize(800, 600);
  FListe->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(FListe.get()));
  FListe->SetSelected(FListe->GetLast());
  EXPECT_EQ(FListe->GetFirstSelected(), FListe->GetLast());
  EXPECT_EQ(FListe->rowHeight(9999), TVTKWDVRList::KZeilenHoehe);
}

TEST_F(TVRListTest, MovedRowsKeepTheirCellsAndChangesInABracketAreAnnouncedOnce) {
  Fuellen(*FListe, {{D2, "1", 3, 0, 0, 'A'}, {D1, "2", 1, 0, 0, 'A'}});
  TVRRow Puffer(FListe->VRList()->ColumnCount());
  Puffer.SetInteger(4, 2);
  Puffer.SetText(8, "Löschung angefordert");
  const TVRNode Neu = FListe->VRList()->AddRow(std::move(Puffer));
  EXPECT_TRUE(Puffer.Zellen().empty()) << "the cells went to the row";
  EXPECT_EQ(FListe->GetText(Neu, 8), "Löschung angefordert");
  FListe->Sortieren(4);
  EXPECT_EQ(Filialen(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(FListe->GetText(Neu, 8), "Löschung angefordert") << "a node stays valid across sorting";

  QSignalSpy Geaendert(FListe->model(), &QAbstractItemModel::dataChanged);
  {
    TVTKWDVRList::TUpdate Klammer(*FListe);
    for (TVRNode Z = FListe->GetFirst(); Z; Z = FListe->GetNext(Z)) FListe->SetCheckState(Z, TVRCheckState::Checked);
    EXPECT_EQ(Geaendert.count(), 0);
  }
  EXPECT_EQ(Geaendert.count(), 1);
  FListe->SetCheckState(Zeile(0), TVRCheckState::Unchecked);
  EXPECT_EQ(Geaendert.count(), 2) << "outside a bracket at once";

  // Refilled rows reuse the cleared rows' storage but nothing of their state.
  Fuellen(*FListe, {{D1, "5", 7, 0, 0, 'A'}});
  ASSERT_EQ(FListe->RowCount(), 1);
  EXPECT_EQ(FListe->GetCheckState(Zeile(0)), TVRCheckState::Unchecked);
  EXPECT_EQ(FListe->GetCheckType(Zeile(0)), TVRCheckType::CheckBox) << "init-node ran again";
  EXPECT_EQ(FListe->GetText(Zeile(0), 8), "angefordert");
  EXPECT_EQ(Zeile(0)->Index, 0);
}

TEST_F(TVRListTest, RowColoursCoverWholeRowsWithReadableText) {
  Fuellen(*FListe, {{D1, "10", 1, 0, 0, 'A'}, {D1, "11", 2, 0, 0, 'E'}, {D1, "12", 3, 0, 0, 'X'},
                    {D1, "13", 4, 0, 0, 'R'}});
  FListe->SetOnZeilenFarbe([this](TVRNode AZeile) -> QColor {
    switch (FListe->GetChar(AZeile, 9)) {
      case 'A': return QColor(255, 140, 0);
      case 'E': return QColor(50, 205, 50);
      case 'R': return QColor(255, 0, 0);
      default: return {};
    }
  });
  FListe->resize(700, 200);
  FListe->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(FListe.get()));
  const QImage Bild = FListe->viewport()->grab().toImage();
  auto Farbe = [&](int AZeile, int ASpalte, int AX) {
    const QRect R = FListe->visualRect(FListe->model()->index(AZeile, ASpalte));
    return QColor(Bild.pixel(R.left() + AX, R.top() + 2)).rgb();
  };
  for (int Spalte : {0, 3, 5, 7}) {
    EXPECT_EQ(Farbe(0, Spalte, 2), QColor(255, 140, 0).rgb()) << "column " << Spalte;
    EXPECT_EQ(Farbe(1, Spalte, 2), QColor(50, 205, 50).rgb()) << "column " << Spalte;
    EXPECT_EQ(Farbe(3, Spalte, 2), QColor(255, 0, 0).rgb()) << "column " << Spalte;
  }
  // The check box column is coloured right of the box as well.
  EXPECT_EQ(Farbe(0, 0, FListe->columnWidth(0) - 3), QColor(255, 140, 0).rgb());
  // A row without colour keeps the list's own (alternating) background.
  EXPECT_EQ(Farbe(2, 3, 2), FListe->palette().color(QPalette::Base).rgb());
  // Text on every colour of the request list stays black: readable there.
  for (int Z : {0, 1, 3})
    EXPECT_EQ(FListe->model()->index(Z, 3).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::black));
  EXPECT_EQ(KWDLesbareSchrift(QColor(0, 0, 128)), QColor(Qt::white));
}

TEST_F(TVRListTest, AFailingColourHookIsLoggedNotShownWhilePainting) {
  TTestLog Log;
  Fuellen(*FListe, {{D1, "10", 1, 0, 0, 'A'}});
  FListe->SetOnZeilenFarbe([](TVRNode) -> QColor { throw std::runtime_error("Farbe kaputt"); });
  FListe->resize(400, 100);
  FListe->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(FListe.get()));
  const QImage Bild = FListe->viewport()->grab().toImage();  // a message box here would never return
  EXPECT_FALSE(Bild.isNull());
  const auto Fehler = KWDInfo().Anstehend();
  ASSERT_FALSE(Fehler.empty());
  EXPECT_EQ(Fehler.back().Name, "TVTKWDVRList.BeforeCellPaint");
  EXPECT_FALSE(Fehler.back().Gemeldet);
  KWDInfo().FehlerTerminate("TVTKWDVRList.BeforeCellPaint");
  EXPECT_NE(Log.Inhalt().find("Farbe kaputt"), std::string::npos);
}

TEST_F(TVRListTest, TheMarkingKeysReachTheWindowWhileTheListHasTheFocus) {
  Fuellen(*FListe, {{D1, "10", 1, 0, 0, 'A'}, {D1, "11", 2, 0, 0, 'A'}});
  QWidget Fenster;
  auto* L = new QVBoxLayout(&Fenster);
  TVTKWDVRList* Liste = FListe.release();  // the window owns it now
  L->addWidget(Liste);
  int Markieren = 0, Alle = 0;
  for (auto [Taste, Zaehler] : {std::pair{QKeySequence(Qt::Key_Insert), &Markieren},
                                std::pair{QKeySequence(Qt::CTRL | Qt::Key_A), &Alle}}) {
    auto* A = new QAction(&Fenster);
    A->setShortcut(Taste);
    Fenster.addAction(A);
    QObject::connect(A, &QAction::triggered, [Zaehler = Zaehler] { ++*Zaehler; });
  }
  Fenster.show();
  QApplication::setActiveWindow(&Fenster);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Fenster));
  Liste->setFocus();
  Liste->SetSelected(Liste->GetFirst());
  QTest::keyClick(Liste, Qt::Key_Insert);
  QTest::keyClick(Liste, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Markieren, 1);
  EXPECT_EQ(Alle, 1) << "the list does not swallow Ctrl+A for its own select-all";
}
