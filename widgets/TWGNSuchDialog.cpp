#include "widgets/TWGNSuchDialog.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>
#include <map>
#include <vector>

#include "suite/TWGNMani.h"
#include "widgets/KWDFormLayout.h"
#include "widgets/KWDTasten.h"
#include "widgets/TKWDForm.h"
#include "widgets/TKWDTitelPanel.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDMeldungPresenter.h"

namespace {

constexpr int KRolleWGN = Qt::UserRole + 1;

QString Q(const std::string& AText) { return QString::fromStdString(AText); }

// Rows whose number begins with the number typed and whose text contains the
// text typed; their ancestors stay visible (recursive filtering) so the tree
// still shows where a match lies.
class TWGFilter : public QSortFilterProxyModel {
 public:
  TWGFilter(QObject* AParent) : QSortFilterProxyModel(AParent) { setRecursiveFilteringEnabled(true); }
  void Setzen(const QString& ANummer, const QString& AText) {
    FNummer = ANummer.trimmed();
    FText = AText.trimmed();
    invalidateFilter();
  }
  bool Trifft(const QModelIndex& AQuelle) const {
    const QString Nr = AQuelle.siblingAtColumn(0).data(KRolleWGN).toString();
    const QString Text = AQuelle.siblingAtColumn(1).data().toString();
    return Nr.startsWith(FNummer) && Text.contains(FText, Qt::CaseInsensitive);
  }
  bool Gefiltert() const { return !FNummer.isEmpty() || !FText.isEmpty(); }

 protected:
  bool filterAcceptsRow(int AZeile, const QModelIndex& AParent) const override {
    return Trifft(sourceModel()->index(AZeile, 0, AParent));
  }

 private:
  QString FNummer;
  QString FText;
};

class TFrmWGNSuche : public TKWDForm {
 public:
  TFrmWGNSuche(const std::vector<TWarengruppe>& AGruppen, const std::string& AVorgabe, QWidget* AParent)
      : TKWDForm(AParent) {
    setObjectName(QStringLiteral("FrmWGNSuche"));
    setWindowTitle(KWDCaption(QStringLiteral("Warengruppensuche")));
    SetFormPosStoreMode(fpsmPositionUndGroesse);
    KWDFormInit("WGNSuchDialog", true);

    auto* Titel = new TKWDTitelPanel(QStringLiteral("Warengruppe suchen"), this);
    Titel->setObjectName(QStringLiteral("LblTitel"));
    FNummer = new QLineEdit(this);
    FNummer->setObjectName(QStringLiteral("edtNummer"));
    FNummer->setPlaceholderText(QStringLiteral("Anfang der Nummer"));
    FText = new QLineEdit(this);
    FText->setObjectName(QStringLiteral("edtBezeichnung"));
    FText->setPlaceholderText(QStringLiteral("Teil der Bezeichnung"));
    auto* LblNummer = new QLabel(QStringLiteral("&Nummer:"), this);
    LblNummer->setBuddy(FNummer);
    auto* LblText = new QLabel(QStringLiteral("&Bezeichnung:"), this);
    LblText->setBuddy(FText);

    FModell = new QStandardItemModel(0, 2, this);
    FModell->setHorizontalHeaderLabels({QStringLiteral("Warengruppe"), QStringLiteral("Bezeichnung")});
    Fuellen(AGruppen);
    FFilter = new TWGFilter(this);
    FFilter->setSourceModel(FModell);
    FBaum = new QTreeView(this);
    FBaum->setObjectName(QStringLiteral("tvWarengruppen"));
    FBaum->setModel(FFilter);
    FBaum->setUniformRowHeights(true);
    FBaum->setSelectionBehavior(QAbstractItemView::SelectRows);
    FBaum->setSelectionMode(QAbstractItemView::SingleSelection);
    FBaum->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FBaum->setAlternatingRowColors(true);
    FBaum->header()->resizeSection(0, 160);
    FBaum->header()->setStretchLastSection(true);

    FAnzahl = new QLabel(this);
    FAnzahl->setObjectName(QStringLiteral("lblAnzahl"));

    FOk = new QPushButton(QStringLiteral("Übernehmen"), this);
    FOk->setObjectName(QStringLiteral("BtnOk"));
    KWDTasteBinden(FOk, QKeySequence(Qt::Key_Return), QStringLiteral("Gewählte Warengruppe übernehmen"));
    auto* Abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    Abbrechen->setAutoDefault(false);
    Abbrechen->setObjectName(QStringLiteral("BtnCancel"));
    KWDTasteBinden(Abbrechen, QKeySequence(Qt::Key_Escape), QStringLiteral("Ohne Auswahl schließen"));

    auto* Suche = new QGridLayout;
    Suche->addWidget(LblNummer, 0, 0);
    Suche->addWidget(FNummer, 0, 1);
    Suche->addWidget(LblText, 1, 0);
    Suche->addWidget(FText, 1, 1);
    auto* Inhalt = new QVBoxLayout;
    Inhalt->addLayout(Suche);
    Inhalt->addWidget(FBaum, 1);
    Inhalt->addWidget(FAnzahl);
    KWDFormLayout(this, Titel, Inhalt, {}, {FOk, Abbrechen});
    resize(540, 520);

    connect(FNummer, &QLineEdit::textChanged, this, [this] { FilterAnwenden(); });
    connect(FText, &QLineEdit::textChanged, this, [this] { FilterAnwenden(); });
    connect(FBaum->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { KnoepfeAbgleichen(); });
    connect(FBaum, &QTreeView::doubleClicked, this, [this](const QModelIndex& AZeile) {
      FBaum->setCurrentIndex(AZeile);
      Uebernehmen();
    });
    connect(FOk, &QPushButton::clicked, this, [this] { Uebernehmen(); });
    connect(Abbrechen, &QPushButton::clicked, this, [this] { SetModalResult(KWD_MR_CANCEL); });

    if (const auto Stelle = FItems.find(AVorgabe); Stelle != FItems.end())
      Waehlen(FFilter->mapFromSource(Stelle->second->index()));
    KnoepfeAbgleichen();
    Zaehlen();
    FNummer->setFocus();
  }

