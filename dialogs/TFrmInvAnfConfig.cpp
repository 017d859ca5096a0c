#include "dialogs/TFrmInvAnfConfig.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <array>
#include <cmath>

#include "dialogs/TFrmIAConfNachfrage.h"
#include "suite/ArtBestTypEigenschaften.h"
#include "suite/InvMultiAbwertung.h"
#include "widgets/KWDFormLayout.h"
#include "widgets/KWDTasten.h"
#include "widgets/TKWDTitelPanel.h"
#include "widgets/TKWDValidatoren.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/framework/TKWDInfo.h"
#include "support/services/TParameter.h"
#include "support/services/UserRechte.h"

TFrmInvAnfConfig* FrmInvAnfConfig = nullptr;

namespace {

constexpr double KHoechstesMaximum = 100.0;  // percent; more makes no sense and is cut on saving

struct TBeispiel {
  const char* Rechnung;
  const char* Formel;
};
// The example lines per method (1..3) for markdowns of 10 %, 20 % and 30 %.
constexpr std::array<TBeispiel, KQLX_INV_MULTIABWERTUNG_ANZAHL> KBeispiele = {{
    {"Der höchste Abschlag gilt, das ergibt:", "max{10%, 20%, 30%} = 30%"},
    {"Die Abschläge werden summiert, somit erhält man:", "10% + 20% + 30% = 60%"},
    {"Die Abschläge werden nach folgender Regel multipliziert:", "100% - (100%-30%)*(100%-20%)*(100%-10%) = 49,6%"},
}};

QLabel* Erklaerung(const QString& AText, QWidget* AParent) {
  auto* L = new QLabel(AText, AParent);
  L->setWordWrap(true);
  L->setTextFormat(Qt::PlainText);
  return L;
}

}  // namespace

TFrmInvAnfConfig::TFrmInvAnfConfig(QWidget* AParent) : TKWDForm(AParent) {
  FrmInvAnfConfig = this;
  KWDGuard("TFrmInvAnfConfig.FormCreate", [&] { FormCreate(); });
}

TFrmInvAnfConfig::~TFrmInvAnfConfig() {
  KWDZerstoeren("TFrmInvAnfConfig.FormDestroy", {[&] {
                  if (FrmInvAnfConfig == this) FrmInvAnfConfig = nullptr;
                }});
}

