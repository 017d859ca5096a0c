#include "app/InvAnfProgramm.h"

#include <QApplication>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/InvAnfFirma.h"
#include "app/TFrmFirmaWahl.h"
#include "app/TFrmIAMain.h"
#include "app/TFrmIAStart.h"
#include "dialogs/TFrmIANeu.h"
#include "dialogs/TFrmInvAnfConfig.h"
#include "printing/TfrmIALOptions.h"
#include "suite/SuiteDatenbank.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/framework/KWDSettings.h"
#include "support/framework/TKWDInfo.h"
#include "support/framework/TKWDProgramm.h"
#include "support/services/UserRechte.h"
#include "widgets/KWDAnwendungsTitel.h"

namespace {

// The forms live from their creation until the program ends.
std::vector<std::unique_ptr<QWidget>> GFormulare;

struct TFormSchritt {
  const char* Klasse;
  std::function<std::unique_ptr<QWidget>()> Erzeugen;
};

// The forms in the order of their creation: start dialog, configuration,
// main window, new-request dialog, count-list options. Each form sets its
// global reference (FrmIAStart, FrmIAMain, ...) when it is created. The
// dialogs of the other layers take their place here as they join.
const std::vector<TFormSchritt>& FormSchritte() {
  static const std::vector<TFormSchritt> Schritte = {
      {"TFrmIAStart", [] { return std::make_unique<TFrmIAStart>(); }},
      {"TFrmInvAnfConfig", [] { return std::make_unique<TFrmInvAnfConfig>(); }},
      {"TFrmIAMain", [] { return std::make_unique<TFrmIAMain>(); }},
      {"TFrmIANeu", [] { return std::make_unique<TFrmIANeu>(); }},
      {"TfrmIALOptions", [] { return std::make_unique<TfrmIALOptions>(); }},
  };
  return Schritte;
}

bool FirmaOeffnen() {
  try {
    SuiteDatenbankOeffnen();  // also loads the company's message texts
    return true;
  } catch (const std::exception& E) {
    KWDInfo().RegisterException("invanf.FirmaOeffnen", E, false);
    KWDInfo().FehlerTerminate("invanf.FirmaOeffnen");
    const TKWDFehlerTeile Teile = KWDFehlerTeile(E);
    TKWDMeldung M;
    M.Gruppe = "FEHLER";
    M.Text = Teile.Satz +
             "\n\nDie Firma wird mit der Einstellung WWS_DB gewählt (oder ohne WWS_ANTWORT im Fenster "
             "\u201EFirma wählen\u201C). Das Programm wird beendet.";
    M.Details = Teile.Technisch;
    M.Argumente = {Teile.Satz};
    KWDMeldungPresenter()->Zeigen(M);
    return false;
  }
}

bool GFirmaNeuWaehlen = false;

// Answers come from WWS_ANTWORT: no window may wait for a user.
bool Ohnedialog() { return KWDSetting("WWS_ANTWORT").has_value(); }

enum class TWahl { Gewaehlt, Abgebrochen };

// "Firma wählen", modal; on OK the chosen company is the process's one.
TWahl FirmaWaehlen(const std::string& AGrund, bool AHinweis, bool AZurueck) {
  TFrmFirmaWahl Dialog(AGrund, AHinweis);
  Dialog.SetAbbrechenZurueck(AZurueck);
  return Dialog.exec() == KWD_MR_OK ? TWahl::Gewaehlt : TWahl::Abgebrochen;
}

}  // namespace

void InvAnfFirmaNeuWaehlen() {
  GFirmaNeuWaehlen = true;
  if (FrmIAStart) FrmIAStart->SetModalResult(KWD_MR_CANCEL);
}

std::vector<std::string> InvAnfFormularKlassen() {
  std::vector<std::string> Klassen;
  for (const TFormSchritt& S : FormSchritte()) Klassen.emplace_back(S.Klasse);
  return Klassen;
}

TInvAnfStart InvAnfStarten() {
  TInvAnfStart Start;
  try {
    KWDProgramm().Init("INVANF", 3, 0, 0, true);
    // The program's own title; the forms' captions stay exactly their own.
    KWDAnwendungsTitelSetzen(QStringLiteral("Inventuranforderungen"));
    Start.FirmaOffen = FirmaOeffnen();
    if (!Start.FirmaOffen) return Start;
    // Refused: the message named the missing rights; the forms are still
    // created, and the loop ends before anyone can work in them.
    if (!UserRechtePruefen({wpfWarenwirtschaft, wpfInventur, wpfInventuranforderungen}, "", 1, false, 0))
      Start.EndeAngefordert = true;
    const auto& Schritte = FormSchritte();
    for (std::size_t I = 0; I < Schritte.size(); ++I) {
      GFormulare.push_back(Schritte[I].Erzeugen());
      Start.Formulare.emplace_back(Schritte[I].Klasse);
      // An error a create handler registered stops the start-up here.
      if (I > 0) KWDInfo().FehlerRaise("invanf", 0);
    }
  } catch (const std::exception& E) {
    KWDProgramm().ShowException(E, false);
  }
  return Start;
}

int InvAnfAusfuehren(const TInvAnfStart& AStart) {
  if (AStart.EndeAngefordert) return 2;
  if (!FrmIAStart) return 1;
  // Closing the start dialog ends the program.
  QObject::connect(FrmIAStart, &QDialog::finished, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
  FrmIAStart->show();
  return QApplication::exec();
}

void InvAnfFormulareFreigeben() {
  while (!GFormulare.empty()) GFormulare.pop_back();
}

int InvAnfProgramm(const TInvAnfOptionen& AOptionen) {
  // Wins for this run (the services and child programs read it too).
  if (AOptionen.Db) ::setenv("WWS_DB", AOptionen.Db->c_str(), 1);
  bool Waehlen = AOptionen.Firma && !Ohnedialog();
  bool Zurueck = false;  // a company was open: cancelling keeps it
  bool Hinweis = false;  // the reason is no fault: nothing is set yet
  std::string Grund;
  if (AOptionen.Demo) {
    const std::string Demo = InvAnfDemoOrt();
    std::error_code Fehler;
    if (std::filesystem::exists(std::filesystem::symlink_status(Demo, Fehler)))
      ::setenv("WWS_DB", Demo.c_str(), 1);
    else if (!InvAnfFirmaAnlegen(Demo, true, false, nullptr, Grund))
      Waehlen = !Ohnedialog();  // the reason stands on top of the dialog
  }
  for (;;) {
    if (Waehlen) {
      if (FirmaWaehlen(Grund, Hinweis, Zurueck) == TWahl::Abgebrochen && !Zurueck) return 0;
      Waehlen = Zurueck = Hinweis = false;
      Grund.clear();
    }
    // Headless the start names what cannot be opened and ends (exit 1).
    if (!Ohnedialog() && !InvAnfFirmaOeffnen(Grund)) {
      const auto Gesetzt = KWDSetting("WWS_DB");
      Hinweis = !Gesetzt || Gesetzt->empty();
      Waehlen = true;
      continue;
    }
    const TInvAnfStart Start = InvAnfStarten();
    const int Ergebnis = Start.FirmaOffen ? InvAnfAusfuehren(Start) : 1;
    InvAnfFormulareFreigeben();
    if (!GFirmaNeuWaehlen) return Ergebnis;
    GFirmaNeuWaehlen = false;
    Waehlen = Zurueck = true;
  }
}
