#include "dialogs/TFrmIANeu.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "dialogs/TFrmInvAnfConfig.h"
#include "engine/InvAnfNamen.h"
#include "engine/TIANeuPruefung.h"
#include "suite/TFilialTabelle.h"
#include "widgets/KWDFormLayout.h"
#include "widgets/KWDTasten.h"
#include "widgets/TKWDGlyphButton.h"
#include "widgets/TKWDTitelPanel.h"
#include "widgets/TKWDValidatoren.h"
#include "widgets/TQLX_DatumsEingabe.h"
#include "widgets/TWGNSuchDialog.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/framework/TKWDInfo.h"

TFrmIANeu* FrmIANeu = nullptr;

namespace {

constexpr int KZeilenHoehe = 17;
constexpr int KRolleName = Qt::UserRole + 1;

QString Q(const std::string& AText) { return QString::fromStdString(AText); }

// A branch line shows its name in a column after the number; the line's
// text, which the checks and the result read, stays the number alone.
class TFilialZeile : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& AOption, const QModelIndex& AIndex) const override {
    return {QStyledItemDelegate::sizeHint(AOption, AIndex).width(), KZeilenHoehe};
  }
  void paint(QPainter* APainter, const QStyleOptionViewItem& AOption, const QModelIndex& AIndex) const override {
    QStyleOptionViewItem O = AOption;
    initStyleOption(&O, AIndex);
    const QWidget* Sicht = O.widget;
    QStyle* Stil = Sicht ? Sicht->style() : QApplication::style();
    Stil->drawControl(QStyle::CE_ItemViewItem, &O, APainter, Sicht);
    const QString Name = AIndex.data(KRolleName).toString();
    if (Name.isEmpty()) return;
    QRect Text = Stil->subElementRect(QStyle::SE_ItemViewItemText, &O, Sicht);
    Text.setLeft(Text.left() + O.fontMetrics.horizontalAdvance(QStringLiteral("000000")));
    APainter->save();
    APainter->setPen(O.palette.color(O.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    APainter->drawText(Text, Qt::AlignLeft | Qt::AlignVCenter,
                       O.fontMetrics.elidedText(Name, Qt::ElideRight, Text.width()));
    APainter->restore();
  }
};

}  // namespace

TFrmIANeu::TFrmIANeu(QWidget* AParent) : TKWDForm(AParent) {
  FrmIANeu = this;
  KWDGuard("TFrmIANeu.FormCreate", [&] { FormCreate(); });
}

