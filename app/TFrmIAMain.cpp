// The main window's controls, menus, life cycle and record files.
#include "app/TFrmIAMain.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QVBoxLayout>

#include "engine/TIANeuPruefung.h"
#include "engine/TIAWiJahre.h"
#include "engine/TQLX_InvAnfMani.h"
#include "printing/TIADrucken.h"
#include "suite/TvglInvAnf.h"
#include "widgets/KWDTasten.h"
#include "widgets/TKWDGlyphButton.h"
#include "widgets/TKWDProgressDialog.h"
#include "widgets/TKWDTitelPanel.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDUhr.h"
#include "support/framework/TKWDProgramm.h"

TFrmIAMain* FrmIAMain = nullptr;

namespace {

const QString KKopfText = QStringLiteral("Inventuren für das Wirtschaftsjahr: ");

QPushButton* Knopf(QWidget* AEltern, const char* AName, const QString& ACaption, QStyle::StandardPixmap ABild) {
  auto* K = new TKWDGlyphButton(ACaption, ABild, AEltern);
  K->setObjectName(QString::fromLatin1(AName));
  K->setMinimumWidth(104);
  return K;
}

}  // namespace

TFrmIAMain::TFrmIAMain(QWidget* AParent)
    : TKWDForm(AParent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                            Qt::WindowCloseButtonHint) {
  FrmIAMain = this;
  setObjectName(QStringLiteral("FrmIAMain"));
  ControlsAnlegen();
  FormCreate();
}

void TFrmIAMain::ControlsAnlegen() {
  pnlHeaderBG = new TKWDTitelPanel(KKopfText + QStringLiteral("WIJAHR"), this);
  pnlHeaderBG->setObjectName(QStringLiteral("pnlHeaderBG"));

  vrInvList = new TVTKWDVRList(this);
  vrInvList->setObjectName(QStringLiteral("vrInvList"));
  vrInvList->OnInitNode = [this](TVRNode N) { vrInvListInitNode(N); };
  vrInvList->OnHeaderClick = [this](int S) { vrInvListHeaderClick(S); };
  vrInvList->SetOnZeilenFarbe([this](TVRNode N) { return vrInvListBeforeCellPaint(N); });

  auto* pnlButtons = new QWidget(this);
  pnlButtons->setObjectName(QStringLiteral("pnlButtons"));
  btnMarkieren = Knopf(pnlButtons, "btnMarkieren", QStringLiteral("Markieren"), QStyle::SP_DialogApplyButton);
  btnAlleEin = Knopf(pnlButtons, "btnAlleEin", QStringLiteral("Alle"), QStyle::SP_DialogYesButton);
  btnAlleUms = Knopf(pnlButtons, "btnAlleUms", QStringLiteral("Umkehren"), QStyle::SP_BrowserReload);
  btnNeu = Knopf(pnlButtons, "btnNeu", QStringLiteral("Neuanlage"), QStyle::SP_FileIcon);
  btnComplete = Knopf(pnlButtons, "btnComplete", QStringLiteral("Vervollständigen"), QStyle::SP_DialogSaveButton);
  btnDelete = Knopf(pnlButtons, "btnDelete", QStringLiteral("Löschen"), QStyle::SP_TrashIcon);
  btnDruckenIAL = Knopf(pnlButtons, "btnDruckenIAL", QStringLiteral("Druck IAL"), QStyle::SP_FileDialogDetailedView);
  btnDruck = Knopf(pnlButtons, "btnDruck", QStringLiteral("Drucken"), QStyle::SP_FileDialogContentsView);
  btnEnde = Knopf(pnlButtons, "btnEnde", QStringLiteral("Zurück"), QStyle::SP_ArrowBack);
  auto* Knoepfe = new QHBoxLayout(pnlButtons);
  Knoepfe->setContentsMargins(8, 6, 8, 8);
  for (QPushButton* K : {btnMarkieren, btnAlleEin, btnAlleUms}) Knoepfe->addWidget(K);
  Knoepfe->addSpacing(16);
  Knoepfe->addStretch();
  for (QPushButton* K : {btnNeu, btnComplete, btnDelete, btnDruckenIAL, btnDruck}) Knoepfe->addWidget(K);
  Knoepfe->addSpacing(16);
  Knoepfe->addWidget(btnEnde);

  auto* MainMenu = new QMenuBar(this);
  MainMenu->setObjectName(QStringLiteral("MainMenu"));
  MenueAnlegen(MainMenu);

  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);
  Layout->setMenuBar(MainMenu);
  Layout->addWidget(pnlHeaderBG);
  Layout->addWidget(vrInvList, 1);
  Layout->addWidget(pnlButtons);
  sbStatus = new QStatusBar(this);
  sbStatus->setObjectName(QStringLiteral("sbStatus"));
  sbStatus->setSizeGripEnabled(true);
  Layout->addWidget(sbStatus);

  // The progress window of the print commands, placed over this window.
  prgdMain = std::make_unique<TKWDProgressDialog>(this);
  prgdMain->setObjectName(QStringLiteral("prgdMain"));

  setMinimumSize(minimumSizeHint().expandedTo(QSize(760, 420)));
  resize(1100, 640);
}

