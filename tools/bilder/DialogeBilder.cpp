// Screenshots of the dialogs on a demo company, for looking at them as a user
// would: run under a real X server (scripts/screenshots-dialoge.sh).
//
//   WWS_DB=demo.db dialoge_bilder ZIELORDNER WWS_ADMIN
//
// Dates follow today (WWS_TODAY): the fiscal year of today's calendar year, a
// counting date tomorrow. The run creates and completes one request of branch
// 2 in the company, so it comes last on a demo company of its own.
//
// The locked-articles list shows real lock conflicts: wws-admin holds three
// articles of branch 2 in processes of its own while the engine completes a
// request of that branch.
#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <vector>

#include "dialogs/TFrmIAConfNachfrage.h"
#include "dialogs/TFrmIANeu.h"
#include "dialogs/TFrmInvAnfConfig.h"
#include "dialogs/TgesperrteArtikelfrm.h"
#include "engine/TIANeuPruefung.h"
#include "engine/TQLX_InvAnfMani.h"
#include "suite/SuiteDatenbank.h"
#include "widgets/KWDWidgets.h"
#include "widgets/TKWDApplication.h"
#include "widgets/TQLX_DatumsEingabe.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDPause.h"
#include "support/framework/KWDUhr.h"
#include "support/types/TQLX_IA_KZZaehlung.h"
#include "tests/widgets/WidgetTestHilfe.h"

