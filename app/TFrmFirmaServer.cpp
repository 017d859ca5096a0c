#include "app/TFrmFirmaServer.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <pwd.h>
#include <unistd.h>

#include "support/db/TDbConnection.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "widgets/KWDTasten.h"
#include "widgets/TKWDGlyphButton.h"
#include "widgets/TKWDTitelPanel.h"

namespace {

QString Q(const std::string& AText) { return QString::fromStdString(AText); }

class TWarteZeiger {
 public:
  TWarteZeiger() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWarteZeiger() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

TFrmFirmaServer::TFrmFirmaServer(TOeffnen AOeffnen, QWidget* AParent)
    : TKWDForm(AParent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      FOeffnen(std::move(AOeffnen)) {
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
  edtHost = Feld("edtHost", QStringLiteral("Name oder Adresse des Datenbankservers; leer: dieser Rechner"));
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

  auto* Formular = new QFormLayout;
  Formular->addRow(QStringLiteral("Server:"), edtHost);
  Formular->addRow(QStringLiteral("Port:"), edtPort);
  Formular->addRow(QStringLiteral("Datenbank:"), edtDatenbank);
  Formular->addRow(QStringLiteral("Benutzer:"), edtBenutzer);
  Formular->addRow(QStringLiteral("Kennwort:"), edtKennwort);
  Formular->addRow(QString(), chbKennwortSpeichern);

  lblErgebnis = new QLabel(this);
  lblErgebnis->setObjectName(QStringLiteral("lblErgebnis"));
  lblErgebnis->setWordWrap(true);
  lblErgebnis->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblErgebnis->setMinimumHeight(fontMetrics().lineSpacing() * 3);
  lblErgebnis->setAlignment(Qt::AlignLeft | Qt::AlignTop);

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
  Inhalt->addLayout(Knoepfe);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(LblTitel);
  Layout->addLayout(Inhalt);
  Layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(btnPruefen, &QPushButton::clicked, this, [this] { btnPruefenClick(); });
  connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
  connect(BtnCancel, &QPushButton::clicked, this, [this] { SetModalResult(KWD_MR_CANCEL); });
}

void TFrmFirmaServer::Vorbelegen(const TPgZiel& AZiel, const std::string& AGrund) {
  edtHost->setText(Q(AZiel.Host));
  edtPort->setText(Q(AZiel.Port.empty() ? "5432" : AZiel.Port));
  edtDatenbank->setText(Q(AZiel.Datenbank));
  if (!AZiel.Benutzer.empty()) edtBenutzer->setText(Q(AZiel.Benutzer));
  edtKennwort->clear();
  Ergebnis(AGrund, false);
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

std::string TFrmFirmaServer::EingabeFehler() const {
  const TPgZiel Z = Ziel();
  if (Z.Datenbank.empty()) return "Bitte geben Sie den Namen der Firmendatenbank an.";
  int Pos = 0;
  QString Port = edtPort->text().trimmed();
  if (!Port.isEmpty() && edtPort->validator()->validate(Port, Pos) != QValidator::Acceptable)
    return "Der Port muss eine Zahl von 1 bis 65535 sein.";
  return {};
}

void TFrmFirmaServer::Ergebnis(const std::string& AText, bool AGut) {
  lblErgebnis->setText(Q(AText));
  lblErgebnis->setStyleSheet(AText.empty() ? QString()
                             : AGut        ? QStringLiteral("color: #1b5e20;")
                                           : QStringLiteral("color: #b71c1c;"));
}

void TFrmFirmaServer::btnPruefenClick() {
  KWDGuard("TFrmFirmaServer.btnPruefenClick", [&] {
    if (const std::string Fehler = EingabeFehler(); !Fehler.empty()) return Ergebnis(Fehler, false);
    Ergebnis("Verbinde ...", true);
    lblErgebnis->repaint();
    const TPgZiel Z = Ziel();
    try {
      const TWarteZeiger Warten;
      // Only looks: a database that is no company is refused untouched.
      auto Verbindung = TDbConnection::OpenFirma(MitZeitgrenze(PgUri(Z, edtKennwort->text().toStdString())));
      Ergebnis("Die Verbindung steht: " + Verbindung->Ort() + " ist eine Firma der Warenwirtschaft" +
                   (Verbindung->NurLesen() ? ", die Sie nur lesen dürfen." : "."),
               true);
    } catch (const std::exception& E) {
      Ergebnis(E.what(), false);
    }
  });
}

void TFrmFirmaServer::BtnOkClick() {
  KWDGuard("TFrmFirmaServer.BtnOkClick", [&] {
    if (const std::string Fehler = EingabeFehler(); !Fehler.empty()) return Ergebnis(Fehler, false);
    std::string Grund;
    {
      const TWarteZeiger Warten;
      Grund = FOeffnen ? FOeffnen(Ziel(), edtKennwort->text().toStdString(), chbKennwortSpeichern->isChecked())
                       : std::string("Es ist nichts zum Öffnen eingerichtet.");
    }
    if (!Grund.empty()) return Ergebnis(Grund, false);
    SetModalResult(KWD_MR_OK);
  });
}
