// Pictures of the print windows for looking at them (scripts/screenshots-druck.sh):
// runs only when WWS_BILDSCHIRMFOTOS names a folder, on the company of WWS_DB,
// best on a real X server. Each window is saved as the user sees it (the
// whole screen, so frames and the desktop around show too).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGuiApplication>
#include <QPdfDocument>
#include <QScreen>
#include <QTest>
#include <cstdlib>

#include "printing/DruckLayouts.h"
#include "printing/TIADrucken.h"
#include "printing/TfrmIALOptions.h"
#include "suite/SuiteDatenbank.h"
#include "widgets/TKWDPdfAnsicht.h"
#include "widgets/TLayoutform.h"
#include "support/db/KWDDatenbank.h"
#include "support/recordfile/Tiafile.h"
#include "tests/widgets/WidgetTestHilfe.h"

namespace {

void Foto(QWidget* AFenster, const char* AName) {
  const char* Ordner = std::getenv("WWS_BILDSCHIRMFOTOS");
  ASSERT_TRUE(QTest::qWaitForWindowExposed(AFenster));
  QTest::qWait(400);  // the window manager places it, the view paints its pages
  const QString Pfad = QString::fromUtf8(Ordner) + QLatin1Char('/') + QString::fromUtf8(AName);
  QPixmap Bild = QGuiApplication::primaryScreen()->grabWindow(0);
  if (Bild.isNull() || QGuiApplication::platformName() == QLatin1String("offscreen")) Bild = AFenster->grab();
  EXPECT_TRUE(Bild.save(Pfad + QStringLiteral(".png")));
}

TEST(Bildschirmfoto, OptionenLayoutdialogUndAnsicht) {
  if (!std::getenv("WWS_BILDSCHIRMFOTOS") || !std::getenv("WWS_DB")) GTEST_SKIP() << "nur für scripts/screenshots-druck.sh";
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
    ASSERT_TRUE(Dialog.Execute(Input, Layouts));
  }

  // The count list of the first opened request of the latest year.
  Tiafile IA(RF_OPEN_NORMAL, -1);
  IA.SelectKey(Tiafile::KEY_ZAEHLSTATUS);
  IA.Key_KZZaehlung.SetKeyWertAndFilter('E');
  ASSERT_TRUE(IA.Get_ge()) << "the demo company needs an opened request";
  const TiaSatz Anf = IA.GetSatz();
  TIADrucken Drucken;
  Drucken.DruckauftragSetzen(Anf.WiJahr, Layouts, {false, true, false}, [&] {
    return std::vector<TIADruckZeile>{{Anf.Zaehldatum, Anf.FilNr, Anf.WG.empty() ? "*" : Anf.WG}};
  });
  Drucken.DruckenIALExecute_Selektion();
  auto Uhr = BeimModalFenster<TKWDPdfAnsicht>([](TKWDPdfAnsicht* F) {
    ASSERT_GT(F->Dokument()->pageCount(), 0);
    Foto(F, "druck-ansicht");
    F->ZoomSetzen(1.0);
    Foto(F, "druck-ansicht-100");
    F->reject();
  });
  Drucken.DruckenIALExecute_Crystal();
  frmIALOptions_Freigeben();
}

}  // namespace