void TFrmIANeu::FormCreate() {
  setObjectName(QStringLiteral("FrmIANeu"));
  KWDFormInit("OstrelFrmIANeu", true);
  // The fixed text ends in a blank: the suite's caption shows two before the dash.
  setWindowTitle(KWDCaption(QStringLiteral("Inventurneuanlage ")));

  LblTitel = new TKWDTitelPanel(QStringLiteral("Inventurneuanlage"), this);
  LblTitel->setObjectName(QStringLiteral("LblTitel"));

  LblZaehldatum = new QLabel(QStringLiteral("Zähldatum:"), this);
  LblZaehldatum->setObjectName(QStringLiteral("LblZaehldatum"));
  btnZaehldatum = new TQLX_DatumsEingabe(this);
  btnZaehldatum->setObjectName(QStringLiteral("btnZaehldatum"));
  btnZaehldatum->SetBtnPrevNextVisible(false);
  LblZaehldatum->setBuddy(btnZaehldatum);

  LblWG = new QLabel(QStringLiteral("Warengruppe:"), this);
  LblWG->setObjectName(QStringLiteral("LblWG"));
  edtWg = new QLineEdit(this);
  edtWg->setObjectName(QStringLiteral("edtWg"));
  // Any nine characters; a longer paste is refused whole instead of being cut.
  edtWg->setValidator(new TKWDLaengenValidator(
      KWGLaenge, QStringLiteral("Die Warengruppe hat höchstens %1 Zeichen.").arg(KWGLaenge), edtWg));
  edtWg->setFixedWidth(edtWg->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 14);
  LblWG->setBuddy(edtWg);
  btnWGNSuche = new TKWDGlyphButton(
      QString(), QIcon::fromTheme(QStringLiteral("edit-find"), style()->standardIcon(QStyle::SP_FileDialogContentsView)),
      this);
  btnWGNSuche->setObjectName(QStringLiteral("btnWGNSuche"));
  btnWGNSuche->setToolTip(QStringLiteral("Warengruppensuche"));
  btnWGNSuche->setFocusPolicy(Qt::NoFocus);
  WGNSuchDialog = new TWGNSuchDialog(this);
  WGNSuchDialog->setObjectName(QStringLiteral("WGNSuchDialog"));

  LblFil = new QLabel(QStringLiteral("Filiale:"), this);
  LblFil->setObjectName(QStringLiteral("LblFil"));
  chbFilialen = new QListWidget(this);
  chbFilialen->setObjectName(QStringLiteral("chbFilialen"));
  chbFilialen->setItemDelegate(new TFilialZeile(chbFilialen));
  chbFilialen->setUniformItemSizes(true);
  chbFilialen->setMinimumHeight(2 * KZeilenHoehe);
  LblFil->setBuddy(chbFilialen);

  BtnCancel = new QPushButton(QStringLiteral("Abbrechen"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  KWDTasteBinden(BtnCancel, QKeySequence(Qt::Key_Escape), QStringLiteral("Fenster schliessen, keine Neuanlage buchen"));
  btnEinstellungen = new QPushButton(QStringLiteral("Einstellungen"), this);
  btnEinstellungen->setObjectName(QStringLiteral("btnEinstellungen"));
  KWDTasteBinden(btnEinstellungen, QKeySequence(Qt::Key_F4));
  BtnOk = new QPushButton(QStringLiteral("Buchen"), this);
  BtnOk->setObjectName(QStringLiteral("BtnOk"));
  KWDTasteBinden(BtnOk, QKeySequence(Qt::Key_F5));
  // Enter confirms nothing here: "Buchen" is F5 or a click.
  for (QPushButton* Knopf : {BtnCancel, btnEinstellungen, BtnOk}) Knopf->setAutoDefault(false);

  auto* Felder = new QGridLayout;
  Felder->setHorizontalSpacing(10);
  Felder->addWidget(LblZaehldatum, 0, 0);
  Felder->addWidget(btnZaehldatum, 0, 1, Qt::AlignLeft);
  Felder->addWidget(LblWG, 1, 0);
  auto* WGZeile = new QHBoxLayout;
  WGZeile->setSpacing(2);
  WGZeile->addWidget(edtWg);
  WGZeile->addWidget(btnWGNSuche);
  WGZeile->addStretch();
  Felder->addLayout(WGZeile, 1, 1);
  Felder->addWidget(LblFil, 2, 0, Qt::AlignTop);
  Felder->addWidget(chbFilialen, 2, 1);
  Felder->setRowStretch(2, 1);
  Felder->setColumnStretch(1, 1);

  KWDFormLayout(this, LblTitel, Felder, {btnEinstellungen}, {BtnCancel, BtnOk});
  setFixedWidth(KBreite);

  connect(btnWGNSuche, &QPushButton::clicked, this, &TFrmIANeu::SucheWG);
  connect(btnEinstellungen, &QPushButton::clicked, this, &TFrmIANeu::btnEinstellungenClick);
  connect(BtnOk, &QPushButton::clicked, this, &TFrmIANeu::BtnOkClick);
  connect(BtnCancel, &QPushButton::clicked, this, [this] { SetModalResult(KWD_MR_CANCEL); });

  FFilialtabelle = GlobFilialTabelle_GetInstance();
  for (const TFiliale& F : FFilialtabelle->Filialen()) {
    auto* Zeile = new QListWidgetItem(QString::number(F.FilNr), chbFilialen);
    Zeile->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    Zeile->setCheckState(Qt::Unchecked);
    Zeile->setData(KRolleName, Q(F.Name) + (F.LV_Benutzen ? QStringLiteral(" (LV)") : QString()));
    Zeile->setToolTip(F.LV_Benutzen ? QStringLiteral("Filiale mit Lagerverwaltung (LV)")
                                    : QStringLiteral("Filiale ohne Lagerverwaltung (LV)"));
  }
}

TFrmIANeu::~TFrmIANeu() {
  KWDZerstoeren("TFrmIANeu.FormDestroy", {[&] { GlobFilialTabelle_ReleaseInstance(FFilialtabelle); },
                                          [&] {
                                            if (FrmIANeu == this) FrmIANeu = nullptr;
                                          }});
}

int TFrmIANeu::Hoehe(int AZeilen) { return std::min(KZeilenHoehe * AZeilen + 267, 500); }

void TFrmIANeu::showEvent(QShowEvent* AEvent) {
  if (!AEvent->spontaneous()) KWDGuard("TFrmIANeu.FormShow", [&] { FormShow(); });
  TKWDForm::showEvent(AEvent);
}

void TFrmIANeu::FormShow() {
  FWG.clear();
  FDatum = 0;
  FFilialen.clear();
  resize(KBreite, Hoehe(chbFilialen->count()));
}

int TFrmIANeu::GetFiliale(int AIdx) const {
  return KWDGuard(
      "TFrmIANeu.GetFiliale",
      [&] { return AIdx >= 0 && AIdx < FilCount() ? FFilialen.at(static_cast<size_t>(AIdx)) : 0; }, 0);
}

void TFrmIANeu::SucheWG() {
  KWDGuard("TFrmIANeu.SucheWG", [&] {
    WGNSuchDialog->SetWGN(edtWg->text().trimmed().toStdString());
    if (WGNSuchDialog->Execute(this)) {
      edtWg->setText(Q(WGNSuchDialog->GetWGN()));
      chbFilialen->setFocus();
    } else {
      edtWg->setFocus();
    }
  });
}

void TFrmIANeu::btnEinstellungenClick() {
  KWDGuard("TFrmIANeu.btnEinstellungenClick", [&] {
    // Without the program's instance (a test, a tool) one for this showing serves.
    std::unique_ptr<TFrmInvAnfConfig> Eigene;
    if (!FrmInvAnfConfig) Eigene = std::make_unique<TFrmInvAnfConfig>(this);
    FrmInvAnfConfig->SetInventurOffen(FInventurOffen);
    FrmInvAnfConfig->exec();
  });
}

void TFrmIANeu::BtnOkClick() {
  KWDGuard("TFrmIANeu.BtnOkClick", [&] {
    SetModalResult(KWD_MR_NONE);
    if (!TestData()) return;
    FDatum = btnZaehldatum->Date_Get();
    FWG = edtWg->text().toStdString();
    FFilialen.clear();
    for (const std::string& Zeile : AngehakteZeilen()) FFilialen.push_back(TIANeuPruefung::ZeileAlsZahl(Zeile));
    SetModalResult(KWD_MR_OK);
  });
}

std::vector<std::string> TFrmIANeu::AngehakteZeilen() const {
  std::vector<std::string> Zeilen;
  for (int I = 0; I < chbFilialen->count(); ++I)
    if (const QListWidgetItem* Zeile = chbFilialen->item(I); Zeile->checkState() == Qt::Checked)
      Zeilen.push_back(Zeile->text().toStdString());
  return Zeilen;
}

bool TFrmIANeu::DatumLesbar() {
  QString Text;
  switch (btnZaehldatum->Zustand()) {
    case TQLX_DatumsZustand::Gueltig: return true;
    case TQLX_DatumsZustand::Leer: Text = QStringLiteral("Bitte geben Sie das Zähldatum ein (TT.MM.JJJJ)."); break;
    case TQLX_DatumsZustand::Ungueltig:
      Text = QStringLiteral("„%1“ ist kein gültiges Zähldatum.\r\nBitte geben Sie das Datum als TT.MM.JJJJ ein, "
                            "z. B. 24.12.2026.")
                 .arg(btnZaehldatum->Text());
      break;
  }
  KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "STANDARD", 997, {Text.toStdString()}, static_cast<QWidget*>(this));
  btnZaehldatum->setFocus();
  return false;
}

bool TFrmIANeu::TestData() {
  return KWDGuard(
      KIANeuTestData,
      [&] {
        // A date that cannot be read is named as such, not as one in the past.
        if (!DatumLesbar()) return false;
        TIANeuEingabe Eingabe;
        Eingabe.Datum = btnZaehldatum->Date_Get();
        Eingabe.WG = edtWg->text().toStdString();
        Eingabe.FilialZeilen = AngehakteZeilen();
        Eingabe.WiJahr = FWiJahr;
        Eingabe.WiJahrLastDay = FWiJahrLastDay;
        const TFilialen Keine;
        TIANeuFokus Fokus = TIANeuFokus::Keiner;
        const bool Ok = TIANeuPruefung::TestData(Eingabe, FFilialtabelle ? FFilialtabelle->Filialen() : Keine,
                                                 static_cast<QWidget*>(this), Fokus);
        if (Fokus == TIANeuFokus::Datum) btnZaehldatum->setFocus();
        if (Fokus == TIANeuFokus::Filialen) chbFilialen->setFocus();
        return Ok;
      },
      false);
}