  std::string WGN() const { return FWGN; }

 private:
  void Fuellen(const std::vector<TWarengruppe>& AGruppen) {
    // Sorted by number, so a parent comes before its sub-groups.
    std::vector<std::pair<std::string, QStandardItem*>> Pfad;
    for (const TWarengruppe& G : AGruppen) {
      while (!Pfad.empty() && !G.WGNr.starts_with(Pfad.back().first)) Pfad.pop_back();
      auto* Nr = new QStandardItem(Q(G.WGNr));
      Nr->setData(Q(G.WGNr), KRolleWGN);
      auto* Text = new QStandardItem(Q(G.Bezeichnung));
      (Pfad.empty() ? FModell->invisibleRootItem() : Pfad.back().second)->appendRow({Nr, Text});
      Pfad.emplace_back(G.WGNr, Nr);
      FItems[G.WGNr] = Nr;
    }
  }

  void FilterAnwenden() {
    FFilter->Setzen(FNummer->text(), FText->text());
    if (FFilter->Gefiltert()) {
      FBaum->expandAll();
      Waehlen(ErsterTreffer(QModelIndex()));
    } else {
      FBaum->collapseAll();
    }
    KnoepfeAbgleichen();
    Zaehlen();
  }

  // The first row, depth first, that matches itself (not only through a sub-group).
  QModelIndex ErsterTreffer(const QModelIndex& AParent) const {
    for (int I = 0; I < FFilter->rowCount(AParent); ++I) {
      const QModelIndex Zeile = FFilter->index(I, 0, AParent);
      if (FFilter->Trifft(FFilter->mapToSource(Zeile))) return Zeile;
      if (const QModelIndex Tiefer = ErsterTreffer(Zeile); Tiefer.isValid()) return Tiefer;
    }
    return {};
  }

  void Waehlen(const QModelIndex& AZeile) {
    if (!AZeile.isValid()) {
      FBaum->selectionModel()->clearSelection();
      FBaum->setCurrentIndex(QModelIndex());
      return;
    }
    for (QModelIndex P = AZeile.parent(); P.isValid(); P = P.parent()) FBaum->expand(P);
    FBaum->setCurrentIndex(AZeile);
    FBaum->selectionModel()->select(AZeile, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    FBaum->scrollTo(AZeile);
  }

  void Zaehlen() {
    int Treffer = 0;
    for (const auto& [Nr, Item] : FItems)
      if (FFilter->Trifft(Item->index())) ++Treffer;
    FAnzahl->setText(Treffer == 0 ? QStringLiteral("Keine Warengruppe gefunden.")
                     : Treffer == 1 ? QStringLiteral("1 Warengruppe")
                                    : QStringLiteral("%1 Warengruppen").arg(Treffer));
  }

  void KnoepfeAbgleichen() { FOk->setEnabled(FBaum->currentIndex().isValid()); }

  void Uebernehmen() {
    const QModelIndex Zeile = FBaum->currentIndex();
    if (!Zeile.isValid()) return;
    FWGN = Zeile.siblingAtColumn(0).data(KRolleWGN).toString().toStdString();
    SetModalResult(KWD_MR_OK);
  }

  QLineEdit* FNummer;
  QLineEdit* FText;
  QStandardItemModel* FModell;
  TWGFilter* FFilter;
  QTreeView* FBaum;
  QLabel* FAnzahl;
  QPushButton* FOk;
  std::map<std::string, QStandardItem*> FItems;
  std::string FWGN;
};

}  // namespace

TWGNSuchDialog::TWGNSuchDialog(QObject* AParent) : QObject(AParent) {}

bool TWGNSuchDialog::Execute(QWidget* AOwner) {
  return KWDGuard(
      "TWGNSuchDialog.Execute",
      [&] {
        TWGNMani* Mani = GlobWGNMani_GetInstance();
        const std::vector<TWarengruppe> Gruppen = Mani->Warengruppen(WGSystem);  // registers its own errors
        GlobWGNMani_ReleaseInstance(Mani);
        TFrmWGNSuche Form(Gruppen, FWGN, AOwner);
        if (Form.exec() != KWD_MR_OK) return false;
        FWGN = Form.WGN();
        return true;
      },
      false);
}
