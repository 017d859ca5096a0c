// Pictures of the print windows for looking at them (scripts/screenshots-druck.sh):
// the options dialog, the layout dialog and the report viewer of the first
// opened request, on the company of WWS_DB, best on a real X server. Each
// window is saved as the user sees it (the whole screen, so frames and the
// desktop around show too).
//
//   WWS_DB=demo.db druck_bilder ZIELORDNER
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPdfDocument>
#include <QScreen>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "engine/InvAnfLesen.h"
#include "engine/TIAWiJahre.h"
#include "printing/DruckLayouts.h"
#include "printing/TIADrucken.h"
#include "printing/TfrmIALOptions.h"
#include "suite/SuiteDatenbank.h"
#include "support/framework/KWDUhr.h"
#include "tests/widgets/WidgetTestHilfe.h"
#include "widgets/KWDWidgets.h"
#include "widgets/TKWDPdfAnsicht.h"
#include "widgets/TLayoutform.h"

namespace {

QString GZiel;
int GFehler = 0;

void Fehler(const char* AText) {
  std::fprintf(stderr, "druck_bilder: %s\n", AText);
  ++GFehler;
}

void Foto(QWidget* AFenster, const char* AName) {
  if (!QTest::qWaitForWindowExposed(AFenster)) return Fehler("Fenster nicht sichtbar");
  QTest::qWait(400);  // the window manager places it, the view paints its pages
  const QString Pfad = GZiel + QLatin1Char('/') + QString::fromUtf8(AName) + QStringLiteral(".png");
  QPixmap Bild = QGuiApplication::primaryScreen()->grabWindow(0);
  if (Bild.isNull() || QGuiApplication::platformName() == QLatin1String("offscreen")) Bild = AFenster->grab();
  if (!Bild.save(Pfad)) return Fehler("Bild nicht gespeichert");
  std::printf("%s\n", Pfad.toLocal8Bit().constData());
}

void Fotos() {
  SuiteDatenbankOeffnen();
  DruckLayoutsInstallieren();

  frmIALOptions_CiN();
  Kind<QCheckBox>(frmIALOptions, "cbxGG")->setChecked(true);
  {
    auto Uhr = BeimModalFenster<TfrmIALOptions>([](TfrmIALOptions* F) {
      Foto(F, "druck-optionen");
      F->reject();
    });
    frmIALOptions->exec();
  }

  TQLX_SelectedLayout_List Layouts;
  {
    TQLX_LayoutDialog_InputData Input;
    IALLayoutInputVorbereiten(Input);
    TLayoutform Dialog;
    auto Uhr = BeimModalFenster<TLayoutform>([](TLayoutform* F) {
      F->LayoutWaehlen("ial__Groessen.rpt");
      Foto(F, "druck-layoutdialog");
      F->btnOKClick();
    });
    if (!Dialog.Execute(Input, Layouts)) return Fehler("kein Layout gewählt");
  }

  // The count list of the first opened request of the latest year that has one.
  std::optional<TiaSatz> Eroeffnet;
  const std::vector<TIAWiJahr> Jahre = IAWiJahreDerFirma(kwd_Date());
  for (auto J = Jahre.rbegin(); J != Jahre.rend() && !Eroeffnet; ++J)
    for (const TiaSatz& S : IAAnforderungenDesJahres(J->Beginn))
      if (!Eroeffnet && S.KZZaehlung == 'E') Eroeffnet = S;
  if (!Eroeffnet) return Fehler("die Firma braucht eine eröffnete Inventur");
  const TiaSatz Anf = *Eroeffnet;
  TIADrucken Drucken;
  Drucken.DruckauftragSetzen(Anf.WiJahr, Layouts, {false, true, false}, [&] {
    return std::vector<TIADruckZeile>{{Anf.Zaehldatum, Anf.FilNr, Anf.WG.empty() ? "*" : Anf.WG}};
  });
  Drucken.DruckenIALExecute_Selektion();
  auto Uhr = BeimModalFenster<TKWDPdfAnsicht>([](TKWDPdfAnsicht* F) {
    if (F->Dokument()->pageCount() <= 0) Fehler("die Ansicht zeigt keine Seite");
    Foto(F, "druck-ansicht");
    F->ZoomSetzen(1.0);
    Foto(F, "druck-ansicht-100");
    F->reject();
  });
  Drucken.DruckenIALExecute_Crystal();
  frmIALOptions_Freigeben();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  QApplication::setApplicationName(QStringLiteral("invanf"));
  QApplication::setApplicationDisplayName(QStringLiteral("Inventuranforderungen"));
  if (argc < 2 || !std::getenv("WWS_DB")) {
    std::fprintf(stderr, "Aufruf: druck_bilder ZIELORDNER (WWS_DB: die Firma)\n");
    return 2;
  }
  GZiel = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(GZiel);
  KWDWidgetsInstallieren();
  Fotos();
  return GFehler == 0 ? 0 : 1;
}
