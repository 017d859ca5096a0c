#include "app/TFrmFirmaWahl.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>
#include <optional>

#include "app/FirmaSpeicher.h"
#include "app/InvAnfFirma.h"
#include "app/TFrmFirmaServer.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDLog.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/framework/KWDWork.h"
#include "widgets/KWDTasten.h"
#include "widgets/TKWDGlyphButton.h"
#include "widgets/TKWDTitelPanel.h"
#include "widgets/TVTKWDVRList.h"

namespace {

QString Q(const std::string& AText) { return QString::fromStdString(AText); }

enum TFirmenSpalte : int { colName = 0, colArt = 1, colOrt = 2, colOrtWert = 3 };

// A sentence of its own (STANDARD 997): a notice, or a question (KWD_MB_JANEIN).
int Melden(int AArt, const std::string& AText, QWidget* AOwner) {
  TKWDMeldung M;
  M.Art = AArt;
  M.Gruppe = "STANDARD";
  M.Nr = 997;
  M.Argumente = {AText};
  M.Text = AText;
  M.Owner = AOwner;
  return KWDMeldungPresenter()->Zeigen(M);
}

}  // namespace

TFrmFirmaWahl::TFrmFirmaWahl(const std::string& AGrund, bool AHinweis, QWidget* AParent)
    : TKWDForm(AParent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("FrmFirmaWahl"));
  setWindowTitle(QStringLiteral("Firma wählen"));
  KWDFormInit("OstrelFrmFirmaWahl", true);

  LblTitel = new TKWDTitelPanel(QStringLiteral("Firma wählen"), this);
  LblTitel->setObjectName(QStringLiteral("LblTitel"));

  lblGrund = new QLabel(this);
  lblGrund->setObjectName(QStringLiteral("lblGrund"));
  lblGrund->setWordWrap(true);
  lblGrund->setTextInteractionFlags(Qt::TextSelectableByMouse);

  lblFirmen = new QLabel(QStringLiteral("Zuletzt benutzte Firmen:"), this);
  lblFirmen->setObjectName(QStringLiteral("lblFirmen"));
  QFont Fett = lblFirmen->font();
  Fett.setBold(true);
  lblFirmen->setFont(Fett);

  lvFirmen = new TVTKWDVRList(this);
  lvFirmen->setObjectName(QStringLiteral("lvFirmen"));
  lvFirmen->horizontalHeader()->setSortIndicatorShown(false);
  lblFirmen->setBuddy(lvFirmen);
  {
    TVTKWDVRList::TUpdate Klammer(*lvFirmen);
    lvFirmen->SetVRList(new TVRList);
    for (const char* Titel : {"Name", "Art", "Ort", "Ort_Value"}) {
      TVRColumn& Spalte = lvFirmen->VRList()->AddColumn();
      Spalte.Caption = Titel;
      Spalte.VRType = vrtText;
      Spalte.Visible = std::string(Titel) != "Ort_Value";
    }
    lvFirmen->VRListUebernehmen(true);
  }
  lvFirmen->setColumnWidth(colName, 160);
  lvFirmen->setColumnWidth(colArt, 140);
  actEntfernen = new QAction(QStringLiteral("Aus der Liste entfernen"), lvFirmen);
  actEntfernen->setObjectName(QStringLiteral("actEntfernen"));
  KWDTasteBinden(actEntfernen, QKeySequence(Qt::Key_Delete),
                 QStringLiteral("Die gewählte Firma aus der Liste nehmen; die Firma selbst bleibt, wie sie ist"));
  actEntfernen->setShortcutContext(Qt::WidgetShortcut);
  lvFirmen->addAction(actEntfernen);
  lvFirmen->setContextMenuPolicy(Qt::ActionsContextMenu);

  auto Knopf = [this](const char* AName, const QString& ACaption, QStyle::StandardPixmap ABild, const QString& AHint) {
    auto* K = new TKWDGlyphButton(ACaption, ABild, this);
    K->setObjectName(QString::fromLatin1(AName));
    K->setToolTip(AHint);
    K->setAutoDefault(false);
    return K;
  };
  btnOeffnen = Knopf("btnOeffnen", QStringLiteral("Öffnen"), QStyle::SP_DialogOkButton, {});
  KWDTasteBinden(btnOeffnen, QKeySequence(Qt::Key_Return), QStringLiteral("Die gewählte Firma öffnen"));
  btnDatei = Knopf("btnDatei", QStringLiteral("Datei öffnen ..."), QStyle::SP_DialogOpenButton,
                   QStringLiteral("Eine Firma in einer SQLite-Datei (*.db) öffnen"));
  btnServer = Knopf("btnServer", QStringLiteral("Server ..."), QStyle::SP_DriveNetIcon,
                    QStringLiteral("Eine Firma auf einem PostgreSQL-Server öffnen"));
  btnDemo = Knopf("btnDemo", QStringLiteral("Demofirma anlegen"), QStyle::SP_FileDialogNewFolder,
                  QStringLiteral("Eine Firma mit Beispieldaten in %1 anlegen und öffnen").arg(Q(InvAnfDemoOrt())));
  btnAbbrechen = Knopf("btnAbbrechen", QStringLiteral("Abbrechen"), QStyle::SP_DialogCancelButton, {});
  SetAbbrechenZurueck(false);

  auto* Knoepfe = new QHBoxLayout;
  for (QPushButton* K : {btnOeffnen, btnDatei, btnServer, btnDemo}) Knoepfe->addWidget(K);
  Knoepfe->addStretch();
  Knoepfe->addSpacing(16);
  Knoepfe->addWidget(btnAbbrechen);
  auto* Inhalt = new QVBoxLayout;
  Inhalt->setContentsMargins(16, 12, 16, 12);
  Inhalt->setSpacing(8);
  Inhalt->addWidget(lblGrund);
  Inhalt->addWidget(lblFirmen);
  Inhalt->addWidget(lvFirmen, 1);
  Inhalt->addLayout(Knoepfe);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);
  Layout->addWidget(LblTitel);
  Layout->addLayout(Inhalt, 1);

  connect(btnOeffnen, &QPushButton::clicked, this, [this] { btnOeffnenClick(); });
  connect(btnDatei, &QPushButton::clicked, this, [this] { btnDateiClick(); });
  connect(btnServer, &QPushButton::clicked, this, [this] { btnServerClick(); });
  connect(btnDemo, &QPushButton::clicked, this, [this] { btnDemoClick(); });
  connect(btnAbbrechen, &QPushButton::clicked, this, [this] { SetModalResult(KWD_MR_CANCEL); });
  connect(lvFirmen, &QAbstractItemView::doubleClicked, this, [this] { btnOeffnenClick(); });
  connect(actEntfernen, &QAction::triggered, this, [this] { actEntfernenExecute(); });

  GrundZeigen(AGrund, AHinweis);
  KWDGuard("TFrmFirmaWahl.FormCreate", [&] { ListeFuellen(); });
  resize(760, 420);
}