void TFrmInvAnfConfig::FormCreate() {
  setObjectName(QStringLiteral("FrmInvAnfConfig"));
  KWDFormInit("OstrelFrmInvAnfConfig", true);
  setWindowTitle(KWDCaption(QStringLiteral("Inventuren")));

  LblTitel = new TKWDTitelPanel(QStringLiteral("Inventuren - Einstellungen ändern"), this);
  LblTitel->setObjectName(QStringLiteral("LblTitel"));
  pgcEinstellungen = new QTabWidget(this);
  pgcEinstellungen->setObjectName(QStringLiteral("pgcEinstellungen"));

  // Page "Bestände": which stock kinds the system regards as counted.
  tsBestand = new QWidget;
  tsBestand->setObjectName(QStringLiteral("tsBestand"));
  auto Haken = [this](const char* AName, const QString& AText) {
    auto* H = new QCheckBox(AText, tsBestand);
    H->setObjectName(QString::fromLatin1(AName));
    return H;
  };
  chbAvis = Haken("chbAvis", QStringLiteral("Avisbestand"));
  chbAuswahl = Haken("chbAuswahl", QStringLiteral("Mitnahmebestand"));
  chbReklama = Haken("chbReklama", QStringLiteral("Reklamationsbestand"));
  chbRetoure = Haken("chbRetoure", QStringLiteral("Retourenbestand"));
  chbReserv = Haken("chbReserv", QStringLiteral("Reservierungsbestand"));
  // A check box does not wrap its text: the line breaks where a reader pauses.
  chbAusserHaus2Zaehlbestand_Zaehlen =
      Haken("chbAusserHaus2Zaehlbestand_Zaehlen",
            QStringLiteral("Soll als gezählt angesehener Bestand beim Wechsel in zu zählenden Bestand,\ndirekt als "
                           "gezählt angesehen werden?"));
  auto* Bestand = new QVBoxLayout(tsBestand);
  Bestand->setContentsMargins(12, 12, 12, 12);
  auto* LblAusserHaus = Erklaerung(
      QStringLiteral("Während einer Inventur ist es nicht immer möglich sämtliche Bestände zu zählen, da sie sich "
                     "beispielsweise außer Haus befinden. Dies trifft etwa für Auswahlen zu."),
      tsBestand);
  LblAusserHaus->setObjectName(QStringLiteral("lblAusserHaus"));
  auto* LblAnhaken = Erklaerung(QStringLiteral("Legen Sie bitte durch Anhaken fest, welche Bestandsarten automatisch "
                                               "durch das System als gezählt gekennzeichnet werden sollen."),
                                tsBestand);
  LblAnhaken->setObjectName(QStringLiteral("lblAnhaken"));
  auto* LblWechsel = Erklaerung(
      QStringLiteral("Automatisch als gezählt gekennzeichnete Artikel oder Mengen können während der Inventur ihre "
                     "Bestandsart wechseln, etwa wenn eine Auswahl zurückkommt. Legen Sie bitte fest, ob solche "
                     "Mengen gezählt werden müssen oder weiterhin als gezählt gelten."),
      tsBestand);
  LblWechsel->setObjectName(QStringLiteral("lblWechsel"));
  Bestand->addWidget(LblAusserHaus);
  Bestand->addWidget(LblAnhaken);
  Bestand->addSpacing(4);
  for (QCheckBox* H : {chbAvis, chbAuswahl, chbReklama, chbRetoure, chbReserv}) Bestand->addWidget(H);
  Bestand->addSpacing(12);
  Bestand->addWidget(LblWechsel);
  Bestand->addWidget(chbAusserHaus2Zaehlbestand_Zaehlen);
  Bestand->addStretch();

  // Page "Abschläge": how several markdowns combine, and their maximum.
  tsAbschlaege = new QWidget;
  tsAbschlaege->setObjectName(QStringLiteral("tsAbschlaege"));
  rgBerechnung = new QGroupBox(QStringLiteral("Berechnung"), tsAbschlaege);
  rgBerechnung->setObjectName(QStringLiteral("rgBerechnung"));
  new QVBoxLayout(rgBerechnung);
  rgBerechnungItems = new QButtonGroup(rgBerechnung);
  rgBerechnungItems->setObjectName(QStringLiteral("rgBerechnungItems"));
  auto* LblMaximum = new QLabel(QStringLiteral("Maximale Abwertung:"), tsAbschlaege);
  LblMaximum->setObjectName(QStringLiteral("lblMaximaleAbwertung"));
  edtMaximaleAbwertung = new QLineEdit(tsAbschlaege);
  edtMaximaleAbwertung->setObjectName(QStringLiteral("edtMaximaleAbwertung"));
  FMaximum = new TKWDDezimalValidator(3, 2, edtMaximaleAbwertung);
  edtMaximaleAbwertung->setValidator(FMaximum);
  edtMaximaleAbwertung->setAlignment(Qt::AlignRight);
  edtMaximaleAbwertung->setFixedWidth(edtMaximaleAbwertung->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 14);
  edtMaximaleAbwertung->setToolTip(
      QStringLiteral("Größte Abwertung eines Artikels in Prozent, bis 100 (mehr wird beim Buchen zu 100)"));
  LblMaximum->setBuddy(edtMaximaleAbwertung);
  auto* LblProzent = new QLabel(QStringLiteral("%"), tsAbschlaege);
  LblProzent->setObjectName(QStringLiteral("lblProzent"));
  auto* LblBeispiel =
      Erklaerung(QStringLiteral("Beispiel: Ein Artikel fällt in drei Abwertungskategorien: 10%, 20% und 30%."),
                 tsAbschlaege);
  LblBeispiel->setObjectName(QStringLiteral("lblBeispiel"));
  lblRechnung = Erklaerung(QString(), tsAbschlaege);
  lblRechnung->setObjectName(QStringLiteral("lblRechnung"));
  lblFormel = new QLabel(tsAbschlaege);
  lblFormel->setObjectName(QStringLiteral("lblFormel"));
  lblFormel->setTextFormat(Qt::PlainText);
  QFont Fett = lblFormel->font();
  Fett.setBold(true);
  lblFormel->setFont(Fett);
  auto* MaxZeile = new QHBoxLayout;
  MaxZeile->addWidget(LblMaximum);
  MaxZeile->addWidget(edtMaximaleAbwertung);
  MaxZeile->addWidget(LblProzent);
  MaxZeile->addStretch();
  auto* Abschlaege = new QVBoxLayout(tsAbschlaege);
  Abschlaege->setContentsMargins(12, 12, 12, 12);
  Abschlaege->addWidget(rgBerechnung);
  Abschlaege->addSpacing(6);
  Abschlaege->addLayout(MaxZeile);
  Abschlaege->addSpacing(12);
  Abschlaege->addWidget(LblBeispiel);
  Abschlaege->addWidget(lblRechnung);
  Abschlaege->addWidget(lblFormel);
  Abschlaege->addStretch();

  pgcEinstellungen->addTab(tsBestand, QStringLiteral("Bestände"));
  pgcEinstellungen->addTab(tsAbschlaege, QStringLiteral("Abschläge"));
  pgcEinstellungen->setCurrentWidget(tsBestand);

  BtnEnde = new QPushButton(QStringLiteral("Abbrechen - Esc"), this);
  BtnEnde->setObjectName(QStringLiteral("BtnEnde"));
  KWDTasteBinden(BtnEnde, QKeySequence(Qt::Key_Escape), QStringLiteral("Schließen, ohne zu speichern"));
  BtnOk = new QPushButton(QStringLiteral("Buchen"), this);
  BtnOk->setObjectName(QStringLiteral("BtnOk"));
  KWDTasteBinden(BtnOk, QKeySequence(Qt::Key_F5), QStringLiteral("Einstellungen speichern"));
  for (QPushButton* Knopf : {BtnEnde, BtnOk}) Knopf->setAutoDefault(false);
  auto* Seiten = new QVBoxLayout;
  Seiten->addWidget(pgcEinstellungen);
  KWDFormLayout(this, LblTitel, Seiten, {}, {BtnEnde, BtnOk});
  resize(620, 480);

  connect(rgBerechnungItems, &QButtonGroup::idToggled, this, [this](int, bool AAn) {
    if (AAn) rgBerechnungClick();
  });
  connect(BtnOk, &QPushButton::clicked, this, &TFrmInvAnfConfig::BtnOkClick);
  connect(BtnEnde, &QPushButton::clicked, this, &TFrmInvAnfConfig::BtnEndeClick);
}

