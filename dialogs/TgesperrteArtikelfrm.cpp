#include "dialogs/TgesperrteArtikelfrm.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <memory>

#include "widgets/KWDFormLayout.h"
#include "widgets/KWDTasten.h"
#include "widgets/TKWDTitelPanel.h"
#include "widgets/TVTKWDVRList.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDMeldungPresenter.h"

struct TgesperrteArtikelfrm::TSpaltenDef {
  const char* Caption;
  TVRValueType Typ;
  int Breite;
};

namespace {

constexpr std::array<TgesperrteArtikelfrm::TSpaltenDef, 6> KSpalten = {{
    {"Artikel", vrtText, 120},
    {"gesperrt seit", vrtDateTime, 120},
    {"Programm", vrtText, 120},
    {"Terminal", vrtText, 120},
    {"TerminalNr", vrtText, 120},
    {"Prozess-ID", vrtInteger, 30},
}};

}  // namespace

int TgesperrteArtikelfrm::Breite(const TSpaltenDef& ASpalte) const {
  // A lock time is read to the second: its column never cuts it off, whatever the font.
  if (ASpalte.Typ != vrtDateTime) return ASpalte.Breite;
  const QString Muster = QStringLiteral("00.00.0000 00:00:00");
  return std::max(ASpalte.Breite, vrGesperrteArtikel->fontMetrics().horizontalAdvance(Muster) + 16);
}

void TgesperrteArtikelfrm::Execute(const std::vector<TQLX_clMeldung>& AMeldungen, const std::string& AText) {
  if (AMeldungen.empty()) return;
  const auto Form = std::make_unique<TgesperrteArtikelfrm>();
  Form->lblDescriptoin->setText(QString::fromStdString(AText));
  Form->VR_List_Laden(AMeldungen);
  Form->exec();
}

TgesperrteArtikelfrm::TgesperrteArtikelfrm(QWidget* AParent) : TKWDForm(AParent) {
  KWDGuard("TgesperrteArtikelfrm.FormCreate", [&] { FormCreate(); });
}

void TgesperrteArtikelfrm::FormCreate() {
  setObjectName(QStringLiteral("gesperrteArtikelfrm"));
  SetFormPosStoreMode(fpsmPositionUndGroesse);
  KWDFormInit("gesperrteArtikelfrm", true);
  setWindowTitle(QStringLiteral("Gesperrte Artikel"));
  setSizeGripEnabled(true);

  LblTitel = new TKWDTitelPanel(QStringLiteral("Liste gesperrter Artikel"), this);
  LblTitel->setObjectName(QStringLiteral("LblTitel"));
  lblDescriptoin = new QLabel(this);
  lblDescriptoin->setObjectName(QStringLiteral("lblDescriptoin"));
  lblDescriptoin->setWordWrap(true);
  lblDescriptoin->setTextFormat(Qt::PlainText);  // no accelerators, no markup: the caller's text as it is
  vrGesperrteArtikel = new TVTKWDVRList(this);
  vrGesperrteArtikel->setObjectName(QStringLiteral("vrGesperrteArtikel"));
  btnWeiter = new QPushButton(QStringLiteral("&Ok"), this);
  btnWeiter->setObjectName(QStringLiteral("btnWeiter"));
  KWDTasteBinden(btnWeiter, QKeySequence(Qt::Key_Return));
  connect(btnWeiter, &QPushButton::clicked, this, [this] { SetModalResult(KWD_MR_OK); });

  auto* Inhalt = new QVBoxLayout;
  Inhalt->setSpacing(10);
  Inhalt->addWidget(lblDescriptoin);
  Inhalt->addWidget(vrGesperrteArtikel, 1);
  KWDFormLayout(this, LblTitel, Inhalt, {}, {btnWeiter});
  resize(720, 420);
}

void TgesperrteArtikelfrm::VR_List_Init() {
  KWDGuard("TgesperrteArtikelfrm.VR_List_Init", [&] {
    if (vrGesperrteArtikel->VRList()) return;
    TVTKWDVRList::TUpdate Klammer(*vrGesperrteArtikel);
    vrGesperrteArtikel->SetVRList(new TVRList);
    for (const TSpaltenDef& S : KSpalten) {
      TVRColumn& Spalte = vrGesperrteArtikel->VRList()->AddColumn();
      Spalte.Caption = S.Caption;
      Spalte.VRType = S.Typ;
      Spalte.Visible = true;
    }
    vrGesperrteArtikel->VRListUebernehmen(true);
    for (size_t I = 0; I < KSpalten.size(); ++I)
      vrGesperrteArtikel->setColumnWidth(static_cast<int>(I), Breite(KSpalten[I]));
  });
}

void TgesperrteArtikelfrm::VR_List_Laden(const std::vector<TQLX_clMeldung>& AMeldungen) {
  TVTKWDVRList::TUpdate Klammer(*vrGesperrteArtikel);
  KWDGuard("TgesperrteArtikelfrm.VR_List_Laden", [&] {
    VR_List_Init();
    TVRList* Liste = vrGesperrteArtikel->VRList();
    if (!Liste) return;
    const auto Zeile = Liste->NewRow();
    for (const TQLX_clMeldung& M : AMeldungen) {
      Zeile->SetText(spArtikel, M.Artikel);
      Zeile->SetDateTime(spGesperrtSeit, M.GesperrtSeit);
      Zeile->SetText(spProgramm, M.Programm);
      Zeile->SetText(spTerminal, M.Terminal);
      Zeile->SetText(spTerminalNr, M.TerminalNr);
      Zeile->SetInteger(spProzessId, M.ProzessId);
      Liste->AddRow(*Zeile);
    }
  });
  // The rows added so far are shown also when a message failed.
  KWDGuard("TgesperrteArtikelfrm.VR_List_Laden", [&] {
    if (!vrGesperrteArtikel->VRList()) return;
    vrGesperrteArtikel->VRListUebernehmen(false);
    vrGesperrteArtikel->ZeilenInitialisieren();
  });
}
