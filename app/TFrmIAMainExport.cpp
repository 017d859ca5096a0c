// The request list's context menu: "Liste exportieren ..." writes the
// fiscal year's requests, as the list shows them, as an XLSX workbook or a
// CSV file for spreadsheet programs. An entry of its own, so the main menu
// and the window's keys stay as users know them.
#include <QAction>
#include <QMenu>
#include <cstdio>

#include "app/TFrmIAMain.h"
#include "printing/IALTabelle.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/framework/KWDOrdner.h"
#include "support/framework/KWDUhr.h"
#include "support/framework/KWDWork.h"
#include "support/framework/TKWDInfo.h"
#include "support/framework/TKWDProgramm.h"
#include "support/tabelle/KWDTabelle.h"
#include "widgets/TKWDBerichtExport.h"
#include "widgets/TVTKWDVRList.h"

void TFrmIAMain::ListeExportierenAnlegen() {
  auto* Aktion = new QAction(QStringLiteral("Liste exportieren ..."), this);
  Aktion->setObjectName(QStringLiteral("actListeExportieren"));
  Aktion->setStatusTip(QStringLiteral("Die Liste der Inventuren als Excel-Arbeitsmappe oder CSV-Datei speichern"));
  connect(Aktion, &QAction::triggered, this, [this] { ListeExportierenExecute(); });
  vrInvList->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(vrInvList, &QWidget::customContextMenuRequested, this, [this, Aktion](const QPoint& APunkt) {
    QMenu Menue(this);
    Menue.setObjectName(QStringLiteral("mnuInvList"));
    Menue.addAction(Aktion);
    Menue.exec(vrInvList->viewport()->mapToGlobal(APunkt));
  });
}

void TFrmIAMain::ListeExportierenExecute() {
  KWDGuard("TFrmIAMain.ListeExportierenExecute", [&] {
    const TKWDWorkBracket Arbeit(this, "TFrmIAMain.ListeExportierenExecute", 5);
    if (!Arbeit.Offen()) return;
    const TDatumTeile Heute = DecodeDate(kwd_Date());
    char Datum[16];
    std::snprintf(Datum, sizeof Datum, "%4.4d%2.2d%2.2d", Heute.Jahr, Heute.Monat, Heute.Tag);
    const std::string Vorschlag = GetDirWwsByName("Listen", std::string("Inventuren-Liste") + Datum + ".xlsx", true);
    std::string Pfad;
    TKWDExportFormat Format = TKWDExportFormat::Xlsx;
    if (!KWDExportDateiWaehlen(this, "Liste exportieren", Vorschlag, false, true, Pfad, Format)) return;
    const TKWDTabelle Tabelle = IAListeTabelle(FWiJahr, KWDProgramm().GetTextMandant());
    KWDTabelleSchreiben(Tabelle, Pfad,
                        Format == TKWDExportFormat::Csv ? TKWDTabellenFormat::Csv : TKWDTabellenFormat::Xlsx);
    KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "STANDARD", 997,
                          {"Die Liste der Inventuren (" + std::to_string(Tabelle.Zeilen.size()) +
                           (Tabelle.Zeilen.size() == 1 ? " Inventur" : " Inventuren") + ") wurde als \u201E" + Pfad +
                           "\u201C gespeichert."},
                          this);
  });
}