std::string TFrmInvAnfConfig::InventurOffenText() {
  return "In Ihrem Unternehmen ist gerade eine Inventur offen.\r\n"
         "Sie können die Einstellungen der Bestände nur ändern, wenn keine Inventuren offen sind.\r\n"
         "Änderungen an den Abschlägen wurden übernommen.";
}

void TFrmInvAnfConfig::showEvent(QShowEvent* AEvent) {
  if (!AEvent->spontaneous()) KWDGuard("TFrmInvAnfConfig.FormShow", [&] { FormShow(); });
  TKWDForm::showEvent(AEvent);
}

void TFrmInvAnfConfig::FormShow() {
  TParameter& P = KWDParameter();
  chbAvis->setChecked(P.GetBooleanValueByName("INVAVIS"));
  chbAuswahl->setChecked(P.GetBooleanValueByName("INVAUSWA"));
  chbReklama->setChecked(P.GetBooleanValueByName("INVREKLA"));
  chbRetoure->setChecked(P.GetBooleanValueByName("INVRETOU"));
  chbReserv->setChecked(P.GetBooleanValueByName("INVRESER"));
  chbAusserHaus2Zaehlbestand_Zaehlen->setChecked(P.GetBooleanValueByName("INVBFWEC"));
  FillAndSelectRadioGroup(P.GetCharValueByName("INVABWBE"));
  edtMaximaleAbwertung->setText(TKWDDezimalValidator::Text(P.GetIntegerValueByName("INVABWMA") / 100.0, 2));
}

void TFrmInvAnfConfig::FillAndSelectRadioGroup(char AZeichen) {
  KWDGuard("TFrmInvAnfConfig.FillAndSelectRadioGroup", [&] {
    for (QAbstractButton* Knopf : rgBerechnungItems->buttons()) {
      rgBerechnungItems->removeButton(Knopf);
      delete Knopf;
    }
    for (int Methode = 1; Methode <= KQLX_INV_MULTIABWERTUNG_ANZAHL; ++Methode) {
      auto* Knopf = new QRadioButton(
          QString::fromUtf8(CQLX_Inv_MultiAbwertung_Vorgehen2Text[static_cast<size_t>(Methode - 1)]), rgBerechnung);
      Knopf->setObjectName(QStringLiteral("rgBerechnung_%1").arg(Methode));
      rgBerechnung->layout()->addWidget(Knopf);
      rgBerechnungItems->addButton(Knopf, Methode);
    }
    const int Methode = Inv_MultiAbwertung_Vorgehen4Char(AZeichen);
    rgBerechnungItems->button(Methode == 0 ? 1 : Methode)->setChecked(true);
    rgBerechnungClick();
  });
}