void TFrmIAMain::MenueAnlegen(QMenuBar* AMenue) {
  // One action per command; the buttons trigger the actions and follow
  // their enabled state, so a key has exactly one owner.
  auto Aktion = [this](const char* AName, const QString& AText, const QKeySequence& ATaste, const QString& AHint,
                       void (TFrmIAMain::*AHandler)()) {
    auto* A = new QAction(AText, this);
    A->setObjectName(QString::fromLatin1(AName));
    if (!ATaste.isEmpty() || !AHint.isEmpty()) KWDTasteBinden(A, ATaste, AHint);
    if (AHandler) connect(A, &QAction::triggered, this, [this, AHandler] { (this->*AHandler)(); });
    addAction(A);  // its key works wherever the focus is in this window
    return A;
  };
  Neuanlage = Aktion("Neuanlage", QStringLiteral("Neuanlage"), QKeySequence(Qt::Key_F3),
                     QStringLiteral("Neuanlage einer Inventuranforderung"), &TFrmIAMain::NeuanlageExecute);
  Vervollstaendigen =
      Aktion("Vervollstaendigen", QStringLiteral("Vervollständigen"), QKeySequence(Qt::Key_F2),
             QStringLiteral("Vervollständigung einer Inventuranforderung"), &TFrmIAMain::btnCompleteClick);
  Loeschen = Aktion("Loeschen", QStringLiteral("Löschen"), QKeySequence(Qt::SHIFT | Qt::Key_F5),
                    QStringLiteral("Entfernen der selektierten Inventur"), &TFrmIAMain::LoeschenExecute);
  DruckenIAL = Aktion("DruckenIAL", QStringLiteral("Druck IAL"), QKeySequence(Qt::SHIFT | Qt::Key_F10),
                      QStringLiteral("Ausdruck einer Inventuraufnahmeliste für die selektierte Inventur"),
                      &TFrmIAMain::DruckenIALExecute);
  DruckenInvListe = Aktion("DruckenInvListe", QStringLiteral("Drucken"), QKeySequence(Qt::Key_F10),
                           QStringLiteral("Drucken der Liste der Inventuren"), &TFrmIAMain::DruckenInvListeExecute);
  Schlieen = Aktion("Schlieen", QStringLiteral("Zurück"), QKeySequence(Qt::Key_Escape),
                    QStringLiteral("Zurück zur Auswahl des Wirtschaftsjahres"), &TFrmIAMain::SchlieenExecute);
  Markieren = Aktion("Markieren", QStringLiteral("Markieren"), QKeySequence(Qt::Key_Insert),
                     QStringLiteral("Markierung der ausgewählten Inventur umschalten"), &TFrmIAMain::btnMarkierenClick);
  AlleMarkieren = Aktion("AlleMarkieren", QStringLiteral("Alle markieren"), QKeySequence(Qt::Key_F7),
                         QStringLiteral("Alle Inventuren markieren"), &TFrmIAMain::btnAlleEinClick);
  AlleEinTaste = Aktion("AlleEinTaste", QStringLiteral("Alle"), QKeySequence(Qt::CTRL | Qt::Key_A),
                        QStringLiteral("Alle Inventuren markieren"), &TFrmIAMain::btnAlleEinClick);
  MarkierungUmkehren = Aktion("MarkierungUmkehren", QStringLiteral("Markierung umkehren"), QKeySequence(Qt::Key_F8),
                              QStringLiteral("Markierung aller Inventuren umkehren"), &TFrmIAMain::btnAlleUmsClick);
  Hilfe = Aktion("Hilfe", QStringLiteral("Hilfe - F1"), {}, {}, nullptr);
  Hilfe->setEnabled(false);
  Versionsanzeige =
      Aktion("Versionsanzeige", QStringLiteral("Versionsanzeige"), {}, {}, &TFrmIAMain::VersionsanzeigeExecute);

  KWDAktionVerbinden(btnNeu, Neuanlage);
  KWDAktionVerbinden(btnComplete, Vervollstaendigen);
  KWDAktionVerbinden(btnDelete, Loeschen);
  KWDAktionVerbinden(btnDruckenIAL, DruckenIAL);
  KWDAktionVerbinden(btnDruck, DruckenInvListe);
  KWDAktionVerbinden(btnEnde, Schlieen);
  KWDAktionVerbinden(btnMarkieren, Markieren);
  KWDAktionVerbinden(btnAlleEin, AlleEinTaste);
  KWDAktionVerbinden(btnAlleUms, MarkierungUmkehren);

  QMenu* Funktionen = AMenue->addMenu(QStringLiteral("&Funktionen"));
  Funktionen->setObjectName(QStringLiteral("mnuFunktionen"));
  Funktionen->addAction(Neuanlage);
  Funktionen->addAction(Loeschen);
  Funktionen->addSeparator();
  Funktionen->addAction(DruckenIAL);
  Funktionen->addAction(DruckenInvListe);
  Funktionen->addSeparator();
  Funktionen->addAction(Schlieen);
  QMenu* Bearbeiten = AMenue->addMenu(QStringLiteral("&Bearbeiten"));
  Bearbeiten->setObjectName(QStringLiteral("mnuBearbeiten"));
  Bearbeiten->addAction(Markieren);
  Bearbeiten->addAction(AlleMarkieren);
  Bearbeiten->addAction(MarkierungUmkehren);
  ExportMenueAnlegen(AMenue);
  QMenu* Fragezeichen = AMenue->addMenu(QStringLiteral("&?"));
  Fragezeichen->setObjectName(QStringLiteral("mnuHilfe"));
  Fragezeichen->addAction(Hilfe);
  Fragezeichen->addSeparator();
  Fragezeichen->addAction(Versionsanzeige);
}