namespace {

QString GZiel;

TDate WiJahr() { return EncodeDate(YearOf(kwd_Date()), 1, 1); }
TDate Zaehltag() { return kwd_Date() + 1; }

// The screen where AFenster (and an open pop-up over it) stands.
void Aufnehmen(QWidget* AFenster, const QString& AName, QWidget* APopup = nullptr) {
  QTest::qWait(150);
  QRect Bereich = AFenster->frameGeometry();
  if (APopup && APopup->isVisible()) Bereich = Bereich.united(APopup->geometry());
  const QPixmap Bild = AFenster->screen()->grabWindow(0, Bereich.x(), Bereich.y(), Bereich.width(), Bereich.height());
  const QString Datei = GZiel + "/" + AName + ".png";
  Bild.save(Datei);
  std::printf("%s\n", Datei.toLocal8Bit().constData());
}

void Zeigen(QWidget* AFenster) {
  AFenster->move(30, 30);
  AFenster->show();
  AFenster->activateWindow();
  if (!QTest::qWaitForWindowExposed(AFenster)) std::fprintf(stderr, "Fenster nicht sichtbar\n");
}

void Neuanlage() {
  TFrmIANeu Form;
  Form.SetWiJahr(WiJahr());
  Form.SetWiJahrLastDay(TIANeuPruefung::WiJahrLastDay(WiJahr()));
  Zeigen(&Form);
  auto* Datum = Kind<TQLX_DatumsEingabe>(Form, "btnZaehldatum");
  auto* Filialen = Kind<QListWidget>(Form, "chbFilialen");
  Datum->Date_Set(Zaehltag());
  Kind<QLineEdit>(Form, "edtWg")->setText("12");
  for (int I : {1, 2, 4}) Filialen->item(I)->setCheckState(Qt::Checked);
  Filialen->setCurrentRow(4);
  Aufnehmen(&Form, "neuanlage");

  Datum->KalenderOeffnen();
  Aufnehmen(&Form, "neuanlage-kalender", Datum->OffenerKalender()->window());
  Datum->OffenerKalender()->window()->hide();

  // A half-typed date, named when "Buchen" is pressed.
  Datum->Edit()->setText(Datum->Text().left(6));
  auto Meldung = BeimModalFenster<QWidget>([](QWidget* AMeldung) {
    Aufnehmen(AMeldung, "neuanlage-datum-unvollstaendig");
    static_cast<QDialog*>(AMeldung)->reject();
  });
  Form.BtnOkClick();
  Datum->Date_Set(Zaehltag());

  auto Suche = BeimModalFenster<QWidget>([](QWidget* ASuche) {
    ASuche->move(60, 60);
    QTest::keyClicks(Kind<QLineEdit>(ASuche, "edtBezeichnung"), "hose");
    Aufnehmen(ASuche, "warengruppensuche");
    static_cast<QDialog*>(ASuche)->reject();
  });
  Form.SucheWG();
  Form.hide();
}

void Einstellungen() {
  TFrmInvAnfConfig Form;
  Zeigen(&Form);
  Aufnehmen(&Form, "einstellungen-bestaende");
  Kind<QTabWidget>(Form, "pgcEinstellungen")->setCurrentWidget(Kind(Form, "tsAbschlaege"));
  Kind<QButtonGroup>(Form, "rgBerechnungItems")->button(3)->click();
  Aufnehmen(&Form, "einstellungen-abschlaege");

  // A third decimal is refused with a hint under the field.
  Form.activateWindow();
  auto* Maximum = Kind<QLineEdit>(Form, "edtMaximaleAbwertung");
  Maximum->setFocus();
  Maximum->setText("33,33");
  QTest::keyClick(Maximum, Qt::Key_3);
  QTest::qWait(300);
  const QRect Feld(Maximum->mapToGlobal(QPoint(-20, -10)), QSize(420, 80));
  Form.screen()->grabWindow(0, Feld.x(), Feld.y(), Feld.width(), Feld.height()).save(GZiel + "/einstellungen-hinweis.png");

  // Saving while a stock-take is open: the notice of its three lines.
  Form.SetInventurOffen(true);
  auto Meldung = BeimModalFenster<QWidget>([](QWidget* AMeldung) {
    Aufnehmen(AMeldung, "einstellungen-inventur-offen");
    static_cast<QDialog*>(AMeldung)->reject();
  });
  Form.BtnOkClick();
  Form.hide();

  TFrmIAConfNachfrage Nachfrage;
  Zeigen(&Nachfrage);
  Aufnehmen(&Nachfrage, "einstellungen-nachfrage");
}

// Article numbers of three articles (one number each) the completion of branch 2 will meet.
std::vector<std::string> ArtikelDerFiliale2() {
  auto S = KWDDatenbank().Prepare(
      "SELECT MIN(a.artnr) FROM artnr_historie a JOIN bestand b ON a.prodid1 = b.prodid1 AND "
      "a.prodid2 = b.prodid2 AND a.prodid3 = b.prodid3 JOIN artikel r ON r.prodid1 = b.prodid1 AND "
      "r.prodid2 = b.prodid2 AND r.prodid3 = b.prodid3 WHERE b.filnr = ? AND b.bestandstyp = '1' AND b.bestand_a <= b.bestand_b "
      "AND r.pruefschaerfe IN ('2', '3') AND a.artnr <> '' "
      "GROUP BY a.prodid1, a.prodid2, a.prodid3 ORDER BY 1");
  S->BindInt(1, 2);
  std::vector<std::string> Nummern;
  while (Nummern.size() < 3 && S->Step()) Nummern.push_back(S->ColumnText(0));
  S->Reset();
  return Nummern;
}

void GesperrteArtikel(const QString& AWwsAdmin) {
  std::vector<std::unique_ptr<QProcess>> Halter;
  const char* Programme[] = {"Kasse 2", "Wareneingang", "Umlagerung"};
  int I = 0;
  for (const std::string& Nr : ArtikelDerFiliale2()) {
    auto P = std::make_unique<QProcess>();
    P->start(AWwsAdmin, {"locks", "hold", QString::fromStdString(Nr), "--seconds", "120", "--program",
                         Programme[I++ % 3]});
    P->waitForReadyRead(20000);
    Halter.push_back(std::move(P));
  }
  KWDPauseSet([](int) { QTest::qWait(50); });
  std::vector<TQLX_clMeldung> Meldungen;
  {
    TQLX_InvAnfMani Mani;
    Mani.InventurAnlegen(Zaehltag(), WiJahr(), "", 2);
    TVglInvAnf_Inv Anf;
    Anf.FilNr = 2;
    Anf.WiJahr = YearOf(WiJahr());
    Anf.Zaehldatum = Zaehltag();
    Anf.KZZaehlung = static_cast<uint8_t>(TQLX_IA_KZZaehlung::iazAngefordert);
    Mani.InventurAnforderungVervollstaendigen({Anf}, Meldungen);
  }
  for (auto& P : Halter) {
    P->terminate();
    P->waitForFinished(10000);
  }
  std::printf("%zu Sperrmeldungen\n", Meldungen.size());
  TgesperrteArtikelfrm Form;
  Kind<QLabel>(Form, "lblDescriptoin")->setText(
      "Es konnten nicht alle Inventuren vollständig angefordert werden, da folgende Artikel gesperrt waren. Bitte "
      "geben Sie diese Artikel frei. Im Anschluss kann eine neue Vervollständigung gestartet werden.");
  Form.VR_List_Laden(Meldungen);
  Zeigen(&Form);
  Aufnehmen(&Form, "gesperrte-artikel");
}

}  // namespace

int main(int argc, char** argv) {
  TKWDApplication App(argc, argv);
  QApplication::setApplicationName("invanf");
  QApplication::setApplicationDisplayName("Inventuranforderungen");
  if (argc < 3) {
    std::fprintf(stderr, "Aufruf: dialoge_bilder ZIELORDNER WWS-ADMIN (WWS_DB: die Firma)\n");
    return 2;
  }
  GZiel = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(GZiel);
  KWDWidgetsInstallieren();
  SuiteDatenbankOeffnen();
  Neuanlage();
  Einstellungen();
  GesperrteArtikel(QString::fromLocal8Bit(argv[2]));
  return 0;
}
