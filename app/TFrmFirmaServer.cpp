#include "app/TFrmFirmaServer.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <pwd.h>
#include <unistd.h>

#include "app/FirmaSpeicher.h"
#include "support/db/TDbConnection.h"
#include "support/db/TDbPostgres.h"
#include "support/framework/EKWDSatzFehler.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDLog.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/framework/KWDWork.h"
#include "support/framework/TKWDInfo.h"
#include "widgets/KWDTasten.h"
#include "widgets/TKWDGlyphButton.h"
#include "widgets/TKWDTitelPanel.h"

namespace {

QString Q(const std::string& AText) { return QString::fromStdString(AText); }
std::string Zitat(const std::string& AText) { return "\u201E" + AText + "\u201C"; }

class TWarteZeiger {
 public:
  TWarteZeiger() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWarteZeiger() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

TFrmFirmaServer::TFrmFirmaServer(TOeffnen AOeffnen, TAnlegen AAnlegen, QWidget* AParent)
    : TKWDForm(AParent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      FOeffnen(std::move(AOeffnen)),
      FAnlegen(std::move(AAnlegen)) {
  setObjectName(QStringLiteral("FrmFirmaServer"));
  setWindowTitle(QStringLiteral("Firma auf einem Datenbankserver"));
  KWDFormInit("OstrelFrmFirmaServer", true);
  SetFormPosStoreMode(fpsmPosition);

  LblTitel = new TKWDTitelPanel(QStringLiteral("Firma auf einem PostgreSQL-Server"), this);
  LblTitel->setObjectName(QStringLiteral("LblTitel"));
  auto Feld = [this](const char* AName, const QString& AHint) {
    auto* E = new QLineEdit(this);
    E->setObjectName(QString::fromLatin1(AName));
    E->setToolTip(AHint);
    E->setMinimumWidth(300);
    return E;
  };
  edtHost = Feld("edtHost", QStringLiteral("Name oder Adresse des Datenbankservers; leer: der Server auf diesem "
                                           "Rechner, über seinen Socket"));
  edtHost->setPlaceholderText(QStringLiteral("lokal (Socket)"));
  edtPort = Feld("edtPort", QStringLiteral("Port des Datenbankservers (meist 5432)"));
  edtPort->setValidator(new QIntValidator(1, 65535, edtPort));
  edtPort->setText(QStringLiteral("5432"));
  edtDatenbank = Feld("edtDatenbank", QStringLiteral("Name der Firmendatenbank auf dem Server"));
  edtBenutzer = Feld("edtBenutzer", QStringLiteral("Benutzer der Datenbank"));
  // libpq's own default: the login name.
  if (const passwd* Konto = ::getpwuid(::getuid())) edtBenutzer->setText(QString::fromLocal8Bit(Konto->pw_name));
  edtKennwort = Feld("edtKennwort", QStringLiteral("Kennwort des Benutzers; leer, wenn es in ~/.pgpass steht"));
  edtKennwort->setEchoMode(QLineEdit::Password);
  chbKennwortSpeichern = new QCheckBox(QStringLiteral("Kennwort speichern"), this);
  chbKennwortSpeichern->setObjectName(QStringLiteral("chbKennwortSpeichern"));
  chbKennwortSpeichern->setToolTip(
      QStringLiteral("Das Kennwort in ~/.pgpass ablegen (nur für Sie lesbar), so dass es beim nächsten Start nicht "
                     "gefragt wird"));
  lblKennwortStand = new QLabel(this);
  lblKennwortStand->setObjectName(QStringLiteral("lblKennwortStand"));
  btnKennwortEntfernen = new TKWDGlyphButton(QStringLiteral("Entfernen"), QStyle::SP_TrashIcon, this);
  btnKennwortEntfernen->setObjectName(QStringLiteral("btnKennwortEntfernen"));
  btnKennwortEntfernen->setAutoDefault(false);
  auto* KennwortStand = new QHBoxLayout;
  KennwortStand->addWidget(lblKennwortStand, 1);
  KennwortStand->addWidget(btnKennwortEntfernen);

  auto* Formular = new QFormLayout;
  Formular->addRow(QStringLiteral("Server:"), edtHost);
  Formular->addRow(QStringLiteral("Port:"), edtPort);
  Formular->addRow(QStringLiteral("Datenbank:"), edtDatenbank);
  Formular->addRow(QStringLiteral("Benutzer:"), edtBenutzer);
  Formular->addRow(QStringLiteral("Kennwort:"), edtKennwort);
  Formular->addRow(QString(), chbKennwortSpeichern);
  Formular->addRow(QString(), KennwortStand);

  lblErgebnis = new QLabel(this);
  lblErgebnis->setObjectName(QStringLiteral("lblErgebnis"));
  lblErgebnis->setWordWrap(true);
  lblErgebnis->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblErgebnis->setMinimumHeight(fontMetrics().lineSpacing() * 3);
  lblErgebnis->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  grpNeueFirma = new QGroupBox(QStringLiteral("Neue Firma in dieser leeren Datenbank"), this);
  grpNeueFirma->setObjectName(QStringLiteral("grpNeueFirma"));
  rbLeer = new QRadioButton(QStringLiteral("&leer, ohne Daten"), grpNeueFirma);
  rbLeer->setObjectName(QStringLiteral("rbLeer"));
  rbLeer->setChecked(true);
  rbDemo = new QRadioButton(QStringLiteral("&Demofirma mit Beispieldaten"), grpNeueFirma);
  rbDemo->setObjectName(QStringLiteral("rbDemo"));
  btnAnlegen = new TKWDGlyphButton(QStringLiteral("Neue Firma hier anlegen"), QStyle::SP_FileDialogNewFolder, this);
  btnAnlegen->setObjectName(QStringLiteral("btnAnlegen"));
  btnAnlegen->setAutoDefault(false);
  btnAnlegen->setToolTip(QStringLiteral("Die Tabellen einer Firma in dieser Datenbank anlegen, ganz oder gar nicht, "
                                        "und die Firma öffnen"));
  auto* Neu = new QHBoxLayout(grpNeueFirma);
  Neu->addWidget(rbLeer);
  Neu->addWidget(rbDemo);
  Neu->addStretch();
  Neu->addWidget(btnAnlegen);
  grpNeueFirma->hide();

  btnPruefen = new TKWDGlyphButton(QStringLiteral("Verbindung prüfen"), QStyle::SP_BrowserReload, this);
  btnPruefen->setObjectName(QStringLiteral("btnPruefen"));
  btnPruefen->setToolTip(QStringLiteral("Verbinden und prüfen, ob die Datenbank eine Firma der Warenwirtschaft ist"));
  btnPruefen->setAutoDefault(false);
  BtnOk = new TKWDGlyphButton(QStringLiteral("Öffnen"), QStyle::SP_DialogOkButton, this);
  BtnOk->setObjectName(QStringLiteral("BtnOk"));
  KWDTasteBinden(BtnOk, QKeySequence(Qt::Key_Return), QStringLiteral("Die Firma auf dem Server öffnen"));
  BtnCancel = new TKWDGlyphButton(QStringLiteral("Abbrechen"), QStyle::SP_DialogCancelButton, this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  KWDTasteBinden(BtnCancel, QKeySequence(Qt::Key_Escape), QStringLiteral("Zurück zur Wahl der Firma"));

  auto* Knoepfe = new QHBoxLayout;
  Knoepfe->addWidget(btnPruefen);
  Knoepfe->addStretch();
  Knoepfe->addWidget(BtnOk);
  Knoepfe->addWidget(BtnCancel);
  auto* Inhalt = new QVBoxLayout;
  Inhalt->setContentsMargins(16, 12, 16, 12);
  Inhalt->addLayout(Formular);
  Inhalt->addWidget(lblErgebnis);
  Inhalt->addWidget(grpNeueFirma);
  Inhalt->addLayout(Knoepfe);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(LblTitel);
  Layout->addLayout(Inhalt);
  Layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(btnPruefen, &QPushButton::clicked, this, [this] { btnPruefenClick(); });
  connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
  connect(btnAnlegen, &QPushButton::clicked, this, [this] { btnAnlegenClick(); });
  connect(btnKennwortEntfernen, &QPushButton::clicked, this, [this] { btnKennwortEntfernenClick(); });
  connect(BtnCancel, &QPushButton::clicked, this, [this] { SetModalResult(KWD_MR_CANCEL); });
  for (QLineEdit* E : {edtHost, edtPort, edtDatenbank, edtBenutzer, edtKennwort})
    connect(E, &QLineEdit::textChanged, this, [this] { FeldGeaendert(); });
  KennwortStandZeigen();
}

void TFrmFirmaServer::Vorbelegen(const TPgZiel& AZiel, const std::string& AGrund, bool ALeer) {
  edtHost->setText(Q(AZiel.Host));
  edtPort->setText(Q(AZiel.Port.empty() ? "5432" : AZiel.Port));
  edtDatenbank->setText(Q(AZiel.Datenbank));
  if (!AZiel.Benutzer.empty()) edtBenutzer->setText(Q(AZiel.Benutzer));
  edtKennwort->clear();
  Ergebnis(AGrund, false, ALeer);
  (AZiel.Datenbank.empty() ? edtDatenbank : edtKennwort)->setFocus();
}

TPgZiel TFrmFirmaServer::Ziel() const {
  TPgZiel Z;
  Z.Host = edtHost->text().trimmed().toStdString();
  Z.Port = edtPort->text().trimmed().toStdString();
  Z.Datenbank = edtDatenbank->text().trimmed().toStdString();
  Z.Benutzer = edtBenutzer->text().trimmed().toStdString();
  return Z;
}

bool TFrmFirmaServer::EingabeGut() {
  std::string Fehler;
  int Pos = 0;
  QString Port = edtPort->text().trimmed();
  if (Ziel().Datenbank.empty())
    Fehler = "Bitte geben Sie den Namen der Firmendatenbank an.";
  else if (!Port.isEmpty() && edtPort->validator()->validate(Port, Pos) != QValidator::Acceptable)
    Fehler = "Der Port muss eine Zahl von 1 bis 65535 sein.";
  if (!Fehler.empty()) Ergebnis(Fehler, false);
  return Fehler.empty();
}

void TFrmFirmaServer::Ergebnis(const std::string& AText, bool AGut, bool ALeer) {
  lblErgebnis->setText(Q(ALeer ? AText + " Sie können hier eine neue Firma anlegen." : AText));
  lblErgebnis->setStyleSheet(AText.empty() ? QString()
                             : AGut        ? QStringLiteral("color: #1b5e20;")
                                           : QStringLiteral("color: #b71c1c;"));
  grpNeueFirma->setVisible(ALeer);
}

void TFrmFirmaServer::FeldGeaendert() {
  Ergebnis({}, false);
  KennwortStandZeigen();
}

void TFrmFirmaServer::KennwortStandZeigen() {
  const bool Gespeichert = PgPassGespeichert(Ziel());
  lblKennwortStand->setText(Q("Für diesen Server und Benutzer ist in " + PgPassAnzeige() +
                              (Gespeichert ? " ein Kennwort gespeichert." : " kein Kennwort gespeichert.")));
  btnKennwortEntfernen->setVisible(Gespeichert);
}

void TFrmFirmaServer::Befehl(const char* AName, const std::function<bool()>& ABefehl) {
  bool Fertig = false;
  KWDGuard(AName, [&] {
    const TKWDWorkBracket Arbeit(this, AName, 60);
    if (Arbeit.Offen()) Fertig = ABefehl();
  });
  // The form does not close while its work bracket is open.
  if (Fertig) SetModalResult(KWD_MR_OK);
}

void TFrmFirmaServer::btnPruefenClick() {
  Befehl("TFrmFirmaServer.btnPruefenClick", [&] {
    if (!EingabeGut()) return false;
    Ergebnis("Verbinde ...", true);
    lblErgebnis->repaint();
    const TPgZiel Z = Ziel();
    try {
      const TWarteZeiger Warten;
      // Only looks: a database that is no company is refused untouched.
      auto Verbindung = TDbConnection::OpenFirma(MitZeitgrenze(PgUri(Z, edtKennwort->text().toStdString())));
      Ergebnis("Die Verbindung steht: " + Zitat(Z.Datenbank) + " auf " + Zitat(PgServerAnzeige(Z.Host, Z.Port)) +
                   " ist eine Firma der Warenwirtschaft" +
                   (Verbindung->NurLesen() ? ", die Sie nur lesen dürfen." : "."),
               true);
    } catch (const EDbKeineFirma& E) {
      Ergebnis(E.what(), false, E.Leer);
    } catch (const std::exception& E) {
      // The sentence here, the technical text in the log.
      const TKWDFehlerTeile Teile = KWDFehlerTeile(E);
      KWDLogSchreiben("TFrmFirmaServer.btnPruefenClick", KWDFehlerLogText(Teile));
      Ergebnis(Teile.Satz, false);
    }
    return false;
  });
}

void TFrmFirmaServer::BtnOkClick() {
  Befehl("TFrmFirmaServer.BtnOkClick", [&] {
    if (!EingabeGut()) return false;
    TServerAntwort Antwort{"Es ist nichts zum Öffnen eingerichtet."};
    if (FOeffnen) {
      const TWarteZeiger Warten;
      Antwort = FOeffnen(Ziel(), edtKennwort->text().toStdString(), chbKennwortSpeichern->isChecked());
    }
    Ergebnis(Antwort.Grund, false, Antwort.Leer);
    return Antwort.Grund.empty();
  });
}

void TFrmFirmaServer::btnAnlegenClick() {
  Befehl("TFrmFirmaServer.btnAnlegenClick", [&] {
    if (!EingabeGut()) return false;
    // The build shows its own progress window; a failure leaves the database as it was.
    const std::string Grund = FAnlegen ? FAnlegen(Ziel(), edtKennwort->text().toStdString(),
                                                  chbKennwortSpeichern->isChecked(), rbDemo->isChecked())
                                       : std::string("Es ist nichts zum Anlegen eingerichtet.");
    Ergebnis(Grund, false);
    return Grund.empty();
  });
}

void TFrmFirmaServer::btnKennwortEntfernenClick() {
  Befehl("TFrmFirmaServer.btnKennwortEntfernenClick", [&] {
    const TPgZiel Z = Ziel();
    if (KWDInfo().ShowMeldung(KWD_MB_JANEIN, "STANDARD", 997,
                              {"Das gespeicherte Kennwort für " + Zitat(Z.Benutzer) + " auf " +
                               Zitat(PgServerAnzeige(Z.Host, Z.Port)) + " aus " + PgPassAnzeige() +
                               " entfernen? Die übrigen Einträge der Datei bleiben."},
                              this) == KWD_MR_YES)
      PgPassEntfernen(Z);
    KennwortStandZeigen();
    return false;
  });
}