void TFrmIAMain::FormCreate() {
  KWDGuard("TFrmIAMain.FormCreate", [&] {
    KWDFormInit("OstrelFrmIAMain", true);
    setWindowTitle(KWDCaption(QStringLiteral("Inventuren")));
    FvglInvAnf = std::make_unique<TvglInvAnf>();
    FInvAnfMani = std::make_unique<TQLX_InvAnfMani>();
    FDrucken = std::make_unique<TIADrucken>(this);
    FDrucken->SetProgressDialog(prgdMain.get());
  });
}

TFrmIAMain::~TFrmIAMain() {
  KWDZerstoeren("TFrmIAMain.FormDestroy", {
                                              [&] { FDrucken.reset(); },
                                              [&] { FSelectedLayouts.clear(); },
                                              [&] { FInvAnfMani.reset(); },
                                              [&] { FvglInvAnf.reset(); },
                                          });
  if (FrmIAMain == this) FrmIAMain = nullptr;
}

void TFrmIAMain::showEvent(QShowEvent* AEvent) {
  TKWDForm::showEvent(AEvent);
  if (!AEvent->spontaneous()) FormShow();
}

void TFrmIAMain::FormShow() {
  KWDGuard("TFrmIAMain.FormShow", [&] {
    pnlHeaderBG->setText(KKopfText + QString::fromStdString(WiJahrtoStr(FWiJahr)));
    sbStatus->clearMessage();  // it spoke of another showing
    Fuelle_VRListAusIAFile();
    // New requests and changes to them belong to the normal run type only.
    const bool Normal = KWDProgramm().GetRTyp() == 1;
    if (Normal) FWiJahrLastDay = TIANeuPruefung::WiJahrLastDay(FWiJahr);
    Neuanlage->setEnabled(Normal);
    Loeschen->setEnabled(Normal);
    Vervollstaendigen->setEnabled(Normal);
    vrInvList->setFocus();
  });
}

std::string TFrmIAMain::WiJahrtoStr(TDate AWiJahr) {
  std::string Text;
  KWDGuard("TFrmIAMain.WiJahrtoStr", [&] { Text = IAWiJahrBeschreiben(AWiJahr, kwd_Date()).Text; });
  return Text;
}

