// The menu "Export" (a menu of its own, so "Funktionen" keeps its entries)
// and the same entries in the request list's context menu:
//   "Zählliste exportieren ..." (Strg+E): the count list of the ticked
//     requests as an XLSX workbook or a CSV file, with the print options;
//   "Liste exportieren ..." (Strg+Umschalt+E): the fiscal year's requests as
//     the list shows them;
//   "Zähllisten je Filiale ablegen ..." (Strg+Umschalt+S): one PDF (and an
//     XLSX if chosen) per ticked request into a folder.
// Each asks where the file goes (KWDDateiWahl.h); the status line says what
// was written.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/TFrmIAMain.h"
#include "printing/IABefehlsnamen.h"
#include "printing/IALTabelle.h"
#include "printing/TIADrucken.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDWork.h"
#include "support/framework/TKWDProgramm.h"
#include "support/tabelle/KWDTabelle.h"
#include "support/types/IABenennung.h"
#include "widgets/KWDDateiWahl.h"
#include "widgets/KWDTasten.h"
#include "widgets/TVTKWDVRList.h"

void TFrmIAMain::ExportMenueAnlegen(QMenuBar* AMenue) {
  auto Aktion = [this](const char* AName, const QString& AText, const QKeySequence& ATaste, const QString& AHint,
                       void (TFrmIAMain::*AHandler)()) {
    auto* A = new QAction(AText, this);
    A->setObjectName(QString::fromLatin1(AName));
    KWDTasteBinden(A, ATaste, AHint);
    A->setStatusTip(AHint);
    connect(A, &QAction::triggered, this, [this, AHandler] { (this->*AHandler)(); });
    addAction(A);  // its key works wherever the focus is in this window
    return A;
  };
  ZaehllisteExportieren = Aktion(
      "actZaehllisteExportieren", QStringLiteral("Zählliste exportieren ..."), QKeySequence(Qt::CTRL | Qt::Key_E),
      QStringLiteral("Die Zählliste der markierten Inventuren als XLSX-Arbeitsmappe oder CSV-Datei speichern"),
      &TFrmIAMain::ZaehllisteExportierenExecute);
  ListeExportieren = Aktion(
      "actListeExportieren", QStringLiteral("Liste exportieren ..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
      QStringLiteral("Die Liste der Inventuren als XLSX-Arbeitsmappe oder CSV-Datei speichern"),
      &TFrmIAMain::ListeExportierenExecute);
  ZaehllistenAblegen = Aktion(
      "actZaehllistenAblegen", QStringLiteral("Zähllisten je Filiale ablegen ..."),
      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
      QStringLiteral("Je markierte Inventur eine Zählliste als PDF-Dokument in einen Ordner ablegen"),
      &TFrmIAMain::ZaehllistenAblegenExecute);

  const QList<QAction*> Eintraege{ZaehllisteExportieren, ListeExportieren, ZaehllistenAblegen};
  QMenu* Export = AMenue->addMenu(QStringLiteral("E&xport"));
  Export->setObjectName(QStringLiteral("mnuExport"));
  Export->addActions(Eintraege);

  vrInvList->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(vrInvList, &QWidget::customContextMenuRequested, this, [this, Eintraege](const QPoint& APunkt) {
    QMenu Menue(this);
    Menue.setObjectName(QStringLiteral("mnuInvList"));
    Menue.addActions(Eintraege);
    Menue.exec(vrInvList->viewport()->mapToGlobal(APunkt));
  });
}

void TFrmIAMain::ZaehllisteExportierenExecute() {
  KWDGuard(KIAZaehllisteExportieren, [&] {
    const std::string Status = FDrucken->ZaehllisteExportierenExecute(
        FWiJahr, FSelectedLayouts, [this] { return DruckZeilen(); }, vrInvList,
        [this] { return DruckZeileGewaehlt(); });
    if (!Status.empty()) StatusZeigen(Status);
  });
}

void TFrmIAMain::ZaehllistenAblegenExecute() {
  KWDGuard(KIAZaehllistenAblegen, [&] {
    const std::string Status = FDrucken->ZaehllistenAblegenExecute(
        FWiJahr, FSelectedLayouts, [this] { return DruckZeilen(); }, vrInvList,
        [this] { return DruckZeileGewaehlt(); });
    if (!Status.empty()) StatusZeigen(Status);
  });
}

void TFrmIAMain::ListeExportierenExecute() {
  KWDGuard("TFrmIAMain.ListeExportierenExecute", [&] {
    const TKWDWorkBracket Arbeit(this, "TFrmIAMain.ListeExportierenExecute", 5);
    if (!Arbeit.Offen()) return;
    TKWDDateiAntwort Wahl;
    if (!KWDDateiWaehlen(this,
                         KWDSpeichernFrage("Liste exportieren", KAblageInventurliste,
                                           IAInventurenDateiName(FWiJahr) + ".xlsx",
                                           {TKWDExportFormat::Xlsx, TKWDExportFormat::Csv}),
                         Wahl))
      return;
    const TKWDTabelle Tabelle = IAListeTabelle(FWiJahr, KWDProgramm().GetTextMandant());
    KWDTabelleSchreiben(Tabelle, Wahl.Pfad,
                        Wahl.Format == TKWDExportFormat::Csv ? TKWDTabellenFormat::Csv : TKWDTabellenFormat::Xlsx);
    StatusZeigen("Liste der Inventuren (" + std::to_string(Tabelle.Zeilen.size()) +
                 (Tabelle.Zeilen.size() == 1 ? " Inventur" : " Inventuren") + ") gespeichert als \u201E" + Wahl.Pfad +
                 "\u201C");
  });
}