TFrmFirmaWahl::~TFrmFirmaWahl() = default;

void TFrmFirmaWahl::GrundZeigen(const std::string& AGrund, bool AHinweis) {
  lblGrund->setStyleSheet(
      AHinweis ? QStringLiteral("QLabel { background: #e8f1fb; color: #0d3c61; border: 1px solid #b6d4f2; "
                                "border-radius: 3px; padding: 8px; }")
               : QStringLiteral("QLabel { background: #fdecea; color: #611a15; border: 1px solid #f5c2bd; "
                                "border-radius: 3px; padding: 8px; }"));
  lblGrund->setText(Q(AGrund));
  lblGrund->setVisible(!AGrund.empty());
}

std::string TFrmFirmaWahl::Grund() const { return lblGrund->isVisible() ? lblGrund->text().toStdString() : ""; }

void TFrmFirmaWahl::SetAbbrechenZurueck(bool AZurueck) {
  KWDTasteBinden(btnAbbrechen, QKeySequence(Qt::Key_Escape),
                 AZurueck ? QStringLiteral("Zurück zur Auswahl des Wirtschaftsjahres, die Firma bleibt")
                          : QStringLiteral("Programm beenden"));
}

void TFrmFirmaWahl::ListeFuellen() {
  TVTKWDVRList::TUpdate Klammer(*lvFirmen);
  TVRList& Liste = *lvFirmen->VRList();
  Liste.ClearRows();
  auto Zeile = Liste.NewRow();
  for (const std::string& Ort : FirmenZuletzt()) {
    const TFirmaBeschreibung B = FirmaBeschreiben(Ort);
    Zeile->SetText(colName, B.Name);
    Zeile->SetText(colArt, B.Art);
    Zeile->SetText(colOrt, B.Ort);
    Zeile->SetText(colOrtWert, Ort);
    Liste.AddRow(*Zeile);
  }
  lvFirmen->VRListUebernehmen(false);
  const bool Leer = Liste.RowCount() == 0;
  btnOeffnen->setEnabled(!Leer);
  actEntfernen->setEnabled(!Leer);
  // The company used last is the first; Enter opens it. A new user starts
  // best with the demo company.
  if (!Leer) {
    lvFirmen->SetSelected(lvFirmen->GetFirst());
    lvFirmen->setFocus();
  } else {
    btnDemo->setFocus();
  }
}