int TFrmInvAnfConfig::GewaehlteMethode() const { return std::max(rgBerechnungItems->checkedId(), 0); }

void TFrmInvAnfConfig::rgBerechnungClick() {
  KWDGuard("TFrmInvAnfConfig.rgBerechnungClick", [&] {
    const int Methode = GewaehlteMethode();
    if (Methode < 1 || Methode > KQLX_INV_MULTIABWERTUNG_ANZAHL) return;
    const TBeispiel& B = KBeispiele[static_cast<size_t>(Methode - 1)];
    lblRechnung->setText(QString::fromUtf8(B.Rechnung));
    lblFormel->setText(QString::fromUtf8(B.Formel));
  });
}

bool TFrmInvAnfConfig::MaximumLesbar(double& AWert) {
  const QString Text = edtMaximaleAbwertung->text();
  if (const auto Wert = FMaximum->Wert(Text)) {
    AWert = *Wert;
    return true;
  }
  const QString Meldung =
      Text.isEmpty()
          ? QStringLiteral("Bitte geben Sie die maximale Abwertung in Prozent ein (0 bis 100, z. B. 33,33).")
          : QStringLiteral("Die maximale Abwertung „%1“ ist keine gültige Zahl.\r\nBitte geben Sie eine Zahl bis "
                           "999,99 mit höchstens zwei Nachkommastellen ein, z. B. 33,33.")
                .arg(Text);
  KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "STANDARD", 997, {Meldung.toStdString()}, static_cast<QWidget*>(this));
  pgcEinstellungen->setCurrentWidget(tsAbschlaege);
  edtMaximaleAbwertung->setFocus();
  return false;
}

void TFrmInvAnfConfig::BtnOkClick() {
  KWDGuard("TFrmInvAnfConfig.BtnOkClick", [&] {
    if (!UserRechtePruefen({wpfWarenwirtschaft, wpfInventur}, "", 1, false, 0)) return;
    double Maximum = 0;
    // Nothing is written before the whole entry could be read.
    if (!MaximumLesbar(Maximum)) return;
    const int Methode = GewaehlteMethode() == 0 ? 1 : GewaehlteMethode();
    if (Maximum > KHoechstesMaximum) {
      Maximum = KHoechstesMaximum;
      edtMaximaleAbwertung->setText(TKWDDezimalValidator::Text(Maximum, 2));
    }
    TParameter& P = KWDParameter();
    P.SetCharValueByName("INVABWBE", Inv_MultiAbwertung_Vorgehen2Char(Methode));
    P.SetIntegerValueByName("INVABWMA", static_cast<int>(std::lround(Maximum * 100.0)));
    if (FInventurOffen) {
      KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "STANDARD", 997, {InventurOffenText()}, nullptr);
      return;
    }
    if (!P.GetBooleanValueByName("INVBFWEC") && chbAusserHaus2Zaehlbestand_Zaehlen->isChecked()) {
      TFrmIAConfNachfrage Nachfrage(this);
      Nachfrage.exec();
    }
    ParamterBuchen();
    SetModalResult(KWD_MR_OK);
  });
}

void TFrmInvAnfConfig::ParamterBuchen() {
  KWDGuard("ParamterBuchen", [&] {
    TParameter& P = KWDParameter();
    P.SetBooleanValueByName("INVAVIS", chbAvis->isChecked());
    P.SetBooleanValueByName("INVAUSWA", chbAuswahl->isChecked());
    P.SetBooleanValueByName("INVREKLA", chbReklama->isChecked());
    P.SetBooleanValueByName("INVRETOU", chbRetoure->isChecked());
    P.SetBooleanValueByName("INVRESER", chbReserv->isChecked());
    P.SetBooleanValueByName("INVBFWEC", chbAusserHaus2Zaehlbestand_Zaehlen->isChecked());
    ArtBestTypEigenschaften_Update();
  });
}

void TFrmInvAnfConfig::BtnEndeClick() {
  KWDGuard("TFrmInvAnfConfig.BtnEndeClick", [&] { SetModalResult(KWD_MR_CANCEL); });
}