bool TFrmFirmaWahl::Oeffnen(const std::string& AOrt, const std::string& AVerbindung) {
  std::string Grund;
  if (!InvAnfFirmaWechseln(AVerbindung, Grund, &FLeer)) {
    GrundZeigen(Grund);
    return false;
  }
  Merken(AOrt);
  return true;
}

void TFrmFirmaWahl::Merken(const std::string& AOrt) {
  FGewaehlt = AOrt;
  // Open is open: that the choice could not be kept is told, not fatal.
  try {
    FirmaEinstellen(AOrt);
    FirmaZuletztMerken(AOrt);
  } catch (const std::exception& E) {
    KWDLogSchreiben("TFrmFirmaWahl.Oeffnen", E.what());
    Melden(KWD_MB_HINWEIS,
           std::string("Die Firma ist geöffnet, die Wahl lässt sich aber nicht für den nächsten Start speichern: ") +
               E.what(),
           this);
  }
}

void TFrmFirmaWahl::Befehl(const char* AName, int ASekunden, const std::function<void()>& ABefehl) {
  KWDGuard(AName, [&] {
    {
      // One command at a time: the progress window lets clicks through.
      const TKWDWorkBracket Arbeit(this, AName, ASekunden);
      if (!Arbeit.Offen()) return;
      ABefehl();
    }
    // The form does not close while its work bracket is open.
    if (!FGewaehlt.empty()) SetModalResult(KWD_MR_OK);
  });
}

void TFrmFirmaWahl::btnOeffnenClick() {
  std::optional<TPgZiel> Fragen;
  Befehl("TFrmFirmaWahl.btnOeffnenClick", 5, [&] {
    const TVRNode Zeile = lvFirmen->GetFirstSelected();
    if (!Zeile) return;
    const std::string Ort = lvFirmen->GetText(Zeile, colOrtWert);
    if (Oeffnen(Ort, IstServerOrt(Ort) ? MitZeitgrenze(Ort) : Ort) || !IstServerOrt(Ort)) return;
    // A server that wants a password (or another one): ask for it there.
    Fragen = PgZielLesen(Ort);
  });
  if (Fragen) KWDGuard("TFrmFirmaWahl.btnOeffnenClick", [&] { ServerDialog(*Fragen, Grund(), FLeer); });
}

void TFrmFirmaWahl::actEntfernenExecute() {
  Befehl("TFrmFirmaWahl.actEntfernenExecute", 5, [&] {
    if (const TVRNode Zeile = lvFirmen->GetFirstSelected()) {
      FirmaZuletztEntfernen(lvFirmen->GetText(Zeile, colOrtWert));
      ListeFuellen();
    }
  });
}

void TFrmFirmaWahl::btnDateiClick() {
  Befehl("TFrmFirmaWahl.btnDateiClick", 5, [&] {
    QString Ordner = QFileInfo(Q(InvAnfDemoOrt())).absolutePath();
    for (const std::string& Ort : FirmenZuletzt())
      if (!IstServerOrt(Ort)) {
        Ordner = QFileInfo(Q(Ort)).absolutePath();
        break;
      }
    QFileDialog Dialog(this, QStringLiteral("Firmendatei öffnen"), Ordner,
                       QStringLiteral("Firmendatenbanken (*.db);;Alle Dateien (*)"));
    Dialog.setObjectName(QStringLiteral("dlgFirmendatei"));
    Dialog.setOption(QFileDialog::DontUseNativeDialog);
    Dialog.setFileMode(QFileDialog::ExistingFile);
    Dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty()) return;
    const std::string Datei = std::filesystem::absolute(Dialog.selectedFiles().front().toStdString()).string();
    Oeffnen(Datei, Datei);
  });
}

void TFrmFirmaWahl::btnServerClick() {
  // The server dialog brackets its own commands.
  KWDGuard("TFrmFirmaWahl.btnServerClick", [&] {
    // The last server used fills the fields.
    TPgZiel Ziel;
    for (const std::string& Ort : FirmenZuletzt())
      if (const auto Z = PgZielLesen(Ort)) {
        Ziel = *Z;
        break;
      }
    ServerDialog(Ziel, {});
  });
}

void TFrmFirmaWahl::ServerDialog(const TPgZiel& AZiel, const std::string& AGrund, bool ALeer) {
  TFrmFirmaServer Dialog(
      [this](const TPgZiel& AZiel, const std::string& AKennwort, bool ASpeichern) {
        return ServerOeffnen(AZiel, AKennwort, ASpeichern);
      },
      [this](const TPgZiel& AZiel, const std::string& AKennwort, bool ASpeichern, bool ADemo) {
        return ServerAnlegen(AZiel, AKennwort, ASpeichern, ADemo);
      },
      this);
  Dialog.Vorbelegen(AZiel, AGrund, ALeer);
  Dialog.exec();
  // Opened there: this dialog closes with OK as well.
  if (!FGewaehlt.empty()) SetModalResult(KWD_MR_OK);
}

TServerAntwort TFrmFirmaWahl::ServerOeffnen(const TPgZiel& AZiel, const std::string& AKennwort, bool ASpeichern) {
  // The password reaches this process's connections only: the setting the
  // services read, never the settings file.
  std::string Grund;
  bool Leer = false;
  if (!InvAnfFirmaWechseln(MitZeitgrenze(PgUri(AZiel, AKennwort)), Grund, &Leer)) {
    GrundZeigen(Grund);
    return {Grund, Leer};
  }
  ServerGewaehlt(AZiel, AKennwort, ASpeichern);
  return {};
}

std::string TFrmFirmaWahl::ServerAnlegen(const TPgZiel& AZiel, const std::string& AKennwort, bool ASpeichern,
                                         bool ADemo) {
  std::string Grund;
  if (!InvAnfFirmaAnlegen(MitZeitgrenze(PgUri(AZiel, AKennwort)), ADemo, false, this, Grund)) return Grund;
  ServerGewaehlt(AZiel, AKennwort, ASpeichern);
  return {};
}

void TFrmFirmaWahl::ServerGewaehlt(const TPgZiel& AZiel, const std::string& AKennwort, bool ASpeichern) {
  Merken(PgUri(AZiel));
  if (!ASpeichern || AKennwort.empty()) return;
  try {
    PgPassSpeichern(AZiel, AKennwort);
  } catch (const std::exception& E) {
    KWDLogSchreiben("TFrmFirmaWahl.ServerGewaehlt", E.what());
    Melden(KWD_MB_HINWEIS, std::string("Die Firma ist geöffnet, das Kennwort ließ sich aber nicht speichern: ") + E.what(),
           this);
  }
}

void TFrmFirmaWahl::btnDemoClick() {
  Befehl("TFrmFirmaWahl.btnDemoClick", 60, [&] {
    const std::string Ort = InvAnfDemoOrt();
    std::error_code Fehler;
    if (!std::filesystem::exists(std::filesystem::symlink_status(Ort, Fehler))) return DemoAnlegen(Ort, false);
    // Built before: it is opened. One that cannot be opened is replaced
    // only when the user says so.
    if (Oeffnen(Ort, Ort)) return;
    if (Melden(KWD_MB_JANEIN,
               "Die Demofirma " + Ort + " lässt sich nicht öffnen:\n" + Grund() +
                   "\n\nSoll sie neu angelegt werden? Die Datei wird dabei ersetzt.",
               this) == KWD_MR_YES)
      DemoAnlegen(Ort, true);
  });
}

void TFrmFirmaWahl::DemoAnlegen(const std::string& AOrt, bool AErsetzen) {
  std::string Grund;
  if (!InvAnfFirmaAnlegen(AOrt, true, AErsetzen, this, Grund)) return GrundZeigen(Grund);
  Merken(AOrt);
}
